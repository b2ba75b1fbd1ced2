#include "TTimeBar.h"

#include <algorithm>

#include "GameResources.h"
#include "TImageBank.h"
#include "TextDraw.h"

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

void TTimeBar::Draw(const TTimeLimit& limit, int x, int y) const {
  if (!limit.Active()) return;
  const bool urgent = limit.Urgent();
  if (back_) plat::DrawImage(*back_, x, y);
  const plat::TImagePtr& fill = urgent && urgent_ ? urgent_ : fill_;
  if (fill) {
    const int width = plat::ImageWidth(*fill), height = plat::ImageHeight(*fill);
    const int shown = int((long long)width * limit.Remaining() / limit.LimitMs);
    if (shown > 0) {
      plat::DrawSubImageRect(*fill, x - width / 2, y - height / 2, shown, height, 0, 0, shown,
                             height);
    }
  }
  if (plat::TFontPtr font = GameFont(TextSize)) {
    plat::SetImageFont(font);
    // The time left turns to embers with the bar.
    if (urgent) {
      plat::SetColor(255, 170, 140);
    } else {
      plat::SetColor(255, 255, 255);
    }
    DrawTextLine(TimeText(limit.Remaining()), float(x), float(y - TextAbove), TextOutline, 1, 1);
    plat::SetColor(255, 255, 255);
  }
}
