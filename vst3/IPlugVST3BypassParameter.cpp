#include "IPlugVST3BypassParameter.h"

#include "IPlugVST3Constants.h"

#include "pluginterfaces/base/ustring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

IPlugVST3BypassParameter::IPlugVST3BypassParameter()
    : StringListParameter(STR16("Bypass"), kBypassParamID, nullptr,
                          ParameterInfo::kCanAutomate | ParameterInfo::kIsList |
                              ParameterInfo::kIsBypass) {
  appendString(STR16("off"));
  appendString(STR16("on"));
}
