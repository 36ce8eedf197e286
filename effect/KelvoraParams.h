#pragma once

// The effect's parameters in index order; the index is also the host's parameter ID.
enum EParams {
  kBypass = 0,
  kReact,
  kOversampling,
  kDelta,
  kInputGain,
  kWet,
  kTame,
  kOutputGain,
  kBias,
  kNumParams
};
