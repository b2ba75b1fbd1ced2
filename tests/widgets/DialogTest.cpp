// The game's dialogs inside the running game, driven by scripted input:
// what each answers to keys and clicks and on which step, the transitions,
// Escape kept from the screen behind, and the text questions' field.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ControlsTestSupport.h"
#include "GameDialogs.h"
#include "GameInput.h"
#include "GameResources.h"
#include "TGameText.h"
#include "TTalvorineGame.h"
#include "TestSupport.h"
#include "TextDraw.h"
#include "Utf8.h"

namespace {

using controlstest::ControlsTest;

class DialogTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    if (IsSkipped() || !Game) return;
    for (const char* name : {"input", "inputlong"}) LoadInterfaceImage(name);
    screen.OnLogic = [this] {
      if (!dialog) return;
      int result = dialog->Manage();
      results.push_back(result);
      if (result != 0 && dropOnResult) Drop();
    };
    screen.OnDraw = [this] {
      if (dialog) dialog->Draw();
    };
  }
  void TearDown() override {
    Drop();
    ControlsTest::TearDown();
  }
  void Drop() {
    if (dialog) dialog->Kill();
    dialog.reset();
  }
  template <typename Dialog>
  Dialog* Open(std::unique_ptr<Dialog> made) {
    Dialog* raw = made.get();
    dialog = std::move(made);
    results.clear();
    return raw;
  }
  // Runs until the dialog answers (at most limit steps); the answer and the
  // step it came on, counted from the call.
  std::pair<int, int> Answer(int limit = 400) {
    size_t from = results.size();
    for (int i = 0; i < limit; ++i) {
      Step();
      if (results.size() > from && results.back() != 0) {
        return {results.back(), int(results.size() - from)};
      }
    }
    return {0, limit};
  }
  // The centre of a button of the open dialog.
  std::string At(const std::string& button) {
    TButton* found = dialog->Menu->FindButton(button);
    EXPECT_NE(found, nullptr) << button;
    if (!found) return "0 0";
    return std::to_string(int(found->x) + found->w / 2) + " " +
           std::to_string(int(found->y) + found->h / 2);
  }

  std::unique_ptr<TDialog> dialog;
  std::vector<int> results;
  bool dropOnResult = true;
};

TEST_F(DialogTest, AnOKMessageAnswersOneToTheButtonEnterSpaceAndEscape) {
  for (const char* input : {"click", "key enter", "key space", "key esc"}) {
    Open(GameDialogOK("The level is saved."));
    std::string line = input;
    if (line == "click") line = "click left " + At("OK");
    Script("3 " + line + "\n");
    EXPECT_EQ(Answer(), std::make_pair(1, 3)) << input;
    EXPECT_EQ(dialog, nullptr);
  }
}

TEST_F(DialogTest, AYesNoQuestionAnswersEachKeyAndButton) {
  struct Case {
    std::string input;
    int answer;
  };
  const std::vector<Case> cases = {{"key esc", -1}, {"key n", -1},    {"click No", -1},
                                   {"key y", 1},    {"key enter", 1}, {"click Yes", 1}};
  for (const Case& c : cases) {
    Open(GameDialogYesNo("Reshuffle the jewels?"));
    std::string line = c.input;
    if (line.rfind("click ", 0) == 0) line = "click left " + At(line.substr(6));
    Script("2 " + line + "\n");
    EXPECT_EQ(Answer(), std::make_pair(c.answer, 2)) << c.input;
  }
}

TEST_F(DialogTest, EscapeInADialogNeverReachesTheScreenBehind) {
  screen.Destination = &screen;
  TDialogYesNo* dialog = Open(GameDialogYesNo("Leave the game?"));
  dialog->Start();  // a second start does no harm
  EXPECT_TRUE(NavInput.BackOwners.IsTop(dialog));
  Script("1 key esc\n");
  EXPECT_EQ(Answer(), std::make_pair(-1, 1));
  Steps(5);
  EXPECT_EQ(Game->GameFade.Active, 0);       // no fade away from the screen
  EXPECT_TRUE(NavInput.BackOwners.Empty());  // the screen's again once closed
}

TEST_F(DialogTest, WithAnOutTransitionTheAnswerComesWhenItEnds) {
  TDialogOK* ok = Open(GameDialogOK("Saved."));
  ok->SetTransitions(0, 200, 0.5f, 1);  // 40 steps out, fading
  Script("1 click left " + At("OK") + "\n");
  auto [answer, step] = Answer();
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(step, 41);  // 0 on the click's step, 1 when the 40 steps have run
  EXPECT_EQ(results.front(), 0);

  dropOnResult = false;
  Open(GameDialogOK("Saved."))->SetTransitions(0, 200, 0, 0);
  Script("1 key enter\n");
  EXPECT_EQ(Answer().first, 1);
  Steps(3);
  EXPECT_EQ(std::count(results.begin(), results.end(), 1), 1);  // answered once
  EXPECT_EQ(results.back(), 0);
}

