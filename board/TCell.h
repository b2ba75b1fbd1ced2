// One jewel position of a board: the jewel lying there (colour 1..6, 0 for
// none) with its running fall, fades, score mark, burst and selection glow.
#pragma once

#include <memory>

#include "Platform.h"
#include "TAnimation.h"
#include "TGlow.h"
#include "TLinePosition.h"

class TCellBox;
class TLayoutCell;
class TSmashParticleFX;

class TCell {
 public:
  static std::shared_ptr<TCell> Create(int x, int y, int contents);
  // A copy owned by `board`. The running fall, fades, score mark and burst
  // are the same objects as the source's; the glow is a fresh one.
  std::shared_ptr<TCell> Clone(TCellBox* board) const;

  void SetContents(int n);
  void ClearContents();
  int GetCalculatedX() const;
  int GetCalculatedY() const;
  TLayoutCell& LayoutCell() const;
  void Draw() const;

  // One logic step of the cell's own animations.
  void Manage();
  // Continues a running fall or starts a new one (diagonal 1: also sideways).
  void CheckCellMoveDown(int diagonal);
  // Moves the jewel of `from` into `to`, which owns it during the fall.
  static void CheckCellMoveDownSwitch(TCell& from, TCell& to);
  void CheckEmptyTopRow();
  bool IsCellBelowEmpty() const;
  bool IsCellBelowLeftEmpty() const;
  bool IsCellBelowRightEmpty() const;
  bool IsCellBelowEmptyTopRow() const;
  bool IsCellInAnimation() const { return MoveLine != nullptr; }
  // No fall, no fade-in and no fade-out running.
  bool IsSettled() const { return !MoveLine && !AppearAnimation && !DestroyAnimation; }
  bool HasJewel() const { return Contents != 0; }

  void SetMarked();
  void ClearMarked();
  void StartDestroyAnimation();
  void ClearMatchedCell();
  void ClearBonus();
  void ClearChain();

  TCellBox* CellBox = nullptr;
  int RotationDegree = 0;
  int CurrentRotationDegree = 0;
  int X = 0, Y = 0;
  int ArrayX = 0, ArrayY = 0;
  int Contents = 0;
  plat::TImagePtr ContentsImage;
  std::unique_ptr<TGlow> Glow;
  std::shared_ptr<TLinePosition> MoveLine;
  std::shared_ptr<TAnimation> AppearAnimation;
  std::shared_ptr<TAnimation> DestroyAnimation;
  std::shared_ptr<TLinePosition> ScorePosition;
  std::shared_ptr<TSmashParticleFX> Particle;
  int ScoreType = 0;
  int HasSetContents = 0;

 private:
  bool IsEmptyPlayingCell(int x, int y) const;
  void StepFall();
  void StepFades();
  void DrawJewel() const;
  void DrawScoreMark() const;
  void RenderParticle() const;
};
