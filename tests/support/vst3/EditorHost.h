#pragma once

#include "ComponentHandler.h"
#include "TestPlugFrame.h"
#include "Vst3Module.h"

#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

// The pixels of a window, 0xRRGGBB each.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const;
  int Brightness(int x, int y) const;
  bool WritePng(const std::string& path) const;
};
Screenshot Capture(Display* dpy, Window window);

// The first child of parent (the editor a host's window holds); 0 when it has none.
Window FirstChildWindow(Display* dpy, Window parent);

// One plug-in slot of the host: an instance of the module's first class, its edit-call recorder,
// its view and the frame around the view.
class PluginSlot {
public:
  PluginSlot(TestHostRunLoop& loop, Vst3Module& module);
  ~PluginSlot();

  bool Loaded() const { return controller != nullptr; }
  // createView, setFrame, the content scale, getSize, the parent sized to it and attached.
  bool Open(Display* dpy, Window parent, float contentScale = 1.f);
  void Close();
  // The editor's own X window inside the parent; 0 when none.
  Window EditorWindow() const;

  Steinberg::IPtr<Steinberg::Vst::IComponent> component;
  Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
  Steinberg::IPtr<KelvoraTestHost::ComponentHandler> handler;
  Steinberg::IPtr<Steinberg::IPlugView> view;
  Steinberg::IPtr<TestPlugFrame> frame;

private:
  TestHostRunLoop& mLoop;
  Display* mDisplay = nullptr;
  Window mParent = 0;
};
