#pragma once

#include <iterator>
#include <string_view>

// What draws a row of the editor's layout.
enum class LayoutControl {
  kBackground,  // the image behind everything
  kVersionLine, // the version text, in a box from the row's position to the panel's corner
  kFrameKnob,   // shows the image frame for the value; dragged up or down
  kRotater,     // turns the image with the value; dragged up or down
  kSwitch,      // shows the image frame for the value; each click steps one frame
};

struct LayoutRow {
  LayoutControl control;
  const char* image; // file in resources/, "" for none
  int frames;        // frames stacked top to bottom in the image
  int x, y;          // the top-left corner, in UI units
  const char* param; // the bound parameter's symbol, "" for none
};

// The editor, one row per control in drawing order: the editor builds from it, its tests and
// the artwork (resources/art/tables.py) read it, so adding a control is adding a row. Keep each
// row in this form.
inline constexpr LayoutRow kKelvoraLayout[] = {
    {LayoutControl::kBackground, "Kelvorabackground.jpg", 1, 0, 0, ""},
    {LayoutControl::kVersionLine, "", 0, 1480, 980, ""},
    {LayoutControl::kFrameKnob, "ledOn.png", 2, 824, 0, "bypass"},
    {LayoutControl::kRotater, "BIASNUPPI.png", 1, 558, 630, "bias"},
    {LayoutControl::kSwitch, "LiukuAnim.png", 2, 516, 752, "react"},
    {LayoutControl::kSwitch, "FlipperAnim.png", 2, 1339, 354, "bypass"},
    {LayoutControl::kRotater, "NupikkaVarjo.png", 1, 137, 286, "input_gain"},
    {LayoutControl::kRotater, "NupikkaVarjo.png", 1, 137, 683, "tame"},
    {LayoutControl::kRotater, "NupikkaVarjo.png", 1, 891, 683, "output_gain"},
    {LayoutControl::kRotater, "NupikkaVarjo.png", 1, 1246, 683, "wet"},
    {LayoutControl::kRotater, "Nuppi.png", 1, 137, 206, "input_gain"},
    {LayoutControl::kRotater, "Nuppi.png", 1, 137, 603, "tame"},
    {LayoutControl::kRotater, "Nuppi.png", 1, 891, 603, "output_gain"},
    {LayoutControl::kRotater, "Nuppi.png", 1, 1246, 603, "wet"},
    {LayoutControl::kFrameKnob, "NuppiOverlay.png", 1, 126, 192, "input_gain"},
    {LayoutControl::kFrameKnob, "NuppiOverlay.png", 1, 126, 590, "tame"},
    {LayoutControl::kFrameKnob, "NuppiOverlay.png", 1, 882, 590, "output_gain"},
    {LayoutControl::kFrameKnob, "NuppiOverlay.png", 1, 1237, 590, "wet"},
    {LayoutControl::kSwitch, "Delta.png", 2, 1525, 790, "delta"},
    {LayoutControl::kSwitch, "Oversampling.png", 4, 1525, 890, "oversampling"},
};

constexpr int kKelvoraLayoutRows = static_cast<int>(std::size(kKelvoraLayout));

// The index of the row that draws image for the parameter symbol param, -1 for none.
constexpr int FindLayoutRow(std::string_view image, std::string_view param) {
  for (int i = 0; i < kKelvoraLayoutRows; ++i)
    if (image == kKelvoraLayout[i].image && param == kKelvoraLayout[i].param) return i;
  return -1;
}

namespace layout_detail {

constexpr bool RowIsValid(const LayoutRow& row) {
  const bool bound = row.param[0] != '\0';
  const bool drawsImage = row.image[0] != '\0';
  switch (row.control) {
  case LayoutControl::kBackground:
    return drawsImage && !bound && row.frames == 1 && row.x == 0 && row.y == 0;
  case LayoutControl::kVersionLine:
    return !drawsImage && !bound && row.frames == 0;
  case LayoutControl::kFrameKnob:
  case LayoutControl::kRotater:
  case LayoutControl::kSwitch:
    return drawsImage && bound && row.frames >= 1;
  }
  return false;
}

} // namespace layout_detail

// Every row draws what its control needs; one background, drawn first; one frame count per
// image. (The editor checks that each bound symbol names a parameter.)
constexpr bool IsValidLayout() {
  for (int i = 0; i < kKelvoraLayoutRows; ++i) {
    const LayoutRow& row = kKelvoraLayout[i];
    if (!layout_detail::RowIsValid(row)) return false;
    if ((row.control == LayoutControl::kBackground) != (i == 0)) return false;
    for (int j = 0; j < i; ++j)
      if (std::string_view(row.image) == kKelvoraLayout[j].image &&
          row.frames != kKelvoraLayout[j].frames)
        return false;
  }
  return true;
}
static_assert(IsValidLayout(), "a layout row is malformed");
