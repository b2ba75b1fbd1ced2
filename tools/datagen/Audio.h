// Sampled sound in memory and its two file forms: 16-bit PCM WAV and Ogg
// Vorbis (fixed stream serial numbers, so the bytes repeat from run to run).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace datagen {

using Bytes = std::vector<uint8_t>;

constexpr int kSampleRate = 44100;

struct Audio {
  int rate = kSampleRate;
  int channels = 1;
  std::vector<float> samples;  // interleaved, nominally -1..1

  size_t Frames() const { return channels ? samples.size() / size_t(channels) : 0; }
  double Seconds() const { return double(Frames()) / rate; }
};

Audio MakeAudio(double seconds, int channels);

double Peak(const Audio& audio);
// Scales the sound so its highest peak sits at `dbfs` (e.g. -3).
void NormalisePeak(Audio& audio, double dbfs);
// Short linear ramps at both ends: no click when the sound starts or stops.
void Declick(Audio& audio, double inSeconds, double outSeconds);

Bytes EncodeWav(const Audio& audio);
// quality: libvorbisenc's VBR scale (-0.1 .. 1).
Bytes EncodeOgg(const Audio& audio, double quality, int serial);

}  // namespace datagen
