#include "TPlayScreen.h"

#include <algorithm>
#include <iterator>

#include "FileProblems.h"
#include "GameDialogs.h"
#include "GameResources.h"
#include "LevelTitle.h"
#include "Platform.h"
#include "StartupSteps.h"
#include "TGameMode.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TPlayerFiles.h"
#include "TSaveGameManager.h"
#include "TTalvorineGame.h"
#include "TTimeLimit.h"
#include "TTitleScreen.h"
#include "TVListBox.h"
#include "TVProfile.h"
#include "TextCase.h"
#include "TextDraw.h"

namespace {

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : key; }

}  // namespace

TPlayScreen::TPlayScreen() { name = "play"; }
TPlayScreen::~TPlayScreen() = default;

void TPlayScreen::Load() {
  LoadCommon("playscreen", "selectlevel", 400, 45, 0, 0);
  for (const char* image : {"playsmall", "load"}) AddGrowingButton(image);
  MainMenu->FindButton("playsmall")->OKButton = 1;
  MainMenu->AddQuickAuto("customsmall", "custom");
  AddGrowingButton("backsmall", "back");
  MainMenu->MakeRow(15);
  MainMenu->SetY(520);

  CurrentLevelType = StandardType;
  LevelTypeMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  for (const char* type : {StandardType, CustomType}) {
    TButton* button = LevelTypeMenu->AddQuick(type);
    button->SetupScaleOnMO(1.15f, button->ScaleOnMOUpSpeed, button->ScaleOnMODownSpeed);
  }
  SetLevelTypeLooks();
  LevelTypeMenu->MakeRow(50);
  LevelTypeMenu->SetY(LevelTypeY);
  // The ways to play: tabs standing on the grid.
  CurrentWay = TPlayWay::Relaxed;
  PlayWayMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  for (const char* tab : WayTabs) PlayWayMenu->AddQuick(tab);
  SetWayLooks();
  PlayWayMenu->MakeRow(WayTabGap);
  PlayWayMenu->SetY(WayTabsY);
  Thumbnails = LevelThumbnailFunction();
  // Random from the clock unless the run asked for a seed.
  SeedRandom();
}

void TPlayScreen::SetLevelTypeLooks() {
  for (const char* type : {StandardType, CustomType}) {
    TButton* button = LevelTypeMenu->FindButton(type);
    std::string look = CurrentLevelType == type ? std::string(type) + "On" : std::string(type);
    button->LoadImages(look, look + "MO", 0, 0, 1);
  }
}

void TPlayScreen::SetWayLooks() {
  for (size_t i = 0; i < std::size(WayTabs); ++i) {
    TButton* button = PlayWayMenu->FindButton(WayTabs[i]);
    std::string look = WayTabs[i];
    if (playway::All[i] == CurrentWay) look += "On";
    button->LoadImages(look, look + "MO", 0, 0, 1);
  }
}

void TPlayScreen::Start() {
  TMenuScreen::Start();
  LevelTypeMenu->ManageNoSound();
  PlayWayMenu->ManageNoSound();
  // Back from a level, the way it was played.
  CurrentWay = Screens->GameScreen->GamePlay.Way;
  SetWayLooks();
  // The player's own levels after one of them, and after the editor.
  const TGamePlay& last = Screens->GameScreen->GamePlay;
  bool custom =
      last.IsCustomLevel != 0 || (last.GameMode && last.SelectedGameMode == TGameMode::TypeEditor);
  CurrentLevelType = custom ? CustomType : StandardType;
  SetLevelTypeLooks();
  ShowWay(custom ? 1 : 0);
}

void TPlayScreen::KillShown() {
  if (StandardLevelList) StandardLevelList->Kill();
  if (CustomLevelList) CustomLevelList->Kill();
  StandardLevelList.reset();
  CustomLevelList.reset();
  OpenBoardTile.reset();
}

