#include "TVMouse.h"

#include <cstdlib>

#include "GameInput.h"
#include "TTalvorineGame.h"

TVMouse VMouse;

void TVMouse::ClaimPress() {
  pressClaimed_ = true;
  MBL = 0;
  MBLDC = 0;
  DragStartX = DragStartY = -1;
  IsDragging = 0;
}

int TVMouse::Drag() {
  if (IsDragging) return 1;
  if (LeftClick() > 0 && DragStartX == -1) {
    DragStartX = x;
    DragStartY = y;
    return 0;
  }
  if (LeftClick() > 1 && std::abs(DragStartX - x) + std::abs(DragStartY - y) > DraggingPixels) {
    IsDragging = 1;
    return 1;
  }
  return 0;
}

void TVMouse::UpdateMouseClicks() {
  if (!Game) return;
  bool control = GameKeyDown(plat::KEY_LCONTROL) || GameKeyDown(plat::KEY_RCONTROL);
  UpdateMouseClicks(Game->Mouse, control, plat::MilliSecs());
}

void TVMouse::UpdateMouseClicks(const TMousePointer& pointer, bool controlDown, int now) {
  x = pointer.x;
  y = pointer.y;
  int elapsed = now - _milliCounter;
  // A long stall does not eat the double-click window.
  if (elapsed > 1000 || elapsed < 0) elapsed = 0;
  _milliCounter = now;

  // A press whose release arrived in the same drain of events (a touchpad's
  // tap, a quick click during a slow frame) has left only its hit behind:
  // it still counts as a press on this step. A hit on a held button is a new
  // press after a release, so the count starts again.
  bool leftHit = pointer.h1 > 0, rightHit = pointer.h2 > 0;
  bool leftDown = pointer.b1 == 1 || leftHit;
  if (pointer.b2 == 1 || rightHit || (leftDown && controlDown)) {
    MBR = (rightHit || (leftHit && controlDown)) ? 1 : MBR + 1;
  } else {
    MBR = 0;
  }
  // A claimed press ends with its release or with a new press.
  if (pressClaimed_ && (!leftDown || leftHit)) pressClaimed_ = false;
  if (leftDown && !controlDown && !pressClaimed_) {
    MBL = leftHit ? 1 : MBL + 1;
  } else {
    MBL = 0;
    DragStartX = DragStartY = -1;
    IsDragging = 0;
  }

  MBLDC = 0;
  if (MBL == 1) {
    bool inSquare = DoubleClickX - DoubleClickSquare < x && x < DoubleClickX + DoubleClickSquare &&
                    DoubleClickY - DoubleClickSquare < y && y < DoubleClickY + DoubleClickSquare;
    if (DoubleClickCounter > 0 && inSquare) MBLDC = 1;
    DoubleClickX = x;
    DoubleClickY = y;
    DoubleClickCounter = DoubleClickTime;
  }
  if (DoubleClickCounter > 0) DoubleClickCounter -= float(elapsed);
}
