#include "TBotHands.h"

#include <algorithm>
#include <vector>

#include "BoardGrid.h"
#include "Pad.h"
#include "TButton.h"
#include "TCellBox.h"
#include "TGamePad.h"

const TBotPace& TBotPace::For(bool headless) {
  static constexpr TBotPace Headless{0, 1, 0, 4, 0};
  static constexpr TBotPace Window{50, 6, 80, 20, 1000};
  return headless ? Headless : Window;
}

void TBotHands::Post(int afterSteps, plat::TEvent event) {
  long long at = std::max(queueEnd_, step_) + afterSteps;
  queueEnd_ = at;
  events_.push_back({at, event});
}

void TBotHands::ClickAt(int x, int y) {
  plat::TEvent move{plat::EVENT_MOUSEMOVE, 0, x, y};
  if (pace_.Glide > 0) {
    // A straight glide, one pointer position a step.
    for (int i = 1; i < pace_.Glide; ++i) {
      move.x = pointerX_ + (x - pointerX_) * i / pace_.Glide;
      move.y = pointerY_ + (y - pointerY_) * i / pace_.Glide;
      Post(1, move);
    }
    move.x = x;
    move.y = y;
  }
  Post(1, move);
  Post(0, {plat::EVENT_MOUSEDOWN, 1, 0, 0});
  Post(pace_.Hold, {plat::EVENT_MOUSEUP, 1, 0, 0});
  pointerX_ = x;
  pointerY_ = y;
}

void TBotHands::ClickButton(const TButton& button) {
  ClickAt(int(button.x) + button.w / 2, int(button.y) + button.h / 2);
}

void TBotHands::Press(TNavCommand command) {
  // In a window the commands come at the pace of a pointer's glide.
  if (Pad) {
    // A pad player moves the focus with the D-pad and picks with A.
    if (command == TNavCommand::FocusNext) command = TNavCommand::Right;
    if (command == TNavCommand::Select) command = TNavCommand::Accept;
    // A pad reports its state, so its button stays down for a step at least.
    const int button = TGamePad::ButtonFor(command);
    Post(pace_.Glide / 2 + 1, {plat::EVENT_PADDOWN, button, 0, 0});
    Post(std::max(1, pace_.Hold), {plat::EVENT_PADUP, button, 0, 0});
    return;
  }
  const int key = TNavInput::KeyFor(command);
  Post(pace_.Glide / 2 + 1, {plat::EVENT_KEYDOWN, key, 0, 0});
  Post(pace_.Hold, {plat::EVENT_KEYUP, key, 0, 0});
}

// The shortest run of arrows over the cursor's own moves (it skips the cells
// that are not part of the board), found breadth first.
bool TBotHands::KeyMove(const TCellBox& board, const TAutoPlayMove& move) {
  TBoardCursor cursor = board.Cursor;
  constexpr int W = board::GridWidth, H = board::GridHeight;
  struct TArrow {
    TNavCommand Command;
    int Dx, Dy;
  };
  const TArrow arrows[] = {{TNavCommand::Left, -1, 0},
                           {TNavCommand::Right, 1, 0},
                           {TNavCommand::Up, 0, -1},
                           {TNavCommand::Down, 0, 1}};
  std::vector<int> from(W * H, -1);
  std::vector<TNavCommand> step(W * H, TNavCommand::Count);
  std::deque<int> open{cursor.X * H + cursor.Y};
  from[size_t(open.front())] = open.front();
  while (!open.empty()) {
    int at = open.front();
    open.pop_front();
    for (const TArrow& arrow : arrows) {
      cursor.X = at / H;
      cursor.Y = at % H;
      if (!cursor.Move(arrow.Dx, arrow.Dy)) continue;
      int to = cursor.X * H + cursor.Y;
      if (from[size_t(to)] >= 0) continue;
      from[size_t(to)] = at;
      step[size_t(to)] = arrow.Command;
      open.push_back(to);
    }
  }
  int target = move.X1 * H + move.Y1;
  if (from[size_t(target)] < 0) return false;
  std::vector<TNavCommand> path;
  for (int at = target; at != from[size_t(at)]; at = from[size_t(at)])
    path.push_back(step[size_t(at)]);
  for (auto it = path.rbegin(); it != path.rend(); ++it) Press(*it);
  Press(TNavCommand::Select);
  for (const TArrow& arrow : arrows) {
    if (move.X1 + arrow.Dx == move.X2 && move.Y1 + arrow.Dy == move.Y2) Press(arrow.Command);
  }
  return true;
}

void TBotHands::FlushDue(long long step) {
  while (!events_.empty() && events_.front().Step <= step) {
    const plat::TEvent& event = events_.front().Event;
    // The pad's presses go to the virtual pad, which reports them itself.
    if (plat::IsPadEvent(event.kind)) {
      plat::SetVirtualPadButton(event.data, event.kind == plat::EVENT_PADDOWN);
    } else {
      plat::PostEvent(event);
    }
    events_.pop_front();
  }
}
