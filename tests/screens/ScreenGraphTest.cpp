// The screen graph walked through the real game, headless, by scripted
// clicks and keys: the title and its menu screens there and back, the level
// selection there and back, a level started and left again, the first run's
// name prompt, the exit. Screenshots of every screen land in the build
// tree's "screenshots" folder.
#include <gtest/gtest.h>

#include "GameResources.h"
#include "LanguageForms.h"
#include "ScreenTestSupport.h"
#include "TCompletionFile.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameMode.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "THelpScreen.h"
#include "THighScoreScreen.h"
#include "TOptionsScreen.h"
#include "TPlayScreen.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TestSupport.h"

namespace {

using screentest::ScreenTest;

class ScreenGraph : public ScreenTest {
 protected:
  // Started with a known player, on the title screen at rest.
  void StartOnTitle() {
    MakePlayer("Ada");
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  }
  TMenu* TitleMenu() const { return Screens->Title->MainMenu.get(); }
  // From the title screen by one of its buttons.
  void Open(const std::string& button, TScreen* screen) {
    ASSERT_TRUE(ClickButton(TitleMenu(), button));
    ASSERT_TRUE(RunUntilShown(screen)) << button;
  }
  void BackToTitleBy(TMenu* menu, const std::string& button) {
    ASSERT_TRUE(ClickButton(menu, button));
    ASSERT_TRUE(RunUntilShown(Screens->Title.get())) << button;
  }
  void BackToTitleByEscape() {
    ASSERT_TRUE(Key("esc"));
    ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  }
};

TEST_F(ScreenGraph, TitleToEveryMenuScreenAndBackByOkAndByEscapeThenExit) {
  StartOnTitle();
  Shot("title");
  // The version line stands at the bottom right, the welcome above the
  // change-player button.
  EXPECT_EQ(TitleMenu()->FindButton("changeplayer")->y, TTitleScreen::ChangePlayerY);

  // A change of screen is the 500 ms fade out and in: 200 logic steps.
  long long clicked = Step() + 1;
  ASSERT_TRUE(ClickButton(TitleMenu(), "options", 0));
  EXPECT_TRUE(Game->GameFade.Active);
  // A second request during the fade is ignored.
  EXPECT_FALSE(TGameScreens::ChangeTo(Screens->Help.get()));
  EXPECT_EQ(Game->DestinationTScreen, Screens->Options.get());
  ASSERT_TRUE(RunUntilShown(Screens->Options.get()));
  EXPECT_NEAR(double(Step() - clicked), 200.0, 6.0);
  Shot("options");
  BackToTitleBy(Screens->Options->MainMenu.get(), "ok");

  Open("help", Screens->Help.get());
  Shot("help");
  BackToTitleByEscape();

  Open("highscore", Screens->HighScores.get());
  ASSERT_TRUE(Steps(400));
  Shot("highscores");
  BackToTitleBy(Screens->HighScores->MainMenu.get(), "ok");

  Open("options", Screens->Options.get());
  BackToTitleByEscape();
  Open("help", Screens->Help.get());
  BackToTitleBy(Screens->Help->MainMenu.get(), "ok");
  Open("highscore", Screens->HighScores.get());
  BackToTitleByEscape();

  Open("play", Screens->Play.get());
  Shot("levels-empty");
  BackToTitleBy(Screens->Play->MainMenu.get(), "back");
  Open("play", Screens->Play.get());
  BackToTitleByEscape();

  // No player prompt on the way back.
  EXPECT_EQ(Screens->Title->EnterName, nullptr);
  EXPECT_EQ(Screens->Title->PlayerManager, nullptr);
  ASSERT_TRUE(ClickButton(TitleMenu(), "exit", 0));
  EXPECT_TRUE(RunUntil([this] { return Exited(); }, 400));
  EXPECT_EQ(plat::FileType(SharedFolder() + "GoodExit.dat"), plat::FILETYPE_FILE);
}

TEST_F(ScreenGraph, EscapeOnTheTitleLeavesTheGame) {
  StartOnTitle();
  ASSERT_TRUE(Key("esc", 0));
  EXPECT_TRUE(RunUntil([this] { return Exited(); }, 400));
}

TEST_F(ScreenGraph, FirstRunAsksForANameBeforeTheMenuCanBeUsed) {
  ASSERT_TRUE(StartGame());
  ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
  TTitleScreen& title = *Screens->Title;
  ASSERT_NE(title.EnterName, nullptr);
  ASSERT_TRUE(Steps(60));
  Shot("title-first-run");
  // The menu does not answer while the prompt is open.
  ASSERT_TRUE(ClickButton(TitleMenu(), "options", 30));
  EXPECT_FALSE(Game->GameFade.Active);
  EXPECT_EQ(Current(), &title);

  Script("1 char z\n2 char o\n3 char e\n5 key enter");
  ASSERT_TRUE(Steps(10));
  ASSERT_TRUE(RunUntil([&title] { return title.EnterName == nullptr; }, 400));
  ASSERT_NE(Game->CurrentProfile, nullptr);
  EXPECT_EQ(Game->CurrentProfile->Name, "Zoe");
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Zoe.dat"), plat::FILETYPE_FILE);
  ASSERT_TRUE(Steps(30));
  Shot("title-welcome");
  Open("options", Screens->Options.get());
}

TEST_F(ScreenGraph, ThePlayerManagerOpensOverTheTitle) {
  StartOnTitle();
  ASSERT_TRUE(ClickButton(TitleMenu(), "changeplayer", 60));
  ASSERT_NE(Screens->Title->PlayerManager, nullptr);
  Shot("title-player-manager");
  ASSERT_TRUE(Key("esc", 60));
  EXPECT_EQ(Screens->Title->PlayerManager, nullptr);
  // The Escape that closed the manager did not leave the game.
  EXPECT_FALSE(Exited());
  EXPECT_EQ(Current(), Screens->Title.get());
}

TEST_F(ScreenGraph, HighScoreRowsArriveThirtyMillisecondsApartFromAlternateSidesAndFlashGreen) {
  StartOnTitle();
  ASSERT_TRUE(ClickButton(TitleMenu(), "highscore", 0));
  THighScoreScreen& scores = *Screens->HighScores;
  ASSERT_TRUE(RunUntil([this, &scores] { return Current() == &scores; }, 300));
  ASSERT_NE(scores.SlideLines, nullptr);
  const auto& lines = scores.SlideLines->Lines;
  ASSERT_EQ(lines.size(), 10u);
  // Step by step until all have arrived: note when each reaches its place.
  std::vector<long long> arrived(lines.size(), -1);
  std::vector<float> firstSeenX(lines.size(), 0);
  std::vector<bool> moving(lines.size(), false);
  KeepFrames = false;
  for (int step = 0; step < 600; ++step) {
    ASSERT_TRUE(Steps(1));
    size_t i = 0;
    for (const auto& line : lines) {
      if (!moving[i] && line->CurrentPhase == 1) {
        moving[i] = true;
        firstSeenX[i] = line->GetX();
      }
      if (arrived[i] < 0 && line->CurrentPhase == 2) {
        arrived[i] = Step();
        // Green on arrival.
        TColor colour = THighScoreScreen::RowColour(*line);
        EXPECT_LE(colour.R, 10);
        EXPECT_EQ(colour.G, 255);
        EXPECT_LE(colour.B, 110);
      }
      ++i;
    }
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    ASSERT_GE(arrived[i], 0) << "row " << i;
    // Even rows come from the left, odd rows from the right.
    if (i % 2 == 0) {
      EXPECT_LT(firstSeenX[i], 0) << "row " << i;
    } else {
      EXPECT_GT(firstSeenX[i], 700) << "row " << i;
    }
    // 30 ms = 6 logic steps after the row above.
    if (i > 0) {
      EXPECT_NEAR(double(arrived[i] - arrived[i - 1]), 6.0, 1.0) << "row " << i;
    }
  }
  // After the highlight every row stands at the name column, in white.
  for (const auto& line : lines) {
    EXPECT_EQ(int(line->GetX()), scores.col1);
    EXPECT_EQ(THighScoreScreen::RowColour(*line).B, 255);
  }
}

TEST_F(ScreenGraph, TheHighScoreTableShowsRanksAndScoresRightAlignedClearOfTheBorder) {
  StartOnTitle();
  TGleamstrandHighScoreList& table = Screens->GameScreen->HighscoreList;
  table.Insert("Zed", 99999);
  ASSERT_EQ(table.Save(), 1);
  Open("highscore", Screens->HighScores.get());
  ASSERT_TRUE(Steps(400));
  THighScoreScreen& scores = *Screens->HighScores;
  // The rightmost pixel of a colour in a band of rows, between x0 and x1
  // (-1 when there is none).
  auto rightmost = [&](int y0, int y1, int x0, int x1, auto matches) {
    for (int x = x1; x >= x0; --x) {
      for (int y = y0; y < y1; ++y) {
        uint32_t p = Pixel(x, y);
        if (matches(int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255))) return x;
      }
    }
    return -1;
  };
  auto white = [](int r, int g, int b) { return r > 225 && g > 225 && b > 225; };
  auto yellow = [](int r, int g, int b) { return r > 200 && g > 200 && b < 90; };
  // The panel ("blackback", 680 wide, centred) ends at x = 740.
  const int border = 740;
  std::vector<int> ends;
  for (int row = 0; row < 10; ++row) {
    int y = scores.StartY + row * THighScoreScreen::RowGap;
    int end = rightmost(y, y + THighScoreScreen::RowGap - 2, 560, 790, white);
    ASSERT_GT(end, 0) << "row " << row;
    ends.push_back(end);
    // Its rank stands left of the name column.
    EXPECT_GT(rightmost(y, y + THighScoreScreen::RowGap - 2, 70, scores.col1 - 4, white), 0)
        << "row " << row;
  }
  int heading = rightmost(scores.StartY - 30, scores.StartY - 4, 560, 790, yellow);
  EXPECT_LT(heading, border - 10);
  for (int end : ends) {
    // 99999 and 10 end on the same column, under the heading's end.
    EXPECT_NEAR(end, ends.front(), 2);
    EXPECT_NEAR(end, heading, 3);
    EXPECT_LT(end, border - 10);
  }
  // The ranks are English ordinals.
  EXPECT_EQ(RankText(1) + RankText(2) + RankText(3) + RankText(4) + RankText(10),
            "1st2nd3rd4th10th");
  Shot("highscores-ranks");
}

