// The sparkle trail behind the game's mouse pointer, shown on the menu
// screens: one tinted, spinning spark of "particle1" every SparkleLength
// logic steps somewhere over the pointer image.
#pragma once

class TMousePointer;
class TParticleList;

// The pointer's particle list (made by InstallEffects); null without one.
TParticleList* PointerParticles(TMousePointer& pointer);
// Makes one sparkle now.
void MakePointerSparkle(TMousePointer& pointer);
// Installs (or removes) the trail as the pointer's particle function. The
// screens that want the trail switch it on in Start; Off() of the pointer
// clears the sparks.
void SetPointerSparkles(TMousePointer& pointer, int on);
