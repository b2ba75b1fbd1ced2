// Every screen and dialog laid out in every language, headless: no text
// may run past the panel, box or button it starts in, nor past the screen.
// The pseudo-language (every text 40% longer and accented) shows in
// addition that no English is drawn that the game text does not hold.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>
#include <vector>

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
#include "THelpPage.h"
#include "THelpScreen.h"
#include "THighScoreScreen.h"
#include "TLanguage.h"
#include "TLayoutCell.h"
#include "TOptionsScreen.h"
#include "TPlayScreen.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TextDraw.h"

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
    Keep(place, items);
    Check(place, items);
    if (place == "help" || place == "in-game-help") CheckHelpPage(place, items);
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
    Keep(place, items);
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

  // The help page's panel is a picture nearly as large as the screen, so a
  // line over its frame is still inside the picture: every line of the help
  // and of the stars' rule keeps to the page's text area, and that area lies
  // inside the frame of the panel as drawn.
  void CheckHelpPage(const std::string& place, const std::vector<plat::TDrawnItem>& items) {
    auto panel = std::find_if(items.begin(), items.end(), [](const plat::TDrawnItem& item) {
      return !item.text && item.w > 400 && item.w < 799 &&
             std::abs(item.x + item.w / 2 - THelpPage::PanelX) < 1 &&
             std::abs(item.y + item.h / 2 - THelpPage::PanelY) < 1;
    });
    ASSERT_NE(panel, items.end()) << place << " draws no help panel";
    EXPECT_GE(THelpPage::TextX, panel->x + THelpPage::PanelFrame) << place;
    EXPECT_LE(THelpPage::TextRight, panel->x + panel->w - THelpPage::PanelFrame) << place;
    std::vector<std::string> unseen;
    for (const char* key : {"Help Message Gleamstrand", "Help Stars"})
      for (const std::string& line : SplitLines(GameText->FindString(key))) unseen.push_back(line);
    for (auto text = panel; text != items.end(); ++text) {
      double midY = text->y + text->h / 2;
      if (!text->text || midY < panel->y || midY > panel->y + panel->h) continue;
      unseen.erase(std::remove(unseen.begin(), unseen.end(), text->characters), unseen.end());
      if (text->x < THelpPage::TextX - 0.01 || text->x + text->w > THelpPage::TextRight + 0.01)
        Problem(place + ": \"" + text->characters +
                "\" runs from x = " + std::to_string(int(text->x)) + " to " +
                std::to_string(int(text->x + text->w)) + ", past the help page's text area from " +
                std::to_string(THelpPage::TextX) + " to " + std::to_string(THelpPage::TextRight));
    }
    for (const std::string& line : unseen)
      ADD_FAILURE() << place << ": \"" << line << "\" not drawn";
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

  // What each place drew and the picture the output shows, while Seen is set.
  struct TSeen {
    std::vector<plat::TDrawnItem> items;
    std::shared_ptr<plat::TPixmap> picture;
  };
  std::map<std::string, TSeen>* Seen = nullptr;
  void Keep(const std::string& place, const std::vector<plat::TDrawnItem>& items) {
    if (Seen) (*Seen)[place] = {items, plat::GrabOutputPixmap()};
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

// ---- the picture for a large display

struct TRect {
  double x, y, w, h;
};

// Where a logical rectangle shows in an output picture of that size.
TRect OnOutput(const plat::TPixmap& output, TRect r) {
  double scale = std::min(output.width / 800.0, output.height / 600.0);
  double left = (output.width - std::lround(800 * scale)) / 2;
  double top = (output.height - std::lround(600 * scale)) / 2;
  return {left + r.x * scale, top + r.y * scale, r.w * scale, r.h * scale};
}

double Channel(uint32_t p, int c) { return double((p >> (8 * c)) & 255); }

// What a region loses on a round trip through half its size: the mean
// absolute RGB difference between it and it halved and restored with
// bilinear filtering, over 255.
double Detail(const plat::TPixmap& picture, TRect region) {
  int x0 = int(std::lround(region.x)), y0 = int(std::lround(region.y));
  int w = int(std::lround(region.w)) / 2 * 2, h = int(std::lround(region.h)) / 2 * 2;
  int hw = w / 2, hh = h / 2;
  std::vector<double> half(size_t(hw) * hh * 3);
  for (int y = 0; y < hh; ++y)
    for (int x = 0; x < hw; ++x)
      for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (int d = 0; d < 4; ++d)
          sum += Channel(picture.ReadPixel(x0 + 2 * x + d % 2, y0 + 2 * y + d / 2), c);
        half[(size_t(y) * hw + x) * 3 + c] = sum / 4;
      }
  auto at = [&](int x, int y, int c) {
    x = std::clamp(x, 0, hw - 1);
    y = std::clamp(y, 0, hh - 1);
    return half[(size_t(y) * hw + x) * 3 + c];
  };
  double lost = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double fx = (x + 0.5) / 2 - 0.5, fy = (y + 0.5) / 2 - 0.5;
      int ix = int(std::floor(fx)), iy = int(std::floor(fy));
      double ax = fx - ix, ay = fy - iy;
      for (int c = 0; c < 3; ++c) {
        double restored = (at(ix, iy, c) * (1 - ax) + at(ix + 1, iy, c) * ax) * (1 - ay) +
                          (at(ix, iy + 1, c) * (1 - ax) + at(ix + 1, iy + 1, c) * ax) * ay;
        lost += std::abs(Channel(picture.ReadPixel(x0 + x, y0 + y), c) - restored);
      }
    }
  return lost / (3.0 * w * h * 255);
}

