// The layout file: a header, then four blocks of 12 rows of 16 digits (the
// layout kind, chains, create cells, fill cells), each block after a "-"
// line. The border ring is not stored.
#include <array>

#include "Globals.h"
#include "TCellBox.h"

namespace {

constexpr const char* LayoutHeader = "Gleamstrand Layout";
constexpr int Rows = board::GridHeight - 2;
constexpr int Columns = board::GridWidth - 2;

using TField = int TLayoutCell::*;
constexpr std::array<TField, 4> Blocks = {&TLayoutCell::Contents, &TLayoutCell::IsChain,
                                          &TLayoutCell::IsCreate, &TLayoutCell::IsFill};

// Past the end of the file a read gives byte 0, which is no digit: 0.
int DigitValue(int c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

}  // namespace

int TCellBox::LoadLayout(const std::string& path) {
  if (ReadLayout(path)) return 1;
  ReportError("Could not read file '" + path + "'", 1);
  return 0;
}

int TCellBox::ReadLayout(const std::string& path) {
  plat::TStreamPtr in = plat::ReadStream(path);
  if (!in) return 0;
  in->ReadLine();
  in->ReadLine();
  Clear();
  for (size_t block = 0; block < Blocks.size(); ++block) {
    if (block > 0) in->ReadLine();
    for (int y = 1; y <= Rows; ++y) {
      for (int x = 1; x <= Columns; ++x) LayoutAt(x, y).*Blocks[block] = DigitValue(in->ReadByte());
      in->ReadByte();
      in->ReadByte();
    }
  }
  in->Close();
  return 1;
}

int TCellBox::SaveLayout(const std::string& path) const {
  if (WriteLayout(path)) return 1;
  ReportError("Could not create file '" + path + "'", 1);
  return 0;
}

int TCellBox::WriteLayout(const std::string& path) const {
  plat::TStreamPtr out = plat::WriteFileAtomic(path);
  if (!out) return 0;
  out->WriteLine(std::string(LayoutHeader));
  for (TField field : Blocks) {
    out->WriteLine(std::string("-"));
    for (int y = 1; y <= Rows; ++y) {
      std::string row;
      for (int x = 1; x <= Columns; ++x) row += std::to_string(LayoutAt(x, y).*field);
      out->WriteLine(row);
    }
  }
  // A short write keeps the old file and counts as a failure to create.
  return !out->WriteFailed() && out->Close() ? 1 : 0;
}
