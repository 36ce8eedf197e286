#include "ControlsTestGraphics.h"

#include "IBKnobControl.h"
#include "IBKnobRotaterControl.h"
#include "IBSwitchControl.h"
#include "IBitmapControl.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The frame drawn for a value, read back from the source offset the context was given.
int DrawnFrame(ControlsEditor& e, IControl& c, double value, int frameH) {
  c.SetValue(value, 0);
  e.g->srcOffsets.clear();
  c.Draw(*e.g);
  if (e.g->srcOffsets.size() != 1) return -1;
  return e.g->srcOffsets[0].second / frameH + 1;
}

double DegreesOf(const IMatrix& m) {
  return std::atan2(m.mYX, m.mXX) * 180. / 3.14159265358979;
}

void Click(IGraphics& g, float x, float y) {
  g.OnMouseDown(Point(x, y));
  g.OnMouseUp(Point(x, y));
}

void DoubleClick(IGraphics& g, float x, float y) {
  g.OnMouseDblClick(x, y, IMouseMod(true));
  g.OnMouseUp(Point(x, y));
}

} // namespace

TEST(FilmstripFrames, TwoFramesChangeAtOneHalf) {
  ControlsEditor e;
  IBitmapHandle bmp = MakeBitmap(e.store, "led.png", 30, 60, 2);
  auto* knob = new IBKnobControl(IRECT(10, 10, 40, 40), bmp, TestDelegate::kGain);
  e.g->AddControl(knob);
  EXPECT_EQ(DrawnFrame(e, *knob, 0.0, 30), 1);
  EXPECT_EQ(DrawnFrame(e, *knob, 0.4999, 30), 1);
  EXPECT_EQ(DrawnFrame(e, *knob, 0.5, 30), 2);
  EXPECT_EQ(DrawnFrame(e, *knob, 1.0, 30), 2);
}

TEST(FilmstripFrames, FourFramesChangeAtSixths) {
  ControlsEditor e;
  IBitmapHandle bmp = MakeBitmap(e.store, "os.png", 20, 80, 4);
  auto* sw = new IBSwitchControl(IRECT(0, 0, 20, 20), bmp, TestDelegate::kMode);
  e.g->AddControl(sw);
  const double eps = 1e-9;
  EXPECT_EQ(DrawnFrame(e, *sw, 1. / 6. - eps, 20), 1);
  EXPECT_EQ(DrawnFrame(e, *sw, 1. / 6., 20), 2);
  EXPECT_EQ(DrawnFrame(e, *sw, 0.5 - eps, 20), 2);
  EXPECT_EQ(DrawnFrame(e, *sw, 0.5, 20), 3);
  EXPECT_EQ(DrawnFrame(e, *sw, 5. / 6. - eps, 20), 3);
  EXPECT_EQ(DrawnFrame(e, *sw, 5. / 6., 20), 4);
}

TEST(FilmstripFrames, OutOfRangeValuesShowTheEndFrames) {
  EXPECT_EQ(IBitmapBase::FrameForValue(4, -3.), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(4, 7.), 4);
  EXPECT_EQ(IBitmapBase::FrameForValue(4, std::nan("")), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(1, 0.9), 1);
  EXPECT_EQ(IBitmapBase::FrameForValue(0, 0.9), 1);
}

TEST(FilmstripFrames, FrameIsCentredInTheDrawingRectangle) {
  ControlsEditor e;
  IBitmapHandle bmp = MakeBitmap(e.store, "knob.png", 30, 60, 2);
  auto* knob = new IBKnobControl(IRECT(0, 0, 100, 50), bmp, TestDelegate::kGain);
  e.g->AddControl(knob);
  const IRECT expected(35, 10, 65, 40);
  EXPECT_EQ(knob->GetRECT(), expected);
  knob->Draw(*e.g);
  ASSERT_EQ(e.g->bitmapDests.size(), 1u);
  EXPECT_EQ(e.g->bitmapDests[0], expected);
}

TEST(BitmapControls, EmptyBitmapGivesZeroSizedControlThatDrawsNothing) {
  ControlsEditor e;
  auto* c = new IBitmapControl(50, 60, IBitmapHandle());
  e.g->AddControl(c);
  EXPECT_EQ(c->GetRECT(), IRECT(50, 60, 50, 60));
  c->Draw(*e.g);
  EXPECT_TRUE(e.g->bitmapDests.empty());
  EXPECT_FALSE(c->HitTest(50, 60));
}

TEST(RotatingKnob, TurnsFromMinus130To130AroundItsCentre) {
  ControlsEditor e;
  IBitmapHandle bmp = MakeBitmap(e.store, "Nuppi.png", 60, 40, 1);
  auto* knob = new IBKnobRotaterControl(100, 200, bmp, TestDelegate::kGain);
  e.g->AddControl(knob);
  EXPECT_EQ(knob->GetRECT(), IRECT(100, 200, 160, 240));

  const double values[] = {0., 0.5, 1.};
  const double angles[] = {-130., 0., 130.};
  for (int i = 0; i < 3; ++i) {
    knob->SetValue(values[i], 0);
    e.g->drawTransforms.clear();
    e.g->bitmapDests.clear();
    knob->Draw(*e.g);
    ASSERT_EQ(e.g->drawTransforms.size(), 1u);
    const IMatrix& m = e.g->drawTransforms[0];
    EXPECT_NEAR(DegreesOf(m), angles[i], 1e-4);
    EXPECT_FLOAT_EQ(static_cast<float>(m.mTX), 130.f);
    EXPECT_FLOAT_EQ(static_cast<float>(m.mTY), 220.f);
    EXPECT_EQ(e.g->bitmapDests[0], IRECT(-30, -20, 30, 20));
    // The drawing transform is put back afterwards.
    EXPECT_EQ(e.g->GetTransform(), IMatrix());
  }
  EXPECT_EQ(knob->GetTargetRECT(), IRECT(100, 200, 160, 240));
}

