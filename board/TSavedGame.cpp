#include "TSavedGame.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>

#include "Platform.h"
#include "TCellBox.h"

namespace {

constexpr int Rows = board::GridHeight - 2;
constexpr int Columns = board::GridWidth - 2;

using TField = int TLayoutCell::*;
constexpr std::array<TField, 4> LayoutBlocks = {&TLayoutCell::Contents, &TLayoutCell::IsChain,
                                                &TLayoutCell::IsCreate, &TLayoutCell::IsFill};
// The largest value each of the five blocks of a board may hold.
constexpr std::array<int, 5> BlockLimits = {6, 2, 1, 1, 1};

constexpr const char* StandardWord = "standard ";
constexpr const char* CustomWord = "custom ";
constexpr const char* MovesWord = "moves ";
constexpr const char* WayWord = "way ";
constexpr const char* RemainingWord = "remaining ";
// The lines after the boards a save may hold: the level's, the count's, and
// against the clock the way's and the time left.
constexpr int TrailingLines = 4;

// A whole save is a few kilobytes; anything far larger is no saved game.
constexpr int64_t MaxFileBytes = 64 * 1024;

void WriteBoard(plat::TStream& out, const TCellBox& board) {
  auto writeBlock = [&](auto value) {
    out.WriteLine(std::string("-"));
    for (int y = 1; y <= Rows; ++y) {
      std::string row;
      for (int x = 1; x <= Columns; ++x) row += std::to_string(value(x, y));
      out.WriteLine(row);
    }
  };
  writeBlock([&](int x, int y) { return board.Cells[x][y]->Contents; });
  for (TField field : LayoutBlocks) {
    writeBlock([&](int x, int y) { return (*board.Layout[x][y]).*field; });
  }
}

// Five blocks; every block but the very first of the file follows a line
// that is skipped. False when the file ends before the last digit, when a
// character is no digit or a digit is out of its block's range, or when
// the board has no playing cell or no marble cell: the game never saves
// such a board, and it would resume as a level won at once or never.
bool ReadBoard(plat::TStream& in, TCellBox& board, bool skipFirstLine) {
  for (int block = 0; block < 5; ++block) {
    if (block > 0 || skipFirstLine) in.ReadLine();
    for (int y = 1; y <= Rows; ++y) {
      for (int x = 1; x <= Columns; ++x) {
        int c = in.Eof() ? -1 : in.ReadByte();
        if (c < '0' || c > '0' + BlockLimits[size_t(block)]) return false;
        int value = c - '0';
        if (block == 0) {
          if (value) board.Cells[x][y]->SetContents(value);
        } else {
          (*board.Layout[x][y]).*LayoutBlocks[size_t(block - 1)] = value;
        }
      }
      in.ReadByte();
      in.ReadByte();
    }
  }
  // A jewel the layout has no cell for would lie in the wall.
  for (int x = 1; x <= Columns; ++x) {
    for (int y = 1; y <= Rows; ++y) {
      if (board.Layout[x][y]->Contents == 0) board.Cells[x][y]->ClearContents();
    }
  }
  return board.GetLayoutCellNotEmptyCount() > 0 && board.GetLayoutCellMarbleCount() > 0;
}

// A decimal line kept within 0..limit: anything else, however long, cannot
// overflow what it is stored in.
int ClampedNumber(const std::string& line, int limit) {
  errno = 0;
  long long value = std::strtoll(line.c_str(), nullptr, 10);
  if (errno == ERANGE) value = line.find('-') != std::string::npos ? 0 : limit;
  return int(std::clamp<long long>(value, 0, limit));
}

bool StartsWith(const std::string& text, const char* word) {
  return text.compare(0, std::char_traits<char>::length(word), word) == 0;
}

}  // namespace

std::string TSavedGame::LevelLineText(const TSavedLevel& level) {
  if (!level.Known()) return "";
  return (level.Custom ? CustomWord : StandardWord) + level.Name;
}

TSavedLevel TSavedGame::ParseLevelLine(const std::string& line) {
  TSavedLevel level;
  std::string text = line;
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  for (const char* word : {StandardWord, CustomWord}) {
    if (!StartsWith(text, word)) continue;
    std::string name = text.substr(std::char_traits<char>::length(word));
    // A name that leads out of its folder names no level.
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos) {
      return {};
    }
    level.Name = name;
    level.Custom = word == CustomWord ? 1 : 0;
  }
  return level;
}

std::string TSavedGame::MovesLineText(int moves) {
  return moves < 0 ? std::string() : MovesWord + std::to_string(moves);
}

