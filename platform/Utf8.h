// The game's text is UTF-8. These helpers walk it by character (code
// point), convert the Latin-1 of older files and give letter case for the
// alphabets players type names in: Latin (Latin-1 and Latin Extended-A),
// Greek and Cyrillic. They touch no library, so every layer may use them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// The length of the well-formed UTF-8 sequence of two to four bytes at
// text[i], 0 when there is none (an ASCII byte is not counted here).
size_t Utf8SequenceAt(std::string_view text, size_t i);

// The character at text[i], moving i past it. A byte that does not begin a
// well-formed sequence is the Latin-1 character of that byte, so that no
// text is ever lost, whatever its bytes.
char32_t NextChar(std::string_view text, size_t& i);
// The start of the character that ends at byte end.
size_t CharStartBefore(std::string_view text, size_t end);

std::u32string CodePoints(std::string_view text);
std::string Utf8Of(char32_t c);
std::string Utf8Of(const std::u32string& chars);

// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsUtf8(std::string_view text);
std::string Utf8OfLatin1(std::string_view latin1);
// The text of a file written by this or an earlier version: well-formed
// UTF-8 as it is, anything else as the Latin-1 that earlier versions wrote.
std::string TextOfStoredBytes(std::string_view bytes);
// Bytes of mixed origin (a text joined with a system message) made showable:
// each well-formed UTF-8 sequence as it is, every other byte as Latin-1.
std::string ShowableUtf8(std::string_view bytes);

size_t CharCount(std::string_view text);
// The first n characters.
std::string FirstChars(std::string_view text, size_t n);

char32_t UpperOf(char32_t c);
char32_t LowerOf(char32_t c);
std::string UpperUtf8(std::string_view text);
std::string LowerUtf8(std::string_view text);

}  // namespace plat
