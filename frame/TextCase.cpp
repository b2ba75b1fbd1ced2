#include "TextCase.h"

#include "Utf8.h"

namespace {

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

std::string UpperCase(std::string text) { return plat::UpperUtf8(text); }

std::string LowerCase(std::string text) { return plat::LowerUtf8(text); }

std::string UpperCaseFirst(const std::string& text) {
  std::string first = plat::FirstChars(text, 1);
  return UpperCase(first) + text.substr(first.size());
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
