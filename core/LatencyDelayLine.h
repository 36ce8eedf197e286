#pragma once

#include <vector>

// Delays the pass-through by the plug-in's latency, so that bypassing keeps the
// timing of the processed signal: one ring of length samples per channel.
class LatencyDelayLine {
public:
  LatencyDelayLine(int nChans, int nChansWithInput, int length);

  // New length; storage is zeroed and the write position restarts. Allocates.
  void SetLength(int length);
  int Length() const { return mLength; }
  int NChans() const { return mNChans; }
  int NChansWithInput() const { return mNChansWithInput; }

  // Delays nFrames samples of each channel that has an input, in place
  // allowed (inputs[j] may equal outputs[j]). Outputs without an input are zeroed.
  void Process(double** inputs, double** outputs, int nFrames);

private:
  int mNChans;
  int mNChansWithInput;
  int mLength = 0;
  int mWritePos = 0;
  std::vector<double> mStorage;
};
