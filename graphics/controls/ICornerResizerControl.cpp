#include "ICornerResizerControl.h"

#include "IGraphics.h"

ICornerResizerControl::ICornerResizerControl(const IRECT& graphicsBounds, float size,
                                             const IColor& color, const IColor& mouseOverColor,
                                             const IColor& dragColor)
    : IControl(IRECT()), mSize(size), mInitialGraphicsBounds(graphicsBounds), mColor(color),
      mMouseOverColor(mouseOverColor), mDragColor(dragColor) {}

void ICornerResizerControl::Draw(IGraphics& g) {
  const IColor& color = g.GetResizingInProcess() ? mDragColor
                        : mMouseOver             ? mMouseOverColor
                                                 : mColor;
  g.FillTriangle(color, mRECT.L, mRECT.B, mRECT.R, mRECT.T, mRECT.R, mRECT.B, &mBlend);
}

void ICornerResizerControl::OnRescale() {
  if (!mGraphics) return;
  const float w = static_cast<float>(mGraphics->Width());
  const float h = static_cast<float>(mGraphics->Height());
  const float side = mSize / mGraphics->DrawScale();
  SetArea(IRECT(w - side, h - side, w, h));
  mMouseIsOver = false;
  OnResize();
}

void ICornerResizerControl::OnMouseDown(float, float, const IMouseMod&) {
  if (mGraphics) mGraphics->SetResizingInProcess(true);
}

void ICornerResizerControl::OnMouseDblClick(float, float, const IMouseMod&) {
  if (mGraphics)
    mGraphics->Resize(static_cast<int>(mInitialGraphicsBounds.W()),
                      static_cast<int>(mInitialGraphicsBounds.H()), 1.f, true);
}

void ICornerResizerControl::OnMouseOver(float x, float y, const IMouseMod& mod) {
  if (!mMouseOver && mGraphics) {
    mPrevCursorType = mGraphics->GetCursorType();
    mGraphics->ChangeCursorShape(kSizeNWSECursor);
  }
  mMouseOver = true;
  IControl::OnMouseOver(x, y, mod);
}

void ICornerResizerControl::OnMouseOut() {
  if (mMouseOver && mGraphics) mGraphics->ChangeCursorShape(mPrevCursorType);
  mMouseOver = false;
  IControl::OnMouseOut();
}
