// Writer of the game's resource archive "data.pak" in its version 0x00010001
// form: magic "!PAK", version, item count, the zlib-compressed table of
// 272-byte records, then one zlib stream per item in table order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kPakMagic = 0x4B415021;  // "!PAK" little-endian
constexpr uint32_t kPakVersion = 0x00010001;
constexpr size_t kPakNameSize = 256;
constexpr size_t kPakRecordSize = 272;

// Content kind of an item by file extension, as the game's reader assigns it.
int PakKind(const std::string& name);

struct PakItem {
  std::string name;  // path relative to the resource folder, at most 255 characters
  Bytes data;
};

// Throws std::invalid_argument for a name that does not fit the table.
Bytes BuildPak(const std::vector<PakItem>& items);

}  // namespace datagen
