// Buttons and menus inside the running game, driven by scripted input:
// which button takes a press, when a click counts, the looks' timing,
// keyboard shortcuts, auto-repeat, and the menu's layout operations.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestSupport.h"
#include "GameInput.h"
#include "GameResources.h"
#include "TLabel.h"
#include "TMenu.h"
#include "TSoundBank.h"
#include "TTalvorineGame.h"

namespace {

using controlstest::ControlsTest;

class ButtonMenuTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    if (!IsSkipped() && Game) menu = TMenu::Create("buttonMO", "buttonclick", 0, 100, 10);
  }
  void TearDown() override {
    if (menu) menu->Kill();
    ControlsTest::TearDown();
  }
  // A menu the screen manages every step, remembering what was clicked.
  void ManageMenu(TMenu& menu) {
    screen.OnLogic = [this, &menu] {
      menu.Manage();
      clicked.push_back(menu.ClickedName);
    };
  }
  std::shared_ptr<TMenu> menu;
  std::vector<std::string> clicked;
};

TEST_F(ButtonMenuTest, OnlyTheFirstOfTwoOverlappingButtonsTakesAPress) {
  TButton* first = menu->AddQuick("OK");
  TButton* second = menu->AddQuick("Yes");
  second->MoveTo(first->x, first->y);
  ManageMenu(*menu);
  Script("1 click left 420 110\n");
  Step();
  EXPECT_EQ(first->Clicked, 1);
  EXPECT_EQ(second->Clicked, 0);
  EXPECT_EQ(second->MouseOver, 1);  // it is under the pointer all the same
  EXPECT_EQ(clicked.back(), "OK");
}

TEST_F(ButtonMenuTest, ClickedAnswersOncePerClick) {
  TButton* ok = menu->AddQuick("OK");
  ManageMenu(*menu);
  Script("1 click left 360 110\n");
  Step();
  EXPECT_EQ(menu->Clicked("ok"), 1);
  EXPECT_EQ(menu->Clicked("OK"), 0);
  Steps(3);  // the button stays under the pointer without a new press
  EXPECT_EQ(ok->Clicked, 0);
  EXPECT_EQ(menu->Clicked("OK"), 0);
  EXPECT_EQ(menu->MouseOver("OK"), 1);
  EXPECT_EQ(menu->MouseOver("OK"), 1);  // mouse-over is not consumed by default
}

TEST_F(ButtonMenuTest, ThePointerIsOverFromTheCornerToOneShortOfTheFarEdges) {
  TButton* ok = menu->AddQuick("OK");  // 95 x 36
  ok->MoveTo(100, 50);
  ManageMenu(*menu);
  Script("1 move 100 50\n2 move 194 85\n3 move 195 85\n4 move 194 86\n");
  std::vector<int> over;
  for (int i = 0; i < 4; ++i) {
    Step();
    over.push_back(ok->MouseOver);
  }
  EXPECT_EQ(over, (std::vector<int>{1, 1, 0, 0}));
}

TEST_F(ButtonMenuTest, AStackedMenuGrowsByButtonHeightAndGap) {
  // Three 40-pixel buttons with gap 10 from y = 100.
  for (const char* name : {"oksmall", "clear", "arrowLeft"}) menu->AddQuick(name);
  EXPECT_EQ(menu->h, 140);
  EXPECT_EQ(menu->NextY, 250);
  EXPECT_EQ(menu->Buttons[1]->y, 150);
  EXPECT_EQ(menu->Buttons[2]->y, 200);
  EXPECT_EQ(menu->Buttons[0]->x, (800 - 120) / 2);  // each centred on the screen
  menu->Centre();
  EXPECT_EQ(menu->y, (600 - 140) / 2);
  EXPECT_EQ(menu->Buttons[2]->y, (600 - 140) / 2 + 100);
  EXPECT_EQ(menu->FindButton("CLEAR"), menu->Buttons[1].get());
  EXPECT_EQ(menu->FindButton("nothing"), nullptr);
}

