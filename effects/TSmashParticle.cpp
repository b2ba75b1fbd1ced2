#include "TSmashParticle.h"

#include "GameResources.h"

namespace {

// The strip lives with the other program-wide resources, so that start-up
// can load it and the exit release it before the platform closes.
plat::TImagePtr& SharedImage() { return ParticleFXImage; }

}  // namespace

bool TSmashParticle::SetImage(const std::string& source) {
  SharedImage() = plat::LoadAnimImage(source, FRAME_SIZE, FRAME_SIZE, 0, FRAME_COUNT);
  // Sparks are placed by their centres.
  if (SharedImage()) plat::MidHandleImage(*SharedImage());
  return SharedImage() != nullptr;
}

void TSmashParticle::SetImage(plat::TImagePtr image) { SharedImage() = std::move(image); }

const plat::TImagePtr& TSmashParticle::Image() { return SharedImage(); }

std::unique_ptr<TSmashParticle> TSmashParticle::Create(float x, float y, float zoom, float dx,
                                                       float dy, float alpha, float r, float g,
                                                       float b, float rotationSpeed, float gravityX,
                                                       float gravityY, float rotation) {
  auto p = std::make_unique<TSmashParticle>();
  p->x = x;
  p->y = y;
  p->zoom = zoom;
  p->dx = dx;
  p->dy = dy;
  p->alpha = alpha;
  p->r = r;
  p->g = g;
  p->b = b;
  p->rotation_speed = rotationSpeed;
  p->gravityX = gravityX;
  p->gravityY = gravityY;
  p->rotation = rotation;
  return p;
}
