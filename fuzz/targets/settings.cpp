// The settings file as the start-up reads it: the known keys taken from the
// file (which is rewritten at once), then stored into the game's fields.
#include "FuzzTarget.h"
#include "TTalvorineGame.h"

GS_FUZZ_TARGET(settings) {
  FuzzSetUp();
  static TTalvorineGame game;
  FuzzFile("gleamstrand.ini", data, size);
  game.Ini.FileName = FuzzFolder() + "gleamstrand";
  game.IniFill();
  game.Ini.Load();
  game.IniExtract();
  // Every stored number is within its range afterwards.
  if (game.SoundVolume < 0 || game.SoundVolume > 100 || game.Particles < 0 ||
      game.Particles > 100 || game.Fade < 0 || game.Fade > 1)
    __builtin_trap();
  game.IniUpdate(0);
  return 0;
}