TEST(BitmapSwitch, FourFramesCycleByClicksAndDoubleClicks) {
  ControlsEditor e;
  IBitmapHandle bmp = MakeBitmap(e.store, "Oversampling.png", 20, 80, 4);
  auto* sw = new IBSwitchControl(10.f, 10.f, bmp, TestDelegate::kMode);
  e.g->AddControl(sw);
  const double expected[] = {1. / 3., 2. / 3., 1., 0., 1. / 3.};
  for (int i = 0; i < 5; ++i) {
    if (i % 2)
      DoubleClick(*e.g, 15, 15);
    else
      Click(*e.g, 15, 15);
    EXPECT_NEAR(sw->GetValue(0), expected[i], 1e-12) << "step " << i;
    EXPECT_NEAR(e.dlg.GetParam(TestDelegate::kMode)->Normalized(), expected[i], 1e-12);
  }
  EXPECT_EQ(e.dlg.events.size(), 15u);
}

TEST(BitmapSwitch, StepFollowsFramesNotStates) {
  ControlsEditor e;
  // A 2-frame strip on a 4-value parameter toggles between the ends.
  IBitmapHandle two = MakeBitmap(e.store, "Flipper.png", 20, 40, 2);
  auto* sw = new IBSwitchControl(0.f, 0.f, two, TestDelegate::kMode);
  e.g->AddControl(sw);
  Click(*e.g, 5, 5);
  EXPECT_EQ(sw->GetValue(0), 1.);
  Click(*e.g, 5, 5);
  EXPECT_EQ(sw->GetValue(0), 0.);

  IBitmapHandle one = MakeBitmap(e.store, "Single.png", 20, 20, 1);
  auto* single = new IBSwitchControl(100.f, 0.f, one);
  e.g->AddControl(single);
  Click(*e.g, 105, 5);
  EXPECT_EQ(single->GetValue(0), 1.);
  Click(*e.g, 105, 5);
  EXPECT_EQ(single->GetValue(0), 0.);
}

TEST(BitmapControls, ReloadAtTheScreensDensity) {
  ControlsEditor e;
  e.store.Define("Nuppi.png", 60, 60);
  e.store.Define("Flip.png", 20, 40);
  IBitmapHandle knobBmp = e.g->LoadBitmapResource("Nuppi.png", 1, false, 2);
  IBitmapHandle flipBmp = e.g->LoadBitmapResource("Flip.png", 2, false, 2);
  auto* knob = new IBKnobRotaterControl(10, 10, knobBmp, TestDelegate::kGain);
  auto* flip = new IBSwitchControl(100.f, 10.f, flipBmp, TestDelegate::kSwitch);
  e.g->AddControl(knob);
  e.g->AddControl(flip);
  // Attaching reloads at the screen's density, 1 here.
  EXPECT_EQ(knob->GetBitmap().GetAPIBitmap()->Scale(), 1.f);
  EXPECT_EQ(flip->GetBitmap().GetAPIBitmap()->Scale(), 1.f);

  e.g->SetScreenScale(1.5f);
  EXPECT_EQ(knob->GetBitmap().GetAPIBitmap()->Scale(), 2.f);
  EXPECT_EQ(flip->GetBitmap().GetAPIBitmap()->Scale(), 2.f);
  EXPECT_EQ(flip->GetBitmap().N(), 2);
  EXPECT_EQ(flip->GetBitmap().GetResourceName(), "Flip.png");
  // Positions stay in UI units.
  EXPECT_EQ(knob->GetRECT(), IRECT(10, 10, 70, 70));
  EXPECT_EQ(flip->GetRECT(), IRECT(100, 10, 120, 30));
}

TEST(Background, InsertedFirstWithoutTagOrAttachHook) {
  ControlsEditor e;
  e.store.Define("Kelvorabackground.jpg", 1630, 1010);
  auto* first = new ProbeControl(IRECT(0, 0, 10, 10));
  e.g->AddControl(first, 7);
  e.g->AddBackground("Kelvorabackground.jpg");
  ASSERT_EQ(e.g->ControlCount(), 2);
  auto* bg = dynamic_cast<IBitmapControl*>(e.g->ControlAt(0));
  ASSERT_NE(bg, nullptr);
  EXPECT_EQ(e.g->ControlAt(1), first);
  EXPECT_EQ(e.g->FindControlByTag(7), first);
  EXPECT_EQ(bg->GetRECT(), IRECT(0, 0, 1630, 1010));
  EXPECT_EQ(bg->BoundParam(0), kNoParameter);
  EXPECT_EQ(bg->OwnerGraphics(), e.g);
  EXPECT_EQ(e.g->loads.front(), std::make_pair(std::string("Kelvorabackground.jpg"), 1));
}
