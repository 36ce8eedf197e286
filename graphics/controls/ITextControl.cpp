#include "ITextControl.h"

#include "IGraphics.h"

ITextControl::ITextControl(const IRECT& bounds, const char* text, const IText& textStyle,
                           const IColor& bgColor, bool sizeToText)
    : IControl(bounds), mStr(text ? text : ""), mBGColor(bgColor), mSizeToText(sizeToText) {
  mText = textStyle;
  mIgnoreMouse = true;
}

void ITextControl::OnInit() {
  if (mSizeToText) SizeToText();
}

void ITextControl::SizeToText() {
  if (!mGraphics) return;
  IRECT measured = mRECT;
  mGraphics->MeasureTextBounds(mText, mStr.c_str(), measured);
  const float w = measured.W();
  const float h = measured.H();
  const float l = mRECT.MW() - w / 2.f;
  const float t = mRECT.MH() - h / 2.f;
  SetArea(IRECT(l, t, l + w, t + h));
  mMouseIsOver = false;
  OnResize();
}

void ITextControl::Draw(IGraphics& g) {
  g.FillRect(mBGColor, mRECT, &mBlend);
  if (!mStr.empty() && g.GetControlInTextEntry() != this)
    g.DrawText(mText, mStr.c_str(), mRECT, &mBlend);
}

void ITextControl::AssignText(const char* text) {
  const char* str = text ? text : "";
  if (mStr == str) return;
  mStr = str;
  if (mSizeToText) SizeToText();
  MarkDirty(false);
}
