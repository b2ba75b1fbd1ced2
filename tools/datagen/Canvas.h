// A cairo drawing surface in picture pixels, optionally supersampled so that
// small art (36 x 36 cells) gets seam-free facets, plus the drawing helpers
// every painter shares.
#pragma once

#include <cairo.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "Colour.h"
#include "Picture.h"

namespace datagen {

// Pictures are painted at an output scale (1, or 2 for the set drawn on
// large displays): every canvas and blank picture has that many pixels per
// unit each way, and the pixel effects' radii grow with it, while painters
// work in units throughout. The scale belongs to the thread painting.
int OutputScale();
class OutputScaleScope {
 public:
  explicit OutputScaleScope(int scale);
  ~OutputScaleScope();
  OutputScaleScope(const OutputScaleScope&) = delete;
  OutputScaleScope& operator=(const OutputScaleScope&) = delete;

 private:
  int old_;
};
// A transparent picture of width x height units.
Picture BlankPicture(int width, int height);

class Canvas {
 public:
  // Width and height in units. supersample k draws into a k-times larger
  // surface that Result() box-filters down to the output scale.
  Canvas(int width, int height, int supersample = 1);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Cr() const { return cr_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Supersample() const { return supersample_; }

  Picture Result() const;

  // Sets every surface pixel from a function of the pixel centre in units;
  // the function returns straight colour and alpha.
  struct Texel {
    Rgb colour;
    double alpha = 1;
  };
  void Shade(const std::function<Texel(double x, double y)>& shader);

 private:
  int width_, height_, supersample_;
  int scale_;  // the output scale it was made at
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
};

// ---------------------------------------------------------------- paths, paint

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void RegularPolygon(cairo_t* cr, double cx, double cy, double radius, int sides, double angle);
void SetColour(cairo_t* cr, const Rgb& c, double alpha = 1);

// A colour stop of a gradient.
struct Stop {
  double offset;
  Rgb colour;
  double alpha = 1;
};
// Make a gradient the source; cairo keeps it until the source changes.
void SourceLinear(cairo_t* cr, double x0, double y0, double x1, double y1,
                  std::initializer_list<Stop> stops);
void SourceRadial(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
                  std::initializer_list<Stop> stops);
// Paints a picture (of the output scale) with its top-left corner at (x, y),
// scaled by s.
void PaintPicture(cairo_t* cr, const Picture& picture, double x, double y, double alpha = 1,
                  double s = 1);

// ---------------------------------------------------------------- pixel effects

// Three box-blur passes (close to a Gaussian of that radius), premultiplied.
Picture Blur(const Picture& picture, double radius);
// The picture's coverage recoloured in one colour: the base of glows and shadows.
Picture Tinted(const Picture& picture, const Rgb& colour, double alpha);
// A soft halo of the picture's shape: blurred, tinted coverage.
Picture GlowOf(const Picture& shape, double radius, const Rgb& colour, double alpha);
// Source over destination, both the same size.
void Composite(Picture& under, const Picture& over, double alpha = 1);
// Additive light of over onto under (same size).
void AddLight(Picture& under, const Picture& over, double alpha = 1);

// ---------------------------------------------------------------- text

enum class Face { Regular, Bold };

// The folder holding Carlito-Regular.ttf and Carlito-Bold.ttf.
void SetFontFolder(const std::string& folder);
std::string FontFile(Face face);
void SelectFont(cairo_t* cr, Face face, double pixels);
// Text is UTF-8, like every string of the game.
// The characters of the text that the face has no glyph for (line ends
// aside), each once, in order.
std::u32string CharactersWithoutGlyph(Face face, const std::string& text);
double TextWidth(Face face, double pixels, const std::string& text);
// Adds the text's outline to the path with its baseline starting at (x, y).
void TextPath(cairo_t* cr, const std::string& text, double x, double y);

// Vertical metrics of a face at a pixel size, for centring captions.
struct TextBox {
  double width = 0;      // advance
  double capHeight = 0;  // ink height of "H": centres captions the same way
};
TextBox MeasureText(Face face, double pixels, const std::string& text);

}  // namespace datagen
