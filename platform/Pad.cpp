// Game controllers through SDL's game-controller interface: pads are opened
// when they appear and closed when they go, and all of them feed one set of
// button and stick tables through the event feed. A virtual joystick stands
// in for a plugged-in pad in tests and scripted runs.
#include "Pad.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <utility>

#include "Internal.h"

namespace plat {

const char* const VirtualPadName = "Gleamstrand Virtual Pad";

using internal::Backend;

namespace {

// pid.codes' vendor for open projects, and a product number of our own.
constexpr Uint16 kVirtualVendor = 0x1209;
constexpr Uint16 kVirtualProduct = 0x6a57;

struct TOpenPad {
  SDL_GameController* controller = nullptr;
  std::array<bool, PAD_BUTTONS> down{};
  std::array<int, PAD_AXES> axes{};
};

struct TPadState {
  bool subsystem = false;  // SDL's game-controller subsystem is ours to quit
  std::map<SDL_JoystickID, TOpenPad> open;
  // The tables of the polled interface: what every pad together reports.
  std::array<bool, PAD_BUTTONS> down{};
  std::array<int, PAD_BUTTONS> hits{};
  std::array<int, PAD_AXES> axes{};
  SDL_Joystick* virtualJoystick = nullptr;
  SDL_JoystickID virtualId = -1;
};

TPadState& Pads() {
  static TPadState state;
  return state;
}

bool ValidButton(int button) { return button >= 0 && button < PAD_BUTTONS; }
bool ValidAxis(int axis) { return axis >= 0 && axis < PAD_AXES; }

void Deliver(TEventKind kind, int data, int x = 0) {
  TEvent e;
  e.kind = kind;
  e.data = data;
  e.x = x;
  internal::DeliverEvent(e);
}

bool MergedDown(int button) {
  return std::any_of(Pads().open.begin(), Pads().open.end(),
                     [button](const auto& pad) { return pad.second.down[size_t(button)]; });
}

// The stick pushed furthest wins, so a resting second pad does not hold
// the first one's stick at zero.
int MergedAxis(int axis) {
  int merged = 0;
  for (const auto& [id, pad] : Pads().open) {
    int value = pad.axes[size_t(axis)];
    if (std::abs(value) > std::abs(merged)) merged = value;
  }
  return merged;
}

// Reports the change of one button or stick when it changes what all pads
// together show.
void Reconcile(int button, int axis) {
  auto& pads = Pads();
  if (ValidButton(button)) {
    bool down = MergedDown(button);
    if (down != pads.down[size_t(button)]) Deliver(down ? EVENT_PADDOWN : EVENT_PADUP, button);
  }
  if (ValidAxis(axis)) {
    int value = MergedAxis(axis);
    if (value != pads.axes[size_t(axis)]) Deliver(EVENT_PADAXIS, axis, value);
  }
}

bool Wanted(int deviceIndex) {
  // Headless runs repeat exactly: a pad on the desk must not join in.
  if (!Backend().headless) return true;
  return Pads().virtualId >= 0 && SDL_JoystickGetDeviceInstanceID(deviceIndex) == Pads().virtualId;
}

void OpenPad(int deviceIndex) {
  if (!Wanted(deviceIndex)) return;
  SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
  if (id < 0 || Pads().open.count(id)) return;
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) return;  // gone again, or not a pad after all: nothing to say
  TOpenPad& pad = Pads().open[id];
  pad.controller = controller;
  Deliver(EVENT_PADADDED, int(Pads().open.size()));
  // A pad plugged in with a button held reports it pressed.
  for (int button = 0; button < PAD_BUTTONS; ++button) {
    pad.down[size_t(button)] =
        SDL_GameControllerGetButton(controller, SDL_GameControllerButton(button)) != 0;
    Reconcile(button, -1);
  }
  for (int axis = 0; axis < PAD_AXES; ++axis) {
    pad.axes[size_t(axis)] = SDL_GameControllerGetAxis(controller, SDL_GameControllerAxis(axis));
    Reconcile(-1, axis);
  }
}

void ClosePad(SDL_JoystickID id) {
  auto& pads = Pads();
  auto found = pads.open.find(id);
  if (found == pads.open.end()) return;
  SDL_GameControllerClose(found->second.controller);
  pads.open.erase(found);
  // What the pad held is let go, whether or not SDL said so first.
  for (int button = 0; button < PAD_BUTTONS; ++button) Reconcile(button, -1);
  for (int axis = 0; axis < PAD_AXES; ++axis) Reconcile(-1, axis);
  Deliver(EVENT_PADREMOVED, int(pads.open.size()));
}

TOpenPad* PadOf(SDL_JoystickID id) {
  auto found = Pads().open.find(id);
  return found == Pads().open.end() ? nullptr : &found->second;
}

int VirtualDeviceIndex() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == Pads().virtualId) return i;
  }
  return -1;
}

