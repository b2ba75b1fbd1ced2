#include "TPakFile.h"

#include <zlib.h>

#include <stdexcept>

namespace {

// Deflate cannot expand data by more than this factor (plus a little).
constexpr int64_t kMaxInflateRatio = 1032;

[[noreturn]] void Truncated() { throw std::runtime_error("TPakFile::Truncated pak file"); }

int64_t Remaining(plat::TStream& stream) { return stream.Size() - stream.Pos(); }

int32_t ReadCheckedInt(plat::TStream& stream) {
  if (Remaining(stream) < 4) Truncated();
  return stream.ReadInt();
}

std::vector<uint8_t> ReadBytes(plat::TStream& stream, int64_t count) {
  if (count < 0 || count > Remaining(stream)) Truncated();
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  if (count > 0 && stream.Read(bytes.data(), bytes.size()) != bytes.size()) Truncated();
  return bytes;
}

// Inflates one zlib stream that must yield exactly realSize bytes.
std::vector<uint8_t> Inflate(const std::vector<uint8_t>& packed, int64_t realSize,
                             const std::string& what) {
  if (realSize < 0 || realSize > int64_t(packed.size()) * kMaxInflateRatio + 64) {
    throw std::runtime_error("TPakFile::Damaged item " + what);
  }
  // Room for the stated size plus the compressor's worst case, so that a
  // stream longer than stated is detected rather than cut silently.
  std::vector<uint8_t> out(static_cast<size_t>(realSize + realSize / 2 + 12));
  uLongf outLen = uLongf(out.size());
  int rc = uncompress(out.data(), &outLen, packed.data(), uLong(packed.size()));
  if (rc != Z_OK || int64_t(outLen) != realSize) {
    throw std::runtime_error("TPakFile::Damaged item " + what);
  }
  out.resize(size_t(realSize));
  return out;
}

std::string ReadName(plat::TStream& stream, int size) {
  std::vector<uint8_t> raw = ReadBytes(stream, size);
  return TrimPakName(std::string(raw.begin(), raw.end()));
}

}  // namespace

std::string TrimPakName(const std::string& raw) {
  size_t begin = 0;
  size_t end = raw.size();
  while (begin < end && static_cast<unsigned char>(raw[begin]) <= 32) ++begin;
  while (end > begin && static_cast<unsigned char>(raw[end - 1]) <= 32) --end;
  return raw.substr(begin, end - begin);
}

void TTableItem::ReadFromStream(plat::TStream& stream) {
  Size = ReadCheckedInt(stream);
  Offset = ReadCheckedInt(stream);
  RealSize = ReadCheckedInt(stream);
  VarType = ReadCheckedInt(stream);
  Name = ReadName(stream, NAME_SIZE);
}

std::unique_ptr<TPakFile> TPakFile::Create(const std::string& path) {
  // Straight from the disk: the archive is what the stream hook serves from.
  plat::TStreamPtr stream = plat::ReadDiskFile(path);
  if (!stream) return nullptr;
  auto pak = std::make_unique<TPakFile>();
  pak->ReadFromStream(*stream);
  stream->Close();
  return pak;
}

void TPakFile::ReadFromStream(plat::TStream& stream) {
  if (Remaining(stream) < 4 || stream.ReadInt() != MAGIC) {
    throw std::runtime_error("TPakFile::Invalid pak file");
  }
  int32_t version = ReadCheckedInt(stream);
  if (version == VERSION_1) {
    ReadVersion1(stream);
  } else if (version == VERSION_TABLE) {
    ReadVersionTable(stream);
  } else {
    uint32_t v = uint32_t(version);
    throw std::runtime_error("TPakFile::Unsupported pakfile version " + std::to_string(v & 0xFFFF) +
                             "." + std::to_string(v >> 16));
  }
}

void TPakFile::ReadVersion1(plat::TStream& stream) {
  int32_t count = ReadCheckedInt(stream);
  // Each item needs at least its 64-byte header.
  if (count < 0 || int64_t(count) * (NAME_SIZE_V1 + 12) > Remaining(stream)) Truncated();
  Items.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    std::string name = ReadName(stream, NAME_SIZE_V1);
    int varType = ReadCheckedInt(stream);
    int32_t packedSize = ReadCheckedInt(stream);
    int32_t realSize = ReadCheckedInt(stream);
    std::vector<uint8_t> packed = ReadBytes(stream, packedSize);
    Items.push_back(std::make_shared<TPakItem>(name, varType, Inflate(packed, realSize, name)));
  }
}

namespace {

// The table of a version 0x00010001 archive, the stream just past its version.
std::vector<TTableItem> ReadRecords(plat::TStream& stream) {
  int32_t count = ReadCheckedInt(stream);
  int32_t tableSize = ReadCheckedInt(stream);
  int32_t tableRealSize = ReadCheckedInt(stream);
  if (count < 0 || int64_t(count) * TTableItem::ITEM_SIZE != int64_t(tableRealSize)) {
    throw std::runtime_error("TPakFile::Damaged item table");
  }
  plat::TMemoryStream table(Inflate(ReadBytes(stream, tableSize), tableRealSize, "table"));
  std::vector<TTableItem> records(static_cast<size_t>(count));
  for (TTableItem& record : records) record.ReadFromStream(table);
  return records;
}

}  // namespace

std::vector<TTableItem> TPakFile::ReadTable(plat::TStream& stream) {
  if (Remaining(stream) < 8 || stream.ReadInt() != MAGIC || stream.ReadInt() != VERSION_TABLE)
    throw std::runtime_error("TPakFile::Invalid pak file");
  std::vector<TTableItem> records = ReadRecords(stream);
  // The items follow the table in its order, as ReadFromStream reads them:
  // each one's offset becomes where it lies in the stream.
  int64_t at = stream.Pos();
  for (TTableItem& record : records) {
    if (record.Size < 0 || at + record.Size > stream.Size()) Truncated();
    record.Offset = int(at);
    at += record.Size;
  }
  return records;
}

std::vector<uint8_t> TPakFile::ReadItem(plat::TStream& stream, const TTableItem& record) {
  if (record.Offset < 0 || !stream.Seek(record.Offset)) Truncated();
  return Inflate(ReadBytes(stream, record.Size), record.RealSize, record.Name);
}

void TPakFile::ReadVersionTable(plat::TStream& stream) {
  std::vector<TTableItem> records = ReadRecords(stream);
  Items.reserve(records.size());
  for (const TTableItem& record : records) {
    std::vector<uint8_t> packed = ReadBytes(stream, record.Size);
    Items.push_back(std::make_shared<TPakItem>(record.Name, record.VarType,
                                               Inflate(packed, record.RealSize, record.Name)));
  }
}
