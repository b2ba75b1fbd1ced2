// Frame-wide values and the error report. Every layer draws in the logical
// ScreenWidth x ScreenHeight display and scales its per-step motion by
// LogicDelta.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

extern int ScreenWidth;             // 800
extern int ScreenHeight;            // 600
extern int DefaultFadeLength;       // ms, screen fades and the Esc fade
extern float LogicDelta;            // time factor of the current logic step
extern int FlipSync;                // sync argument of every flip
extern int StartupStage;            // progress code shown in the crash report
extern int LoadStartTime;           // clock just before resources load
extern int ErrorsOnScreen;          // 1: errors drawn in the display; 0: message box
extern int ErrorLogOn;              // 1: errors also replace "ErrorLog.txt"
extern std::string SharedDataPath;  // folder of "ErrorLog.txt", ends in "/"
// 1 once the run has failed in a way that still ends in order (the crash
// report, a start-up that cannot go on): the exit status is then 1, not 0.
extern int FailureReported;

// A duration in ms as logic steps at the game's current rate (Game's
// CalcAnimLength; nominal 5 ms steps while no game object exists).
float AnimLengthFromMs(float ms);

// A fatal report unwinds to the program's entry with this exception, which
// ends the program without the good-exit marker. Nothing else may catch it.
class TFatalError : public std::runtime_error {
 public:
  explicit TFatalError(const std::string& message) : std::runtime_error(message) {}
};

// Shows the message (display box, message box, or standard error when
// headless), replaces "ErrorLog.txt" when ErrorLogOn, and with fatal != 0
// throws TFatalError.
void ReportError(const std::string& message, int fatal);

// The crash report of the catch-all handler: "(" + StartupStage + ") " +
// text, the prefix left out while StartupStage is 0 or when the thrown
// object was not an exception (withStage false).
void ReportException(const std::exception& e);
void ReportException(const std::string& text, bool withStage);
// The message ReportException shows (without showing it).
std::string ExceptionMessage(const std::string& text, bool withStage);

// Text of the error log: "Date: ...", "Time: ...", the message (CR LF lines).
std::string ErrorLogText(const std::string& message);
