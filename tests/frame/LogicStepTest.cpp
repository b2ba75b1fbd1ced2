// One logic step of the game object: frame keys, pausing, suspension, the
// screen fade and screen changes, window closing.
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestSupport.h"
#include "TProfile.h"
#include "TScreen.h"
#include "TVMouse.h"

namespace {

using frametest::GameTest;

class TRecordingScreen : public TScreen {
 public:
  explicit TRecordingScreen(const std::string& screenName) { name = screenName; }
  void Logic() override { ++logicSteps; }
  void Kill() override { ++kills; }
  void Start() override {
    ++starts;
    TScreen::Start();
  }
  void Draw() override {
    plat::SetBlend(plat::SOLIDBLEND);
    plat::SetColor(255, 255, 255);
    plat::DrawRect(0, 0, ScreenWidth, ScreenHeight);
  }
  int logicSteps = 0, kills = 0, starts = 0;
};

class TCountingProfile : public TProfile {
 public:
  int Save() override { return ++saves; }
  int saves = 0;
};

class LogicStepTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game->Init(0);
    LoadStartTime = plat::MilliSecs();
    first.Start();
  }
  // Steps until the game asks to end; -1 when it never does within limit.
  int StepsUntilExit(int limit) {
    for (int i = 1; i <= limit; ++i) {
      if (Step() == -1) return i;
    }
    return -1;
  }
  TRecordingScreen first{"first"};
  TRecordingScreen second{"second"};
};

TEST_F(LogicStepTest, EscStartsTheExitFadeWhichEndsTheProgramAfter500ms) {
  PressKey(plat::KEY_ESCAPE);
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(game->GameFade.Active, 1);
  EXPECT_EQ(game->GameFade.Out, 1);
  EXPECT_EQ(game->DestinationTScreen, game->ExitScreen.get());
  EXPECT_EQ(game->GameFade.Length, 100);
  // The fade blocks screen logic; its 100th step reaches the exit screen
  // and the following step ends the loop.
  int logicBefore = first.logicSteps;
  int steps = StepsUntilExit(200);
  EXPECT_EQ(steps, 100);
  EXPECT_EQ(first.logicSteps, logicBefore);
  EXPECT_EQ(first.kills, 1);
  EXPECT_EQ(game->CurrentTScreen, game->ExitScreen.get());
}

TEST_F(LogicStepTest, EscDuringAFadeInFinishesItInsteadOfLeaving) {
  game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  Step();
  PressKey(plat::KEY_ESCAPE);
  Step();
  EXPECT_EQ(game->GameFade.Active, 0);
  EXPECT_EQ(game->GameFade.FadeInAborted, 1);
  EXPECT_EQ(game->GameFade.AbortKey, 0);
  EXPECT_FLOAT_EQ(game->GameFade.Ratio, 1.0f);
  EXPECT_EQ(game->DestinationTScreen, nullptr);
  EXPECT_EQ(game->CurrentTScreen, &first);
}

TEST_F(LogicStepTest, EscDuringAFadeOutCompletesTheScreenChangeAtOnce) {
  game->DestinationTScreen = &second;
  game->GameFade.Init(DefaultFadeLength, 1, nullptr, 0, 0);
  Step();
  PressKey(plat::KEY_ESCAPE);
  Step();
  EXPECT_EQ(game->CurrentTScreen, &second);
  EXPECT_EQ(game->LastTScreen, &first);
  EXPECT_EQ(first.kills, 1);
  EXPECT_EQ(second.starts, 1);
  EXPECT_EQ(game->GameFade.Active, 0);
}

TEST_F(LogicStepTest, EscWhilePausedOnlyUnpauses) {
  PressKey(plat::KEY_P);
  Step();
  ASSERT_EQ(game->Paused, 1);
  PressKey(plat::KEY_ESCAPE);
  Step();
  EXPECT_EQ(game->Paused, 0);
  EXPECT_EQ(game->GameFade.Active, 0);
  EXPECT_EQ(game->DestinationTScreen, nullptr);
}

