#include "TGameGUI.h"

#include <cstdlib>

#include "FileProblems.h"
#include "GameDialogs.h"
#include "GameInput.h"
#include "GameResources.h"
#include "Globals.h"
#include "LevelTitle.h"
#include "Platform.h"
#include "TCellBox.h"
#include "TGameMenu.h"
#include "TGameModeEditor.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TLevelClock.h"
#include "TLevelEnd.h"
#include "TModeText.h"
#include "TNameRules.h"
#include "TNavInput.h"
#include "TParticleList.h"
#include "TPlayerFiles.h"
#include "TSaveGameManager.h"
#include "TSoundBank.h"
#include "TStandardLevels.h"
#include "TTalvorineGame.h"
#include "TVMouse.h"
#include "TVProfile.h"
#include "TextCase.h"
#include "TextDraw.h"
#include "WidgetFiles.h"

namespace {

constexpr int BarSpacing = 6;

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : key; }

}  // namespace

TGameGUI::TGameGUI(TGameScreen& screen)
    : Screen(&screen), BoardFocus([this] {
        const TGamePlay& play = Screen->GamePlay;
        return play.GameMode ? play.GameMode->Board() : nullptr;
      }) {
  Dialogs.Closed = [this](TDialogSlot::TKind kind) { DialogClosed(kind); };
}

TGameGUI::~TGameGUI() = default;

bool TGameGUI::InEditor() const { return Screen->State.stateCustomMode != 0; }

// ---------------------------------------------------------------- life

void TGameGUI::Load() {
  Kill();
  LastFileName.clear();
  endLevelMenu = std::make_unique<TVEndLevelMenu>();
}

void TGameGUI::Start() {
  MainMenu = TMenu::Create("buttonMO", "buttonclick", 0, PlayBarY, BarSpacing);
  MainMenu->AddQuick("menu");
  MainMenu->AddQuick("hint");
  MainMenu->SetX(PlayBarX);
  MainMenu->SetY(PlayBarY);
  CustomMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, BarSpacing);
  for (const char* name : {"savecustom", "loadcustom", "reset", "backtomenu"}) {
    CustomMenu->AddQuick(name);
  }
  CustomMenu->MakeRow(EditorBarGap);
  CustomMenu->SetY(EditorBarY);
}

void TGameGUI::Kill() {
  Dialogs.Kill();
  endLevelMenu.reset();
}

// ---------------------------------------------------------------- each step

void TGameGUI::Logic() {
  TState& state = Screen->State;
  TGamePlay& play = Screen->GamePlay;
  if (!state.Over() && !state.stateCustomMode && play.GameMode) {
    if (play.Match3() && play.Match3()->IsOutOfTime()) {
      OutOfTime();
    } else if (play.GameMode->IsGameFinished() && play.ScoreAdder == 0) {
      EndLevel();
    }
  }
  if (DialogOpen()) state.disableButtons = 1;
  if (!state.disableButtons) {
    ManageFocus();
    if (state.stateCustomMode) {
      if (CustomMenu) CustomMenu->Manage();
    } else if (!Screen->InGameMenu->Active && MainMenu) {
      MainMenu->Manage();
    }
  }
  if (DialogOpen()) state.disableButtons = 1;
  Dialogs.Manage();
  CheckButtonClicks();
  CheckEndGameMenu();
}

// The order is set again each step: the bar shown changes with the mode.
void TGameGUI::ManageFocus() {
  // The reshuffle offer is the board's own question: it takes the commands.
  TGameModeMatch3* match3 = Screen->GamePlay.Match3();
  bool playing =
      !Screen->InGameMenu->Active && !Screen->State.Over() && !(match3 && match3->ShufflePieces);
  Focus.Clear();
  Focus.Add(&BoardFocus);
  if (TGameModeEditor* editor = Screen->GamePlay.Editor(); editor && InEditor()) {
    Focus.Add(editor->BrushMenu.get());
  }
  Focus.Add(InEditor() ? CustomMenu.get() : MainMenu.get());
  if (!playing) {
    Focus.Hide();
    return;
  }
  BoardFocus.Follow();
  Focus.Manage();
}

void TGameGUI::EndLevel() {
  TState& state = Screen->State;
  TGamePlay& play = Screen->GamePlay;
  state.StartFinished();
  play.GameMode->GameFinished();
  // The finished message takes the help box's place.
  if (TGameModeMatch3* match3 = play.Match3()) match3->StopHelpMessage();
  play.ParticleList = std::make_shared<TParticleList>();
  if (SoundBank) PlayWidgetSound(SoundBank->Find("applause"));
  LevelClock.Pause();
  state.disableButtons = 0;
  // A fresh panel: the one of a level lost before had other buttons.
  endLevelMenu = std::make_unique<TVEndLevelMenu>();
  TLevelEnd(play, Screen->HighScoresOf(play.Way), [this](const std::string& file) {
    CreateFailure(file);
  }).Record(*endLevelMenu);
  endLevelMenu->Init(-1, -1);
  endLevelMenu->Offer(OffersNextPuzzle(), 1, 1);
}

