// Writes resource archives for the tests, in either version, with room to
// damage them on purpose.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace paktest {

struct Entry {
  std::string name;
  int kind = 0;
  std::string data;
};

inline void PutInt(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char((v >> (8 * i)) & 0xFF));
}

inline std::string Deflate(const std::string& data) {
  uLongf size = compressBound(uLong(data.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
           uLong(data.size()));
  out.resize(size);
  return out;
}

// A name field of the given width, padded with the given byte.
inline std::string Field(const std::string& name, size_t width, char pad = '\0') {
  std::string field = name.substr(0, width);
  field.resize(width, pad);
  return field;
}

inline std::string Header(uint32_t version) {
  std::string out = "!PAK";
  PutInt(out, version);
  return out;
}

inline std::string Version1(const std::vector<Entry>& entries) {
  std::string out = Header(1);
  PutInt(out, uint32_t(entries.size()));
  for (const Entry& e : entries) {
    std::string packed = Deflate(e.data);
    out += Field(e.name, 52);
    PutInt(out, uint32_t(e.kind));
    PutInt(out, uint32_t(packed.size()));
    PutInt(out, uint32_t(e.data.size()));
    out += packed;
  }
  return out;
}

inline std::string VersionTable(const std::vector<Entry>& entries) {
  std::string table;
  std::string blocks;
  for (const Entry& e : entries) {
    std::string packed = Deflate(e.data);
    PutInt(table, uint32_t(packed.size()));
    PutInt(table, uint32_t(blocks.size()));
    PutInt(table, uint32_t(e.data.size()));
    PutInt(table, uint32_t(e.kind));
    table += Field(e.name, 256);
    blocks += packed;
  }
  std::string packedTable = Deflate(table);
  std::string out = Header(0x00010001);
  PutInt(out, uint32_t(entries.size()));
  PutInt(out, uint32_t(packedTable.size()));
  PutInt(out, uint32_t(table.size()));
  return out + packedTable + blocks;
}

}  // namespace paktest
