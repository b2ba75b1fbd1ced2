// Lettering pictures: the title logo, the screen headers, option labels, the
// floating score marks and the "Paused" and "Loading" pictures. Transparent
// around the letters: the game adds a pulsing glow by drawing them again in
// additive light.
#pragma once

#include <string>

#include "Picture.h"

namespace datagen {

enum class Lettering {
  Header,  // gold letters with an amber glow
  Label,   // smaller, calmer gold
  Score,   // "+25": white into amber
  Bonus,   // "+50": white-gold, brighter
};

Picture PaintLettering(int width, int height, const std::string& text, Lettering style);
Picture PaintLogo(int width, int height);
Picture PaintPaused(int width, int height, const std::string& text = "Paused");
Picture PaintLoading(int width, int height, const std::string& text = "Loading...");
// The pixel size the words are painted at by the painters above (a
// lettering style; the paused and loading pictures).
double LetteringPixels(int width, int height, const std::string& text, Lettering style);
double PausedPixels(int width, int height, const std::string& text);
double LoadingPixels(int width, int height, const std::string& text);

}  // namespace datagen
