#pragma once

#include <array>

// The effect's parameters in index order; the index is also the host's parameter ID and the row
// of the parameter table.
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

// The plain values of every parameter, indexed by EParams.
using ParamValues = std::array<double, kNumParams>;

// The values a new effect's parameters hold: the defaults of the parameter table
// (effect/tables/KelvoraParamTable.h), which this layer cannot see; the build checks they agree.
constexpr ParamValues kDefaultParamValues = {0., 0., 0., 0., 32., 50., 0.5, 100., 0.5};
