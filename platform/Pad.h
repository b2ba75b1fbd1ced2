// Game controllers: the buttons and sticks of SDL's game-controller layout,
// their events in the platform's feed, the polled tables, and a virtual pad
// for tests and scripted runs. Kept apart from Platform.h, which every
// source includes.
#pragma once

#include <string>

#include "Platform.h"

namespace plat {

// The feed's pad events follow the window's (TEventKind leaves room up to 15).
constexpr TEventKind EVENT_PADDOWN = TEventKind(EVENT_APPTERMINATE + 1);  // data: TPadButton
constexpr TEventKind EVENT_PADUP = TEventKind(EVENT_APPTERMINATE + 2);    // data: TPadButton
constexpr TEventKind EVENT_PADAXIS =
    TEventKind(EVENT_APPTERMINATE + 3);  // data: TPadAxis, x: -32768..32767
constexpr TEventKind EVENT_PADADDED = TEventKind(EVENT_APPTERMINATE + 4);  // data: pads open now
constexpr TEventKind EVENT_PADREMOVED =
    TEventKind(EVENT_APPTERMINATE + 5);  // data: pads still open

inline bool IsPadEvent(TEventKind kind) {
  return kind >= EVENT_PADDOWN && kind <= EVENT_PADREMOVED;
}

// Buttons and sticks by the names of SDL's game-controller layout (an Xbox
// pad: A below, B right, X left, Y above). Every open pad feeds the same
// tables: two pads act as one.
enum TPadButton {
  PAD_A,
  PAD_B,
  PAD_X,
  PAD_Y,
  PAD_BACK,
  PAD_GUIDE,
  PAD_START,
  PAD_LEFTSTICK,
  PAD_RIGHTSTICK,
  PAD_LEFTSHOULDER,
  PAD_RIGHTSHOULDER,
  PAD_UP,
  PAD_DOWN,
  PAD_LEFT,
  PAD_RIGHT,
  PAD_BUTTONS
};
enum TPadAxis {
  PAD_LEFTX,
  PAD_LEFTY,
  PAD_RIGHTX,
  PAD_RIGHTY,
  PAD_LEFTTRIGGER,
  PAD_RIGHTTRIGGER,
  PAD_AXES
};

// A windowed backend opens every game controller SDL knows (its own mappings
// and those of SDL_GAMECONTROLLERCONFIG), at start and when plugged in later.
// A headless one sees only its virtual pad, so that runs repeat exactly.
int PadCount();  // pads open now
bool PadButtonDown(int button);
int PadButtonHit(int button);  // presses since the last query
int PadAxis(int axis);         // -32768..32767, 0 when no pad
void FlushPad();               // hits only: a held button stays held
// A button or stick by the name scripts use ("a", "start", "lb", "leftx");
// -1 for an unknown name.
int PadButtonOfName(const std::string& name);
int PadAxisOfName(const std::string& name);

// A virtual pad that SDL's game-controller interface sees like a plugged-in
// one (tests, scripted runs, the autoplay bot). Its changes come through the
// feed at the next PollSystem. raw: a plain joystick without a built-in
// mapping (only SDL_GAMECONTROLLERCONFIG makes it a pad), buttons and axes
// numbered like TPadButton and TPadAxis.
bool AttachVirtualPad(bool raw = false);
bool DetachVirtualPad();
bool VirtualPadAttached();
void SetVirtualPadButton(int button, bool down);
void SetVirtualPadAxis(int axis, int value);
// The virtual pad's joystick GUID, as a mapping line names it; "" when none.
std::string VirtualPadGuid();
// The virtual pad's name, "Gleamstrand Virtual Pad".
extern const char* const VirtualPadName;

}  // namespace plat