TEST_F(LogicStepTest, PauseStopsLogicAfterTheGraceAndAClickResumes) {
  PressKey(plat::KEY_P);
  Step();
  EXPECT_EQ(game->Paused, 1);
  plat::AdvanceClock(6000);
  int before = first.logicSteps;
  EXPECT_EQ(Step(), 0);
  EXPECT_EQ(first.logicSteps, before);
  Post(plat::EVENT_MOUSEDOWN, 1);
  Post(plat::EVENT_MOUSEUP, 1);
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(game->Paused, 0);
  EXPECT_EQ(first.logicSteps, before + 1);
}

TEST_F(LogicStepTest, FocusLossInTheFirstFiveSecondsDoesNotStopLogic) {
  Post(plat::EVENT_APPSUSPEND);
  Step();
  EXPECT_EQ(game->Suspended, 1);
  int before = first.logicSteps;
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(first.logicSteps, before + 1);
  plat::AdvanceClock(5000);
  EXPECT_EQ(Step(), 0);
  EXPECT_EQ(first.logicSteps, before + 1);
  Post(plat::EVENT_APPRESUME);
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(game->Suspended, 0);
  EXPECT_EQ(first.logicSteps, before + 2);
}

TEST_F(LogicStepTest, ASuspendedStepIdlesForAMillisecond) {
  plat::AdvanceClock(6000);
  Post(plat::EVENT_APPSUSPEND);
  Step();
  int before = plat::MilliSecs();
  Step();
  EXPECT_EQ(plat::MilliSecs(), before + 1);
}

TEST_F(LogicStepTest, ClosingTheWindowOnTheGameScreenSavesTheProfileAndFadesOut) {
  TRecordingScreen gameScreen("game");
  gameScreen.Start();
  auto profile = std::make_shared<TCountingProfile>();
  game->CurrentProfile = profile;
  Post(plat::EVENT_APPTERMINATE);
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(profile->saves, 1);
  EXPECT_EQ(game->InstantExit, 0);
  EXPECT_EQ(game->GameFade.Active, 1);
  EXPECT_EQ(game->DestinationTScreen, game->ExitScreen.get());
  EXPECT_EQ(StepsUntilExit(200), 100);
  EXPECT_EQ(profile->saves, 1);
}

TEST_F(LogicStepTest, AWindowClosedWhileSuspendedStillFadesOutAndEnds) {
  // Closing the window from outside (or losing it) comes with a focus loss;
  // the exit must not wait for a focus that never returns.
  plat::AdvanceClock(6000);
  Post(plat::EVENT_APPSUSPEND);
  Step();
  ASSERT_EQ(game->Suspended, 1);
  Post(plat::EVENT_APPTERMINATE);
  Step();
  EXPECT_EQ(game->DestinationTScreen, game->ExitScreen.get());
  EXPECT_GT(StepsUntilExit(200), 0);
}

TEST_F(LogicStepTest, ClosingTheWindowElsewhereDoesNotSaveTheProfile) {
  auto profile = std::make_shared<TCountingProfile>();
  game->CurrentProfile = profile;
  Post(plat::EVENT_APPTERMINATE);
  Step();
  EXPECT_EQ(profile->saves, 0);
  EXPECT_EQ(game->GameFade.Active, 1);
}

TEST_F(LogicStepTest, WithoutFadeOnExitClosingEndsAtOnce) {
  game->FadeOnExit = 0;
  Post(plat::EVENT_APPTERMINATE);
  EXPECT_EQ(Step(), -1);
}

TEST_F(LogicStepTest, AUserFunctionCanRefuseTheClose) {
  game->TerminatedUserFunction = [] { return 1; };
  Post(plat::EVENT_APPTERMINATE);
  Step();
  EXPECT_EQ(game->GameFade.Active, 0);
  EXPECT_EQ(game->InstantExit, 0);
}

TEST_F(LogicStepTest, ClosingTheWindowDuringAFadeInStillLeaves) {
  game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  Step();
  Post(plat::EVENT_APPTERMINATE);
  Step();
  EXPECT_EQ(game->GameFade.Active, 1);
  EXPECT_EQ(game->GameFade.Out, 1);
  EXPECT_EQ(StepsUntilExit(200), 100);
}

TEST_F(LogicStepTest, ACloseRequestAfterTheExitFadeEndedDoesNotRestartIt) {
  // A lost window repeats its close request: the exit must still end.
  Post(plat::EVENT_APPTERMINATE);
  Step();
  EXPECT_EQ(Steps(99), 1);
  ASSERT_EQ(game->CurrentTScreen, game->ExitScreen.get());
  Post(plat::EVENT_APPTERMINATE);
  EXPECT_EQ(Step(), -1);
}

