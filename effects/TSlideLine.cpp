#include "TSlideLine.h"

#include "Platform.h"
#include "TextDraw.h"

TSlideLine::TSlideLine() : Color(TColor::Create(255, 255, 255, 1.0f)) {}

void TSlideLine::InitLine(const std::string& newText, int startX, int startY, int endX, int endY,
                          int length) {
  Init(length, 0, 0, 0);
  text = newText;
  StartX[0] = float(startX);
  StartY[0] = float(startY);
  EndX[0] = float(endX);
  EndY[0] = float(endY);
  CalcDistance();
}

void TSlideLine::AddPhaseSpecial(int startX, int startY, int endX, int endY, int length) {
  if (TotalPhases >= MAX_PHASES) return;
  int phase = TotalPhases;
  StartX[phase] = float(startX);
  StartY[phase] = float(startY);
  EndX[phase] = float(endX);
  EndY[phase] = float(endY);
  AddPhase(length);
}

void TSlideLine::CalcDistance() {
  DX = EndX[CurrentPhase] - StartX[CurrentPhase];
  DY = EndY[CurrentPhase] - StartY[CurrentPhase];
}

float TSlideLine::GetX() const {
  if (!Active) return EndX[TotalPhases - 1];
  return StartX[CurrentPhase] + (1 - GetRatio()) * DX;
}

float TSlideLine::GetY() const {
  if (!Active) return EndY[TotalPhases - 1];
  return StartY[CurrentPhase] + (1 - GetRatio()) * DY;
}

int TSlideLine::Manage() {
  int ended = TAnimation::Manage();
  if (ended) CalcDistance();
  return ended;
}

void TSlideLine::Draw() {
  if (Color) Color->Apply();
  plat::DrawText(text, GetX(), GetY());
  TColor::Restore();
}

TSlideLineList::TSlideLineList() : Color(TColor::Create(255, 255, 255, 1.0f)) {}

std::shared_ptr<TSlideLine> TSlideLineList::Add(const std::string& text, int startX, int startY,
                                                int endX, int endY, int length) {
  auto line = std::make_shared<TSlideLine>();
  line->InitLine(text, startX, startY, endX, endY, length);
  line->Color = Color;
  Lines.push_back(line);
  return line;
}

void TSlideLineList::Start() {
  for (auto& line : Lines) line->Start();
}

void TSlideLineList::Manage() {
  for (auto& line : Lines) line->Manage();
}

void TSlideLineList::Draw() {
  for (auto& line : Lines) line->Draw();
  plat::SetColor(255, 255, 255);
}
