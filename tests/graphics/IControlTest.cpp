#include "IButtonControlBase.h"
#include "IKnobControlBase.h"
#include "ISliderControlBase.h"
#include "ISwitchControlBase.h"
#include "TestGraphics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

class Knob : public IKnobControlBase {
public:
  using IKnobControlBase::IKnobControlBase;
  void Draw(IGraphics&) override {}
};

class Switch : public ISwitchControlBase {
public:
  using ISwitchControlBase::ISwitchControlBase;
  void Draw(IGraphics&) override {}
};

class Slider : public ISliderControlBase {
public:
  using ISliderControlBase::ISliderControlBase;
  void Draw(IGraphics&) override {}
};

class Button : public IButtonControlBase {
public:
  using IButtonControlBase::IButtonControlBase;
  void Draw(IGraphics&) override {}
};

const IMouseMod kLeft(true);
const IMouseMod kShift(true, false, true);

} // namespace

TEST(IKnobControlBase, DragByItsHeightAtGearingFourMovesAQuarter) {
  Editor e;
  auto* k = static_cast<Knob*>(e.g->AddControl(new Knob(IRECT(0, 0, 100, 100))));
  k->OnMouseDown(50, 50, kLeft);
  k->OnMouseDrag(50, -50, 0, -100, kLeft);
  EXPECT_NEAR(k->GetValue(), 0.25, 1e-12);
  k->OnMouseDrag(50, -50, 0, -100, kShift);
  EXPECT_NEAR(k->GetValue(), 0.275, 1e-12);
  EXPECT_TRUE(e.g->CursorIsHidden());
  k->OnMouseUp(50, 50, kLeft);
  EXPECT_FALSE(e.g->CursorIsHidden());
}

TEST(IKnobControlBase, DragTravelBeyondTheEndIsNotStored) {
  Editor e;
  auto* k = static_cast<Knob*>(e.g->AddControl(new Knob(IRECT(0, 0, 100, 100))));
  k->OnMouseDown(50, 50, kLeft);
  k->OnMouseDrag(50, 0, 0, -1000, kLeft);
  EXPECT_DOUBLE_EQ(k->GetValue(), 1.);
  k->OnMouseDrag(50, 0, 0, 40, kLeft);
  EXPECT_NEAR(k->GetValue(), 0.9, 1e-6);
}

TEST(IKnobControlBase, SteppedParameterLandsOnSteps) {
  Editor e;
  auto* k =
      static_cast<Knob*>(e.g->AddControl(new Knob(IRECT(0, 0, 100, 100), TestDelegate::kMode)));
  k->OnMouseDown(50, 50, kLeft);
  k->OnMouseDrag(50, 0, 0, -60, kLeft); // 0.15 → nearest of 0, 1/3, 2/3, 1
  EXPECT_DOUBLE_EQ(k->GetValue(), 0.);
  k->OnMouseDrag(50, 0, 0, -40, kLeft); // 0.25 → 1/3
  EXPECT_NEAR(k->GetValue(), 1. / 3., 1e-12);
  EXPECT_DOUBLE_EQ(e.dlg.GetParam(TestDelegate::kMode)->Value(), 1.);
}

TEST(IKnobControlBase, WheelStepsUnboundByHundredthsAndSteppedBySteps) {
  Editor e;
  auto* free = static_cast<Knob*>(e.g->AddControl(new Knob(IRECT(0, 0, 10, 10))));
  free->OnMouseWheel(0, 0, IMouseMod(), 1.f);
  EXPECT_NEAR(free->GetValue(), 0.01, 1e-12);
  free->OnMouseWheel(0, 0, IMouseMod(false, false, true), 1.f);
  EXPECT_NEAR(free->GetValue(), 0.011, 1e-12);
  free->OnMouseWheel(0, 0, IMouseMod(), -5.f);
  EXPECT_DOUBLE_EQ(free->GetValue(), 0.);

  auto* stepped =
      static_cast<Knob*>(e.g->AddControl(new Knob(IRECT(0, 0, 10, 10), TestDelegate::kMode)));
  stepped->OnMouseWheel(0, 0, IMouseMod(), 0.1f);
  EXPECT_NEAR(stepped->GetValue(), 1. / 3., 1e-12);
  for (int i = 0; i < 5; ++i)
    stepped->OnMouseWheel(0, 0, IMouseMod(), 1.f);
  EXPECT_DOUBLE_EQ(stepped->GetValue(), 1.);
}

TEST(IKnobControlBase, DegenerateAreaOrGearingIgnoresDrags) {
  Editor e;
  auto* flat = static_cast<Knob*>(e.g->AddControl(new Knob(IRECT(0, 0, 100, 0))));
  flat->OnMouseDown(0, 0, kLeft);
  flat->OnMouseDrag(0, 0, 0, -10, kLeft);
  EXPECT_DOUBLE_EQ(flat->GetValue(), 0.);
  auto* stuck = static_cast<Knob*>(
      e.g->AddControl(new Knob(IRECT(0, 0, 100, 100), kNoParameter, nullptr, kVertical, 0.)));
  stuck->OnMouseDown(0, 0, kLeft);
  stuck->OnMouseDrag(0, 0, 0, -10, kLeft);
  stuck->OnMouseDrag(0, 0, 0, std::numeric_limits<float>::quiet_NaN(), kLeft);
  EXPECT_DOUBLE_EQ(stuck->GetValue(), 0.);
}

