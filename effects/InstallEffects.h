// Connects the effects layer to the frame: every mouse pointer made from now
// on owns a TParticleList. Called once from app/ before the game object is
// made (tests that want the pointer's particles call it too).
#pragma once

void InstallEffects();
