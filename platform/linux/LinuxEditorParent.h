#pragma once

#include "EditorRunLoop.h"

// What the host binding hands to IGraphicsLinux::OpenEditorWindow as the "parent": the X11
// window the host embeds the editor in, the run loop the editor's timer and X connection
// are registered with (null leaves the editor without ticks) and the host's content scale,
// which is the screen scale on X11 (0 keeps the context's own).
struct LinuxEditorParent {
  unsigned long window = 0;
  EditorRunLoop* runLoop = nullptr;
  float screenScale = 0.f;
};
