#include "TBitmapFont.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "TextDraw.h"
#include "Utf8.h"

namespace {

double RoundHalfUp(double v) { return std::floor(v + 0.5); }

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::vector<std::string> DescriptorLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The number at the start of s: a sign, digits and one point, up to the
// first character that cannot belong to it; 0 when there is none.
double LeadingNumber(const std::string& s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  bool point = false;
  while (i < s.size()) {
    if (std::isdigit(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (s[i] == '.' && !point) {
      point = true;
      ++i;
    } else {
      break;
    }
  }
  std::string number = s.substr(0, i);
  if (number.empty() || number == "-" || number == "+" || number == ".") return 0;
  return std::strtod(number.c_str(), nullptr);
}

// The value in the `chars` characters that follow key; 0 when the key is
// absent. found reports whether it was there.
double Field(const std::string& line, const char* key, size_t chars, bool* found = nullptr) {
  size_t at = line.find(key);
  if (found) *found = at != std::string::npos;
  if (at == std::string::npos) return 0;
  return LeadingNumber(line.substr(at + std::string(key).size(), chars));
}

int NextPowerOfTwo(int v) {
  int p = 1;
  while (p < v) p *= 2;
  return p;
}

}  // namespace

std::shared_ptr<TBitmapFont> TBitmapFont::Create(const std::string& url, int flags,
                                                 const std::string& imageSuffix) {
  std::vector<uint8_t> bytes;
  if (!plat::LoadBytes(url + ".fnt", bytes)) return nullptr;
  auto font = std::make_shared<TBitmapFont>();
  if (!font->ReadDescriptor(std::string(bytes.begin(), bytes.end()))) return nullptr;
  font->Image = plat::LoadImage(url + imageSuffix, flags);
  if (!font->Image) return nullptr;
  return font;
}

bool TBitmapFont::ReadDescriptor(const std::string& text) {
  std::vector<std::string> lines = DescriptorLines(text);
  size_t at = 0;
  auto line = [&]() -> std::string { return at < lines.size() ? lines[at] : std::string(); };

  ScaleFactor = 1.0;
  std::string first = line();
  std::string upper = first;
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  if (StartsWith(upper, "SCALEF")) {
    bool found = false;
    double scale = Field(first, "scaleF=", 4, &found);
    if (!found) scale = Field(first, "ScaleF=", 4);
    if (scale > 0) ScaleFactor = scale;
  }
  ++at;  // the scale line, or the first line unread
  if (StartsWith(line(), "info")) ++at;
  bool hasW = false, hasH = false;
  TextureW = Field(line(), "scaleW=", 4, &hasW);
  TextureH = Field(line(), "scaleH=", 4, &hasH);
  // A page without a size cannot place any glyph.
  if (!hasW || !hasH || TextureW <= 0 || TextureH <= 0) return false;
  ++at;
  if (StartsWith(line(), "page")) ++at;
  if (StartsWith(line(), "chars")) ++at;

  NumChars = 0;
  Glyphs.clear();
  for (; at < lines.size() && !StartsWith(lines[at], "kerning"); ++at) {
    const std::string& line = lines[at];
    bool hasId = false;
    // Up to seven digits: every code point has room.
    double code = Field(line, "id=", 7, &hasId);
    if (!hasId || code < 0 || code > 0x10FFFF) continue;
    TBitmapGlyph& glyph = Glyphs[char32_t(code)];
    glyph.xPos = Field(line, "x=", 4) / TextureW;
    glyph.yPos = Field(line, "y=", 4) / TextureH;
    glyph.width = Field(line, "width=", 3) / TextureW;
    glyph.height = Field(line, "height=", 3) / TextureH;
    glyph.xOffset = Field(line, "xoffset=", 3);
    glyph.yOffset = Field(line, "yoffset=", 3);
    glyph.xAdvance = Field(line, "xadvance=", 3);
    ++NumChars;
  }
  return true;
}

int TBitmapFont::CalcVRAM() const {
  return NextPowerOfTwo(int(TextureW)) * NextPowerOfTwo(int(TextureH)) * 4;
}

namespace {

void DrawGlyphs(TBitmapFont& f, const std::string& text, double x, double y, int centre, int right,
                int roundX, int roundY, int shadow) {
  if (text.empty()) return;
  double a0 = plat::GetAlpha();
  int r = 255, g = 255, b = 255;
  if (shadow) {
    plat::GetColor(r, g, b);
    plat::SetColor(0, 0, 0);
    plat::SetAlpha(TextSettings.ShadowAlpha * a0);
    x += TextSettings.ShadowX;
    y += TextSettings.ShadowY;
  }
  double sx = 1, sy = 1;
  plat::GetScale(sx, sy);
  if (centre) {
    double w = f.StringWidth(text);
    if (f.ChangeHandle == 0) {
      x -= sx * w / 2;
    } else {
      f.HandleX += w / 2;
    }
  } else if (right) {
    double w = f.StringWidth(text);
    if (f.ChangeHandle == 0) {
      x -= sx * w;
    } else {
      f.HandleX += sx * w;
    }
  }
  sx *= f.ScaleFactor;
  sy *= f.ScaleFactor;
  for (char32_t code : plat::CodePoints(text)) {
    const TBitmapGlyph& g = f.Glyph(code);
    double dw = g.width * f.TextureW * f.ScaleFactor;
    double dh = g.height * f.TextureH * f.ScaleFactor;
    double px = x, py = y, hx = 0, hy = 0;
    if (f.ChangeHandle == 0) {
      px += sx * g.xOffset;
      py += sy * g.yOffset;
    } else {
      hx = f.HandleX - g.xOffset * f.ScaleFactor;
      hy = f.HandleY - g.yOffset * f.ScaleFactor;
    }
    if (roundX) {
      px = RoundHalfUp(px);
      dw = RoundHalfUp(dw);
    }
    if (roundY) {
      py = RoundHalfUp(py);
      dh = RoundHalfUp(dh);
    }
    if (f.Image && dw > 0 && dh > 0) {
      plat::DrawSubImageRect(*f.Image, px, py, dw, dh, g.xPos * f.TextureW, g.yPos * f.TextureH,
                             g.width * f.TextureW, g.height * f.TextureH, hx, hy);
    }
    if (f.ChangeHandle == 0) {
      x += sx * (g.xAdvance + f.CharGap);
    } else {
      f.HandleX -= (g.xAdvance + f.CharGap) * f.ScaleFactor;
    }
  }
  if (shadow) {
    plat::SetColor(r, g, b);
    plat::SetAlpha(TextSettings.TextAlpha);
  }
  plat::SetAlpha(a0);
}

}  // namespace

void TBitmapFont::Draw(const std::string& text, double x, double y, int centre, int right,
                       int roundX, int roundY, int shadow) {
  DrawGlyphs(*this, text, x, y, centre, right, roundX, roundY, shadow);
}

void TBitmapFont::DrawAligned(const std::string& text, double x, double y, int alignment,
                              int roundX, int roundY, int shadow) {
  if (alignment < 0 || alignment > 2) return;
  Draw(text, x, y, alignment == 1, alignment == 2, roundX, roundY, shadow);
}

void TBitmapFont::DrawAlignedWithShadow(const std::string& text, double x, double y, int alignment,
                                        int roundX, int roundY) {
  DrawAligned(text, x, y, alignment, roundX, roundY, 1);
  DrawAligned(text, x, y, alignment, roundX, roundY, 0);
}

void TBitmapFont::DrawStringArray(const std::vector<std::string>& lines, double x, double y,
                                  int centre, int right, int roundX, int roundY, int shadow,
                                  double gap, int centreVertically) {
  if (gap == 0) gap = std::trunc(StringHeight("ABCXYZ"));
  if (centreVertically) y -= RoundHalfUp(gap * double(lines.size()) / 2);
  for (const std::string& line : lines) {
    if (shadow) Draw(line, x, y, centre, right, roundX, roundY, 1);
    Draw(line, x, y, centre, right, roundX, roundY, 0);
    y += gap;
  }
}

const TBitmapGlyph& TBitmapFont::Glyph(char32_t code) const {
  static const TBitmapGlyph none;
  auto it = Glyphs.find(code);
  return it == Glyphs.end() ? none : it->second;
}

void TBitmapFont::Kill() { Image.reset(); }

double TBitmapFont::StringHeight(const std::string& text) const {
  std::u32string chars = plat::CodePoints(text);
  if (chars.empty()) return 0;
  double sum = 0;
  for (char32_t c : chars) sum += Glyph(c).height * TextureH;
  double divisor = chars.size() > 1 ? double(chars.size() - 1) : 1.0;
  return sum / divisor * ScaleFactor;
}

double TBitmapFont::StringWidth(const std::string& text) const {
  double sum = 0;
  for (char32_t c : plat::CodePoints(text)) sum += Glyph(c).xAdvance + CharGap;
  if (sum > 0) sum -= CharGap;
  return sum * ScaleFactor;
}

std::string TBitmapFont::TruncateString(const std::string& text, double maxWidth) const {
  size_t end = 0;
  for (size_t next = 0; next < text.size(); end = next) {
    plat::NextChar(text, next);
    if (StringWidth(text.substr(0, next)) > maxWidth * ScaleFactor) break;
  }
  return text.substr(0, end);
}
