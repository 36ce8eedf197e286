#include "NanoVGFixture.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

bool WritePng(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba) {
  if (rgba.size() < static_cast<size_t>(w) * h * 4) return false;
  return stbi_write_png(path.c_str(), w, h, 4, rgba.data(), w * 4) != 0;
}

void NanoVGFixture::Open(float screenScale) {
  if (mGraphics) {
    mGraphics->DestroyDrawContext();
    mGraphics.reset();
  }
  if (!mGL) mGL = std::make_unique<GLTestContext>(512, 512);
  if (!mGL->Valid()) GTEST_SKIP() << "NanoVG scenes need an X display with GLX: " << mGL->Error();
  mScale = screenScale;
  mGraphics = std::make_unique<TestNanoVG>(mDelegate, kWidth, kHeight, 1.f);
  mGraphics->CreateDrawContext();
  ASSERT_NE(mGraphics->DrawContextHandle(), nullptr);
  mGraphics->SetScreenScale(screenScale);
}

void NanoVGFixture::TearDown() {
  // A failing scene is kept for a person to look at.
  if (HasFailure() && !mPixels.empty()) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name() + ".png";
    WritePng(name, PixelWidth(), PixelHeight(), mPixels);
  }
  if (mGraphics) mGraphics->DestroyDrawContext();
  mGraphics.reset();
  mGL.reset();
  if (!mTempDir.empty()) std::filesystem::remove_all(mTempDir);
}

void NanoVGFixture::DrawFrame(const std::function<void(TestNanoVG&)>& draw, const IRECT& clip) {
  mGL->MakeCurrent();
  mGraphics->BeginFrame();
  const IRECT region = clip.Empty() ? IRECT(0.f, 0.f, kWidth, kHeight) : clip;
  mGraphics->SetPathTransform(IMatrix());
  mGraphics->SetClipRect(region);
  draw(*mGraphics);
  mGraphics->EndFrame();
  mPixels = mGL->ReadPixels(PixelWidth(), PixelHeight());
}

RGBA NanoVGFixture::Pixel(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * PixelWidth() + x) * 4;
  if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight() || i + 3 >= mPixels.size())
    return {-1, -1, -1, -1};
  return {mPixels[i], mPixels[i + 1], mPixels[i + 2], mPixels[i + 3]};
}

std::string NanoVGFixture::TempPath(const std::string& name) {
  if (mTempDir.empty()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kelvora-nanovg-XXXXXX").string();
    if (mkdtemp(pattern.data())) mTempDir = pattern;
  }
  return mTempDir + "/" + name;
}

::testing::AssertionResult Near(const RGBA& got, const RGBA& want, int tol) {
  auto off = [&](int a, int b) { return std::abs(a - b) > tol; };
  if (off(got.r, want.r) || off(got.g, want.g) || off(got.b, want.b) || off(got.a, want.a)) {
    std::ostringstream s;
    s << "got (" << got.r << ", " << got.g << ", " << got.b << ", " << got.a << "), want ("
      << want.r << ", " << want.g << ", " << want.b << ", " << want.a << ")";
    return ::testing::AssertionFailure() << s.str();
  }
  return ::testing::AssertionSuccess();
}
