#include "TFrameLog.h"

#include <cstdio>

bool TFrameLog::Open(const std::string& path) {
  file_ = plat::WriteFile(path);
  if (!file_) return false;
  file_->WriteString(std::string("# frame step time_ms duration_ms kind\n"));
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
  char line[96];
  std::snprintf(line, sizeof line, "%lld %lld %.3f %.3f %s\n", ++frames_, step, time, duration,
                change == plat::FRAME_CHANGED   ? "changed"
                : change == plat::FRAME_AMBIENT ? "ambient"
                                                : "same");
  file_->WriteString(std::string(line));
}
