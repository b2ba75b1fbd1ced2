// List boxes and their scroll bar inside the running game, driven by
// scripted input: selection by click and arrow keys, double clicks, the
// shown range, the scroll bar's arrows and knob, and the eight-line list.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsTestSupport.h"
#include "GameResources.h"
#include "TListBox.h"
#include "TTalvorineGame.h"
#include "TVListBox.h"

namespace {

using controlstest::ControlsTest;

const std::vector<std::string> Names = {"Aldric", "Brenna", "Cormac",    "Deirdre",
                                        "Eamon",  "Fiona",  "Gwendolyn", "Hamish",
                                        "Isolde", "Jareth", "Keira",     "Lorcan"};

class ListBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    if (IsSkipped() || !Game) return;
    list = TListBox::Create(10, 5, 0, 1, 500);
    list->SetCoords(250, 150, 300, 150);
    list->SetupFont(GameFont(20), TColor::Create(255, 255, 255), TShadow::Create(3, 3, 0.4f));
    list->SetupBox(TColor::Create(100, 100, 100, 0.5f));
    list->HighlightCol = TColor::Create(0, 0, 150, 0.6f);
    list->SetClickSound(SoundOf("buttonclick"));
    screen.OnLogic = [this] { list->Manage(); };
    screen.OnDraw = [this] { list->Draw(); };
  }
  void TearDown() override {
    if (list) list->Kill();
    ControlsTest::TearDown();
  }
  static TGameSoundPtr SoundOf(const std::string& name) {
    return TGameSound::Create(Game->SoundPath + name + ".wav");
  }
  // The pointer position in the middle of a shown row.
  std::string Row(int r) const {
    return std::to_string(int(list->Box.X) + 40) + " " +
           std::to_string(int(list->Box.Y) + r * list->LineHeight + list->LineHeight / 2);
  }
  // A knob picture and the "Up"/"Down" arrows along the right edge.
  void AddScrollBar() {
    list->Limit = 5;
    auto knob = TGameImage::Create(Game->ImagePath + "marker.png", -1, 0);
    int top = int(list->Box.Y) + 24;
    list->ScrollBar = TScrollBar::Create(knob, int(list->Box.H) - 48, list->Count() - list->Limit,
                                         list->Box.X + list->Box.W + 8, float(top));
    list->ScrollBar->SetArrows("Up", "Down", 200);
    list->ScrollBar->FixedGlowOnMO = 1;
  }

  std::unique_ptr<TListBox> list;
};

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndStopAtTheEnds) {
  list->Strings = {"one", "two", "three"};
  std::vector<int> seen;
  // Each key goes down on one step and up on the next.
  Script(
      "1 keyup up\n2 keydown up\n3 keyup up\n4 keydown down\n5 keyup down\n"
      "6 keydown up\n7 keyup up\n8 keydown down\n9 keyup down\n10 keydown down\n"
      "11 keyup down\n12 keydown down\n13 keyup down\n");
  for (int i = 0; i < 13; ++i) {
    Step();
    seen.push_back(list->Index);
  }
  EXPECT_EQ(seen, (std::vector<int>{-1, -1, -1, 0, 0, 0, 0, 1, 1, 2, 2, 2, 2}));
  EXPECT_EQ(list->Value, "three");
}

TEST_F(ListBoxTest, AHeldArrowKeyRepeatsAfter400msThenEvery100ms) {
  list->Strings = Names;
  Script("1 keydown down\n120 keyup down\n");
  std::vector<int> changes;
  int last = list->Index;
  for (int step = 1; step <= 130; ++step) {
    Step();
    if (list->Index != last) changes.push_back(step);
    last = list->Index;
  }
  EXPECT_EQ(changes, (std::vector<int>{1, 81, 101}));
  EXPECT_EQ(list->Index, 2);
}

TEST_F(ListBoxTest, AClickSelectsALineButNotOnItsTopBoundary) {
  list->Strings = Names;
  int x = int(list->Box.X) + 40;
  int boundary = int(list->Box.Y) + list->LineHeight;  // top pixel of row 1
  Script("1 click left " + std::to_string(x) + " " + std::to_string(boundary) + "\n");
  Step();
  EXPECT_EQ(list->Index, -1);
  EXPECT_EQ(Game->Mouse.GetMh(0), 1);  // not on a line: the press is left to later controls
  Script("1 click left " + std::to_string(x) + " " + std::to_string(boundary + 1) + "\n");
  Step();
  EXPECT_EQ(list->Index, 1);
  EXPECT_EQ(list->Value, "Brenna");
}

