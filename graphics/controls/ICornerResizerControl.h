#pragma once

#include "IControl.h"

// The triangle in the editor's lower-right corner that resizes the editor by dragging
// and restores its creation size on a double click.
class ICornerResizerControl : public IControl {
public:
  ICornerResizerControl(const IRECT& graphicsBounds, float size, const IColor& color,
                        const IColor& mouseOverColor, const IColor& dragColor);

  void Draw(IGraphics& g) override;
  void OnRescale() override;
  void OnMouseDown(float x, float y, const IMouseMod& mod) override;
  void OnMouseDblClick(float x, float y, const IMouseMod& mod) override;
  void OnMouseOver(float x, float y, const IMouseMod& mod) override;
  void OnMouseOut() override;

  float GetSize() const { return mSize; }

private:
  float mSize;
  bool mMouseOver = false;
  int mPrevCursorType = 0;
  IRECT mInitialGraphicsBounds;
  IColor mColor;
  IColor mMouseOverColor;
  IColor mDragColor;
};