TEST(ISwitchControlBase, FourStatesCycleAndTwoStatesFlip) {
  Editor e;
  auto* four = static_cast<Switch*>(
      e.g->AddControl(new Switch(IRECT(0, 0, 10, 10), TestDelegate::kMode, nullptr, 2)));
  EXPECT_EQ(four->GetNumStates(), 4); // taken from the parameter's range
  four->OnMouseDown(0, 0, kLeft);
  EXPECT_NEAR(four->GetValue(), 1. / 3., 1e-12);
  four->SetValue(1.);
  four->OnMouseDown(0, 0, kLeft);
  EXPECT_DOUBLE_EQ(four->GetValue(), 0.);

  auto* two = static_cast<Switch*>(e.g->AddControl(new Switch(IRECT(0, 0, 10, 10))));
  two->SetValue(0.4);
  two->OnMouseDown(0, 0, kLeft);
  EXPECT_DOUBLE_EQ(two->GetValue(), 0.);
  two->OnMouseDown(0, 0, kLeft);
  EXPECT_DOUBLE_EQ(two->GetValue(), 1.);
  EXPECT_TRUE(two->GetDoubleClickAsSingle());
}

TEST(ISliderControlBase, VisibleCursorJumpsToPointer) {
  Editor e;
  auto* s = static_cast<Slider*>(e.g->AddControl(new Slider(IRECT(0, 0, 10, 100))));
  s->SetHideCursorOnDrag(false);
  s->OnMouseDown(5, 50, kLeft);
  s->OnMouseDrag(5, 25, 0, -25, kLeft);
  EXPECT_NEAR(s->GetValue(), 0.75, 1e-9);
  s->OnMouseDrag(5, 500, 0, 475, kLeft);
  EXPECT_DOUBLE_EQ(s->GetValue(), 0.);
}

TEST(IButtonControlBase, PressSetsOneAndAnimationEndResets) {
  Editor e;
  int actions = 0;
  auto* b = static_cast<Button*>(
      e.g->AddControl(new Button(IRECT(0, 0, 10, 10), [&](IControl*) { ++actions; })));
  b->OnMouseDown(0, 0, kLeft);
  EXPECT_DOUBLE_EQ(b->GetValue(), 1.);
  EXPECT_EQ(actions, 1);
  b->OnAnimationEnd();
  EXPECT_DOUBLE_EQ(b->GetValue(), 0.);
  EXPECT_EQ(actions, 1);
}

TEST(IControl, MarkDirtySendsClampedValueAndUpdatesPeers) {
  Editor e;
  auto* a = static_cast<ProbeControl*>(
      e.g->AddControl(new ProbeControl(IRECT(0, 0, 10, 10), TestDelegate::kGain)));
  auto* peer = static_cast<ProbeControl*>(e.g->AddControl(
      new ProbeControl(IRECT(20, 0, 30, 10), {TestDelegate::kSwitch, TestDelegate::kGain})));
  a->SetValue(1.7);
  a->MarkDirty(true);
  EXPECT_DOUBLE_EQ(a->GetValue(), 1.);
  EXPECT_DOUBLE_EQ(e.dlg.lastValue, 1.);
  EXPECT_DOUBLE_EQ(peer->GetValue(1), 1.);
  EXPECT_DOUBLE_EQ(peer->GetValue(0), 0.);
  EXPECT_DOUBLE_EQ(e.dlg.GetParam(TestDelegate::kGain)->Value(), 100.);
}

TEST(IControl, NonFiniteAndOutOfRangeInputChangesNothing) {
  Editor e;
  auto* c = static_cast<ProbeControl*>(
      e.g->AddControl(new ProbeControl(IRECT(0, 0, 10, 10), TestDelegate::kGain)));
  c->SetValue(0.5);
  c->SetValueFromPlugin(std::numeric_limits<double>::quiet_NaN());
  c->SetValueFromUser(std::numeric_limits<double>::infinity());
  c->SetValue(0.9, 7);
  c->BindParam(1, 3);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.5);
  EXPECT_DOUBLE_EQ(c->GetValue(7), 0.);
  EXPECT_EQ(c->BoundParam(3), kNoParameter);
  c->SetSize(-5.f, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(c->GetRECT(), IRECT(0, 0, 0, 0));
  c->SetPosition(-10.f, 20.f);
  EXPECT_EQ(c->GetRECT().T, 20.f);
  EXPECT_EQ(c->GetRECT().L, 0.f);
}

TEST(IControl, DoubleClickRestoresDefault) {
  Editor e;
  auto* c = static_cast<ProbeControl*>(
      e.g->AddControl(new ProbeControl(IRECT(0, 0, 10, 10), TestDelegate::kGain)));
  c->SetValue(0.9);
  c->OnMouseDblClick(1, 1, kLeft);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.5);
}

TEST(IControl, DisabledKeepsValuesAndDimsBlend) {
  Editor e;
  auto* c = static_cast<ProbeControl*>(
      e.g->AddControl(new ProbeControl(IRECT(0, 0, 10, 10), TestDelegate::kGain)));
  c->SetDisabled(true);
  EXPECT_FLOAT_EQ(c->GetBlend().mWeight, 0.25f);
  c->SetValueFromPlugin(0.3);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.3);
}
