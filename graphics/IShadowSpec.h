#pragma once

#include "IPathStyle.h"

// A drop shadow for a layer: the pattern it is painted with, its blur radius and offset (UI
// units), its opacity (0..1) and whether the layer's own content stays in front of it.
struct IShadowSpec {
  IFillPattern mPattern = IFillPattern(COLOR_BLACK);
  float mBlurSize = 0.f;
  float mXOffset = 0.f;
  float mYOffset = 0.f;
  float mOpacity = 1.f;
  bool mDrawForeground = true;
};