TEST_F(DialogTest, ADialogSlidingFromAboveStartsOffScreenAndEndsInPlace) {
  TDialogYesNo* question = Open(GameDialogYesNo("Restart the puzzle from its first deal?"));
  question->Slide = 1;
  question->SetTransitions(500, 0, 0.5f, 0);  // 100 steps in
  question->Start();
  EXPECT_FLOAT_EQ(question->OffsetY, -float(question->y + question->h));
  Steps(50);
  EXPECT_NEAR(question->OffsetY, -float(question->y + question->h) / 2, 1.0f);
  Shot("yesno-mid-slide.png");
  // Keys during the slide are not taken.
  Script("1 key y\n");
  Steps(1);
  Steps(49);
  EXPECT_EQ(question->Transitioning, 0);
  EXPECT_FLOAT_EQ(question->OffsetY, 0);
  EXPECT_EQ(question->y, (600 - 190) / 2);
  EXPECT_EQ(std::count(results.begin(), results.end(), 0), long(results.size()));
  Script("1 key y\n");
  EXPECT_EQ(Answer(), std::make_pair(1, 1));
}

TEST_F(DialogTest, TheOKMessageAndTheQuestionLookFinished) {
  Open(GameDialogOK(GameText->FindString("Editor Error 1")));
  Script("1 move 500 400\n");
  Steps(2);
  Shot("ok-message.png");
  EXPECT_EQ(dialog->x, (800 - 640) / 2);
  EXPECT_EQ(dialog->Caption->Alignment, 1);
  EXPECT_FLOAT_EQ(dialog->Caption->X, 400);
  TButton* ok = dialog->Menu->FindButton("OK");
  EXPECT_EQ(int(ok->x), (800 - 95) / 2);
  EXPECT_EQ(int(ok->y) + ok->h, dialog->y + dialog->h - dialog->Border);
}

TEST_F(DialogTest, APlainBoxWrapsItsCaptionToAFixedWidth) {
  auto made = TDialogOK::Create(
      "No valid moves are left on the board. The jewels will be shuffled for you.", nullptr, 300);
  made->SetupCaption(GameFont(20), TColor::Create(255, 255, 255), TShadow::Create(1, 1, 0.6f));
  made->Shadow = TShadow::Create(3, 3, 0.4f);
  made->DimBackground = 0.4f;
  made->Start();
  TDialogOK* box = Open(std::move(made));
  EXPECT_EQ(box->w, 300);
  EXPECT_GE(box->Caption->TotalLines, 3);
  for (const std::string& line : box->Caption->TextArray) {
    EXPECT_LE(TextLineWidth(line, nullptr), 300 - 2 * box->Border) << line;
  }
  // Borders, caption, gap and the OK button make the height.
  EXPECT_EQ(box->h, int(2 * 20 + 50 + box->Caption->CalcHeight() + 36));
  EXPECT_EQ(box->y, (600 - box->h) / 2);
  TButton* ok = box->Menu->FindButton("OK");
  EXPECT_EQ(int(ok->y) + ok->h, box->y + box->h - box->Border);
  Script("1 move 650 500\n");
  Step();
  Shot("plain-box.png");
  Script("1 key enter\n");
  EXPECT_EQ(Answer(), std::make_pair(1, 1));
}

TEST_F(DialogTest, EveryDialogTextOfTheGameFitsItsPictureOnOneLine) {
  const std::vector<std::string> prompts = {"Enter Save Name", "Enter Level Name", "Rename Player"};
  // A yes/no question takes the wide box where the narrow one is too short.
  const std::vector<std::string> questions = {
      "No Valid Matches 1",   "Restart Puzzle",     "Reshuffle Puzzle", "Exit Playing",
      "Exit Editor",          "Clear Puzzle",       "Delete File",      "Clear Highscore",
      "Player Delete Player", "Editor Load Unsaved"};
  const std::vector<std::string> messages = {
      "Editor Error 1",    "Editor Error 2", "Editor Error 3", "Editor Error 4",
      "Editor Error 5",    "Editor Error 6", "Name Error",     "Player No More",
      "Player One Player", "Game Saved",     "Rename Failed"};
  auto fits = [](const std::string& key, int pictureWidth) {
    std::string text = GameText->FindString(key);
    EXPECT_FALSE(text.empty()) << key;
    plat::SetImageFont(GameFont(20));
    EXPECT_LE(TextLineWidth(text, nullptr), float(pictureWidth - 2 * 20)) << key << ": " << text;
  };
  for (const std::string& key : prompts) fits(key, 460);  // "input"
  for (const std::string& key : questions) {
    fits(key, 640);  // "inputlong" at most
    auto question = GameDialogYesNoForKey(key);
    const bool narrow = TextLineWidth(question->Caption->Text, nullptr) <= 460 - 2 * 20;
    EXPECT_EQ(question->w, narrow ? 460 : 640) << key;
  }
  for (const std::string& key : messages) fits(key, 640);  // "inputlong"
  fits("Enter Name", 460);                                 // "entername"
  fits("Highscore Place", 640 - 40);                       // room left for the place and "!"
}