TEST_F(LogicStepTest, ACloseRequestDuringTheExitFadeNeitherRestartsNorCutsIt) {
  Post(plat::EVENT_APPTERMINATE);
  Step();
  Steps(49);
  Post(plat::EVENT_APPTERMINATE);
  EXPECT_EQ(Step(), 1);
  EXPECT_EQ(game->InstantExit, 0);
  EXPECT_EQ(StepsUntilExit(200), 50);  // the fade goes on where it was
}

TEST_F(LogicStepTest, TheClickThatEndsThePauseClicksNothingElse) {
  PressKey(plat::KEY_P);
  Step();
  ASSERT_EQ(game->Paused, 1);
  Post(plat::EVENT_MOUSEMOVE, 0, 300, 200);
  Post(plat::EVENT_MOUSEDOWN, 1);
  Step();
  EXPECT_EQ(game->Paused, 0);
  EXPECT_EQ(VMouse.LeftClick(), 0);
  EXPECT_EQ(game->Mouse.h1, 0);
  Step();  // still held: no press reaches the screen later either
  EXPECT_EQ(VMouse.LeftClick(), 0);
  Post(plat::EVENT_MOUSEUP, 1);
  Post(plat::EVENT_MOUSEDOWN, 1);
  Step();
  EXPECT_EQ(VMouse.LeftClick(), 1);  // the next press is a click again
}

TEST_F(LogicStepTest, EscapeLeavingThePauseFlushesTheKeys) {
  PressKey(plat::KEY_P);
  Step();
  ASSERT_EQ(game->Paused, 1);
  PressKey(plat::KEY_ESCAPE);
  Post(plat::EVENT_KEYDOWN, plat::KEY_H);
  Step();
  EXPECT_EQ(game->Paused, 0);
  EXPECT_EQ(GameKeyHit(plat::KEY_H), 0);
  EXPECT_EQ(GameKeyDown(plat::KEY_H), 0);
}

TEST_F(LogicStepTest, AKeyPressDuringAFadeEndsItAndRecordsTheKey) {
  game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  PressKey('X');
  Step();
  EXPECT_EQ(game->GameFade.Active, 0);
  EXPECT_EQ(game->GameFade.AbortKey, 'X');
  EXPECT_EQ(game->GameFade.Init(100, 0, nullptr, 0, 0), 1);
  EXPECT_EQ(game->GameFade.Init(100, 0, nullptr, 0, 0), 0);  // never restarted
}

TEST_F(LogicStepTest, WithFadesOffAChangeHappensWithinOneStep) {
  game->Fade = 0;
  game->DestinationTScreen = &second;
  EXPECT_EQ(game->GameFade.Init(DefaultFadeLength, 1, nullptr, 0, 0), 1);
  EXPECT_EQ(game->GameFade.Active, 0);
  Step();
  EXPECT_EQ(game->CurrentTScreen, &second);
}

TEST_F(LogicStepTest, AChangeWithoutADestinationIsFatal) {
  game->GameFade.Init(10, 1, nullptr, 0, 0);
  try {
    Steps(5);
    FAIL() << "no fatal error";
  } catch (const TFatalError& error) {
    EXPECT_STREQ(error.what(), "Screen 'first' does not have a destination screen set!");
  }
}

TEST_F(LogicStepTest, TheClickTrackerSeesAPressOnTheStepAfterTheEvent) {
  Post(plat::EVENT_MOUSEMOVE, 0, 300, 200);
  Post(plat::EVENT_MOUSEDOWN, 1);
  Step();
  EXPECT_EQ(VMouse.LeftClick(), 1);
  EXPECT_EQ(VMouse.x, 300);
  EXPECT_EQ(game->Mouse.h1, 1);
  Step();
  EXPECT_EQ(VMouse.LeftClick(), 2);
  EXPECT_EQ(game->Mouse.h1, 0);  // a hit lasts one step
  Post(plat::EVENT_MOUSEUP, 1);
  Step();
}

