#pragma once

#include "public.sdk/source/vst/vstparameters.h"

// The host's bypass switch (ID 65536): "off" and "on", automatable, flagged as the bypass.
class IPlugVST3BypassParameter : public Steinberg::Vst::StringListParameter {
public:
  IPlugVST3BypassParameter();

  OBJ_METHODS(IPlugVST3BypassParameter, StringListParameter)
};
