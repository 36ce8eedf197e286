#pragma once

#include "KnobPoint.h"

#include "base/source/fobject.h"
#include "pluginterfaces/gui/iplugview.h"

#include <windows.h>

#include <vector>

// A top-level window of the host's own that a plug-in view is attached to.
class HostWindow {
public:
  HostWindow() = default;
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Creates and shows the window with a client area of the size given.
  bool Create(int clientWidth, int clientHeight);
  HWND Handle() const { return window; }
  bool SetClientSize(int width, int height);
  // The largest visible child window: the editor's own, once the view is attached.
  HWND EditorChild() const;

private:
  HWND window = nullptr;
};

// The frame a view resizes through: the host's window takes the size asked for, then the view
// is told its new size, as a host grants a request.
class HostFrame : public Steinberg::FObject, public Steinberg::IPlugFrame {
public:
  explicit HostFrame(HostWindow& window) : window(window) {}

  Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                           Steinberg::ViewRect* newSize) override;

  std::vector<Steinberg::ViewRect> requests;

  OBJ_METHODS(HostFrame, Steinberg::FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::IPlugFrame)
  END_DEFINE_INTERFACES(Steinberg::FObject)
  REFCOUNT_METHODS(Steinberg::FObject)

private:
  HostWindow& window;
};

// Dispatches this thread's messages (the editor's timers and paints among them) for a while.
void PumpMessages(DWORD milliseconds);

// A left-button drag as a user makes it, sent as window messages to the window under the point
// (given in the editor window's client pixels): the pointer arrives, the button goes down, the
// pointer moves upPixels upwards (downwards when negative) in steps, the button comes up.
// False when no window is under the point.
bool SendDrag(HWND editor, WindowPoint at, int upPixels);