// ---------------------------------------------------------------- text questions

class TextQuestionTest : public DialogTest {
 protected:
  TDialogTextInput* Ask(int withCancel = 0) {
    return Open(GameDialogTextInput("Enter a name for your level", withCancel));
  }
  // Script lines typing text from the given step, one character a step.
  static std::string Typing(const std::string& text, int from) {
    std::string lines;
    for (char32_t c : plat::CodePoints(text)) {
      lines += std::to_string(from++) + " char " + std::to_string(int(c)) + "\n";
    }
    return lines;
  }
  // Enter as a keyboard gives it: the key and the typed character.
  static std::string Enter(int step) {
    return std::to_string(step) + " key enter\n" + std::to_string(step) + " char 13\n";
  }
};

TEST_F(TextQuestionTest, TypingFillsTheFieldAndEnterConfirmsOnItsStep) {
  TDialogTextInput* ask = Ask();
  EXPECT_EQ(Game->BlockKeys, 1);
  // P types a "p" instead of pausing the game while the field is active.
  Script(Typing("Pip p", 1) + Enter(6));
  EXPECT_EQ(Answer(), std::make_pair(1, 6));
  EXPECT_EQ(Game->Paused, 0);
  EXPECT_EQ(Game->BlockKeys, 0);
  (void)ask;
}

TEST_F(TextQuestionTest, TheFieldKeepsItsLimitsAndRefusals) {
  dropOnResult = false;
  TDialogTextInput* ask = Ask();
  // Enter on the empty field does nothing; nor does Backspace.
  Script(Enter(1) + "2 char 08\n");
  Steps(2);
  EXPECT_EQ(ask->TextInput.Text, "");
  EXPECT_EQ(ask->Active, 1);
  // The eleven refused characters, then more than fourteen allowed ones
  // with letters beyond ASCII among them: the limit counts characters.
  Script(Typing("\"|*\\/:;~?<>", 1) + Typing("René Жук Bold, 2nd", 12));
  Steps(40);
  EXPECT_EQ(ask->TextInput.Text, "René Жук Bold,");
  // Backspace takes whole characters.
  Script("1 char 08\n2 char 08\n3 char 08\n4 char 08\n5 char 08\n6 char 08\n7 char 08\n" +
         Typing("x", 8));
  Steps(8);
  EXPECT_EQ(ask->TextInput.Text, "René Жуx");
  Script(Enter(1));
  EXPECT_EQ(Answer(), std::make_pair(1, 1));
  EXPECT_EQ(ask->TextInput.Text, "René Жуx");
}

TEST_F(TextQuestionTest, EscapeCancelsOnlyTheQuestionWithACancelButton) {
  dropOnResult = false;
  TDialogTextInput* ask = Ask(0);
  Script(Typing("ab", 1) + "3 key esc\n");
  Steps(10);
  EXPECT_EQ(ask->Active, 1);
  EXPECT_EQ(ask->TextInput.Text, "ab");
  EXPECT_EQ(Game->GameFade.Active, 0);

  ask = Ask(1);
  Script(Typing("ab", 1) + "3 key esc\n");
  EXPECT_EQ(Answer(), std::make_pair(-1, 3));
  EXPECT_EQ(ask->Active, 0);
  EXPECT_EQ(Game->BlockKeys, 0);

  ask = Ask(1);
  Script(Typing("ab", 1) + "3 click left " + At("Cancel") + "\n");
  EXPECT_EQ(Answer(), std::make_pair(-1, 3));
  ask = Ask(1);
  Script(Typing("ab", 1) + "3 click left " + At("OK") + "\n");
  EXPECT_EQ(Answer(), std::make_pair(1, 3));
  EXPECT_EQ(ask->TextInput.Text, "Ab");  // the first letter upper-cased
}

