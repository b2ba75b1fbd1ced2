#include "TGameModeMatch3.h"

#include <algorithm>

#include "GameDialogs.h"
#include "GameResources.h"
#include "TCellBox.h"
#include "TChannelArray.h"
#include "TGamePlay.h"
#include "TImageBank.h"
#include "TLevelClock.h"
#include "TOpenBoard.h"
#include "TParticleList.h"
#include "TPlayerFiles.h"
#include "TSavedGame.h"
#include "TSoundBank.h"
#include "TTalvorineGame.h"
#include "TTimeLimit.h"
#include "TVMouse.h"
#include "TextCase.h"

namespace {

// Right of the level's title and the progress label on the top line.
constexpr int ProgressX = 364, ProgressY = 44;
// The label ends this far left of the bar, on the top line.
constexpr int ProgressLabelGap = 8, ProgressLabelY = modetext::HudLineY;
// "7 left" on the bar: its face, and its top above the bar's middle.
constexpr int MarblesLeftSize = 16, MarblesLeftAbove = 11;
constexpr int OfferTextY = 265;

plat::TImagePtr InterfaceImage(const char* name) {
  return InterfaceImageBank ? InterfaceImageBank->FindTImage(name) : nullptr;
}

}  // namespace

TGameModeMatch3::TGameModeMatch3(TGamePlay& play, std::shared_ptr<const TBoardArt> art)
    : Mouse(&VMouse), play_(play), art_(art ? std::move(art) : TBoardArt::FromBanks()) {
  GameType = TypeMatch3;
  ProgressImage = InterfaceImage("progress");
  ProgressMoImage = InterfaceImage("progressmo");
  boxImage_ = InterfaceImage("helptextback");
  Clear();
}

TGameModeMatch3::~TGameModeMatch3() = default;

// ---------------------------------------------------------------- boards and deals

void TGameModeMatch3::InstallBoard(std::unique_ptr<TCellBox> board) {
  CellBox = std::move(board);
  WireBoard();
}

void TGameModeMatch3::WireBoard() {
  CellBox->IsLevelEditor = 0;
  CellBox->GameMode = this;
  CellBox->Mouse = Mouse;
}

void TGameModeMatch3::ResetRoundState() {
  DropPendingPoints();
  BonusCounter = 0;
  BonusAnimation.reset();
  BonusEndAnimation.reset();
  CheckedEndBonus = 0;
  // The hint and the move list belong to the board that is gone.
  ResetHint();
  HintList.reset();
}

void TGameModeMatch3::Clear() {
  auto board = std::make_unique<TCellBox>(art_);
  board->Clear();
  InstallBoard(std::move(board));
  ResetRoundState();
  ShufflePieces.reset();
  LevelClock.RestartKeepingPause();
  ResetScore();
  ShowHelpMessage = 1;
}

void TGameModeMatch3::DropPendingPoints() {
  // Points still counting up belong to the board that is gone.
  play_.ScoreAdder = 0;
  play_.ShowVictoryParticles = 0;
  UnsavedProgress = 0;
}

void TGameModeMatch3::Init(const std::string& name, int custom) {
  play_.CurrentLevel = name;
  play_.IsCustomLevel = custom;
  Clear();
  if (OnOpenBoard()) {
    TOpenBoard::Load(*CellBox);
  } else {
    CellBox->LoadLayout(name);
  }
  CellBox->UpdateDrawWall();
  CellBox->GameMode = this;
  Shuffle();
  FirstDealFailed = DealFailed;
  Moves = 0;
  AddOriginalUndo();
  TotalMarbles = OriginalPuzzle->CellBox->GetLayoutCellMarbleCount();
  TimeLimit.LimitMs = TTimeLimit::ForWay(play_.Way, name, custom, TotalMarbles);
  TimeBar.Reset();
}

void TGameModeMatch3::AddOriginalUndo() {
  OriginalPuzzle = std::make_unique<TMatch3Undo>();
  OriginalPuzzle->SetFromCurrentValues(*this, 0, 0);
}

void TGameModeMatch3::StopBoardMotion() {
  TCellBox& board = *CellBox;
  for (int x = 0; x < board::GridWidth; ++x) {
    for (int y = 0; y < board::GridHeight; ++y) {
      TCell& cell = *board.Cells[x][y];
      cell.MoveLine.reset();
      cell.AppearAnimation.reset();
      cell.DestroyAnimation.reset();
      cell.X = cell.GetCalculatedX();
      cell.Y = cell.GetCalculatedY();
      cell.ClearMarked();
    }
  }
  board.CellSwitchPosition1.reset();
  board.CellSwitchPosition2.reset();
  board.MarkedCell1 = board.MarkedCell2 = nullptr;
}