void TGameGUI::OutOfTime() {
  TState& state = Screen->State;
  TGamePlay& play = Screen->GamePlay;
  state.StartOutOfTime();
  play.GameMode->GameFinished();
  if (TGameModeMatch3* match3 = play.Match3()) {
    match3->StopHelpMessage();
    match3->ResetHint();
  }
  LevelClock.Pause();
  endLevelMenu = std::make_unique<TVEndLevelMenu>();
  endLevelMenu->Stars = TVEndLevelMenu::NoStars;
  if (play.Way == TPlayWay::Attack) {
    // Time attack ends here: its score goes to its table.
    if (TGameModeMatch3* match3 = play.Match3()) match3->SettleScore();
    endLevelMenu->Title = Text("Time Up");
    endLevelMenu->Summary = {Text("Score") + std::to_string(play.Score),
                             TLevelEnd::PlaceText(RecordOpenBoardScore())};
  } else {
    // A lost level is recorded nowhere: no completion, no bests, no score.
    endLevelMenu->Title = Text("Out Of Time");
    endLevelMenu->Summary = {LevelTitle(play.CurrentLevel, play.IsCustomLevel),
                             Text("Score") + std::to_string(play.Score)};
  }
  endLevelMenu->RestartButton = TVEndLevelMenu::TryAgainButton;
  endLevelMenu->Init(-1, -1);
  endLevelMenu->Offer(0, 1, 1);
}

bool TGameGUI::PlayingClock() const {
  const TGameModeMatch3* match3 = Screen->GamePlay.Match3();
  return match3 && match3->TimeLimit.Active();
}

int TGameGUI::RecordOpenBoardScore() {
  TGamePlay& play = Screen->GamePlay;
  return TLevelEnd::EnterHighScore(play, Screen->HighScoresOf(play.Way),
                                   [this](const std::string& file) { CreateFailure(file); });
}

void TGameGUI::LeaveRun() {
  // Endless ends only by being left, so leaving is its end. A time attack
  // ends at its time-up, recorded there: one abandoned before is no
  // finished run, and a time-up recorded already is not entered twice.
  if (Screen->GamePlay.Way != TPlayWay::Endless || InEditor()) return;
  if (TGameModeMatch3* match3 = Screen->GamePlay.Match3()) match3->SettleScore();
  RecordOpenBoardScore();
}

bool TGameGUI::OffersNextPuzzle() const {
  const TGamePlay& play = Screen->GamePlay;
  return !play.IsCustomLevel && !play.CurrentLevel.empty();
}

bool TGameGUI::WouldLoseWork() const {
  const TGamePlay& play = Screen->GamePlay;
  // A level lost against the clock has nothing left to lose, and endless
  // loses nothing however it is left: its score is recorded then.
  if (Screen->State.stateOutOfTime || play.Way == TPlayWay::Endless) return false;
  if (InEditor()) return play.Editor() && play.Editor()->HasUnsavedChanges();
  return play.Match3() && play.Match3()->HasUnsavedProgress();
}

void TGameGUI::Ask(TDialogSlot::TKind kind, const std::string& key, std::function<void()> onYes) {
  Dialogs.Open(
      kind, [key] { return GameDialogYesNoForKey(key); },
      [onYes = std::move(onYes)](int result, TDialog&) {
        if (result == 1) onYes();
      });
}

void TGameGUI::AskToLeave() {
  // The run is recorded as the screen is left (LeaveRun).
  if (WouldLoseWork()) {
    Ask(TDialogSlot::QuitInput, InEditor() ? "Exit Editor" : "Exit Playing",
        [this] { Screen->ChangeTo(Screen->LeaveTo); });
  } else {
    Screen->ChangeTo(Screen->LeaveTo);
  }
}

void TGameGUI::AskToRestart() {
  if (WouldLoseWork()) {
    Ask(TDialogSlot::RestartInput, "Restart Puzzle", [this] { Restart(); });
  } else {
    Restart();
  }
}

void TGameGUI::AskToShuffle() {
  // A won level has no jewels left to deal on its marble cells; a lost one
  // is over.
  if (Screen->State.Over()) return;
  // On the open board a new deal keeps the score: nothing to lose.
  if (WouldLoseWork() && !playway::OnOpenBoard(Screen->GamePlay.Way)) {
    Ask(TDialogSlot::ShuffleInput, "Reshuffle Puzzle", [this] { Shuffle(); });
  } else {
    Shuffle();
  }
}

