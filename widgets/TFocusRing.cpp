#include "TFocusRing.h"

#include <algorithm>
#include <cmath>

#include "TButton.h"
#include "TInputMode.h"
#include "TMenu.h"
#include "TTalvorineGame.h"

namespace {

bool ButtonCanFocus(const TButton& button) { return button.Active && !button.Disabled; }

bool MovesFocus(TNavCommand command) {
  switch (command) {
    case TNavCommand::Up:
    case TNavCommand::Down:
    case TNavCommand::Left:
    case TNavCommand::Right:
    case TNavCommand::FocusNext:
    case TNavCommand::FocusPrev:
      return true;
    default:
      return false;
  }
}

}  // namespace

void DrawFocusFrame(double x, double y, double w, double h) {
  // Steady, not pulsing: a screen at rest with the keyboard's focus on it
  // stays still and costs nothing to show.
  constexpr double kLines = 0.9;
  double alpha = plat::GetAlpha();
  plat::SetBlend(plat::ALPHABLEND);
  // Gold lines from two pixels outside the rectangle to two inside, the
  // middle one brightest, edged dark on both sides so that the frame shows
  // on light cells and dark panels alike.
  for (int ring = -3; ring <= 3; ++ring) {
    bool edge = ring == -3 || ring == 3;
    if (edge) {
      plat::SetColor(40, 25, 0);
    } else if (ring == 0) {
      plat::SetColor(255, 245, 170);
    } else {
      plat::SetColor(255, 200, 40);
    }
    plat::SetAlpha(edge ? 0.7 : kLines);
    plat::DrawRect(x - ring, y - ring, w + 2 * ring, h + 2 * ring, false);
  }
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(alpha);
}

void TFocusRing::Add(TMenu* menu) {
  if (menu) entries_.push_back({menu, nullptr, nullptr});
}

void TFocusRing::Add(TButton* button) {
  if (button) entries_.push_back({nullptr, button, nullptr});
}

void TFocusRing::Add(TFocusItem* item) {
  if (item) entries_.push_back({nullptr, nullptr, item});
}

// The controls may be gone already (a screen's Kill): they are not touched.
// The focus stays on its control should that come back in.
void TFocusRing::Clear() {
  entries_.clear();
  default_ = nullptr;
}

std::vector<const void*> TFocusRing::Order() const {
  std::vector<const void*> order;
  for (const TEntry& entry : entries_) {
    if (entry.Menu) {
      for (const auto& button : entry.Menu->Buttons) {
        if (ButtonCanFocus(*button)) order.push_back(button.get());
      }
    } else if (entry.Button) {
      if (ButtonCanFocus(*entry.Button)) order.push_back(entry.Button);
    } else if (entry.Item->CanFocus()) {
      order.push_back(entry.Item);
    }
  }
  return order;
}

TFocusItem* TFocusRing::CurrentItem() const {
  for (const TEntry& entry : entries_) {
    if (entry.Item && entry.Item == current_) return entry.Item;
  }
  return nullptr;
}

TButton* TFocusRing::ButtonOf(const void* control) const {
  if (!control) return nullptr;
  for (const TEntry& entry : entries_) {
    if (entry.Button && entry.Button == control) return entry.Button;
    if (!entry.Menu) continue;
    for (const auto& button : entry.Menu->Buttons) {
      if (button.get() == control) return button.get();
    }
  }
  return nullptr;
}

void TFocusRing::Leave() {
  entries_.clear();
  default_ = nullptr;
  current_ = nullptr;
  looked_ = nullptr;
  shown_ = 0;
  comeBack_ = remembered_;
}

void TFocusRing::Reset() {
  current_ = nullptr;
  remembered_ = comeBack_ = TMark();
}

void TFocusRing::Remember(const std::vector<const void*>& order, const void* control) {
  auto at = std::find(order.begin(), order.end(), control);
  if (at == order.end()) return;
  remembered_.Index = int(at - order.begin());
  TButton* button = ButtonOf(control);
  remembered_.Name = button ? button->name : std::string();
}

const void* TFocusRing::Marked(const TMark& mark, const std::vector<const void*>& order) const {
  if (mark.Index < 0) return nullptr;
  if (!mark.Name.empty()) {
    for (const void* control : order) {
      TButton* button = ButtonOf(control);
      if (button && button->name == mark.Name) return control;
    }
  }
  return mark.Index < int(order.size()) ? order[size_t(mark.Index)] : nullptr;
}

void TFocusRing::SetDefault(const void* control) { default_ = control; }

void TFocusRing::FocusOn(const void* control) {
  current_ = control;
  shown_ = 1;
  ApplyLooks();
}

void TFocusRing::Hide() {
  shown_ = 0;
  ApplyLooks();
}

