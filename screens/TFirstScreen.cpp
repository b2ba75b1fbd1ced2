#include "TFirstScreen.h"

#include <string>

#include "GameResources.h"
#include "Globals.h"
#include "TImageBank.h"
#include "TTalvorineGame.h"

namespace {

const char* const kTitle = "Gleamstrand";
constexpr float kJewelY = 330;
constexpr float kJewelGap = 100;

// A burst is over once every live emitter has let its last spark die.
bool BurstDone(const TSmashParticleFX& burst) {
  for (const TEmitter& e : burst.Emitter) {
    if (e.RenderType != TEmitter::RENDER_OFF && !e.Finished()) return false;
  }
  return true;
}

}  // namespace

void TFirstScreen::Load() {
  // The archive's menu background, drawn by the base screen.
  Image = InterfaceImageBank ? InterfaceImageBank->FindTImage("titlescreen") : nullptr;
  for (int i = 0; i < JEWELS; ++i) {
    Jewels[i] = CellImageBank ? CellImageBank->FindTImage("cell" + std::to_string(i + 1)) : nullptr;
  }
  // The two bursts of the board: a normal and a marble cell.
  for (int i = 0; i < 2; ++i) {
    std::string file = Game->DataPrefix + "data/resources/score" + std::to_string(i + 1) + ".par";
    Effects[i] = TSmashParticleFX::Load("littleendian::" + file, 0);
  }
  BurstSteps = Game->CalcAnimLength(BURST_MS);
}

void TFirstScreen::Start() {
  TScreen::Start();
  SinceBurst = 0;
  Undrawn = 0;
  Game->GameFade.Init(DefaultFadeLength, 0, nullptr, 0, 0);
  // The two tracks take turns from here on (the main loop rotates them).
  MusicStarted = 1;
  MusicRotate(1);
}

float TFirstScreen::JewelX(int index) const {
  return float(ScreenWidth) / 2 + (float(index) - (JEWELS - 1) / 2.0f) * kJewelGap;
}

void TFirstScreen::StartBurst() {
  int jewel = BurstsStarted % JEWELS;
  const auto& effect = Effects[BurstsStarted % 2];
  ++BurstsStarted;
  if (!effect) return;
  auto burst = TSmashParticleFX::DuplicateFrom(*effect);
  burst->MoveTo(JewelX(jewel), kJewelY);
  Bursts.push_back(std::move(burst));
}

void TFirstScreen::Logic() {
  TScreen::Logic();
  SinceBurst += LogicDelta;
  Undrawn += LogicDelta;
  if (SinceBurst >= BurstSteps) {
    SinceBurst -= BurstSteps;
    StartBurst();
  }
}

void TFirstScreen::Draw() {
  TScreen::Draw();
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(255, 255, 255);
  plat::SetAlpha(1);
  if (auto font = GameFont(34)) {
    plat::SetImageFont(font);
    plat::DrawText(kTitle, (ScreenWidth - plat::TextWidth(kTitle)) / 2, 150);
  }
  for (int i = 0; i < JEWELS; ++i) {
    if (Jewels[i]) plat::DrawImage(*Jewels[i], JewelX(i), kJewelY);
  }
  // Sparks move by the logic time since the last frame, as on the board.
  for (auto& burst : Bursts) burst->Render(Undrawn, 1);
  Undrawn = 0;
  std::erase_if(Bursts, [](const auto& burst) { return BurstDone(*burst); });
  plat::SetBlend(plat::SOLIDBLEND);
}

void TFirstScreen::Kill() {
  TScreen::Kill();
  Bursts.clear();
  for (auto& effect : Effects) effect.reset();
  for (auto& jewel : Jewels) jewel.reset();
}
