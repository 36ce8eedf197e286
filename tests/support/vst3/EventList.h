#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstevents.h"

#include <vector>

namespace KelvoraTestHost {

// The events of one block, in the order they were added.
class EventList : public Steinberg::FObject, public Steinberg::Vst::IEventList {
public:
  void clear() { events.clear(); }

  Steinberg::int32 PLUGIN_API getEventCount() override;
  Steinberg::tresult PLUGIN_API getEvent(Steinberg::int32 index, Steinberg::Vst::Event& e) override;
  Steinberg::tresult PLUGIN_API addEvent(Steinberg::Vst::Event& e) override;

  OBJ_METHODS(EventList, Steinberg::FObject)
  DEFINE_INTERFACES
  DEF_INTERFACE(Steinberg::Vst::IEventList)
  END_DEFINE_INTERFACES(Steinberg::FObject)
  REFCOUNT_METHODS(Steinberg::FObject)

private:
  std::vector<Steinberg::Vst::Event> events;
};

} // namespace KelvoraTestHost
