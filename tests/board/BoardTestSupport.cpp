#include "BoardTestSupport.h"

#include <cstdlib>

#include "Globals.h"
#include "TestSupport.h"

namespace boardtest {

namespace {

// Headless backend, and the error log and data folders in a temporary
// folder, for the whole test program.
class BoardEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<testsupport::TempDir>();
    setenv("XDG_DATA_HOME", folder_->Path().c_str(), 1);
    setenv("HOME", folder_->Path().c_str(), 1);
    SharedDataPath = folder_->Path() + "/";
    plat::TBackendOptions options;
    options.Headless = true;
    plat::Startup(options);
  }
  void TearDown() override {
    plat::Shutdown();
    folder_.reset();
  }

 private:
  std::unique_ptr<testsupport::TempDir> folder_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new BoardEnvironment);

}  // namespace

std::string DataFolder() { return SharedDataPath; }

void Paint(TCellBox& board, const std::vector<std::string>& rows) {
  for (int y = 1; y <= 12; ++y) {
    for (int x = 1; x <= 16; ++x) {
      char c =
          y - 1 < int(rows.size()) && x - 1 < int(rows[y - 1].size()) ? rows[y - 1][x - 1] : '#';
      TLayoutCell& layout = *board.Layout[x][y];
      TCell& cell = *board.Cells[x][y];
      layout.Contents = 0;
      layout.IsChain = layout.IsCreate = layout.IsFill = 0;
      cell.ClearContents();
      if (c == '.') {
        layout.Contents = 1;
      } else if (c == 'm') {
        layout.Contents = 2;
      } else if (c >= '1' && c <= '6') {
        layout.Contents = 1;
        cell.SetContents(c - '0');
      } else if (c >= 'A' && c <= 'F') {
        layout.Contents = 2;
        cell.SetContents(c - 'A' + 1);
      }
    }
  }
  board.UpdateDrawWall();
}

std::vector<std::string> Picture(const TCellBox& board, int rows, int columns) {
  std::vector<std::string> out;
  for (int y = 1; y <= rows; ++y) {
    std::string row;
    for (int x = 1; x <= columns; ++x) {
      const TLayoutCell& layout = *board.Layout[x][y];
      int jewel = board.Cells[x][y]->Contents;
      if (layout.Contents == 0) {
        row += jewel ? '?' : '#';
      } else if (layout.Contents == 2) {
        row += jewel ? char('A' + jewel - 1) : 'm';
      } else {
        row += jewel ? char('0' + jewel) : '.';
      }
    }
    out.push_back(row);
  }
  return out;
}

void BoardTest::SetUp() {
  plat::SeedRnd(12345);
  LogicDelta = 1.0f;
  NewBoard();
}

void BoardTest::NewBoard() {
  mode.Reset();
  board = std::make_unique<TCellBox>(TBoardArt::Blank());
  board->GameMode = &mode;
  board->Mouse = &mouse;
  MouseAt(0, 0, false);
}

void BoardTest::TearDown() { board.reset(); }

void BoardTest::Step(int steps) {
  for (int i = 0; i < steps; ++i) board->Manage();
}

bool BoardTest::IsBoardSettled() const {
  for (int x = 0; x < 18; ++x) {
    for (int y = 0; y < 14; ++y) {
      const TCell& cell = *board->Cells[x][y];
      if (cell.HasJewel() && !cell.IsSettled()) return false;
    }
  }
  return !board->IsCellSwitchAnimation();
}

int BoardTest::Settle(int limit) {
  int steps = 0;
  do {
    Step();
    ++steps;
  } while (!IsBoardSettled() && steps < limit);
  return steps;
}

void BoardTest::MouseAt(int px, int py, bool down) {
  pointer.x = px;
  pointer.y = py;
  pointer.b1 = down ? 1 : 0;
  clock += 5;
  mouse.UpdateMouseClicks(pointer, false, clock);
}

void BoardTest::MouseTo(int x, int y, bool down) {
  MouseAt(board::CentreX(x), board::CentreY(y), down);
}

}  // namespace boardtest
