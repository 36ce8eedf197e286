#include "IPlugVST3View.h"

#include "HostRunLoop.h"
#include "IGraphics.h"
#include "IPlugVST3.h"
#include "LinuxEditorParent.h"
#include "VST3KeyTranslation.h"
#include "sdk/pluginfactory.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

using namespace Steinberg;

namespace {

// Far beyond any screen; keeps every conversion to int defined.
constexpr double kMaxPixels = 1.0e6;

} // namespace

// The frame the plug-in's editor resizes through: it speaks window points, the host pixels.
class IPlugVST3View::ScaledFrame final : public FObject, public IPlugFrame {
public:
  ScaledFrame(IPlugVST3View& view, IPlugFrame* host) : mView(view), mHost(host) {}

  IPlugFrame* Host() const { return mHost; }

  tresult PLUGIN_API resizeView(IPlugView*, ViewRect* newSize) override {
    if (!newSize) return kInvalidArgument;
    return mView.RequestResize(newSize->getWidth(), newSize->getHeight());
  }

  OBJ_METHODS(ScaledFrame, FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(IPlugFrame)
  END_DEFINE_INTERFACES(FObject)
  REFCOUNT_METHODS(FObject)

private:
  IPlugVST3View& mView;
  IPtr<IPlugFrame> mHost;
};

IPlugVST3View::IPlugVST3View(IPlugVST3& plug) : CPluginView(nullptr), mPlug(plug) {
  mPlug.addRef();
}

// A host that releases the view without removing it first still gets the editor closed and
// every timer off its run loop.
IPlugVST3View::~IPlugVST3View() {
  if (isAttached()) removed();
  mPlug.ViewClosed();
  mRunLoop.reset();
  mFrame = nullptr;
  mPlug.release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type) {
  return HasEditor() && type && std::strcmp(type, kPlatformType) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type) {
  if (isPlatformTypeSupported(type) != kResultTrue || !parent || isAttached()) return kResultFalse;
  if (!mRunLoop) FindHostRunLoop();

  LinuxEditorParent record;
  record.window = static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(parent));
  record.runLoop = mRunLoop.get();
  record.screenScale = mContentScale;
  CPluginView::attached(parent, type);
  mPlug.ViewOpened(this, mFrame);
  // A window that could not be made (no X server, no GL) is no editor to report as open.
  if (!mPlug.OpenEditor(&record)) {
    mPlug.CloseEditor();
    CPluginView::removed();
    return kResultFalse;
  }
  RememberAcceptedSize();
  if (IGraphics* g = mPlug.GetUI())
    rect = ViewRect(0, 0, ToPixels(g->WindowWidth()), ToPixels(g->WindowHeight()));
  if (mRunLoop && mPlug.GetTimer())
    mIdleTimerId = mRunLoop->RegisterTimer(mPlug.GetTimer()->IntervalMs(), [this] { OnIdle(); });
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::removed() {
  if (mRunLoop) mRunLoop->Unregister(mIdleTimerId);
  mIdleTimerId = EditorRunLoop::kNoId;
  mRestorePending = false;
  mFitPending = false;
  if (HasEditor()) mPlug.CloseEditor();
  return CPluginView::removed();
}

tresult PLUGIN_API IPlugVST3View::onKeyDown(char16 key, int16 keyCode, int16 modifiers) {
  return mPlug.OnKeyDown(TranslateVST3KeyPress(key, keyCode, modifiers)) ? kResultTrue
                                                                         : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::onKeyUp(char16 key, int16 keyCode, int16 modifiers) {
  return mPlug.OnKeyUp(TranslateVST3KeyPress(key, keyCode, modifiers)) ? kResultTrue : kResultFalse;
}

// Hosts make their first window from this before the editor opens: it is the size the editor
// opens at, not the picture's full size.
tresult PLUGIN_API IPlugVST3View::getSize(ViewRect* size) {
  if (!HasEditor() || !size) return kResultFalse;
  int width = 0, height = 0;
  mPlug.GetEditorWindowSize(width, height);
  *size = ViewRect(0, 0, ToPixels(width), ToPixels(height));
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize) {
  if (!newSize) return kResultTrue;
  rect = *newSize;
  mPlug.ParentResizedHook(static_cast<int>(std::lround(rect.getWidth() / mContentScale)),
                          static_cast<int>(std::lround(rect.getHeight() / mContentScale)));
  // Inside the editor's own request the editor is halfway through its resize: a size other
  // than the one it asked for is taken on the next idle tick.
  if (mRequestedWidth > 0) {
    mFitPending = rect.getWidth() != mRequestedWidth || rect.getHeight() != mRequestedHeight;
    return kResultTrue;
  }
  FitToHost();
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::setFrame(IPlugFrame* frame) {
  CPluginView::setFrame(frame);
  mFrame = frame ? owned(new ScaledFrame(*this, frame)) : nullptr;
  mPlug.ViewOpened(this, mFrame);
  // Timers already on a loop stay there until the view is removed.
  if (!isAttached()) FindHostRunLoop();
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::canResize() {
  return HasEditor() && mPlug.GetHostResizeEnabled() ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::checkSizeConstraint(ViewRect* r) {
  if (!r) return kResultFalse;
  const int minW = ToPixels(mPlug.GetMinWidth()), maxW = ToPixels(mPlug.GetMaxWidth());
  const int minH = ToPixels(mPlug.GetMinHeight()), maxH = ToPixels(mPlug.GetMaxHeight());
  const int w = r->getWidth(), h = r->getHeight();
  if (w >= minW && w <= maxW && h >= minH && h <= maxH) return kResultTrue;
  r->right = r->left + std::min(maxW, std::max(w, minW));
  r->bottom = r->top + std::min(maxH, std::max(h, minH));
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::setContentScaleFactor(ScaleFactor factor) {
  if (!(factor > 0.f) || !std::isfinite(factor)) return kResultTrue;
  const bool changed = factor != mContentScale;
  mContentScale = factor;
  mPlug.SetScreenScale(factor);
  // The window's pixel size follows the scale even when its size in points stays.
  if (changed && isAttached()) RequestResize(mPlug.GetEditorWidth(), mPlug.GetEditorHeight());
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  QUERY_INTERFACE(iid, obj, IPlugViewContentScaleSupport::iid, IPlugViewContentScaleSupport)
  return CPluginView::queryInterface(iid, obj);
}

int IPlugVST3View::ToPixels(int points) const {
  const double pixels = std::round(static_cast<double>(points) * mContentScale);
  return static_cast<int>(std::clamp(pixels, -kMaxPixels, kMaxPixels));
}

bool IPlugVST3View::HasEditor() const {
  return mPlug.HasUI();
}

void IPlugVST3View::FindHostRunLoop() {
  FUnknownPtr<Linux::IRunLoop> loop(plugFrame);
  if (!loop && gPluginFactory)
    loop = FUnknownPtr<Linux::IRunLoop>(
        static_cast<CPluginFactory*>(gPluginFactory)->getHostContext());
  if (mRunLoop && mRunLoop->HostLoop() == loop.getInterface()) return;
  mRunLoop = loop ? std::make_unique<HostRunLoop>(loop) : nullptr;
}

tresult IPlugVST3View::RequestResize(int widthPoints, int heightPoints) {
  IPlugFrame* host = mFrame ? mFrame->Host() : nullptr;
  if (!host) return kResultFalse;
  ViewRect size(0, 0, ToPixels(widthPoints), ToPixels(heightPoints));
  const ViewRect before = rect;
  // A host that grants without calling onSize has made its window this size.
  rect = size;
  mRequestedWidth = size.getWidth();
  mRequestedHeight = size.getHeight();
  const tresult result = host->resizeView(this, &size);
  mRequestedWidth = mRequestedHeight = 0;
  if (result == kResultTrue) {
    RememberAcceptedSize();
  } else {
    rect = before;
    mRestorePending = true;
  }
  return result;
}

void IPlugVST3View::RememberAcceptedSize() {
  if (IGraphics* g = mPlug.GetUI()) {
    mAcceptedWidth = g->Width();
    mAcceptedHeight = g->Height();
    mAcceptedScale = g->DrawScale();
  }
}

// Outside the resize that the host refused: that one is still on the stack when the host
// answers, and it records its size after asking.
void IPlugVST3View::RestoreAcceptedSize() {
  mRestorePending = false;
  IGraphics* g = mPlug.GetUI();
  if (!g || !(mAcceptedScale > 0.f)) return;
  g->Resize(mAcceptedWidth, mAcceptedHeight, mAcceptedScale, false);
  mPlug.SetEditorSize(g->WindowWidth(), g->WindowHeight());
  // The host's window stayed as it was, which may be larger than the picture.
  g->FitToWindow(rect.getWidth(), rect.getHeight());
}

void IPlugVST3View::FitToHost() {
  mFitPending = false;
  IGraphics* g = mPlug.GetUI();
  if (!g || !isAttached()) return;
  g->FitToWindow(rect.getWidth(), rect.getHeight());
  RememberAcceptedSize();
}

void IPlugVST3View::OnIdle() {
  if (Timer* timer = mPlug.GetTimer()) timer->Tick();
  if (mRestorePending) RestoreAcceptedSize();
  if (mFitPending) FitToHost();
}
