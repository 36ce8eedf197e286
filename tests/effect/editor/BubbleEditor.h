#pragma once

#include "EditorInProcess.h"
#include "LayoutPoints.h"
#include "XTestPointer.h"

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
