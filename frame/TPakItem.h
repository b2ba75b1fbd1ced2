// One named item of the resource archive, held uncompressed in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Platform.h"

// Content kinds of archive items and loose resource files.
enum TPakVarType { PAK_BINARY = 0, PAK_TEXT = 1, PAK_IMAGE = 2, PAK_FONT = 3, PAK_SOUND = 4 };

// Style bit asking for anti-aliased glyphs.
inline constexpr int SMOOTHFONT = 4;

class TPakItem {
 public:
  TPakItem() = default;
  TPakItem(std::string name, int varType, std::vector<uint8_t> data);

  std::string Name;
  int VarType = PAK_BINARY;
  std::vector<uint8_t> Data;

  // The kind a loose file gets from its extension.
  static int VarTypeForFile(const std::string& fileName);

  std::vector<uint8_t> GetBinary() const { return Data; }
  // The bytes themselves, without a copy.
  const std::vector<uint8_t>& GetBank() const { return Data; }
  std::string GetString() const;
  plat::TStreamPtr GetStream() const;
  // Text as a text loader reads it, in UTF-8: a UTF-8 or UTF-16 byte-order
  // mark is honoured; without one, text that is not UTF-8 is Latin-1.
  std::string GetText() const;
  std::shared_ptr<plat::TPixmap> GetPixmap() const;
  plat::TImagePtr GetImage(int flags = -1) const;
  plat::TImagePtr GetAnimImage(int frameWidth, int frameHeight, int firstFrame, int frameCount,
                               int flags = -1) const;
  // The face at the pixel height, or the next smaller height it accepts.
  plat::TFontPtr GetImageFont(int size, int style = SMOOTHFONT) const;
  plat::TSoundPtr GetSound(int flags = 0) const;
  // The sound fully decoded (never streamed).
  plat::TSoundPtr GetAudioSample() const;
  std::string ToString() const { return Name; }
};

using TPakItemPtr = std::shared_ptr<TPakItem>;
