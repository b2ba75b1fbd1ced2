// A bitmap-font descriptor (".fnt"): read, then every glyph it names drawn,
// measured and fitted, over a small stand-in page.
#include <string>

#include "FuzzTarget.h"
#include "TBitmapFont.h"

GS_FUZZ_TARGET(font) {
  FuzzSetUp();
  TBitmapFont font;
  if (!font.ReadDescriptor(FuzzText(data, size))) return 0;
  font.Image = plat::CreateImage(16, 16);
  std::string all;
  for (int c = 1; c < 256; ++c) all += char(c);
  font.StringWidth(all);
  font.StringHeight(all);
  font.TruncateString(all, 200);
  font.Draw(all, 10, 10, 1, 0, 1, 1, 1);
  font.Draw("\u20ac\u0100\uffff\U0001F600", 10, 50, 0, 1, 0, 0, 0);
  return 0;
}