namespace {

// The text after `word` without its line end; "" when the line does not
// start with it.
std::string AfterWord(const std::string& line, const char* word) {
  if (!StartsWith(line, word)) return "";
  std::string rest = line.substr(std::char_traits<char>::length(word));
  while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) rest.pop_back();
  return rest;
}

// A count after `word` kept within 0..limit; -1 when there is none.
int CountAfterWord(const std::string& line, const char* word, int limit) {
  std::string digits = AfterWord(line, word);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
  return ClampedNumber(digits, limit);
}

}  // namespace

int TSavedGame::ParseMovesLine(const std::string& line) {
  int moves = CountAfterWord(line, MovesWord, MaxMoves);
  return moves < 0 ? MovesUnknown : moves;
}

std::string TSavedGame::WayLineText(TPlayWay way) {
  return WayWord + std::string(playway::Name(way));
}

std::string TSavedGame::RemainingLineText(int remainingMs) {
  return RemainingWord + std::to_string(std::max(remainingMs, 0));
}

int TSavedGame::Write(const std::string& path, int elapsedMs, int score, const TCellBox& firstDeal,
                      const TCellBox& current, const TSavedLevel& level, int moves,
                      const TSavedClock& clock) {
  plat::TStreamPtr out = plat::WriteFileAtomic(path);
  if (!out) return 0;
  out->WriteLine(std::string(Header));
  out->WriteLine(std::to_string(elapsedMs));
  out->WriteLine(std::to_string(score));
  WriteBoard(*out, firstDeal);
  WriteBoard(*out, current);
  if (level.Known()) out->WriteLine(LevelLineText(level));
  if (moves >= 0) out->WriteLine(MovesLineText(moves));
  // A relaxed game is saved as it always was.
  if (clock.Way != TPlayWay::Relaxed) {
    out->WriteLine(WayLineText(clock.Way));
    out->WriteLine(RemainingLineText(clock.RemainingMs));
  }
  // A short write keeps the old file.
  return !out->WriteFailed() && out->Close() ? 1 : 0;
}

int TSavedGame::Read(const std::string& path, int& elapsedMs, int& score, TCellBox& firstDeal,
                     TCellBox& current, TSavedLevel* level, int* moves, TSavedClock* clock) {
  if (plat::FileSize(path) > MaxFileBytes) return 0;
  plat::TStreamPtr in = plat::ReadStream(path);
  if (!in || in->ReadLine() != Header) return 0;
  elapsedMs = ClampedNumber(in->ReadLine(), MaxElapsedMs);
  score = std::atoi(in->ReadLine().c_str());
  if (score < 0) score = 0;
  in->ReadLine();
  if (!ReadBoard(*in, firstDeal, false) || !ReadBoard(*in, current, true)) return 0;
  // Each trailing line is known by its first word, whichever is missing.
  TSavedLevel named;
  int counted = MovesUnknown;
  TPlayWay way = TPlayWay::Relaxed;
  int remaining = -1;
  for (int n = 0; n < TrailingLines && !in->Eof(); ++n) {
    std::string line = in->ReadLine();
    if (TSavedLevel parsed = ParseLevelLine(line); parsed.Known()) named = parsed;
    if (int parsed = ParseMovesLine(line); parsed != MovesUnknown) counted = parsed;
    playway::Parse(AfterWord(line, WayWord), way);
    if (int parsed = CountAfterWord(line, RemainingWord, MaxRemainingMs); parsed >= 0) {
      remaining = parsed;
    }
  }
  if (level) *level = named;
  if (moves) *moves = counted;
  // A way without its time left cannot go on against the clock: relaxed.
  // Only a game against the clock is saved with a way; the open board's
  // ways are never saved, and a file that names one is played relaxed.
  if (clock)
    *clock = way == TPlayWay::Clock && remaining >= 0 ? TSavedClock{way, remaining} : TSavedClock{};
  in->Close();
  return 1;
}

int TSavedGame::ReadLevel(const std::string& path, TSavedLevel& level) {
  level = {};
  plat::TStreamPtr in = plat::ReadStream(path);
  if (!in) return 0;
  for (int line = 1; line < LevelLine && !in->Eof(); ++line) in->ReadLine();
  if (!in->Eof()) level = ParseLevelLine(in->ReadLine());
  in->Close();
  return 1;
}

int TSavedGame::ReadScore(const std::string& path, int& score) {
  score = 0;
  plat::TStreamPtr in = plat::ReadStream(path);
  if (!in || in->ReadLine() != Header) return 0;
  in->ReadLine();
  score = std::max(0, std::atoi(in->ReadLine().c_str()));
  return 1;
}
