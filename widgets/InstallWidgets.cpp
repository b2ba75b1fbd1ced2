#include "InstallWidgets.h"

#include <cmath>

#include "TDrawable.h"
#include "TSprite.h"

namespace {

// A frame-made picture (screen header, paused picture) drawn as a sprite,
// so that it restores the drawing state like every other sprite.
class TSpriteDrawable : public TDrawable {
 public:
  explicit TSpriteDrawable(std::shared_ptr<TSprite> sprite) : Sprite(std::move(sprite)) {}
  void Draw() override { Sprite->Draw(); }
  int Manage() override {
    Sprite->ManageGlow();
    return 0;
  }
  std::shared_ptr<TSprite> Sprite;
};

}  // namespace

void InstallWidgets() {
  SetSpriteMaker([](plat::TImagePtr image, float x, float y) -> std::shared_ptr<TDrawable> {
    // The picture keeps the handle it was given.
    auto gameImage = std::make_shared<TGameImage>();
    gameImage->image = std::move(image);
    gameImage->GetSize();
    if (gameImage->image) {
      gameImage->midhandled = std::abs(gameImage->image->handle_x - gameImage->w / 2.0f) < 1 &&
                              std::abs(gameImage->image->handle_y - gameImage->h / 2.0f) < 1;
    }
    return std::make_shared<TSpriteDrawable>(TSprite::Create(gameImage, x, y));
  });
}
