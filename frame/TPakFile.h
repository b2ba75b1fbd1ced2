// One resource archive file ("!PAK", versions 1 and 0x00010001).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Platform.h"
#include "TPakItem.h"

// One record of a version 0x00010001 archive's table.
class TTableItem {
 public:
  static constexpr int NAME_SIZE = 256;
  static constexpr int ITEM_SIZE = 272;

  int Size = 0;
  int Offset = 0;
  int RealSize = 0;
  int VarType = 0;
  std::string Name;

  void ReadFromStream(plat::TStream& stream);
};

class TPakFile {
 public:
  static constexpr int32_t MAGIC = 0x4B415021;  // "!PAK"
  static constexpr int32_t VERSION_1 = 1;
  static constexpr int32_t VERSION_TABLE = 0x00010001;
  static constexpr int NAME_SIZE_V1 = 52;

  std::vector<TPakItemPtr> Items;

  // Null when the file cannot be opened. A damaged archive throws
  // std::runtime_error with the reason.
  static std::unique_ptr<TPakFile> Create(const std::string& path);
  void ReadFromStream(plat::TStream& stream);
  // A version 0x00010001 archive too large to hold: its table alone (each
  // record's Offset where its item lies in the stream), and one item read
  // from it when wanted. Both throw as ReadFromStream does.
  static std::vector<TTableItem> ReadTable(plat::TStream& stream);
  static std::vector<uint8_t> ReadItem(plat::TStream& stream, const TTableItem& record);

 private:
  void ReadVersion1(plat::TStream& stream);
  void ReadVersionTable(plat::TStream& stream);
};

// Names are padded with spaces or NULs; both ends are trimmed.
std::string TrimPakName(const std::string& raw);
