#pragma once

#include "TestHostRunLoop.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <X11/Xlib.h>

#include <vector>

// The host's frame around one plug-in view: it offers the run loop, records every resize
// the view asks for and, unless told to refuse, grants it as a host does: its own window
// (the view's parent) takes the new size, then the view's onSize is called.
class TestPlugFrame : public Steinberg::FObject, public Steinberg::IPlugFrame {
public:
  explicit TestPlugFrame(TestHostRunLoop& loop) : mLoop(loop) {}

  Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                           Steinberg::ViewRect* newSize) override;

  void SetParentWindow(Display* dpy, Window window) {
    mDisplay = dpy;
    mWindow = window;
  }

  std::vector<Steinberg::ViewRect> requests;
  bool refuse = false;

  OBJ_METHODS(TestPlugFrame, Steinberg::FObject)
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  REFCOUNT_METHODS(Steinberg::FObject)

private:
  TestHostRunLoop& mLoop;
  Display* mDisplay = nullptr;
  Window mWindow = 0;
};
