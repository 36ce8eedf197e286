#include "EditorViewSizing.h"

#include "IGraphics.h"
#include "IPlugAPIBase.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The draw-scale range of an editor, relative to the scale it first opens at (IGraphics).
constexpr float kMinDrawScaleOfOpening = 0.5f;
constexpr float kMaxDrawScaleOfOpening = 2.f;

int Within(int value, int low, int high) {
  return std::min(std::max(value, low), high);
}

} // namespace

EditorViewSizing::EditorViewSizing(IPlugAPIBase& plug, AskHost askHost)
    : mPlug(plug), mAskHost(std::move(askHost)) {}

// The binding closes the editor; a timer left on a loop that outlives this would call into
// nothing.
EditorViewSizing::~EditorViewSizing() {
  if (mLoop) mLoop->Unregister(mIdleTimerId);
}

void EditorViewSizing::SetContentScale(float scale) {
  if (!(scale > 0.f)) return;
  scale = std::min(std::max(scale, kMinContentScale), kMaxContentScale);
  const bool changed = scale != mContentScale;
  mContentScale = scale;
  mPlug.SetScreenScale(scale);
  // The window's pixel size follows the scale even when its size in points stays.
  const IGraphics* g = mPlug.GetUI();
  if (changed && mOpen && g) RequestResize(g->WindowWidth(), g->WindowHeight());
}

int EditorViewSizing::ToPixels(int points) const {
  const float pixels = static_cast<float>(points) * mContentScale;
  return static_cast<int>(std::min(std::max(pixels, 0.f), static_cast<float>(kMaxPixels)));
}

int EditorViewSizing::ToPoints(int pixels) const {
  return static_cast<int>(std::lround(static_cast<float>(pixels) / mContentScale));
}

// A closed editor opens at the size it closed at, or at the configured one, each taken as the
// editor takes it: the UI size within the plug-in's limits, the draw scale within its range.
PixelSize EditorViewSizing::EditorSize() const {
  if (const IGraphics* g = mPlug.GetUI()) {
    return {ToPixels(g->WindowWidth()), ToPixels(g->WindowHeight())};
  }
  const float opening = mPlug.GetOpeningDrawScale();
  int width = mPlug.GetOpeningWidth();
  int height = mPlug.GetOpeningHeight();
  float scale = opening;
  if (mPlug.GetLastWidth() != 0 && mPlug.GetLastHeight() != 0 && mPlug.GetLastScale() != 0.f) {
    width = Within(mPlug.GetLastWidth(), mPlug.GetMinWidth(), mPlug.GetMaxWidth());
    height = Within(mPlug.GetLastHeight(), mPlug.GetMinHeight(), mPlug.GetMaxHeight());
    scale = std::min(std::max(mPlug.GetLastScale(), kMinDrawScaleOfOpening * opening),
                     kMaxDrawScaleOfOpening * opening);
  }
  return {ToPixels(static_cast<int>(static_cast<float>(width) * scale)),
          ToPixels(static_cast<int>(static_cast<float>(height) * scale))};
}

PixelSize EditorViewSizing::Constrain(PixelSize proposed) const {
  const int minW = ToPixels(mPlug.GetMinWidth()), maxW = ToPixels(mPlug.GetMaxWidth());
  const int minH = ToPixels(mPlug.GetMinHeight()), maxH = ToPixels(mPlug.GetMaxHeight());
  return {std::min(maxW, std::max(proposed.width, minW)),
          std::min(maxH, std::max(proposed.height, minH))};
}

void* EditorViewSizing::Open(void* parent, EditorRunLoop* loop) {
  if (mOpen) return nullptr;
  mOpen = true;
  const unsigned reportsBefore = mReports;
  void* window = mPlug.OpenEditor(parent);
  // A window that could not be made (no display, no GL) is no editor to keep open.
  if (!window) {
    mOpen = false;
    mPlug.CloseEditor();
    return nullptr;
  }
  IGraphics* g = mPlug.GetUI();
  // A window system that does not hand the scale to the editor as it opens gets it here.
  if (g && g->ScreenScale() != mContentScale) mPlug.SetScreenScale(mContentScale);
  if (g && mReports == reportsBefore) mWindow = EditorSize();
  RememberAcceptedSize();
  const Timer* timer = mPlug.GetTimer();
  if (loop && timer) {
    mLoop = loop;
    mIdleTimerId = loop->RegisterTimer(timer->IntervalMs(), [this] { Idle(); });
  }
  return window;
}

void EditorViewSizing::Close() {
  if (mLoop) mLoop->Unregister(mIdleTimerId);
  mLoop = nullptr;
  mIdleTimerId = EditorRunLoop::kNoId;
  mRestorePending = false;
  mFitPending = false;
  mOpen = false;
  if (mPlug.HasUI()) mPlug.CloseEditor();
}

bool EditorViewSizing::RequestResize(int widthPoints, int heightPoints) {
  const PixelSize asked{ToPixels(widthPoints), ToPixels(heightPoints)};
  const PixelSize before = mWindow, outerAsking = mAsking;
  const bool outerRequest = mInRequest;
  const unsigned reportsBefore = mReports;
  // A host that grants without reporting its window has made it this size.
  mWindow = asked;
  mAsking = asked;
  mInRequest = true;
  const HostAnswer answer = mAskHost ? mAskHost(asked) : HostAnswer::kNotAsked;
  mAsking = outerAsking;
  mInRequest = outerRequest;
  if (answer == HostAnswer::kGranted) {
    RememberAcceptedSize();
    return true;
  }
  if (mReports == reportsBefore) mWindow = before;
  // Outside this call: the resize that the host refused is still on the stack, and it records
  // its size after asking.
  if (answer == HostAnswer::kRefused) mRestorePending = true;
  return false;
}

void EditorViewSizing::HostResized(PixelSize window) {
  window.width = Within(window.width, 0, kMaxPixels);
  window.height = Within(window.height, 0, kMaxPixels);
  mWindow = window;
  ++mReports;
  mPlug.ParentResizedHook(ToPoints(window.width), ToPoints(window.height));
  if (mInRequest) {
    mFitPending = window != mAsking;
    return;
  }
  FitToHost();
}

void EditorViewSizing::Idle() {
  if (Timer* timer = mPlug.GetTimer()) timer->Tick();
  if (mRestorePending) RestoreAcceptedSize();
  if (mFitPending) FitToHost();
}

void EditorViewSizing::RememberAcceptedSize() {
  if (const IGraphics* g = mPlug.GetUI()) {
    mAcceptedWidth = g->Width();
    mAcceptedHeight = g->Height();
    mAcceptedScale = g->DrawScale();
  }
}

void EditorViewSizing::RestoreAcceptedSize() {
  mRestorePending = false;
  IGraphics* g = mPlug.GetUI();
  if (!g || !(mAcceptedScale > 0.f)) return;
  g->Resize(mAcceptedWidth, mAcceptedHeight, mAcceptedScale, false);
  mPlug.SetEditorSize(g->WindowWidth(), g->WindowHeight());
  // The host's window stayed as it was, which may be larger than the picture.
  g->FitToWindow(mWindow.width, mWindow.height);
}

void EditorViewSizing::FitToHost() {
  mFitPending = false;
  IGraphics* g = mPlug.GetUI();
  if (!g || !mOpen) return;
  g->FitToWindow(mWindow.width, mWindow.height);
  RememberAcceptedSize();
}
