#pragma once

#include "KelvoraLayout.h"

#include <string_view>

// One frame of each image the layout draws, in UI units: the images' own sizes.
struct FrameSize {
  const char* image;
  int w, h;
};
constexpr FrameSize kFrameSizes[] = {
    {"Kelvorabackground.jpg", 1630, 1010},
    {"ledOn.png", 64, 64},
    {"BIASNUPPI.png", 112, 112},
    {"LiukuAnim.png", 196, 64},
    {"FlipperAnim.png", 74, 150},
    {"NupikkaVarjo.png", 260, 260},
    {"Nuppi.png", 260, 260},
    {"NuppiOverlay.png", 280, 287},
    {"Delta.png", 100, 56},
    {"Oversampling.png", 100, 78},
};

// The frame size of an image; {nullptr, 0, 0} for one the list lacks.
constexpr FrameSize FrameSizeOf(std::string_view image) {
  for (const FrameSize& size : kFrameSizes)
    if (image == size.image) return size;
  return {nullptr, 0, 0};
}

struct LayoutPoint {
  float x, y;
};

// The centre (to the unit below) of the control that draws image for the parameter symbol
// param; {-1, -1} when the layout has no such control.
constexpr LayoutPoint CentreOf(const char* image, const char* param) {
  const int i = FindLayoutRow(image, param);
  if (i < 0) return {-1.f, -1.f};
  const FrameSize size = FrameSizeOf(image);
  return {static_cast<float>(kKelvoraLayout[i].x + size.w / 2),
          static_cast<float>(kKelvoraLayout[i].y + size.h / 2)};
}

// Where the effect's layout puts things, in UI units (the default window shows them at half
// size): the points the editor tests point at.
constexpr float kInputGainOverlayX = CentreOf("NuppiOverlay.png", "input_gain").x;
constexpr float kInputGainOverlayY = CentreOf("NuppiOverlay.png", "input_gain").y;
constexpr float kWetOverlayX = CentreOf("NuppiOverlay.png", "wet").x;
constexpr float kWetOverlayY = CentreOf("NuppiOverlay.png", "wet").y;
constexpr float kOversamplingX = CentreOf("Oversampling.png", "oversampling").x;
constexpr float kOversamplingY = CentreOf("Oversampling.png", "oversampling").y;
constexpr float kLampX = CentreOf("ledOn.png", "bypass").x;
constexpr float kLampY = CentreOf("ledOn.png", "bypass").y;
constexpr float kReactX = CentreOf("LiukuAnim.png", "react").x;
constexpr float kReactY = CentreOf("LiukuAnim.png", "react").y;
constexpr float kBackgroundX = 1000.f; // plain background, no control
constexpr float kBackgroundY = 60.f;
static_assert(kInputGainOverlayX > 0 && kWetOverlayX > 0 && kOversamplingX > 0 && kLampX > 0 &&
                  kReactX > 0,
              "a point's control is missing from the layout");
