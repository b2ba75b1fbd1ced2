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
// The largest digit the game writes in each block: a kind is 0..2, a mark 0 or 1.
constexpr std::array<int, 4> BlockLimits = {2, 1, 1, 1};
// A whole file is under a kilobyte; anything far larger is no layout.
constexpr int64_t MaxFileBytes = 64 * 1024;

using TLayoutValues = std::array<std::array<std::array<int, Columns>, Rows>, Blocks.size()>;

// The file as the game writes it, or false: a digit out of its block's
// range or no digit at all, a file that ends before its last row, a level
// without a playing cell or without a marble cell. Such a file would be
// won at once or never (unless `needsMarbles` is false: the open board).
bool ParseLayout(plat::TStream& in, TLayoutValues& values, bool needsMarbles = true) {
  in.ReadLine();
  in.ReadLine();
  int cells = 0, marbles = 0;
  for (size_t block = 0; block < Blocks.size(); ++block) {
    if (block > 0) in.ReadLine();
    for (int y = 0; y < Rows; ++y) {
      for (int x = 0; x < Columns; ++x) {
        int c = in.Eof() ? -1 : in.ReadByte();
        if (c < '0' || c > '0' + BlockLimits[block]) return false;
        values[block][size_t(y)][size_t(x)] = c - '0';
        if (block == 0) {
          cells += c != '0';
          marbles += c == '2';
        }
      }
      in.ReadByte();
      in.ReadByte();
    }
  }
  return cells > 0 && (marbles > 0 || !needsMarbles);
}

// A layout file to read, or null when there is none of a layout's size.
plat::TStreamPtr OpenLayout(const std::string& path) {
  if (plat::FileSize(path) > MaxFileBytes) return nullptr;
  return plat::ReadStream(path);
}

bool ParseLayout(const std::string& path, TLayoutValues& values) {
  plat::TStreamPtr in = OpenLayout(path);
  if (!in) return false;
  const bool parsed = ParseLayout(*in, values);
  in->Close();
  return parsed;
}

}  // namespace

int TCellBox::LoadLayout(const std::string& path) {
  if (ReadLayout(path)) return 1;
  ReportError("Could not read file '" + path + "'", 1);
  return 0;
}

int TCellBox::ReadLayout(const std::string& path) {
  plat::TStreamPtr in = OpenLayout(path);
  if (!in) return 0;
  const int read = ReadLayout(*in, true);
  in->Close();
  return read;
}

int TCellBox::ReadLayout(plat::TStream& in, bool needsMarbles) {
  TLayoutValues values{};
  if (!ParseLayout(in, values, needsMarbles)) return 0;
  Clear();
  for (size_t block = 0; block < Blocks.size(); ++block) {
    for (int y = 1; y <= Rows; ++y) {
      for (int x = 1; x <= Columns; ++x) {
        LayoutAt(x, y).*Blocks[block] = values[block][size_t(y - 1)][size_t(x - 1)];
      }
    }
  }
  return 1;
}

bool TCellBox::IsReadableLayout(const std::string& path) {
  TLayoutValues values{};
  return ParseLayout(path, values);
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
