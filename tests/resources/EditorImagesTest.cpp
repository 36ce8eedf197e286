// The editor places every control at a fixed position and sizes it from its image, so the
// images' pixel sizes are part of the layout: these tests hold them to it.

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb_image.h>
#pragma GCC diagnostic pop

#include "KelvoraLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kPanelW = 1630;
constexpr int kPanelH = 1010;

struct ImageSpec {
  const char* name;
  int frames;
};

bool Same(const char* a, const char* b) {
  return std::strcmp(a, b) == 0;
}

// Every image the layout draws, once.
std::vector<ImageSpec> LayoutImages() {
  std::vector<ImageSpec> images;
  for (const LayoutRow& row : kKelvoraLayout) {
    const bool seen = std::any_of(images.begin(), images.end(),
                                  [&](const ImageSpec& i) { return Same(i.name, row.image); });
    if (*row.image && !seen) images.push_back({row.image, row.frames});
  }
  return images;
}

const std::vector<ImageSpec> kImages = LayoutImages();

struct Placement {
  const char* image;
  int frames;
  int x;
  int y;
  const char* param;
};

// The controls that draw an image, where the layout puts them, background first.
std::vector<Placement> LayoutControls() {
  std::vector<Placement> controls;
  for (const LayoutRow& row : kKelvoraLayout)
    if (*row.image) controls.push_back({row.image, row.frames, row.x, row.y, row.param});
  return controls;
}

const std::vector<Placement> kControls = LayoutControls();

bool IsKnobPart(const Placement& p) {
  return Same(p.image, "Nuppi.png") || Same(p.image, "NupikkaVarjo.png") ||
         Same(p.image, "NuppiOverlay.png");
}

struct Image {
  int width = 0;
  int height = 0;
  std::shared_ptr<unsigned char> rgba;

  unsigned char Alpha(int x, int y) const { return rgba.get()[(y * width + x) * 4 + 3]; }
  const unsigned char* Row(int y) const { return rgba.get() + y * width * 4; }
};

std::string DensityName(const std::string& name, int scale) {
  if (scale == 1) return name;
  const auto dot = name.rfind('.');
  return name.substr(0, dot) + "@" + std::to_string(scale) + "x" + name.substr(dot);
}

const Image& Load(const std::string& name, int scale = 1) {
  static std::map<std::string, Image> cache;
  const std::string file = DensityName(name, scale);
  auto found = cache.find(file);
  if (found != cache.end()) return found->second;
  Image image;
  const std::string path = std::string(KELVORA_RESOURCE_DIR) + "/" + file;
  int channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
  if (pixels) image.rgba.reset(pixels, stbi_image_free);
  return cache.emplace(file, image).first->second;
}

