#pragma once

// A colour as alpha, red, green and blue, each 0..255.
struct IColor {
  int A = 255;
  int R = 0;
  int G = 0;
  int B = 0;

  constexpr IColor() = default;
  constexpr IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  constexpr bool operator==(const IColor& o) const {
    return A == o.A && R == o.R && G == o.G && B == o.B;
  }
  constexpr bool operator!=(const IColor& o) const { return !(*this == o); }
};

constexpr IColor COLOR_TRANSLUCENT(10, 0, 0, 0);
constexpr IColor COLOR_TRANSPARENT(0, 0, 0, 0);
constexpr IColor COLOR_BLACK(255, 0, 0, 0);
constexpr IColor COLOR_BLACK_DROP_SHADOW(128, 0, 0, 0);
constexpr IColor COLOR_GRAY(255, 127, 127, 127);
constexpr IColor COLOR_LIGHT_GRAY(255, 240, 240, 240);
constexpr IColor COLOR_MID_GRAY(255, 200, 200, 200);
constexpr IColor COLOR_DARK_GRAY(255, 70, 70, 70);
constexpr IColor COLOR_WHITE(255, 255, 255, 255);
constexpr IColor COLOR_RED(255, 255, 0, 0);
constexpr IColor COLOR_GREEN(255, 0, 255, 0);
constexpr IColor COLOR_BLUE(255, 0, 0, 255);
constexpr IColor COLOR_YELLOW(255, 255, 255, 0);
constexpr IColor COLOR_ORANGE(255, 255, 127, 0);
constexpr IColor COLOR_INDIGO(255, 75, 0, 130);
constexpr IColor COLOR_VIOLET(255, 148, 0, 211);

constexpr IColor DEFAULT_TEXTENTRY_BGCOLOR = COLOR_WHITE;
constexpr IColor DEFAULT_TEXTENTRY_FGCOLOR = COLOR_BLACK;
