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
#include "TCompletionFile.h"
#include "TGameMenu.h"
#include "TGameModeEditor.h"
#include "TGameModeMatch3.h"
#include "TGameScreen.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TLevelBests.h"
#include "TLevelClock.h"
#include "TLevelPars.h"
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

// The file part of a path: what a message names.
std::string PathFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TGameGUI::TGameGUI(TGameScreen& screen)
    : Screen(&screen), BoardFocus([this] {
        const TGamePlay& play = Screen->GamePlay;
        return play.GameMode ? play.GameMode->Board() : nullptr;
      }) {}

TGameGUI::~TGameGUI() = default;

bool TGameGUI::InEditor() const { return Screen->State.stateCustomMode != 0; }

bool TGameGUI::DialogOpen() const {
  return ShuffleInput || RestartInput || QuitInput || ResetInput || LoadInput || OKInput ||
         SaveGameNameInput || SaveGameManager;
}

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
  ShuffleInput.reset();
  RestartInput.reset();
  QuitInput.reset();
  ResetInput.reset();
  LoadInput.reset();
  OKInput.reset();
  PendingMessages.clear();
  SaveGameNameInput.reset();
  if (SaveGameManager) SaveGameManager->Kill();
  SaveGameManager.reset();
  endLevelMenu.reset();
}

// ---------------------------------------------------------------- each step

