#include "TPakItem.h"

#include <utility>

#include "TextCase.h"

namespace {

// Appends one decoded character, as '?' when it does not fit in a byte.
void AppendCode(std::string& out, uint32_t code) { out.push_back(char(code > 255 ? '?' : code)); }

std::string DecodeUtf8(const std::vector<uint8_t>& b, size_t i) {
  std::string out;
  while (i < b.size()) {
    uint32_t c = b[i];
    size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (i + extra >= b.size()) {  // a sequence cut off at the end
      AppendCode(out, '?');
      break;
    }
    if (extra > 0) c &= 0x3Fu >> extra;
    for (size_t k = 1; k <= extra; ++k) c = (c << 6) | (b[i + k] & 0x3Fu);
    AppendCode(out, c);
    i += extra + 1;
  }
  return out;
}

std::string DecodeUtf16(const std::vector<uint8_t>& b, bool bigEndian) {
  std::string out;
  for (size_t i = 2; i + 1 < b.size(); i += 2) {
    uint32_t c = bigEndian ? (uint32_t(b[i]) << 8 | b[i + 1]) : (uint32_t(b[i + 1]) << 8 | b[i]);
    AppendCode(out, c);
  }
  return out;
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
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return DecodeUtf8(b, 3);
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) return DecodeUtf16(b, false);
  if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) return DecodeUtf16(b, true);
  return GetString();
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
