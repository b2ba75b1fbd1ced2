#include "TSaveGameManager.h"

#include <algorithm>

#include "FileTimes.h"
#include "GameDialogs.h"
#include "GameResources.h"
#include "Globals.h"
#include "LanguageForms.h"
#include "LevelTitle.h"
#include "Platform.h"
#include "TCompletionFile.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TModeText.h"
#include "TPlayerFiles.h"
#include "TTalvorineGame.h"
#include "TVListBox.h"
#include "TextCase.h"

namespace {
constexpr int ListFontSize = 20;
constexpr int DetailFontSize = 16;
}  // namespace

TSaveGameManager::TSaveGameManager() = default;

TSaveGameManager::~TSaveGameManager() = default;

std::unique_ptr<TSaveGameManager> TSaveGameManager::Create(
    const std::string& caption, plat::TImagePtr image, int width, int height, int left,
    const std::string& extension, const std::string& directory, const std::string& deleteMessage) {
  auto manager = std::make_unique<TSaveGameManager>();
  manager->Directory = directory;
  manager->Init(caption, std::move(image), width, height, left);
  manager->ListBox = TVListBox::Create(10, 5, 0, 1, 500);
  manager->MenuCreate(manager->ButtonGap);
  manager->Extension = extension;
  manager->FillList();
  manager->DeleteMessage = deleteMessage;
  return manager;
}

std::unique_ptr<TSaveGameManager> TSaveGameManager::CreateForGame(const std::string& extension,
                                                                  const std::string& captionKey) {
  auto text = [](const std::string& key) { return GameText ? GameText->FindString(key) : key; };
  plat::TImagePtr panel = InterfaceImageBank ? InterfaceImageBank->FindTImage("manager") : nullptr;
  auto manager = Create(text(captionKey), panel, 0, 0, 0, extension, Game->ProfilePath,
                        text(extension == "save" ? "Delete Saved Game" : "Delete Layout"));
  manager->ListBox->Mark = panel ? InterfaceImageBank->FindTImage("check") : nullptr;
  manager->StyleAsGame(ListFontSize);
  manager->DimWhenActive = 1;
  TVListBox& list = *manager->ListBox;
  list.SetupFont(GameFont(ListFontSize), TColor::Create(255, 255, 255),
                 TShadow::Create(1, 1, 0.6f));
  GameListLook(list.Box, list.HighlightCol);
  // Names stand at the left of their line, what tells them apart beside.
  list.Centred = 0;
  list.HighlightUnder = 0;
  list.DetailFont = TFont::Create(GameFont(DetailFontSize), TColor::Create(214, 244, 255),
                                  TShadow::Create(1, 1, 0.6f));
  list.EmptyText = text(extension == "save" ? "No Saved Games" : "No Saved Layouts");
  manager->ShowDetails = 1;
  manager->Start();
  Game->FixedRateLogic.Init();
  return manager;
}

// ---------------------------------------------------------------- layout

void TSaveGameManager::MenuCreate(int gap) {
  ButtonGap = gap;
  MakeButtonRow({"Cancel", "Delete", "Load"}, "Load");
}

void TSaveGameManager::BoxSize() {
  ListBox->CalcLineHeight();
  ListArea(ListBox->LineHeight, VisibleLines, boxX_, boxY_, boxW_, boxH_);
  ListBox->SetCoords(boxX_, boxY_, boxW_, boxH_);
  ListBox->CalcLineHeight();
  if (ShowDetails) PlaceColumns();
}

void TSaveGameManager::PlaceColumns() {
  // Fractions of the box: the name, (for saves) the level and the score,
  // when it was saved.
  float w = float(boxW_), border = float(ListBox->TextBorder);
  ListBox->Columns.clear();
  bool saves = Files.Extension == "save";
  ListBox->Columns.push_back({border, w * (saves ? 0.32f : 0.5f) - border, 0});
  if (saves) {
    ListBox->Columns.push_back({w * 0.34f, w * 0.2f, 0});
    ListBox->Columns.push_back({w * 0.54f, w * 0.12f, 2});
  }
  ListBox->Columns.push_back({w * 0.68f, w * 0.32f - border, 2});
}

