// A text that moves in straight segments, one per phase of its timer (a
// pause is a segment whose ends coincide), and a list of them drawn in one
// shared colour.
#pragma once

#include <list>
#include <memory>
#include <string>

#include "TAnimation.h"
#include "TColor.h"

class TSlideLine : public TAnimation {
 public:
  TSlideLine();

  // One count-down phase of length ms from (startX, startY) to (endX, endY).
  void InitLine(const std::string& newText, int startX, int startY, int endX, int endY, int length);
  // Appends a phase with its segment.
  void AddPhaseSpecial(int startX, int startY, int endX, int endY, int length);
  void CalcDistance();
  // Where the text stands now; the last end point while inactive.
  float GetX() const;
  float GetY() const;
  int Manage();
  void Draw();
  void AttachObject(std::shared_ptr<void> object) { AttachedObject = std::move(object); }

  float StartX[MAX_PHASES] = {}, StartY[MAX_PHASES] = {};
  float EndX[MAX_PHASES] = {}, EndY[MAX_PHASES] = {};
  float DX = 0, DY = 0;
  std::string text;
  std::shared_ptr<TColor> Color;
  std::shared_ptr<void> AttachedObject;
};

class TSlideLineList {
 public:
  TSlideLineList();

  // A new line with the list's colour, appended.
  std::shared_ptr<TSlideLine> Add(const std::string& text, int startX, int startY, int endX,
                                  int endY, int length);
  void Start();
  void Manage();
  // Every line, then the drawing colour back to white.
  void Draw();

  std::list<std::shared_ptr<TSlideLine>> Lines;
  std::shared_ptr<TColor> Color;
};