void TGameModeMatch3::Shuffle() {
  CellBox->GameMode = this;
  // A jewel still fading out would otherwise take a new jewel (and the
  // marble under it) with it when its fade ends.
  StopBoardMotion();
  DealFailed = CellBox->GenerateLevel() ? 0 : 1;
  play_.State.Clear();
  ShufflePieces.reset();
  HasShownShufflePiecesDialog = 0;
  ResetHint();
  HintList.reset();
  // On the open board a new deal goes on with the score it had.
  if (!OnOpenBoard()) {
    ResetScore();
    DropPendingPoints();
  }
  StartStartGameAnimation();
}

void TGameModeMatch3::Reset() {
  if (!OriginalPuzzle || !OriginalPuzzle->CellBox) return;
  OriginalPuzzle->SetAsCurrentValues(*this);
  WireBoard();
  CellBox->UpdateDrawWall();
  // A won or lost level's clock stopped at its end: the replay runs from
  // now. An interruption in force (the in-game menu) goes on.
  if (play_.State.Over()) {
    LevelClock.Restart();
  } else {
    LevelClock.RestartKeepingPause();
  }
  ResetRoundState();
  ShufflePieces.reset();
  HasShownShufflePiecesDialog = 0;
  DealFailed = FirstDealFailed;
  Moves = 0;
  TimeBar.Reset();
  play_.State.Clear();
  ResetScore();
  ShowHelpMessage = 1;
}

void TGameModeMatch3::ResetScore() { play_.Score = 0; }

// ---------------------------------------------------------------- saved games

int TGameModeMatch3::SaveGame(const std::string& name) {
  const std::string path = name + TPlayerFiles::Extension(TPlayerFiles::Save);
  const std::string folder = Game ? Game->ProfilePath : "";
  TSavedLevel level;
  if (!play_.CurrentLevel.empty()) level = {FileStem(play_.CurrentLevel), play_.IsCustomLevel};
  TSavedClock clock;
  if (play_.Way == TPlayWay::Clock) clock = {TPlayWay::Clock, TimeLimit.Remaining()};
  if (OriginalPuzzle && OriginalPuzzle->CellBox && TPlayerFiles::IsSafePath(name, folder) &&
      TSavedGame::Write(path, LevelClock.Elapsed(), play_.Score, *OriginalPuzzle->CellBox, *CellBox,
                        level, Moves, clock)) {
    UnsavedProgress = 0;
    return 1;
  }
  LogFailure("Could not create file '" + path + "'");
  return 0;
}

int TGameModeMatch3::LoadSaveGame(const std::string& path) {
  // Read into boards of their own first: a file that cannot be read leaves
  // the game in progress as it was.
  auto firstDeal = std::make_unique<TCellBox>(art_);
  auto current = std::make_unique<TCellBox>(art_);
  firstDeal->Clear();
  current->Clear();
  int elapsed = 0, score = 0, moves = MovesUnknown;
  TSavedClock clock;
  if (!TSavedGame::Read(path, elapsed, score, *firstDeal, *current, &SavedLevel, &moves, &clock)) {
    LogFailure("Could not read file '" + path + "'");
    return 0;
  }
  Clear();
  LevelClock.SetElapsed(elapsed);
  play_.Score = score;
  Moves = moves;
  // A save of an earlier version, or of a relaxed game, is played relaxed.
  play_.Way = clock.Way;
  TimeLimit.LimitMs = 0;
  if (clock.Way == TPlayWay::Clock) TimeLimit.SetRemaining(clock.RemainingMs);
  OriginalPuzzle = std::make_unique<TMatch3Undo>();
  OriginalPuzzle->CellBox = std::move(firstDeal);
  InstallBoard(std::move(current));
  return 1;
}

