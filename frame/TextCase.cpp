#include "TextCase.h"

namespace {

bool IsLowerLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

bool IsUpperLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

size_t FilePartStart(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? 0 : slash + 1;
}

size_t ExtensionDot(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < FilePartStart(path)) return std::string::npos;
  return dot;
}

}  // namespace

std::string UpperCase(std::string text) {
  for (char& ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (IsLowerLetter(c)) ch = static_cast<char>(c - 32);
  }
  return text;
}

std::string LowerCase(std::string text) {
  for (char& ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (IsUpperLetter(c)) ch = static_cast<char>(c + 32);
  }
  return text;
}

std::string FileExtension(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string FileStem(const std::string& path) {
  size_t start = FilePartStart(path);
  size_t dot = ExtensionDot(path);
  return path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}

std::string StripExtension(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? path : path.substr(0, dot);
}