TEST_F(ButtonMenuTest, ARowAndAPairLayOutLeftToRight) {
  for (const char* name : {"oksmall", "clear", "arrowLeft"}) menu->AddQuick(name);
  menu->MakeRow(10);
  // 120 + 10 + 120 + 10 + 40 = 300 wide, 40 high, centred.
  EXPECT_EQ(menu->Buttons[0]->x, 250);
  EXPECT_EQ(menu->Buttons[1]->x, 380);
  EXPECT_EQ(menu->Buttons[2]->x, 510);
  for (const auto& button : menu->Buttons) EXPECT_EQ(button->y, 280);

  auto pair = TMenu::Create("", "", 0, 30, 10);
  TButton* yes = pair->AddPair("Yes", "No", 50, "dlg");
  TButton* no = pair->FindButton("dlgNo");
  ASSERT_NE(no, nullptr);
  EXPECT_EQ(yes->name, "DLGYES");
  EXPECT_EQ(no->x, yes->x + 95 + 50);
  EXPECT_EQ(no->y, yes->y);
  EXPECT_EQ(pair->NextY, 30 + 36 + 10);
  pair->SetX(100);
  EXPECT_EQ(yes->x, 100);
  EXPECT_EQ(no->x, 245);
}

TEST_F(ButtonMenuTest, AddQuickAutoTakesTheExtraLooksOnlyWhenTheyExist) {
  TButton* plain = menu->AddQuickAuto("fullscreenOn");  // no "_disabled", no "_down"
  TButton* ok = menu->AddQuickAuto("OK");
  EXPECT_NE(plain->image, nullptr);
  EXPECT_NE(plain->ImageMouseOver, nullptr);
  EXPECT_EQ(plain->ImageDisabled, nullptr);
  EXPECT_EQ(plain->ImageMouseClick, nullptr);
  EXPECT_NE(ok->ImageDisabled, nullptr);
  ASSERT_NE(ok->ImageMouseClick, nullptr);
  EXPECT_FLOAT_EQ(ok->MouseClickDuration, 40);  // 200 ms
  // Without a pressed look a click leaves no pressed time behind.
  ManageMenu(*menu);
  Script("1 click left 400 110\n");
  Step();
  EXPECT_EQ(menu->Clicked("fullscreenOn"), 1);
  EXPECT_EQ(plain->MouseClickCounter, 0);
}

TEST_F(ButtonMenuTest, APressDuringThePressedLookIsIgnoredUnlessClickWhenDown) {
  TButton* ok = menu->AddQuickAuto("OK");
  ManageMenu(*menu);
  // Pressed look of 40 steps: the press at step 21 falls inside it, the
  // one at step 45 after it.
  Script("1 click left 360 110\n21 click left 360 110\n45 click left 360 110\n");
  Steps(45);
  std::vector<int> clicks;
  for (size_t i = 0; i < clicked.size(); ++i) {
    if (clicked[i] == "OK") clicks.push_back(int(i) + 1);
  }
  EXPECT_EQ(clicks, (std::vector<int>{1, 45}));
  EXPECT_GT(ok->MouseClickCounter, 0);

  ok->ClickWhenDown = 1;
  clicked.clear();
  Script("2 click left 360 110\n");
  Steps(2);
  EXPECT_EQ(clicked.back(), "OK");
}

TEST_F(ButtonMenuTest, ADisabledButtonClicksOnlyWhileClickDisabledIsSet) {
  TButton* ok = menu->AddQuick("OK");
  ok->Disabled = 1;
  ManageMenu(*menu);
  Script("1 click left 360 110\n3 click left 360 110\n");
  Step();
  EXPECT_EQ(menu->Clicked("OK"), 1);
  ok->ClickDisabled = 0;
  Steps(2);
  EXPECT_EQ(menu->Clicked("OK"), 0);
  EXPECT_EQ(ok->MouseOver, 0);
}

TEST_F(ButtonMenuTest, TheOKButtonTakesEnterAndSpaceAndSwallowsSpaceWhenNotUsingIt) {
  TButton* ok = menu->AddQuick("OK");
  ok->OKButton = 1;
  ManageMenu(*menu);
  Script("1 move 10 10\n2 key enter\n4 key space\n");
  Steps(2);
  EXPECT_EQ(clicked.back(), "OK");
  EXPECT_EQ(ok->MouseOver, 1);  // a visible click
  Steps(2);
  EXPECT_EQ(clicked.back(), "OK");

  ok->OKButtonUseSpace = 0;
  Script("1 key space\n");
  Step();
  EXPECT_EQ(clicked.back(), "");
  EXPECT_EQ(GameKeyHit(plat::KEY_SPACE), 0);  // consumed all the same
}

