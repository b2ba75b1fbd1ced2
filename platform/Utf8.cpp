#include "Utf8.h"

namespace plat {

size_t Utf8SequenceAt(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
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
  unsigned char second = static_cast<unsigned char>(text[i + 1]);
  if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
      (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

char32_t NextChar(std::string_view text, size_t& i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t length = c < 0x80 ? 0 : Utf8SequenceAt(text, i);
  if (length == 0) {
    ++i;
    return c;
  }
  char32_t code = c & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
  }
  i += length;
  return code;
}

size_t CharStartBefore(std::string_view text, size_t end) {
  if (end == 0) return 0;
  // A sequence is at most four bytes: try the longest start first.
  for (size_t back = 4; back >= 2; --back) {
    if (end >= back && Utf8SequenceAt(text, end - back) == back) return end - back;
  }
  return end - 1;
}

std::u32string CodePoints(std::string_view text) {
  std::u32string chars;
  for (size_t i = 0; i < text.size();) chars.push_back(NextChar(text, i));
  return chars;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    if (c >= 0xD800 && c <= 0xDFFF) return Utf8Of(0xFFFD);  // a lone surrogate
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c <= 0x10FFFF) {
    out.push_back(char(0xF0 | (c >> 18)));
    out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    return Utf8Of(0xFFFD);
  }
  return out;
}

std::string Utf8Of(const std::u32string& chars) {
  std::string out;
  for (char32_t c : chars) out += Utf8Of(c);
  return out;
}

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
    } else if (size_t length = Utf8SequenceAt(text, i)) {
      i += length;
    } else {
      return false;
    }
  }
  return true;
}

std::string Utf8OfLatin1(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char c : latin1) out += Utf8Of(c);
  return out;
}

std::string TextOfStoredBytes(std::string_view bytes) {
  return IsUtf8(bytes) ? std::string(bytes) : Utf8OfLatin1(bytes);
}

std::string ShowableUtf8(std::string_view bytes) { return Utf8Of(CodePoints(bytes)); }

size_t CharCount(std::string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) NextChar(text, i);
  return count;
}

std::string FirstChars(std::string_view text, size_t n) {
  size_t i = 0;
  for (size_t k = 0; k < n && i < text.size(); ++k) NextChar(text, i);
  return std::string(text.substr(0, i));
}

namespace {

// A block of letters in which upper and lower case alternate: the even or
// the odd code of each pair is the capital.
struct TPairedBlock {
  char32_t first, last;
  bool evenIsUpper;
};

constexpr TPairedBlock kPaired[] = {
    {0x0100, 0x012F, true}, {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true}, {0x0179, 0x017E, false}, {0x0460, 0x0481, true},
    {0x048A, 0x04BF, true}, {0x04C1, 0x04CE, false}, {0x04D0, 0x052F, true},
};

// Capitals whose small letter is an offset away.
struct TShiftedBlock {
  char32_t firstUpper, lastUpper;
  int toLower;
};

constexpr TShiftedBlock kShifted[] = {
    {'A', 'Z', 32},       {0x00C0, 0x00D6, 32}, {0x00D8, 0x00DE, 32},  // Latin
    {0x0391, 0x03A1, 32}, {0x03A3, 0x03AB, 32},                        // Greek
    {0x0388, 0x038A, 37}, {0x038E, 0x038F, 63},                        // Greek tonos
    {0x0410, 0x042F, 32}, {0x0400, 0x040F, 80},                        // Cyrillic
};

// Single pairs outside the blocks: capital, small.
constexpr char32_t kSingles[][2] = {
    {0x0178, 0x00FF},  // Ÿ ÿ
    {0x0386, 0x03AC},  // Ά ά
    {0x038C, 0x03CC},  // Ό ό
    {0x04C0, 0x04CF},  // Ӏ ӏ
};

}  // namespace

char32_t UpperOf(char32_t c) {
  if (c == 0x03C2) return 0x03A3;  // final sigma
  if (c == 0x0131) return 'I';     // dotless i
  for (const auto& b : kShifted) {
    char32_t lower = c - char32_t(b.toLower);
    if (c >= b.firstUpper + char32_t(b.toLower) && lower <= b.lastUpper) return lower;
  }
  for (const auto& b : kPaired) {
    if (c >= b.first && c <= b.last && ((c % 2 == 0) != b.evenIsUpper)) return c - 1;
  }
  for (const auto& s : kSingles) {
    if (c == s[1]) return s[0];
  }
  return c;
}

char32_t LowerOf(char32_t c) {
  if (c == 0x0130) return 'i';  // capital I with dot
  for (const auto& b : kShifted) {
    if (c >= b.firstUpper && c <= b.lastUpper) return c + char32_t(b.toLower);
  }
  for (const auto& b : kPaired) {
    if (c >= b.first && c <= b.last && ((c % 2 == 0) == b.evenIsUpper)) return c + 1;
  }
  for (const auto& s : kSingles) {
    if (c == s[0]) return s[1];
  }
  return c;
}

namespace {

template <typename Map>
std::string MapChars(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out.push_back(char(map(c)));
      ++i;
      continue;
    }
    size_t start = i;
    char32_t code = NextChar(text, i);
    char32_t mapped = map(code);
    // A byte that is not UTF-8 stays the byte it was.
    if (mapped == code || i - start == 1) {
      out.append(text.substr(start, i - start));
    } else {
      out += Utf8Of(mapped);
    }
  }
  return out;
}

}  // namespace

std::string UpperUtf8(std::string_view text) { return MapChars(text, UpperOf); }
std::string LowerUtf8(std::string_view text) { return MapChars(text, LowerOf); }

}  // namespace plat