const std::pair<const char*, int> kButtonNames[] = {
    {"a", PAD_A},
    {"b", PAD_B},
    {"x", PAD_X},
    {"y", PAD_Y},
    {"back", PAD_BACK},
    {"select", PAD_BACK},
    {"guide", PAD_GUIDE},
    {"start", PAD_START},
    {"leftstick", PAD_LEFTSTICK},
    {"rightstick", PAD_RIGHTSTICK},
    {"leftshoulder", PAD_LEFTSHOULDER},
    {"lb", PAD_LEFTSHOULDER},
    {"rightshoulder", PAD_RIGHTSHOULDER},
    {"rb", PAD_RIGHTSHOULDER},
    {"up", PAD_UP},
    {"dpup", PAD_UP},
    {"down", PAD_DOWN},
    {"dpdown", PAD_DOWN},
    {"left", PAD_LEFT},
    {"dpleft", PAD_LEFT},
    {"right", PAD_RIGHT},
    {"dpright", PAD_RIGHT},
};

const std::pair<const char*, int> kAxisNames[] = {
    {"leftx", PAD_LEFTX},
    {"lefty", PAD_LEFTY},
    {"rightx", PAD_RIGHTX},
    {"righty", PAD_RIGHTY},
    {"lefttrigger", PAD_LEFTTRIGGER},
    {"righttrigger", PAD_RIGHTTRIGGER},
};

int Lookup(const std::pair<const char*, int>* table, size_t size, const std::string& name) {
  std::string lower = name;
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  for (size_t i = 0; i < size; ++i) {
    if (lower == table[i].first) return table[i].second;
  }
  return -1;
}

}  // namespace

// ---------------------------------------------------------------- internals

