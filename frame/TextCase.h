// Letter case of UTF-8 strings (names and keys compare case-insensitively):
// Latin, Greek and Cyrillic letters change case, everything else stays.
#pragma once

#include <string>

std::string UpperCase(std::string text);
std::string LowerCase(std::string text);
// The text with its first character (not byte) in upper case.
std::string UpperCaseFirst(const std::string& text);
// The extension after the last "." of the file part, without the dot.
std::string FileExtension(const std::string& path);
// The file part without folder and extension.
std::string FileStem(const std::string& path);
// The path without its extension.
std::string StripExtension(const std::string& path);