TEST_F(LogicStepTest, AltEnterSwitchesFullScreenUnlessForcedToAWindow) {
  game->FullScreen = 0;
  Post(plat::EVENT_KEYDOWN, plat::KEY_LALT);
  PressKey(plat::KEY_ENTER);
  Step();
  EXPECT_EQ(game->FullScreen, 1);
  EXPECT_EQ(plat::FileType(home.DataFolder() + "inichanged.dat"), plat::FILETYPE_FILE);
  EXPECT_NE(testsupport::ReadWholeFile(home.DataFolder() + "gleamstrand.ini").find("FULL SCREEN=1"),
            std::string::npos);
  game->FullScreen = 0;
  game->ForceWindowedMode = 1;
  Post(plat::EVENT_KEYDOWN, plat::KEY_LALT);  // the switch flushed the keys
  PressKey(plat::KEY_ENTER);
  Step();
  EXPECT_EQ(game->FullScreen, 0);
}

TEST_F(LogicStepTest, AnAltEnterChordReleasedWithinOneStepStillSwitches) {
  game->FullScreen = 0;
  Post(plat::EVENT_KEYDOWN, plat::KEY_LALT);
  PressKey(plat::KEY_ENTER);
  Post(plat::EVENT_KEYUP, plat::KEY_LALT);
  Step();
  EXPECT_EQ(game->FullScreen, 1);
  PressKey(plat::KEY_ENTER);  // Enter alone leaves full screen alone
  Step();
  EXPECT_EQ(game->FullScreen, 1);
}

TEST_F(LogicStepTest, TheMainLoopStopsAfterTheStepLimit) {
  game->NoTiming = 1;
  game->NoTimingTicks = 3;
  game->StepLimit = 5;
  game->FixedRateLogic.Init();
  EXPECT_EQ(game->MainLogicLoop(), 1);
  EXPECT_EQ(game->LogicSteps, 3);
  EXPECT_EQ(game->MainLogicLoop(), 1);
  EXPECT_EQ(game->LogicSteps, 5);  // the pass stops early so its frame is drawn
  EXPECT_EQ(game->MainLogicLoop(), -1);
}

TEST_F(LogicStepTest, StepNumbersCountFiveMillisecondsOfGameTime) {
  // 17 ms frames: three whole steps and a remainder step of 0.4 each pass.
  struct TTimedScreen : TScreen {
    void Logic() override { gameTime += LogicDelta; }
    double gameTime = 0;
  } timed;
  timed.Start();
  std::vector<long long> announced;
  game->BeforeLogicStep = [&](long long step) { announced.push_back(step); };
  game->StepLimit = 200;
  game->FixedRateLogic.Init();
  int frames = 0;
  while (frames < 100) {
    plat::AdvanceClock(17);
    if (game->MainLogicLoop() == -1) break;
    ++frames;
    if (frames == 50) {
      EXPECT_EQ(game->LogicSteps, 170);  // 850 ms
      EXPECT_NEAR(timed.gameTime, 170.0, 1e-3);
    }
  }
  EXPECT_EQ(frames, 59);  // 200 steps = 1000 ms, reached in the 59th frame
  EXPECT_EQ(game->LogicSteps, 200);
  EXPECT_NEAR(timed.gameTime, 200.0, 1e-3);  // the last pass stops on the limit
  ASSERT_EQ(announced.size(), 200u);
  for (size_t i = 0; i < announced.size(); ++i) EXPECT_EQ(announced[i], (long long)i + 1);
}

TEST_F(LogicStepTest, APausedFrameIsDimmedUnderThePausedPicture) {
  struct TMarker : TDrawable {
    void Draw() override {
      plat::SetColor(255, 0, 0);
      plat::DrawRect(0, 0, 10, 10);
    }
  };
  game->SpritePaused = std::make_shared<TMarker>();
  game->Mouse.Off();
  game->Paused = 1;
  uint32_t centre = 0, corner = 0;
  game->BeforeFlip = [&] {
    centre = plat::GrabPixmap(400, 300, 1, 1)->ReadPixel(0, 0);
    corner = plat::GrabPixmap(2, 2, 1, 1)->ReadPixel(0, 0);
  };
  game->ScreenDraw();
  EXPECT_NEAR(int((centre >> 16) & 255), 128, 3);  // white under half-black
  EXPECT_EQ(corner & 0xffffff, 0xff0000u);
}

}  // namespace
