#pragma once

#include "IColor.h"
#include "IControl.h"

#include <string>

// A line of text on a filled background. It takes no mouse input, so clicks reach the
// control below it. With size-to-text its box becomes the measured text, centred where
// the given bounds were.
class ITextControl : public IControl {
public:
  ITextControl(const IRECT& bounds, const char* text = "", const IText& textStyle = IText(),
               const IColor& bgColor = COLOR_TRANSPARENT, bool sizeToText = false);

  void OnInit() override;
  void Draw(IGraphics& g) override;

  // Replaces the text; an equal text changes nothing.
  void AssignText(const char* text);
  const char* GetStr() const { return mStr.c_str(); }
  const IColor& GetBGColor() const { return mBGColor; }

private:
  void SizeToText();

  std::string mStr;
  IColor mBGColor;
  bool mSizeToText;
};
