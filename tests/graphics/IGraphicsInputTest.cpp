#include "QwertyMidiKeyboard.h"
#include "TestGraphics.h"

#include <gtest/gtest.h>

namespace {
ProbeControl* Probe(IGraphics& g, const IRECT& r, int param = kNoParameter) {
  return static_cast<ProbeControl*>(g.AddControl(new ProbeControl(r, param)));
}
} // namespace

TEST(HitTesting, TopmostEligibleControlWinsAndBackgroundNeverHovers) {
  Editor e;
  e.g->SetHoverTracking(true);
  Probe(*e.g, IRECT(0, 0, 400, 300));
  auto* under = Probe(*e.g, IRECT(10, 10, 50, 50));
  auto* hidden = Probe(*e.g, IRECT(10, 10, 50, 50));
  auto* transparent = Probe(*e.g, IRECT(10, 10, 50, 50));
  auto* disabled = Probe(*e.g, IRECT(10, 10, 50, 50));
  hidden->Hide(true);
  transparent->SetMouseTransparent(true);
  disabled->SetDisabled(true);
  EXPECT_EQ(e.g->ControlIndexUnderPointer(20, 20), 1);
  disabled->SetMouseWhenDisabled(true);
  EXPECT_EQ(e.g->ControlIndexUnderPointer(20, 20), 4);
  EXPECT_EQ(e.g->ControlIndexUnderPointer(20, 20, true), 1);
  EXPECT_EQ(e.g->ControlIndexUnderPointer(200, 200), 0);
  EXPECT_EQ(e.g->ControlIndexUnderPointer(200, 200, true), -1);
  EXPECT_FALSE(e.g->OnMouseOver(200, 200, IMouseMod()));
  EXPECT_TRUE(e.g->OnMouseOver(20, 20, IMouseMod()));
  EXPECT_EQ(e.g->GetMouseOverControl(), under);
  EXPECT_TRUE(under->GetMouseIsOver());
  e.g->OnMouseOut();
  EXPECT_FALSE(under->GetMouseIsOver());
  EXPECT_EQ(e.g->GetMouseOverIdx(), -1);
}

TEST(MouseDispatch, ClickIsOneEditGestureAndCaptureHoldsTheControl) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 50, 50), TestDelegate::kGain);
  e.g->OnMouseDown(Point(10, 10));
  EXPECT_TRUE(e.g->IsControlCaptured(c));
  c->SetValueFromPlugin(0.7);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.); // the user's drag wins over the host
  e.g->OnMouseDrag(Point(300, 300, IMouseMod(true), 0, 0));
  e.g->OnMouseDrag(Point(300, 300, IMouseMod(true), 5, 0));
  EXPECT_EQ(c->drags, 1);
  e.g->OnMouseUp(Point(300, 300));
  EXPECT_FALSE(e.g->ControlIsCaptured());
  EXPECT_EQ(e.dlg.events, (std::vector<std::string>{"begin 0", "end 0"}));
  EXPECT_EQ(c->downs, 1);
  EXPECT_EQ(c->ups, 1);
}

TEST(MouseDispatch, RightClickOnParameterGoesToHostMenu) {
  Editor e(400, 300, 2.f);
  auto* bound = Probe(*e.g, IRECT(0, 0, 50, 50), TestDelegate::kGain);
  auto* unbound = Probe(*e.g, IRECT(100, 0, 150, 50));
  const IMouseMod right(false, true);
  e.g->OnMouseDown(Point(10, 20, right));
  EXPECT_EQ(bound->downs, 0);
  EXPECT_FALSE(e.g->ControlIsCaptured());
  EXPECT_EQ(e.dlg.hostMenuParam, TestDelegate::kGain);
  EXPECT_EQ(e.dlg.hostMenuItems, 1);
  EXPECT_FLOAT_EQ(e.dlg.hostMenuX, 20.f);
  EXPECT_FLOAT_EQ(e.dlg.hostMenuY, 40.f);
  EXPECT_TRUE(e.dlg.events.empty());
  e.g->OnMouseDown(Point(110, 10, right));
  EXPECT_EQ(unbound->downs, 1);
}

TEST(MouseDispatch, RemovalReleasesCaptureAndHover) {
  Editor e;
  e.g->SetHoverTracking(true);
  Probe(*e.g, IRECT(0, 0, 400, 300));
  auto* c = Probe(*e.g, IRECT(0, 0, 50, 50));
  e.g->OnMouseOver(10, 10, IMouseMod());
  e.g->OnMouseDown(Point(10, 10));
  e.g->SetCursorHidden(true, true);
  e.g->DeleteControl(c);
  EXPECT_FALSE(e.g->ControlIsCaptured());
  EXPECT_FALSE(e.g->CursorIsHidden());
  EXPECT_EQ(e.g->GetMouseOverControl(), nullptr);
  e.g->OnMouseDrag(Point(20, 20, IMouseMod(true), 1, 1));
  e.g->OnMouseUp(Point(20, 20));
}

TEST(MouseDispatch, DoubleClickResetsOrCountsAsSingleClick) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 50, 50), TestDelegate::kGain);
  c->SetValue(0.9);
  EXPECT_TRUE(e.g->OnMouseDblClick(10, 10, IMouseMod(true)));
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.5);
  EXPECT_FALSE(e.g->ControlIsCaptured());
  c->SetDoubleClickAsSingle(true);
  e.g->OnMouseDblClick(10, 10, IMouseMod(true));
  EXPECT_EQ(c->downs, 1);
  EXPECT_TRUE(e.g->IsControlCaptured(c));
  e.g->OnMouseUp(Point(10, 10));
  EXPECT_FALSE(e.g->OnMouseDblClick(300, 300, IMouseMod(true)));
}

