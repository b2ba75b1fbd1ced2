// Sound files for the tests: square-wave WAVs and reading back what the
// OpenAL wave writer recorded.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace soundtest {

inline void Put(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

// Mono 16-bit PCM at 22050 Hz: a square wave of the given peak (0..1).
inline std::string SquareWav(double seconds, double peak) {
  const int rate = 22050;
  int frames = int(seconds * rate);
  std::string data;
  for (int i = 0; i < frames; ++i) {
    int16_t v = int16_t(((i / 25) % 2 ? 1 : -1) * peak * 32000);
    Put(data, uint16_t(v), 2);
  }
  std::string out = "RIFF";
  Put(out, uint32_t(36 + data.size()), 4);
  out += "WAVEfmt ";
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, 1, 2);  // mono
  Put(out, rate, 4);
  Put(out, rate * 2, 4);  // bytes per second
  Put(out, 2, 2);         // block align
  Put(out, 16, 2);        // bits
  out += "data";
  Put(out, uint32_t(data.size()), 4);
  return out + data;
}

// Points OpenAL at its wave-file writer for this process and returns the
// recording's path. OpenAL reads its configuration once per process, so the
// folder is one for the whole test program; every opening of the device
// starts the recording afresh.
inline std::string UseWaveWriter() {
  static testsupport::TempDir dir;
  std::string wave = dir.File("recorded.wav");
  testsupport::WriteWholeFile(
      dir.File("alsoft.conf"),
      "drivers = wave\nchannels = mono\nsample-type = int16\nfrequency = 22050\n"
      "[wave]\nfile = " +
          wave + "\n");
  setenv("ALSOFT_CONF", dir.File("alsoft.conf").c_str(), 1);
  setenv("ALSOFT_DRIVERS", "wave", 1);
  return wave;
}

// The 16-bit samples of a recording (whatever its channel count), from the
// first "data" chunk on.
inline std::vector<int> RecordedSamples(const std::string& path) {
  std::string bytes = testsupport::ReadWholeFile(path);
  std::vector<int> samples;
  size_t at = bytes.find("data");
  if (at == std::string::npos) return samples;
  for (size_t i = at + 8; i + 1 < bytes.size(); i += 2) {
    samples.push_back(int16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8)));
  }
  return samples;
}

// Peaks of the loud stretches of a recording, in order; stretches are split
// by at least `gap` silent samples.
inline std::vector<int> BurstPeaks(const std::vector<int>& samples, size_t gap) {
  std::vector<int> peaks;
  size_t quiet = gap;
  for (int s : samples) {
    int level = std::abs(s);
    if (level < 200) {
      ++quiet;
      continue;
    }
    if (quiet >= gap) peaks.push_back(0);
    quiet = 0;
    peaks.back() = std::max(peaks.back(), level);
  }
  return peaks;
}

}  // namespace soundtest
