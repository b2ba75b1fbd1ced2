// The picture decoders through the platform layer, one target per format
// (each has its own corpus); a damaged or enormous picture is refused.
#include "Decode.h"
#include "FuzzTarget.h"

namespace {

int Check(const std::shared_ptr<plat::TPixmap>& pixmap) {
  if (pixmap && (pixmap->pixels.size() != size_t(pixmap->width) * size_t(pixmap->height) ||
                 !plat::internal::AcceptableSize(pixmap->width, pixmap->height)))
    __builtin_trap();
  return 0;
}

}  // namespace

GS_FUZZ_TARGET(png) { return Check(plat::internal::DecodePng(FuzzBytes(data, size))); }
GS_FUZZ_TARGET(jpeg) { return Check(plat::internal::DecodeJpeg(FuzzBytes(data, size))); }
GS_FUZZ_TARGET(bmp) { return Check(plat::internal::DecodeBmp(FuzzBytes(data, size))); }
GS_FUZZ_TARGET(tga) { return Check(plat::internal::DecodeTga(FuzzBytes(data, size))); }
