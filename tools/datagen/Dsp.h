// Small sound-synthesis building blocks shared by the effects and the music:
// bell and glass tones, filters, noise, and a stereo reverb.
#pragma once

#include <cstdint>
#include <vector>

#include "Audio.h"
#include "Noise.h"

namespace datagen {

double MidiToHz(double note);

// One partial of a struck tone: frequency ratio, level and decay time.
struct Partial {
  double ratio, level, decay;
};

// Glass and bell timbres: inharmonic partials that ring and fade.
const std::vector<Partial>& BellPartials();
const std::vector<Partial>& GlassPartials();

// Adds a struck tone into channel `channel` (or every channel when -1) from
// `start` seconds: partials summed by a rotating phasor (cheap and exact),
// with a short attack so the onset never clicks.
void AddTone(Audio& out, double start, double hz, double amp, const std::vector<Partial>& partials,
             double attack = 0.002, int channel = -1, double pan = 0);

// Biquad filter (RBJ cookbook), processed in place on one channel.
class Biquad {
 public:
  static Biquad LowPass(double hz, double q);
  static Biquad BandPass(double hz, double q);
  float Process(float x);

 private:
  enum class Shape { LowPass, BandPass };
  static Biquad Design(double hz, double q, Shape shape);

  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

void FilterChannel(Audio& audio, int channel, Biquad filter);

// Freeverb-style reverb: eight combs and four all-passes per channel, the
// right channel's delays spread a little for width. Adds `wet` of the
// reverberated sound to the dry one.
void Reverb(Audio& audio, double roomSize, double damping, double wet);

// Stereo copy of a mono sound.
Audio ToStereo(const Audio& mono);

}  // namespace datagen
