#pragma once

#include "EditorRunLoop.h"

#include <memory>

namespace Steinberg {
class FUnknown;
}

// How the VST 3 view embeds the editor in a host's window on this window system: the platform
// type of the host windows it accepts, the run loop the editor's timers run on, and the record
// the editor's window opens in. One implementation per window system (vst3/<os>/).
class ViewEmbedding {
public:
  static const char* PlatformType();

  ViewEmbedding();
  ~ViewEmbedding();
  ViewEmbedding(const ViewEmbedding&) = delete;
  ViewEmbedding& operator=(const ViewEmbedding&) = delete;

  // Finds the loop among the host's objects, the view's frame first, then the host's context;
  // on a window system whose hosts offer none, the view runs a loop of its own.
  void FindRunLoop(Steinberg::FUnknown* frame, Steinberg::FUnknown* hostContext);
  // Null while no loop was found or made: the editor then opens without ticks.
  EditorRunLoop* RunLoop() const;
  // The editor's parent record for the host's window, valid until the next call.
  void* ParentRecord(void* hostWindow, float contentScale);

private:
  struct State;
  std::unique_ptr<State> mState;
};
