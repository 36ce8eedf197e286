#pragma once

#include "EditorViewSizing.h"
#include "IPlugInstance.h"
#include "Lv2IdleLoop.h"
#include "Lv2PortLayout.h"
#include "Lv2UiFeatures.h"

#include "lv2/ui/ui.h"

#include <vector>

// What a host hands the editor when it makes a UI instance.
struct Lv2UiInstanceInfo {
  int channels; // of the plug-in the UI is made for: the port numbers depend on it
  const char* bundlePath;
  LV2UI_Write_Function write;
  LV2UI_Controller controller;
  const LV2_Feature* const* features; // may be null
};

// The editor's side of the LV2 binding: an instance of its own beside the host's DSP instance,
// as a VST 3 controller is, that talks to the plug-in only through its control ports. The
// editor's edits go out through the host's write function (plain port values), wrapped in
// ui:touch grabs when the host offers them; the host's port values come in through PortEvent.
// The editor's window is a child of the host's ui:parent, ticked by the host's idle calls;
// its size and scale go to and from the host's ui:resize through EditorViewSizing.
// Everything runs on the host's user-interface thread.
class IPlugLV2UI : public IPlugInstance {
public:
  IPlugLV2UI(const Lv2UiInstanceInfo& info, const Config& config);
  ~IPlugLV2UI() override;

  // Opens the editor in the host's window and tells the host its size. False without a parent
  // window or when the window cannot be made (no X server, no GL).
  bool OpenInHost();
  // Closes the editor while the effect above this binding still exists.
  void CloseInHost();
  // The editor's X11 window, 0 while closed.
  unsigned long Widget() const;

  // A port's value from the host: only floats on control ports are taken; the rest, and values
  // for a control the editor is dragging, are passed over.
  void PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);
  // One tick from the host. 0 while the editor is shown, 1 once the host destroyed its window.
  int Idle();
  // The host's size for the editor's window, in pixels: the picture scales to fit it.
  int HostResize(int widthPx, int heightPx);

  // Host operations of the editor
  bool EditorResize(int width, int height) override;
  void BeginHostEdit(int paramIdx) override;
  void EndHostEdit(int paramIdx) override;
  void PerformHostEdit(int paramIdx, double normalizedValue) override;

  // The editor sends no MIDI: the plug-in has no MIDI ports.
  bool EmitMidiMessage(const IMidiMsg& msg) override;

  const Lv2PortLayout& Ports() const { return mPorts; }

private:
  void Touch(int paramIdx, bool grabbed);
  EditorViewSizing::HostAnswer AskHost(PixelSize window);

  const Lv2UiFeatures mFeatures;
  const Lv2PortLayout mPorts;
  const LV2UI_Write_Function mWrite;
  const LV2UI_Controller mController;
  Lv2IdleLoop mLoop;
  // After the loop it ticks on, so that it leaves the loop first.
  EditorViewSizing mSizing;
  unsigned long mWidget = 0;
  std::vector<bool> mGrabbed; // per parameter, while an edit of the editor is open
};
