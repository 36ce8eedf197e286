#include "NanoVGFixture.h"

// Pixels of presented frames: colour, clipping, blending and backing scales.

TEST_F(NanoVGFixture, FilledRectangleHasItsExactColourAndNothingAround) {
  DrawFrame([](TestNanoVG& g) { g.FillRect(IColor(255, 30, 144, 220), IRECT(10, 10, 50, 40)); });
  EXPECT_TRUE(Near(Pixel(30, 25), {30, 144, 220, 255}, 0));
  EXPECT_TRUE(Near(Pixel(11, 11), {30, 144, 220, 255}, 0));
  EXPECT_TRUE(Near(Pixel(5, 5), {0, 0, 0, 0}, 0));
  EXPECT_TRUE(Near(Pixel(52, 42), {0, 0, 0, 0}, 0));
}

TEST_F(NanoVGFixture, DrawingStaysInsideTheDirtyRegionAndKeepsThePreviousFrameOutside) {
  DrawFrame([](TestNanoVG& g) { g.FillRect(COLOR_RED, IRECT(0, 0, kWidth, kHeight)); },
            IRECT(0, 0, 60, kHeight));
  EXPECT_TRUE(Near(Pixel(30, 50), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(90, 50), {0, 0, 0, 0}));

  DrawFrame([](TestNanoVG& g) { g.FillRect(COLOR_BLUE, IRECT(0, 0, kWidth, kHeight)); },
            IRECT(60, 0, kWidth, kHeight));
  EXPECT_TRUE(Near(Pixel(30, 50), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(90, 50), {0, 0, 255, 255}));
}

TEST_F(NanoVGFixture, BlendWeightScalesTheSourceAlpha) {
  const IBlendMode quarter(0, 0.25f);
  DrawFrame([&](TestNanoVG& g) {
    g.FillRect(COLOR_WHITE, IRECT(0, 0, kWidth, kHeight));
    g.FillRect(COLOR_BLACK, IRECT(20, 20, 80, 80), &quarter);
  });
  EXPECT_TRUE(Near(Pixel(50, 50), {191, 191, 191, 255}, 2));
  EXPECT_TRUE(Near(Pixel(10, 10), {255, 255, 255, 255}, 0));
}

TEST_F(NanoVGFixture, BackingScaleTwoDrawsEveryUnitAsTwoPixels) {
  Open(2.f);
  DrawFrame([](TestNanoVG& g) { g.FillRect(COLOR_GREEN, IRECT(10, 10, 50, 40)); });
  EXPECT_EQ(PixelWidth(), 2 * kWidth);
  EXPECT_TRUE(Near(Pixel(21, 21), {0, 255, 0, 255}, 0));
  EXPECT_TRUE(Near(Pixel(98, 78), {0, 255, 0, 255}, 0));
  EXPECT_TRUE(Near(Pixel(18, 18), {0, 0, 0, 0}, 0));
  EXPECT_TRUE(Near(Pixel(102, 82), {0, 0, 0, 0}, 0));
}

TEST_F(NanoVGFixture, DashedLineShorterThanOneAndAHalfDashesDrawsNothing) {
  DrawFrame([](TestNanoVG& g) {
    g.DrawDashedLine(COLOR_WHITE, 10, 20, 20, 20, nullptr, 4.f, 8.f);
    g.DrawDashedLine(COLOR_WHITE, 10, 60, 110, 60, nullptr, 4.f, 10.f);
  });
  for (int x = 8; x < 24; ++x)
    EXPECT_TRUE(Near(Pixel(x, 20), {0, 0, 0, 0}, 0)) << x;
  // Ten dashes of 10: lines over 10..20, 30..40 …, gaps between.
  EXPECT_TRUE(Near(Pixel(15, 60), {255, 255, 255, 255}, 3));
  EXPECT_TRUE(Near(Pixel(25, 60), {0, 0, 0, 0}, 3));
  EXPECT_TRUE(Near(Pixel(95, 60), {255, 255, 255, 255}, 3));
}

TEST_F(NanoVGFixture, RenderTargetFreedMidFrameWaitsForTheFrameEnd) {
  DrawFrame([](TestNanoVG& g) {
    std::unique_ptr<APIBitmap> target = g.CreateRenderTargetBitmap(16, 16, 1.f, 1.f);
    EXPECT_NE(target->Handle(), 0);
    target.reset();
    EXPECT_EQ(g.PendingFramebufferReleases(), 1u);
    // Drawing after the target was made still reaches the editor surface.
    g.FillRect(COLOR_YELLOW, IRECT(40, 40, 60, 60));
  });
  EXPECT_EQ(mGraphics->PendingFramebufferReleases(), 0u);
  EXPECT_TRUE(Near(Pixel(50, 50), {255, 255, 0, 255}, 0));

  // Outside a frame nothing can sample it, so it goes at once.
  mGraphics->CreateRenderTargetBitmap(16, 16, 1.f, 1.f).reset();
  EXPECT_EQ(mGraphics->PendingFramebufferReleases(), 0u);
}

namespace {

// A layer over (20, 20)-(70, 70) with red content in its upper part only, so that a shadow
// drawn upside down shows, composited with the given shadow.
void DrawShadowedLayer(TestNanoVG& g, const IShadowSpec& shadow) {
  ILayerPtr layer = g.MakeLayer(IRECT(20, 20, 70, 70));
  g.PushLayer(layer.get());
  g.FillRect(COLOR_RED, IRECT(30, 30, 50, 40));
  g.PopLayer();
  g.ApplyLayerDropShadow(*layer, shadow);
  g.DrawLayer(*layer);
}

} // namespace

TEST_F(NanoVGFixture, LayerCompositedWithShadowPutsTheShadowOffsetBehindTheContent) {
  IShadowSpec shadow;
  shadow.mXOffset = 10.f;
  shadow.mYOffset = 10.f;
  DrawFrame([&](TestNanoVG& g) { DrawShadowedLayer(g, shadow); });
  EXPECT_TRUE(Near(Pixel(40, 35), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(55, 45), {0, 0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(45, 38), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(55, 58), {0, 0, 0, 0}));
  EXPECT_TRUE(Near(Pixel(25, 25), {0, 0, 0, 0}));
}

TEST_F(NanoVGFixture, ShadowWithoutForegroundLeavesOnlyTheShadow) {
  IShadowSpec shadow;
  shadow.mXOffset = 10.f;
  shadow.mYOffset = 10.f;
  shadow.mDrawForeground = false;
  shadow.mOpacity = 0.5f;
  DrawFrame([&](TestNanoVG& g) { DrawShadowedLayer(g, shadow); });
  EXPECT_TRUE(Near(Pixel(35, 33), {0, 0, 0, 0}));
  EXPECT_TRUE(Near(Pixel(55, 45), {0, 0, 0, 128}, 3));
}