void TGameGUI::Restart() {
  TGamePlay& play = Screen->GamePlay;
  if (!play.GameMode) return;
  LeaveRun();
  play.GameMode->Reset();
  if (Screen->InGameMenu->Active) Screen->InGameMenu->Hide();
}

void TGameGUI::CheckEndGameMenu() {
  TState& state = Screen->State;
  if (!state.Over() || state.disableButtons || Screen->InGameMenu->Active) return;
  if (!endLevelMenu) return;
  endLevelMenu->Logic(!state.stateOutOfTime && OffersNextPuzzle(), 1, 1);
  switch (endLevelMenu->Selected) {
    case TVEndLevelMenu::SelectNext:
      Match3Next();
      break;
    case TVEndLevelMenu::SelectRestart:
      AskToRestart();
      break;
    case TVEndLevelMenu::SelectBack:
      AskToLeave();
      break;
    default:
      break;
  }
}

void TGameGUI::Match3Next() {
  TGamePlay& play = Screen->GamePlay;
  if (!play.GameMode) return;
  if (OffersNextPuzzle() && play.GameMode->GameType == TGameMode::TypeMatch3) {
    std::string next = TStandardLevels::NextPath(play.CurrentLevel);
    if (!plat::ReadStream(next)) {
      Message(ReadFailureText(FileStem(next) + TStandardLevels::Extension));
      return;
    }
    Game->Mouse.Off();
    play.GameMode->Init(next, 0);
    Screen->State.Clear();
  }
  LevelClock.Restart();
  Screen->ChangeTo(Screen);
}

void TGameGUI::Shuffle() {
  TGamePlay& play = Screen->GamePlay;
  if (!play.GameMode) return;
  Game->Mouse.Off();
  play.GameMode->Shuffle();
  // A new deal is a level in play again, even when the old one was won.
  Screen->State.Clear();
  // Against the clock and in time attack a new deal buys no time: the
  // clock goes on.
  if (PlayingClock()) {
    LevelClock.Resume();
  } else {
    LevelClock.Restart();
  }
  Screen->ChangeTo(Screen);
}

void TGameGUI::CheckButtonClicks() {
  TState& state = Screen->State;
  TGamePlay& play = Screen->GamePlay;
  if (!state.disableButtons) {
    if (!InEditor()) {
      if (MainMenu && MainMenu->Clicked("menu")) Screen->InGameMenu->Show(1);
    } else if (CustomMenu) {
      if (CustomMenu->Clicked("savecustom")) {
        int check = play.Editor() ? play.Editor()->IsLayoutValid() : -1;
        if (check == 0) {
          AskFileName("Enter Level Name", LastFileName);
        } else if (check >= 1 && check <= 5) {
          Message(Text("Editor Error " + std::to_string(check)));
        } else {
          Message(Text("Editor Error 6"));
        }
      } else if (CustomMenu->Clicked("loadcustom")) {
        AskToLoad();
      } else if (CustomMenu->Clicked("reset")) {
        Ask(TDialogSlot::ResetInput, "Clear Puzzle", [this] {
          if (Screen->GamePlay.GameMode) Screen->GamePlay.GameMode->Clear();
        });
      } else if (CustomMenu->Clicked("backtomenu") ||
                 NavInput.BackOwners.Hit(TBackOwners::Screen)) {
        AskToLeave();
      }
    }
  }
  if (!state.Over() && !state.disableButtons && play.GameMode) {
    bool clicked = MainMenu && !InEditor() && MainMenu->Clicked("hint");
    if (clicked || NavInput.Hit(TNavCommand::Hint)) play.GameMode->ResetHintTimer(HintDelayMs);
  }
}

void TGameGUI::DialogClosed(TDialogSlot::TKind kind) {
  Screen->State.disableButtons = 0;
  // A restart or a new deal starts the screen afresh, which clears the click.
  if (kind != TDialogSlot::RestartInput && kind != TDialogSlot::ShuffleInput) {
    Game->Mouse.ClearMouseHit();
    VMouse.UpdateMouseClicks();
  }
}

void TGameGUI::Message(const std::string& text) {
  // One at a time: a message waits for the open dialog to close.
  Dialogs.Open(TDialogSlot::OKInput, [text] { return GameDialogOK(text); });
}

void TGameGUI::CreateFailure(const std::string& fileName) {
  Message(GameTextWith("Could Not Create File", {{"file", fileName}}));
}