int TGameModeMatch3::LoadGame(const std::string& path) {
  if (!LoadSaveGame(path)) return 0;
  // The resumed game is recorded under its own level; a save that names
  // none (written before saves named their level) is a level of no name:
  // its win is recorded nowhere and leads to no next puzzle.
  play_.CurrentLevel = SavedLevel.Known() ? LevelPath(SavedLevel) : std::string();
  play_.IsCustomLevel = SavedLevel.Known() ? SavedLevel.Custom : 0;
  TotalMarbles = OriginalPuzzle->CellBox->GetLayoutCellMarbleCount();
  CellBox->UpdateDrawWall();
  CellBox->GameMode = this;
  // The resumed game is at rest: no deal, no fade-in, nothing pending from
  // the game it replaces, and it is in play again.
  StartGameAnimation.reset();
  HasShownShufflePiecesDialog = 0;
  DealFailed = FirstDealFailed = 0;
  TimeBar.Reset();
  DropPendingPoints();
  play_.State.Clear();
  return 1;
}

std::string TGameModeMatch3::LevelPath(const TSavedLevel& level) {
  if (level.Custom) return TPlayerFiles::PathOfStem(level.Name, TPlayerFiles::Layout);
  return (Game ? Game->DataPrefix : std::string()) + "layouts/" + level.Name +
         TPlayerFiles::Extension(TPlayerFiles::Layout);
}

bool TGameModeMatch3::HasUnsavedProgress() const { return UnsavedProgress && !IsFinished(); }

// ---------------------------------------------------------------- the step

bool TGameModeMatch3::IsBoardAtRest() const {
  if (CellBox->IsCellSwitchAnimation()) return false;
  for (int x = 1; x < board::GridWidth - 1; ++x) {
    for (int y = 1; y < board::GridHeight - 1; ++y) {
      const TCell& cell = *CellBox->Cells[x][y];
      if (cell.HasJewel() && !cell.IsSettled()) return false;
    }
  }
  return true;
}

bool TGameModeMatch3::IsOutOfTime() const { return TimeLimit.Expired() && !IsFinished(); }

void TGameModeMatch3::Logic() {
  const TState& state = play_.State;
  // Out of time the board stops where it stands, as a won one does.
  if (!state.disableButtons && !state.Over() && !IsOutOfTime()) {
    // Once the last marble cell is cleared the board only settles: the
    // player's input is closed and no hint is shown.
    const bool won = IsFinished();
    CellBox->Mouse = won ? nullptr : Mouse;
    if (won) ResetHint();
    if (!ShufflePieces) CellBox->Manage();
    ManageHint();
    // The list can be empty for a step while a cascade still runs; only a
    // board at rest without a move is offered a reshuffle, and never a deal
    // on which no move could be found at all.
    if (!ShufflePieces && HintList && HintList->empty() && !HasShownShufflePiecesDialog &&
        !DealFailed && !IsFinished() && IsBoardAtRest()) {
      OpenShuffleOffer();
    }
    ManageShuffleOffer();
  }
  if (!state.Over()) ManageClock();
  ManageScore();
  ManageStartGameAnimation();
  ManageBonus();
}

void TGameModeMatch3::ManageClock() {
  // A won board settling runs on no clock.
  if (IsFinished() || LevelClock.IsPaused()) return;
  if (TimeBar.Manage(TimeLimit)) PlaySound("tick");
}

void TGameModeMatch3::ManageScore() {
  int& score = play_.Score;
  int& adder = play_.ScoreAdder;
  if (adder > 0) {
    ++score;
    --adder;
  } else if (adder < 0) {
    --score;
    ++adder;
  }
  if (score < 0) score = 0;
}

void TGameModeMatch3::AddPendingScore(int points) {
  play_.ScoreAdder += points;
  if (points > 0) UnsavedProgress = 1;
}

void TGameModeMatch3::MoveMade() {
  if (Moves != MovesUnknown) ++Moves;
}

void TGameModeMatch3::StartStartGameAnimation() {
  StartGameAnimation = TAnimation::Create(StartFadeLength, 0, 0, 0);
  StartGameAnimation->Start();
}

void TGameModeMatch3::ManageStartGameAnimation() {
  if (!StartGameAnimation) return;
  StartGameAnimation->Manage();
  if (!StartGameAnimation->Active) {
    StartGameAnimation.reset();
    PlayStartSound();
  }
}

// ---------------------------------------------------------------- bonus

void TGameModeMatch3::CheckBonusCounter() {
  BonusAnimation = TAnimation::Create(BonusWindowLength, 0, 0, 0);
  BonusAnimation->Start();
}

