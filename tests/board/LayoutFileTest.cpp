// The layout file, byte for byte, and what reading a damaged one gives.
#include <gtest/gtest.h>

#include <functional>

#include "BoardTestSupport.h"
#include "Globals.h"
#include "TestSupport.h"

namespace {

using boardtest::BoardTest;

const char* const CRLF = "\r\n";

// A file in the layout format from four blocks of 12 rows each.
std::string LayoutText(const std::string& header, const std::vector<std::string>& blocks) {
  std::string text = header + CRLF;
  for (const std::string& block : blocks) {
    text += std::string("-") + CRLF;
    for (int row = 0; row < 12; ++row) text += block.substr(size_t(row) * 16, 16) + CRLF;
  }
  return text;
}

std::string Repeat(char c) { return std::string(12 * 16, c); }

class LayoutFileTest : public BoardTest {
 protected:
  // A shape with every kind of cell and flag in it.
  void MakeVariedLayout() {
    for (int x = 1; x <= 16; ++x) {
      for (int y = 1; y <= 12; ++y) {
        TLayoutCell& cell = Layout(x, y);
        cell.Contents = (x * 7 + y * 3) % 3;
        cell.IsChain = (x + y) % 4 == 0;
        cell.IsCreate = y == 1 || x % 5 == 0;
        cell.IsFill = (x * y) % 3 != 0;
      }
    }
  }

  testsupport::TempDir dir;
};

TEST_F(LayoutFileTest, SavedFileHasTheExactLinesAndLoadsBackTheSameInterior) {
  MakeVariedLayout();
  std::string path = dir.File("shape.layout");
  ASSERT_EQ(board->SaveLayout(path), 1);

  std::string blocks[4];
  for (int y = 1; y <= 12; ++y) {
    for (int x = 1; x <= 16; ++x) {
      blocks[0] += char('0' + (x * 7 + y * 3) % 3);
      blocks[1] += (x + y) % 4 == 0 ? '1' : '0';
      blocks[2] += y == 1 || x % 5 == 0 ? '1' : '0';
      blocks[3] += (x * y) % 3 != 0 ? '1' : '0';
    }
  }
  std::string expected =
      LayoutText("Gleamstrand Layout", {blocks[0], blocks[1], blocks[2], blocks[3]});
  EXPECT_EQ(testsupport::ReadWholeFile(path), expected);
  EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 53);

  TCellBox loaded(TBoardArt::Blank());
  // Junk on the border and jewels anywhere must not survive a load.
  loaded.Layout[0][3]->Contents = 1;
  loaded.Layout[17][13]->IsChain = 1;
  loaded.Cells[4][4]->SetContents(3);
  ASSERT_EQ(loaded.LoadLayout(path), 1);
  for (int x = 0; x < 18; ++x) {
    for (int y = 0; y < 14; ++y) {
      const TLayoutCell& got = *loaded.Layout[x][y];
      SCOPED_TRACE(testing::Message() << "at " << x << "," << y);
      EXPECT_EQ(loaded.Cells[x][y]->Contents, 0);
      if (board::IsBorder(x, y)) {
        EXPECT_EQ(got.Contents + got.IsChain + got.IsCreate + got.IsFill, 0);
        continue;
      }
      const TLayoutCell& want = Layout(x, y);
      EXPECT_EQ(got.Contents, want.Contents);
      EXPECT_EQ(got.IsChain, want.IsChain);
      EXPECT_EQ(got.IsCreate, want.IsCreate);
      EXPECT_EQ(got.IsFill, want.IsFill);
    }
  }
}

