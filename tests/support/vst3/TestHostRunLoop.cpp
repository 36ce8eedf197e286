#include "TestHostRunLoop.h"

#include <poll.h>

#include <vector>

using namespace Steinberg;

tresult PLUGIN_API TestHostRunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                         Linux::FileDescriptor fd) {
  if (!handler || fd < 0) return kInvalidArgument;
  Entry entry;
  entry.events = handler;
  entry.fd = fd;
  mEntries[mNextId++] = entry;
  return kResultOk;
}

tresult PLUGIN_API TestHostRunLoop::unregisterEventHandler(Linux::IEventHandler* handler) {
  for (auto it = mEntries.begin(); it != mEntries.end();)
    it = it->second.events == handler ? mEntries.erase(it) : std::next(it);
  return kResultOk;
}

tresult PLUGIN_API TestHostRunLoop::registerTimer(Linux::ITimerHandler* handler,
                                                  Linux::TimerInterval ms) {
  if (!handler || ms == 0) return kInvalidArgument;
  Entry entry;
  entry.timer = handler;
  entry.periodMs = ms;
  entry.due = Clock::now() + std::chrono::milliseconds(ms);
  mEntries[mNextId++] = entry;
  return kResultOk;
}

tresult PLUGIN_API TestHostRunLoop::unregisterTimer(Linux::ITimerHandler* handler) {
  for (auto it = mEntries.begin(); it != mEntries.end();)
    it = it->second.timer == handler ? mEntries.erase(it) : std::next(it);
  return kResultOk;
}

tresult PLUGIN_API TestHostRunLoop::queryInterface(const TUID iid, void** obj) {
  if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop::iid) ||
      FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
    *obj = this;
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

size_t TestHostRunLoop::Timers() const {
  size_t n = 0;
  for (const auto& e : mEntries)
    n += e.second.timer ? 1 : 0;
  return n;
}

size_t TestHostRunLoop::EventHandlers() const {
  return mEntries.size() - Timers();
}

// Handlers may unregister themselves or others while called: each one is looked up again,
// and held by a reference of our own while it runs.
void TestHostRunLoop::Pump(int milliseconds) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < end) {
    std::vector<pollfd> fds;
    std::vector<uint64_t> ids;
    for (const auto& e : mEntries) {
      if (!e.second.events) continue;
      fds.push_back({e.second.fd, POLLIN, 0});
      ids.push_back(e.first);
    }
    poll(fds.data(), fds.size(), 5);
    for (size_t i = 0; i < fds.size(); ++i) {
      auto it = mEntries.find(ids[i]);
      if (!(fds[i].revents & POLLIN) || it == mEntries.end()) continue;
      IPtr<Linux::IEventHandler> handler = it->second.events;
      handler->onFDIsSet(fds[i].fd);
    }
    std::vector<uint64_t> due;
    for (const auto& e : mEntries)
      if (e.second.timer && e.second.due <= Clock::now()) due.push_back(e.first);
    for (uint64_t id : due) {
      auto it = mEntries.find(id);
      if (it == mEntries.end()) continue;
      it->second.due = Clock::now() + std::chrono::milliseconds(it->second.periodMs);
      IPtr<Linux::ITimerHandler> handler = it->second.timer;
      handler->onTimer();
    }
  }
}
