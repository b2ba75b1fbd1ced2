#include "DataTree.h"

#include <vorbis/vorbisfile.h>
#include <zlib.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace datatest {

std::string RuntimeDir() { return GS_RUNTIME_DIR; }
std::string SourceDir() { return GS_SOURCE_DIR; }

bool HaveTree() { return std::filesystem::exists(RuntimeDir() + "/data/resources/data.pak"); }

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le32(const Bytes& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

float LeFloat(const Bytes& b, size_t at) {
  uint32_t bits = Le32(b, at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

Sound DecodeWav(const Bytes& f) {
  Sound s;
  if (f.size() < 44 || std::memcmp(f.data(), "RIFF", 4) || std::memcmp(f.data() + 8, "WAVE", 4)) {
    ADD_FAILURE() << "not a RIFF WAVE file";
    return s;
  }
  size_t at = 12;
  int bits = 0, format = 0;
  while (at + 8 <= f.size()) {
    std::string id(f.begin() + long(at), f.begin() + long(at) + 4);
    uint32_t size = Le32(f, at + 4);
    if (id == "fmt ") {
      format = f[at + 8] | f[at + 9] << 8;
      s.channels = f[at + 10] | f[at + 11] << 8;
      s.rate = int(Le32(f, at + 12));
      bits = f[at + 22] | f[at + 23] << 8;
    } else if (id == "data") {
      EXPECT_EQ(format, 1) << "PCM";
      EXPECT_EQ(bits, 16);
      for (size_t i = at + 8; i + 1 < at + 8 + size && i + 1 < f.size(); i += 2)
        s.samples.push_back(int16_t(f[i] | f[i + 1] << 8) / 32768.0f);
      return s;
    }
    at += 8 + size + (size & 1);
  }
  ADD_FAILURE() << "WAV without a data chunk";
  return s;
}

namespace {

struct Memory {
  const Bytes* bytes;
  size_t pos = 0;
};

size_t MemRead(void* ptr, size_t size, size_t n, void* source) {
  auto* m = static_cast<Memory*>(source);
  size_t want = size * n, left = m->bytes->size() - m->pos, got = std::min(want, left);
  std::memcpy(ptr, m->bytes->data() + m->pos, got);
  m->pos += got;
  return size ? got / size : 0;
}

}  // namespace

Sound DecodeOgg(const Bytes& file) {
  Sound s;
  Memory m{&file};
  OggVorbis_File vf;
  ov_callbacks cb{MemRead, nullptr, nullptr, nullptr};
  if (ov_open_callbacks(&m, &vf, nullptr, 0, cb) != 0) {
    ADD_FAILURE() << "not an Ogg Vorbis stream";
    return s;
  }
  vorbis_info* info = ov_info(&vf, -1);
  s.rate = int(info->rate);
  s.channels = info->channels;
  float** pcm;
  int section;
  long n;
  while ((n = ov_read_float(&vf, &pcm, 4096, &section)) > 0)
    for (long i = 0; i < n; ++i)
      for (int c = 0; c < s.channels; ++c) s.samples.push_back(pcm[c][i]);
  ov_clear(&vf);
  return s;
}

double PeakDb(const Sound& s) {
  double peak = 0;
  for (float v : s.samples) peak = std::max(peak, double(std::fabs(v)));
  return 20 * std::log10(std::max(peak, 1e-9));
}

double RmsDb(const Sound& s, size_t from, size_t to) {
  double sum = 0;
  size_t count = 0;
  for (size_t f = from; f < to && f < s.Frames(); ++f)
    for (int c = 0; c < s.channels; ++c, ++count)
      sum += double(s.samples[f * s.channels + c]) * s.samples[f * s.channels + c];
  return 10 * std::log10(std::max(count ? sum / count : 0.0, 1e-12));
}

namespace {

Bytes Inflate(const Bytes& in, size_t start, size_t length, size_t real) {
  if (start + length > in.size()) throw std::runtime_error("truncated archive");
  Bytes out(real + real / 2 + 12);
  uLongf size = uLongf(out.size());
  if (uncompress(out.data(), &size, in.data() + start, uLong(length)) != Z_OK)
    throw std::runtime_error("an item does not inflate");
  if (size != real) throw std::runtime_error("an item inflates to the wrong size");
  out.resize(size);
  return out;
}

std::string TrimmedName(const Bytes& table, size_t at) {
  std::string name(table.begin() + long(at), table.begin() + long(at) + 256);
  size_t b = name.find_first_not_of(std::string("\0 ", 2));
  size_t e = name.find_last_not_of(std::string("\0 ", 2));
  return b == std::string::npos ? "" : name.substr(b, e - b + 1);
}

}  // namespace

std::vector<Item> ReadPak(const Bytes& f) {
  if (f.size() < 20 || Le32(f, 0) != 0x4B415021) throw std::runtime_error("not a pak file");
  if (Le32(f, 4) != 0x00010001) throw std::runtime_error("unexpected version");
  uint32_t n = Le32(f, 8), packed = Le32(f, 12), unpacked = Le32(f, 16);
  Bytes table = Inflate(f, 20, packed, unpacked);
  if (table.size() != size_t(n) * 272) throw std::runtime_error("table size");
  std::vector<Item> items;
  size_t at = 20 + packed;
  for (uint32_t i = 0; i < n; ++i) {
    Item it;
    it.size = Le32(table, i * 272);
    it.offset = Le32(table, i * 272 + 4);
    it.realSize = Le32(table, i * 272 + 8);
    it.kind = Le32(table, i * 272 + 12);
    it.name = TrimmedName(table, i * 272 + 16);
    if (it.offset != at) throw std::runtime_error("offset of " + it.name + " is off");
    it.data = Inflate(f, at, it.size, it.realSize);
    at += it.size;
    items.push_back(it);
  }
  if (at != f.size()) throw std::runtime_error("bytes after the last item");
  return items;
}

std::vector<std::vector<std::string>> ReadFixture(const std::string& name) {
  std::ifstream in(SourceDir() + "/tests/tools/data/" + name);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, '\t')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

}  // namespace datatest
