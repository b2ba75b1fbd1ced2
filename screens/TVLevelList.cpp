#include "TVLevelList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "GameInput.h"
#include "GameResources.h"
#include "LevelTitle.h"
#include "Platform.h"
#include "StarRow.h"
#include "TCompletionFile.h"
#include "TImageBank.h"
#include "TModeText.h"
#include "TTalvorineGame.h"
#include "TTimeBar.h"
#include "TVMouse.h"
#include "TextCase.h"
#include "TextDraw.h"

namespace {

std::string Extension(const std::string& file) {
  size_t dot = file.rfind('.');
  return dot == std::string::npos ? std::string() : file.substr(dot + 1);
}

std::string WithoutExtension(const std::string& file) {
  size_t dot = file.rfind('.');
  return dot == std::string::npos ? file : file.substr(0, dot);
}

// Names in the order a player expects: letter case aside, then exactly.
bool NameBefore(const std::string& a, const std::string& b) {
  std::string ua = UpperCase(a), ub = UpperCase(b);
  return ua != ub ? ua < ub : a < b;
}

void DrawCentredImage(const plat::TImagePtr& image, float cx, float cy) {
  if (!image) return;
  plat::DrawImage(*image, cx - image->width / 2.0f + image->handle_x,
                  cy - image->height / 2.0f + image->handle_y);
}

plat::TImagePtr BankImage(const std::string& name) {
  return InterfaceImageBank ? InterfaceImageBank->FindTImage(name) : nullptr;
}

}  // namespace

TVLevelList::TVLevelList() = default;
TVLevelList::~TVLevelList() = default;

std::unique_ptr<TVLevelList> TVLevelList::Create(
    const std::string& folderPath, const std::string& filePrefix, const std::string& currentLevel,
    const std::string& levelSizeText, const std::string& noLevelsText, int trimLevelTextZeros,
    int drawOffsetX, int drawOffsetY, const std::string& levelCompletedFile,
    const std::string& levelCompletedPath) {
  auto list = std::make_unique<TVLevelList>();
  list->FolderPath = folderPath;
  list->FilePrefix = filePrefix;
  list->CurrentLevel = currentLevel;
  list->LevelSizeText = levelSizeText;
  list->NoLevelsText = noLevelsText;
  list->TrimLevelTextZeros = trimLevelTextZeros;
  list->DrawOffsetX = drawOffsetX;
  list->DrawOffsetY = drawOffsetY;
  list->LevelCompletedFile = levelCompletedFile;
  list->LevelCompletedPath = levelCompletedPath;
  list->CreateMenu();
  list->GlowCounter.Init(0, 360, 0.5f);
  return list;
}

void TVLevelList::Init() { ScanLevelFolder(); }

void TVLevelList::ScanLevelFolder() {
  LevelList.clear();
  for (const std::string& entry : plat::ReadDir(FolderPath)) {
    if (entry.empty() || entry == "." || entry == "..") continue;
    std::string name;
    if (Extension(entry) == FilePrefix && plat::TextOfFileName(WithoutExtension(entry), name)) {
      LevelList.push_back(name);
    }
  }
  // The platform lists a folder in no particular order.
  std::sort(LevelList.begin(), LevelList.end(), NameBefore);
}

void TVLevelList::CreateMenu() {
  NavigationMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  for (const char* name : {"arrowLeft", "arrowRight"}) {
    TButton* button = NavigationMenu->AddQuickAuto(name);
    button->SetupScaleOnMO(1.15f, button->ScaleOnMOUpSpeed, button->ScaleOnMODownSpeed);
  }
  // Wide apart: the size and best lines stand between them.
  NavigationMenu->MakeRow(340);
  NavigationMenu->SetY(450);
}

int TVLevelList::CalculateCurrentPagePosition(int index) const {
  if (index < 0) return 0;
  int count = int(LevelList.size());
  int start = (index / NumLevelItems) * NumLevelItems;
  if (start > count - NumLevelItems) start = count - NumLevelItems;
  return std::max(start, 0);
}

void TVLevelList::UpdateCurrentPagePosition() {
  int index = GetIndexOfLevelList(CurrentLevel);
  if (index >= 0) {
    CurrentPagePosition = CalculateCurrentPagePosition(index);
    CurrentLevelID = index - CurrentPagePosition;
    return;
  }
  CurrentPagePosition = 0;
  CurrentLevelID = 0;
  if (!LevelList.empty()) CurrentLevel = LevelList.front();
}

int TVLevelList::GetIndexOfLevelList(const std::string& name) const {
  auto it = std::find(LevelList.begin(), LevelList.end(), name);
  return it == LevelList.end() ? -1 : int(it - LevelList.begin());
}