TEST_F(ScreenGraph, ClearingTheHighScoresAsksAndRestoresTheDefaultTable) {
  StartOnTitle();
  TGleamstrandHighScoreList& table = Screens->GameScreen->HighscoreList;
  table.Insert("Zed", 999);
  ASSERT_EQ(table.Save(), 1);
  Open("highscore", Screens->HighScores.get());
  THighScoreScreen& scores = *Screens->HighScores;
  ASSERT_TRUE(ClickButton(scores.MainMenu.get(), "clear", 60));
  ASSERT_NE(scores.ClearHighscore, nullptr);
  Shot("highscores-clear");
  // "No" keeps the table.
  ASSERT_TRUE(ClickButton(scores.ClearHighscore->Menu.get(), "no", 60));
  EXPECT_EQ(scores.ClearHighscore, nullptr);
  EXPECT_EQ(table.Entries.front().name, "Zed");
  ASSERT_TRUE(ClickButton(scores.MainMenu.get(), "clear", 60));
  ASSERT_TRUE(ClickButton(scores.ClearHighscore->Menu.get(), "yes", 60));
  EXPECT_EQ(scores.ClearHighscore, nullptr);
  ASSERT_EQ(table.Entries.size(), 10u);
  EXPECT_EQ(table.Entries.front().score, 200);
  EXPECT_EQ(table.Entries.back().score, 10);
  // The file holds the default table too, and the rows slide in again.
  TGleamstrandHighScoreList reread = table;
  reread.Entries.clear();
  reread.Load();
  EXPECT_EQ(reread.Entries.front().score, 200);
  EXPECT_EQ(scores.SlideLines->Lines.size(), 10u);
  // Escape still leads back once the question has closed.
  ASSERT_TRUE(Steps(10));
  BackToTitleByEscape();
}

