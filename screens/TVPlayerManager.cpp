#include "TVPlayerManager.h"

#include "GameResources.h"
#include "Globals.h"
#include "TFont.h"
#include "TGameText.h"
#include "TListBox.h"
#include "TModeText.h"
#include "TProfileStore.h"
#include "TTalvorineGame.h"
#include "TVProfile.h"
#include "TextCase.h"
#include "TextDraw.h"

TPlayerManager::TPlayerManager() = default;

TPlayerManager::~TPlayerManager() = default;

std::unique_ptr<TVPlayerManager> TVPlayerManager::Create(const std::string& caption,
                                                         plat::TImagePtr image, int width,
                                                         int height, int left, int limit) {
  auto manager = std::make_unique<TVPlayerManager>();
  manager->Init(caption, std::move(image), width, height, left);
  manager->ListBox = TListBox::Create(10, 5, 0, 1, 500);
  manager->MenuCreate(manager->ButtonGap);
  manager->Limit = limit;
  manager->ListBox->Limit = limit;
  manager->FillList();
  return manager;
}

void TVPlayerManager::PlayerDeleted(const std::string& name) {
  if (CustomDeleteFunction) CustomDeleteFunction(*this, name);
}

// ---------------------------------------------------------------- layout

void TPlayerManager::MenuCreate(int gap) {
  ButtonGap = gap;
  MakeButtonRow({"OK", "Create", "Rename", "Delete", "Cancel"}, "OK");
}

void TPlayerManager::PlaceList() {
  ListBox->CalcLineHeight();
  int bx = 0, by = 0, bw = 0, bh = 0;
  ListArea(ListBox->LineHeight, Limit > 0 ? Limit : 10, bx, by, bw, bh);
  ListBox->SetCoords(bx, by, bw, bh);
  ListBox->CalcLineHeight();
}

void TPlayerManager::Start() {
  TDialog::Start();
  PlaceList();
  // The list first, then the buttons.
  Focus.Clear();
  Focus.Add(ListBox.get());
  Focus.Add(Menu.get());
  Focus.SetDefault(ListBox.get());
}

// ---------------------------------------------------------------- the list

const std::vector<std::string>& TPlayerManager::Names() const { return ListBox->Strings; }

std::string TPlayerManager::SelectedName() const {
  return ListBox->Index >= 0 ? ListBox->Value : std::string();
}

void TPlayerManager::FillList() {
  ListBox->Strings = TProfileStore().List();
  ListBox->ClearIndex();
  MarkCurrentPlayer();
  HighlightCurrentPlayer();
}

void TPlayerManager::MarkCurrentPlayer() {
  ListBox->Labels = ListBox->Strings;
  if (!Game->CurrentProfile || MessageCurrentPlayer.empty()) return;
  std::string current = UpperCase(Game->CurrentProfile->Name);
  for (std::string& label : ListBox->Labels) {
    if (UpperCase(label) == current) label = modetext::WithWord(MessageCurrentPlayer, label);
  }
}

void TPlayerManager::HighlightCurrentPlayer() {
  if (Game->CurrentProfile) SelectName(Game->CurrentProfile->Name);
}

void TPlayerManager::SelectName(const std::string& name) {
  std::string wanted = UpperCase(name);
  for (size_t i = 0; i < ListBox->Strings.size(); ++i) {
    if (UpperCase(ListBox->Strings[i]) == wanted) ListBox->SetIndex(int(i));
  }
}

// ---------------------------------------------------------------- each step