void TGameModeMatch3::ManageBonus() {
  if (BonusEndAnimation) {
    BonusEndAnimation->Manage();
    if (BonusEndAnimation->CurrentPhase >= 1 || !BonusEndAnimation->Active) {
      play_.ShowVictoryParticles = 0;
    }
    if (!BonusEndAnimation->Active) BonusEndAnimation.reset();
  }
  if (BonusAnimation) {
    BonusAnimation->Manage();
    if (!BonusAnimation->Active) {
      EndBonus();
      BonusAnimation.reset();
      BonusCounter = 0;
    }
  }
}

void TGameModeMatch3::EndBonus() {
  if (BonusCounter > BonusFreeMatches) {
    BonusEndAnimation = TAnimation::Create(BonusShowLength, 0, 0, 0);
    BonusEndAnimation->AddPhase(BonusHoldLength);
    BonusEndAnimation->AddPhase(BonusFadeLength);
    BonusEndAnimation->Start();
    BonusTotalPoints = (BonusCounter - BonusFreeMatches) * BonusPointsPerMatch;
    // On the open board the bonus is scored; on a level it is only shown.
    if (OnOpenBoard()) AddPendingScore(BonusTotalPoints);
    if (BonusCounter >= BonusApplauseMatches) {
      PlayBonusApplauseSound();
      play_.ParticleList = std::make_shared<TParticleList>();
      play_.ShowVictoryParticles = 1;
    }
  }
  BonusCounter = 0;
}

// ---------------------------------------------------------------- end of level

int TGameModeMatch3::IsFinished() const {
  // The open board has no goal: it is never won.
  return !OnOpenBoard() && CellBox->GetLayoutCellMarbleCount() == 0;
}

bool TGameModeMatch3::OnOpenBoard() const { return playway::OnOpenBoard(play_.Way); }

void TGameModeMatch3::SettleScore() {
  if (BonusAnimation) EndBonus();
  BonusAnimation.reset();
  // The end's box takes the bonus display's place; its points are in.
  BonusEndAnimation.reset();
  play_.Score = std::max(play_.Score + play_.ScoreAdder, 0);
  play_.ScoreAdder = 0;
}

int TGameModeMatch3::IsGameFinished() {
  if (!IsFinished()) return 0;
  // A running bonus window is settled at once; the level ends once its
  // display has run.
  CheckedEndBonus = 1;
  EndBonus();
  // The won board first settles: its falls, fades and cascades run out.
  if (BonusEndAnimation || !IsBoardAtRest()) return 0;
  BonusCounter = 0;
  BonusAnimation.reset();
  CheckedEndBonus = 0;
  return 1;
}

void TGameModeMatch3::GameFinished() {
  for (TCell* cell : {CellBox->MarkedCell1, CellBox->MarkedCell2}) {
    if (cell) cell->ClearMarked();
  }
  CellBox->MarkedCell1 = CellBox->MarkedCell2 = nullptr;
  ShufflePieces.reset();
}

int TGameModeMatch3::ProgressPercent() const {
  if (TotalMarbles <= 0) return IsFinished() ? 100 : 0;
  int cleared = TotalMarbles - CellBox->GetLayoutCellMarbleCount();
  int percent = int(float(cleared) / float(TotalMarbles) * 100.0f);
  return std::clamp(percent, 0, 100);
}

// ---------------------------------------------------------------- the reshuffle offer

void TGameModeMatch3::OpenShuffleOffer() {
  ShufflePieces = GameDialogYesNoForKey("No Valid Matches 1");
  HasShownShufflePiecesDialog = 1;
}

void TGameModeMatch3::ManageShuffleOffer() {
  if (!ShufflePieces) return;
  int answer = ShufflePieces->Manage();
  if (answer == 0) return;
  ShufflePieces.reset();
  if (answer == 1) Shuffle();
}

void TGameModeMatch3::DrawShuffleOffer() const {
  if (!ShufflePieces) return;
  ShufflePieces->Draw();
  modetext::DrawCentred(offerText_.Get(), OfferTextY, 20);
}

// ---------------------------------------------------------------- sounds

void TGameModeMatch3::PlaySound(const char* name) {
  if (SoundHook) SoundHook(name);
  if (Game && Game->Channels && SoundBank) {
    Game->Channels->PlayGameSound(SoundBank->Find(name), nullptr, 1, 0);
  }
}

