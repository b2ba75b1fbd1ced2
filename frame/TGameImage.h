// A named image of a bank, with its frame size and handle.
#pragma once

#include <memory>
#include <string>

#include "Platform.h"

class TGameImage {
 public:
  // Each loader reports a file that does not load as a fatal error.
  static std::shared_ptr<TGameImage> Create(const std::string& file, int flags, int mid);
  // One frame loads as a plain image, two or more as a strip of frames.
  static std::shared_ptr<TGameImage> CreateAuto(const std::string& file, int frameWidth,
                                                int frameHeight, int firstFrame, int frameCount,
                                                int flags, int mid);
  static std::shared_ptr<TGameImage> CreateFromImage(plat::TImagePtr image, const std::string& name,
                                                     int mid);

  void Load(const std::string& file, int flags, int mid);
  void LoadAnim(const std::string& file, int frameWidth, int frameHeight, int firstFrame,
                int frameCount, int flags, int mid);
  void GetSize();
  void MidHandle(int flag);
  // Prepares every frame for drawing now rather than on its first draw.
  void Precache();
  // Memory in KB: w * 4 * h * frames; for video memory the sides are
  // rounded up to powers of two.
  int CalcRAM() const;
  int CalcVRAM() const;

  std::string name;
  plat::TImagePtr image;
  int w = 0, h = 0;
  float w2 = 0, h2 = 0;
  int midhandled = 0;
  int tag = 0;
};

using TGameImagePtr = std::shared_ptr<TGameImage>;
