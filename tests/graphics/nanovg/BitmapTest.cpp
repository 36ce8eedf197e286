#include "NanoVGFixture.h"

#include <cmath>
#include <fstream>

namespace {

void FillBlock(std::vector<uint8_t>& rgba, int w, int x0, int y0, int x1, int y1, RGBA c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<uint8_t>(c.r);
      p[1] = static_cast<uint8_t>(c.g);
      p[2] = static_cast<uint8_t>(c.b);
      p[3] = static_cast<uint8_t>(c.a);
    }
}

} // namespace

class BitmapFixture : public NanoVGFixture {
protected:
  // Three 20 × 20 frames stacked: red, green, blue.
  std::string WriteFilmstrip() {
    std::vector<uint8_t> rgba(20 * 60 * 4, 0);
    FillBlock(rgba, 20, 0, 0, 20, 20, {255, 0, 0, 255});
    FillBlock(rgba, 20, 0, 20, 20, 40, {0, 255, 0, 255});
    FillBlock(rgba, 20, 0, 40, 20, 60, {0, 0, 255, 255});
    const std::string path = TempPath("strip.png");
    EXPECT_TRUE(WritePng(path, 20, 60, rgba));
    return path;
  }
};

TEST_F(BitmapFixture, FilmstripFrameIsChosenByItsOffsetAndClippedToItsRectangle) {
  const IBitmapHandle strip = mGraphics->LoadBitmapAtScale(WriteFilmstrip().c_str(), 3, false, 1);
  ASSERT_TRUE(strip.IsValid());
  EXPECT_EQ(strip.W(), 20);
  EXPECT_EQ(strip.H(), 60);
  EXPECT_EQ(strip.FH(), 20);
  DrawFrame([&](TestNanoVG& g) {
    g.PaintBitmap(strip, IRECT(10, 10, 30, 30), 2);
    g.PaintBitmap(strip, IRECT(50, 10, 70, 30), 3);
    g.PaintBitmap(strip, IRECT(80, 10, 100, 30), 1);
  });
  EXPECT_TRUE(Near(Pixel(20, 20), {0, 255, 0, 255}));
  EXPECT_TRUE(Near(Pixel(60, 20), {0, 0, 255, 255}));
  EXPECT_TRUE(Near(Pixel(90, 20), {255, 0, 0, 255}));
  EXPECT_TRUE(Near(Pixel(20, 35), {0, 0, 0, 0}));
}

TEST_F(BitmapFixture, BitmapsAreCachedPerNameAndScale) {
  const std::string path = WriteFilmstrip();
  const IBitmapHandle first = mGraphics->LoadBitmapAtScale(path.c_str(), 3, false, 1);
  const IBitmapHandle again = mGraphics->LoadBitmapAtScale(path.c_str(), 3, false, 1);
  EXPECT_EQ(first.GetAPIBitmap(), again.GetAPIBitmap());
  // Only the plain file exists: a 2x request finds it at scale 1 and shares the entry.
  const IBitmapHandle at2 = mGraphics->LoadBitmapAtScale(path.c_str(), 3, false, 2);
  EXPECT_EQ(at2.GetAPIBitmap(), first.GetAPIBitmap());
  EXPECT_EQ(at2.W(), 20);
  EXPECT_EQ(mGraphics->CachedBitmapCount(), 1u);
  EXPECT_EQ(mGraphics->contextRequests, 1);
  // Controls reload through the context's generic entry, which reaches the same cache.
  EXPECT_EQ(mGraphics->LoadBitmapResource(path.c_str(), 3).GetAPIBitmap(), first.GetAPIBitmap());
}

TEST_F(BitmapFixture, UnsupportedMissingAndUndecodableImages) {
  std::ofstream(TempPath("anim.gif")) << "GIF89a";
  EXPECT_FALSE(mGraphics->LoadBitmapAtScale(TempPath("anim.gif").c_str()).IsValid());
  EXPECT_FALSE(mGraphics->LoadBitmapAtScale(TempPath("absent.png").c_str()).IsValid());
  EXPECT_FALSE(mGraphics->LoadBitmapAtScale(nullptr).IsValid());
  EXPECT_EQ(mGraphics->CachedBitmapCount(), 0u);

  std::ofstream(TempPath("broken.png")) << "\x89PNG not really";
  const IBitmapHandle broken = mGraphics->LoadBitmapAtScale(TempPath("broken.png").c_str());
  ASSERT_TRUE(broken.IsValid());
  EXPECT_EQ(broken.GetAPIBitmap()->Handle(), 0);
  EXPECT_EQ(mGraphics->CachedBitmapCount(), 1u);
  DrawFrame([&](TestNanoVG& g) { g.PaintBitmap(broken, IRECT(0, 0, 50, 50), 1); });
  EXPECT_TRUE(Near(Pixel(25, 25), {0, 0, 0, 0}, 0));

  EXPECT_TRUE(mGraphics->SupportsImageExtension("PNG"));
  EXPECT_TRUE(mGraphics->SupportsImageExtension("jpeg"));
  EXPECT_FALSE(mGraphics->SupportsImageExtension("gif"));
}

TEST_F(BitmapFixture, RotatedBitmapPointsWhereTheAngleSays) {
  // A 21 × 21 pointer: a bar from the centre up to 12 o'clock.
  std::vector<uint8_t> rgba(21 * 21 * 4, 0);
  FillBlock(rgba, 21, 9, 0, 12, 10, {255, 0, 0, 255});
  const std::string path = TempPath("pointer.png");
  ASSERT_TRUE(WritePng(path, 21, 21, rgba));
  const IBitmapHandle pointer = mGraphics->LoadBitmapAtScale(path.c_str(), 1, false, 1);
  ASSERT_TRUE(pointer.IsValid());

  for (double angle : {-130.0, 0.0, 130.0}) {
    DrawFrame([&](TestNanoVG& g) {
      g.FillRect(COLOR_TRANSPARENT, IRECT(0, 0, kWidth, kHeight), nullptr);
      g.PaintRotatedBitmap(pointer, 60.f, 50.f, angle);
    });
    const double a = angle * 3.14159265 / 180.0;
    const int tipX = static_cast<int>(std::lround(60.0 + 6.0 * std::sin(a)));
    const int tipY = static_cast<int>(std::lround(50.0 - 6.0 * std::cos(a)));
    const int oppositeX = static_cast<int>(std::lround(60.0 - 6.0 * std::sin(a)));
    const int oppositeY = static_cast<int>(std::lround(50.0 + 6.0 * std::cos(a)));
    EXPECT_GT(Pixel(tipX, tipY).r, 200) << angle;
    EXPECT_LT(Pixel(oppositeX, oppositeY).a, 30) << angle;
  }
}