void TGameModeMatch3::PlayMatchSound() { PlaySound("score"); }
void TGameModeMatch3::PlayInvalidSound() { PlaySound("buttonclick2"); }
void TGameModeMatch3::PlayHintSound() { PlaySound("hint"); }
void TGameModeMatch3::PlayStartSound() { PlaySound("startgame"); }
void TGameModeMatch3::PlayBonusApplauseSound() { PlaySound("applause2"); }
void TGameModeMatch3::PlayClickSound() { PlaySound("buttonclick2"); }

// ---------------------------------------------------------------- drawing

void TGameModeMatch3::Draw() {
  const double alpha = plat::GetAlpha();
  if (StartGameAnimation) plat::SetAlpha(StartGameAnimation->GetRatioInv());
  CellBox->Draw();
  plat::SetAlpha(alpha);
  if (!play_.State.Over()) DrawHint();
  DrawHelpMessage();
  DrawProgress();
  // On the open board the time bar takes the progress bar's place.
  TimeBar.Draw(TimeLimit, ProgressX, OnOpenBoard() ? ProgressY : TTimeBar::Y);
  DrawBonus();
  DrawShuffleOffer();
  DrawDebugInformation();
}

void TGameModeMatch3::DrawHint() const { TBoardMode::DrawHint(art_->LayoutHint); }

TBottomBox TGameModeMatch3::BottomBox() const { return TBottomBox::For(CellBox.get()); }

const std::string& TGameModeMatch3::OpeningMessage() const {
  if (play_.Way == TPlayWay::Attack) return attackHelpText_.Get();
  if (play_.Way == TPlayWay::Endless) return endlessHelpText_.Get();
  // A level that brings something new opens with its own tip.
  if (tipLevel_ != play_.CurrentLevel || tipCustom_ != play_.IsCustomLevel) {
    tipLevel_ = play_.CurrentLevel;
    tipCustom_ = play_.IsCustomLevel;
    tipText_ = modetext::StandardLevelText("Level Tip ", tipLevel_, tipCustom_);
  }
  return tipText_.empty() ? helpText_.Get() : tipText_;
}

void TGameModeMatch3::DrawHelpMessage() const {
  if (!ShowHelpMessage) return;
  const TBottomBox box = BottomBox();
  box.DrawImage(boxImage_);
  modetext::DrawCentred(OpeningMessage(), box.TextTop, 25);
}

void TGameModeMatch3::DrawProgress() const {
  // The open board has no marble cell to count.
  if (OnOpenBoard()) return;
  float barLeft =
      float(ProgressX) - (ProgressImage ? float(plat::ImageWidth(*ProgressImage)) / 2 : 0);
  modetext::DrawRightAt(progressText_.Get(), barLeft - float(ProgressLabelGap),
                        float(ProgressLabelY), modetext::HudTextSize);
  if (!ProgressImage) return;
  plat::DrawImage(*ProgressImage, ProgressX, ProgressY);
  DrawProgressBarFill();
  // How many marble cells are left, on the bar.
  modetext::DrawOnBarAt(marblesLeftText_.With(CellBox->GetLayoutCellMarbleCount()),
                        float(ProgressX), float(ProgressY - MarblesLeftAbove), MarblesLeftSize);
}

void TGameModeMatch3::DrawProgressBarFill() const {
  if (!ProgressMoImage) return;
  // The bar pictures are centred on their place; the left part is cut out.
  const int width = plat::ImageWidth(*ProgressMoImage);
  const int height = plat::ImageHeight(*ProgressMoImage);
  const int shown =
      int(float(plat::ImageWidth(*ProgressImage)) / 100.0f * float(ProgressPercent()));
  if (shown <= 0) return;
  plat::DrawSubImageRect(*ProgressMoImage, ProgressX - width / 2, ProgressY - height / 2,
                         std::min(shown, width), height, 0, 0, std::min(shown, width), height);
}

void TGameModeMatch3::DrawBonus() const {
  const double alpha = plat::GetAlpha();
  const TBottomBox box = BottomBox();
  if (BonusEndAnimation) {
    if (BonusEndAnimation->CurrentPhase == 2) plat::SetAlpha(BonusEndAnimation->GetRatio());
    box.DrawImage(boxImage_);
    modetext::DrawCentred(bonusPointsText_.With(BonusTotalPoints), box.TextTop, 25);
    plat::SetAlpha(alpha);
  }
  if (BonusCounter > BonusFreeMatches) {
    box.DrawImage(boxImage_);
    modetext::DrawCentred(bonusCounterText_.With(BonusCounter), box.TextTop, 25);
  }
}