TEST_F(LayoutFileTest, HeaderIsNotComparedButWhatTheGameNeverWritesIsRefused) {
  std::string contents = Repeat('1');
  contents[17] = '2';  // row 2, column 2
  std::string path = dir.File("odd.layout");
  testsupport::WriteWholeFile(path, LayoutText("Some Other Game Layout v9",
                                               {contents, Repeat('0'), Repeat('0'), Repeat('1')}));
  ASSERT_EQ(board->LoadLayout(path), 1);
  EXPECT_EQ(Layout(2, 2).Contents, 2);
  EXPECT_EQ(Layout(16, 12).IsFill, 1);
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 1);

  // Not a digit, a digit out of its block's range, a level without a
  // marble cell or without any cell: each would be won at once or never.
  std::string letter = contents, seven = contents, chainTwo = Repeat('0');
  letter[0] = 'x';
  seven[1] = '7';
  chainTwo[5] = '2';
  const std::vector<std::vector<std::string>> damaged = {
      {letter, Repeat('0'), Repeat('0'), Repeat('1')},
      {seven, Repeat('0'), Repeat('0'), Repeat('1')},
      {contents, chainTwo, Repeat('0'), Repeat('1')},
      {Repeat('1'), Repeat('0'), Repeat('0'), Repeat('1')},
      {Repeat('0'), Repeat('0'), Repeat('0'), Repeat('0')},
  };
  for (size_t n = 0; n < damaged.size(); ++n) {
    SCOPED_TRACE(n);
    testsupport::WriteWholeFile(path, LayoutText("Gleamstrand Layout", damaged[n]));
    EXPECT_FALSE(TCellBox::IsReadableLayout(path));
    EXPECT_EQ(board->ReadLayout(path), 0);
    EXPECT_EQ(Layout(2, 2).Contents, 2);  // the board as it was
  }
}

TEST_F(LayoutFileTest, ACutOrEmptyFileIsRefused) {
  std::string full =
      LayoutText("Gleamstrand Layout", {Repeat('2'), Repeat('1'), Repeat('1'), Repeat('1')});
  std::string path = dir.File("short.layout");
  testsupport::WriteWholeFile(path, full);
  ASSERT_EQ(board->ReadLayout(path), 1);
  // Header, "-", two whole rows and five characters of the third; the last
  // row without its line end still holds every digit.
  size_t cut = std::string("Gleamstrand Layout\r\n-\r\n").size() + 2 * 18 + 5;
  for (const std::string& part :
       {full.substr(0, cut), full.substr(0, full.size() - 3), std::string()}) {
    SCOPED_TRACE(part.size());
    testsupport::WriteWholeFile(path, part);
    EXPECT_EQ(board->ReadLayout(path), 0);
  }
  testsupport::WriteWholeFile(path, full.substr(0, full.size() - 2));
  EXPECT_EQ(board->ReadLayout(path), 1);
  EXPECT_EQ(board->GetLayoutCellMarbleCount(), 16 * 12);
}

// The operation ends in the fatal report with exactly `message`, which is
// also what the error log holds.
void ExpectFatal(const std::function<void()>& operation, const std::string& message) {
  try {
    operation();
    ADD_FAILURE() << "no fatal error";
  } catch (const TFatalError& e) {
    EXPECT_EQ(std::string(e.what()), message);
  }
  std::string log = testsupport::ReadWholeFile(boardtest::DataFolder() + "ErrorLog.txt");
  EXPECT_NE(log.find(message), std::string::npos) << log;
}

TEST_F(LayoutFileTest, FileThatCannotBeOpenedIsFatalWithTheExactMessage) {
  std::string missing = dir.File("missing.layout");
  ExpectFatal([&] { board->LoadLayout(missing); }, "Could not read file '" + missing + "'");
  std::string unwritable = dir.File("no-such-folder/new.layout");
  ExpectFatal([&] { board->SaveLayout(unwritable); }, "Could not create file '" + unwritable + "'");
}

// The report as the player sees it when the program runs headless: the
// message on standard error, and the program ends. The child ends with
// _Exit so that it does not tidy away the folders the parent still uses.
using LayoutFileDeathTest = LayoutFileTest;

TEST_F(LayoutFileDeathTest, FatalReportReachesStandardErrorAndEndsTheProcess) {
  std::string path = dir.File("gone.layout");
  auto loadAsTheProgramWould = [&] {
    try {
      board->LoadLayout(path);
    } catch (const TFatalError&) {
      std::_Exit(3);
    }
    std::_Exit(0);
  };
  EXPECT_EXIT(loadAsTheProgramWould(), testing::ExitedWithCode(3),
              "Could not read file '" + path + "'");
  auto saveAsTheProgramWould = [&] {
    try {
      board->SaveLayout(dir.File("none/x.layout"));
    } catch (const TFatalError&) {
      std::_Exit(3);
    }
    std::_Exit(0);
  };
  EXPECT_EXIT(saveAsTheProgramWould(), testing::ExitedWithCode(3),
              "Could not create file '" + dir.File("none/x.layout") + "'");
}

}  // namespace
