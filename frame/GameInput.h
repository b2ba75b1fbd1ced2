// The framework key state: key-down and key-hit tables (Windows virtual-key
// codes 0..255) and a ring of typed characters, fed once per logic step from
// the window's events. Modal loops outside the main loop switch to polled
// mode, in which every query goes straight to the platform.
#pragma once

#include "Platform.h"

class TMousePointer;

int GameKeyDown(int key);
int GameKeyHit(int key);
int GameGetChar();
// Lowest key code with exactly one pending hit, -1 when none; not consumed.
int GameFirstKeyHit();
int GameAnyKeyHit();
void GameFlushKeys();
void GameFlushMouse();

void UseEventInput();
void UsePolledInput();
int GameInputPolled();  // 1 in polled mode

// Applies one window event to the tables and to the pointer (which may be
// null for key-only use).
void GameInputFeed(const plat::TEvent& event, TMousePointer* mouse);

// A key or mouse button was hit since the last query, by the platform's
// polled state (modal loops outside the main loop).
int PolledAnyHit();

// Number of typed characters the ring holds unread (at most 256).
int GameCharsPending();