void TSaveGameManager::FillDetails() {
  Files.ReadDetails();
  ListBox->Details.clear();
  ListBox->Marked.clear();
  // A save whose level the player has finished since is marked, not
  // dropped: it may still be wanted, but should not be replayed unawares.
  std::string player = Game->CurrentProfile ? Game->CurrentProfile->Name : "";
  TCompletionFile records[2] = {
      TCompletionFile(player.empty() ? "" : TPlayerFiles::Path(player, TPlayerFiles::Record(0))),
      TCompletionFile(player.empty() ? "" : TPlayerFiles::Path(player, TPlayerFiles::Record(1)))};
  if (!player.empty()) {
    for (TCompletionFile& record : records) record.Load();
  }
  for (size_t i = 0; i < Files.Names.size(); ++i) {
    std::vector<std::string> line;
    if (Files.Extension == "save") {
      const TSavedLevel& level = Files.Levels[i];
      // A readable save that names no level (written before saves did) is
      // shown by the title the game gives it once resumed.
      bool readable = Files.Scores[i] >= 0;
      line.push_back(level.Known() || readable ? LevelTitle(level.Name, level.Custom) : "");
      line.push_back(Files.Scores[i] >= 0 ? std::to_string(Files.Scores[i]) : "");
      bool finished =
          !player.empty() && level.Known() && records[level.Custom ? 1 : 0].IsCompleted(level.Name);
      ListBox->Marked.push_back(finished ? 1 : 0);
    }
    line.push_back(Files.Modified[i] >= 0 ? DateTimeText(plat::LocalDateTimeOf(Files.Modified[i]))
                                          : "");
    ListBox->Details.push_back(std::move(line));
  }
}

void TSaveGameManager::UpdateButtons() {
  bool none = ListBox->Index < 0 || ListBox->Value.empty();
  for (const char* name : {"Load", "Delete"}) {
    if (TButton* button = Menu ? Menu->FindButton(name) : nullptr) {
      button->Disabled = none ? 1 : 0;
      button->ClickDisabled = 0;
    }
  }
}

void TSaveGameManager::MenuArrowCreate() {
  MenuArrowUp = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  TButton* up = MenuArrowUp->AddQuick("Up");
  MenuArrowDown = TMenu::Create("buttonMO", "buttonclick", 0, 0, 10);
  MenuArrowDown->AddQuick("Down");
  if (NavButtonsXPosition == -1) NavButtonsXPosition = boxX_ + boxW_ - up->w;
  MenuArrowUp->SetX(float(NavButtonsXPosition));
  MenuArrowUp->SetY(float(boxY_ - up->h));
  MenuArrowDown->SetX(float(NavButtonsXPosition));
  MenuArrowDown->SetY(float(boxY_ + boxH_));
}

void TSaveGameManager::Start() {
  TDialog::Start();
  BoxSize();
  MenuArrowCreate();
  int count = int(ListBox->Strings.size());
  if (count < ListBox->EndList + 1) ListBox->EndList = count - 1;
  UpdateButtons();
  // The list, its two arrows, then the row of buttons.
  Focus.Clear();
  Focus.Add(ListBox.get());
  Focus.Add(MenuArrowUp.get());
  Focus.Add(MenuArrowDown.get());
  Focus.Add(Menu.get());
  Focus.SetDefault(ListBox.get());
}

// ---------------------------------------------------------------- the list

void TSaveGameManager::FillList() {
  Files.Directory = Directory;
  Files.Extension = Extension;
  Files.Fill();
  ListBox->Strings = Files.Names;
  FillDetails();
  SelectNone();
  // A lone file is the one the player wants.
  if (ListBox->Strings.size() == 1) ListBox->SetIndex(0);
}

void TSaveGameManager::SelectNone() { ListBox->ClearIndex(); }

