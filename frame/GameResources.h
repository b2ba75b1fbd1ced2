// The program-wide resource objects, filled during start-up: the five banks,
// the archive manager, the game text and the game's face at its sizes.
#pragma once

#include <map>
#include <memory>

#include "Platform.h"

class TImageBank;
class TSoundBank;
class TPakFileManager;
class TGameText;

extern std::shared_ptr<TImageBank> InterfaceImageBank;  // widgets, panels, screen pictures
extern std::shared_ptr<TImageBank> CellImageBank;       // board cells and jewels
extern std::shared_ptr<TImageBank> WallImageBank;       // wall tiles
extern std::shared_ptr<TSoundBank> SoundBank;           // sound effects
extern std::shared_ptr<TSoundBank> MusicBank;           // "music1", "music2"
extern std::shared_ptr<TPakFileManager> PakMan;         // the resource archive's index
extern std::shared_ptr<TGameText> GameText;             // "gametext.txt"
// The strip of nine 128 x 128 frames that every particle effect draws.
extern plat::TImagePtr ParticleFXImage;

// The sizes at which the game's face is loaded.
inline constexpr int GameFontSizes[] = {12, 14, 16, 18, 20, 25, 34};
extern std::map<int, plat::TFontPtr> GameFonts;
// The face at one of GameFontSizes; null for any other size or before loading.
plat::TFontPtr GameFont(int size);

// Empty banks (with the default folders and extensions) when none exist yet.
void CreateBanks();
// Drops every resource object (and the archive's stream hook), so that
// nothing outlives the platform.
void ReleaseGameResources();
