#pragma once

#include "HostParameterChanges.h"

namespace KelvoraTestHost {

// The parameter changes of one block, as the renderer hands them to a plug-in; tests place
// several points per parameter at chosen sample offsets.
class ParameterChanges : public HostParameterChanges {
public:
  void add(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset,
           Steinberg::Vst::ParamValue value) {
    Add(id, value, sampleOffset);
  }
  void clear() { Clear(); }
};

} // namespace KelvoraTestHost
