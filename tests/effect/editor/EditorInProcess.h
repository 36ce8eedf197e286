#pragma once

// Before any X11 header: Xlib defines macros (None, Bool) that clash with gtest's names.
#include <gtest/gtest.h>

#include "EditorHost.h"
#include "IGraphicsLinux.h"
#include "KeepGLDriverLoaded.h"
#include "Kelvora.h"
#include "LinuxEditorParent.h"
#include "ModulePath.h"
#include "TestRunLoop.h"
#include "Vst3Module.h"

#include <memory>

// The effect in this process, its resources taken from the built bundle, its editor in a
// parent window of the test's and driven by the test's run loop.
class EditorInProcess : public ::testing::Test {
protected:
  void SetUp() override {
    mDisplay = XOpenDisplay(nullptr);
    if (!mDisplay) GTEST_SKIP() << "no X display (run the tests under xvfb-run)";
    KeepGLDriverLoaded();
    SetModulePathOverride(Vst3Module::binaryPathOf(KELVORA_BUNDLE));
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

  // Opens the editor and runs the loop for settleMs, so that its first frame is drawn.
  IGraphicsLinux* Open(float screenScale, int settleMs) {
    LinuxEditorParent record;
    record.window = mParent;
    record.runLoop = &mLoop;
    record.screenScale = screenScale;
    if (!mPlug->OpenEditor(&record)) return nullptr;
    mLoop.Pump(settleMs);
    return static_cast<IGraphicsLinux*>(mPlug->GetUI());
  }

  Display* mDisplay = nullptr;
  Window mParent = 0;
  TestRunLoop mLoop;
  std::unique_ptr<Kelvora> mPlug;
};
