#include "TLinePosition.h"

std::shared_ptr<TLinePosition> TLinePosition::Create(int startX, int startY, int endX, int endY,
                                                     int length) {
  auto line = std::make_shared<TLinePosition>();
  line->Start(startX, startY, endX, endY, length);
  return line;
}

void TLinePosition::Start(int startX, int startY, int endX, int endY, int length) {
  StartX = startX;
  StartY = startY;
  EndX = endX;
  EndY = endY;
  Length = length;
  Animation = TAnimation::Create(length, 0, 0, 0);
  Animation->Start();
}

int TLinePosition::Along(int from, int to) const {
  if (!Animation || !Animation->Active) return -1;
  return int(float(from) + float(to - from) * Animation->GetRatioInv());
}

int TLinePosition::GetCurrentX() const { return Along(StartX, EndX); }
int TLinePosition::GetCurrentY() const { return Along(StartY, EndY); }

bool TLinePosition::IsFinished() const { return Animation && !Animation->Active; }

void TLinePosition::Manage() {
  if (Animation) Animation->Manage();
}
