#pragma once

#include "IParam.h"
#include "public.sdk/source/vst/vstparameters.h"

// The host's view of one plug-in parameter: its description is taken from the IParam once, and
// every conversion between normalised value, plain value and text goes through the IParam, so
// the host and the editor always agree.
class IPlugVST3Parameter : public Steinberg::Vst::Parameter {
public:
  // The parameter stays owned by the plug-in and must outlive this object.
  IPlugVST3Parameter(IParam* param, Steinberg::Vst::ParamID id, Steinberg::Vst::UnitID unitID);

  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue normalized) const override;
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plain) const override;
  void toString(Steinberg::Vst::ParamValue normalized,
                Steinberg::Vst::String128 string) const override;
  bool fromString(const Steinberg::Vst::TChar* string,
                  Steinberg::Vst::ParamValue& normalized) const override;

  OBJ_METHODS(IPlugVST3Parameter, Parameter)

private:
  IParam* mParam;
};
