#include "ControlsTestGraphics.h"

#include "IBubbleControl.h"
#include "ICornerResizerControl.h"
#include "IParam.h"

#include <gtest/gtest.h>

namespace {

// An open 400 × 300 editor with a bubble and three controls bound to the delegate's
// parameters, the background first. Text measures 8 units a character.
struct BubbleEditor : ControlsEditor {
  explicit BubbleEditor(float scale = 1.f) : ControlsEditor(400, 300, scale) {
    background = new ProbeControl(IRECT(0, 0, 400, 300));
    g->AddControl(background);
    gain = new ProbeControl(IRECT(100, 100, 200, 150), TestDelegate::kGain);
    g->AddControl(gain);
    mode = new ProbeControl(IRECT(360, 10, 400, 40), TestDelegate::kMode);
    g->AddControl(mode);
    toggle = new ProbeControl(IRECT(120, 60, 180, 90), TestDelegate::kSwitch);
    g->AddControl(toggle);
    bubble = new IBubbleControl();
    g->AttachBubbleControl(bubble);
    g->SetHoverTracking(true);
    Tick();
  }

  // One display tick as the platform runs it: true when a frame would be drawn.
  bool Tick() {
    rects.Clear();
    const bool dirty = g->IsDirty(rects);
    g->MarkAllClean();
    return dirty;
  }
  bool DirtyCovers(const IRECT& r) const {
    for (int i = 0; i < rects.Size(); ++i) {
      const IRECT d = rects.Get(i);
      if (d.L <= r.L && d.T <= r.T && d.R >= r.R && d.B >= r.B) return true;
    }
    return false;
  }
  void Hover(float x, float y) { g->OnMouseOver(x, y, IMouseMod()); }

  ProbeControl* background;
  ProbeControl* gain;
  ProbeControl* mode;
  ProbeControl* toggle;
  IBubbleControl* bubble;
  IRECTList rects;
};

TEST(BubbleControl, NothingToShowCostsNoFrameAndTakesNoInput) {
  BubbleEditor e;
  // Half a second of the editor's 60 ticks.
  EXPECT_EQ(e.bubble->HideDelayTicks(), 30);
  EXPECT_FALSE(e.bubble->IsShown());
  EXPECT_EQ(e.g->GetBubbleControl(), e.bubble);
  EXPECT_EQ(e.g->GetBubbleControl(1), nullptr);
  // The background has no parameter: resting on it shows nothing and draws nothing.
  e.Hover(20, 250);
  for (int i = 0; i < 100; ++i)
    ASSERT_FALSE(e.Tick()) << i;
  EXPECT_FALSE(e.bubble->IsShown());
  EXPECT_EQ(e.g->ControlCount(), 4);
}

TEST(BubbleControl, HoverShowsNameDisplayTextAndLabelAboveTheControl) {
  BubbleEditor e;
  e.Hover(150, 125);
  EXPECT_TRUE(e.Tick());
  ASSERT_TRUE(e.bubble->IsShown());
  EXPECT_EQ(e.bubble->GetStr(), "Gain 50.0 %");
  EXPECT_EQ(e.bubble->GetParamIdx(), TestDelegate::kGain);
  // 11 characters of 8 units plus 8 points each side; 13 points of text with its line
  // height and 4 points above and below; 2 points above the control, centred over it.
  EXPECT_EQ(e.bubble->GetRECT(), IRECT(98, 74, 202, 98));
  EXPECT_TRUE(e.DirtyCovers(e.bubble->GetRECT()));

  // Display texts stand for the value, with no label: as a host shows them.
  e.Hover(150, 75);
  e.Tick();
  EXPECT_EQ(e.bubble->GetStr(), "Delta Off");

  // Resting there draws nothing more.
  for (int i = 0; i < 50; ++i)
    ASSERT_FALSE(e.Tick()) << i;
}

TEST(BubbleControl, FollowsValuesFromAnySourceAndRedrawsOnlyWhenTheTextChanges) {
  BubbleEditor e;
  e.Hover(150, 125);
  e.Tick();
  IParam& gain = *e.dlg.GetParam(TestDelegate::kGain);
  gain.SetValue(62.5);
  EXPECT_TRUE(e.Tick());
  EXPECT_EQ(e.bubble->GetStr(), "Gain 62.5 %");
  // A change below the shown precision leaves the picture as it is.
  gain.SetValue(62.52);
  EXPECT_FALSE(e.Tick());
  EXPECT_EQ(e.bubble->GetStr(), "Gain 62.5 %");
  // A longer text widens the bubble; what it covered before is redrawn as well.
  const IRECT before = e.bubble->GetRECT();
  gain.SetValue(100.);
  EXPECT_TRUE(e.Tick());
  EXPECT_EQ(e.bubble->GetStr(), "Gain 100.0 %");
  EXPECT_GT(e.bubble->GetRECT().W(), before.W());
  EXPECT_TRUE(e.DirtyCovers(before));
  EXPECT_TRUE(e.DirtyCovers(e.bubble->GetRECT()));
}

TEST(BubbleControl, DragKeepsTheHeldControlsBubbleWhereverThePointerGoes) {
  BubbleEditor e;
  e.g->OnMouseDown(Point(150, 125));
  e.Tick();
  ASSERT_TRUE(e.bubble->IsShown());
  // Values from the drag reach the parameter and the bubble.
  e.gain->SetValueFromUser(0.25);
  e.Tick();
  EXPECT_EQ(e.bubble->GetStr(), "Gain 25.0 %");
  // Host automation during the drag: the control ignores it, the bubble shows it.
  e.dlg.GetParam(TestDelegate::kGain)->SetValue(90.);
  e.dlg.SendParamValueToEditor(TestDelegate::kGain, 90., false);
  e.Tick();
  EXPECT_DOUBLE_EQ(e.gain->GetValue(), 0.25);
  EXPECT_EQ(e.bubble->GetStr(), "Gain 90.0 %");
  // Far off the control and beyond any hide delay: still the held control's value.
  e.g->OnMouseDrag(Point(10, 290, IMouseMod(true), 0.f, 30.f));
  for (int i = 0; i < 2 * e.bubble->HideDelayTicks(); ++i)
    e.Tick();
  EXPECT_TRUE(e.bubble->IsShown());
  EXPECT_EQ(e.bubble->GetParamIdx(), TestDelegate::kGain);
  // Released over the background: it goes after the delay.
  e.g->OnMouseUp(Point(10, 290));
  e.Tick();
  EXPECT_TRUE(e.bubble->IsShown());
  for (int i = 0; i < e.bubble->HideDelayTicks(); ++i)
    e.Tick();
  EXPECT_FALSE(e.bubble->IsShown());
}

TEST(BubbleControl, LeavingHidesAfterTheDelayAndRepaintsWhereItWas) {
  BubbleEditor e;
  e.bubble->SetHideDelay(3);
  e.Hover(150, 125);
  e.Tick();
  const IRECT shown = e.bubble->GetRECT();
  e.g->OnMouseOut();
  // The control redraws once for the pointer having left; the bubble waits without drawing.
  e.Tick();
  EXPECT_TRUE(e.bubble->IsShown());
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(e.Tick()) << i;
    EXPECT_TRUE(e.bubble->IsShown()) << i;
  }
  // The tick that hides it repaints its place; nothing after that.
  EXPECT_TRUE(e.Tick());
  EXPECT_FALSE(e.bubble->IsShown());
  EXPECT_TRUE(e.DirtyCovers(shown));
  for (int i = 0; i < 20; ++i)
    ASSERT_FALSE(e.Tick()) << i;