// The output picture brought back to 800 x 600: each logical pixel the mean
// of the output pixels it covers.
std::vector<double> Logical(const plat::TPixmap& output) {
  std::vector<double> out(800 * 600 * 3, 0);
  TRect whole = OnOutput(output, {0, 0, 800, 600});
  double scale = whole.w / 800;
  for (int oy = int(whole.y); oy < int(whole.y + whole.h); ++oy)
    for (int ox = int(whole.x); ox < int(whole.x + whole.w); ++ox) {
      int lx = std::min(799, int((ox + 0.5 - whole.x) / scale));
      int ly = std::min(599, int((oy + 0.5 - whole.y) / scale));
      for (int c = 0; c < 3; ++c)
        out[(size_t(ly) * 800 + lx) * 3 + c] += Channel(output.ReadPixel(ox, oy), c);
    }
  // Each logical pixel holds the sum of the output pixels whose centres it holds.
  std::vector<int> count(800 * 600, 0);
  for (int oy = int(whole.y); oy < int(whole.y + whole.h); ++oy)
    for (int ox = int(whole.x); ox < int(whole.x + whole.w); ++ox)
      ++count[size_t(std::min(599, int((oy + 0.5 - whole.y) / scale))) * 800 +
              std::min(799, int((ox + 0.5 - whole.x) / scale))];
  for (size_t i = 0; i < count.size(); ++i)
    for (int c = 0; c < 3; ++c) out[i * 3 + c] /= std::max(1, count[i]);
  return out;
}

const plat::TDrawnItem* TextStarting(const std::vector<plat::TDrawnItem>& items,
                                     const std::string& start) {
  for (const plat::TDrawnItem& item : items)
    if (item.text && item.characters.rfind(start, 0) == 0) return &item;
  return nullptr;
}

// At 1920 x 1080 (full screen on a common display) every screen and dialog
// is laid out as at 800 x 600 and shows the same picture.
TEST_F(LayoutTest, AtFullHdEveryScreenAndDialogKeepsItsLayout) {
  std::map<std::string, TSeen> small, large;
  Seen = &small;
  LookEverywhere();
  EndAndForget();
  drawn_.clear();
  OutputWidth = 1920;
  OutputHeight = 1080;
  Seen = &large;
  LookEverywhere();
  Seen = nullptr;
  ASSERT_GT(small.size(), 30u);
  for (const auto& [place, seen] : small) {
    SCOPED_TRACE(place);
    ASSERT_TRUE(large.count(place));
    const TSeen& big = large.at(place);
    ASSERT_TRUE(seen.picture && big.picture);
    ASSERT_EQ(big.picture->width, 1920);
    // The same things drawn at the same logical places.
    ASSERT_EQ(seen.items.size(), big.items.size());
    for (size_t i = 0; i < seen.items.size(); ++i) {
      const plat::TDrawnItem &a = seen.items[i], &b = big.items[i];
      EXPECT_EQ(a.characters, b.characters);
      EXPECT_TRUE(std::abs(a.x - b.x) + std::abs(a.y - b.y) + std::abs(a.w - b.w) +
                      std::abs(a.h - b.h) <
                  0.01)
          << "item " << i << " \"" << a.characters << "\" moved";
    }
    // The same picture: no part of it missing or misplaced, block by block.
    std::vector<double> shrunk = Logical(*big.picture);
    double worst = 0;
    int worstX = 0, worstY = 0;
    for (int by = 0; by < 600; by += 20)
      for (int bx = 0; bx < 800; bx += 20) {
        double sum = 0;
        for (int y = by; y < by + 20; ++y)
          for (int x = bx; x < bx + 20; ++x)
            for (int c = 0; c < 3; ++c)
              sum += std::abs(shrunk[(size_t(y) * 800 + x) * 3 + c] -
                              Channel(seen.picture->ReadPixel(x, y), c));
        double mean = sum / (20 * 20 * 3);
        if (mean > worst) std::tie(worst, worstX, worstY) = std::tie(mean, bx, by);
      }
    EXPECT_LT(worst, 24.0) << "the block at (" << worstX << ", " << worstY << ") differs";
  }
}

