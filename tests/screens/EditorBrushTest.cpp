// The level editor's brush in the real game, headless: Control with a click
// erases without touching the brush, Control tapped alone switches it, the
// panel beside the frame shows its state, and a level's name is trimmed and
// held to the field's fourteen characters.
#include <gtest/gtest.h>

#include <algorithm>

#include "BoardGrid.h"
#include "GameDialogs.h"
#include "GameResources.h"
#include "ScreenTestSupport.h"
#include "TCellBox.h"
#include "TGameGUI.h"
#include "TGameModeEditor.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TLayoutCell.h"
#include "TMenu.h"
#include "TTalvorineGame.h"

namespace {

using screentest::ScreenTest;

class EditorBrush : public ScreenTest {
 protected:
  void OpenEditor() {
    MakePlayer("Ada");
    AddLevel("mine", 1);
    ASSERT_TRUE(StartInEditor(screen_));
  }
  TGameModeEditor& Editor() { return *screen_.GamePlay.Editor(); }
  TLayoutCell& Cell(int x, int y) { return *Editor().CellBox->Layout[x][y]; }
  static int CentreX(int x) { return board::CentreX(x); }
  static int CentreY(int y) { return board::CentreY(y); }
  // The brightest channel inside the panel's button of that name.
  int PanelButton(const char* name) {
    const TButton& button = *Editor().BrushMenu->FindButton(name);
    int best = 0;
    for (int y = int(button.y) + 2; y < int(button.y) + button.h - 2; ++y) {
      for (int x = int(button.x) + 2; x < int(button.x) + button.w - 2; ++x) {
        uint32_t p = Pixel(x, y);
        best = std::max({best, int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)});
      }
    }
    return best;
  }
  void Type(const std::string& text, bool withEnter = true) {
    std::string script;
    int step = 1;
    for (char c : text) script += std::to_string(step++) + " char " + std::to_string(int(c)) + "\n";
    if (withEnter) script += std::to_string(step++) + " key enter\n";
    Script(script);
    ASSERT_TRUE(Steps(step + 20));
  }

  TGameScreen screen_;
};

TEST_F(EditorBrush, ControlWithAClickErasesAndTheBrushShowsItsState) {
  OpenEditor();
  ASSERT_EQ(Editor().LayoutContents, 1);
  Click(CentreX(5), CentreY(5), 5);
  ASSERT_EQ(Cell(5, 5).Contents, 1);
  // Control held with a left click erases; the brush stays normal.
  Script("1 keydown ctrl\n3 move " + std::to_string(CentreX(5)) + " " + std::to_string(CentreY(5)) +
         "\n4 down left\n6 up left\n9 keyup ctrl\n");
  ASSERT_TRUE(Steps(15));
  EXPECT_EQ(Cell(5, 5).Contents, 0);
  EXPECT_EQ(Editor().LayoutContents, 1);
  Click(CentreX(6), CentreY(5), 5);
  EXPECT_EQ(Cell(6, 5).Contents, 1);
  // The panel: the kind bright, the chain and create flags dim, filled bright.
  Script("1 move 760 560");
  ASSERT_TRUE(Steps(6));
  Shot("editor-brush-normal");
  EXPECT_GT(PanelButton("normal"), 200);
  EXPECT_LT(PanelButton("marble"), 160);
  EXPECT_LT(PanelButton("chain"), 160);
  EXPECT_LT(PanelButton("create"), 160);
  EXPECT_GT(PanelButton("fill"), 200);
  // Control tapped alone switches the brush to marble; X and Z toggle.
  Key("ctrl", 5);
  EXPECT_EQ(Editor().LayoutContents, 2);
  Key("x", 5);
  Key("z", 5);
  EXPECT_EQ(Editor().IsChain, 1);
  EXPECT_EQ(Editor().IsFill, 0);
  ASSERT_TRUE(Steps(6));
  Shot("editor-brush-marble-chain");
  EXPECT_GT(PanelButton("marble"), 200);
  EXPECT_GT(PanelButton("chain"), 200);
  EXPECT_LT(PanelButton("fill"), 160);
  Click(CentreX(7), CentreY(5), 5);
  EXPECT_EQ(Cell(7, 5).Contents, 2);
  EXPECT_EQ(Cell(7, 5).IsChain, 1);
  // The right button erases too, and leaves the brush as it is.
  Script("1 move " + std::to_string(CentreX(7)) + " " + std::to_string(CentreY(5)) +
         "\n2 down right\n4 up right\n");
  ASSERT_TRUE(Steps(8));
  EXPECT_EQ(Cell(7, 5).Contents, 0);
  EXPECT_EQ(Editor().LayoutContents, 2);
}

