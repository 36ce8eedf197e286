#pragma once

// Before any X11 header: Xlib defines macros (None, Bool) that clash with gtest's names.
#include <gtest/gtest.h>

#include "EditorHost.h"
#include "IGraphicsLinux.h"
#include "Kelvora.h"
#include "LinuxEditorParent.h"
#include "ModulePath.h"
#include "TestRunLoop.h"
#include "VstModule.h"

#include <X11/extensions/XTest.h>

#include <memory>

// Where the layout puts things, in UI units.
constexpr float kInputGainX = 126.f + 140.f; // the overlay's centre
constexpr float kInputGainY = 192.f + 143.f;
constexpr float kLampX = 824.f + 32.f;
constexpr float kLampY = 32.f;
constexpr float kOversamplingX = 1525.f + 50.f;
constexpr float kOversamplingY = 890.f + 39.f;
constexpr float kReactX = 516.f + 98.f;
constexpr float kReactY = 752.f + 32.f;
constexpr float kBackgroundX = 1000.f;
constexpr float kBackgroundY = 60.f;

// The effect in this process, its resources taken from the built bundle, its editor in a
// parent window of the test's and driven by the test's run loop; the pointer moves through
// XTest.
class BubbleEditor : public ::testing::Test {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    KeepGLDriverLoaded();
    SetModulePathOverride(KelvoraTestHost::VstModule::binaryPathOf(KELVORA_BUNDLE));
    mParent = XCreateSimpleWindow(mDisplay, DefaultRootWindow(mDisplay), 0, 0, 1630, 1010, 0, 0, 0);
    XMapWindow(mDisplay, mParent);
    XSync(mDisplay, False);
    mPlug = std::make_unique<Kelvora>(InstanceInfo{});
  }
  void TearDown() override {
    if (!mDisplay) return;
    mPlug.reset();
    SetModulePathOverride("");
    XDestroyWindow(mDisplay, mParent);
    XCloseDisplay(mDisplay);
  }

  IGraphicsLinux* Open(float screenScale) {
    LinuxEditorParent record;
    record.window = mParent;
    record.runLoop = &mLoop;
    record.screenScale = screenScale;
    if (!mPlug->OpenEditor(&record)) return nullptr;
    mLoop.Pump(100);
    return static_cast<IGraphicsLinux*>(mPlug->GetUI());
  }

  // The editor's own window inside the parent.
  Window EditorWindow() const {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(mDisplay, mParent, &root, &parent, &children, &count);
    const Window w = count > 0 ? children[0] : 0;
    if (children) XFree(children);
    return w;
  }
  float PixelsPerUnit() const {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, EditorWindow(), &attrs);
    return static_cast<float>(attrs.width) / 1630.f;
  }
  Screenshot Shot() const { return Capture(mDisplay, EditorWindow()); }

  void PointerTo(float x, float y) {
    const float ppu = PixelsPerUnit();
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(mDisplay, EditorWindow(), DefaultRootWindow(mDisplay),
                          static_cast<int>(x * ppu), static_cast<int>(y * ppu), &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(mDisplay, -1, rootX, rootY, CurrentTime);
    XSync(mDisplay, False);
    mLoop.Pump(60);
  }
  void Button(bool press, int pumpMs = 60) {
    XTestFakeButtonEvent(mDisplay, 1, press, CurrentTime);
    XSync(mDisplay, False);
    mLoop.Pump(pumpMs);
  }
  void MoveBy(int dx, int dy) {
    XTestFakeRelativeMotionEvent(mDisplay, dx, dy, CurrentTime);
    XSync(mDisplay, False);
    mLoop.Pump(60);
  }

  Display* mDisplay = nullptr;
  Window mParent = 0;
  TestRunLoop mLoop;
  std::unique_ptr<Kelvora> mPlug;
};