void TPlayScreen::ShowWay(int custom) {
  if (!playway::OnOpenBoard(CurrentWay)) {
    ShowLevelList(custom);
    return;
  }
  KillShown();
  // The player's best in the way's table, when it holds one.
  int best = -1;
  for (const TGleamstrandHighScore& entry : Screens->GameScreen->HighScoresOf(CurrentWay).Entries) {
    if (entry.name == CurrentPlayerName()) best = std::max(best, entry.score);
  }
  const std::string bestLine =
      best >= 0 ? GameTextWith("Open Board Best", {{"score", std::to_string(best)}}) : "";
  OpenBoardTile = std::make_unique<TOpenBoardTile>(TLevelThumbnails().CreateOpenBoard(),
                                                   Text("Open Board Start"),
                                                   Text(playway::RuleKey(CurrentWay)), bestLine);
  SetFocusOrder();
}

TVLevelList* TPlayScreen::ShownList() const {
  return StandardLevelList ? StandardLevelList.get() : CustomLevelList.get();
}

void TPlayScreen::ShowLevelList(int custom) {
  KillShown();
  std::string folder = custom ? Game->ProfilePath : Game->DataPrefix + "layouts/";
  const bool clock = CurrentWay == TPlayWay::Clock;
  // The record of this list and way: "s", "c", "t" or "tc" after the name.
  std::string record = TPlayerFiles::Extension(TPlayerFiles::Record(custom, clock));
  record.erase(record.size() - std::char_traits<char>::length(".ini"));
  auto list =
      TVLevelList::Create(folder, "layout", "", Text("Tiles Field"), Text("No Levels"),
                          custom ? 0 : 1, 0, 8, CurrentPlayerName() + record, Game->ProfilePath);
  list->PageIndicatorText = Text("Page Indicator");
  list->CreateLevelImageFunction = Thumbnails;
  list->LevelNameFunction = [custom](const std::string& path) { return LevelName(path, custom); };
  if (!custom) {
    // The standard levels have a par and earn stars; the player's own do not.
    list->BestsPath = TPlayerFiles::Path(CurrentPlayerName(), TPlayerFiles::BestsOf(clock));
    list->Pars.LoadStandard();
    list->ParText = Text("Level Par");
    list->StarsTotalText = Text("Stars Total");
  }
  if (clock) {
    list->TimeLimitText = Text("Time Limit");
    // The list's own pars: nothing is read again while the grid is drawn.
    const TLevelPars* pars = &list->Pars;
    list->TimeLimitFunction = [custom, pars](const std::string& path, int marbles) {
      return TTimeLimit::ForLevel(path, custom, marbles, pars);
    };
  }
  list->Init();
  // The page of the level last played opens with that level selected.
  plat::TextOfFileName(FileStem(Screens->GameScreen->GamePlay.CurrentLevel), list->CurrentLevel);
  list->CreateImages(1);
  (custom ? CustomLevelList : StandardLevelList) = std::move(list);
  SetFocusOrder();
}

// Top to bottom: the level types, the grid with its page arrows, the row of
// buttons. Rebuilt with the grid; the focus stays on the control it was on.
void TPlayScreen::SetFocusOrder() {
  TVLevelList* list = ShownList();
  Focus.Clear();
  if (OpenBoardTile) {
    // The open board has no level types and no pages.
    Focus.Add(PlayWayMenu.get());
    Focus.Add(OpenBoardTile.get());
    Focus.Add(MainMenu.get());
    Focus.SetDefault(OpenBoardTile.get());
    return;
  }
  Focus.Add(LevelTypeMenu.get());
  Focus.Add(PlayWayMenu.get());
  Focus.Add(list);
  Focus.Add(list->NavigationMenu.get());
  Focus.Add(MainMenu.get());
  Focus.SetDefault(list);
}

void TPlayScreen::ShowStandardLevelList() { ShowLevelList(0); }
void TPlayScreen::ShowCustomLevelList() { ShowLevelList(1); }

void TPlayScreen::ShowProblem(const std::string& text) { Message = GameDialogOK(text); }

void TPlayScreen::StartLevel() {
  // A second request during the fade is ignored.
  if (Game->GameFade.Active) return;
  if (OpenBoardTile) {
    Screens->GameScreen->StartOpenBoard(CurrentWay);
    return;
  }
  TVLevelList* list = ShownList();
  // An empty list has no level to start.
  if (!list || list->LevelList.empty()) return;
  std::string path = list->CurrentLevelPath();
  if (!Screens->GameScreen->StartLevel(path, CustomLevelList ? 1 : 0, CurrentWay)) {
    ShowProblem(GameTextWith("Could Not Read Level", {{"level", list->CurrentLevel}}));
  }
}