TEST_F(EditorBrush, ThePanelsButtonsSetTheBrushByThePointerAndByTheKeys) {
  OpenEditor();
  TMenu& panel = *Editor().BrushMenu;
  const int cells = Editor().CellBox->GetLayoutCellNotEmptyCount();
  ASSERT_TRUE(ClickButton(&panel, "marble"));
  ASSERT_TRUE(ClickButton(&panel, "chain"));
  EXPECT_EQ(Editor().LayoutContents, 2);
  EXPECT_EQ(Editor().IsChain, 1);
  EXPECT_EQ(Editor().CellBox->GetLayoutCellNotEmptyCount(), cells);  // nothing painted
  // The keys: Tab walks from the board through the panel; Enter on
  // "Creates" switches the flag, and only that button looks chosen while
  // the pointer rests on "Chained".
  TGameGUI& gui = *screen_.GUI;
  for (int i = 0; i < 8 && gui.Focus.Current() != panel.FindButton("create"); ++i) {
    ASSERT_TRUE(Key("tab", 3));
  }
  ASSERT_EQ(gui.Focus.Current(), panel.FindButton("create"));
  ASSERT_TRUE(Key("enter", 5));
  EXPECT_EQ(Editor().IsCreate, 1);
  std::vector<std::string> chosen;
  for (const auto& button : panel.Buttons) {
    if (button->MouseOver) chosen.push_back(button->name);
  }
  EXPECT_EQ(chosen, std::vector<std::string>{"CREATE"});
  ASSERT_TRUE(Key("up", 5));  // back to "Chained": off again
  ASSERT_TRUE(Key("space", 5));
  EXPECT_EQ(Editor().IsChain, 0);
  ASSERT_TRUE(Steps(3));
  Shot("editor-brush-buttons");
  EXPECT_GT(PanelButton("marble"), 200);
  EXPECT_LT(PanelButton("normal"), 160);
  EXPECT_GT(PanelButton("create"), 200);
}

TEST_F(EditorBrush, ALevelNameIsTrimmedAndHeldToTheField) {
  OpenEditor();
  ASSERT_EQ(Editor().LoadLayout(ProfileFolder() + "mine.layout"), 1);
  for (int x = 0; x < 18; ++x) {
    TLayoutCell* cell = Editor().CellBox->GetLayoutCellAtLocation(x, 4);
    if (cell->Contents != 0) cell->IsCreate = 1;
  }
  ASSERT_EQ(Editor().IsLayoutValid(), 0);
  TGameGUI& gui = *screen_.GUI;
  ClickButton(gui.CustomMenu.get(), "savecustom", 10);
  ASSERT_NE(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  // Spaces alone are not a name: told so, and the question stays.
  Type("  ");
  ASSERT_NE(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  ASSERT_NE(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->DialogOK, nullptr);
  EXPECT_EQ(
      gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->DialogOK->Caption->Text,
      GameText->FindString("Name Error Spaces"));
  Key("enter", 40);
  Script("1 char 08\n2 char 08");
  ASSERT_TRUE(Steps(6));
  // Fourteen characters fit; the fifteenth is refused with a flash.
  Type("Badname Grotto", false);
  EXPECT_EQ(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)
                ->TextInput.RefusedFlashLevel(),
            0.0f);
  Script("1 char 33");
  ASSERT_TRUE(Steps(2));
  EXPECT_GT(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)
                ->TextInput.RefusedFlashLevel(),
            0.5f);
  EXPECT_EQ(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text,
            "Badname Grotto");
  Shot("editor-name-full");
  Key("enter", 20);
  EXPECT_EQ(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Badname Grotto.layout"), plat::FILETYPE_FILE);
  ASSERT_NE(gui.Dialogs.As<TDialogOK>(TDialogSlot::OKInput), nullptr);  // "Level saved"
  Key("enter", 30);
  // Spaces at both ends are not part of the file's name.
  ClickButton(gui.CustomMenu.get(), "savecustom", 10);
  ASSERT_NE(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  std::string erase;
  for (int i = 1; i <= 14; ++i) erase += std::to_string(i) + " char 08\n";
  Script(erase);
  ASSERT_TRUE(Steps(18));
  EXPECT_EQ(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput)->TextInput.Text, "");
  Type("  Grotto ");
  EXPECT_EQ(gui.Dialogs.As<TDialogTextInput>(TDialogSlot::SaveGameNameInput), nullptr);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "Grotto.layout"), plat::FILETYPE_FILE);
  EXPECT_EQ(plat::FileType(ProfileFolder() + "  Grotto .layout"), plat::FILETYPE_NONE);
  EXPECT_EQ(gui.LastFileName, "Grotto");
}

}  // namespace
