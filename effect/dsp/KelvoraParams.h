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

// The values a new effect's parameters hold, in index order.
constexpr double kDefaultParamValues[kNumParams] = {0., 0., 0., 0., 32., 50., 0.5, 100., 0.5};
