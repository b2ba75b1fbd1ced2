// Picture file encoders. Neither writes a time stamp, so the same picture
// always gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "Picture.h"

namespace datagen {

using Bytes = std::vector<uint8_t>;

// RGBA PNG. Opaque pixels never take the exact colours the game masks out
// when it loads images (magenta 255,0,255 and black 0,0,0).
Bytes EncodePng(const Picture& picture, int compression = 9);
// Baseline JPEG of the picture over black.
Bytes EncodeJpeg(const Picture& picture, int quality);

}  // namespace datagen
