// The current drawing state and the primitives every drawing call goes
// through (textured and plain quads in local coordinates, transformed by the
// rotation and scale matrix about an anchor point).
#pragma once

#include <SDL.h>

#include "DrawRecord.h"
#include "Platform.h"

namespace plat::internal {

struct TDrawState {
  int red = 255, green = 255, blue = 255;
  double alpha = 1.0;
  int blend = MASKBLEND;
  double rotation = 0, scaleX = 1, scaleY = 1;
  // The transform: x' = x * ix + y * iy, y' = x * jx + y * jy.
  double ix = 1, iy = 0, jx = 0, jy = 1;
  double originX = 0, originY = 0;
  bool viewSet = false;  // unset: the whole display
  int viewX = 0, viewY = 0, viewW = 0, viewH = 0;
  int clsRed = 0, clsGreen = 0, clsBlue = 0;
  double lineWidth = 1;
  TFontPtr font;
};

TDrawState& DrawState();
void ResetDrawState();
// The clip rectangle in back-buffer pixels (the viewport within the display).
SDL_Rect ViewportRect();

struct TQuad {
  double x0, y0, x1, y1;  // local rectangle, relative to the anchor
};
struct TSource {
  double x, y, w, h;  // in frame pixels
};

// Draws the source part of a frame over the local quad, transformed about
// (tx, ty) (already including the origin), in the current state.
void DrawFrameQuad(const TImage& image, int frame, TQuad quad, double tx, double ty,
                   TSource source);
// Tells the draw observer (if any) about a quad drawn about (tx, ty). While
// a text line is being drawn its glyphs are not told one by one.
void ReportDrawn(bool text, const std::string& characters, TQuad quad, double tx, double ty);
struct TTextReport {
  TTextReport();
  ~TTextReport();
};

}  // namespace plat::internal