TEST_F(ScreenGraph, OptionsSlidersApplyAtOnceClickAtMostEveryQuarterSecondAndOkStoresThem) {
  StartOnTitle();
  Open("options", Screens->Options.get());
  TOptionsScreen& options = *Screens->Options;
  TSlider& sound = *options.Panel.SoundSlider;
  TSlider& music = *options.Panel.MusicSlider;
  int barY = int(sound.y) + sound.h / 2;
  // Half a second of dragging the sound slider from left to right.
  ASSERT_TRUE(Drag(int(sound.x) + 5, barY, int(sound.x + sound.w) - 5, barY, 100));
  EXPECT_EQ(sound.Value, 100);
  EXPECT_EQ(Game->SoundVolume, 100);
  EXPECT_GE(options.Panel.ClickCount, 2);
  EXPECT_LE(options.Panel.ClickCount, 3);
  // The music slider plays no sample.
  int clicks = options.Panel.ClickCount;
  int musicY = int(music.y) + music.h / 2;
  int quarter = int(music.x) + music.Border + (music.w - 2 * music.Border) / 4;
  ASSERT_TRUE(Drag(int(music.x + music.w) - 5, musicY, quarter, musicY, 100));
  EXPECT_EQ(options.Panel.ClickCount, clicks);
  EXPECT_NEAR(music.Value, 25, 1);
  EXPECT_EQ(Game->MusicVolume, music.Value);
  Shot("options-moved");
  // The bottom-right line follows the volumes.
  // Each volume stands beside its slider; the bottom line keeps one hint.
  EXPECT_EQ(options.InfoLine(), GameText->FindString("Options Hint"));
  EXPECT_EQ(TOptionsPanel::VolumeText(100), "100%");
  EXPECT_EQ(TOptionsPanel::VolumeText(music.Value), std::to_string(music.Value) + "%");
  int musicValue = music.Value;
  BackToTitleBy(options.MainMenu.get(), "ok");
  std::string settings = testsupport::ReadWholeFile(SettingsFile());
  EXPECT_NE(settings.find("SOUND VOLUME=100"), std::string::npos) << settings;
  EXPECT_NE(settings.find("MUSIC VOLUME=" + std::to_string(musicValue)), std::string::npos)
      << settings;
}