void TSaveGameManager::ResetView() {
  int count = int(ListBox->Strings.size());
  ListBox->StartList = 0;
  ListBox->EndList = std::min(VisibleLines, count) - 1;
  ListBox->Index = -1;
}

std::string TSaveGameManager::ChosenName() const { return ListBox ? ListBox->Value : ""; }
int TSaveGameManager::StartList() const { return ListBox->StartList; }
int TSaveGameManager::EndList() const { return ListBox->EndList; }

TSaveGameManager::TNameMatch TSaveGameManager::FindName(const std::string& name) const {
  TNameMatch match;
  const std::vector<std::string>& names = Files.Names;
  std::vector<int> alike;
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) match.Line = int(i);
    if (UpperCase(names[i]) == UpperCase(name)) alike.push_back(int(i));
  }
  if (match.Line >= 0) return match;
  if (alike.size() == 1) {
    match.Line = alike.front();
  } else {
    for (int i : alike) match.Alike.push_back(names[size_t(i)]);
  }
  return match;
}

bool TSaveGameManager::PointToward(int index, int& x, int& y) const {
  const TVListBox& list = *ListBox;
  if (index < 0 || index >= list.Count() || list.Index == index) return false;
  const TMenu* arrow = index > list.EndList     ? MenuArrowDown.get()
                       : index < list.StartList ? MenuArrowUp.get()
                                                : nullptr;
  if (arrow && !arrow->Buttons.empty()) {
    const TButton& button = *arrow->Buttons.front();
    x = int(button.x) + button.w / 2;
    y = int(button.y) + button.h / 2;
    return true;
  }
  x = int(list.Box.X + list.Box.W / 2);
  y = int(list.Box.Y + (float(index - list.StartList) + 0.5f) * float(list.LineHeight));
  return true;
}

// ---------------------------------------------------------------- each step

int TSaveGameManager::Manage() {
  switch (ManageSubDialogs()) {
    case SubNone:
      break;
    case SubYes:
      Files.Delete(ListBox->Value);
      FillList();
      ResetView();
      UpdateButtons();
      return 0;
    default:
      return 0;
  }
  if (!ManageCore()) return 0;
  MenuArrowUp->Manage();
  MenuArrowDown->Manage();
  ListBox->Manage();
  UpdateButtons();
  int result = 0;
  if (ManageChoice(ListBox->GetDoubleClicked() >= 0, "Load", result)) return result;
  if (Menu->Clicked("Delete")) DeleteSaveGameCheck();
  int count = int(ListBox->Strings.size());
  if (MenuArrowUp->Clicked("Up") && ListBox->StartList > 0) {
    --ListBox->StartList;
    --ListBox->EndList;
  }
  if (MenuArrowDown->Clicked("Down") && ListBox->EndList < count - 1) {
    ++ListBox->StartList;
    ++ListBox->EndList;
  }
  return 0;
}

int TSaveGameManager::OKClick() {
  if (ListBox->Index < 0 || ListBox->Value.empty()) return 0;
  Close(1);
  return 1;
}

int TSaveGameManager::CancelClick() {
  Close(-1);
  return -1;
}

void TSaveGameManager::DeleteSaveGameCheck() {
  if (ListBox->Index < 0 || ListBox->Value.empty()) return;
  AskYesNo(modetext::WithWord(DeleteMessage, ListBox->Value));
}

void TSaveGameManager::ClickSound() {
  if (TButton* load = Menu ? Menu->FindButton("Load") : nullptr) load->PlayClick();
}

// ---------------------------------------------------------------- drawing

int TSaveGameManager::Draw() {
  if (Active && DimWhenActive) DrawDim();
  if (!TDialog::Draw()) return 0;
  ListBox->Draw();
  MenuArrowUp->Draw();
  MenuArrowDown->Draw();
  DrawSubDialogs();
  return 1;
}

void TSaveGameManager::Kill() {
  KillSubDialogs();
  TDialog::Kill();
  if (ListBox) ListBox->Kill();
  if (MenuArrowUp) MenuArrowUp->Kill();
  if (MenuArrowDown) MenuArrowDown->Kill();
}
