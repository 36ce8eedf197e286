// Before any X11 header: Xlib defines macros (None, Bool) that clash with gtest's names.
#include <gtest/gtest.h>

#include "BubbleEditor.h"
#include "IBubbleControl.h"

#include <cstdio>

namespace {

constexpr int kMeasureMs = 3000;

class IdleFramesTest : public BubbleEditor {};

// Frames per second the editor draws while the pointer rests: nothing changes, so nothing is
// drawn. The numbers are printed for the record of what an idle editor costs.
TEST_F(IdleFramesTest, RestingEditorDrawsNoFrames) {
  IGraphicsLinux* g = Open(1.f);
  ASSERT_NE(g, nullptr);
  mLoop.Pump(300);
  // The counter counts: the first picture was drawn.
  EXPECT_GT(g->DrawnFrameCount(), 0u);

  PointerTo(1000.f, 60.f); // the background, away from every control
  mLoop.Pump(1000);
  uint64_t before = g->DrawnFrameCount();
  mLoop.Pump(kMeasureMs);
  const double outside = (g->DrawnFrameCount() - before) * 1000. / kMeasureMs;

  // Resting on a knob: its value bubble is up and stays as it is.
  PointerTo(kInputGainOverlayX, kInputGainOverlayY);
  mLoop.Pump(1000);
  ASSERT_TRUE(g->GetBubbleControl() && g->GetBubbleControl()->IsShown());
  before = g->DrawnFrameCount();
  mLoop.Pump(kMeasureMs);
  const double hovering = (g->DrawnFrameCount() - before) * 1000. / kMeasureMs;

  std::printf("idle frames per second: pointer on the background %.2f, resting on a knob %.2f\n",
              outside, hovering);
  EXPECT_EQ(outside, 0.);
  EXPECT_EQ(hovering, 0.);
}

} // namespace
