// When the game draws, through the real game headless with its frame log:
// a screen at rest presents nothing, one with ambient sparkles at most the
// ambient rate, input brings a frame in the pass that sees it, and a hidden
// window presents nothing until it is shown again.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Platform.h"
#include "TFrameSchedule.h"
#include "TestSupport.h"

namespace {

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

// A headless frame is 1/60 s: one pass runs at most this many steps.
constexpr long long kStepsPerPass = 4;

class FramePacingProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (plat::FileType(std::string(GS_RUNTIME_DIR) + "/data/resources/data.pak") !=
        plat::FILETYPE_FILE)
      GTEST_SKIP() << "no game data";
  }

  // Runs the game headless with the script; the logic step of every frame
  // presented, from the frame log.
  std::vector<long long> Run(const std::string& script, long long steps) {
    WriteWholeFile(dir_.File("script.txt"), script);
    std::string command = "cd '" + dir_.Path() +
                          "' && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME='" +
                          dir_.Path() + "' HOME='" + dir_.Path() + "' timeout 300 '" + GS_GAME_EXE +
                          "' --headless --seed 1 --script script.txt --steps " +
                          std::to_string(steps) + " --frame-log frames.txt > output.txt 2>&1";
    EXPECT_EQ(testsupport::RunCommand(command), 0) << ReadWholeFile(dir_.File("output.txt"));
    std::vector<long long> frames;
    std::istringstream log(ReadWholeFile(dir_.File("frames.txt")));
    std::string line;
    std::getline(log, line);
    EXPECT_EQ(line, "# frame step time_ms duration_ms kind work_ms");
    long long number = 0, step = 0;
    double time = 0, duration = 0, work = -1;
    std::string kind;
    while (log >> number >> step >> time >> duration >> kind >> work) {
      EXPECT_EQ(number, static_cast<long long>(frames.size()) + 1);
      EXPECT_GE(duration, 0);
      // What the frame cost lies within the real time since the frame
      // before (both printed to the microsecond).
      EXPECT_GE(work, 0);
      EXPECT_LE(work, duration + 0.002);
      EXPECT_TRUE(kind == "changed" || kind == "ambient" || kind == "same") << kind;
      frames.push_back(step);
      if (kind == "ambient") ambient_.push_back(step);
    }
    return frames;
  }

  static int Between(const std::vector<long long>& frames, long long from, long long to) {
    int count = 0;
    for (long long step : frames) count += step >= from && step < to;
    return count;
  }

  // The first frame presented at `step` or later (-1: none; a large
  // number so that a missing frame fails the checks below).
  static long long FirstFrom(const std::vector<long long>& frames, long long step) {
    for (long long frame : frames) {
      if (frame >= step) return frame;
    }
    return 1LL << 40;
  }

  TempDir dir_;
  std::vector<long long> ambient_;  // the frames in which only ambient effects moved
};

TEST_F(FramePacingProcessTest, DrawsOnlyWhatSomeoneCanSeeChange) {
  // A new player's name, the title at rest (its pointer sparkles), a move,
  // the window hidden and shown, then a game board at rest and a move on it.
  const std::string script =
      "150 char A\n151 char n\n152 char n\n160 key enter\n"
      "800 move 600 400\n"
      "1000 hide\n1400 show\n"
      "1600 click left 400 209\n"
      "1900 click left 151 542\n"
      "3000 move 300 300\n";
  std::vector<long long> frames = Run(script, 3100);
  ASSERT_FALSE(frames.empty());

  // The title at rest: only the ambient sparkles move, at most at the
  // ambient rate (two seconds here), yet they do move.
  int atRest = Between(frames, 400, 800 - 1);
  EXPECT_LE(atRest, 2 * TFrameSchedule::AmbientRate + 1);
  EXPECT_GE(atRest, 2);
  EXPECT_EQ(Between(ambient_, 400, 800 - 1), atRest);

  // A pointer move is on screen in the pass that sees it (the pass whose
  // game time reaches the move's step may end just short of it).
  long long moved = FirstFrom(frames, 800 - 1);
  EXPECT_LE(moved, 800 + kStepsPerPass);

  // Hidden: nothing, though the sparkles go on; shown again: a frame at once.
  EXPECT_EQ(Between(frames, 1000 + kStepsPerPass, 1400 - 1), 0);
  EXPECT_LE(FirstFrom(frames, 1400 - 1), 1400 + kStepsPerPass);

  // The board at rest (no pointer trail there, no move): nothing at all;
  // then the move.
  EXPECT_EQ(Between(frames, 2600, 3000 - 1), 0);
  EXPECT_LE(FirstFrom(frames, 3000 - 1), 3000 + kStepsPerPass);
}

TEST_F(FramePacingProcessTest, AFrameLogThatCannotBeWrittenStopsTheStart) {
  std::string command = "cd '" + dir_.Path() + "' && SDL_VIDEODRIVER=dummy XDG_DATA_HOME='" +
                        dir_.Path() + "' HOME='" + dir_.Path() + "' '" + GS_GAME_EXE +
                        "' --headless --steps 10 --frame-log /nonexistent/frames.txt" +
                        " > output.txt 2>&1";
  EXPECT_EQ(testsupport::RunCommand(command), 2);
  EXPECT_NE(ReadWholeFile(dir_.File("output.txt")).find("--frame-log"), std::string::npos);
}

}  // namespace
