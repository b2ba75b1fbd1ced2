#include "Dsp.h"

#include <cmath>

namespace datagen {

double MidiToHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12); }

const std::vector<Partial>& BellPartials() {
  static const std::vector<Partial> p = {
      {1.0, 1.0, 1.6},    {2.0, 0.45, 0.9},   {2.76, 0.28, 0.55},
      {4.07, 0.14, 0.35}, {5.43, 0.08, 0.22}, {0.5, 0.12, 1.9},
  };
  return p;
}

const std::vector<Partial>& GlassPartials() {
  static const std::vector<Partial> p = {
      {1.0, 1.0, 0.35},
      {2.32, 0.42, 0.18},
      {4.25, 0.2, 0.09},
      {6.63, 0.1, 0.05},
  };
  return p;
}

void AddTone(Audio& out, double start, double hz, double amp, const std::vector<Partial>& partials,
             double attack, int channel, double pan) {
  const double rate = out.rate;
  size_t first = size_t(std::max(0.0, start) * rate);
  size_t frames = out.Frames();
  double left = std::cos((pan + 1) * M_PI / 4), right = std::sin((pan + 1) * M_PI / 4);
  for (const Partial& p : partials) {
    double f = hz * p.ratio;
    if (f >= rate * 0.45) continue;
    size_t length = std::min(frames - std::min(frames, first), size_t(p.decay * 7 * rate));
    double w = 2 * M_PI * f / rate;
    double c = std::cos(w), s = std::sin(w), re = 1, im = 0;  // phasor
    double env = amp * p.level, fall = std::exp(-1.0 / (p.decay * rate));
    size_t rise = size_t(attack * rate) + 1;
    for (size_t i = 0; i < length; ++i) {
      double v = im * env * std::min(1.0, double(i) / rise);
      size_t f0 = (first + i) * size_t(out.channels);
      if (out.channels == 1) {
        out.samples[f0] += float(v);
      } else if (channel >= 0) {
        out.samples[f0 + size_t(channel)] += float(v);
      } else {
        out.samples[f0] += float(v * left);
        out.samples[f0 + 1] += float(v * right);
      }
      double nre = re * c - im * s;
      im = re * s + im * c;
      re = nre;
      env *= fall;
      if ((i & 4095) == 0) {  // keep the phasor on the unit circle
        double l = std::sqrt(re * re + im * im);
        re /= l;
        im /= l;
      }
    }
  }
}

// RBJ cookbook designs share the angle, the bandwidth term and the
// normalisation by a0.
Biquad Biquad::Design(double hz, double q, Shape shape) {
  double w = 2 * M_PI * hz / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
  double a0 = 1 + alpha;
  Biquad b;
  if (shape == Shape::LowPass) {
    b.b0 = (1 - c) / 2 / a0;
    b.b1 = (1 - c) / a0;
    b.b2 = b.b0;
  } else {
    b.b0 = alpha / a0;
    b.b1 = 0;
    b.b2 = -alpha / a0;
  }
  b.a1 = -2 * c / a0;
  b.a2 = (1 - alpha) / a0;
  return b;
}

Biquad Biquad::LowPass(double hz, double q) { return Design(hz, q, Shape::LowPass); }

Biquad Biquad::BandPass(double hz, double q) { return Design(hz, q, Shape::BandPass); }

float Biquad::Process(float x) {
  double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
  x2 = x1;
  x1 = x;
  y2 = y1;
  y1 = y;
  return float(y);
}

void FilterChannel(Audio& audio, int channel, Biquad filter) {
  for (size_t f = 0; f < audio.Frames(); ++f) {
    float& s = audio.samples[f * audio.channels + channel];
    s = filter.Process(s);
  }
}

namespace {

class Comb {
 public:
  explicit Comb(size_t length) : buffer_(length, 0.0f) {}
  float Process(float x, float feedback, float damp) {
    float out = buffer_[pos_];
    store_ = out * (1 - damp) + store_ * damp;
    buffer_[pos_] = x + store_ * feedback;
    pos_ = (pos_ + 1) % buffer_.size();
    return out;
  }

 private:
  std::vector<float> buffer_;
  size_t pos_ = 0;
  float store_ = 0;
};

class AllPass {
 public:
  explicit AllPass(size_t length) : buffer_(length, 0.0f) {}
  float Process(float x) {
    float b = buffer_[pos_];
    buffer_[pos_] = x + b * 0.5f;
    pos_ = (pos_ + 1) % buffer_.size();
    return b - x;
  }

 private:
  std::vector<float> buffer_;
  size_t pos_ = 0;
};

}  // namespace

void Reverb(Audio& audio, double roomSize, double damping, double wet) {
  static const size_t kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const size_t kAllPasses[4] = {556, 441, 341, 225};
  const size_t spread = 23;
  float feedback = float(0.7 + 0.28 * roomSize), damp = float(damping * 0.4);
  for (int ch = 0; ch < audio.channels; ++ch) {
    std::vector<Comb> combs;
    std::vector<AllPass> passes;
    for (size_t c : kCombs) combs.emplace_back(c + size_t(ch) * spread);
    for (size_t a : kAllPasses) passes.emplace_back(a + size_t(ch) * spread);
    for (size_t f = 0; f < audio.Frames(); ++f) {
      float& s = audio.samples[f * audio.channels + ch];
      float in = s * 0.015f, acc = 0;
      for (Comb& c : combs) acc += c.Process(in, feedback, damp);
      for (AllPass& a : passes) acc = a.Process(acc);
      s += float(wet) * acc;
    }
  }
}

Audio ToStereo(const Audio& mono) {
  Audio st;
  st.rate = mono.rate;
  st.channels = 2;
  st.samples.resize(mono.samples.size() * 2);
  for (size_t i = 0; i < mono.samples.size(); ++i)
    st.samples[2 * i] = st.samples[2 * i + 1] = mono.samples[i];
  return st;
}

}  // namespace datagen
