#pragma once

#include "EditorViewSizing.h"
#include "ViewEmbedding.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/common/pluginview.h"

#include <memory>

class IPlugVST3;

// The editor view the plug-in hands to the host: the graphics editor embedded in the host's
// window, as the window system has it (ViewEmbedding).
// Sizes exchanged with the host are device pixels; the sizing, scale and idle tick are the
// format's own only in how they reach the host (EditorViewSizing). The view's own timers and
// the plug-in's idle timer run on the user-interface thread's loop, never on a thread of ours.
class IPlugVST3View final : public Steinberg::CPluginView,
                            public Steinberg::IPlugViewContentScaleSupport {
public:
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

  float ContentScale() const { return mSizing.ContentScale(); }

  OBJ_METHODS(IPlugVST3View, CPluginView)
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  REFCOUNT_METHODS(CPluginView)

private:
  class ScaledFrame;

  bool HasEditor() const;
  void FindRunLoop();
  EditorViewSizing::HostAnswer AskHost(PixelSize window);
  Steinberg::tresult RequestResize(int widthPoints, int heightPoints);
  // The rectangle the host reads back follows the window the sizing knows.
  void FollowWindow();

  IPlugVST3& mPlug;
  Steinberg::IPtr<ScaledFrame> mFrame;
  ViewEmbedding mEmbedding;
  EditorViewSizing mSizing;
};
