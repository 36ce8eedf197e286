#include "EventList.h"

using namespace Steinberg;

namespace KelvoraTestHost {

int32 PLUGIN_API EventList::getEventCount() {
  return static_cast<int32>(events.size());
}

tresult PLUGIN_API EventList::getEvent(int32 index, Vst::Event& e) {
  if (index < 0 || index >= getEventCount()) return kInvalidArgument;
  e = events[static_cast<size_t>(index)];
  return kResultOk;
}

tresult PLUGIN_API EventList::addEvent(Vst::Event& e) {
  events.push_back(e);
  return kResultOk;
}

} // namespace KelvoraTestHost
