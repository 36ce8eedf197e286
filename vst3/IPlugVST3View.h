#pragma once

#include "EditorRunLoop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/common/pluginview.h"

#include <memory>

class HostRunLoop;
class IPlugVST3;

// The editor view the plug-in hands to the host: an X11 embedding of the graphics editor.
// Sizes exchanged with the host are device pixels, the editor's window points times the
// host's content scale. The view's own timers and the plug-in's idle timer run on the host's
// run loop, never on a thread of ours.
class IPlugVST3View final : public Steinberg::CPluginView,
                            public Steinberg::IPlugViewContentScaleSupport {
public:
  static constexpr const char* kPlatformType = "X11EmbedWindowID";

  // Keeps the plug-in alive as long as the view lives.
  explicit IPlugVST3View(IPlugVST3& plug);
  ~IPlugVST3View() override;

  // IPlugView
  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override;
  Steinberg::tresult PLUGIN_API removed() override;
  Steinberg::tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                          Steinberg::int16 modifiers) override;
  Steinberg::tresult PLUGIN_API onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                        Steinberg::int16 modifiers) override;
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override;
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override;
  Steinberg::tresult PLUGIN_API setFrame(Steinberg::IPlugFrame* frame) override;
  Steinberg::tresult PLUGIN_API canResize() override;
  Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override;

  // IPlugViewContentScaleSupport
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override;

  float ContentScale() const { return mContentScale; }

  OBJ_METHODS(IPlugVST3View, CPluginView)
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  REFCOUNT_METHODS(CPluginView)

private:
  class ScaledFrame;

  // Window points to host pixels, rounded to the nearest pixel.
  int ToPixels(int points) const;
  bool HasEditor() const;
  void FindHostRunLoop();
  // Asks the host for the window in pixels; a refusal puts the editor back on the next idle
  // tick, at the last size the host accepted.
  Steinberg::tresult RequestResize(int widthPoints, int heightPoints);
  void RememberAcceptedSize();
  void RestoreAcceptedSize();
  // The editor scales to the window the host gave (rect), without asking the host again.
  void FitToHost();
  void OnIdle();

  IPlugVST3& mPlug;
  Steinberg::IPtr<ScaledFrame> mFrame;
  std::unique_ptr<HostRunLoop> mRunLoop;
  EditorRunLoop::Id mIdleTimerId = EditorRunLoop::kNoId;
  float mContentScale = 1.f;
  // The editor's UI size and draw scale that the host last accepted.
  int mAcceptedWidth = 0;
  int mAcceptedHeight = 0;
  float mAcceptedScale = 0.f;
  bool mRestorePending = false;
  // The window in pixels the editor is asking the host for; 0 outside such a request.
  int mRequestedWidth = 0;
  int mRequestedHeight = 0;
  bool mFitPending = false;
};