struct Rect {
  double left, top, right, bottom;
  double CentreX() const { return (left + right) / 2; }
  double CentreY() const { return (top + bottom) / 2; }
  bool Intersects(const Rect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

Rect ControlRect(const Placement& p) {
  const Image& image = Load(p.image);
  return {double(p.x), double(p.y), double(p.x + image.width),
          double(p.y + image.height / p.frames)};
}

TEST(EditorImages, EveryImageDecodesInBothDensities) {
  for (const auto& entry : kImages) {
    for (int scale : {1, 2}) {
      const Image& image = Load(entry.name, scale);
      EXPECT_TRUE(image.rgba) << DensityName(entry.name, scale) << ": " << stbi_failure_reason();
      EXPECT_GT(image.width, 0) << DensityName(entry.name, scale);
    }
  }
}

TEST(EditorImages, FramesStackEvenly) {
  for (const auto& entry : kImages) {
    for (int scale : {1, 2}) {
      const Image& image = Load(entry.name, scale);
      EXPECT_EQ(image.height % entry.frames, 0) << DensityName(entry.name, scale);
    }
  }
}

TEST(EditorImages, DoubleDensityIsExactlyTwiceTheSize) {
  for (const auto& entry : kImages) {
    const Image& plain = Load(entry.name, 1);
    const Image& dense = Load(entry.name, 2);
    EXPECT_EQ(dense.width, 2 * plain.width) << entry.name;
    EXPECT_EQ(dense.height, 2 * plain.height) << entry.name;
  }
}

TEST(EditorImages, BackgroundCoversThePanel) {
  EXPECT_EQ(Load("Kelvorabackground.jpg", 1).width, kPanelW);
  EXPECT_EQ(Load("Kelvorabackground.jpg", 1).height, kPanelH);
  EXPECT_EQ(Load("Kelvorabackground.jpg", 2).width, 2 * kPanelW);
  EXPECT_EQ(Load("Kelvorabackground.jpg", 2).height, 2 * kPanelH);
}

TEST(EditorImages, EveryFrameDiffersFromTheOthers) {
  // A switch whose frames came out alike would never show its state.
  for (const auto& entry : kImages) {
    if (entry.frames == 1) continue;
    const Image& image = Load(entry.name);
    ASSERT_TRUE(image.rgba) << entry.name;
    const int frameH = image.height / entry.frames;
    const size_t bytes = size_t(image.width) * frameH * 4;
    for (int a = 0; a < entry.frames; ++a) {
      for (int b = a + 1; b < entry.frames; ++b) {
        EXPECT_NE(std::memcmp(image.Row(a * frameH), image.Row(b * frameH), bytes), 0)
            << entry.name << " frames " << a + 1 << " and " << b + 1;
      }
    }
  }
}

TEST(EditorLayout, EveryControlLiesInsideThePanel) {
  const Rect panel{0, 0, kPanelW, kPanelH};
  for (const auto& control : kControls) {
    const Rect r = ControlRect(control);
    EXPECT_GE(r.left, panel.left) << control.image << " at " << control.x << "," << control.y;
    EXPECT_GE(r.top, panel.top) << control.image << " at " << control.x << "," << control.y;
    EXPECT_LE(r.right, panel.right) << control.image << " at " << control.x << "," << control.y;
    EXPECT_LE(r.bottom, panel.bottom) << control.image << " at " << control.x << "," << control.y;
  }
}

TEST(EditorLayout, VersionLineAndResizeCornerStayClear) {
  const auto version =
      std::find_if(std::begin(kKelvoraLayout), std::end(kKelvoraLayout),
                   [](const LayoutRow& row) { return row.control == LayoutControl::kVersionLine; });
  ASSERT_NE(version, std::end(kKelvoraLayout));
  const Rect versionLine{double(version->x), double(version->y), kPanelW, kPanelH};
  const Rect resizeCorner{1590, 970, 1630, 1010};
  for (size_t i = 1; i < kControls.size(); ++i) {
    const Rect r = ControlRect(kControls[i]);
    EXPECT_FALSE(r.Intersects(versionLine)) << kControls[i].image;
    EXPECT_FALSE(r.Intersects(resizeCorner)) << kControls[i].image;
  }
}

TEST(EditorLayout, DeltaAndOversamplingColumnIsNarrowEnough) {
  EXPECT_LE(Load("Delta.png").width, 105);
  EXPECT_LE(Load("Oversampling.png").width, 105);
}

TEST(EditorLayout, KnobOverlaysAreCentredOnTheirBodies) {
  for (const Placement& overlay : kControls) {
    if (!Same(overlay.image, "NuppiOverlay.png")) continue;
    SCOPED_TRACE(overlay.param);
    const auto body = std::find_if(kControls.begin(), kControls.end(), [&](const Placement& p) {
      return Same(p.image, "Nuppi.png") && Same(p.param, overlay.param);
    });
    ASSERT_NE(body, kControls.end());
    const Rect b = ControlRect(*body);
    const Rect o = ControlRect(overlay);
    EXPECT_LE(std::fabs(b.CentreX() - o.CentreX()), 1.0);
    EXPECT_LE(std::fabs(b.CentreY() - o.CentreY()), 1.0);
  }
}

TEST(EditorLayout, LargeKnobsDoNotOverlapEachOtherOrTheSwitches) {
  std::vector<Rect> overlays, others;
  for (size_t i = 1; i < kControls.size(); ++i) {
    if (Same(kControls[i].image, "NuppiOverlay.png"))
      overlays.push_back(ControlRect(kControls[i]));
    else if (!IsKnobPart(kControls[i]))
      others.push_back(ControlRect(kControls[i]));
  }
  ASSERT_FALSE(overlays.empty());
  ASSERT_FALSE(others.empty());
  for (size_t a = 0; a < overlays.size(); ++a) {
    for (size_t b = a + 1; b < overlays.size(); ++b)
      EXPECT_FALSE(overlays[a].Intersects(overlays[b]));
    for (const Rect& other : others)
      EXPECT_FALSE(overlays[a].Intersects(other));
  }
}

TEST(RotatingImages, AreSquareWithTransparentCorners) {
  // They turn about their frame's centre: a square keeps the knob in place, and clear
  // corners keep the turning frame itself invisible.
  for (const LayoutRow& row : kKelvoraLayout) {
    if (row.control != LayoutControl::kRotater) continue;
    const char* name = row.image;
    for (int scale : {1, 2}) {
      const Image& image = Load(name, scale);
      ASSERT_TRUE(image.rgba) << name;
      EXPECT_EQ(image.width, image.height) << name;
      const int w = image.width - 1;
      const int h = image.height - 1;
      EXPECT_EQ(image.Alpha(0, 0), 0) << name;
      EXPECT_EQ(image.Alpha(w, 0), 0) << name;
      EXPECT_EQ(image.Alpha(0, h), 0) << name;
      EXPECT_EQ(image.Alpha(w, h), 0) << name;
    }
  }
  EXPECT_EQ(Load("NupikkaVarjo.png").width, Load("Nuppi.png").width);
}

TEST(RotatingImages, KnobBodyIsOpaqueWhereTheOverlayLetsItShow) {
  const Image& body = Load("Nuppi.png");
  const Image& overlay = Load("NuppiOverlay.png");
  ASSERT_TRUE(body.rgba);
  ASSERT_TRUE(overlay.rgba);
  EXPECT_EQ(body.Alpha(body.width / 2, body.height / 2), 255);
  // Over the knob's face the overlay only tints: a covering overlay would hide the pointer.
  long sum = 0;
  int count = 0;
  const int r = body.width / 3;
  for (int dy = -r; dy <= r; ++dy) {
    for (int dx = -r; dx <= r; ++dx) {
      if (dx * dx + dy * dy > r * r) continue;
      sum += overlay.Alpha(overlay.width / 2 + dx, overlay.height / 2 + dy);
      ++count;
    }
  }
  EXPECT_LT(double(sum) / count, 96.0);
}

} // namespace