void TGameGUI::Logic() {
  TState& state = Screen->State;
  TGamePlay& play = Screen->GamePlay;
  if (!state.stateFinished && !state.stateCustomMode && play.GameMode &&
      play.GameMode->IsGameFinished() && play.ScoreAdder == 0) {
    EndLevel();
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
  CheckInputDialogs();
  CheckButtonClicks();
  CheckEndGameMenu();
}

// The order is set again each step: the bar shown changes with the mode.
void TGameGUI::ManageFocus() {
  // The reshuffle offer is the board's own question: it takes the commands.
  TGameModeMatch3* match3 = Screen->GamePlay.Match3();
  bool playing = !Screen->InGameMenu->Active && !Screen->State.stateFinished &&
                 !(match3 && match3->ShufflePieces);
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
  // A level of no name (an old saved game) is recorded nowhere. A record
  // that cannot be written is told first; the high-score place follows.
  if (play.GameMode->GameType == TGameMode::TypeMatch3 && !play.CurrentLevel.empty() &&
      Game->CurrentProfile && !Game->CurrentProfile->Name.empty()) {
    TCompletionFile record(
        TPlayerFiles::Path(Game->CurrentProfile->Name, TPlayerFiles::Record(play.IsCustomLevel)));
    if (!record.MarkCompleted(play.CurrentLevel)) CreateFailure(PathFileName(record.Path));
  }
  TGleamstrandHighScoreList& table = Screen->HighscoreList;
  int place = table.GetPosition(play.Score);
  if (place) {
    table.Insert(CurrentPlayerName(), play.Score);
    if (!table.Save()) {
      // A place the table could not keep is not told as won.
      CreateFailure(PathFileName(table.filepath));
      place = 0;
    }
  }
  state.disableButtons = 0;
  if (!endLevelMenu) endLevelMenu = std::make_unique<TVEndLevelMenu>();
  // The high-score place is told on the panel, with the rest of the summary.
  endLevelMenu->Title =
      modetext::WithWord(Text("Level Complete"), LevelTitle(play.CurrentLevel, play.IsCustomLevel));
  endLevelMenu->Summary = {
      Text("Score") + std::to_string(play.Score),
      modetext::WithWord(Text("Level Time"), PlayingTimeText(LevelClock.Elapsed()))};
  const std::string best = ScoreTheWin(*endLevelMenu);
  endLevelMenu->Summary.push_back(
      place ? GameTextWith("Highscore Place", {{"place", std::to_string(place)}})
            : Text("No Highscore Place"));
  if (!best.empty()) endLevelMenu->Summary.push_back(best);
  endLevelMenu->Init(-1, -1);
  endLevelMenu->Offer(OffersNextPuzzle(), 1, 1);
}

std::string TGameGUI::ScoreTheWin(TVEndLevelMenu& panel) {
  const TGamePlay& play = Screen->GamePlay;
  const TGameModeMatch3* match3 = play.Match3();
  const int moves = match3 ? match3->Moves : TGameModeMatch3::MovesUnknown;
  const bool standard = !play.IsCustomLevel && !play.CurrentLevel.empty();
  TLevelPars pars;
  if (standard) pars.LoadStandard();
  const int par = standard ? pars.ParOf(play.CurrentLevel) : 0;
  // "Moves: 14 · Par: 12": the count and the par, each when known.
  std::vector<std::string> parts;
  if (moves >= 0) parts.push_back(modetext::WithWord(Text("Level Moves"), std::to_string(moves)));
  if (par > 0) parts.push_back(modetext::WithWord(Text("Level Par"), std::to_string(par)));
  if (!parts.empty()) {
    panel.Summary.push_back(parts.size() == 1 ? parts[0] : parts[0] + " \u00b7 " + parts[1]);
  }
  // A level without par (a custom one) earns no stars; a win of a saved
  // game that kept no count earns none on a level with par.
  panel.Stars = par > 0 ? TLevelPars::Stars(moves, par) : TVEndLevelMenu::NoStars;
  if (!standard || !Game->CurrentProfile || Game->CurrentProfile->Name.empty()) return "";
  const TLevelBest win{std::max(panel.Stars, 0), play.Score, LevelClock.Elapsed(),
                       std::max(moves, 0)};
  TLevelBests bests = TLevelBests::OfPlayer(Game->CurrentProfile->Name);
  TLevelBest before;
  if (!bests.Record(play.CurrentLevel, win, &before)) {
    CreateFailure(PathFileName(bests.Path));
    return "";
  }
  // The best so far, when this win was not it in every respect.
  const TLevelBest best = TLevelBests::Merge(before, win);
  return before != TLevelBest{} && best != win ? BestLineText(best) : "";
}

bool TGameGUI::OffersNextPuzzle() const {
  const TGamePlay& play = Screen->GamePlay;
  return !play.IsCustomLevel && !play.CurrentLevel.empty();
}

bool TGameGUI::WouldLoseWork() const {
  const TGamePlay& play = Screen->GamePlay;
  if (InEditor()) return play.Editor() && play.Editor()->HasUnsavedChanges();
  return play.Match3() && play.Match3()->HasUnsavedProgress();
}

void TGameGUI::AskToLeave() {
  if (WouldLoseWork()) {
    QuitInput = GameDialogYesNoForKey(InEditor() ? "Exit Editor" : "Exit Playing");
  } else {
    Screen->ChangeTo(Screen->LeaveTo);
  }
}

void TGameGUI::AskToRestart() {
  if (WouldLoseWork()) {
    RestartInput = GameDialogYesNoForKey("Restart Puzzle");
  } else {
    Restart();
  }
}

void TGameGUI::AskToShuffle() {
  // A won level has no jewels left to deal on its marble cells.
  if (Screen->State.stateFinished) return;
  if (WouldLoseWork()) {
    ShuffleInput = GameDialogYesNoForKey("Reshuffle Puzzle");
  } else {
    Shuffle();
  }
}

void TGameGUI::Restart() {
  TGamePlay& play = Screen->GamePlay;
  if (!play.GameMode) return;
  play.GameMode->Reset();
  if (Screen->InGameMenu->Active) Screen->InGameMenu->Hide();
}

void TGameGUI::CheckEndGameMenu() {
  TState& state = Screen->State;
  if (!state.stateFinished || state.disableButtons || Screen->InGameMenu->Active) return;
  if (!endLevelMenu) return;
  endLevelMenu->Logic(OffersNextPuzzle(), 1, 1);
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
  LevelClock.Restart();
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
          OKInput = GameDialogOKForKey("Editor Error " + std::to_string(check));
        } else {
          OKInput = GameDialogOKForKey("Editor Error 6");
        }
      } else if (CustomMenu->Clicked("loadcustom")) {
        AskToLoad();
      } else if (CustomMenu->Clicked("reset")) {
        ResetInput = GameDialogYesNoForKey("Clear Puzzle");
      } else if (CustomMenu->Clicked("backtomenu") || NavInput.Hit(TNavCommand::Back)) {
        AskToLeave();
      }
    }
  }
  if (!state.stateFinished && !state.disableButtons && play.GameMode) {
    bool clicked = MainMenu && !InEditor() && MainMenu->Clicked("hint");
    if (clicked || GameKeyHit(HintKey)) play.GameMode->ResetHintTimer(HintDelayMs);
  }
}

void TGameGUI::DialogClosed(bool clear) {
  Screen->State.disableButtons = 0;
  if (clear) {
    Game->Mouse.ClearMouseHit();
    VMouse.UpdateMouseClicks();
  }
  Game->IgnoreEscapeKey = 1;
}

void TGameGUI::Message(const std::string& text) {
  // One message at a time; the next shows when the open one is closed.
  if (OKInput) {
    PendingMessages.push_back(text);
  } else {
    OKInput = GameDialogOK(text);
  }
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
  SaveGameNameInput = GameDialogTextInputForKey(key, 1);
  GameCheckText(*SaveGameNameInput, [](const std::string& text, std::string& message) {
    return FileNameRules().ErrorCheck(text, message);
  });
  if (!initial.empty()) SaveGameNameInput->TextInput.SetText(initial);
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
  AskFileName("Enter Save Name");
  std::string name =
      SaveNameSuggestion(play.CurrentLevel, play.IsCustomLevel, plat::LocalDateTime(),
                         size_t(SaveGameNameInput->TextInput.MaxLength));
  SaveGameNameInput->TextInput.SetText(name);
}

