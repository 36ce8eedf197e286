#include "ViewEmbedding.h"

#include "HostRunLoop.h"
#include "LinuxEditorParent.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cstdint>

// On X11 the host gives the view its window's id and, through Steinberg::Linux::IRunLoop, the
// loop of its user-interface thread, which also watches the editor's X connection.
struct ViewEmbedding::State {
  std::unique_ptr<HostRunLoop> loop;
  LinuxEditorParent parent;
};

const char* ViewEmbedding::PlatformType() {
  return Steinberg::kPlatformTypeX11EmbedWindowID;
}

ViewEmbedding::ViewEmbedding() : mState(std::make_unique<State>()) {}

ViewEmbedding::~ViewEmbedding() = default;

void ViewEmbedding::FindRunLoop(Steinberg::FUnknown* frame, Steinberg::FUnknown* hostContext) {
  Steinberg::FUnknownPtr<Steinberg::Linux::IRunLoop> loop(frame);
  if (!loop && hostContext) loop = Steinberg::FUnknownPtr<Steinberg::Linux::IRunLoop>(hostContext);
  if (mState->loop && mState->loop->HostLoop() == loop.getInterface()) return;
  mState->loop = loop ? std::make_unique<HostRunLoop>(loop) : nullptr;
}

EditorRunLoop* ViewEmbedding::RunLoop() const {
  return mState->loop.get();
}

void* ViewEmbedding::ParentRecord(void* hostWindow, float contentScale) {
  mState->parent.window = static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(hostWindow));
  mState->parent.runLoop = mState->loop.get();
  mState->parent.screenScale = contentScale;
  return &mState->parent;
}
