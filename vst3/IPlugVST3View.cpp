#include "IPlugVST3View.h"

#include "IPlugVST3.h"
#include "VST3KeyTranslation.h"
#include "sdk/pluginfactory.h"

#include <cstring>

using namespace Steinberg;

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

IPlugVST3View::IPlugVST3View(IPlugVST3& plug)
    : CPluginView(nullptr), mPlug(plug),
      mSizing(plug, [this](PixelSize window) { return AskHost(window); }) {
  mPlug.addRef();
}

// A host that releases the view without removing it first still gets the editor closed and
// every timer off its run loop.
IPlugVST3View::~IPlugVST3View() {
  if (isAttached()) removed();
  mPlug.ViewClosed();
  mFrame = nullptr;
  mPlug.release();
}

tresult PLUGIN_API IPlugVST3View::isPlatformTypeSupported(FIDString type) {
  return HasEditor() && type && std::strcmp(type, ViewEmbedding::PlatformType()) == 0
             ? kResultTrue
             : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::attached(void* parent, FIDString type) {
  if (isPlatformTypeSupported(type) != kResultTrue || !parent || isAttached()) return kResultFalse;
  if (!mEmbedding.RunLoop()) FindRunLoop();
  void* record = mEmbedding.ParentRecord(parent, mSizing.ContentScale());
  CPluginView::attached(parent, type);
  mPlug.ViewOpened(this, mFrame);
  // A window that could not be made (no X server, no GL) is no editor to report as open.
  if (!mSizing.Open(record, mEmbedding.RunLoop())) {
    CPluginView::removed();
    return kResultFalse;
  }
  FollowWindow();
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::removed() {
  mSizing.Close();
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
  const PixelSize editor = mSizing.EditorSize();
  *size = ViewRect(0, 0, editor.width, editor.height);
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::onSize(ViewRect* newSize) {
  if (!newSize) return kResultTrue;
  rect = *newSize;
  mSizing.HostResized({rect.getWidth(), rect.getHeight()});
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::setFrame(IPlugFrame* frame) {
  CPluginView::setFrame(frame);
  mFrame = frame ? owned(new ScaledFrame(*this, frame)) : nullptr;
  mPlug.ViewOpened(this, mFrame);
  // Timers already on a loop stay there until the view is removed.
  if (!isAttached()) FindRunLoop();
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::canResize() {
  return HasEditor() && mPlug.GetHostResizeEnabled() ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API IPlugVST3View::checkSizeConstraint(ViewRect* r) {
  if (!r) return kResultFalse;
  const PixelSize proposed{r->getWidth(), r->getHeight()};
  const PixelSize allowed = mSizing.Constrain(proposed);
  if (allowed == proposed) return kResultTrue;
  r->right = r->left + allowed.width;
  r->bottom = r->top + allowed.height;
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::setContentScaleFactor(ScaleFactor factor) {
  mSizing.SetContentScale(factor);
  FollowWindow();
  return kResultTrue;
}

tresult PLUGIN_API IPlugVST3View::queryInterface(const TUID iid, void** obj) {
  if (!obj) return kInvalidArgument;
  QUERY_INTERFACE(iid, obj, IPlugViewContentScaleSupport::iid, IPlugViewContentScaleSupport)
  return CPluginView::queryInterface(iid, obj);
}

bool IPlugVST3View::HasEditor() const {
  return mPlug.HasUI();
}

void IPlugVST3View::FindRunLoop() {
  mEmbedding.FindRunLoop(
      plugFrame,
      gPluginFactory ? static_cast<CPluginFactory*>(gPluginFactory)->getHostContext() : nullptr);
}

EditorViewSizing::HostAnswer IPlugVST3View::AskHost(PixelSize window) {
  IPlugFrame* host = mFrame ? mFrame->Host() : nullptr;
  if (!host) return EditorViewSizing::HostAnswer::kNotAsked;
  ViewRect size(0, 0, window.width, window.height);
  // A host that reads the view's size while it resizes its window sees the new one.
  rect = size;
  return host->resizeView(this, &size) == kResultTrue ? EditorViewSizing::HostAnswer::kGranted
                                                      : EditorViewSizing::HostAnswer::kRefused;
}

tresult IPlugVST3View::RequestResize(int widthPoints, int heightPoints) {
  const bool granted = mSizing.RequestResize(widthPoints, heightPoints);
  FollowWindow();
  return granted ? kResultTrue : kResultFalse;
}

void IPlugVST3View::FollowWindow() {
  const PixelSize window = mSizing.Window();
  if (rect.getWidth() != window.width || rect.getHeight() != window.height)
    rect = ViewRect(0, 0, window.width, window.height);
}
