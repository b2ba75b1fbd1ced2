#include "TSmashParticleFX.h"

#include <algorithm>
#include <cmath>

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

float Bounded(float value, float lowest, float highest) {
  if (std::isnan(value)) return 0;
  return std::clamp(value, lowest, highest);
}

}  // namespace

TLiveSparks& TLiveSparks::operator=(TLiveSparks&& other) noexcept {
  if (this != &other) {
    Set(0);
    own_ = other.own_;
    other.own_ = 0;
  }
  return *this;
}

void TLiveSparks::Set(size_t count) {
  inAll_ = inAll_ - own_ + count;
  own_ = count;
}

void TSmashParticleFX::BoundSettings() {
  for (TEmitter& e : Emitter) {
    for (float* frames : {&e.EmitterDelay, &e.EmitterDuration, &e.EmissionEachFrame, &e.LifeTime})
      *frames = Bounded(*frames, -MAX_FRAMES, MAX_FRAMES);
    e.EmissionRate = Bounded(e.EmissionRate, -1, MAX_EMISSION_RATE);
    for (float* scale : {&e.LaunchSize, &e.SizeVar, &e.Grow, &e.MinSize, &e.MaxSize})
      *scale = Bounded(*scale, -MAX_SCALE, MAX_SCALE);
    for (float* other : {&e.SpeedX,       &e.SpeedY,        &e.SpeedVarX,       &e.SpeedVarY,
                         &e.Alpha,        &e.AlphaVar,      &e.AlphaChange,     &e.RotationSpeed,
                         &e.RotationVar,  &e.RotationStart, &e.ColorR,          &e.ColorG,
                         &e.ColorB,       &e.ColorChangeR,  &e.ColorChangeG,    &e.ColorChangeB,
                         &e.StartOffsetX, &e.StartOffsetY,  &e.StartOffsetVarX, &e.StartOffsetVarY,
                         &e.GravityX,     &e.GravityY})
      *other = Bounded(*other, -MAX_MAGNITUDE, MAX_MAGNITUDE);
    // An unknown blending is no blending: the emitter stays off.
    if (e.RenderType < TEmitter::RENDER_ALPHA || e.RenderType > TEmitter::RENDER_OFF)
      e.RenderType = TEmitter::RENDER_OFF;
  }
}

void TSmashParticleFX::CountSparks() {
  size_t count = 0;
  for (const TEmitter& e : Emitter) count += e.Particles.size();
  live_.Set(count);
}

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
    CountSparks();
    bool room = live_.Own() < MAX_LIVE_SPARKS && TLiveSparks::InAll() < MAX_LIVE_SPARKS_IN_ALL;
    e.Render(delta, emit && room ? 1 : 0);
    if (LoopFX) e.Loop();
  }
  CountSparks();
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
  CountSparks();
}

bool TSmashParticleFX::IsWithinBounds() const {
  TSmashParticleFX bounded;
  for (int i = 0; i < EMITTER_COUNT; ++i) bounded.Emitter[i].CopySettingsFrom(Emitter[i]);
  bounded.BoundSettings();
  for (int i = 0; i < EMITTER_COUNT; ++i) {
    if (!Emitter[i].SameSettingsAs(bounded.Emitter[i])) return false;
  }
  return true;
}

int TSmashParticleFX::LoadFX(const std::string& source) {
  const std::string path = WithoutStreamPrefix(source);
  plat::TStreamPtr stream = plat::ReadStream(path);
  bool whole = stream && stream->Size() - stream->Pos() == FILE_SIZE;
  if (whole) {
    for (TEmitter& e : Emitter) e.ReadSettings(*stream);
    stream->Close();
    // A value no effect of the game's uses (not a number, out of range)
    // means the file is damaged, not an effect to tame.
    whole = IsWithinBounds();
  }
  if (!whole) {
    // The effects are the game's own data: without them the install is broken.
    SwitchOff(Emitter);
    ReportError("Could not load Particle FX '" + path + "'", 1);
    return 0;
  }
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