TEST(MouseDispatch, WheelReachesControlUnderPointerOnly) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 50, 50));
  e.g->OnMouseWheel(10, 10, IMouseMod(), 1.f);
  e.g->OnMouseWheel(100, 100, IMouseMod(), 1.f);
  EXPECT_EQ(c->wheels, 1);
}

TEST(Prompts, EnumParameterOffersMenuAndChoiceSetsValue) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 50, 50), TestDelegate::kMode);
  c->SetPromptDisabled(false);
  e.dlg.GetParam(TestDelegate::kMode)->SetValue(2.);
  e.g->menuChoice = 3;
  c->PromptForValue(0);
  ASSERT_NE(e.g->shownMenu, nullptr);
  EXPECT_STREQ(e.g->shownMenu->GetRootTitle(), "Mode");
  EXPECT_EQ(e.g->shownMenu->NItems(), 4);
  EXPECT_TRUE(e.g->shownMenu->GetItem(2)->GetChecked());
  EXPECT_FALSE(e.g->shownMenu->GetItem(0)->GetChecked());
  EXPECT_EQ(e.g->menuBounds, c->GetRECT());
  EXPECT_DOUBLE_EQ(c->GetValue(), 1.);
  EXPECT_DOUBLE_EQ(e.dlg.GetParam(TestDelegate::kMode)->Value(), 3.);
  EXPECT_EQ(e.dlg.events.back(), "end 1");
  EXPECT_EQ(e.g->GetControlInPopup(), nullptr);
}

TEST(Prompts, DismissedMenuChangesNothingAndDisabledPromptsDoNothing) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 50, 50), TestDelegate::kSwitch);
  c->PromptForValue(0);
  EXPECT_EQ(e.g->shownMenu, nullptr);
  c->SetPromptDisabled(false);
  c->PromptForValue(0);
  ASSERT_NE(e.g->shownMenu, nullptr);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.);
  e.g->FinishPopupMenu(nullptr); // nothing pending any more
}

TEST(Prompts, TextEntryParsesTypedValue) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 100, 40), TestDelegate::kGain);
  c->SetPromptDisabled(false);
  c->SetShowParamLabel(true);
  c->PromptForValue(0);
  EXPECT_EQ(e.g->textEntryString, "50.0 %");
  EXPECT_EQ(e.g->textEntryBounds, IRECT(30, 12, 70, 28));
  EXPECT_EQ(e.g->GetControlInTextEntry(), c);
  e.g->FinishTextEntry("250");
  EXPECT_DOUBLE_EQ(c->GetValue(), 1.);
  EXPECT_EQ(e.g->GetControlInTextEntry(), nullptr);
  e.g->FinishTextEntry("10");
  EXPECT_DOUBLE_EQ(c->GetValue(), 1.);
}

TEST(Prompts, UnboundTextEntryGoesToTheControl) {
  Editor e;
  auto* c = Probe(*e.g, IRECT(0, 0, 100, 40));
  e.g->CreateTextEntry(*c, IText(), c->GetRECT(), "abc", kNoValIdx);
  e.g->FinishTextEntry("typed");
  EXPECT_EQ(c->entered, "typed");
}

TEST(QwertyKeyboard, BaseNoteLimitsAndHeldNotes) {
  Editor e;
  std::vector<IMidiMsg> echoed;
  e.g->SetQwertyMidiKeyHandlerFunc([&](const IMidiMsg& m) { echoed.push_back(m); });
  for (int i = 0; i < 6; ++i)
    e.g->OnKeyDown(0, 0, IKeyPress("z", 'Z'));
  EXPECT_EQ(QwertyMidiKeyboard::BaseNote(), 24);
  for (int i = 0; i < 9; ++i)
    e.g->OnKeyDown(0, 0, IKeyPress("x", 'X'));
  EXPECT_EQ(QwertyMidiKeyboard::BaseNote(), 96);
  e.g->OnKeyDown(0, 0, IKeyPress("z", 'Z'));
  e.g->OnKeyDown(0, 0, IKeyPress("z", 'Z'));
  e.g->OnKeyDown(0, 0, IKeyPress("z", 'Z')); // 60
  e.dlg.midi.clear();
  EXPECT_TRUE(e.g->OnKeyDown(0, 0, IKeyPress("e", 'E')));
  EXPECT_TRUE(e.g->OnKeyDown(0, 0, IKeyPress("e", 'E'))); // auto-repeat
  ASSERT_EQ(e.dlg.midi.size(), 1u);
  EXPECT_EQ(e.dlg.midi[0], IMidiMsg(0, 144, 63, 127));
  EXPECT_TRUE(QwertyMidiKeyboard::IsHeld(63));
  EXPECT_TRUE(e.g->OnKeyDown(0, 0, IKeyPress("q", 'Q')));
  EXPECT_TRUE(e.g->OnKeyUp(0, 0, IKeyPress("e", 'E')));
  ASSERT_EQ(e.dlg.midi.size(), 2u);
  EXPECT_EQ(e.dlg.midi[1], IMidiMsg(0, 128, 63, 0));
  EXPECT_FALSE(QwertyMidiKeyboard::IsHeld(63));
  EXPECT_EQ(echoed.back(), e.dlg.midi.back());
}

TEST(KeyDispatch, WithoutHandlerKeysAreNotHandled) {
  Editor e;
  EXPECT_FALSE(e.g->OnKeyDown(0, 0, IKeyPress("a", 'A')));
  EXPECT_FALSE(e.dlg.OnKeyDown(IKeyPress("a", 'A')));
}
