#include "IBSwitchControl.h"

namespace {
// A step that lands a hair above 1 through rounding (2/3 + 1/3) still shows the last frame.
constexpr double kWrapThreshold = 1.001;
} // namespace

IBSwitchControl::IBSwitchControl(const IRECT& bounds, const IBitmapHandle& bitmap, int paramIdx)
    : ISwitchControlBase(CentredFrameRECT(bounds, bitmap), paramIdx, nullptr, 2),
      IBitmapBase(bitmap) {
  AttachIControl(this);
}

IBSwitchControl::IBSwitchControl(float x, float y, const IBitmapHandle& bitmap, int paramIdx)
    : ISwitchControlBase(BitmapRECT(x, y, bitmap), paramIdx, nullptr, 2), IBitmapBase(bitmap) {
  AttachIControl(this);
}

void IBSwitchControl::Draw(IGraphics& g) {
  DrawBitmap(g);
}

void IBSwitchControl::OnRescale() {
  ReloadBitmap(mGraphics);
}

// The frames, not the parameter's number of states, decide the step, so every click
// shows the next picture.
void IBSwitchControl::OnMouseDown(float, float, const IMouseMod&) {
  const int frames = mBitmap.N();
  const double step = frames >= 2 ? 1. / (frames - 1) : 1.;
  SetValue(GetValue(0) + step, 0);
  if (!(GetValue(0) <= kWrapThreshold)) SetValue(0., 0);
  MarkDirty(true);
}