  // Coming back before the delay runs out keeps it without a gap.
  e.Hover(150, 125);
  e.Tick();
  e.g->OnMouseOut();
  e.Tick();
  e.Hover(150, 125);
  for (int i = 0; i < 10; ++i)
    e.Tick();
  EXPECT_TRUE(e.bubble->IsShown());
}

TEST(BubbleControl, MovingToAnotherControlRepaintsTheOldPlace) {
  BubbleEditor e;
  e.Hover(150, 125);
  e.Tick();
  const IRECT first = e.bubble->GetRECT();
  e.Hover(150, 75);
  EXPECT_TRUE(e.Tick());
  EXPECT_NE(e.bubble->GetRECT(), first);
  EXPECT_TRUE(e.DirtyCovers(first));
  EXPECT_TRUE(e.DirtyCovers(e.bubble->GetRECT()));
}

TEST(BubbleControl, StaysInsideTheEditorAtItsEdges) {
  BubbleEditor e;
  // At the top right corner: below the control and moved in from the right side.
  e.Hover(380, 20);
  e.Tick();
  ASSERT_EQ(e.bubble->GetStr(), "Mode 1x");
  const IRECT r = e.bubble->GetRECT();
  EXPECT_EQ(r.T, 42.f);
  EXPECT_EQ(r.R, 397.f);
  EXPECT_EQ(r.W(), 72.f);

  // A text wider than the editor starts at its left margin.
  BubbleEditor narrow;
  narrow.dlg.GetParam(TestDelegate::kGain)
      ->DefineDouble("A very long parameter name", 50., 0., 100., 0.1, "units");
  narrow.Hover(150, 125);
  narrow.Tick();
  EXPECT_EQ(narrow.bubble->GetRECT().L, 3.f);
  EXPECT_GE(narrow.bubble->GetRECT().T, 0.f);
}