int TVLevelList::CheckLevelCompleted(const std::string& path) {
  if (!CompletedIniFile) {
    CompletedIniFile = std::make_unique<TCompletionFile>(
        LevelCompletedPath + plat::FileNameOfText(LevelCompletedFile) + ".ini");
    CompletedIniFile->Load();
  }
  return CompletedIniFile->IsCompleted(path);
}

void TVLevelList::CreateImages(int recalculate) {
  if (recalculate == 1) UpdateCurrentPagePosition();
  ImageList.clear();
  LevelSizeList.clear();
  LevelCompletedList.clear();
  LevelStarsList.clear();
  CompletedIniFile.reset();
  Bests.reset();
  PageStars = TotalStars = 0;
  if (!BestsPath.empty()) {
    Bests = std::make_unique<TLevelBests>(BestsPath);
    Bests->Load();
    TLevelBest best;
    for (const std::string& name : LevelList) {
      if (Bests->Find(name, best)) TotalStars += best.Stars;
    }
  }
  int count = int(LevelList.size());
  for (int i = std::max(CurrentPagePosition, 0);
       i < CurrentPagePosition + NumLevelItems && i < count; ++i) {
    std::string path = LevelPath(LevelList[size_t(i)]);
    int size = 0;
    plat::TImagePtr image;
    if (CreateLevelImageFunction) image = CreateLevelImageFunction(path, size, i);
    const bool completed = CheckLevelCompleted(path);
    LevelCompletedList.push_back(completed ? "1" : "0");
    // A level finished before stars were counted shows its check mark and
    // three empty stars.
    TLevelBest best;
    int stars = NoStars;
    if (Bests && completed) stars = Bests->Find(path, best) ? best.Stars : 0;
    LevelStarsList.push_back(stars);
    PageStars += std::max(stars, 0);
    ImageList.push_back(image);
    LevelSizeList.push_back(std::to_string(size));
  }
  // Read again for every page: a level finished meanwhile shows its mark.
  CompletedIniFile.reset();
}

void TVLevelList::MoveLeft() {
  if (LevelList.empty()) return;
  int old = CurrentPagePosition;
  CurrentPagePosition = std::max(0, CurrentPagePosition - NumLevelItems);
  CurrentLevel = LevelList[size_t(CurrentPagePosition)];
  CurrentLevelID = 0;
  if (CurrentPagePosition != old) CreateImages(0);
}

void TVLevelList::MoveRight() {
  if (LevelList.empty()) return;
  int old = CurrentPagePosition;
  int count = int(LevelList.size());
  if (CurrentPagePosition + NumLevelItems < count - NumLevelItems) {
    CurrentPagePosition += NumLevelItems;
  } else {
    CurrentPagePosition = count - NumLevelItems;
  }
  CurrentPagePosition = std::max(CurrentPagePosition, 0);
  CurrentLevel = LevelList[size_t(CurrentPagePosition)];
  CurrentLevelID = 0;
  if (CurrentPagePosition != old) CreateImages(0);
}

void TVLevelList::Manage() {
  ManageMenu();
  ManageGlowAnimation();
  ManageLevels();
  ManageKeyboard();
}

void TVLevelList::ManageMenu() {
  NavigationMenu->Manage();
  if (NavigationMenu->Clicked("arrowLeft")) MoveLeft();
  if (NavigationMenu->Clicked("arrowRight")) MoveRight();
}

void TVLevelList::ManageGlowAnimation() {
  GlowCounter.Manage();
  Glow = 0.5f * std::fabs(GlowCounter.ratio);
}

void TVLevelList::ManageLevels() {
  StartLevel = startPending_;
  startPending_ = 0;
  if (LevelList.empty()) return;
  for (int i = 0; i < NumLevelItems && i < int(ImageList.size()); ++i) {
    int cx = ItemCentreX(i), cy = ItemCentreY(i);
    if (std::abs(VMouse.x - cx) > ItemHalfWidth || std::abs(VMouse.y - cy) > ItemHalfHeight) {
      continue;
    }
    if (VMouse.LeftClick()) {
      CurrentLevel = LevelList[size_t(CurrentPagePosition + i)];
      CurrentLevelID = i;
    }
    if (VMouse.DoubleClick()) StartLevel = 1;
  }
}

// Commands the focus did not take (there is none outside a focus ring):
// the arrows; the page keys turn the pages whatever has the focus.
void TVLevelList::ManageKeyboard() {
  if (LevelList.empty()) return;
  for (TNavCommand command :
       {TNavCommand::Up, TNavCommand::Down, TNavCommand::Left, TNavCommand::Right}) {
    if (NavInput.Hit(command)) FocusCommand(command);
  }
  if (NavInput.Hit(TNavCommand::PageUp)) MoveLeft();
  if (NavInput.Hit(TNavCommand::PageDown)) MoveRight();
}

