// Decoding whole sound files into sample memory: WAV (8- or 16-bit PCM,
// mono or stereo) and Ogg Vorbis. Damaged files are refused with a reason,
// never trusted: every size in a header is checked against the bytes there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "VorbisStream.h"

namespace plat {

struct TPcm {
  int channels = 0;
  int rate = 0;
  int bits = 16;                 // 8: unsigned samples; 16: signed, host byte order
  std::vector<uint8_t> samples;  // interleaved frames

  size_t FrameBytes() const { return size_t(channels) * size_t(bits / 8); }
  size_t Frames() const { return FrameBytes() ? samples.size() / FrameBytes() : 0; }
};

enum class TSoundFormat { Unknown, Wav, Vorbis };
TSoundFormat SniffSoundFormat(const std::vector<uint8_t>& file);

bool DecodeWav(const std::vector<uint8_t>& file, TPcm& out, std::string& error);
bool DecodeVorbis(const TSharedBytes& file, TPcm& out, std::string& error);

}  // namespace plat