int TPlayerManager::Manage() {
  switch (ManageSubDialogs()) {
    case SubNone:
      break;
    case SubYes: {
      std::string name = SelectedName();
      TProfileStore().DeleteProfileFile(name);
      PlayerDeleted(name);
      ListBox->ClearIndex();
      FillList();
      // The current player went: it is no longer the last player, stored at
      // once, so that no way out of the manager (the window's close) brings
      // the deleted one back at the next start.
      if (!CurrentPlayerListed() && !Game->ProfileName.empty()) {
        Game->ProfileName.clear();
        Game->IniUpdate(1);
      }
      // Someone stays selected, so that OK and Cancel answer at once.
      if (SelectedName().empty() && !ListBox->Strings.empty()) ListBox->SetIndex(0);
      return 0;
    }
    default:
      return 0;
  }
  if (EnterName) {
    int result = EnterName->Manage();
    if (result == 0) return 0;
    // An accepted name is a new player, current already, or the new name
    // of the player renamed, which stays selected.
    if (result == 1) {
      FillList();
      if (Renaming) SelectName(EnterName->TextInput.Text);
    }
    Renaming = 0;
    EnterName->Kill();
    EnterName.reset();
    if (Menu) Menu->ManageNoSound();
    return 0;
  }
  if (!ManageCore()) return 0;
  ListBox->Manage();
  int result = 0;
  if (ManageChoice(ListBox->GetDoubleClicked() >= 0, "OK", result)) return result;
  if (Menu->Clicked("Create")) {
    if (Limit > 0 && int(ListBox->Strings.size()) >= Limit) {
      ShowMessage(MessageCannotCreate);
    } else if (EnterNamePromptFunc) {
      EnterName = EnterNamePromptFunc(1);
    }
  }
  if (Menu->Clicked("Rename")) RenameProfile();
  if (Menu->Clicked("Delete")) DeleteProfileCheck();
  return 0;
}

void TPlayerManager::RenameProfile() {
  std::string name = SelectedName();
  if (name.empty() || !RenamePromptFunc) return;
  EnterName = RenamePromptFunc(name);
  if (!EnterName) return;
  Renaming = 1;
}

int TPlayerManager::OKClick() {
  std::string name = SelectedName();
  if (name.empty()) return 0;
  if (!SelectPlayer(name)) {
    ShowMessage(GameTextWith("Could Not Create File", {{"file", name + ".dat"}}));
    return 0;
  }
  Close(1);
  return 1;
}

int TPlayerManager::CancelClick() {
  // Cancel keeps the last player. Without one (none was recorded, or it was
  // deleted) there is nobody to keep: the chooser stays until one is chosen
  // rather than picking a player the player did not choose.
  if (!CurrentPlayerListed()) return 0;
  Close(-1);
  return -1;
}

bool TPlayerManager::CurrentPlayerListed() const {
  if (!Game->CurrentProfile) return false;
  std::string current = UpperCase(Game->CurrentProfile->Name);
  for (const std::string& name : ListBox->Strings) {
    if (UpperCase(name) == current) return true;
  }
  return false;
}

void TPlayerManager::DeleteProfileCheck() {
  if (SelectedName().empty()) return;
  if (ListBox->Strings.size() == 1) {
    ShowMessage(MessageCannotDelete);
  } else {
    AskYesNo(modetext::WithWord(MessageConfirmDelete, SelectedName()));
  }
}

void TPlayerManager::ClickSound() {
  if (TButton* ok = Menu ? Menu->FindButton("OK") : nullptr) ok->PlayClick();
}

// ---------------------------------------------------------------- drawing

int TPlayerManager::Draw() {
  if (Active && DimWhenActive) DrawDim();
  if (!TDialog::Draw()) return 0;
  ListBox->Draw();
  if (ListBox->Strings.empty() && !MessageNoPlayer.empty()) DrawNoPlayerHint();
  if (FrontFrame && FrontFrame->image)
    plat::DrawImage(*FrontFrame->image, FrontFrameX, FrontFrameY);
  if (Header && Header->image) plat::DrawImage(*Header->image, HeaderX, HeaderY);
  DrawSubDialogs();
  if (EnterName) {
    DrawDim();
    EnterName->Draw();
  }
  return 1;
}

void TPlayerManager::DrawNoPlayerHint() {
  if (!ListBox->Font) return;
  ListBox->Font->Apply();
  const TBox& box = ListBox->Box;
  std::vector<std::string> lines =
      WrapLines(SplitLines(MessageNoPlayer), box.W - 20, ListBox->Font->BitmapFont.get(), 1);
  DrawLinesWithShadow(box.X + box.W / 2, box.Y + 10, lines, 1, 0);
  TColor::Restore();
}

void TPlayerManager::Kill() {
  KillSubDialogs();
  if (EnterName) EnterName->Kill();
  EnterName.reset();
  TDialog::Kill();
  if (ListBox) ListBox->Kill();
}