void TGameGUI::CheckInputDialogs() {
  TState& state = Screen->State;
  TGamePlay& play = Screen->GamePlay;
  if (DialogOpen()) state.disableButtons = 1;
  if (SaveGameManager) {
    int result = SaveGameManager->Manage();
    if (result != 0) {
      std::string chosen = SaveGameManager->ChosenName();
      SaveGameManager->Kill();
      SaveGameManager.reset();
      DialogClosed(true);
      if (result == 1) {
        if (Screen->InGameMenu->Active) Screen->InGameMenu->Hide();
        LoadChosen(chosen);
      }
    } else if (SaveGameManager->Active) {
      return;
    }
  }
  // Each result is taken before the consequence runs, so that a message the
  // consequence opens is not dropped with the dialog that led to it.
  if (SaveGameNameInput) {
    if (int result = SaveGameNameInput->Manage()) {
      std::string typed = SaveGameNameInput->TextInput.Text;
      SaveGameNameInput.reset();
      DialogClosed(true);
      if (result == 1) SaveTyped(TNameRules::Trim(typed));
    }
  }
  if (LoadInput) {
    if (int result = LoadInput->Manage()) {
      LoadInput.reset();
      DialogClosed(true);
      if (result == 1) ShowSaveGameManager();
    }
  }
  if (ResetInput) {
    if (int result = ResetInput->Manage()) {
      ResetInput.reset();
      DialogClosed(true);
      if (result == 1 && play.GameMode) play.GameMode->Clear();
    }
  }
  if (RestartInput) {
    if (int result = RestartInput->Manage()) {
      RestartInput.reset();
      DialogClosed(false);
      if (result == 1) Restart();
    }
  }
  if (QuitInput) {
    if (int result = QuitInput->Manage()) {
      QuitInput.reset();
      DialogClosed(true);
      if (result == 1) Screen->ChangeTo(Screen->LeaveTo);
    }
  }
  if (ShuffleInput) {
    if (int result = ShuffleInput->Manage()) {
      ShuffleInput.reset();
      DialogClosed(false);
      if (result == 1) Shuffle();
    }
  }
  if (OKInput) {
    if (OKInput->Manage() == 1) {
      OKInput.reset();
      DialogClosed(true);
      if (!PendingMessages.empty()) {
        Message(PendingMessages.front());
        PendingMessages.pop_front();
      }
    }
  }
}

void TGameGUI::AskToLoad() {
  if (WouldLoseWork()) {
    LoadInput = GameDialogYesNoForKey("Editor Load Unsaved");
  } else {
    ShowSaveGameManager();
  }
}

void TGameGUI::ShowSaveGameManager() {
  if (InEditor()) {
    SaveGameManager = TSaveGameManager::CreateForGame("layout", "Choose Layout");
  } else {
    SaveGameManager = TSaveGameManager::CreateForGame("save", "Choose Savegame");
  }
}

// ---------------------------------------------------------------- drawing

void TGameGUI::Draw() {
  TState& state = Screen->State;
  if (state.stateFinished) {
    const TGameModeMatch3* match3 = Screen->GamePlay.Match3();
    const TBottomBox box = match3 ? match3->BottomBox() : TBottomBox{};
    box.DrawImage(InterfaceImageBank ? InterfaceImageBank->FindTImage("helptextback") : nullptr);
    if (plat::TFontPtr font = GameFont(25)) {
      plat::SetImageFont(font);
      plat::SetColor(255, 255, 255);
      DrawLinesEndingAt(400, box.TextTop, Text("Finished Puzzle"), 1, 25);
    }
    // A message or question stands alone: the panel comes after it.
    if (!Screen->InGameMenu->Active && endLevelMenu && !DialogOpen()) {
      endLevelMenu->Draw();
    }
  }
  DrawDialogs();
}

void TGameGUI::DrawMenus() {
  if (InEditor()) {
    if (CustomMenu) CustomMenu->Draw();
  } else if (MainMenu) {
    MainMenu->Draw();
  }
}

void TGameGUI::DrawDialogs() {
  if (RestartInput) RestartInput->Draw();
  if (ResetInput) ResetInput->Draw();
  if (LoadInput) LoadInput->Draw();
  if (QuitInput) QuitInput->Draw();
  if (ShuffleInput) ShuffleInput->Draw();
  if (OKInput) OKInput->Draw();
  if (SaveGameNameInput) SaveGameNameInput->Draw();
  if (SaveGameManager) SaveGameManager->Draw();
}
