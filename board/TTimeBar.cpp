#include "TTimeBar.h"

#include <algorithm>

#include "GameResources.h"
#include "TImageBank.h"
#include "TModeText.h"

namespace {

plat::TImagePtr InterfaceImage(const char* name) {
  return InterfaceImageBank ? InterfaceImageBank->FindTImage(name) : nullptr;
}

int SecondsUp(int ms) { return (std::max(ms, 0) + 999) / 1000; }

}  // namespace

TTimeBar::TTimeBar()
    : back_(InterfaceImage("timebar")),
      fill_(InterfaceImage("timebarfill")),
      urgent_(InterfaceImage("timebarurgent")) {}

std::string TTimeBar::TimeText(int remainingMs) {
  const int seconds = SecondsUp(remainingMs);
  const int s = seconds % 60;
  return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

bool TTimeBar::Manage(const TTimeLimit& limit) {
  if (!limit.Urgent() || limit.Expired()) return false;
  const int second = SecondsUp(limit.Remaining());
  if (second == lastTickSecond_) return false;
  lastTickSecond_ = second;
  return true;
}

void TTimeBar::Draw(const TTimeLimit& limit) const {
  if (!limit.Active()) return;
  const bool urgent = limit.Urgent();
  if (back_) plat::DrawImage(*back_, X, Y);
  const plat::TImagePtr& fill = urgent && urgent_ ? urgent_ : fill_;
  if (fill) {
    const int width = plat::ImageWidth(*fill), height = plat::ImageHeight(*fill);
    const int shown = int((long long)width * limit.Remaining() / limit.LimitMs);
    if (shown > 0) {
      plat::DrawSubImageRect(*fill, X - width / 2, Y - height / 2, shown, height, 0, 0, shown,
                             height);
    }
  }
  modetext::DrawCentredAt(TimeText(limit.Remaining()), float(X), float(Y - TextAbove), TextSize);
}
