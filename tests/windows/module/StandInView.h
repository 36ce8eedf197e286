#pragma once

#include "public.sdk/source/common/pluginview.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <windows.h>

#include <cstdint>

// The stand-in's editor: a child window of the host's at 815 x 505 that paints a picture known
// to the tests (Pixel) and turns a parameter when dragged, as a knob does: in the left half the
// first parameter, in the right half the second; up raises it, 200 pixels span the range.
class StandInView : public Steinberg::CPluginView {
public:
  static constexpr int kWidth = 815;
  static constexpr int kHeight = 505;

  StandInView(Steinberg::Vst::EditController& controller, Steinberg::Vst::ParamID left,
              Steinberg::Vst::ParamID right);

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override;
  void attachedToParent() override;
  void removedFromParent() override;

  // The picture's colour at a pixel, 0xRRGGBB.
  static std::uint32_t Pixel(int x, int y);

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void Press(int x, int y);
  void Drag(int y);
  void Release();

  Steinberg::IPtr<Steinberg::Vst::EditController> controller;
  Steinberg::Vst::ParamID leftParam, rightParam;
  HWND window = nullptr;
  Steinberg::Vst::ParamID dragged = 0;
  bool dragging = false;
  int pressY = 0;
  double pressValue = 0;
};
