#include "HostParameterChanges.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

int32 PLUGIN_API HostParamQueue::getPointCount() {
  return static_cast<int32>(points.size());
}

tresult PLUGIN_API HostParamQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kResultFalse;
  sampleOffset = points[static_cast<size_t>(index)].first;
  value = points[static_cast<size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API HostParamQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  index = getPointCount();
  points.emplace_back(sampleOffset, value);
  return kResultOk;
}

void HostParameterChanges::Add(ParamID id, ParamValue value, int32 sampleOffset) {
  int32 index = 0;
  if (IParamValueQueue* queue = addParameterData(id, index))
    queue->addPoint(sampleOffset, value, index);
}

int32 PLUGIN_API HostParameterChanges::getParameterCount() {
  return static_cast<int32>(queues.size());
}

IParamValueQueue* PLUGIN_API HostParameterChanges::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return queues[static_cast<size_t>(index)];
}

IParamValueQueue* PLUGIN_API HostParameterChanges::addParameterData(const ParamID& id,
                                                                    int32& index) {
  for (size_t i = 0; i < queues.size(); ++i) {
    if (queues[i]->getParameterId() == id) {
      index = static_cast<int32>(i);
      return queues[i];
    }
  }
  index = getParameterCount();
  queues.push_back(owned(new HostParamQueue(id)));
  return queues.back();
}
