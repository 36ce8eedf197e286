#pragma once

#include "IPlugAPIBase.h"
#include "StatePluginFixture.h"

#include <cmath>
#include <cstring>

/** The effect's nine parameters and identity on the API base, with state chunks on or off. */
class FuzzPlugin final : public IPlugAPIBase {
public:
  FuzzPlugin(bool stateChunks, int nPresets)
      : IPlugAPIBase(StateTestConfig(9, nPresets, stateChunks), 1) {
    const double maxima[] = {1, 1, 3, 1, 200, 100, 1, 120, 1};
    const double steps[] = {1, 1, 1, 1, 0.01, 0.01, 0.001, 0.01, 0.001};
    for (int i = 0; i < 9; ++i) {
      const int flags = i == 2 ? IParam::FlagStepped : 0;
      GetParam(i)->DefineDouble("p", 0.5, 0.0, maxima[i], steps[i], "", flags);
    }
  }

  IGraphics* MakeGraphics() override { return nullptr; }
  void BuildLayout(IGraphics*) override {}

  /** Traps unless every parameter holds a finite value within its range and every preset
   *  name is terminated inside its room. */
  void CheckInvariants() const {
    for (int i = 0; i < NParams(); ++i) {
      const IParam* param = GetParam(i);
      const double value = param->Value();
      if (!std::isfinite(value) || value < param->Min() || value > param->Max()) __builtin_trap();
    }
    for (int i = 0; i < NPresets(); ++i) {
      if (strnlen(GetPreset(i)->mName, MAX_PRESET_NAME_LEN) == MAX_PRESET_NAME_LEN)
        __builtin_trap();
    }
  }
};
