// Byte-level stream rules shared by every file the game reads or writes.
#include <cstring>

#include "Platform.h"

namespace plat {

namespace {

template <typename T>
T ReadLE(TStream& s) {
  uint8_t bytes[sizeof(T)] = {};
  s.Read(bytes, sizeof(T));
  uint64_t v = 0;
  for (size_t i = 0; i < sizeof(T); ++i) v |= uint64_t(bytes[i]) << (8 * i);
  T out;
  if constexpr (sizeof(T) == 8) {
    uint64_t w = v;
    std::memcpy(&out, &w, sizeof(T));
  } else if constexpr (sizeof(T) == 4) {
    uint32_t w = uint32_t(v);
    std::memcpy(&out, &w, sizeof(T));
  } else if constexpr (sizeof(T) == 2) {
    uint16_t w = uint16_t(v);
    std::memcpy(&out, &w, sizeof(T));
  } else {
    uint8_t w = uint8_t(v);
    std::memcpy(&out, &w, sizeof(T));
  }
  return out;
}

template <typename T>
void WriteLE(TStream& s, T value) {
  uint64_t v = 0;
  if constexpr (sizeof(T) == 8) {
    uint64_t w;
    std::memcpy(&w, &value, 8);
    v = w;
  } else if constexpr (sizeof(T) == 4) {
    uint32_t w;
    std::memcpy(&w, &value, 4);
    v = w;
  } else if constexpr (sizeof(T) == 2) {
    uint16_t w;
    std::memcpy(&w, &value, 2);
    v = w;
  } else {
    uint8_t w;
    std::memcpy(&w, &value, 1);
    v = w;
  }
  uint8_t bytes[sizeof(T)];
  for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = uint8_t(v >> (8 * i));
  s.Write(bytes, sizeof(T));
}

}  // namespace

TPixmap::TPixmap(int w, int h, uint32_t fill)
    : width(w < 0 ? 0 : w), height(h < 0 ? 0 : h), pixels(size_t(width) * height, fill) {}

int TStream::ReadByte() { return ReadLE<uint8_t>(*this); }
int TStream::ReadShort() { return ReadLE<uint16_t>(*this); }
int32_t TStream::ReadInt() { return ReadLE<int32_t>(*this); }
int64_t TStream::ReadLong() { return ReadLE<int64_t>(*this); }
float TStream::ReadFloat() { return ReadLE<float>(*this); }
double TStream::ReadDouble() { return ReadLE<double>(*this); }

void TStream::WriteByte(int v) { WriteLE<uint8_t>(*this, uint8_t(v)); }
void TStream::WriteShort(int v) { WriteLE<uint16_t>(*this, uint16_t(v)); }
void TStream::WriteInt(int32_t v) { WriteLE<int32_t>(*this, v); }
void TStream::WriteLong(int64_t v) { WriteLE<int64_t>(*this, v); }
void TStream::WriteFloat(float v) { WriteLE<float>(*this, v); }
void TStream::WriteDouble(double v) { WriteLE<double>(*this, v); }

std::string TStream::ReadLine() {
  std::string line;
  uint8_t c;
  while (Read(&c, 1) == 1) {
    if (c == 10 || c == 0) break;
    if (c != 13) line.push_back(char(c));
  }
  return line;
}

void TStream::WriteString(const std::string& s) {
  if (!s.empty()) Write(s.data(), s.size());
}

void TStream::WriteString(const std::u16string& s) {
  std::string bytes;
  bytes.reserve(s.size());
  for (char16_t c : s) bytes.push_back(char(c & 0xff));
  WriteString(bytes);
}

void TStream::WriteLine(const std::string& s) {
  WriteString(s);
  static const char crlf[2] = {13, 10};
  Write(crlf, 2);
}

void TStream::WriteLine(const std::u16string& s) {
  WriteString(s);
  static const char crlf[2] = {13, 10};
  Write(crlf, 2);
}

std::string TStream::ReadString(size_t n) {
  std::string s(n, '\0');
  size_t got = n ? Read(s.data(), n) : 0;
  s.resize(got);
  return s;
}

std::vector<uint8_t> TStream::ReadAll() {
  std::vector<uint8_t> out;
  int64_t size = Size() - Pos();
  if (size > 0) out.reserve(size_t(size));
  uint8_t buf[16384];
  for (;;) {
    size_t got = Read(buf, sizeof buf);
    if (got == 0) break;
    out.insert(out.end(), buf, buf + got);
  }
  return out;
}

size_t TMemoryStream::Read(void* buf, size_t n) {
  if (pos_ >= int64_t(data_.size())) return 0;
  size_t avail = data_.size() - size_t(pos_);
  size_t take = n < avail ? n : avail;
  std::memcpy(buf, data_.data() + pos_, take);
  pos_ += int64_t(take);
  return take;
}

size_t TMemoryStream::Write(const void* buf, size_t n) {
  size_t end = size_t(pos_) + n;
  if (end > data_.size()) data_.resize(end);
  std::memcpy(data_.data() + pos_, buf, n);
  pos_ = int64_t(end);
  return n;
}

bool TMemoryStream::Seek(int64_t pos) {
  if (pos < 0) return false;
  pos_ = pos;
  return true;
}

}  // namespace plat
