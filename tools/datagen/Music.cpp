#include "Music.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Dsp.h"
#include "Noise.h"

namespace datagen {

namespace {

struct Chord {
  int bass;
  std::vector<int> pad;  // MIDI notes of the pad voicing
};

struct Plan {
  uint64_t seed;
  double bpm;
  std::vector<Chord> progression;  // two bars each, repeated
  Chord final;
  std::vector<int> melody;  // the scale the melody walks on
  int bars;
};

Plan PlanOf(int track) {
  if (track == 2) {
    return {2002,
            60,
            {{41, {53, 57, 60, 64, 71}},
             {45, {52, 55, 59, 60, 64}},
             {36, {52, 55, 59, 62, 67}},
             {43, {50, 55, 57, 59, 64}}},
            {45, {52, 57, 59, 60, 64, 69}},
            {69, 72, 74, 76, 79, 81, 84, 86, 88},
            28};
  }
  return {1001,
          66,
          {{38, {50, 57, 61, 64, 66}},
           {35, {47, 54, 57, 62, 64}},
           {43, {50, 55, 59, 62, 66}},
           {45, {52, 57, 59, 62, 64}}},
          {38, {50, 57, 61, 64, 66, 69}},
          {74, 76, 78, 81, 83, 86, 88, 90},
          32};
}

// A mellow single-cycle wave: harmonics falling off steeply.
class Wavetable {
 public:
  Wavetable() : table_(kSize + 1) {
    double peak = 0;
    for (int i = 0; i <= kSize; ++i) {
      double x = 2 * M_PI * i / kSize, v = 0;
      for (int n = 1; n <= 7; ++n) v += std::sin(n * x) / std::pow(n, 1.7);
      table_[i] = float(v);
      peak = std::max(peak, std::fabs(v));
    }
    for (float& v : table_) v = float(v / peak);
  }
  float At(double phase) const {  // phase in cycles, 0..1
    double p = phase * kSize;
    int i = int(p);
    float t = float(p - i);
    return table_[i] + (table_[i + 1] - table_[i]) * t;
  }