bool TVLevelList::FocusCommand(TNavCommand command) {
  if (LevelList.empty()) return false;
  int count = int(LevelList.size());
  auto follow = [this] {
    size_t index = size_t(CurrentPagePosition + CurrentLevelID);
    if (index < LevelList.size()) CurrentLevel = LevelList[index];
  };
  switch (command) {
    case TNavCommand::Up:
      if (CurrentLevelID >= 4) CurrentLevelID -= 4;
      break;
    case TNavCommand::Down:
      if (CurrentLevelID < 4 && CurrentPagePosition + CurrentLevelID + 4 < count) {
        CurrentLevelID += 4;
      }
      break;
    case TNavCommand::Left:
      if (CurrentLevelID > 0) {
        --CurrentLevelID;
      } else {
        int page = CurrentPagePosition;
        MoveLeft();
        if (CurrentPagePosition != page) CurrentLevelID = NumLevelItems - 1;
      }
      break;
    case TNavCommand::Right:
      if (CurrentLevelID == NumLevelItems - 1) {
        int page = CurrentPagePosition;
        MoveRight();
        if (CurrentPagePosition == page) CurrentLevelID = NumLevelItems - 1;
      } else if (CurrentPagePosition + CurrentLevelID + 1 < count) {
        ++CurrentLevelID;
      }
      break;
    case TNavCommand::Accept:
      startPending_ = 1;
      return true;
    default:
      return false;
  }
  follow();
  return true;
}

void TVLevelList::Draw() {
  DrawMenu();
  DrawLevels();
}

void TVLevelList::DrawMenu() { NavigationMenu->Draw(0, 0); }

void TVLevelList::DrawLevels() {
  plat::SetBlend(plat::ALPHABLEND);
  if (LevelList.empty()) {
    plat::SetImageFont(GameFont(25));
    plat::SetColor(255, 255, 255);
    DrawTextLine(NoLevelsText, 400, NoLevelsY, 1, 1, 1);
    return;
  }
  for (int i = 0; i < NumLevelItems && i < int(ImageList.size()); ++i) DrawLevelImage(i);
  plat::SetImageFont(GameFont(20));
  plat::SetColor(214, 244, 255);
  SetTextShadow(2, 2, 0.6f);
  DrawTextLine(PageText(), 400, PageLineY, 1, 1, 1);
  DrawStarTotals();
  plat::SetColor(255, 255, 255);
}

void TVLevelList::DrawStarTotals() const {
  if (BestsPath.empty()) return;
  plat::SetImageFont(GameFont(20));
  plat::SetColor(255, 226, 166);
  DrawTextLine(StarsText(TotalStars, int(LevelList.size())), TotalStarsX, TotalStarsY, 1, 1, 1);
}

std::string TVLevelList::StarsText(int stars, int levels) const {
  std::string text = modetext::WithWord(StarsTotalText, std::to_string(stars));
  return modetext::WithWord(text, std::to_string(levels * TLevelPars::MaxStars), "TTT");
}

std::string TVLevelList::SelectedBestLine() const {
  TLevelBest best;
  if (!Bests || LevelList.empty() || !Bests->Find(CurrentLevel, best)) return "";
  return BestLineText(best);
}

int TVLevelList::PageNumber() const {
  int items = std::max(1, NumLevelItems);
  return std::max(0, CurrentPagePosition + items - 1) / items + 1;
}

int TVLevelList::PageCount() const {
  int items = std::max(1, NumLevelItems);
  return std::max(1, (int(LevelList.size()) + items - 1) / items);
}

std::string TVLevelList::PageText() const {
  std::string text = modetext::WithWord(PageIndicatorText, std::to_string(PageNumber()));
  text = modetext::WithWord(text, std::to_string(PageCount()), "TTT");
  if (BestsPath.empty()) return text;
  return text + " \u00b7 " + StarsText(PageStars, int(ImageList.size()));
}

std::string TVLevelList::DisplayName(const std::string& name) const {
  if (!TrimLevelTextZeros) return name;
  size_t first = name.find_first_not_of('0');
  // "000" keeps one zero rather than vanishing.
  if (first == std::string::npos) return name.empty() ? name : "0";
  return name.substr(first);
}

std::string TVLevelList::CurrentLevelPath() const {
  if (LevelList.empty()) return "";
  return LevelPath(CurrentLevel);
}