TEST_F(ListBoxTest, ADoubleClickIsReportedOnce) {
  list->Strings = Names;
  Script("1 click left " + Row(2) + "\n40 click left " + Row(2) + "\n");
  Steps(40);
  EXPECT_EQ(list->GetDoubleClicked(), 2);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
  // Too slow (more than 500 ms apart) is two single clicks.
  Script("1 click left " + Row(3) + "\n150 click left " + Row(3) + "\n");
  Steps(150);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
  EXPECT_EQ(list->Index, 3);
}

TEST_F(ListBoxTest, AQuickClickOnAnotherLineIsASecondSelectionNotADoubleClick) {
  list->Strings = Names;
  Script("1 click left " + Row(2) + "\n40 click left " + Row(3) + "\n");
  Steps(40);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
  EXPECT_EQ(list->Index, 3);
  EXPECT_EQ(list->Value, "Deirdre");
  // The line clicked second is the one a further quick click doubles.
  Script("10 click left " + Row(3) + "\n");
  Steps(10);
  EXPECT_EQ(list->GetDoubleClicked(), 3);
}

TEST_F(ListBoxTest, TheShownRangeFollowsTheSelection) {
  list->Strings = Names;
  list->Limit = 5;
  EXPECT_EQ(list->GetTempLimit(), 5);
  list->SetIndex(8);
  EXPECT_EQ(list->TopIndex, 4);
  EXPECT_EQ(list->GetTempLimit(), 9);
  list->SetIndex(1);
  EXPECT_EQ(list->TopIndex, 1);
  EXPECT_EQ(list->GetIndexY(), int(list->Box.Y));
  list->SetTopIndex(20);
  EXPECT_EQ(list->TopIndex, 7);
  list->SetTopIndex(-3);
  EXPECT_EQ(list->TopIndex, 0);
}

TEST_F(ListBoxTest, TheScrollBarStepsDragsAndDisablesItsArrows) {
  list->Strings = Names;
  AddScrollBar();
  TScrollBar& bar = *list->ScrollBar;
  TButton* up = bar.Menu->FindButton("Up");
  TButton* down = bar.Menu->FindButton("Down");
  EXPECT_EQ(up->Disabled, 1);
  EXPECT_EQ(down->Disabled, 0);
  EXPECT_EQ(int(up->y) + up->h, int(bar.Y));
  EXPECT_EQ(int(down->y), int(bar.Y) + bar.Size);
  // A click on "Down" scrolls one line; holding it repeats after 400 ms.
  std::string downAt = std::to_string(int(down->x) + 5) + " " + std::to_string(int(down->y) + 5);
  Script("1 click left " + downAt + "\n");
  Step();
  EXPECT_EQ(list->TopIndex, 1);
  EXPECT_EQ(up->Disabled, 0);
  Script("1 down left " + downAt + "\n200 up left\n");
  std::vector<int> changes;
  for (int step = 1, last = list->TopIndex; step <= 200; ++step) {
    Step();
    if (list->TopIndex != last) changes.push_back(step);
    last = list->TopIndex;
  }
  // At once, after 400 ms, then every 100 ms, until the end of the list.
  EXPECT_EQ(changes, (std::vector<int>{1, 81, 101, 121, 141, 161}));
  EXPECT_EQ(list->TopIndex, 7);
  EXPECT_EQ(down->Disabled, 1);
  // Dragging the knob back to the top.
  int knobX = int(bar.X) + 5, knobY = int(bar.Y) + bar.SliderPosition + 5;
  Script("1 down left " + std::to_string(knobX) + " " + std::to_string(knobY) + "\n" + "2 move " +
         std::to_string(knobX) + " " + std::to_string(knobY - 60) + "\n" + "3 move " +
         std::to_string(knobX) + " 10\n4 up left\n");
  Steps(2);
  EXPECT_EQ(bar.SliderSelected, 1);
  EXPECT_GT(list->TopIndex, 0);
  Steps(2);
  EXPECT_EQ(list->TopIndex, 0);
  EXPECT_EQ(bar.SliderPosition, 0);
  EXPECT_EQ(bar.SliderSelected, 0);
  EXPECT_EQ(up->Disabled, 1);
}

