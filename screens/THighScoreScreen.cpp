#include "THighScoreScreen.h"

#include <iterator>

#include "GameDialogs.h"
#include "GameResources.h"
#include "LanguageForms.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TGameText.h"
#include "TGleamstrandHighScoreList.h"
#include "TImageBank.h"
#include "TModeText.h"
#include "TNavInput.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TextDraw.h"
#include "Utf8.h"

namespace {

// A column heading from the game text: "Score" also labels the running
// score on the game screen ("Score: ", in French "Score : " with a narrow
// no-break space), so a trailing colon and the spaces before it are dropped.
std::string Heading(const std::string& key) {
  std::string text = GameText ? GameText->FindString(key) : key;
  for (;;) {
    size_t last = plat::CharStartBefore(text, text.size());
    std::string tail = text.substr(last);
    if (text.empty() || (tail != " " && tail != ":" && tail != "\u202f" && tail != "\u00a0")) {
      return text;
    }
    text.resize(last);
  }
}

}  // namespace

void THighScoreScreen::Load() {
  LoadCommon("titlescreen", "highscoresheader", 400, 50, 10, 0);
  AddGrowingButton("oksmall", "ok")->OKButton = 1;
  AddGrowingButton("clear");
  MainMenu->MakeRow(15);
  MainMenu->SetY(MainMenu->y + 260);
  PageMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
  for (const char* arrow : {"arrowLeft", "arrowRight"}) AddGrowingButton(*PageMenu, arrow, arrow);
  PageMenu->MakeRow(PageArrowsGap);
  PageMenu->SetY(float(StartY - 30));
  // "ok" first, as on every screen of the title; the arrows after "clear".
  Focus.Add(PageMenu.get());
  ShowPage(0);
  ClearHighscore.reset();
  ShowingInput = 0;
}

void THighScoreScreen::ShowPage(int page) {
  const int pages = int(std::size(playway::All));
  Page = (page % pages + pages) % pages;
  CurrentHighScoreList = &Screens->GameScreen->HighScoresOf(playway::All[Page]);
  SetSlideLines();
}

void THighScoreScreen::SetSlideLines() {
  w = col3 - col1;
  height = 0;
  plat::SetImageFont(GameFont(34));
  SlideLines = std::make_unique<TSlideLineList>();
  int row = 0, rowY = StartY;
  for (const TGleamstrandHighScore& entry : CurrentHighScoreList->Entries) {
    int from = row % 2 == 0 ? -w : 800;
    auto line = SlideLines->Add("", -w, rowY, -w, rowY, row * RowDelayMs);
    line->AddPhaseSpecial(from, rowY, col1, rowY, SlideMs);
    line->AddPhaseSpecial(col1, rowY, col1, rowY, HighlightMs);
    line->AttachObject(std::make_shared<TGleamstrandHighScore>(entry));
    ++row;
    rowY += RowGap;
    height += RowGap;
  }
  SlideLines->Start();
}

void THighScoreScreen::Logic() {
  ManageHeader();
  if (ClearHighscore) {
    ShowingInput = 1;
    int result = ClearHighscore->Manage();
    if (result == 1) {
      // The built-in table, not an empty one.
      CurrentHighScoreList->Entries.clear();
      CurrentHighScoreList->CreateDefault();
      SetSlideLines();
    }
    if (result != 0) {
      ShowingInput = 0;
      ClearHighscore->Kill();
      ClearHighscore.reset();
    }
  }
  if (!ShowingInput) {
    ManageMenu();
    PageMenu->Manage();
    if (PageMenu->Clicked("arrowLeft") || NavInput.Hit(TNavCommand::PageUp)) {
      ShowPage(Page - 1);
    } else if (PageMenu->Clicked("arrowRight") || NavInput.Hit(TNavCommand::PageDown)) {
      ShowPage(Page + 1);
    }
  }
  if (MainMenu->Clicked("ok")) {
    ChangeTo(Screens->Title.get());
  } else if (MainMenu->Clicked("clear")) {
    ClearHighscore = GameDialogYesNoForKey("Clear Highscore");
  }
  if (SlideLines) SlideLines->Manage();
}

TColor THighScoreScreen::RowColour(const TSlideLine& line) {
  if (line.Active && line.CurrentPhase == line.TotalPhases - 1) {
    float r = line.GetRatio();
    TColor colour;
    colour.Set(int(255 - 255 * r), 255, int(255 - 155 * r));
    return colour;
  }
  TColor white;
  white.Set(255, 255, 255);
  return white;
}

void THighScoreScreen::Draw() {
  plat::Cls();
  DrawBackground();
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetImageFont(GameFont(34));
  DrawCentred(InterfaceImageBank->Find("blackback"), 400, 284);
  DrawHeader();
  MainMenu->Draw(0, 0);
  SetTextShadow(2, 2, 0.6f);
  plat::SetColor(255, 255, 0);
  DrawTextLine(Heading("Name"), float(col1), float(StartY - 30), 1, 0, 1);
  DrawTextLine(Heading("Score"), float(ScoreRight(float(col1))), float(StartY - 30), 1, 2, 1);
  plat::SetColor(255, 255, 255);
  PageMenu->Draw(0, 0);
  plat::SetImageFont(GameFont(TableNameSize));
  plat::SetColor(255, 226, 166);
  const float nameY = PageMenu->y + float(PageMenu->CalcHeight() - plat::TextHeight("0")) / 2.0f;
  DrawTextLine(modetext::Text(playway::TextKey(playway::All[Page])), 400, nameY, 1, 1, 1);
  if (SlideLines) {
    // Rows are 25 pixels apart: the 34-pixel face of the headings would make
    // their letters run into each other, so the rows use the 25-pixel face.
    plat::SetImageFont(GameFont(25));
    int place = 0;
    for (const auto& line : SlideLines->Lines) {
      ++place;
      auto entry = std::static_pointer_cast<TGleamstrandHighScore>(line->AttachedObject);
      if (!entry) continue;
      float lx = line->GetX(), ly = float(int(line->GetY()));
      TColor colour = RowColour(*line);
      colour.ApplyNoAlpha();
      DrawTextLine(RankText(place), lx - float(RankGap), ly, 1, 2, 1);
      DrawTextLine(entry->name, lx, ly, 1, 0, 1);
      DrawTextLine(std::to_string(entry->score), float(ScoreRight(lx)), ly, 1, 2, 1);
    }
  }
  plat::SetColor(255, 255, 255);
  if (ClearHighscore) ClearHighscore->Draw();
}

void THighScoreScreen::Kill() {
  if (ClearHighscore) ClearHighscore->Kill();
  ClearHighscore.reset();
  SlideLines.reset();
  if (PageMenu) PageMenu->Kill();
  PageMenu.reset();
  TMenuScreen::Kill();
}

int THighScoreScreen::SetEscDestination() {
  Game->DestinationTScreen = Screens->Title.get();
  return 0;
}
