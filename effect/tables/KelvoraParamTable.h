#pragma once

#include "KelvoraParams.h"
#include "ParamDef.h"

#include <array>

// Not inline: GCC 12 does not let a constant expression compare the address of an inline
// (weak) array with null, which the table's checks do.
constexpr const char* kOversamplingLabels[] = {"1x", "2x", "4x", "8x"};

// Every parameter of the effect, one row each in EParams order: the effect defines its
// parameters from these rows, and tools that describe the plug-in read them. The switches and
// Oversampling stay continuous to VST 3 hosts (switches count as on only at 1, Oversampling takes
// the whole number below the value). resources/art/tables.py reads the rows for the artwork
// preview: keep each row one call with literal numbers.
constexpr std::array<ParamDef, kNumParams> kKelvoraParams = {
    SwitchParam("Bypass", "bypass", false),
    SwitchParam("React", "react", false),
    ChoiceParam("Oversampling", "oversampling", 0, kOversamplingLabels),
    SwitchParam("Delta", "delta", false),
    ContinuousParam("Input Gain", "input_gain", 0., 200., 32., 0.01, 2, "%"),
    ContinuousParam("Wet", "wet", 0., 100., 50., 0.01, 2, "%"),
    ContinuousParam("Tame", "tame", 0., 1., 0.5, 0.001, 3, ""),
    ContinuousParam("Output Gain", "output_gain", 0., 120., 100., 0.01, 2, "%"),
    ContinuousParam("Bias", "bias", 0., 1., 0.5, 0.001, 3, ""),
};

static_assert(IsValidParamTable(kKelvoraParams), "a parameter row is malformed or repeated");

// The chain, its tests and the benchmark start from kDefaultParamValues (effect/dsp sees no
// table): the build stops when the two disagree.
constexpr bool DefaultsAreTheChains() {
  for (int i = 0; i < kNumParams; ++i)
    if (kKelvoraParams[static_cast<std::size_t>(i)].defaultValue !=
        kDefaultParamValues[static_cast<std::size_t>(i)])
      return false;
  return true;
}
static_assert(DefaultsAreTheChains(), "kDefaultParamValues differs from the parameter table");
