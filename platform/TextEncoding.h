// The game keeps one character per byte (Latin-1); the system speaks UTF-8.
#pragma once

#include <string>

namespace plat::detail {

inline std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out.push_back(char(c));
    } else {
      out.push_back(char(0xC0 | (c >> 6)));
      out.push_back(char(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// Characters beyond 255, and bytes that are not valid UTF-8, are kept as
// they are so that names still round-trip.
inline std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    unsigned char c = utf8[i];
    unsigned char next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if ((c == 0xC2 || c == 0xC3) && (next & 0xC0) == 0x80) {
      out.push_back(char(((c & 0x1F) << 6) | (next & 0x3F)));
      ++i;
    } else {
      out.push_back(char(c));
    }
  }
  return out;
}

}  // namespace plat::detail