TEST_F(ListBoxTest, AScrollBarWithNothingToScrollKeepsItsKnobAndArrowsStill) {
  list->Strings = {"Aldric", "Brenna"};
  AddScrollBar();
  TScrollBar& bar = *list->ScrollBar;
  EXPECT_EQ(bar.ValueMax, 0);
  TButton* down = bar.Menu->FindButton("Down");
  EXPECT_EQ(bar.Menu->FindButton("Up")->Disabled, 1);
  EXPECT_EQ(down->Disabled, 1);
  Script("1 click left " + std::to_string(int(down->x) + 5) + " " +
         std::to_string(int(down->y) + 5) + "\n");
  Steps(2);
  EXPECT_EQ(bar.SliderPosition, 0);
  EXPECT_EQ(list->TopIndex, 0);
}

TEST_F(ListBoxTest, AListWithASelectionAndAScrollBarLooksFinished) {
  list->Strings = Names;
  AddScrollBar();
  list->LockedArray = {0, 0, 0, 0, 1};
  list->LockedColor = TColor::Create(150, 150, 150, 0.8f);
  Script("1 click left " + Row(2) + "\n2 move 620 420\n");
  Steps(3);
  EXPECT_EQ(list->Value, "Cormac");
  Shot("listbox.png");
}

// ---------------------------------------------------------------- eight-line list

class VListBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    if (IsSkipped() || !Game) return;
    screen.Backdrop.reset();
    list = TVListBox::Create(10, 5, 0, 0, 500);
    list->SetCoords(100, 100, 300, 300);
    list->SetupFont(GameFont(20), TColor::Create(255, 255, 255), nullptr);
    screen.OnLogic = [this] { list->Manage(); };
    screen.OnDraw = [this] { list->Draw(); };
  }
  void TearDown() override {
    if (list) list->Kill();
    ControlsTest::TearDown();
  }
  // Lit pixels of the list's area in a fresh frame.
  int LitPixels() {
    screen.Draw();
    auto pixmap = plat::GrabPixmap(0, 0, 800, 600);
    int lit = 0;
    for (uint32_t pixel : pixmap->pixels) lit += (pixel & 0xffffff) != 0 ? 1 : 0;
    return lit;
  }
  std::unique_ptr<TVListBox> list;
};

TEST_F(VListBoxTest, TheWindowIsDrawnOnlyWhileItLiesInsideTheList) {
  list->Strings = std::vector<std::string>(Names.begin(), Names.begin() + 8);
  EXPECT_GT(LitPixels(), 100);
  list->Strings.pop_back();  // EndList 7 is no longer below the count
  EXPECT_EQ(LitPixels(), 0);
  list->EndList = 6;
  EXPECT_GT(LitPixels(), 100);
}

TEST_F(VListBoxTest, AClickSelectsInTheWindowAndASecondOneIsADoubleClick) {
  list->Strings = Names;
  list->StartList = 2;
  list->EndList = 9;
  std::string row1 = "150 " + std::to_string(100 + list->LineHeight + list->LineHeight / 2);
  Script("1 click left " + row1 + "\n20 click left " + row1 + "\n");
  Step();
  EXPECT_EQ(list->Index, 3);
  EXPECT_EQ(list->Value, "Deirdre");
  Steps(19);
  EXPECT_EQ(list->GetDoubleClicked(), 3);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
}

TEST_F(VListBoxTest, AQuickClickOnAnotherLineIsASecondSelectionNotADoubleClick) {
  list->Strings = Names;
  auto row = [this](int r) {
    return "150 " + std::to_string(100 + r * list->LineHeight + list->LineHeight / 2);
  };
  Script("1 click left " + row(1) + "\n20 click left " + row(2) + "\n");
  Steps(20);
  EXPECT_EQ(list->GetDoubleClicked(), -1);
  EXPECT_EQ(list->Index, 2);
  EXPECT_EQ(list->Value, "Cormac");
}

}  // namespace
