#include "KnobPoint.h"

#include "KelvoraLayout.h"
#include "LayoutPoints.h"

#include <algorithm>
#include <cmath>

namespace {

// The image that turns with a knob's value; its shadow and overlay share its centre.
constexpr const char* kKnobImage = "Nuppi.png";

} // namespace

bool KnobCentreInWindow(std::string_view param, int windowWidth, int windowHeight,
                        WindowPoint& out) {
  const int row = FindLayoutRow(kKnobImage, param);
  if (row < 0 || windowWidth <= 0 || windowHeight <= 0) return false;
  const FrameSize knob = FrameSizeOf(kKnobImage);
  const FrameSize picture = FrameSizeOf(kKelvoraLayout[0].image);
  const double scale = std::min(static_cast<double>(windowWidth) / picture.w,
                                static_cast<double>(windowHeight) / picture.h);
  const LayoutRow& at = kKelvoraLayout[row];
  out.x = static_cast<int>(std::lround((at.x + knob.w / 2.0) * scale));
  out.y = static_cast<int>(std::lround((at.y + knob.h / 2.0) * scale));
  return true;
}
