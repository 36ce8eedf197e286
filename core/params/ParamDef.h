#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Texts of a parameter (its name and unit) hold at most this many bytes.
constexpr int kMaxParamTextLength = 31;
// Display text shows at most this many digits after the point.
constexpr int kMaxDisplayPrecision = 6;

// Everything a plug-in declares about one parameter, readable without an instance: the plug-in
// defines its IParam from it, and a tool that describes the plug-in to a host format (or a test)
// reads the same row. A plug-in keeps these as one constexpr table in parameter order.
struct ParamDef {
  enum class Kind {
    kContinuous, // any value in [min, max]
    kSwitch,     // off at 0, on at 1
    kChoice,     // one label per whole value from 0
  };

  const char* name;   // as hosts show it
  const char* symbol; // lower_snake_case, from a letter; unique in the plug-in (LV2 port symbol)
  double min;
  double max;
  double defaultValue;
  double step;
  int displayPrecision; // digits after the point, chosen apart from the step
  const char* unit;     // shown after the value ("%"), "" for none
  Kind kind;
  const char* const* labels; // a choice's labels, value 0 first; null otherwise
  int labelCount;
};

constexpr ParamDef ContinuousParam(const char* name, const char* symbol, double min, double max,
                                   double defaultValue, double step, int displayPrecision,
                                   const char* unit) {
  return {name,
          symbol,
          min,
          max,
          defaultValue,
          step,
          displayPrecision,
          unit,
          ParamDef::Kind::kContinuous,
          nullptr,
          0};
}

constexpr ParamDef SwitchParam(const char* name, const char* symbol, bool on) {
  return {name, symbol, 0., 1., on ? 1. : 0., 1., 0, "", ParamDef::Kind::kSwitch, nullptr, 0};
}

template <std::size_t N>
constexpr ParamDef ChoiceParam(const char* name, const char* symbol, int defaultIndex,
                               const char* const (&labels)[N]) {
  return {name,
          symbol,
          0.,
          static_cast<double>(N) - 1.,
          static_cast<double>(defaultIndex),
          1.,
          0,
          "",
          ParamDef::Kind::kChoice,
          labels,
          static_cast<int>(N)};
}

namespace param_def_detail {

constexpr bool IsShortText(const char* text, bool mayBeEmpty) {
  if (!text) return false;
  const std::size_t n = std::string_view(text).size();
  return (mayBeEmpty || n > 0) && n <= static_cast<std::size_t>(kMaxParamTextLength);
}

constexpr bool IsSymbol(const char* text) {
  if (!text || !(text[0] >= 'a' && text[0] <= 'z')) return false;
  for (const char* c = text; *c; ++c)
    if (!((*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9') || *c == '_')) return false;
  return true;
}

// Neither infinite nor NaN, in a form a constant expression may evaluate.
constexpr bool IsFinite(double v) {
  return v - v == 0.;
}

// Bounded first, so that the conversion is defined for every double.
constexpr bool IsWhole(double v) {
  return v > -1e15 && v < 1e15 && static_cast<double>(static_cast<long long>(v)) == v;
}

constexpr bool LabelsAreValid(const ParamDef& def) {
  if (!def.labels || static_cast<double>(def.labelCount) != def.max + 1.) return false;
  for (int i = 0; i < def.labelCount; ++i)
    if (!IsShortText(def.labels[i], false)) return false;
  return true;
}

constexpr bool KindIsValid(const ParamDef& def) {
  switch (def.kind) {
  case ParamDef::Kind::kContinuous:
    return !def.labels && def.labelCount == 0;
  case ParamDef::Kind::kSwitch:
    return def.min == 0. && def.max == 1. && def.step == 1. && IsWhole(def.defaultValue) &&
           !def.labels && def.labelCount == 0;
  case ParamDef::Kind::kChoice:
    return def.min == 0. && def.step == 1. && IsWhole(def.max) && IsWhole(def.defaultValue) &&
           LabelsAreValid(def);
  }
  return false;
}

} // namespace param_def_detail

// Whether a definition describes a parameter a host can be given as it is: texts that fit, a
// symbol, a finite range holding the default, a step no wider than the range, a precision the
// display can show, and a range and labels that fit its kind.
constexpr bool IsValidParamDef(const ParamDef& def) {
  using namespace param_def_detail;
  return IsShortText(def.name, false) && IsSymbol(def.symbol) && IsShortText(def.unit, true) &&
         IsFinite(def.min) && IsFinite(def.max) && IsFinite(def.defaultValue) &&
         IsFinite(def.step) && def.min < def.max && def.min <= def.defaultValue &&
         def.defaultValue <= def.max && def.step >= 0. && def.step <= def.max - def.min &&
         def.displayPrecision >= 0 && def.displayPrecision <= kMaxDisplayPrecision &&
         KindIsValid(def);
}

// Every row valid, and no two rows sharing a name or a symbol.
template <std::size_t N> constexpr bool IsValidParamTable(const std::array<ParamDef, N>& table) {
  using std::string_view;
  for (std::size_t i = 0; i < N; ++i) {
    if (!IsValidParamDef(table[i])) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (string_view(table[i].symbol) == table[j].symbol ||
          string_view(table[i].name) == table[j].name)
        return false;
  }
  return true;
}

// The index of the row with this symbol, -1 when there is none.
template <std::size_t N>
constexpr int FindParamBySymbol(const std::array<ParamDef, N>& table, const char* symbol) {
  if (!symbol) return -1;
  for (std::size_t i = 0; i < N; ++i)
    if (std::string_view(table[i].symbol) == symbol) return static_cast<int>(i);
  return -1;
}