void TPlayScreen::ShowSaveGameManager() {
  SaveGameManager = TSaveGameManager::CreateForGame("save", "Choose Savegame");
}

void TPlayScreen::ManageSaveGameManager() {
  int result = SaveGameManager->Manage();
  if (result == 1) {
    std::string chosen = SaveGameManager->ListBox->Value;
    if (!Screens->GameScreen->StartSavedGame(TPlayerFiles::Path(chosen, TPlayerFiles::Save))) {
      ShowProblem(ReadFailureText(chosen + TPlayerFiles::Extension(TPlayerFiles::Save)));
    }
  }
  if (result != 0) {
    SaveGameManager->Kill();
    SaveGameManager.reset();
  }
}

void TPlayScreen::Logic() {
  ManageHeader();
  if (ManageModal(Message)) return;
  if (SaveGameManager) {
    ManageSaveGameManager();
    if (SaveGameManager && SaveGameManager->Active) return;
  }
  ManageMenu();
  if (!OpenBoardTile) LevelTypeMenu->Manage();
  PlayWayMenu->Manage();
  if (MainMenu->Clicked("playsmall")) {
    StartLevel();
  } else if (MainMenu->Clicked("load")) {
    ShowSaveGameManager();
  } else if (MainMenu->Clicked("custom")) {
    Screens->GameScreen->StartEditor();
  } else if (MainMenu->Clicked("back")) {
    ChangeTo(Screens->Title.get());
  }
  if (OpenBoardTile) {
    // The tile of time attack or endless stands in the lists' place.
  } else if (LevelTypeMenu->Clicked(StandardType)) {
    CurrentLevelType = StandardType;
    SetLevelTypeLooks();
    ShowStandardLevelList();
  } else if (LevelTypeMenu->Clicked(CustomType)) {
    CurrentLevelType = CustomType;
    SetLevelTypeLooks();
    ShowCustomLevelList();
  }
  for (size_t i = 0; i < std::size(WayTabs); ++i) {
    if (!PlayWayMenu->Clicked(WayTabs[i]) || playway::All[i] == CurrentWay) continue;
    // The same level stays selected; its marks are those of the new way.
    CurrentWay = playway::All[i];
    SetWayLooks();
    const std::string selected = ShownList() ? ShownList()->CurrentLevel : std::string();
    ShowWay(CurrentLevelType == CustomType ? 1 : 0);
    if (!selected.empty() && ShownList()) {
      ShownList()->CurrentLevel = selected;
      ShownList()->CreateImages(1);
    }
  }
  if (TVLevelList* list = ShownList()) {
    list->Manage();
    if (list->StartLevel) StartLevel();
  }
  if (OpenBoardTile) {
    OpenBoardTile->Manage();
    if (OpenBoardTile->StartRequested()) StartLevel();
  }
}

void TPlayScreen::Draw() {
  DrawBackground();
  plat::SetBlend(plat::ALPHABLEND);
  DrawHeader();
  MainMenu->Draw(0, 0);
  if (!OpenBoardTile) LevelTypeMenu->Draw(0, 0);
  PlayWayMenu->Draw(0, 0);
  if (TVLevelList* list = ShownList()) list->Draw();
  if (OpenBoardTile) OpenBoardTile->Draw();
  if (SaveGameManager) SaveGameManager->Draw();
  if (Message) Message->Draw();
  SetTextShadow(1, 1, 0.6f);
  plat::SetImageFont(GameFont(20));
}

void TPlayScreen::Kill() {
  if (SaveGameManager) SaveGameManager->Kill();
  SaveGameManager.reset();
  if (Message) Message->Kill();
  Message.reset();
  KillShown();
  if (LevelTypeMenu) LevelTypeMenu->Kill();
  LevelTypeMenu.reset();
  if (PlayWayMenu) PlayWayMenu->Kill();
  PlayWayMenu.reset();
  Thumbnails = nullptr;
  TMenuScreen::Kill();
}

int TPlayScreen::SetEscDestination() {
  Game->DestinationTScreen = Screens->Title.get();
  return 0;
}
