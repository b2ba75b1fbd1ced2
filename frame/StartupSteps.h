// The start-up sequence and the exit. The steps that load resources are
// separate functions so that each can grow on its own.
#pragma once

#include <functional>
#include <string>

#include "CommandLine.h"

class TScreen;

// What the command line asks of this run.
extern TRunOptions RunOptions;

// Steps that belong to higher layers (high scores, the game screen's
// state, the first screen). The program installs them before GameSetup; an
// empty hook is skipped.
struct TStartupHooks {
  // Brings the player files to a whole state (an interrupted rename).
  std::function<void()> FinishPlayerFiles;
  std::function<void()> LoadHighScores;
  std::function<void()> CreateGameState;
  // The screen shown once loading has finished, owned by the screens layer;
  // without it (or when it gives null) a plain black screen stands in.
  std::function<TScreen*()> FirstScreen;
};
extern TStartupHooks StartupHooks;

// Seeds the random source: the --seed value, else the clock.
void SeedRandom();

// Part of GameSetup, in order.
void LoadParticlesImage();  // ImagePath + "particles.png" for the particle effects
// The run's language (TLanguage::Choose), then "gametext.txt" in it.
void LoadGameText();
// 1 when "data/resources/data.pak" exists; otherwise reports the game text
// "Data Pak Error" and returns 0 (the caller then exits in order).
int CheckDataPak();
void CreateArchiveManager();
void LoadFonts();  // "calibri.ttf" at 12, 14, 16, 18, 20, 25 and 34
void SetBankPaths();
void LoadHighScores();  // after the player files are made whole
void ShowMakerSplash(int withSound, int withBackground);
void LoadResources();      // pointer, banks, paused picture, loading screen
void CreateGameState();    // the game screen's state objects
void CreateFirstScreen();  // asks for the first screen (StartupHooks), loads and starts it
TScreen* FirstScreen();    // the first screen once made, else null

// The groups of LoadResources, each ending with one step of the loading bar
// (LoadInterfaceImages ends with one step for all three image banks).
void LoadSounds();
void LoadMusic();
void LoadInterfaceImages();  // the pointer, the three image banks, the paused picture
void LoadScreenImages();     // the archive's nine pictures
// The interface pictures and the paused picture again, in the language
// now current (the other banks hold no words).
void ReloadWordedImages();
// The loading screen, while it exists.
class TVLoadingScreen* GameLoadingScreen();
void ReleaseLoadingScreen();

// Drops the objects the start-up steps made (before the platform closes).
void ReleaseStartupObjects();

// The whole start-up body; throws TFatalError on a fatal report. Returns
// false when the program is to exit in order at once (no resource archive).
bool GameSetup();
// The exit sequence; the caller ends the program with the returned status.
int EndGame();