TEST(BubbleControl, KeepsItsSizeInWindowPointsOnDevicePixelsAtEveryScale) {
  BubbleEditor e(0.5f);
  e.g->SetScreenScale(2.f);
  e.Hover(150, 125);
  e.Tick();
  // Padding and text size double in UI units at draw scale 0.5; the measured text does not.
  const IRECT r = e.bubble->GetRECT();
  EXPECT_EQ(r.W(), 88.f + 32.f);
  EXPECT_EQ(r.H(), 49.f);
  EXPECT_EQ(r.B, 96.f);

  e.g->Resize(400, 300, 0.75f, false);
  e.Hover(150, 125);
  e.Tick();
  const IRECT s = e.bubble->GetRECT();
  const float px = e.g->BackingPixelScale();
  for (float edge : {s.L, s.T, s.R, s.B})
    EXPECT_FLOAT_EQ(edge * px, std::round(edge * px)) << edge;
  EXPECT_LE(s.B, 100.f);
}

// The pointer stays where it was on the screen while the picture changes under it: neither
// the hover nor its bubble may stay with a control the pointer has not been seen on since.
TEST(BubbleControl, GoesAtOnceWithTheHoverWhenTheEditorIsResizedUnderThePointer) {
  BubbleEditor e;
  const auto hoverGain = [&e] {
    e.Hover(150, 125);
    e.Tick();
    ASSERT_TRUE(e.bubble->IsShown());
    ASSERT_EQ(e.g->GetMouseOverControl(), e.gain);
  };
  const auto expectGone = [&e](const char* what) {
    EXPECT_FALSE(e.bubble->IsShown()) << what;
    EXPECT_EQ(e.g->GetMouseOverControl(), nullptr) << what;
    EXPECT_EQ(e.g->GetMouseOverIdx(), -1) << what;
    EXPECT_FALSE(e.gain->GetMouseIsOver()) << what;
    e.Tick();
    EXPECT_FALSE(e.bubble->IsShown()) << what;
  };
  hoverGain();
  e.g->Resize(400, 300, 1.5f, true);
  expectGone("editor resize");
  hoverGain();
  e.g->FitToWindow(300, 300);
  expectGone("host's window");
  hoverGain();
  e.g->SetScreenScale(2.f);
  expectGone("screen scale");

  // The corner's own drag keeps the corner hovered: the pointer is on it throughout.
  e.g->AddCornerResizer(kResizeModeScale, false, COLOR_BLACK, COLOR_BLACK, COLOR_BLACK, 20.f);
  const IRECT corner = e.g->GetCornerResizer()->GetRECT();
  e.Hover(corner.MW(), corner.MH());
  ASSERT_EQ(e.g->GetMouseOverControl(), e.g->GetCornerResizer());
  e.g->OnMouseDown(Point(corner.MW(), corner.MH()));
  e.g->OnMouseDrag(Point(corner.MW() + 40.f, corner.MH() + 30.f, IMouseMod(true), 40.f, 30.f));
  EXPECT_EQ(e.g->GetMouseOverControl(), e.g->GetCornerResizer());
}

TEST(BubbleControl, AClickOnTheBubbleReachesTheControlUnderIt) {
  BubbleEditor e;
  e.bubble->SetHideDelay(100);
  e.Hover(150, 125);
  e.Tick();
  // The gain's bubble, lingering after the pointer left, stands over the switch's bottom.
  e.g->OnMouseOut();
  e.Tick();
  ASSERT_TRUE(e.bubble->IsShown());
  ASSERT_TRUE(e.bubble->GetRECT().Contains(150, 85));
  ASSERT_TRUE(e.toggle->GetRECT().Contains(150, 85));
  e.g->OnMouseDown(Point(150, 85));
  e.g->OnMouseUp(Point(150, 85));
  EXPECT_EQ(e.toggle->downs, 1);
  EXPECT_EQ(e.gain->downs, 0);
  EXPECT_EQ(e.g->GetMouseOverControl(), e.toggle);
  e.Tick();
  EXPECT_EQ(e.bubble->GetStr(), "Delta Off");
}

TEST(BubbleControl, IsDrawnAfterEveryOtherControl) {
  BubbleEditor e;
  e.Hover(150, 125);
  e.Tick();
  e.g->texts.clear();
  e.g->Draw(e.rects);
  ASSERT_FALSE(e.g->texts.empty());
  EXPECT_EQ(e.g->texts.back(), "Gain 50.0 %");
  EXPECT_GT(e.gain->draws, 0);
  // Fill and frame colours of the bubble close the frame.
  ASSERT_FALSE(e.g->fills.empty());
  EXPECT_EQ(e.g->fills.back(), IColor(238, 30, 25, 22));
  EXPECT_EQ(e.g->DrawnFrameCount(), 1u);
}

TEST(BubbleControl, AControlDeletedUnderThePointerLetsTheBubbleGo) {
  BubbleEditor e;
  e.bubble->SetHideDelay(2);
  e.Hover(150, 125);
  e.Tick();
  e.g->DeleteControl(e.gain);
  e.dlg.GetParam(TestDelegate::kGain)->SetValue(10.);
  e.Tick();
  EXPECT_EQ(e.bubble->GetStr(), "Gain 10.0 %");
  for (int i = 0; i < 3; ++i)
    e.Tick();
  EXPECT_FALSE(e.bubble->IsShown());
}

} // namespace