void TGameGUI::LoadChosen(const std::string& name) {
  TGamePlay& play = Screen->GamePlay;
  TPlayerFiles::TKind kind = InEditor() ? TPlayerFiles::Layout : TPlayerFiles::Save;
  std::string file = name + TPlayerFiles::Extension(kind);
  std::string path = TPlayerFiles::Path(name, kind);
  // A file that is gone or unreadable leaves the game as it is.
  bool loaded = plat::ReadStream(path) != nullptr;
  if (loaded && InEditor()) {
    loaded = play.Editor() && play.Editor()->LoadLayout(path);
  } else if (loaded) {
    loaded = play.GameMode && play.GameMode->LoadGame(path);
  }
  if (!loaded) Message(ReadFailureText(file));
}

void TGameGUI::AskFileName(const std::string& key, const std::string& initial) {
  Dialogs.Open(
      TDialogSlot::SaveGameNameInput,
      [key, initial] {
        auto dialog = GameDialogTextInputForKey(key, 1);
        GameCheckText(*dialog, [](const std::string& text, std::string& message) {
          return FileNameRules().ErrorCheck(text, message);
        });
        if (!initial.empty()) dialog->TextInput.SetText(initial);
        return dialog;
      },
      [this](int result, TDialog& closed) {
        if (result == 1) {
          SaveTyped(TNameRules::Trim(static_cast<TDialogTextInput&>(closed).TextInput.Text));
        }
      });
}

void TGameGUI::SaveTyped(const std::string& text) {
  TGamePlay& play = Screen->GamePlay;
  const std::string path = TPlayerFiles::PathStem(text);
  // The message names the file, not its folder: a whole path would not fit
  // the dialog.
  if (InEditor()) {
    if (play.Editor() && play.Editor()->SaveLayout(path)) {
      LastFileName = text;
      Message(Text("Level Saved"));
    } else {
      CreateFailure(text + TPlayerFiles::Extension(TPlayerFiles::Layout));
    }
  } else if (play.GameMode && !play.GameMode->SaveGame(path)) {
    CreateFailure(text + TPlayerFiles::Extension(TPlayerFiles::Save));
  } else if (play.GameMode) {
    Message(Text("Game Saved"));
  }
}

void TGameGUI::AskSaveName() {
  TGamePlay& play = Screen->GamePlay;
  AskFileName("Enter Save Name",
              SaveNameSuggestion(play.CurrentLevel, play.IsCustomLevel, plat::LocalDateTime(),
                                 size_t(FileNameRules().MaxLength)));
}

void TGameGUI::AskToLoad() {
  if (WouldLoseWork()) {
    Ask(TDialogSlot::LoadInput, "Editor Load Unsaved", [this] { ShowSaveGameManager(); });
  } else {
    ShowSaveGameManager();
  }
}

void TGameGUI::ShowSaveGameManager() {
  const bool editor = InEditor();
  Dialogs.Open(
      TDialogSlot::SaveGameManager,
      [editor] {
        return editor ? TSaveGameManager::CreateForGame("layout", "Choose Layout")
                      : TSaveGameManager::CreateForGame("save", "Choose Savegame");
      },
      [this](int result, TDialog& closed) {
        if (result != 1) return;
        if (Screen->InGameMenu->Active) Screen->InGameMenu->Hide();
        LoadChosen(static_cast<TSaveGameManager&>(closed).ChosenName());
      });
}

// ---------------------------------------------------------------- drawing

void TGameGUI::Draw() {
  TState& state = Screen->State;
  if (state.Over()) {
    const TGameModeMatch3* match3 = Screen->GamePlay.Match3();
    const TBottomBox box = match3 ? match3->BottomBox() : TBottomBox{};
    box.DrawImage(InterfaceImageBank ? InterfaceImageBank->FindTImage("helptextback") : nullptr);
    if (plat::TFontPtr font = GameFont(25)) {
      plat::SetImageFont(font);
      plat::SetColor(255, 255, 255);
      DrawLinesEndingAt(400, box.TextTop, EndBoxText(), 1, 25);
    }
    // A message or question stands alone: the panel comes after it.
    if (!Screen->InGameMenu->Active && endLevelMenu && !DialogOpen()) {
      endLevelMenu->Draw();
    }
  }
  Dialogs.Draw();
}

std::string TGameGUI::EndBoxText() const {
  const TState& state = Screen->State;
  if (!state.stateOutOfTime) return Text("Finished Puzzle");
  if (Screen->GamePlay.Way != TPlayWay::Attack) return Text("Out Of Time Box");
  return GameTextWith("Time Up Box", {{"score", std::to_string(Screen->GamePlay.Score)}});
}

void TGameGUI::DrawMenus() {
  if (InEditor()) {
    if (CustomMenu) CustomMenu->Draw();
  } else if (MainMenu) {
    MainMenu->Draw();
  }
}