namespace internal {

bool StartPads() {
  auto& pads = Pads();
  if (pads.subsystem) return true;
  // Reads SDL_GAMECONTROLLERCONFIG (and _FILE) beside SDL's own mappings.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  pads.subsystem = true;
  return true;
}

void StopPads() {
  auto& pads = Pads();
  for (auto& [id, pad] : pads.open) SDL_GameControllerClose(pad.controller);
  pads.open.clear();
  if (pads.virtualJoystick) SDL_JoystickClose(pads.virtualJoystick);
  if (pads.virtualId >= 0 && VirtualDeviceIndex() >= 0)
    SDL_JoystickDetachVirtual(VirtualDeviceIndex());
  if (pads.subsystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  pads = TPadState{};
}

void PumpPads() {
  if (!Pads().subsystem) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) TranslateSdlEvent(event);
}

bool TranslatePadEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      OpenPad(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      ClosePad(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (TOpenPad* pad = PadOf(event.cbutton.which); pad && ValidButton(event.cbutton.button)) {
        pad->down[event.cbutton.button] = event.type == SDL_CONTROLLERBUTTONDOWN;
        Reconcile(event.cbutton.button, -1);
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (TOpenPad* pad = PadOf(event.caxis.which); pad && ValidAxis(event.caxis.axis)) {
        pad->axes[event.caxis.axis] = event.caxis.value;
        Reconcile(-1, event.caxis.axis);
      }
      return true;
    default:
      return false;
  }
}

void UpdatePadTables(const TEvent& e) {
  auto& pads = Pads();
  if ((e.kind == EVENT_PADDOWN || e.kind == EVENT_PADUP) && ValidButton(e.data)) {
    pads.down[size_t(e.data)] = e.kind == EVENT_PADDOWN;
    if (e.kind == EVENT_PADDOWN) ++pads.hits[size_t(e.data)];
  } else if (e.kind == EVENT_PADAXIS && ValidAxis(e.data)) {
    pads.axes[size_t(e.data)] = std::clamp(e.x, -32768, 32767);
  }
}

}  // namespace internal

// ---------------------------------------------------------------- polled

int PadCount() { return int(Pads().open.size()); }

bool PadButtonDown(int button) { return ValidButton(button) && Pads().down[size_t(button)]; }

int PadButtonHit(int button) {
  if (!ValidButton(button)) return 0;
  return std::exchange(Pads().hits[size_t(button)], 0);
}

int PadAxis(int axis) { return ValidAxis(axis) ? Pads().axes[size_t(axis)] : 0; }

void FlushPad() { Pads().hits.fill(0); }

int PadButtonOfName(const std::string& name) {
  return Lookup(kButtonNames, std::size(kButtonNames), name);
}

int PadAxisOfName(const std::string& name) {
  return Lookup(kAxisNames, std::size(kAxisNames), name);
}

// ---------------------------------------------------------------- virtual pad

bool AttachVirtualPad(bool raw) {
  auto& pads = Pads();
  if (pads.virtualId >= 0) return true;
  if (!internal::StartPads()) return false;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = Uint16(raw ? SDL_JOYSTICK_TYPE_UNKNOWN : SDL_JOYSTICK_TYPE_GAMECONTROLLER);
  desc.naxes = PAD_AXES;
  desc.nbuttons = PAD_BUTTONS;
  desc.vendor_id = kVirtualVendor;
  desc.product_id = kVirtualProduct;
  desc.name = VirtualPadName;
  int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return false;
  pads.virtualId = SDL_JoystickGetDeviceInstanceID(index);
  // Our own handle sets its buttons and sticks; the game's opens as a pad.
  pads.virtualJoystick = SDL_JoystickOpen(index);
  if (!pads.virtualJoystick) {
    SDL_JoystickDetachVirtual(index);
    pads.virtualId = -1;
    return false;
  }
  return true;
}

bool DetachVirtualPad() {
  auto& pads = Pads();
  int index = VirtualDeviceIndex();
  if (pads.virtualId < 0 || index < 0) return false;
  SDL_JoystickClose(pads.virtualJoystick);
  pads.virtualJoystick = nullptr;
  bool detached = SDL_JoystickDetachVirtual(index) == 0;
  pads.virtualId = -1;
  return detached;
}

bool VirtualPadAttached() { return Pads().virtualId >= 0; }

void SetVirtualPadButton(int button, bool down) {
  if (Pads().virtualJoystick && ValidButton(button)) {
    SDL_JoystickSetVirtualButton(Pads().virtualJoystick, button, down ? 1 : 0);
  }
}

void SetVirtualPadAxis(int axis, int value) {
  if (Pads().virtualJoystick && ValidAxis(axis)) {
    SDL_JoystickSetVirtualAxis(Pads().virtualJoystick, axis,
                               Sint16(std::clamp(value, -32768, 32767)));
  }
}

std::string VirtualPadGuid() {
  if (!Pads().virtualJoystick) return "";
  char text[64] = {};
  SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(Pads().virtualJoystick), text, sizeof text);
  return text;
}

}  // namespace plat
