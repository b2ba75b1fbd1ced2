#include "Synth.h"

#include <cmath>

#include "Colour.h"
#include "Dsp.h"
#include "Noise.h"

namespace datagen {

namespace {

std::vector<Partial> Shortened(const std::vector<Partial>& partials, double k) {
  std::vector<Partial> out = partials;
  for (Partial& p : out) p.decay *= k;
  return out;
}

// A burst of filtered noise: the tick of glass on glass, or one clap.
void AddNoiseBurst(Audio& out, double start, double decay, double amp, Biquad filter, Rng& rng,
                   int channel = -1) {
  size_t first = size_t(start * out.rate), length = size_t(decay * 6 * out.rate);
  double env = amp, fall = std::exp(-1.0 / (decay * out.rate));
  for (size_t i = 0; i < length && first + i < out.Frames(); ++i) {
    float v = filter.Process(float(rng.Uniform() * 2 - 1)) * float(env);
    size_t f = (first + i) * out.channels;
    if (channel >= 0) {
      out.samples[f + channel] += v;
    } else {
      for (int c = 0; c < out.channels; ++c) out.samples[f + c] += v;
    }
    env *= fall;
  }
}

Audio Finish(Audio a, double fadeOut = 0.01) {
  Declick(a, 0.001, fadeOut);
  NormalisePeak(a, kEffectPeakDb);
  return a;
}

}  // namespace

Audio SynthButtonClick() {
  Audio a = MakeAudio(0.12, 1);
  Rng rng(1);
  AddTone(a, 0, 2093, 0.5, Shortened(GlassPartials(), 0.22), 0.0008);
  AddTone(a, 0, 3136, 0.18, Shortened(GlassPartials(), 0.15), 0.0008);
  AddNoiseBurst(a, 0, 0.0025, 0.35, Biquad::BandPass(4200, 1.2), rng);
  return Finish(a, 0.02);
}

Audio SynthButtonOver() {
  Audio a = MakeAudio(0.11, 1);
  AddTone(a, 0, 2637, 0.4, Shortened(GlassPartials(), 0.18), 0.004);
  AddTone(a, 0.012, 3951, 0.2, Shortened(GlassPartials(), 0.12), 0.004);
  FilterChannel(a, 0, Biquad::LowPass(7000, 0.7));
  return Finish(a, 0.03);
}

Audio SynthSwapBack() {
  Audio a = MakeAudio(0.32, 1);
  AddTone(a, 0, 1318.5, 0.45, Shortened(GlassPartials(), 0.35), 0.003);
  AddTone(a, 0.075, 1046.5, 0.45, Shortened(GlassPartials(), 0.45), 0.003);
  AddTone(a, 0, 220, 0.3, {{1, 1, 0.04}, {2, 0.3, 0.03}}, 0.002);
  FilterChannel(a, 0, Biquad::LowPass(3500, 0.7));
  return Finish(a, 0.05);
}

Audio SynthInvalid() {
  Audio a = MakeAudio(0.34, 1);
  // Two close, buzzing tones that beat against each other, softened.
  for (double hz : {155.0, 163.0}) {
    std::vector<Partial> buzz;
    for (int n = 1; n <= 9; ++n) buzz.push_back({double(n), 1.0 / n, 0.16});
    AddTone(a, 0, hz, 0.25, buzz, 0.006);
  }
  AddTone(a, 0, 311, 0.15, Shortened(GlassPartials(), 0.6), 0.004);
  FilterChannel(a, 0, Biquad::LowPass(1400, 0.8));
  return Finish(a, 0.06);
}

Audio SynthHint() {
  Audio a = MakeAudio(1.0, 1);
  const double notes[3] = {987.8, 1318.5, 1661.2};
  for (int i = 0; i < 3; ++i)
    AddTone(a, i * 0.09, notes[i], 0.35, Shortened(BellPartials(), 0.4), 0.003);
  Reverb(a, 0.6, 0.5, 0.5);
  return Finish(a, 0.2);
}

Audio SynthStartGame() {
  Audio a = MakeAudio(1.7, 1);
  const double notes[5] = {72, 76, 79, 84, 88};
  for (int i = 0; i < 5; ++i)
    AddTone(a, i * 0.065, MidiToHz(notes[i]), 0.3 - i * 0.02, Shortened(BellPartials(), 0.55),
            0.003);
  // A soft swell of the chord underneath.
  for (double n : {60.0, 64.0, 67.0})
    AddTone(a, 0, MidiToHz(n), 0.12, {{1, 1, 0.5}, {2, 0.2, 0.3}}, 0.25);
  Reverb(a, 0.75, 0.5, 0.6);
  return Finish(a, 0.3);
}

Audio SynthTick() {
  Audio a = MakeAudio(0.16, 1);
  Rng rng(11);
  // A dry wooden tick with a short glassy ring, like a pocket watch.
  AddNoiseBurst(a, 0, 0.0018, 0.6, Biquad::BandPass(3200, 2.5), rng);
  AddTone(a, 0, 1760, 0.3, Shortened(GlassPartials(), 0.12), 0.0005);
  AddTone(a, 0, 880, 0.15, {{1, 1, 0.02}, {2, 0.4, 0.015}}, 0.0005);
  return Finish(a, 0.03);
}

Audio SynthScore() {
  Audio a = MakeAudio(0.75, 1);
  Rng rng(7);
  AddTone(a, 0, 1318.5, 0.35, Shortened(BellPartials(), 0.3), 0.002);
  AddTone(a, 0.01, 1975.5, 0.25, Shortened(BellPartials(), 0.25), 0.002);
  for (int i = 0; i < 4; ++i)  // a trickle of crystal dust
    AddNoiseBurst(a, 0.02 + i * 0.045, 0.004, 0.12, Biquad::BandPass(7000 + 900 * i, 3), rng);
  Reverb(a, 0.55, 0.55, 0.45);
  return Finish(a, 0.15);
}

Audio SynthApplause(bool big) {
  double seconds = big ? 5.2 : 3.4;
  int hands = big ? 110 : 45;
  Audio a = MakeAudio(seconds, 2);
  Rng rng(big ? 31 : 17);
  for (int h = 0; h < hands; ++h) {
    double rate = rng.Range(3.2, 6.0), start = rng.Range(0, 0.35), pan = rng.Range(-1, 1);
    double tone = rng.Range(700, 2600), level = rng.Range(0.4, 1.0);
    double stop = seconds * rng.Range(0.55, 0.9);
    Biquad left = Biquad::BandPass(tone, 1.1), right = Biquad::BandPass(tone, 1.1);
    for (double t = start; t < stop; t += 1 / rate * rng.Range(0.85, 1.15)) {
      // Hands tire: claps thin out and soften towards the end.
      double tail = 1 - Smoothstep(stop * 0.5, stop, t);
      if (rng.Uniform() > 0.35 + 0.65 * tail) continue;
      double amp = level * (0.5 + 0.5 * tail) * rng.Range(0.7, 1.0);
      double decay = rng.Range(0.005, 0.011);
      AddNoiseBurst(a, t, decay, amp * (1 - pan) / 2, left, rng, 0);
      AddNoiseBurst(a, t, decay, amp * (1 + pan) / 2, right, rng, 1);
    }
  }
  Reverb(a, 0.5, 0.6, 0.35);
  return Finish(a, 0.4);
}

namespace {

// Frequencies on a 0.25 Hz grid repeat every 4 seconds exactly.
double LoopSafe(double hz) { return std::round(hz * 4) / 4; }

}  // namespace

Audio SynthSplash() {
  const double period = 4.0;
  const int repeats = 3;  // render three loops and keep the last: its start holds the tails
  Audio a = MakeAudio(period * repeats, 2);
  for (double n : {62.0, 66.0, 69.0, 73.0, 76.0}) {
    double hz = LoopSafe(MidiToHz(n));
    for (size_t f = 0; f < a.Frames(); ++f) {
      double t = double(f) / a.rate;
      double shimmer = 0.75 + 0.25 * std::sin(2 * M_PI * 0.5 * t + n);
      double v = 0.05 * shimmer * (std::sin(2 * M_PI * hz * t) + 0.3 * std::sin(4 * M_PI * hz * t));
      a.samples[2 * f] += float(v * (n < 70 ? 1.1 : 0.8));
      a.samples[2 * f + 1] += float(v * (n < 70 ? 0.8 : 1.1));
    }
  }
  const double bells[4] = {86, 81, 90, 88};
  for (int r = 0; r < repeats; ++r)
    for (int i = 0; i < 4; ++i)
      AddTone(a, r * period + i * 1.0, MidiToHz(bells[i]), 0.22, Shortened(BellPartials(), 0.8),
              0.003, -1, i % 2 ? 0.4 : -0.4);
  Reverb(a, 0.8, 0.5, 0.6);
  Audio loop = MakeAudio(period, 2);
  size_t offset = size_t(period * (repeats - 1) * a.rate) * 2;
  std::copy(a.samples.begin() + long(offset),
            a.samples.begin() + long(offset + loop.samples.size()), loop.samples.begin());
  NormalisePeak(loop, kEffectPeakDb);
  return loop;
}

}  // namespace datagen