std::string TVLevelList::LevelPath(const std::string& name) const {
  return FolderPath + plat::FileNameOfText(name) + "." + FilePrefix;
}

void TVLevelList::DrawLevelImage(int index) {
  float cx = float(ItemCentreX(index)), cy = float(ItemCentreY(index));
  bool selected = index == CurrentLevelID;
  DrawItemFrame(cx, cy, selected, Glow);
  DrawCentredImage(ImageList[size_t(index)], cx + float(DrawOffsetX), cy + float(DrawOffsetY));
  if (selected && Focused) {
    DrawFocusFrame(cx - ItemHalfWidth, cy - ItemHalfHeight, 2 * ItemHalfWidth, 2 * ItemHalfHeight);
  }
  if (LevelCompletedList[size_t(index)] == "1") {
    DrawCentredImage(BankImage("check"), cx - 74, cy - 50);
  }
  if (LevelStarsList[size_t(index)] != NoStars) {
    DrawStarRow(LevelStarsList[size_t(index)], cx, cy + TileStarsBelow, TileStarSize, TileStarGap);
  }
  SetTextShadow(2, 2, 0.6f);
  std::string name = LevelList[size_t(CurrentPagePosition + index)];
  DrawItemCaption(selected ? SelectedCaption(name) : DisplayName(name), cx, cy);
  if (!selected) return;
  if (!LevelSizeText.empty()) {
    // "Marble cells: 6 · Par: 12" where the level has a par. The label is a
    // whole phrase with the count's place in it, so that each language sets
    // its own punctuation; a label without the place gets ": " and the count.
    const std::string& cells = LevelSizeList[size_t(index)];
    std::string line = LevelSizeText.find(CellsPlaceholder) != std::string::npos
                           ? modetext::WithWord(LevelSizeText, cells, CellsPlaceholder)
                           : LevelSizeText + ": " + cells;
    if (int par = Pars.ParOf(name); par > 0) {
      line += " \u00b7 " + modetext::WithWord(ParText, std::to_string(par));
    }
    if (TimeLimitFunction) {
      const int limit = TimeLimitFunction(LevelPath(name), std::atoi(cells.c_str()));
      line += " \u00b7 " + modetext::WithWord(TimeLimitText, TTimeBar::TimeText(limit));
    }
    // Between the page arrows; a long line (the time limit too) is smaller.
    for (int size : {25, 20}) {
      plat::SetImageFont(GameFont(size));
      if (plat::TextWidth(line) <= SizeLineWidth) break;
    }
    DrawTextLine(line, 400, SizeLineY, 1, 1, 1);
  }
  if (std::string best = SelectedBestLine(); !best.empty()) {
    plat::SetImageFont(GameFont(18));
    plat::SetColor(255, 226, 166);
    DrawTextLine(best, 400, BestLineY, 1, 1, 1);
    plat::SetColor(255, 255, 255);
  }
}

std::string TVLevelList::SelectedCaption(const std::string& name) const {
  std::string own = LevelNameFunction ? LevelNameFunction(LevelPath(name)) : "";
  // "3 · First Light"
  return own.empty() ? DisplayName(name) : DisplayName(name) + " \u00b7 " + own;
}

void TVLevelList::DrawItemFrame(float cx, float cy, bool selected, float glow) {
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  if (!selected) {
    DrawCentredImage(BankImage("levelback"), cx, cy);
    return;
  }
  plat::TImagePtr highlight = BankImage("levelhighlight");
  DrawCentredImage(highlight, cx, cy);
  plat::SetBlend(plat::LIGHTBLEND);
  int light = int(TSprite::PulseStep(glow) * 255);
  plat::SetColor(light, light, light);
  {
    plat::TAmbientDrawing pulse;
    DrawCentredImage(highlight, cx, cy);
  }
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
}

void TVLevelList::DrawItemPicture(const plat::TImagePtr& image, float cx, float cy) {
  DrawCentredImage(image, cx, cy);
}

void TVLevelList::DrawItemCaption(const std::string& caption, float cx, float cy) {
  // A longer caption takes a smaller face before it is cut to the item.
  const float width = float(2 * ItemHalfWidth - 8);
  for (int size : {16, CaptionMinFontSize}) {
    plat::SetImageFont(GameFont(size));
    if (plat::TextWidth(caption) <= width) break;
  }
  DrawTextLine(FitTextToWidth(caption, width), cx, cy - 60, 1, 1, 1);
}

void TVLevelList::Kill() {
  if (NavigationMenu) NavigationMenu->Kill();
  NavigationMenu.reset();
  ImageList.clear();
  CompletedIniFile.reset();
  Bests.reset();
}
