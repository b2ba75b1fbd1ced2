#include "TSaveGameManager.h"

#include <algorithm>

#include "GameResources.h"
#include "Globals.h"
#include "TGameText.h"
#include "TImageBank.h"
#include "TTalvorineGame.h"
#include "TVListBox.h"

namespace {
constexpr int ListFontSize = 20;
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
                        text("Delete File"));
  manager->StyleAsGame(ListFontSize);
  manager->DimWhenActive = 1;
  TVListBox& list = *manager->ListBox;
  list.SetupFont(GameFont(ListFontSize), TColor::Create(255, 255, 255),
                 TShadow::Create(1, 1, 0.6f));
  list.SetupBox(TColor::Create(100, 100, 100, 0.5f));
  list.Centred = 1;
  list.HighlightCol = TColor::Create(255, 255, 255, 0.2f);
  list.HighlightUnder = 0;
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
}

// ---------------------------------------------------------------- the list

void TSaveGameManager::FillList() {
  Files.Directory = Directory;
  Files.Extension = Extension;
  Files.Fill();
  ListBox->Strings = Files.Names;
  SelectNone();
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

// ---------------------------------------------------------------- each step

int TSaveGameManager::Manage() {
  switch (ManageSubDialogs()) {
    case SubNone:
      break;
    case SubYes:
      Files.Delete(ListBox->Value);
      FillList();
      ResetView();
      return 0;
    default:
      return 0;
  }
  if (!ManageCore()) return 0;
  MenuArrowUp->Manage();
  MenuArrowDown->Manage();
  ListBox->Manage();
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

void TSaveGameManager::CancelClick() { Close(-1); }

void TSaveGameManager::DeleteSaveGameCheck() {
  if (ListBox->Index < 0 || ListBox->Value.empty()) return;
  AskYesNo(DeleteMessage);
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
