#include "TFrameLog.h"

#include <algorithm>
#include <cstdio>

bool TFrameLog::Open(const std::string& path) {
  file_ = plat::WriteFile(path);
  if (!file_) return false;
  file_->WriteString(std::string("# frame step time_ms duration_ms kind work_ms\n"));
  start_ = last_ = TClock::now();
  presented_ = plat::FramesPresented();
  return !file_->WriteFailed();
}

void TFrameLog::Update(long long presented, long long step, plat::TFrameChange change) {
  if (!file_ || presented == presented_) return;
  presented_ = presented;
  auto now = TClock::now();
  double time = std::chrono::duration<double, std::milli>(now - start_).count();
  double duration = std::chrono::duration<double, std::milli>(now - last_).count();
  last_ = now;
  double work = std::max(0.0, (plat::LastPresentSeconds() - passStart_) * 1000.0);
  char line[128];
  std::snprintf(line, sizeof line, "%lld %lld %.3f %.3f %s %.3f\n", ++frames_, step, time, duration,
                change == plat::FRAME_CHANGED   ? "changed"
                : change == plat::FRAME_AMBIENT ? "ambient"
                                                : "same",
                work);
  file_->WriteString(std::string(line));
}

void TFrameLog::PassStarts() {
  if (!file_) return;
  passStart_ = std::chrono::duration<double>(TClock::now().time_since_epoch()).count();
}
