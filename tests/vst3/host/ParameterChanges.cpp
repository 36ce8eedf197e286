#include "ParameterChanges.h"

using namespace Steinberg;

namespace KelvoraTestHost {

int32 PLUGIN_API ParamValueQueue::getPointCount() {
  return static_cast<int32>(points.size());
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                             Vst::ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kResultFalse;
  sampleOffset = points[static_cast<size_t>(index)].first;
  value = points[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value,
                                             int32& index) {
  index = getPointCount();
  points.emplace_back(sampleOffset, value);
  return kResultOk;
}

void ParameterChanges::add(Vst::ParamID id, int32 sampleOffset, Vst::ParamValue value) {
  int32 queueIndex = 0;
  int32 pointIndex = 0;
  addParameterData(id, queueIndex)->addPoint(sampleOffset, value, pointIndex);
}

int32 PLUGIN_API ParameterChanges::getParameterCount() {
  return static_cast<int32>(queues.size());
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return queues[static_cast<size_t>(index)];
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const Vst::ParamID& id,
                                                                     int32& index) {
  for (size_t i = 0; i < queues.size(); ++i) {
    if (queues[i]->getParameterId() == id) {
      index = static_cast<int32>(i);
      return queues[i];
    }
  }
  index = getParameterCount();
  queues.push_back(owned(new ParamValueQueue(id)));
  return queues.back();
}

} // namespace KelvoraTestHost
