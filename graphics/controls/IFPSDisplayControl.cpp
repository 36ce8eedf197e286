#include "IFPSDisplayControl.h"

#include "IGraphics.h"

#include <cstdio>

IFPSDisplayControl::IFPSDisplayControl(const IRECT& bounds, const char* title)
    : IControl(bounds), mTitle(title ? title : "") {
  mIgnoreMouse = true;
}

void IFPSDisplayControl::Update(float frameTime) {
  mSamples[static_cast<size_t>(mReadPos)] = frameTime;
  mReadPos = (mReadPos + 1) % kNumSamples;
  if (mCount < kNumSamples) ++mCount;
}

float IFPSDisplayControl::GetSample(int index) const {
  if (index < 0 || index >= kNumSamples) return 0.f;
  return mSamples[static_cast<size_t>(index)];
}

float IFPSDisplayControl::AverageFrameTime() const {
  if (mCount == 0) return 0.f;
  float sum = 0.f;
  for (int i = 0; i < mCount; ++i)
    sum += mSamples[static_cast<size_t>(i)];
  return sum / static_cast<float>(mCount);
}

void IFPSDisplayControl::Draw(IGraphics& g) {
  g.FillRect(COLOR_BLACK_DROP_SHADOW, mRECT);
  char text[64];
  std::snprintf(text, sizeof(text), "%s: %.2f ms", mTitle.c_str(), AverageFrameTime() * 1000.f);
  g.DrawText(IText(14.f, COLOR_WHITE), text, mRECT);
}
