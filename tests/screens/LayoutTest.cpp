// Every screen and dialog laid out in every language, headless: no text
// may run past the panel, box or button it starts in, nor past the screen.
// The pseudo-language (every text 40% longer and accented) shows in
// addition that no English is drawn that the game text does not hold.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "DrawRecord.h"
#include "GameDialogs.h"
#include "GameResources.h"
#include "LevelTitle.h"
#include "PlayerSelection.h"
#include "ScreenTestSupport.h"
#include "StartupSteps.h"
#include "TCellBox.h"
#include "TDialogOK.h"
#include "TDialogTextInput.h"
#include "TDialogYesNo.h"
#include "TGameGUI.h"
#include "TGameMenu.h"
#include "TGameMode.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "THelpScreen.h"
#include "THighScoreScreen.h"
#include "TLanguage.h"
#include "TLayoutCell.h"
#include "TOptionsScreen.h"
#include "TPlayScreen.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"

namespace {

using screentest::ScreenTest;

// The names this test gives, which no language translates.
const char* const kOwnNames[] = {"Ada", "Gleamstrand"};

struct TDrawnText {
  std::string place;  // the screen or dialog
  plat::TDrawnItem item;
};

class LayoutTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Fades = false;
  }
  void TearDown() override {
    plat::SetDrawObserver(nullptr);
    ScreenTest::TearDown();
  }

  // Draws a few frames of what is shown now and checks every text in them.
  void Look(const std::string& place) {
    std::vector<plat::TDrawnItem> items;
    plat::SetDrawObserver([&](const plat::TDrawnItem& item) { items.push_back(item); });
    ASSERT_TRUE(Steps(6));
    plat::SetDrawObserver(nullptr);
    Check(place, items);
    if (WantShots()) Shot("layout-" + GameLanguage.Code + "-" + place);
  }
  // Pictures of every screen and dialog for scripts/language-sheets.sh
  // (GS_LAYOUT_SHOTS=1); a PNG costs more than a look.
  static bool WantShots() {
    const char* want = std::getenv("GS_LAYOUT_SHOTS");
    return want && *want == '1';
  }
  // A dialog of the game's builders, shown on its own over the screen.
  template <class TDialogKind>
  void LookAtDialog(const std::string& place, std::unique_ptr<TDialogKind> dialog) {
    ASSERT_NE(dialog, nullptr) << place;
    for (int i = 0; i < 80; ++i) dialog->Manage();  // fully open
    // Over the screen behind, as the player sees it, for the contact sheets.
    if (WantShots()) {
      plat::SetBlend(plat::SOLIDBLEND);
      plat::Cls();
      if (Current()) Current()->Draw();
    }
    std::vector<plat::TDrawnItem> items;
    plat::SetDrawObserver([&](const plat::TDrawnItem& item) { items.push_back(item); });
    dialog->Draw();
    plat::SetDrawObserver(nullptr);
    dialog->Kill();
    Check(place, items);
    if (!WantShots()) return;
    std::string name = place;
    std::replace(name.begin(), name.end(), ' ', '-');
    SaveShot("layout-" + GameLanguage.Code + "-dialog-" + name);
  }
  static void SaveShot(const std::string& name) {
    std::string folder = std::string(GS_RUNTIME_DIR) + "/../screenshots";
    plat::CreateDir(folder, true);
    auto frame = plat::GrabPixmap(0, 0, 800, 600);
    EXPECT_TRUE(frame && plat::SavePixmapPNG(*frame, folder + "/" + name + ".png")) << name;
  }

  void Problem(const std::string& problem) {
    if (Strict) {
      ADD_FAILURE() << problem;
    } else {
      Overflows.push_back(problem);
    }
  }

  void Check(const std::string& place, const std::vector<plat::TDrawnItem>& items) {
    int texts = 0;
    for (const plat::TDrawnItem& text : items) {
      if (!text.text || text.characters.find_first_not_of(' ') == std::string::npos) continue;
      ++texts;
      drawn_.push_back({place, text});
      std::string what = place + ": \"" + text.characters + "\"";
      const double slack = 4;  // the drop shadow
      if (text.x < -slack || text.x + text.w > 800 + slack || text.y < -slack ||
          text.y + text.h > 600 + slack)
        Problem(what + " runs past the screen edge");
      // The panel, box or button the text is in: the picture drawn last
      // before it under its first letter (else under its middle, for a
      // centred text), other than a whole-screen background.
      auto under = [&](double px, double py) {
        const plat::TDrawnItem* found = nullptr;
        for (const plat::TDrawnItem& picture : items) {
          if (&picture == &text) break;
          if (picture.text || picture.w < 150 || picture.h < 30) continue;
          if (picture.w >= 799 && picture.h >= 599) continue;
          if (px >= picture.x && px <= picture.x + picture.w && py >= picture.y &&
              py <= picture.y + picture.h)
            found = &picture;
        }
        return found;
      };
      double midY = text.y + text.h / 2;
      const plat::TDrawnItem* box = under(text.x + 2, midY);
      if (!box) box = under(text.x + text.w / 2, midY);
      if (!box || (text.x >= box->x - slack && text.x + text.w <= box->x + box->w + slack))
        continue;
      std::string problem = what + " (" + std::to_string(int(text.w)) +
                            " px) runs past its box from x = " + std::to_string(int(box->x)) +
                            " to " + std::to_string(int(box->x + box->w));
      Problem(problem);
    }
    EXPECT_GT(texts, 0) << place << " draws no text";
    CheckNoTextRunsIntoAnother(place, items);
  }

  // Two texts side by side must not run into each other (a longer word for
  // "Level" once ran into the progress label). A text that a panel drawn
  // later covers is hidden, and a text's own drop shadow is not another text.
  void CheckNoTextRunsIntoAnother(const std::string& place,
                                  const std::vector<plat::TDrawnItem>& items) {
    // A line's box holds the face's gap above and below its letters: lines
    // meet when their boxes share more than half the lower one's height.
    const double slack = 3;
    auto meets = [&](const plat::TDrawnItem& a, const plat::TDrawnItem& b) {
      double across = std::min(a.x + a.w, b.x + b.w) - std::max(a.x, b.x);
      double down = std::min(a.y + a.h, b.y + b.h) - std::max(a.y, b.y);
      return across > slack && down > std::min(a.h, b.h) / 2;
    };
    auto covers = [](const plat::TDrawnItem& picture, const plat::TDrawnItem& text) {
      return picture.x <= text.x && picture.y <= text.y &&
             picture.x + picture.w >= text.x + text.w && picture.y + picture.h >= text.y + text.h;
    };
    auto shown = [](const plat::TDrawnItem& item) {
      return item.text && item.characters.find_first_not_of(' ') != std::string::npos;
    };
    for (size_t i = 0; i < items.size(); ++i) {
      if (!shown(items[i])) continue;
      for (size_t j = i + 1; j < items.size(); ++j) {
        const plat::TDrawnItem& later = items[j];
        if (!later.text) {
          if (later.w >= 150 && later.h >= 30 && covers(later, items[i])) break;
          continue;
        }
        if (!shown(later) || !meets(items[i], later)) continue;
        bool shadow = later.characters == items[i].characters &&
                      std::abs(later.x - items[i].x) <= 4 && std::abs(later.y - items[i].y) <= 4;
        if (shadow) continue;
        Problem(place + ": \"" + items[i].characters + "\" runs into \"" + later.characters + "\"");
      }
    }
  }

  // Title, options, help, high scores, the player manager, level selection
  // and its save chooser, the game screen with its messages, the in-game
  // menu and its question, the end panel, and every dialog.
  void LookEverywhere() {
    MakePlayer("Ada");
    AddLevel("001");
    // Two digits: the longest level title the game screen shows.
    std::string level = AddLevel("012");
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
    Look("title");
    // The title's menu is made again on each visit.
    auto title = [] { return Screens->Title->MainMenu.get(); };
    // settle: steps until what slides in has arrived.
    auto visit = [&](const std::string& button, TScreen* screen, const std::string& place,
                     int settle) {
      ASSERT_TRUE(ClickButton(title(), button));
      ASSERT_TRUE(RunUntilShown(screen));
      ASSERT_TRUE(Steps(settle));
      Look(place);
      ASSERT_TRUE(Key("esc"));
      ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
    };
    visit("options", Screens->Options.get(), "options", 1);
    visit("help", Screens->Help.get(), "help", 1);
    visit("highscore", Screens->HighScores.get(), "highscores", 600);
    ASSERT_TRUE(ClickButton(title(), "changeplayer", 60));
    Look("player-manager");
    ASSERT_TRUE(Key("esc", 60));
    ASSERT_TRUE(ClickButton(title(), "play"));
    ASSERT_TRUE(RunUntilShown(Screens->Play.get()));
    Look("level-selection");
    ASSERT_TRUE(ClickButton(Screens->Play->MainMenu.get(), "load", 60));
    Look("save-chooser");
    ASSERT_TRUE(Key("esc", 60));
    ASSERT_TRUE(ClickButton(Screens->Play->PlayWayMenu.get(), "playattack", 30));
    Look("level-selection-attack");
    ASSERT_TRUE(ClickButton(Screens->Play->PlayWayMenu.get(), "playrelaxed", 30));

    TGameScreen& game = *Screens->GameScreen;
    game.LeaveTo = Screens->Play.get();
    ASSERT_TRUE(game.StartLevel(level, 0));
    ASSERT_TRUE(RunUntilShown(&game));
    Look("game");
    // The level's name is shown whole, in a smaller face if need be, not cut.
    std::string levelTitle = LevelTitle(level, 0);
    EXPECT_TRUE(std::any_of(drawn_.begin(), drawn_.end(),
                            [&](const TDrawnText& text) {
                              return text.place == "game" && text.item.characters == levelTitle;
                            }))
        << "the game screen does not show \"" << levelTitle << "\" whole";
    // One face for the top line: the title, the progress label, the score.
    auto height = [&](const std::string& characters) {
      for (const TDrawnText& text : drawn_) {
        if (text.place == "game" && text.item.characters.rfind(characters, 0) == 0) {
          return text.item.h;
        }
      }
      ADD_FAILURE() << "the game screen does not show \"" << characters << "\"";
      return 0.0;
    };
    if (Strict) {  // the pseudo-language's longer title takes a smaller face
      EXPECT_EQ(height(levelTitle), height(GameText->FindString("Progress Field")));
      EXPECT_EQ(height(levelTitle), height(GameText->FindString("Score")));
    }
    ASSERT_TRUE(Key("esc", 60));
    Look("in-game-menu");
    for (const char* page : {"options", "help"}) {
      ASSERT_TRUE(ClickButton(game.InGameMenu->Buttons(), page, 30));
      Look(std::string("in-game-") + page);
      ASSERT_TRUE(Key("esc", 10));
    }
    ASSERT_TRUE(Key("esc", 60));
    // Won with a score for the table: the high-score message over the end
    // panel, then the panel.
    game.GamePlay.Score = 1000;
    TCellBox* board = game.GamePlay.GameMode->Board();
    for (int x = 0; x < 18; ++x)
      for (int y = 0; y < 14; ++y)
        if (TLayoutCell* cell = board->GetLayoutCellAtLocation(x, y); cell && cell->Contents == 2)
          cell->Contents = 1;
    ASSERT_TRUE(RunUntil([&] { return game.State.stateFinished == 1; }, 600));
    ASSERT_TRUE(Steps(120));
    Look("level-won");
    ASSERT_TRUE(Key("enter", 120));
    Look("end-panel");
    // The open board: time attack running and at its end, endless.
    ASSERT_TRUE(game.StartOpenBoard(TPlayWay::Attack));
    ASSERT_TRUE(Steps(400));
    Look("time-attack");
    game.GamePlay.Match3()->TimeLimit.SetRemaining(0);
    ASSERT_TRUE(RunUntil([&] { return game.State.stateOutOfTime == 1; }, 60));
    ASSERT_TRUE(Steps(120));
    Look("time-up");
    ASSERT_TRUE(game.StartOpenBoard(TPlayWay::Endless));
    ASSERT_TRUE(Steps(400));
    Look("endless");

    for (const char* key :
         {"No Valid Matches 1", "Restart Puzzle", "Reshuffle Puzzle", "Exit Playing", "Exit Editor",
          "Clear Puzzle", "Delete File", "Clear Highscore", "Player Delete Player"})
      LookAtDialog(key, GameDialogYesNoForKey(key));
    for (const char* key :
         {"Editor Error 1", "Editor Error 2", "Editor Error 3", "Editor Error 4", "Editor Error 5",
          "Editor Error 6", "Name Error", "Player No More", "Player One Player"})
      LookAtDialog(key, GameDialogOKForKey(key));
    LookAtDialog("Highscore Place",
                 GameDialogOK(GameTextWith("Highscore Place", {{"place", "10"}})));
    LookAtDialog("Could Not Read Level",
                 GameDialogOK(GameTextWith("Could Not Read Level", {{"level", "080"}})));
    LookAtDialog("Could Not Read File",
                 GameDialogOK(GameTextWith("Could Not Read File", {{"file", "WWWWWWWW.save"}})));
    LookAtDialog("Could Not Create File",
                 GameDialogOK(GameTextWith("Could Not Create File", {{"file", "WWWWWWWW.save"}})));
    for (const char* key : {"Enter Save Name", "Enter Level Name"})
      LookAtDialog(key, GameDialogTextInput(GameText->FindString(key), 1));
    LookAtDialog("Enter Name", CreateNamePrompt(1));
  }

  std::vector<TDrawnText> drawn_;
  // false: a text past its box is listed in Overflows, not a failure.
  bool Strict = true;
  std::vector<std::string> Overflows;
};