TEST_F(TextQuestionTest, ARefusedNameShowsTheMessageAndTheFieldTakesInputAgain) {
  dropOnResult = false;
  TDialogTextInput* ask = Open(GameNamePrompt([](const std::string& text, std::string& message) {
    if (text != "Taken") return 1;
    message = "That name is taken.";
    return -1;
  }));
  EXPECT_EQ(ask->TextInput.MaxLength, 10);
  Script(Typing("taken", 1) + Enter(6));
  Steps(6);
  ASSERT_NE(ask->DialogOK, nullptr);
  EXPECT_EQ(ask->DialogOK->Caption->Text, "That name is taken.");
  Shot("name-refused.png");
  // Escape closes the message, not the prompt.
  Script("2 key esc\n");
  Steps(3);
  EXPECT_EQ(ask->DialogOK, nullptr);
  EXPECT_EQ(ask->Active, 1);
  EXPECT_EQ(ask->TextInput.Active, 1);
  EXPECT_TRUE(NavInput.BackOwners.IsTop(ask));
  Script("1 char 08\n2 char 08\n" + Typing("in", 3) + Enter(5));
  EXPECT_EQ(Answer(), std::make_pair(1, 5));
  EXPECT_EQ(ask->TextInput.Text, "Takin");
}

TEST_F(TextQuestionTest, DroppingAnOpenQuestionGivesTheGameItsKeysBack) {
  Ask();
  EXPECT_EQ(Game->BlockKeys, 1);
  dialog.reset();  // dropped without Kill
  EXPECT_EQ(Game->BlockKeys, 0);
  Ask()->Kill();
  EXPECT_EQ(Game->BlockKeys, 0);
}

TEST_F(TextQuestionTest, AFieldKeepsItsLengthWidthAndDigitLimits) {
  TTextInput field;
  field.Init(GameFont(20), "", 100, 100);
  int result = 0;
  screen.OnLogic = [&] { result = field.Manage(); };
  // Ten characters at most; the eleventh is ignored.
  Script(Typing("abcdefghijk", 1));
  Steps(11);
  EXPECT_EQ(field.Text, "abcdefghij");
  // Digits only: letters are dropped, Enter still confirms.
  field.Text.clear();
  field.CurrentChar = 1;
  field.NumbersOnly = 1;
  Script(Typing("a1b2", 1) + "5 char 13\n");
  Steps(5);
  EXPECT_EQ(field.Text, "12");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(field.Active, 0);
  // A width limit: wide letters stop before the field is full.
  field.Reset();
  field.Text.clear();
  field.CurrentChar = 1;
  field.NumbersOnly = 0;
  field.MaxPixelWidth = 40;
  Script(Typing("WWWWWW", 1));
  Steps(6);
  EXPECT_GE(field.Text.size(), 1u);
  EXPECT_LT(field.Text.size(), 6u);
  EXPECT_LE(field.GetWidth(""), 40.0f);
  EXPECT_GT(field.GetWidth("W"), 40.0f);
  // Escape (as a typed character) empties and aborts when allowed.
  Script("1 char 27\n");
  Step();
  EXPECT_EQ(result, -1);
  EXPECT_EQ(field.Text, "");
  EXPECT_EQ(Game->BlockKeys, 0);
}

TEST_F(TextQuestionTest, ANameWithAnAccentedLetterSurvivesAsAFileName) {
  TDialogTextInput* ask = Ask();
  dropOnResult = false;
  Script(Typing("ωμέγα", 1) + Enter(6));
  EXPECT_EQ(Answer().first, 1);
  std::string name = ask->TextInput.Text;
  ASSERT_EQ(name, "Ωμέγα");  // the first letter in upper case, Greek too
  testsupport::TempDir dir;
  auto file = plat::WriteFileAtomic(dir.Path() + "/" + name + ".dat");
  ASSERT_NE(file, nullptr);
  file->WriteInt(1);
  ASSERT_TRUE(file->Close());
  EXPECT_EQ(plat::ReadDir(dir.Path()), std::vector<std::string>{name + ".dat"});
  EXPECT_EQ(plat::FileType(dir.Path() + "/" + name + ".dat"), plat::FILETYPE_FILE);
}

TEST_F(TextQuestionTest, AHalfTypedNameShowsItsCursor) {
  Ask();
  Script(Typing("Gwend", 1) + "6 move 600 420\n");
  Steps(6);
  Shot("text-question.png");
  auto* ask = static_cast<TDialogTextInput*>(dialog.get());
  EXPECT_EQ(ask->TextInput.CursorOn, 1);
  EXPECT_EQ(ask->TextInput.X, ask->x + 40 + 10);
}

}  // namespace
