#pragma once

#include "IControl.h"

#include <array>
#include <string>

// Shows how long recent frames took: keeps the last 100 frame times, in seconds.
class IFPSDisplayControl : public IControl {
public:
  static constexpr int kNumSamples = 100;

  IFPSDisplayControl(const IRECT& bounds, const char* title);

  void Draw(IGraphics& g) override;
  void Update(float frameTime);

  float GetSample(int index) const;
  int GetReadPos() const { return mReadPos; }
  float AverageFrameTime() const;
  const char* GetTitle() const { return mTitle.c_str(); }

private:
  std::array<float, kNumSamples> mSamples{};
  int mReadPos = 0;
  int mCount = 0;
  std::string mTitle;
};