class EveryLanguage : public LayoutTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryLanguage, EveryTextFitsOnEveryScreenAndDialog) {
  Language = GetParam();
  LookEverywhere();
  EXPECT_EQ(GameLanguage.Code, GetParam());
}

std::vector<std::string> LanguageCodes() {
  std::vector<std::string> codes;
  for (const TLanguageName& language : TLanguage::Languages()) codes.push_back(language.Code);
  return codes;
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryLanguage, ::testing::ValuesIn(LanguageCodes()));

// Nothing shown is English the game text does not hold: every drawn text
// with letters carries the pseudo-language's accents.
TEST_F(LayoutTest, ThePseudoLanguageShowsNoUntranslatedEnglish) {
  if (plat::FileType(std::string(GS_PSEUDO_DIR) + "/text/gametext.txt") != plat::FILETYPE_FILE)
    GTEST_SKIP() << "needs the pseudo-language in " << GS_PSEUDO_DIR;
  TLanguage::AddTestLanguage("qps", GS_PSEUDO_DIR);
  Language = "qps";
  // Texts 40% longer than English find the boxes that cannot grow; they
  // are listed, and the real languages above must fit.
  Strict = false;
  LookEverywhere();
  std::sort(Overflows.begin(), Overflows.end());
  Overflows.erase(std::unique(Overflows.begin(), Overflows.end()), Overflows.end());
  for (const std::string& overflow : Overflows)
    std::printf("pseudo-language: %s\n", overflow.c_str());
  for (const TDrawnText& text : drawn_) {
    const std::string& s = text.item.characters;
    if (std::none_of(s.begin(), s.end(), [](unsigned char c) { return std::isalpha(c); })) continue;
    if (std::any_of(s.begin(), s.end(), [](unsigned char c) { return c >= 0xab; })) continue;
    if (std::find(std::begin(kOwnNames), std::end(kOwnNames), s) != std::end(kOwnNames)) continue;
    ADD_FAILURE() << text.place << ": \"" << s << "\" is not from the game text";
  }
}

}  // namespace