 private:
  static constexpr int kSize = 4096;
  std::vector<float> table_;
};

// One pad note: three detuned oscillators spread across the stereo field,
// slow attack and release so chords melt into each other.
void AddPadNote(Audio& out, const Wavetable& wave, double start, double length, double hz,
                double amp, Rng& rng) {
  const double attack = 1.8, release = 2.6;
  size_t first = size_t(std::max(0.0, start) * out.rate);
  size_t count = size_t((length + release) * out.rate);
  const double detune[3] = {-0.0045, 0.0, 0.0052};
  const double pans[3][2] = {{0.9, 0.35}, {0.62, 0.62}, {0.35, 0.9}};
  double phase[3] = {rng.Uniform(), rng.Uniform(), rng.Uniform()};
  double lfo = rng.Range(0, 2 * M_PI), lfoRate = rng.Range(0.07, 0.13);
  for (size_t i = 0; i < count && first + i < out.Frames(); ++i) {
    double t = double(i) / out.rate;
    double env = std::min(1.0, t / attack);
    if (t > length) env *= std::max(0.0, 1 - (t - length) / release);
    env = env * env * (3 - 2 * env);
    double swell = 0.85 + 0.15 * std::sin(lfo + 2 * M_PI * lfoRate * t);
    double l = 0, r = 0;
    for (int o = 0; o < 3; ++o) {
      double v = wave.At(phase[o]);
      phase[o] += hz * (1 + detune[o]) / out.rate;
      phase[o] -= std::floor(phase[o]);
      l += v * pans[o][0];
      r += v * pans[o][1];
    }
    double g = amp * env * swell / 3;
    out.samples[(first + i) * 2] += float(l * g);
    out.samples[(first + i) * 2 + 1] += float(r * g);
  }
}

std::vector<Partial> MusicBell() {
  std::vector<Partial> p = BellPartials();
  for (Partial& q : p) q.decay *= 0.75;
  return p;
}

// How busy the arrangement is at a bar: 0 pads only .. 3 full.
int Intensity(int bar, int bars) {
  if (bar < 4 || bar >= bars - 2) return 0;
  if (bar < 8 || bar >= bars - 6) return 1;
  if (bar < 12 || bar >= bars - 10) return 2;
  return 3;
}

// Arpeggio over one chord (two bars of eighths), its shape drawn at random.
void AddArpeggio(Audio& bells, const Chord& chord, double start, double beat, int intensity,
                 Rng& rng, const std::vector<Partial>& timbre) {
  std::vector<int> tones;
  for (int n : chord.pad) tones.push_back(n + 12);
  if (intensity >= 3) tones.push_back(chord.pad[1] + 24);
  int shape = rng.Int(0, 3);
  int steps = 16;
  for (int s = 0; s < steps; ++s) {
    if (intensity == 1 && s % 2 == 1) continue;  // quarters only
    if (rng.Uniform() < (intensity == 1 ? 0.3 : 0.14)) continue;
    size_t k = tones.size();
    size_t idx;
    switch (shape) {
      case 0:
        idx = size_t(s) % k;
        break;  // up
      case 1:
        idx = k - 1 - size_t(s) % k;
        break;  // down
      case 2: {
        size_t c = size_t(s) % (2 * k - 2);
        idx = c < k ? c : 2 * k - 2 - c;
        break;
      }
      default:
        idx = size_t((s * 3) % int(k));
        break;  // leaps
    }
    double accent = s % 8 == 0 ? 1.0 : s % 2 == 0 ? 0.8 : 0.65;
    double t = start + s * beat / 2 + rng.Range(-0.006, 0.006);
    AddTone(bells, t, MidiToHz(tones[idx]), 0.19 * accent * rng.Range(0.85, 1.0), timbre, 0.004, -1,
            (s % 2 ? 0.35 : -0.35) * rng.Range(0.5, 1.0));
  }
}

void AddMelody(Audio& bells, const Plan& plan, double start, double bar, Rng& rng, int& degree,
               const std::vector<Partial>& timbre) {
  for (int half = 0; half < 2; ++half) {
    if (rng.Uniform() < 0.45) continue;
    degree = std::clamp(degree + rng.Int(-2, 2), 0, int(plan.melody.size()) - 1);
    AddTone(bells, start + half * bar / 2 + rng.Range(0, 0.05), MidiToHz(plan.melody[degree]), 0.13,
            timbre, 0.01, -1, rng.Range(-0.5, 0.5));
  }
}

void AddDrone(Audio& out, const Chord& chord, double start, double length) {
  double hz = MidiToHz(chord.bass);
  const double attack = 1.2, release = 2.0;
  size_t first = size_t(start * out.rate), count = size_t((length + release) * out.rate);
  for (size_t i = 0; i < count && first + i < out.Frames(); ++i) {
    double t = double(i) / out.rate;
    double env = std::min(1.0, t / attack);
    if (t > length) env *= std::max(0.0, 1 - (t - length) / release);
    double v = 0.06 * env * (std::sin(2 * M_PI * hz * t) + 0.3 * std::sin(4 * M_PI * hz * t));
    out.samples[(first + i) * 2] += float(v);
    out.samples[(first + i) * 2 + 1] += float(v);
  }
}

Audio Render(int track, int bars) {
  Plan plan = PlanOf(track);
  plan.bars = bars;
  Rng rng(plan.seed);
  const double beat = 60.0 / plan.bpm, bar = 4 * beat;
  const double body = bar * bars, tail = 7.0;
  Audio pads = MakeAudio(body + tail, 2), bells = MakeAudio(body + tail, 2);
  Wavetable wave;
  std::vector<Partial> timbre = MusicBell();
  int degree = int(plan.melody.size()) / 2;
  for (int b = 0; b < bars; b += 2) {
    bool last = b + 2 >= bars;
    const Chord& chord =
        last ? plan.final : plan.progression[size_t(b / 2) % plan.progression.size()];
    double start = b * bar, length = last ? 2 * bar + 1.5 : 2 * bar + 0.3;
    for (int n : chord.pad) AddPadNote(pads, wave, start - 0.15, length, MidiToHz(n), 0.16, rng);
    AddDrone(pads, chord, start, length);
    int intensity = Intensity(b, bars);
    if (intensity > 0) AddArpeggio(bells, chord, start, beat, intensity, rng, timbre);
    if (intensity >= 2)
      for (int k = 0; k < 2; ++k) AddMelody(bells, plan, start + k * bar, bar, rng, degree, timbre);
    if (last)  // the closing bell: the chord's root, high and soft
      AddTone(bells, start + beat, MidiToHz(chord.pad[0] + 24), 0.14, timbre, 0.01);
  }
  FilterChannel(pads, 0, Biquad::LowPass(2400, 0.6));
  FilterChannel(pads, 1, Biquad::LowPass(2400, 0.6));
  Reverb(bells, 0.88, 0.45, 0.9);
  Audio mix = pads;
  for (size_t i = 0; i < mix.samples.size(); ++i) mix.samples[i] += bells.samples[i];
  Reverb(mix, 0.8, 0.5, 0.35);
  // Fade in over the first seconds; the tail dies into true silence.
  size_t frames = mix.Frames(), fadeIn = size_t(2.0 * mix.rate), fadeOut = size_t(tail * mix.rate);
  for (size_t f = 0; f < frames; ++f) {
    double g = f < fadeIn ? double(f) / fadeIn : 1.0;
    if (f + fadeOut >= frames) {
      double x = double(frames - 1 - f) / fadeOut;
      g *= x * x;
    }
    mix.samples[2 * f] *= float(g);
    mix.samples[2 * f + 1] *= float(g);
  }
  NormalisePeak(mix, kMusicPeakDb);
  return mix;
}

}  // namespace

Audio ComposeMusic(int track) { return Render(track, PlanOf(track).bars); }

Audio ComposeMusicExcerpt(int track, int bars) { return Render(track, bars); }

}  // namespace datagen