TEST_F(ScreenGraph, TheFullScreenToggleFollowsTheGame) {
  StartOnTitle();
  Open("options", Screens->Options.get());
  TOptionsScreen& options = *Screens->Options;
  ASSERT_EQ(Game->FullScreen, 0);
  TButton* toggle = options.Panel.OptionsMenu->FindButton("fullscreen");
  TGameImagePtr windowed = toggle->image;
  ASSERT_TRUE(ClickButton(options.Panel.OptionsMenu.get(), "fullscreen", 10));
  EXPECT_EQ(Game->FullScreen, 1);
  EXPECT_NE(toggle->image, windowed);
  EXPECT_NE(testsupport::ReadWholeFile(SettingsFile()).find("FULL SCREEN=1"), std::string::npos);
  ASSERT_TRUE(ClickButton(options.Panel.OptionsMenu.get(), "fullscreen", 10));
  EXPECT_EQ(Game->FullScreen, 0);
  TGameImagePtr shown = toggle->image;
  // Alt+Enter switches too, and the toggle shows it.
  Script("1 keydown alt\n1 key enter\n2 keyup alt");
  ASSERT_TRUE(Steps(10));
  EXPECT_EQ(Game->FullScreen, 1);
  EXPECT_NE(toggle->image, shown);
}

}  // namespace
