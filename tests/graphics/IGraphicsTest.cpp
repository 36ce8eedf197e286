#include "ICornerResizerControl.h"
#include "IFPSDisplayControl.h"
#include "TestGraphics.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
ProbeControl* Probe(IGraphics& g, const IRECT& r, int param = kNoParameter, int tag = kNoTag) {
  return static_cast<ProbeControl*>(g.AddControl(new ProbeControl(r, param), tag));
}
} // namespace

TEST(IGraphicsControls, TagsAreUniqueAndLookupsTolerateBadInput) {
  Editor e;
  IControl* a = Probe(*e.g, IRECT(0, 0, 10, 10), kNoParameter, 7);
  auto* dup = new ProbeControl(IRECT(0, 0, 10, 10));
  EXPECT_EQ(e.g->AddControl(dup, 7), nullptr);
  delete dup; // the caller keeps ownership of a refused control
  EXPECT_EQ(e.g->FindControlByTag(7), a);
  EXPECT_EQ(e.g->FindControlByTag(8), nullptr);
  EXPECT_EQ(e.g->ControlAt(-1), nullptr);
  EXPECT_EQ(e.g->ControlAt(5), nullptr);
  EXPECT_EQ(a->OwnerGraphics(), e.g);
  e.g->DeleteControl(12);
  e.g->PlaceControl(9, IRECT());
  e.g->DeleteControlByTag(7);
  EXPECT_EQ(e.g->ControlCount(), 0);
  EXPECT_EQ(e.g->FindControlByTag(7), nullptr);
}

TEST(IGraphicsDrawing, DirtyControlsArePaddedAndHiddenOnesSkippedExceptBackground) {
  Editor e;
  auto* bg = Probe(*e.g, IRECT(0, 0, 400, 300));
  auto* hidden = Probe(*e.g, IRECT(10, 10, 20, 20));
  auto* shown = Probe(*e.g, IRECT(30, 30, 40, 40));
  bg->Hide(true);
  hidden->Hide(true);
  IRECTList rects;
  ASSERT_TRUE(e.g->IsDirty(rects));
  EXPECT_EQ(rects.Size(), 3);
  EXPECT_EQ(rects.Get(2), IRECT(29.25f, 29.25f, 40.75f, 40.75f));
  e.g->MarkAllClean();
  e.g->Draw(rects);
  EXPECT_EQ(bg->draws, 1);
  EXPECT_EQ(hidden->draws, 0);
  EXPECT_EQ(shown->draws, 1);
  EXPECT_EQ(e.g->frames, 1);
  IRECTList none;
  EXPECT_FALSE(e.g->IsDirty(none));
  e.g->Draw(none);
  EXPECT_EQ(e.g->frames, 1);
}

TEST(IGraphicsDrawing, PaintBitmapClampsTheFrame) {
  Editor e;
  APIBitmap api(1, 40, 120, 1.f, 1.f);
  IBitmapHandle strip(&api, 3, false, "strip.png");
  e.g->PaintBitmap(strip, IRECT(0, 0, 40, 40), 2);
  e.g->PaintBitmap(strip, IRECT(0, 0, 40, 40), 9);
  e.g->PaintBitmap(strip, IRECT(0, 0, 40, 40), -4);
  e.g->PaintBitmap(IBitmapHandle(), IRECT(0, 0, 40, 40), 1);
  ASSERT_EQ(e.g->srcOffsets.size(), 3u);
  EXPECT_EQ(e.g->srcOffsets[0], std::make_pair(0, 40));
  EXPECT_EQ(e.g->srcOffsets[1], std::make_pair(0, 80));
  EXPECT_EQ(e.g->srcOffsets[2], std::make_pair(0, 0));
}

TEST(IGraphicsScale, ResizeClampsAndSkipsUnchangedValues) {
  Editor e(400, 300, 1.f);
  EXPECT_FLOAT_EQ(e.g->GetMinDrawScale(), 0.5f);
  EXPECT_FLOAT_EQ(e.g->GetMaxDrawScale(), 2.f);
  e.g->SetLayoutOnResize(true);
  e.g->Resize(400, 300, 1.f);
  EXPECT_TRUE(e.dlg.resizes.empty());
  EXPECT_EQ(e.dlg.layouts, 0);
  e.g->Resize(0, -20, 9.f);
  EXPECT_EQ(e.g->Width(), 100);
  EXPECT_EQ(e.g->Height(), 100);
  EXPECT_FLOAT_EQ(e.g->DrawScale(), 2.f);
  ASSERT_EQ(e.dlg.resizes.size(), 1u);
  EXPECT_EQ(e.dlg.resizes[0], std::make_pair(200, 200));
  EXPECT_EQ(e.dlg.layouts, 1);
  EXPECT_EQ(e.g->surfaceResizes, 1);
  e.g->Resize(300, 300, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(e.g->Width(), 100);
  e.g->SetScreenScale(0.f);
  EXPECT_FLOAT_EQ(e.g->ScreenScale(), 1.f);
  e.g->SetScreenScale(2.f);
  EXPECT_FLOAT_EQ(e.g->BackingPixelScale(), 4.f);
}

TEST(IGraphicsScale, CornerResizerDragsScaleAndDoubleClickRestores) {
  Editor e(400, 300, 1.f);
  e.g->AddCornerResizer(kResizeModeScale, false, COLOR_BLACK, COLOR_BLACK, COLOR_BLACK, 20.f);
  ICornerResizerControl* r = e.g->GetCornerResizer();
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->GetRECT(), IRECT(380, 280, 400, 300));
  e.g->OnMouseDown(Point(390, 290));
  EXPECT_TRUE(e.g->GetResizingInProcess());
  e.g->OnMouseDrag(Point(585, 435, IMouseMod(true), 195, 145));
  EXPECT_FLOAT_EQ(e.g->DrawScale(), 1.5f);
  e.g->OnMouseUp(Point(585, 435));
  EXPECT_FALSE(e.g->GetResizingInProcess());
  EXPECT_TRUE(e.g->OnMouseDblClick(390, 290, IMouseMod(true)));
  EXPECT_FLOAT_EQ(e.g->DrawScale(), 1.f);
}

TEST(IGraphicsScale, FrameTimeDisplayIsCreatedOnceAndRemovable) {
  Editor e;
  e.g->ShowFrameTimeDisplay(true);
  IFPSDisplayControl* d = e.g->GetPerfDisplay();
  ASSERT_NE(d, nullptr);
  EXPECT_STREQ(d->GetTitle(), "Frame Time");
  EXPECT_EQ(d->GetRECT(), IRECT(10, 10, 210, 60));
  e.g->ShowFrameTimeDisplay(true);
  EXPECT_EQ(e.g->GetPerfDisplay(), d);
  e.g->ShowFrameTimeDisplay(false);
  EXPECT_EQ(e.g->GetPerfDisplay(), nullptr);
}
