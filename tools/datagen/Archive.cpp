#include "Archive.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace datagen {

int PakKind(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  if (ext == "txt") return 1;
  if (ext == "png" || ext == "jpg" || ext == "tga" || ext == "bmp") return 2;
  if (ext == "ttf") return 3;
  if (ext == "wav" || ext == "ogg") return 4;
  return 0;
}

namespace {

Bytes Deflate(const Bytes& data, int level) {
  uLongf size = compressBound(uLong(data.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, data.data(), uLong(data.size()), level) != Z_OK)
    throw std::runtime_error("zlib could not compress an archive item");
  out.resize(size);
  return out;
}

void PutLe(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

Bytes BuildPak(const std::vector<PakItem>& items) {
  std::vector<Bytes> blocks;
  for (const PakItem& item : items) {
    if (item.name.empty() || item.name.size() >= kPakNameSize)
      throw std::invalid_argument("archive item name does not fit: \"" + item.name + "\"");
    blocks.push_back(Deflate(item.data, 9));
  }
  // One record per item: compressed size, offset, real size, kind, name.
  auto buildTable = [&](uint32_t dataStart) {
    Bytes t;
    uint32_t offset = dataStart;
    for (size_t i = 0; i < items.size(); ++i) {
      PutLe(t, uint32_t(blocks[i].size()));
      PutLe(t, offset);
      PutLe(t, uint32_t(items[i].data.size()));
      PutLe(t, uint32_t(PakKind(items[i].name)));
      Bytes name(kPakNameSize, 0);
      std::copy(items[i].name.begin(), items[i].name.end(), name.begin());
      t.insert(t.end(), name.begin(), name.end());
      offset += uint32_t(blocks[i].size());
    }
    return t;
  };
  // The table records each item's offset, which depends on the size of the
  // compressed table before it. Stored (level 0) its size depends only on its
  // length, so the offsets are known before it is built; it is small anyway.
  const uint32_t header = 5 * 4;
  const uint32_t tableBytes = uint32_t(items.size() * kPakRecordSize);
  uint32_t packedSize = uint32_t(Deflate(Bytes(tableBytes, 0), 0).size());
  Bytes table = buildTable(header + packedSize);
  Bytes packed = Deflate(table, 0);
  if (packed.size() != packedSize) throw std::runtime_error("archive table size changed");
  Bytes out;
  PutLe(out, kPakMagic);
  PutLe(out, kPakVersion);
  PutLe(out, uint32_t(items.size()));
  PutLe(out, uint32_t(packed.size()));
  PutLe(out, uint32_t(table.size()));
  out.insert(out.end(), packed.begin(), packed.end());
  for (const Bytes& b : blocks) out.insert(out.end(), b.begin(), b.end());
  return out;
}

}  // namespace datagen
