#include "IPlugVST3Parameter.h"

#include "Utf16Text.h"

#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

ParameterInfo InfoOf(const IParam& param, ParamID id, UnitID unitID) {
  ParameterInfo info{};
  info.id = id;
  Utf8ToUtf16(param.Name(), info.title, 128);
  Utf8ToUtf16(param.Label(), info.units, 128);
  info.stepCount = param.Type() == IParam::kTypeDouble ? 0 : static_cast<int32>(param.Range());
  info.defaultNormalizedValue = param.NormalizedFromValue(param.Default());
  info.unitId = unitID;
  info.flags = param.GetCanAutomate() ? ParameterInfo::kCanAutomate : 0;
  if (param.Type() == IParam::kTypeEnum) info.flags |= ParameterInfo::kIsList;
  return info;
}

} // namespace

IPlugVST3Parameter::IPlugVST3Parameter(IParam* param, ParamID id, UnitID unitID)
    : Parameter(InfoOf(*param, id, unitID)), mParam(param) {
  setPrecision(param->DisplayPrecision());
}

ParamValue IPlugVST3Parameter::toPlain(ParamValue normalized) const {
  return mParam->ValueFromNormalized(normalized);
}

ParamValue IPlugVST3Parameter::toNormalized(ParamValue plain) const {
  return mParam->NormalizedFromValue(plain);
}

void IPlugVST3Parameter::toString(ParamValue normalized, String128 string) const {
  std::string text;
  mParam->FormatDisplay(normalized, true, text);
  Utf8ToUtf16(text.c_str(), string, 128);
}

bool IPlugVST3Parameter::fromString(const TChar* string, ParamValue& normalized) const {
  const std::string text = Utf16ToUtf8(string, 128, 4 * 128);
  normalized = mParam->NormalizedFromValue(mParam->ParseDisplay(text.c_str()));
  return true;
}
