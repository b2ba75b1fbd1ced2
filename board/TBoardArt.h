// The pictures and burst effects a board draws, looked up once by name so
// that the per-step rules never search a bank. A blank set (no pictures, no
// bursts) serves tests and tools that never draw.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "Platform.h"
#include "TWallRule.h"

class TSmashParticleFX;

class TBoardArt {
 public:
  // Finds a picture by name in one bank; a missing name is the bank's fatal error.
  using TImageLookup = std::function<plat::TImagePtr(const std::string& name)>;
  // Loads the burst of a destroyed jewel (score type 1 normal, 2 marble).
  using TBurstLoader = std::function<std::shared_ptr<TSmashParticleFX>(int scoreType)>;

  // From the game's cell, wall and interface banks, with bursts read from the
  // resource folder.
  static std::shared_ptr<const TBoardArt> FromBanks();
  static std::shared_ptr<const TBoardArt> Blank();
  static std::shared_ptr<const TBoardArt> Load(const TImageLookup& cellBank,
                                               const TImageLookup& wallBank,
                                               const TImageLookup& interfaceBank,
                                               TBurstLoader bursts);

  plat::TImagePtr LayoutNormal, LayoutNormalMO, LayoutMarble, LayoutMarbleMO, LayoutChain,
      LayoutCreate, LayoutFill, LayoutEmpty, LayoutMarked, LayoutHint;
  plat::TImagePtr Score1, Score2;

  // "cell1".."cell6"; null for any other colour.
  const plat::TImagePtr& Jewel(int colour) const;
  // Tile and decoration of a wall rule (1..46); null when there is none.
  const plat::TImagePtr& WallTile(int rule) const;
  const plat::TImagePtr& WallDecoration(int rule) const;
  // A freshly loaded burst, or null when the set has none.
  std::shared_ptr<TSmashParticleFX> LoadBurst(int scoreType) const;

 private:
  std::array<plat::TImagePtr, 7> jewels_;
  std::array<plat::TImagePtr, WallRuleCount + 1> tiles_;
  std::array<plat::TImagePtr, WallRuleCount + 1> decorations_;
  TBurstLoader bursts_;
};
