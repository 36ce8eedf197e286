#pragma once

#include "IColor.h"

#include <cstring>

enum EAlign { kAlignNear = 0, kAlignCenter = 1, kAlignFar = 2 };
enum EVAlign { kVAlignTop = 0, kVAlignMiddle = 1, kVAlignBottom = 2 };

// How a control draws text: font, size, colours, angle and alignment.
struct IText {
  char mFont[64] = "Roboto-Regular";
  float mSize = 14.f;
  IColor mFGColor = COLOR_BLACK;
  IColor mTextEntryBGColor = DEFAULT_TEXTENTRY_BGCOLOR;
  IColor mTextEntryFGColor = DEFAULT_TEXTENTRY_FGCOLOR;
  float mAngle = 0.f;
  EAlign mAlign = kAlignCenter;
  EVAlign mVAlign = kVAlignMiddle;

  IText() = default;
  IText(float size, const IColor& color, const char* font = nullptr)
      : mSize(size), mFGColor(color) {
    if (font) {
      std::strncpy(mFont, font, sizeof(mFont) - 1);
      mFont[sizeof(mFont) - 1] = '\0';
    }
  }
};
