#include "LevelSheet.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "Canvas.h"
#include "Manifest.h"

namespace fs = std::filesystem;

namespace datagen {

namespace {

constexpr int kColumns = 8;  // one row of the sheet is one page of the level selection
constexpr double kScale = 1.0 / 3;
constexpr double kGap = 18, kLabelH = 40, kTitleH = 56;

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

void Text(cairo_t* cr, const std::string& text, double x, double y, double px, Face face,
          const Rgb& colour) {
  SelectFont(cr, face, px);
  TextPath(cr, text, x, y);
  SetColour(cr, colour);
  cairo_fill(cr);
}

}  // namespace

LevelFile ReadLevelFile(const std::string& path) {
  std::vector<std::string> lines = ReadLines(path);
  LevelFile level;
  level.name = fs::path(path).stem().string();
  BoardLayout* blocks[4] = {&level.contents, &level.chain, &level.create, &level.fill};
  // Header and "-", then four blocks of 12 rows, each after a "-" line.
  for (int b = 0; b < 4; ++b)
    for (int y = 1; y <= 12; ++y) {
      size_t index = size_t(2 + b * 13 + (y - 1));
      const std::string row = index < lines.size() ? lines[index] : "";
      for (int x = 1; x <= 16; ++x) {
        char c = x - 1 < int(row.size()) ? row[size_t(x - 1)] : '0';
        (*blocks[b])[y][x] = c >= '0' && c <= '9' ? c - '0' : 0;
      }
    }
  return level;
}

std::vector<LevelFile> ReadLevelFolder(const std::string& folder) {
  std::vector<fs::path> files;
  for (const auto& item : fs::directory_iterator(folder))
    if (item.is_regular_file() && item.path().extension() == ".layout")
      files.push_back(item.path());
  std::sort(files.begin(), files.end());
  std::vector<LevelFile> levels;
  for (const fs::path& p : files) levels.push_back(ReadLevelFile(p.string()));
  return levels;
}

Picture LevelSheet(const std::vector<LevelFile>& levels, const PictureLookup& pictures) {
  const double boardW = kBoardWidth * 36 * kScale, boardH = kBoardHeight * 36 * kScale;
  const double itemW = boardW + kGap, itemH = boardH + kLabelH;
  const int rows = std::max(1, int((levels.size() + kColumns - 1) / kColumns));
  Canvas canvas(int(kGap + kColumns * itemW), int(kTitleH + rows * itemH + kGap));
  cairo_t* cr = canvas.Cr();
  SetColour(cr, Hex(0x16151e));
  cairo_paint(cr);
  Text(cr,
       "Gleamstrand - the " + std::to_string(levels.size()) +
           " standard levels (marble: goal cells; chains; green arrows: create cells; "
           "amber marks: cells that start empty)",
       kGap, 34, 20, Face::Regular, Hex(0xffe2a6));
  auto find = [&](const char* name) -> const Picture& {
    auto it = pictures.find(name);
    if (it == pictures.end()) throw std::runtime_error(std::string("level sheet needs ") + name);
    return *it->second;
  };
  for (size_t i = 0; i < levels.size(); ++i) {
    const LevelFile& level = levels[i];
    double x = kGap + double(i % kColumns) * itemW, y = kTitleH + double(i / kColumns) * itemH;
    SetColour(cr, Hex(0x2a2838));
    cairo_rectangle(cr, x, y, boardW, boardH);
    cairo_fill(cr);
    BoardPlace place{x, y, kScale};
    PaintBoard(cr, level.contents, pictures, place, 17 + i);
    for (int cy = 1; cy <= 12; ++cy)
      for (int cx = 1; cx <= 16; ++cx) {
        if (!level.contents[cy][cx]) continue;
        if (level.chain[cy][cx]) PaintCellMark(cr, find("cellchain"), place, cx, cy);
        if (level.create[cy][cx]) PaintCellMark(cr, find("cellcreate"), place, cx, cy);
        if (!level.fill[cy][cx]) PaintCellMark(cr, find("cellfill"), place, cx, cy);
      }
    int cells = 0, marbles = 0, chains = 0, creates = 0, empty = 0;
    for (int cy = 1; cy <= 12; ++cy)
      for (int cx = 1; cx <= 16; ++cx) {
        if (!level.contents[cy][cx]) continue;
        ++cells;
        marbles += level.contents[cy][cx] == 2;
        chains += level.chain[cy][cx] != 0;
        creates += level.create[cy][cx] != 0;
        empty += level.fill[cy][cx] == 0;
      }
    Text(cr, level.name, x, y + boardH + 17, 16, Face::Bold, Hex(0xf4f0e8));
    Text(cr, std::to_string(cells) + " cells, " + std::to_string(marbles) + " marble", x + 34,
         y + boardH + 16, 12, Face::Regular, Hex(0xe8d8b0));
    std::string counts = std::to_string(creates) + " create";
    if (chains) counts += ", " + std::to_string(chains) + " chained";
    if (empty) counts += ", " + std::to_string(empty) + " start empty";
    Text(cr, counts, x + 34, y + boardH + 31, 12, Face::Regular, Hex(0xa8a8b8));
  }
  return canvas.Result();
}

Picture LevelSheetOfFolder(const std::string& folder) {
  std::vector<LevelFile> levels = ReadLevelFolder(folder);
  // Only the cell and wall pictures are painted: a few hundred milliseconds
  // instead of the whole tree.
  std::map<std::string, Picture> painted;
  for (const Entry& e : Manifest()) {
    if (!e.IsPicture()) continue;
    std::string stem = e.name.substr(0, e.name.rfind('.'));
    bool wanted = stem == "cellnormal" || stem == "cellmarble" || stem == "cellchain" ||
                  stem == "cellcreate" || stem == "cellfill" || stem.rfind("wall-", 0) == 0;
    if (wanted && !painted.count(stem)) painted.emplace(stem, e.paint(e.width, e.height));
  }
  PictureLookup byName;
  for (auto& [name, picture] : painted) byName[name] = &picture;
  return LevelSheet(levels, byName);
}

}  // namespace datagen
