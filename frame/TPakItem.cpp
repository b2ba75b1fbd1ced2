#include "TPakItem.h"

#include <utility>

#include "TextCase.h"
#include "Utf8.h"

namespace {

std::string DecodeUtf16(const std::vector<uint8_t>& b, bool bigEndian) {
  std::u32string chars;
  for (size_t i = 2; i + 1 < b.size(); i += 2) {
    char32_t c = bigEndian ? (char32_t(b[i]) << 8 | b[i + 1]) : (char32_t(b[i + 1]) << 8 | b[i]);
    // A pair of surrogates is one character beyond the first 65536.
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < b.size()) {
      char32_t low =
          bigEndian ? (char32_t(b[i + 2]) << 8 | b[i + 3]) : (char32_t(b[i + 3]) << 8 | b[i + 2]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    chars.push_back(c);  // a lone surrogate becomes U+FFFD in UTF-8
  }
  return plat::Utf8Of(chars);
}

}  // namespace

TPakItem::TPakItem(std::string name, int varType, std::vector<uint8_t> data)
    : Name(std::move(name)), VarType(varType), Data(std::move(data)) {}

int TPakItem::VarTypeForFile(const std::string& fileName) {
  std::string ext = LowerCase(FileExtension(fileName));
  if (ext == "txt") return PAK_TEXT;
  if (ext == "png" || ext == "jpg" || ext == "tga" || ext == "bmp") return PAK_IMAGE;
  if (ext == "ttf") return PAK_FONT;
  if (ext == "wav" || ext == "ogg") return PAK_SOUND;
  return PAK_BINARY;
}

std::string TPakItem::GetString() const { return std::string(Data.begin(), Data.end()); }

plat::TStreamPtr TPakItem::GetStream() const { return std::make_unique<plat::TMemoryStream>(Data); }

std::string TPakItem::GetText() const {
  const auto& b = Data;
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    return plat::ShowableUtf8(GetString().substr(3));
  }
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) return DecodeUtf16(b, false);
  if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) return DecodeUtf16(b, true);
  return plat::TextOfStoredBytes(GetString());
}

std::shared_ptr<plat::TPixmap> TPakItem::GetPixmap() const {
  plat::TMemoryStream stream(Data);
  return plat::LoadPixmap(stream);
}

plat::TImagePtr TPakItem::GetImage(int flags) const {
  plat::TMemoryStream stream(Data);
  return plat::LoadImage(stream, flags);
}

plat::TImagePtr TPakItem::GetAnimImage(int frameWidth, int frameHeight, int firstFrame,
                                       int frameCount, int flags) const {
  plat::TMemoryStream stream(Data);
  return plat::LoadAnimImage(stream, frameWidth, frameHeight, firstFrame, frameCount, flags);
}

plat::TFontPtr TPakItem::GetImageFont(int size, int style) const {
  bool smooth = (style & SMOOTHFONT) != 0;
  for (int height = size; height >= 1; --height) {
    if (auto font = plat::LoadImageFont(Data, height, smooth)) return font;
  }
  return nullptr;
}

plat::TSoundPtr TPakItem::GetSound(int flags) const {
  plat::TMemoryStream stream(Data);
  return plat::LoadSound(stream, flags);
}

plat::TSoundPtr TPakItem::GetAudioSample() const { return GetSound(0); }
