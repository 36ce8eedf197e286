#pragma once

#include "AudioBuffer.h"

#include <string>

// A host's render set against a reference render of the same input and settings. Hosts may
// shift their output by a latency they add or fail to compensate, and export ranges may end
// early or carry a tail, so the two are first aligned on the lag that fits best.
struct ComparisonResult {
  long lag = 0;             // host frame index minus reference frame index at the best fit
  long comparedFrames = 0;  // reference frames that the host's output covers at that lag
  double maxDifference = 0; // largest |host - reference| over the compared frames
  double rmsDifference = 0;
};

// Finds the lag in [-maxLag, maxLag] with the smallest largest difference over every channel
// and reports the comparison there. Channel counts must match; false and a reason otherwise.
bool CompareAligned(const AudioBuffer& host, const AudioBuffer& reference, long maxLag,
                    ComparisonResult& result, std::string& error);

// Largest |a - b| over the frames both hold, every channel; channel counts must match.
double MaxDifference(const AudioBuffer& a, const AudioBuffer& b);
