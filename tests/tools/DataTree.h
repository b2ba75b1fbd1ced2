// Access to the data tree the generator wrote into the runtime folder, and
// small decoders the tests read it back with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace datatest {

using Bytes = std::vector<uint8_t>;

std::string RuntimeDir();
std::string SourceDir();
bool HaveTree();
// Skips the test when this build generates no data (GS_GAME_DATA off).
#define REQUIRE_DATA_TREE() \
  if (!datatest::HaveTree()) GTEST_SKIP() << "no generated data in " << datatest::RuntimeDir()

Bytes ReadBytes(const std::string& path);
uint32_t Le32(const Bytes& b, size_t at);
float LeFloat(const Bytes& b, size_t at);

// Decoded sound: interleaved samples in -1..1.
struct Sound {
  int rate = 0, channels = 0;
  std::vector<float> samples;
  size_t Frames() const { return channels ? samples.size() / channels : 0; }
  double Seconds() const { return rate ? double(Frames()) / rate : 0; }
};
// 16-bit PCM WAV; fails the test (and returns an empty sound) on anything else.
Sound DecodeWav(const Bytes& file);
Sound DecodeOgg(const Bytes& file);
double PeakDb(const Sound& s);
// Root mean square level in dBFS of the frames [from, to).
double RmsDb(const Sound& s, size_t from, size_t to);

// An item of the resource archive as read back by the tests' own reader.
struct Item {
  uint32_t size = 0, offset = 0, realSize = 0, kind = 0;
  std::string name;
  Bytes data;
};
// Reads a version 0x00010001 archive; throws std::runtime_error on any flaw
// (bad magic or version, truncation, an item that does not inflate to its
// size, offsets that do not match, bytes after the last item).
std::vector<Item> ReadPak(const Bytes& file);

// One "folder + name" per line of a fixture file in tests/tools/data/.
std::vector<std::vector<std::string>> ReadFixture(const std::string& name);

}  // namespace datatest
