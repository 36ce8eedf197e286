#include "LatencyDelayLine.h"

#include <algorithm>

LatencyDelayLine::LatencyDelayLine(int nChans, int nChansWithInput, int length)
    : mNChans(std::max(nChans, 0)), mNChansWithInput(std::clamp(nChansWithInput, 0, mNChans)) {
  SetLength(length);
}

void LatencyDelayLine::SetLength(int length) {
  mLength = std::max(length, 0);
  mWritePos = 0;
  mStorage.assign(static_cast<size_t>(mLength) * static_cast<size_t>(mNChans), 0.0);
}

void LatencyDelayLine::Process(double** inputs, double** outputs, int nFrames) {
  if (nFrames <= 0) return;
  for (int ch = 0; ch < mNChansWithInput; ++ch) {
    const double* in = inputs[ch];
    double* out = outputs[ch];
    if (!in || !out) continue;
    if (mLength == 0) {
      if (in != out) std::copy_n(in, nFrames, out);
      continue;
    }
    double* ring = mStorage.data() + static_cast<size_t>(ch) * static_cast<size_t>(mLength);
    int pos = mWritePos;
    for (int i = 0; i < nFrames; ++i) {
      // Read the input first: the host may process in place.
      const double sample = in[i];
      out[i] = ring[pos];
      ring[pos] = sample;
      if (++pos == mLength) pos = 0;
    }
  }
  for (int ch = mNChansWithInput; ch < mNChans; ++ch)
    if (outputs[ch]) std::fill_n(outputs[ch], nFrames, 0.0);
  if (mLength > 0)
    mWritePos = static_cast<int>((static_cast<long long>(mWritePos) + nFrames) % mLength);
}
