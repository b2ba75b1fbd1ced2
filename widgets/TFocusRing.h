// The keyboard (or pad) focus of one screen or dialog: its controls in
// screen order, one of them focused. It reads only navigation commands
// (TNavInput): the focused control is offered each command first (a slider
// takes Left/Right, a list box Up/Down, the board cursor the arrows); what
// it leaves moves the focus: Down, Right and Tab to the next control, Up,
// Left and Shift+Tab to the previous one, wrapping around. Accept (and
// Select) clicks a focused button. The focus shows only once a command came and hides when
// the pointer moves or a mouse button is pressed, so the mouse and the keys
// can take turns at any moment. A focused button shows its mouse-over look
// (grow, glow, the mouse-over sound).
#pragma once

#include <vector>

#include "TNavInput.h"

class TButton;
class TMenu;

// A control other than a button that can hold the focus.
class TFocusItem {
 public:
  virtual ~TFocusItem() = default;
  // Shown and usable now.
  virtual bool CanFocus() const = 0;
  // The focus look goes on or off.
  virtual void SetFocused(bool focused) = 0;
  // A command while focused; true when the control used it.
  virtual bool FocusCommand(TNavCommand command) = 0;
  // The first command, which shows a hidden focus, acts on the control too
  // (a list takes the arrows at once, as it does without a focus).
  virtual bool TakesFirstCommand() const { return false; }
};

// The focus look of a control that has no mouse-over look of its own (a
// list box, a slider, the level grid, the board cursor): a gold frame
// around the rectangle, edged dark on both sides, pulsing with the game
// time.
void DrawFocusFrame(double x, double y, double w, double h);

class TFocusRing {
 public:
  TFocusRing() = default;
  TFocusRing(const TFocusRing&) = delete;
  TFocusRing& operator=(const TFocusRing&) = delete;

  // Focus order is the order of the Add calls. A menu stands for its
  // buttons in list order as they are on each step, so a button added to a
  // menu joins the order by itself.
  void Add(TMenu* menu);
  void Add(TButton* button);
  void Add(TFocusItem* item);
  // Empties the ring; the controls are left as they are (they may be gone),
  // and the focus stays on its control should that be added again.
  void Clear();

  // Once per logic step, before the controls it holds are managed. Returns 1
  // when it used a command.
  int Manage();

  // Where the focus goes when it first shows (a dialog's "OK" or "Yes");
  // with none, the first control that can take it.
  void SetDefault(const void* control);
  // The focus goes back to where it starts (the default, else the first
  // control), as when a menu opens; whether it shows is kept.
  void Reset() { current_ = nullptr; }
  // Moves the focus there (it shows at once).
  void FocusOn(const void* control);
  // Focus look off until the next command (the pointer took over).
  void Hide();
  int Shown() const { return shown_; }
  // The focused control (a TButton* or TFocusItem*), null when none.
  const void* Current() const { return current_; }
  // The controls that can take the focus now, in focus order.
  std::vector<const void*> Order() const;

 private:
  struct TEntry {
    TMenu* Menu = nullptr;
    TButton* Button = nullptr;
    TFocusItem* Item = nullptr;
  };
  void Move(int by);
  void Show();
  void ApplyLooks();
  bool PointerTookOver();
  bool OfferToCurrent(TNavCommand command);
  TFocusItem* CurrentItem() const;
  TButton* CurrentButton() const;

  std::vector<TEntry> entries_;
  const void* current_ = nullptr;
  const void* default_ = nullptr;
  const void* looked_ = nullptr;
  int shown_ = 0;
  int lastX_ = -100000, lastY_ = -100000;
};
