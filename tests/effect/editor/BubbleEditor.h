#pragma once

#include "EditorInProcess.h"
#include "XTestPointer.h"

// Where the layout puts things, in UI units.
constexpr float kInputGainX = 126.f + 140.f; // the overlay's centre
constexpr float kInputGainY = 192.f + 143.f;
constexpr float kLampX = 824.f + 32.f;
constexpr float kLampY = 32.f;
constexpr float kOversamplingX = 1525.f + 50.f;
constexpr float kOversamplingY = 890.f + 39.f;
constexpr float kReactX = 516.f + 98.f;
constexpr float kReactY = 752.f + 32.f;
constexpr float kBackgroundX = 1000.f;
constexpr float kBackgroundY = 60.f;

// The effect's editor opened in process; the pointer moves through XTest.
class BubbleEditor : public EditorInProcess {
protected:
  IGraphicsLinux* Open(float screenScale) { return EditorInProcess::Open(screenScale, 100); }

  // The editor's own window inside the parent.
  Window EditorWindow() const { return FirstChildWindow(mDisplay, mParent); }
  float PixelsPerUnit() const {
    XWindowAttributes attrs{};
    XGetWindowAttributes(mDisplay, EditorWindow(), &attrs);
    return static_cast<float>(attrs.width) / 1630.f;
  }
  Screenshot Shot() const { return Capture(mDisplay, EditorWindow()); }

  void PointerTo(float x, float y) { mPointer.MoveTo(EditorWindow(), x, y, PixelsPerUnit()); }
  void Button(bool press) { mPointer.Button(press); }
  void MoveBy(int dx, int dy) { mPointer.MoveBy(dx, dy); }

  XTestPointer mPointer{[this](int milliseconds) { mLoop.Pump(milliseconds); }, 60};
};
