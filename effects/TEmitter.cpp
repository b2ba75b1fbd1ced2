#include "TEmitter.h"

#include <algorithm>
#include <cmath>

namespace {

// Sparks are drawn alone: their chance is not the play's.
float Spread(float range) { return float(plat::DrawRnd(-double(range), double(range))); }

// The drawing state an emitter changes and puts back.
struct TDrawState {
  TDrawState() {
    alpha = plat::GetAlpha();
    plat::GetScale(sx, sy);
    rotation = plat::GetRotation();
    plat::GetColor(r, g, b);
    blend = plat::GetBlend();
  }
  ~TDrawState() {
    plat::SetAlpha(alpha);
    plat::SetScale(sx, sy);
    plat::SetRotation(rotation);
    plat::SetColor(r, g, b);
    plat::SetBlend(blend);
  }
  TDrawState(const TDrawState&) = delete;
  TDrawState& operator=(const TDrawState&) = delete;
  double alpha, sx, sy, rotation;
  int r, g, b, blend;
};

int BlendFor(int renderType) {
  switch (renderType) {
    case TEmitter::RENDER_ADD:
      return plat::LIGHTBLEND;
    case TEmitter::RENDER_MUL:
      return plat::SHADEBLEND;
    default:
      return plat::ALPHABLEND;
  }
}

// A colour channel as a whole byte; anything out of range (or not a number)
// is pinned to the range.
int ColourByte(float v) { return v >= 0 ? (v <= 255 ? int(v) : 255) : 0; }

// Most sparks one emission makes, so that a damaged file cannot exhaust memory.
constexpr float kMaxEmission = 1000;

}  // namespace

// The fields of a particle-effect record, in file order.
const TEmitter::TRecordField TEmitter::kRecord[] = {
    {&TEmitter::EmitterDelay},
    {&TEmitter::EmitterDuration},
    {&TEmitter::EmissionRate},
    {&TEmitter::EmissionEachFrame},
    {&TEmitter::SpeedX},
    {&TEmitter::SpeedY},
    {&TEmitter::SpeedVarX},
    {&TEmitter::SpeedVarY},
    {&TEmitter::SizeVar},
    {&TEmitter::LaunchSize},
    {&TEmitter::Grow},
    {&TEmitter::MinSize},
    {&TEmitter::MaxSize},
    {&TEmitter::Alpha},
    {&TEmitter::AlphaVar},
    {&TEmitter::AlphaChange},
    {&TEmitter::RotationSpeed},
    {&TEmitter::RotationVar},
    {&TEmitter::RotationStart},
    {&TEmitter::StartOffsetX},
    {&TEmitter::StartOffsetY},
    {&TEmitter::StartOffsetVarX},
    {&TEmitter::StartOffsetVarY},
    {&TEmitter::ColorChangeR},
    {&TEmitter::ColorChangeG},
    {&TEmitter::ColorChangeB},
    {&TEmitter::LifeTime},
    {nullptr, &TEmitter::RenderType},
    {nullptr, &TEmitter::Image},
    {&TEmitter::ColorR},
    {&TEmitter::ColorG},
    {&TEmitter::ColorB},
    {&TEmitter::GravityX},
    {&TEmitter::GravityY},
};

void TEmitter::Loop() {
  if (Frame > EmitterDuration + EmitterDelay) Frame = 0;
}

int TEmitter::Finished() const { return Frame > EmitterDuration + EmitterDelay + LifeTime ? 1 : 0; }

bool TEmitter::EmitsThisFrame() const {
  if (std::fmod(float(Frame), EmissionEachFrame) != 0.0f) return false;
  return EmitterDelay <= Frame && Frame <= EmitterDelay + EmitterDuration;
}

void TEmitter::Emit() {
  // The count runs from 0 to the rate inclusive: rate 0 makes one spark.
  int count = EmissionRate > -1 ? int(std::min(EmissionRate, kMaxEmission)) + 1 : 0;
  for (int i = 0; i < count; ++i) {
    // The spreads are drawn in this order so that a seeded run repeats.
    float rotationSpeed = RotationSpeed + Spread(RotationVar);
    float alpha = Alpha + Spread(AlphaVar);
    float dy = SpeedY + Spread(SpeedVarY);
    float dx = SpeedX + Spread(SpeedVarX);
    float zoom = LaunchSize + Spread(SizeVar);
    float y = Y + StartOffsetY + Spread(StartOffsetVarY);
    float x = X + StartOffsetX + Spread(StartOffsetVarX);
    Particles.push_back(TSmashParticle::Create(x, y, zoom, dx, dy, alpha, ColorR, ColorG, ColorB,
                                               rotationSpeed, GravityX, GravityY, RotationStart));
  }
}

bool TEmitter::StepParticle(TSmashParticle& p, float delta) {
  p.zoom = std::clamp(p.zoom, MinSize, std::max(MinSize, MaxSize));
  p.x += p.dx * delta;
  p.y += p.dy * delta;
  p.dx += GravityX * delta;
  p.dy += GravityY * delta;
  if (const auto& image = TSmashParticle::Image()) {
    plat::SetAlpha(p.alpha);
    plat::SetScale(p.zoom, p.zoom);
    plat::SetColor(ColourByte(p.r), ColourByte(p.g), ColourByte(p.b));
    plat::SetRotation(p.rotation);
    plat::DrawImage(*image, p.x, p.y, std::clamp(Image, 0, image->Frames() - 1));
  }
  p.r += ColorChangeR * delta;
  p.g += ColorChangeG * delta;
  p.b += ColorChangeB * delta;
  p.alpha += AlphaChange * delta;
  p.rotation += p.rotation_speed * delta;
  p.zoom += Grow * delta;
  ++p.frame;
  return p.frame <= LifeTime;
}

void TEmitter::Render(float delta, int emit) {
  if (RenderType == RENDER_OFF) return;
  TDrawState saved;
  int now = plat::MilliSecs();
  if (Frame == 0) StartTime = float(now);
  CurrTime = float(now) - StartTime;
  ++Frame;
  if (emit && EmitsThisFrame()) Emit();
  plat::SetBlend(BlendFor(RenderType));
  for (auto it = Particles.begin(); it != Particles.end();) {
    it = StepParticle(**it, delta) ? std::next(it) : Particles.erase(it);
  }
}

void TEmitter::ReadSettings(plat::TStream& s) {
  for (const TRecordField& field : kRecord) {
    if (field.real) {
      this->*field.real = s.ReadFloat();
    } else {
      this->*field.whole = s.ReadInt();
    }
  }
}

void TEmitter::WriteSettings(plat::TStream& s) const {
  for (const TRecordField& field : kRecord) {
    if (field.real) {
      s.WriteFloat(this->*field.real);
    } else {
      s.WriteInt(this->*field.whole);
    }
  }
}

bool TEmitter::SameSettingsAs(const TEmitter& other) const {
  for (const TRecordField& field : kRecord) {
    bool same = field.real ? this->*field.real == other.*field.real
                           : this->*field.whole == other.*field.whole;
    if (!same) return false;
  }
  return true;
}

void TEmitter::CopySettingsFrom(const TEmitter& other) {
  X = other.X;
  Y = other.Y;
  for (const TRecordField& field : kRecord) {
    if (field.real) {
      this->*field.real = other.*field.real;
    } else {
      this->*field.whole = other.*field.whole;
    }
  }
}
