#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <chrono>
#include <cstdint>
#include <map>

// The host's run loop as a Linux DAW offers it to plug-ins: event handlers polled on their
// descriptors and timers by period, all on the calling thread, driven by Pump.
class TestHostRunLoop : public Steinberg::Linux::IRunLoop {
public:
  virtual ~TestHostRunLoop() = default;

  Steinberg::tresult PLUGIN_API registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                     Steinberg::Linux::FileDescriptor fd) override;
  Steinberg::tresult PLUGIN_API
  unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
  Steinberg::tresult PLUGIN_API registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                              Steinberg::Linux::TimerInterval ms) override;
  Steinberg::tresult PLUGIN_API unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

  // Lives on the test's stack: references are counted but never delete it.
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
  Steinberg::uint32 PLUGIN_API addRef() override { return 1; }
  Steinberg::uint32 PLUGIN_API release() override { return 1; }

  void Pump(int milliseconds);
  size_t Timers() const;
  size_t EventHandlers() const;

private:
  using Clock = std::chrono::steady_clock;
  struct Entry {
    Steinberg::IPtr<Steinberg::Linux::ITimerHandler> timer;
    Steinberg::IPtr<Steinberg::Linux::IEventHandler> events;
    int fd = -1;
    uint64_t periodMs = 0;
    Clock::time_point due;
  };
  std::map<uint64_t, Entry> mEntries;
  uint64_t mNextId = 1;
};
