// The one tile of the time attack and endless tabs on the level selection:
// the open board's picture in a level item's frame, captioned "Start", with
// the way's rule and the player's best under it. A click on it, or Accept while it has the focus,
// asks to start; it is lit while the pointer or the focus is on it.
#pragma once

#include <string>

#include "Platform.h"
#include "TFocusRing.h"
#include "TSineCounter.h"

class TOpenBoardTile : public TFocusItem {
 public:
  // In the middle of the grid's place; the rule's lines under it.
  static constexpr int X = 400, Y = 280, RuleY = 360, RuleWidth = 660;
  static constexpr int RuleSize = 25, RuleGap = 30, BestY = 410, BestSize = 20;

  // `picture`: the open board's thumbnail; `rule`: the way's rule; `best`:
  // the player's best line ("" for none).
  TOpenBoardTile(plat::TImagePtr picture, std::string caption, std::string rule, std::string best);

  void Manage();
  void Draw() const;
  // Asked to start in the last Manage (or by the focus since).
  bool StartRequested() const { return start_; }

  bool CanFocus() const override { return true; }
  void SetFocused(bool focused) override { focused_ = focused; }
  bool FocusCommand(TNavCommand command) override;

 private:
  bool UnderPointer() const;

  plat::TImagePtr picture_;
  std::string caption_, rule_, best_;
  TSineCounter glow_;
  bool focused_ = false, start_ = false, startPending_ = false;
};
