#include "ViewEmbedding.h"

#include "IGraphicsWin.h"
#include "Win32RunLoop.h"

#include "pluginterfaces/gui/iplugview.h"

// On Windows the host gives the view its window's HWND and no run loop: the view's timers run
// on a loop of its own, made on the user-interface thread that sets the view up.
struct ViewEmbedding::State {
  std::unique_ptr<Win32RunLoop> loop;
  WinEditorParent parent;
};

const char* ViewEmbedding::PlatformType() {
  return Steinberg::kPlatformTypeHWND;
}

ViewEmbedding::ViewEmbedding() : mState(std::make_unique<State>()) {}

ViewEmbedding::~ViewEmbedding() = default;

void ViewEmbedding::FindRunLoop(Steinberg::FUnknown*, Steinberg::FUnknown*) {
  if (!mState->loop) mState->loop = std::make_unique<Win32RunLoop>();
}

EditorRunLoop* ViewEmbedding::RunLoop() const {
  return mState->loop && mState->loop->IsValid() ? mState->loop.get() : nullptr;
}

void* ViewEmbedding::ParentRecord(void* hostWindow, float contentScale) {
  mState->parent.window = static_cast<HWND__*>(hostWindow);
  mState->parent.screenScale = contentScale;
  return &mState->parent;
}
