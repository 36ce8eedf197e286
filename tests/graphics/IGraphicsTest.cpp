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

// The effect's picture: 1630 × 1010 units, opened at half size, between a quarter and full.
TEST(IGraphicsScale, HostsWindowTakesThePictureScaledToFitAtItsAspectRatio) {
  Editor e(1630, 1010, 0.5f);
  // Wider than the picture: the height decides; the window keeps the host's size.
  e.g->FitToWindow(1598, 941);
  EXPECT_EQ(e.g->PictureWidthPx(), 1518);
  EXPECT_EQ(e.g->PictureHeightPx(), 941);
  EXPECT_EQ(e.g->SurfaceWidthPx(), 1598);
  EXPECT_EQ(e.g->SurfaceHeightPx(), 941);
  EXPECT_EQ(e.dlg.GetEditorWidth(), 1518);
  EXPECT_EQ(e.dlg.GetEditorHeight(), 941);
  EXPECT_EQ(e.g->viewResizes, 2); // the picture's resize, then the window's
  // Taller: the width decides.
  e.g->FitToWindow(900, 600);
  EXPECT_EQ(e.g->PictureWidthPx(), 900);
  EXPECT_EQ(e.g->PictureHeightPx(), 557);
  // The opening size plus a toolbar's height: the picture comes back to exactly half size.
  e.g->FitToWindow(815, 539);
  EXPECT_FLOAT_EQ(e.g->DrawScale(), 0.5f);
  EXPECT_EQ(e.g->SurfaceHeightPx(), 539);

  // Outside the range the picture stops at full size, or at a quarter and is cut off.
  e.g->FitToWindow(5000, 3000);
  EXPECT_FLOAT_EQ(e.g->DrawScale(), 1.f);
  EXPECT_EQ(e.g->SurfaceWidthPx(), 5000);
  e.g->FitToWindow(100, 100);
  EXPECT_FLOAT_EQ(e.g->DrawScale(), 0.25f);
  EXPECT_EQ(e.g->PictureWidthPx(), 407);
  EXPECT_EQ(e.g->SurfaceWidthPx(), 100);
  for (const auto& bad : {std::make_pair(0, 500), std::make_pair(500, -3)})
    e.g->FitToWindow(bad.first, bad.second);
  EXPECT_EQ(e.g->SurfaceWidthPx(), 100);

  // A size the editor sets itself, or a new screen scale, makes the window the picture's.
  e.g->FitToWindow(1200, 1200);
  e.g->Resize(1630, 1010, 0.5f, true);
  EXPECT_EQ(e.g->SurfaceWidthPx(), 815);
  EXPECT_EQ(e.g->SurfaceHeightPx(), 505);
  e.g->FitToWindow(1200, 1200);
  e.g->SetScreenScale(2.f);
  EXPECT_EQ(e.g->SurfaceWidthPx(), e.g->PictureWidthPx());
  EXPECT_EQ(e.g->SurfaceHeightPx(), e.g->PictureHeightPx());
}

// Hosts answer a size with onSize and read it back with getSize: neither may make the picture
// creep by a pixel at a time, whatever the screen scale.
TEST(IGraphicsScale, FittedPictureFillsOneSideAndKeepsItsScaleWhenGivenItsOwnSize) {
  for (float screen : {1.f, 1.5f, 2.f}) {
    Editor e(1630, 1010, 0.5f);
    e.g->SetScreenScale(screen);
    for (int w = 450; w <= 3300; w += 97) {
      for (int h = 290; h <= 2100; h += 89) {
        e.g->FitToWindow(w, h);
        const int pw = e.g->PictureWidthPx(), ph = e.g->PictureHeightPx();
        const float scale = e.g->DrawScale();
        if (scale > e.g->GetMinDrawScale()) {
          ASSERT_LE(pw, w) << screen << " " << w << " " << h;
          ASSERT_LE(ph, h) << screen << " " << w << " " << h;
        }
        if (scale > e.g->GetMinDrawScale() && scale < e.g->GetMaxDrawScale()) {
          ASSERT_TRUE(w - pw <= screen || h - ph <= screen) << screen << " " << w << " " << h;
        }
        e.g->FitToWindow(pw, ph);
        ASSERT_EQ(e.g->DrawScale(), scale) << screen << " " << w << " " << h;
        e.g->FitToWindow(w, h);
        ASSERT_EQ(e.g->DrawScale(), scale) << screen << " " << w << " " << h;
      }
    }
  }
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
