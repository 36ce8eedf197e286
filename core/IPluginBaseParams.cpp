#include "IPluginBase.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool InGroup(const IParam& param, const char* group) {
  return group && std::strcmp(param.Group(), group) == 0;
}

void SetRandomValue(IParam& param) {
  const float normalized = static_cast<float>(std::rand()) * (1.0f / 2147483648.0f);
  param.SetNormalized(normalized);
}
} // namespace

void IPluginBase::ForParamInRange(int startIdx, int endIdx,
                                  const std::function<void(int, IParam&)>& func) {
  const int first = startIdx < 0 ? 0 : startIdx;
  const int last = endIdx >= NParams() ? NParams() - 1 : endIdx;
  for (int i = first; i <= last; ++i)
    func(i, *GetParam(i));
}

void IPluginBase::ForParamInGroup(const char* paramGroup,
                                  const std::function<void(int, IParam&)>& func) {
  for (int i = 0; i < NParams(); ++i) {
    if (InGroup(*GetParam(i), paramGroup)) func(i, *GetParam(i));
  }
}

// Defaults go through SetValue so that a default off the range never escapes it.
void IPluginBase::DefaultParamValues() {
  DefaultParamValues(0, NParams() - 1);
}

void IPluginBase::DefaultParamValues(int startIdx, int endIdx) {
  ForParamInRange(startIdx, endIdx, [](int, IParam& param) { param.SetValue(param.Default()); });
}

void IPluginBase::DefaultParamValues(const char* paramGroup) {
  ForParamInGroup(paramGroup, [](int, IParam& param) { param.SetValue(param.Default()); });
}

void IPluginBase::RandomiseParamValues() {
  RandomiseParamValues(0, NParams() - 1);
}

void IPluginBase::RandomiseParamValues(int startIdx, int endIdx) {
  ForParamInRange(startIdx, endIdx, [](int, IParam& param) { SetRandomValue(param); });
}

void IPluginBase::RandomiseParamValues(const char* paramGroup) {
  ForParamInGroup(paramGroup, [](int, IParam& param) { SetRandomValue(param); });
}

// A plug-in in a host has no console: the walk prints nothing.
void IPluginBase::PrintParamValues() {
  ForParamInRange(0, NParams() - 1, [](int, IParam&) {});
}

void IPluginBase::CopyParamValues(int startIdx, int destIdx, int nParams) {
  for (int i = 0; i < nParams; ++i) {
    const IParam* source = GetParam(startIdx + i);
    IParam* target = GetParam(destIdx + i);
    if (source && target) target->SetValue(source->Value());
  }
}

void IPluginBase::CopyParamValues(const char* inGroup, const char* outGroup) {
  std::vector<IParam*> sources;
  std::vector<IParam*> targets;
  ForParamInGroup(inGroup, [&](int, IParam& param) { sources.push_back(&param); });
  ForParamInGroup(outGroup, [&](int, IParam& param) { targets.push_back(&param); });
  for (size_t i = 0; i < sources.size() && i < targets.size(); ++i)
    targets[i]->SetValue(sources[i]->Value());
}

void IPluginBase::InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmtStr,
                                 double defaultVal, double minVal, double maxVal, double step,
                                 const char* label, int flags, const char* group,
                                 const IParam::Shape& shape, IParam::ParamUnit unit,
                                 IParam::DisplayFunc displayFunc) {
  ForParamInRange(startIdx, endIdx, [&](int i, IParam& param) {
    char name[IParam::kMaxTextLength + 1];
    std::snprintf(name, sizeof(name), nameFmtStr ? nameFmtStr : "", countStart + i - startIdx);
    param.DefineDouble(name, defaultVal, minVal, maxVal, step, label, flags, group, shape, unit,
                       displayFunc);
  });
}

void IPluginBase::CloneParamRange(int cloneStartIdx, int cloneEndIdx, int startIdx,
                                  const char* searchStr, const char* replaceStr,
                                  const char* newGroup) {
  const int last = cloneEndIdx < NParams() ? cloneEndIdx : NParams() - 1;
  for (int clone = cloneStartIdx < 0 ? 0 : cloneStartIdx; clone <= last; ++clone) {
    const IParam* source = GetParam(clone);
    IParam* target = GetParam(startIdx + (clone - cloneStartIdx));
    if (!source || !target || source == target) continue;
    target->DefineFrom(*source, searchStr, replaceStr, newGroup);
    target->SetValue(source->Value());
  }
}