// The title and a settled board at 800 x 600 and at 1920 x 1080: regions
// of text, jewels and a wall keep their fine detail. A sharp edge loses the
// same on the round trip at any size but takes 1.8 times fewer of the
// region's pixels at 1.8 times the size, so detail is compared per logical
// pixel: a picture drawn at the output's size scores as the one drawn at
// 800 x 600, one stretched from 800 x 600 about half as much.
TEST_F(LayoutTest, AtFullHdTextJewelsAndWallsStaySharp) {
  std::map<std::string, TSeen> small, large;
  std::string level = AddLevel(
      "012", {"", "", " ..........", " ..........", " ..mm..mm..", " ..........", " .........."});
  for (std::map<std::string, TSeen>* seen : {&small, &large}) {
    if (seen == &large) {
      EndAndForget();
      OutputWidth = 1920;
      OutputHeight = 1080;
    }
    Seen = seen;
    MakePlayer("Ada");
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(RunUntilShown(Screens->Title.get()));
    Look("title");
    TGameScreen& game = *Screens->GameScreen;
    game.LeaveTo = Screens->Title.get();
    ASSERT_TRUE(game.StartLevel(level, 0));
    ASSERT_TRUE(RunUntilShown(&game));
    ASSERT_TRUE(Steps(600));  // the jewels have fallen into place
    Look("game");
    Seen = nullptr;
  }
  auto expectSharp = [&](const std::string& place, TRect region, const std::string& what) {
    double before = Detail(*small.at(place).picture, region);
    TRect shown = OnOutput(*large.at(place).picture, region);
    double after = Detail(*large.at(place).picture, shown) * (shown.w / region.w);
    EXPECT_GE(after, 0.75 * before) << place << ", " << what << ": detail " << after
                                    << " per logical pixel against " << before << " at 800 x 600";
  };
  const plat::TDrawnItem* welcome = TextStarting(small.at("title").items, "Welcome");
  ASSERT_NE(welcome, nullptr);
  expectSharp("title", {welcome->x, welcome->y, welcome->w, welcome->h}, "the welcome");
  expectSharp("title", {312, 138, 180, 26}, "the logo's jewels");
  const plat::TDrawnItem* score = TextStarting(small.at("game").items, "Score");
  ASSERT_NE(score, nullptr);
  expectSharp("game", {score->x, score->y, score->w, score->h}, "the score");
  // The board is centred: its cells from (148, 155), its rocky wall left of them.
  expectSharp("game", {148, 155, 180, 72}, "the jewels");
  expectSharp("game", {128, 160, 16, 160}, "the left wall");
}

// The screenshot key (this game switches it off; a game may keep it) saves
// the frame as the output shows it, as --screenshot does: sharp, full size.
TEST_F(LayoutTest, AtFullHdTheScreenshotKeySavesTheOutputsPicture) {
  OutputWidth = 1920;
  OutputHeight = 1080;
  MakePlayer("Ada");
  ASSERT_TRUE(StartGame() && RunUntilShown(Screens->Title.get()));
  Game->IgnoreFrameworkKeys = 0;
  auto shown = plat::GrabOutputPixmap();
  ASSERT_TRUE(shown && Key("f12", 0));
  std::shared_ptr<plat::TPixmap> shot;
  for (const std::string& name : plat::ReadDir(SharedFolder()))
    if (name.find(" screenshot.png") != std::string::npos)
      shot = plat::LoadPixmap(SharedFolder() + name);
  ASSERT_TRUE(shot);
  ASSERT_EQ(shot->width, 1920);
  for (size_t i = 0; i < shot->pixels.size(); ++i)
    ASSERT_EQ(shot->pixels[i] & 0xFFFFFF, shown->pixels[i] & 0xFFFFFF) << "pixel " << i;
}

// A loose background in the resource folder replaces the archive's at 2x
// too: the copy painted for the archive's picture is not taken.
TEST_F(LayoutTest, ALooseBackgroundReplacesTheArchivesAtEverySize) {
  namespace fs = std::filesystem;
  const fs::path data = GameFolder() + "data", built = fs::read_symlink(data);
  fs::remove(data);
  fs::create_directories(data / "resources");
  for (const fs::path& folder : {fs::path(), fs::path("resources")})
    for (const auto& entry : fs::directory_iterator(built / folder))
      if (!fs::exists(data / folder / entry.path().filename()))
        fs::create_symlink(entry.path(), data / folder / entry.path().filename());
  ASSERT_TRUE(plat::SavePixmapPNG(plat::TPixmap(800, 600, 0xFF20C040u),
                                  (data / "resources/titlescreen.jpg").string()));
  for (int width : {800, 1920}) {
    OutputWidth = width;
    OutputHeight = width == 800 ? 600 : 1080;
    MakePlayer("Ada");
    ASSERT_TRUE(StartGame() && RunUntilShown(Screens->Title.get()));
    ASSERT_EQ(plat::BackBufferScale(), width == 800 ? 1 : 2);
    auto shown = plat::GrabOutputPixmap();
    // Beside the button column, nothing covers the background.
    for (TRect at : {TRect{60, 300, 1, 1}, TRect{740, 300, 1, 1}}) {
      TRect out = OnOutput(*shown, at);
      EXPECT_EQ(shown->ReadPixel(int(out.x), int(out.y)) & 0xFFFFFF, 0x20C040u) << width;
    }
    EndAndForget();
  }
}

}  // namespace
