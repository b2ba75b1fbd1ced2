#include "TSmashParticleFX.h"

#include "Globals.h"

namespace {

// Streams are little-endian anyway; callers may still name the prefix.
const std::string kLittleEndianPrefix = "littleendian::";

std::string WithoutStreamPrefix(const std::string& source) {
  if (source.compare(0, kLittleEndianPrefix.size(), kLittleEndianPrefix) == 0) {
    return source.substr(kLittleEndianPrefix.size());
  }
  return source;
}

void SwitchOff(std::array<TEmitter, TSmashParticleFX::EMITTER_COUNT>& emitters) {
  for (TEmitter& e : emitters) e = TEmitter();
}

}  // namespace

std::unique_ptr<TSmashParticleFX> TSmashParticleFX::DuplicateFrom(const TSmashParticleFX& effect) {
  auto copy = std::make_unique<TSmashParticleFX>();
  copy->LoopFX = effect.LoopFX;
  copy->Running = effect.Running;
  for (int i = 0; i < EMITTER_COUNT; ++i) copy->Emitter[i].CopySettingsFrom(effect.Emitter[i]);
  return copy;
}

std::unique_ptr<TSmashParticleFX> TSmashParticleFX::Load(const std::string& source, int loop) {
  auto effect = std::make_unique<TSmashParticleFX>();
  effect->LoadFX(source);
  effect->SetLoop(loop);
  return effect;
}

void TSmashParticleFX::MoveTo(float x, float y) {
  for (TEmitter& e : Emitter) {
    e.X = x;
    e.Y = y;
  }
}

// Each emitter puts back the drawing state it changes.
void TSmashParticleFX::Render(float delta, int emit) {
  if (!Running) return;
  for (TEmitter& e : Emitter) {
    e.Render(delta, emit);
    if (LoopFX) e.Loop();
  }
}

int TSmashParticleFX::Finished() const {
  int done = 0;
  for (const TEmitter& e : Emitter) {
    if (e.Finished() || e.RenderType == TEmitter::RENDER_OFF) ++done;
  }
  // Nine of ten are enough: an effect with one live emitter ends with it.
  return done >= EMITTER_COUNT - 1 ? 1 : 0;
}

void TSmashParticleFX::Restart() {
  for (TEmitter& e : Emitter) e.Frame = 0;
  Running = 1;
}

void TSmashParticleFX::Reset() {
  for (TEmitter& e : Emitter) e.Reset();
}

int TSmashParticleFX::LoadFX(const std::string& source) {
  plat::TStreamPtr stream = plat::ReadStream(WithoutStreamPrefix(source));
  if (!stream || stream->Size() - stream->Pos() < FILE_SIZE) {
    SwitchOff(Emitter);
    ReportError("Could not load Particle FX", 0);
    return 0;
  }
  for (TEmitter& e : Emitter) e.ReadSettings(*stream);
  stream->Close();
  return 1;
}

int TSmashParticleFX::SaveFX(const std::string& destination) const {
  plat::TStreamPtr stream = plat::WriteFileAtomic(WithoutStreamPrefix(destination));
  if (stream) {
    for (const TEmitter& e : Emitter) e.WriteSettings(*stream);
    if (!stream->WriteFailed() && stream->Close()) return 1;
  }
  ReportError("Could not save Particle FX", 0);
  return 0;
}
