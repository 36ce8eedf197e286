#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <utility>
#include <vector>

// The parameter changes a host hands to one process call: one queue per parameter, each with
// its points in the order they were added.
class HostParamQueue : public Steinberg::FObject, public Steinberg::Vst::IParamValueQueue {
public:
  explicit HostParamQueue(Steinberg::Vst::ParamID id) : paramId(id) {}

  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return paramId; }
  Steinberg::int32 PLUGIN_API getPointCount() override;
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                         Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;

  OBJ_METHODS(HostParamQueue, Steinberg::FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::Vst::IParamValueQueue)
  END_DEFINE_INTERFACES(Steinberg::FObject)
  REFCOUNT_METHODS(Steinberg::FObject)

private:
  Steinberg::Vst::ParamID paramId;
  std::vector<std::pair<Steinberg::int32, Steinberg::Vst::ParamValue>> points;
};

class HostParameterChanges : public Steinberg::FObject, public Steinberg::Vst::IParameterChanges {
public:
  // Adds a point to the parameter's queue, creating the queue on first use.
  void Add(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value,
           Steinberg::int32 sampleOffset = 0);
  void Clear() { queues.clear(); }

  Steinberg::int32 PLUGIN_API getParameterCount() override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                Steinberg::int32& index) override;

  OBJ_METHODS(HostParameterChanges, Steinberg::FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::Vst::IParameterChanges)
  END_DEFINE_INTERFACES(Steinberg::FObject)
  REFCOUNT_METHODS(Steinberg::FObject)

private:
  std::vector<Steinberg::IPtr<HostParamQueue>> queues;
};