void TFocusRing::Show() {
  std::vector<const void*> order = Order();
  if (order.empty()) return;
  if (std::find(order.begin(), order.end(), current_) == order.end()) {
    bool useDefault = std::find(order.begin(), order.end(), default_) != order.end();
    const void* back = Marked(comeBack_, order);
    current_ = back ? back : useDefault ? default_ : order.front();
  }
  comeBack_ = TMark();
  shown_ = 1;
}

void TFocusRing::Move(int by) {
  std::vector<const void*> order = Order();
  if (order.empty()) return;
  auto at = std::find(order.begin(), order.end(), current_);
  if (at == order.end()) {
    Show();
    return;
  }
  int n = int(order.size());
  int index = (int(at - order.begin()) + by + n) % n;
  current_ = order[size_t(index)];
}

// The looks follow the focus: exactly the focused control shows it, and only
// while the focus shows. A control that left the ring keeps no focus look.
void TFocusRing::ApplyLooks() {
  const void* look = shown_ ? current_ : nullptr;
  if (look == looked_) return;
  for (const TEntry& entry : entries_) {
    if (entry.Item) {
      if (entry.Item == looked_) entry.Item->SetFocused(false);
      continue;
    }
    auto unlook = [&](TButton* button) {
      if (button == looked_) button->Focused = 0;
    };
    if (entry.Button) unlook(entry.Button);
    if (entry.Menu) {
      for (const auto& button : entry.Menu->Buttons) unlook(button.get());
    }
  }
  looked_ = look;
  if (TFocusItem* item = CurrentItem(); item && look) item->SetFocused(true);
  if (TButton* button = CurrentButton(); button && look) button->Focused = 1;
}

// The press is read before the buttons take it, on the step it comes. The
// focus itself stays where the keys left it (a list keeps the arrows).
void TFocusRing::FollowPointerPress(const std::vector<const void*>& order) {
  if (Game->Mouse.mh <= 0) return;
  for (const void* control : order) {
    TButton* button = ButtonOf(control);
    if (button && button->UnderPointer()) Remember(order, control);
  }
}

// Select (Space) is an Accept for every focused control.
bool TFocusRing::OfferToCurrent(TNavCommand command) {
  if (command == TNavCommand::Select) command = TNavCommand::Accept;
  if (TFocusItem* item = CurrentItem()) return item->FocusCommand(command);
  if (command != TNavCommand::Accept) return false;
  TButton* button = CurrentButton();
  if (!button) return false;
  button->FocusClick = 1;
  return true;
}

int TFocusRing::Manage() {
  std::vector<const void*> order = Order();
  if (!InputMode.Keys()) {
    Hide();
    FollowPointerPress(order);
  } else if (!shown_ && InputMode.KeysBefore()) {
    // Come up (or back) after a command: the focus shows at once.
    Show();
  }
  // The focused control may have gone (dropped from its menu, disabled).
  if (shown_ && std::find(order.begin(), order.end(), current_) == order.end()) {
    shown_ = 0;
    Show();
  }
  static constexpr TNavCommand kCommands[] = {
      TNavCommand::Up,        TNavCommand::Down,   TNavCommand::Left,     TNavCommand::Right,
      TNavCommand::Accept,    TNavCommand::Select, TNavCommand::Back,     TNavCommand::FocusNext,
      TNavCommand::FocusPrev, TNavCommand::PageUp, TNavCommand::PageDown, TNavCommand::Home,
      TNavCommand::End,       TNavCommand::Erase};
  int used = 0;
  for (TNavCommand command : kCommands) {
    if (!NavInput.Peek(command)) continue;
    if (!shown_) {
      // Until the focus shows, Accept and Back keep their plain meaning (the
      // OK button, Escape) and the page keys go to whoever turns pages; a
      // move first shows the focus where it stands (the board cursor appears
      // under the pointer), without moving it.
      if (order.empty() || !MovesFocus(command)) continue;
      NavInput.Hit(command);
      Show();
      ApplyLooks();
      if (TFocusItem* item = CurrentItem(); item && item->TakesFirstCommand()) {
        item->FocusCommand(command);
      }
      used = 1;
      continue;
    }
    if (OfferToCurrent(command)) {
      NavInput.Hit(command);
      used = 1;
      continue;
    }
    int by = 0;
    switch (command) {
      case TNavCommand::Down:
      case TNavCommand::Right:
      case TNavCommand::FocusNext:
        by = 1;
        break;
      case TNavCommand::Up:
      case TNavCommand::Left:
      case TNavCommand::FocusPrev:
        by = -1;
        break;
      default:
        break;
    }
    if (by == 0) continue;
    NavInput.Hit(command);
    Move(by);
    used = 1;
  }
  ApplyLooks();
  if (shown_) Remember(order, current_);
  return used;
}
