#include "Globals.h"

#include <cstdio>
#include <vector>

#include "GameInput.h"
#include "Platform.h"

int ScreenWidth = 800;
int ScreenHeight = 600;
int DefaultFadeLength = 500;
float LogicDelta = 0;
int FlipSync = 1;
int StartupStage = 0;
int LoadStartTime = 0;
int ErrorsOnScreen = 1;
int ErrorLogOn = 1;
int FailureReported = 0;
std::string SharedDataPath;

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string DateText(const plat::TDateTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d %s %04d", t.day, kMonths[(t.month + 11) % 12], t.year);
  return text;
}

std::string TimeText(const plat::TDateTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return text;
}

// Greedy word wrap by the current font's widths.
std::vector<std::string> WrapText(const std::string& text, double width) {
  std::vector<std::string> lines;
  std::string line, word;
  auto flushWord = [&]() {
    if (word.empty()) return;
    std::string candidate = line.empty() ? word : line + " " + word;
    if (!line.empty() && plat::TextWidth(candidate) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = candidate;
    }
    word.clear();
  };
  for (char c : text) {
    if (c == ' ' || c == '\n') {
      flushWord();
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      }
    } else if (c != '\r') {
      word.push_back(c);
    }
  }
  flushWord();
  if (!line.empty()) lines.push_back(line);
  return lines;
}

void DrawErrorBox(const std::vector<std::string>& lines) {
  const int w = 600, h = 100;
  const int x = (ScreenWidth - w) / 2, y = (ScreenHeight - h) / 2;
  plat::SetBlend(plat::SOLIDBLEND);
  plat::SetAlpha(1);
  plat::SetColor(0, 0, 0);
  plat::DrawRect(x + 4, y + 4, w, h);
  plat::SetColor(150, 150, 150);
  plat::DrawRect(x, y, w, h);
  plat::SetColor(220, 220, 200);
  plat::DrawRect(x, y, w, h, false);
  plat::SetColor(0, 220, 220);
  double lineHeight = plat::TextHeight("Ay");
  for (size_t i = 0; i < lines.size(); ++i)
    plat::DrawText(lines[i], x + 10, y + 8 + i * lineHeight);
  plat::SetColor(0, 220, 0);
  const std::string prompt = "<press any key>";
  plat::DrawText(prompt, x + (w - plat::TextWidth(prompt)) / 2, y + h - lineHeight - 6);
  plat::SetColor(255, 255, 255);
}

// The message drawn inside the display until a key or button is pressed.
void ShowInDisplay(const std::string& message) {
  int wasPolled = GameInputPolled();
  UsePolledInput();
  plat::FlushKeys();
  plat::FlushMouse();
  std::vector<std::string> lines = WrapText(message, 580);
  while (true) {
    plat::PollSystem();
    if (PolledAnyHit()) break;
    DrawErrorBox(lines);
    plat::Flip(1);
  }
  if (!wasPolled) UseEventInput();
}

}  // namespace

std::string ErrorLogText(const std::string& message) {
  plat::TDateTime now = plat::LocalDateTime();
  return "Date: " + DateText(now) + "\r\nTime: " + TimeText(now) + "\r\n" + message + "\r\n";
}

void ReportError(const std::string& message, int fatal) {
  // Without an open (real) display there is nowhere to draw the box.
  if (ErrorsOnScreen == 1 && plat::GraphicsOpen() && !plat::IsHeadless()) {
    ShowInDisplay(message);
  } else {
    plat::ShowMessage("Gleamstrand", message);
  }
  if (ErrorLogOn) {
    if (plat::TStreamPtr log = plat::WriteFileAtomic(SharedDataPath + "ErrorLog.txt")) {
      log->WriteString(ErrorLogText(message));
      log->Close();
    }
  }
  if (fatal) throw TFatalError(message);
}

std::string ExceptionMessage(const std::string& text, bool withStage) {
  if (!withStage || StartupStage == 0) return text;
  // Built by appending: GCC 12 at -O3 warns falsely on "(" + std::string.
  std::string message = "(";
  message += std::to_string(StartupStage);
  message += ") ";
  message += text;
  return message;
}

void ReportException(const std::string& text, bool withStage) {
  FailureReported = 1;
  plat::EndGraphics();
  plat::ShowMouse();
  plat::ShowMessage("Gleamstrand", ExceptionMessage(text, withStage));
}

void ReportException(const std::exception& e) { ReportException(e.what(), true); }
