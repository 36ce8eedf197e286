#pragma once

#include "IGraphicsLinux.h"
#include "TestDelegate.h"

#include <functional>
#include <utility>

// The test delegate with a real Linux editor: opening it makes an IGraphicsLinux of the given
// size in UI units and draw scale, and the layout, when given, adds its controls.
class WindowTestDelegate : public TestDelegate {
public:
  using Layout = std::function<void(IGraphics& graphics)>;

  WindowTestDelegate(int width, int height, float drawScale = 1.f, Layout layout = {})
      : mWidth(width), mHeight(height), mDrawScale(drawScale), mLayout(std::move(layout)) {}

  IGraphics* MakeGraphics() override {
    return new IGraphicsLinux(*this, mWidth, mHeight, 60, mDrawScale);
  }
  void BuildLayout(IGraphics* graphics) override {
    TestDelegate::BuildLayout(graphics);
    if (mLayout) mLayout(*graphics);
  }

  IGraphicsLinux* Graphics() const { return static_cast<IGraphicsLinux*>(GetUI()); }

private:
  int mWidth;
  int mHeight;
  float mDrawScale;
  Layout mLayout;
};