TEST_F(ButtonMenuTest, AHeldButtonWithARepeaterClicksAtOnceAfter400msThenEvery100ms) {
  TButton* ok = menu->AddQuick("OK");
  ok->SetupMouseRepeat(400, 100);
  ok->ClickWhenDown = 1;
  ManageMenu(*menu);
  Script("1 down left 360 110\n130 up left\n");
  Steps(140);
  std::vector<int> clicks;
  for (size_t i = 0; i < clicked.size(); ++i) {
    if (clicked[i] == "OK") clicks.push_back(int(i) + 1);
  }
  EXPECT_EQ(clicks, (std::vector<int>{1, 81, 101, 121}));
}

TEST_F(ButtonMenuTest, AButtonGrowsWhileHoveredAndShrinksBack) {
  TButton* ok = menu->AddQuick("OK");
  ok->SetupScaleOnMO(1.15f, 0.03f, 0.01f);
  ManageMenu(*menu);
  Script("1 move 360 110\n11 move 10 10\n");
  Steps(3);
  EXPECT_NEAR(ok->ScaleOnMO, 1.09f, 1e-4);
  Steps(7);
  EXPECT_FLOAT_EQ(ok->ScaleOnMO, 1.15f);
  Steps(5);
  EXPECT_NEAR(ok->ScaleOnMO, 1.10f, 1e-4);
  Steps(20);
  EXPECT_FLOAT_EQ(ok->ScaleOnMO, 1.0f);
}

TEST_F(ButtonMenuTest, HoveredAndPressedButtonsLookFinished) {
  auto column = TMenu::Create("buttonMO", "buttonclick", 0, 180, 10);
  column->SetShadow(1, 3, 3, 0.4f);
  for (const char* name : {"play", "help", "options"}) {
    column->AddQuickAuto(name)->SetupScaleOnMO(1.15f, 0.03f, 0.01f);
  }
  screen.OnLogic = [&] { column->Manage(); };
  screen.OnDraw = [&] { column->Draw(); };
  // Hover "help" until it has grown; press "options".
  TButton* help = column->FindButton("help");
  TButton* options = column->FindButton("options");
  Script("1 move 400 " + std::to_string(int(help->y) + 20) + "\n30 click left 400 " +
         std::to_string(int(options->y) + 20) + "\n31 move 400 " +
         std::to_string(int(help->y) + 20) + "\n");
  Steps(32);
  EXPECT_GT(help->ScaleOnMO, 1.0f);
  EXPECT_GT(options->MouseClickCounter, 0);
  Shot("menu-looks.png");
  column->Kill();
}

TEST_F(ButtonMenuTest, ACaptionSitsOnTheButtonsCentreAndMovesWithIt) {
  TButton* ok = menu->AddQuick("OK");
  ok->SetupCaption("Go", GameFont(18), TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f),
                   nullptr, TColor::Create(255, 220, 120));
  EXPECT_FLOAT_EQ(ok->Caption->X, ok->x + 47);  // the image's half width in whole pixels
  EXPECT_FLOAT_EQ(ok->Caption->Y, ok->y + 18);
  EXPECT_EQ(ok->Caption->Alignment, 1);
  EXPECT_EQ(ok->Caption->CentreVertically, 1);
  menu->SetX(10);
  EXPECT_FLOAT_EQ(ok->Caption->X, 10 + 47);
  menu->Centre();
  EXPECT_FLOAT_EQ(ok->Caption->Y, float((600 - 36) / 2 + 18));
}

TEST_F(ButtonMenuTest, MenusShareTheSoundsTheBankHolds) {
  ASSERT_NE(menu->SoundClick, nullptr);  // read from the sound folder
  TGameSoundPtr click = SoundBank->Load("buttonclick");
  TGameSoundPtr over = SoundBank->Load("buttonmo");
  auto again = TMenu::Create("buttonMO", "buttonclick");
  EXPECT_EQ(again->SoundClick, click);
  EXPECT_EQ(again->SoundMouseOver, over);
  EXPECT_EQ(again->AddQuick("OK")->SoundClick, click);
  again->Kill();
}

TEST_F(ButtonMenuTest, TheMenuIgnoresInputDuringAScreenFadeAndWhenTold) {
  menu->AddQuick("OK");
  ManageMenu(*menu);
  menu->AcceptInput = 0;
  Script("1 click left 360 110\n");
  Step();
  EXPECT_EQ(clicked.back(), "");
  EXPECT_EQ(menu->MouseOverName, "");
  menu->AcceptInput = 1;
  Game->Mouse.Off();
  Script("1 click left 360 110\n");
  Step();
  EXPECT_EQ(clicked.back(), "");
}

}  // namespace
