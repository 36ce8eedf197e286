#include "TestPlugFrame.h"

using namespace Steinberg;

tresult PLUGIN_API TestPlugFrame::resizeView(IPlugView* view, ViewRect* newSize) {
  if (!view || !newSize) return kInvalidArgument;
  requests.push_back(*newSize);
  if (refuse) return kResultFalse;
  if (mDisplay && mWindow && newSize->getWidth() > 0 && newSize->getHeight() > 0)
    XResizeWindow(mDisplay, mWindow, static_cast<unsigned>(newSize->getWidth()),
                  static_cast<unsigned>(newSize->getHeight()));
  view->onSize(newSize);
  return kResultTrue;
}

tresult PLUGIN_API TestPlugFrame::queryInterface(const TUID iid, void** obj) {
  if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid)) return mLoop.queryInterface(iid, obj);
  QUERY_INTERFACE(iid, obj, IPlugFrame::iid, IPlugFrame)
  return FObject::queryInterface(iid, obj);
}
