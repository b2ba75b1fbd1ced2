#include "TGameImage.h"

#include "Globals.h"
#include "TextCase.h"

namespace {

int NextPowerOfTwo(int v) {
  int p = 1;
  while (p < v) p *= 2;
  return p;
}

int Frames(const plat::TImagePtr& image) { return image ? image->Frames() : 0; }

}  // namespace

std::shared_ptr<TGameImage> TGameImage::Create(const std::string& file, int flags, int mid) {
  auto gi = std::make_shared<TGameImage>();
  gi->Load(file, flags, mid);
  return gi;
}

std::shared_ptr<TGameImage> TGameImage::CreateAuto(const std::string& file, int frameWidth,
                                                   int frameHeight, int firstFrame, int frameCount,
                                                   int flags, int mid) {
  auto gi = std::make_shared<TGameImage>();
  if (frameCount < 2) {
    gi->Load(file, flags, mid);
  } else {
    gi->LoadAnim(file, frameWidth, frameHeight, firstFrame, frameCount, flags, mid);
  }
  return gi;
}

std::shared_ptr<TGameImage> TGameImage::CreateFromImage(plat::TImagePtr image,
                                                        const std::string& name, int mid) {
  auto gi = std::make_shared<TGameImage>();
  gi->name = UpperCase(name);
  gi->image = std::move(image);
  gi->GetSize();
  gi->MidHandle(mid);
  return gi;
}

void TGameImage::Load(const std::string& file, int flags, int mid) {
  name = UpperCase(FileStem(file));
  image = plat::LoadImage(file, flags);
  if (!image) ReportError("Error loading bitmap " + file, 1);
  GetSize();
  MidHandle(mid);
}

void TGameImage::LoadAnim(const std::string& file, int frameWidth, int frameHeight, int firstFrame,
                          int frameCount, int flags, int mid) {
  name = UpperCase(FileStem(file));
  image = plat::LoadAnimImage(file, frameWidth, frameHeight, firstFrame, frameCount, flags);
  if (!image) ReportError("Error loading anim bitmap " + file, 1);
  GetSize();
  MidHandle(mid);
}

void TGameImage::GetSize() {
  w = image ? plat::ImageWidth(*image) : 0;
  h = image ? plat::ImageHeight(*image) : 0;
  w2 = float(w / 2);
  h2 = float(h / 2);
}

void TGameImage::MidHandle(int flag) {
  midhandled = flag ? 1 : 0;
  if (!image) return;
  if (midhandled) {
    plat::MidHandleImage(*image);
  } else {
    plat::SetImageHandle(*image, 0, 0);
  }
}

int TGameImage::CalcRAM() const { return int(int64_t(w) * 4 * h * Frames(image) / 1024); }

int TGameImage::CalcVRAM() const {
  return int(int64_t(NextPowerOfTwo(w)) * 4 * NextPowerOfTwo(h) * Frames(image) / 1024);
}

void TGameImage::Precache() {
  if (image) plat::PrecacheImage(*image);
}
