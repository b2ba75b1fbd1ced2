// The module-level text settings and functions every label, button and
// slide line draws through: one line (aligned, rounded, with an optional
// drop shadow), several lines, splitting at line ends and word wrap.
// Texts are UTF-8; TrueType text uses the platform's current
// font.
#pragma once

#include <string>
#include <vector>

class TBitmapFont;

// The shadow the text functions cast and the alpha the text itself is drawn
// with after its shadow (one instance, TextSettings).
struct TTextSettings {
  float ShadowX = 1.0f;
  float ShadowY = 1.0f;
  float ShadowAlpha = 0.5f;  // factor on the text alpha
  float TextAlpha = 1.0f;
};
extern TTextSettings TextSettings;

void SetTextShadow(float x, float y, float alphaFactor);
void SetTextAlpha(float alpha);

// The shadow in black at ShadowAlpha x TextAlpha, offset by the shadow
// settings, then the text in the colour in force at TextAlpha. x is
// truncated (after centring). The blend mode in force is restored.
void DrawTextWithShadow(float x, float y, const std::string& text, int centred);
// The same for each line, y growing by gap (0: the height of "ABCXYZ").
void DrawLinesWithShadow(float x, float y, const std::vector<std::string>& lines, int centred,
                         float gap);
// The lines of text (cut at each LF) drawn so that the last one stands at
// bottomY, the block growing upward by gap (0: the height of "ABCXYZ").
void DrawLinesEndingAt(float x, float bottomY, const std::string& text, int centred, float gap);
// shadow: 0 none, 1 the text shadow, TextOutline a dark ring (for text on a
// picture both bright and dark). alignment 0 left at x, 1 centred on x (scale aware), 2
// right-aligned at x; round puts both coordinates on whole pixels (floor of value + 0.5).
constexpr int TextOutline = 2;
void DrawTextLine(const std::string& text, float x, float y, int shadow, int alignment, int round);

// Cuts at each LF, dropping a CR before it; "" gives no lines.
std::vector<std::string> SplitLines(const std::string& text);

// Word wrap to width pixels at scale, measured with the bitmap font when one
// is given, else the current platform font. Runs of blanks count as one
// blank; a word wider than the width stands alone, unbroken.
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, float width,
                                   const TBitmapFont* bitmapFont, float scale);
// The same with secondWidth in force from output line fromLine (0-based) on.
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, float width,
                                   const TBitmapFont* bitmapFont, float scale, float secondWidth,
                                   int fromLine);

// Width of one line in the current platform font or the bitmap font.
float TextLineWidth(const std::string& text, const TBitmapFont* bitmapFont);

// The text cut (with "...") to fit width pixels in the current platform font.
std::string FitTextToWidth(const std::string& text, float width);
