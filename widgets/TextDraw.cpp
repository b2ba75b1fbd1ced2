#include "TextDraw.h"

#include <cmath>

#include "Platform.h"
#include "TBitmapFont.h"
#include "Utf8.h"

TTextSettings TextSettings;

namespace {

float RoundHalfUp(float v) { return std::floor(v + 0.5f); }

struct TOffset {
  float x, y;
};

// Black copies of the text at the offsets and `alpha` x the text alpha,
// then the text in the colour in force; colour and blend restored.
void DrawOverDark(float x, float y, const std::string& text, const TOffset* offsets, int count,
                  float alpha) {
  int r, g, b;
  plat::GetColor(r, g, b);
  int blend = plat::GetBlend();
  plat::SetBlend(plat::ALPHABLEND);
  plat::SetColor(0, 0, 0);
  plat::SetAlpha(alpha * TextSettings.TextAlpha);
  for (int i = 0; i < count; ++i) plat::DrawText(text, x + offsets[i].x, y + offsets[i].y);
  plat::SetColor(r, g, b);
  plat::SetAlpha(TextSettings.TextAlpha);
  plat::DrawText(text, x, y);
  plat::SetBlend(blend);
}

void DrawShadowed(float x, float y, const std::string& text) {
  const TOffset shadow{TextSettings.ShadowX, TextSettings.ShadowY};
  DrawOverDark(x, y, text, &shadow, 1, TextSettings.ShadowAlpha);
}

// Blanks collapsed: a run of blanks reads as one word separator, so no
// empty word can cut a line short.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line) {
    if (c == ' ') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// A dark ring a pixel wide, then the text: it reads on the bright and the
// dark part of a bar alike.
void DrawOutlined(float x, float y, const std::string& text) {
  static constexpr TOffset kRing[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                       {1, 0},   {-1, 1}, {0, 1},  {1, 1}};
  DrawOverDark(x, y, text, kRing, 8, 0.5f);
}

}  // namespace

void SetTextShadow(float x, float y, float alphaFactor) {
  TextSettings.ShadowX = x;
  TextSettings.ShadowY = y;
  TextSettings.ShadowAlpha = alphaFactor;
}

void SetTextAlpha(float alpha) { TextSettings.TextAlpha = alpha; }

void DrawTextWithShadow(float x, float y, const std::string& text, int centred) {
  if (centred) x -= float(plat::TextWidth(text)) / 2;
  DrawShadowed(std::trunc(x), y, text);
}

void DrawLinesWithShadow(float x, float y, const std::vector<std::string>& lines, int centred,
                         float gap) {
  if (gap == 0) gap = float(plat::TextHeight("ABCXYZ"));
  for (const std::string& line : lines) {
    DrawTextWithShadow(x, y, line, centred);
    y += gap;
  }
}

void DrawTextLine(const std::string& text, float x, float y, int shadow, int alignment, int round) {
  if (alignment == 1) {
    double sx, sy;
    plat::GetScale(sx, sy);
    x -= float(plat::TextWidth(text) * sx / 2);
    if (sy != 1) {
      double height = plat::TextHeight(text);
      y -= float((height * sy - height) / 2);
    }
  } else if (alignment == 2) {
    x -= float(plat::TextWidth(text));
  }
  if (round) {
    x = RoundHalfUp(x);
    y = RoundHalfUp(y);
  }
  if (shadow == TextOutline) {
    DrawOutlined(std::trunc(x), y, text);
  } else if (shadow) {
    DrawTextWithShadow(x, y, text, 0);
  } else {
    plat::DrawText(text, x, y);
  }
}

void DrawLinesEndingAt(float x, float bottomY, const std::string& text, int centred, float gap) {
  std::vector<std::string> lines = SplitLines(text);
  if (gap == 0) gap = float(plat::TextHeight("ABCXYZ"));
  float top = bottomY - gap * float(lines.empty() ? 0 : lines.size() - 1);
  DrawLinesWithShadow(x, top, lines, centred, gap);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  while (true) {
    size_t end = text.find('\n', start);
    std::string line =
        text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

float TextLineWidth(const std::string& text, const TBitmapFont* bitmapFont) {
  return bitmapFont ? float(bitmapFont->StringWidth(text)) : float(plat::TextWidth(text));
}

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, float width,
                                   const TBitmapFont* bitmapFont, float scale) {
  return WrapLines(lines, width, bitmapFont, scale, width, 0);
}

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, float width,
                                   const TBitmapFont* bitmapFont, float scale, float secondWidth,
                                   int fromLine) {
  std::vector<std::string> out;
  auto widthNow = [&] { return int(out.size()) >= fromLine ? secondWidth : width; };
  for (const std::string& line : lines) {
    std::vector<std::string> words = Words(line);
    if (words.empty()) {
      out.emplace_back();
      continue;
    }
    std::string current = words[0];
    if (line[0] == ' ') current = " " + current;  // an indent counts as one blank
    for (size_t i = 1; i < words.size(); ++i) {
      std::string candidate = current + " " + words[i];
      if (TextLineWidth(candidate, bitmapFont) * scale <= widthNow()) {
        current = std::move(candidate);
      } else {
        out.push_back(std::move(current));
        current = words[i];
      }
    }
    out.push_back(std::move(current));
  }
  return out;
}

std::string FitTextToWidth(const std::string& text, float width) {
  if (width <= 0 || TextLineWidth(text, nullptr) <= width) return text;
  const std::string ellipsis = "\u2026";
  std::string cut = text;
  // Whole characters go, never a part of one.
  while (!cut.empty() && TextLineWidth(cut + ellipsis, nullptr) > width) {
    cut.resize(plat::CharStartBefore(cut, cut.size()));
  }
  return cut + ellipsis;
}
