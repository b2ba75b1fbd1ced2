// The shared click tracker, stepped once per logic step by the game: left
// and right clicks (Control + left is a right click), double clicks and
// drags.
#pragma once

class TMousePointer;

class TVMouse {
 public:
  int LeftClick() const { return MBL; }
  int RightClick() const { return MBR; }
  int DoubleClick() const { return MBLDC; }
  int Drag();
  // Reads Game->Mouse and the game key tables.
  void UpdateMouseClicks();
  // The same step with an explicit pointer and Control state (tests, tools).
  void UpdateMouseClicks(const TMousePointer& pointer, bool controlDown, int now);
  // A control (a button) has taken the press of the left button: until the
  // button is released, nothing else sees it as a click, a hold or a drag.
  void ClaimPress();
  bool PressClaimed() const { return pressClaimed_; }

  int MBL = 0;
  int MBR = 0;
  int MBLDC = 0;
  int x = 0, y = 0;
  float DoubleClickTime = 500.0f;
  float DoubleClickCounter = 0;
  int DoubleClickX = -1, DoubleClickY = -1;
  int DoubleClickSquare = 30;
  int _milliCounter = 0;
  int DraggingPixels = 4;
  int DragStartX = -1, DragStartY = -1;
  int IsDragging = 0;

 private:
  bool pressClaimed_ = false;
};

// The one tracker the game steps; widgets and the board read it.
extern TVMouse VMouse;
