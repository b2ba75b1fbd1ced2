// The keyboard (or pad) focus of one screen or dialog: its controls in
// screen order, one of them focused. It reads only navigation commands
// (TNavInput): the focused control is offered each command first (a slider
// takes Left/Right, a list box Up/Down, the board cursor the arrows); what
// it leaves moves the focus: Down, Right and Tab to the next control, Up,
// Left and Shift+Tab to the previous one, wrapping around. Accept (and
// Select) clicks a focused button. The focus shows while the keys lead
// (TInputMode): a ring that comes up after a command shows it at once, the
// first command shows a hidden one where it stands, and it hides when the
// pointer moves or a mouse button is pressed, so the mouse and the keys can
// take turns at any moment. A focused button shows its mouse-over look
// (grow, glow, the mouse-over sound). A ring left with its screen comes
// back to the control that led away: the focused one, or the button the
// pointer pressed last.
#pragma once

#include <string>
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
  // The screen is left and its controls go: the ring empties, and when the
  // screen adds its (new) controls again the focus comes back to the one
  // in the place of the focused one (the button of the same name, else the
  // same place in the order).
  void Leave();

  // Once per logic step, before the controls it holds are managed. Returns 1
  // when it used a command.
  int Manage();

  // Where the focus goes when it first shows (a dialog's "OK" or "Yes");
  // with none, the first control that can take it.
  void SetDefault(const void* control);
  // The focus goes back to where it starts (the default, else the first
  // control), as when a menu opens; whether it shows is kept.
  void Reset();
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
  // A control by its place in the order and, on a button, its name.
  struct TMark {
    int Index = -1;
    std::string Name;
  };
  struct TEntry {
    TMenu* Menu = nullptr;
    TButton* Button = nullptr;
    TFocusItem* Item = nullptr;
  };
  void Move(int by);
  void Show();
  void ApplyLooks();
  void FollowPointerPress(const std::vector<const void*>& order);
  void Remember(const std::vector<const void*>& order, const void* control);
  const void* Marked(const TMark& mark, const std::vector<const void*>& order) const;
  bool OfferToCurrent(TNavCommand command);
  TFocusItem* CurrentItem() const;
  TButton* ButtonOf(const void* control) const;
  TButton* CurrentButton() const { return ButtonOf(current_); }

  std::vector<TEntry> entries_;
  const void* current_ = nullptr;
  const void* default_ = nullptr;
  const void* looked_ = nullptr;
  int shown_ = 0;
  // The control that would lead away: where the shown focus stood, or the
  // button the pointer pressed last.
  TMark remembered_;
  // The one that did, where the focus first shows on the next visit.
  TMark comeBack_;
};
