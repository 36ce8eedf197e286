#include "ControlsTestGraphics.h"

#include "ICornerResizerControl.h"
#include "ITextControl.h"

#include <gtest/gtest.h>

TEST(TextControl, SizeToTextCentresTheMeasuredBox) {
  ControlsEditor e(1630, 1010);
  IText style(20.f, COLOR_WHITE, "Roboto-Regular");
  auto* text = new ITextControl(IRECT(1480, 980, 1630, 1010), "v1.1.5 x86-64 VST3", style,
                                COLOR_TRANSPARENT, true);
  e.g->AddControl(text);
  // 18 characters of 8 units by the size of 20, centred on (1555, 995).
  EXPECT_EQ(text->GetRECT(), IRECT(1555 - 72, 985, 1555 + 72, 1005));
  EXPECT_EQ(text->GetTargetRECT(), text->GetRECT());

  text->AssignText("v2");
  EXPECT_EQ(text->GetRECT(), IRECT(1547, 985, 1563, 1005));
}

TEST(TextControl, DrawsBackgroundThenText) {
  ControlsEditor e;
  auto* text = new ITextControl(IRECT(10, 10, 200, 40), "hello", IText(), COLOR_RED);
  e.g->AddControl(text);
  text->Draw(*e.g);
  ASSERT_EQ(e.g->fills.size(), 1u);
  EXPECT_EQ(e.g->fills[0], COLOR_RED);
  ASSERT_EQ(e.g->texts.size(), 1u);
  EXPECT_EQ(e.g->texts[0], "hello");

  text->MarkClean();
  text->AssignText("hello");
  EXPECT_FALSE(text->IsDirty());
  text->AssignText("bye");
  EXPECT_TRUE(text->IsDirty());
  EXPECT_STREQ(text->GetStr(), "bye");
}

TEST(TextControl, ClicksReachTheControlBelow) {
  ControlsEditor e;
  auto* below = new ProbeControl(IRECT(0, 0, 100, 100));
  e.g->AddControl(below);
  e.g->AddControl(new ITextControl(IRECT(0, 0, 100, 100), "over"));
  e.g->OnMouseDown(Point(50, 50));
  e.g->OnMouseUp(Point(50, 50));
  EXPECT_EQ(below->downs, 1);
}

namespace {

// The resizer of the effect's editor: 1630 by 1010 units at draw scale 0.5, corner of 20
// window points.
struct ResizerEditor : ControlsEditor {
  ResizerEditor() : ControlsEditor(1630, 1010, 0.5f) {
    g->AddCornerResizer(kResizeModeScale, false, COLOR_TRANSLUCENT, COLOR_BLACK, COLOR_RED, 20.f);
  }
  ICornerResizerControl& resizer() { return *g->GetCornerResizer(); }
};

} // namespace

TEST(CornerResizer, StaysTwentyPointsSquareAtEveryDrawScale) {
  ResizerEditor e;
  EXPECT_EQ(e.resizer().GetRECT(), IRECT(1590, 970, 1630, 1010));
  const float scales[] = {1.f, 0.25f, 0.8f};
  for (float s : scales) {
    e.g->Resize(1630, 1010, s, true);
    const float side = 20.f / s;
    EXPECT_EQ(e.resizer().GetRECT(), IRECT(1630 - side, 1010 - side, 1630, 1010)) << s;
    EXPECT_EQ(e.resizer().GetTargetRECT(), e.resizer().GetRECT());
  }
}

TEST(CornerResizer, DoubleClickRestoresCreationSizeAtScaleOne) {
  ResizerEditor e;
  e.g->Resize(1200, 800, 0.75f, true);
  ASSERT_EQ(e.g->Width(), 1200);
  const IRECT corner = e.resizer().GetRECT();
  EXPECT_TRUE(e.g->OnMouseDblClick(corner.MW(), corner.MH(), IMouseMod(true)));
  EXPECT_EQ(e.g->Width(), 1630);
  EXPECT_EQ(e.g->Height(), 1010);
  EXPECT_EQ(e.g->DrawScale(), 1.f);
  ASSERT_FALSE(e.dlg.resizes.empty());
  EXPECT_EQ(e.dlg.resizes.back(), std::make_pair(1630, 1010));
  EXPECT_EQ(e.resizer().GetRECT(), IRECT(1610, 990, 1630, 1010));
}

TEST(CornerResizer, ColoursFollowHoverAndDrag) {
  ResizerEditor e;
  e.resizer().Draw(*e.g);
  e.g->SetHoverTracking(true);
  e.g->OnMouseOver(1620, 1000, IMouseMod());
  e.resizer().Draw(*e.g);
  e.g->OnMouseDown(Point(1620, 1000));
  e.resizer().Draw(*e.g);
  ASSERT_EQ(e.g->fills.size(), 3u);
  EXPECT_EQ(e.g->fills[0], COLOR_TRANSLUCENT);
  EXPECT_EQ(e.g->fills[1], COLOR_BLACK);
  EXPECT_EQ(e.g->fills[2], COLOR_RED);
  e.g->OnMouseUp(Point(1620, 1000));
  EXPECT_FALSE(e.g->GetResizingInProcess());
}

TEST(CornerResizer, SetsTheDiagonalCursorAndRestoresIt) {
  ResizerEditor e;
  e.g->SetHoverTracking(true);
  e.g->ChangeCursorShape(3);
  e.g->OnMouseOver(1620, 1000, IMouseMod());
  EXPECT_EQ(e.g->GetCursorType(), kSizeNWSECursor);
  e.g->OnMouseOver(1625, 1005, IMouseMod());
  EXPECT_EQ(e.g->GetCursorType(), kSizeNWSECursor);
  e.resizer().OnMouseOut();
  EXPECT_EQ(e.g->GetCursorType(), 3);
}
