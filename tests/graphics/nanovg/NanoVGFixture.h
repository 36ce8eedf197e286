#pragma once

#include "GLTestContext.h"
#include "IGraphicsNanoVG.h"
#include "TestDelegate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The backend with the platform's part answered by nothing: drawing only.
class TestNanoVG : public IGraphicsNanoVG {
public:
  TestNanoVG(IGEditorDelegate& dlg, int w, int h, float scale)
      : IGraphicsNanoVG(dlg, w, h, 60, scale) {}
  void* OpenEditorWindow(void* parent) override { return parent; }
  void CloseEditorWindow() override {}
  void ReadMouseLocation(float& x, float& y) const override { x = y = 0.f; }
  void ResizeEditorView() override {}
  void ShowNativeTextEntry(int, const IText&, const IRECT&, int, const char*) override {}
  IPopupMenu* ShowNativePopupMenu(IPopupMenu&, const IRECT&, bool&) override { return nullptr; }
  const char* BundleIdentifier() const override { return ""; }
  void UpdateTooltips() override {}
  void MakeContextCurrent() override { ++contextRequests; }
  int contextRequests = 0;
};

struct RGBA {
  int r, g, b, a;
};

// One editor surface of kWidth × kHeight UI units on an off-screen GL context. Frames are
// presented into the context's own framebuffer and read back from it.
class NanoVGFixture : public ::testing::Test {
protected:
  static constexpr int kWidth = 120;
  static constexpr int kHeight = 100;

  void SetUp() override { Open(1.f); }
  void TearDown() override;

  // Makes a fresh backend at the given screen scale (draw scale stays 1).
  void Open(float screenScale);
  void DrawFrame(const std::function<void(TestNanoVG&)>& draw, const IRECT& clip = IRECT());
  // The presented pixel at device pixel (x, y), from the top left.
  RGBA Pixel(int x, int y) const;
  // Device pixels of the presented surface.
  int PixelWidth() const { return static_cast<int>(kWidth * mScale); }
  int PixelHeight() const { return static_cast<int>(kHeight * mScale); }
  // A temporary folder holding files the test writes.
  std::string TempPath(const std::string& name);

  std::unique_ptr<GLTestContext> mGL;
  TestDelegate mDelegate;
  std::unique_ptr<TestNanoVG> mGraphics;
  std::vector<uint8_t> mPixels;
  float mScale = 1.f;
  std::string mTempDir;
};

// Colour channels within tol of the expected ones (anti-aliasing and rounding).
::testing::AssertionResult Near(const RGBA& got, const RGBA& want, int tol = 3);

// Writes a w × h RGBA image as PNG; false on failure.
bool WritePng(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba);
