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

// The length of the well-formed UTF-8 sequence of two to four bytes at
// text[i], 0 when there is none.
inline size_t Utf8SequenceAt(const std::string& text, size_t i) {
  unsigned char c = text[i];
  size_t length = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
  }
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  unsigned char second = text[i + 1];
  if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
      (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

// A message may join the game's text (Latin-1) and a path (the system's
// bytes, UTF-8): for showing it, well-formed UTF-8 stays as it is and every
// other byte is a Latin-1 character.
inline std::string MessageToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (size_t length = Utf8SequenceAt(text, i)) {
      out.append(text, i, length);
      i += length;
    } else {
      out += Latin1ToUtf8(text.substr(i, 1));
      ++i;
    }
  }
  return out;
}

}  // namespace plat::detail
