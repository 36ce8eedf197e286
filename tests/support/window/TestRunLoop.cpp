#include "TestRunLoop.h"

#include <poll.h>
#include <vector>

EditorRunLoop::Id TestRunLoop::RegisterTimer(uint32_t periodMs, Callback callback) {
  const Id id = mNextId++;
  mEntries[id] = {true, periodMs, -1, Clock::now(), std::move(callback)};
  return id;
}

EditorRunLoop::Id TestRunLoop::RegisterFileDescriptor(int fd, Callback callback) {
  const Id id = mNextId++;
  mEntries[id] = {false, 0, fd, Clock::now(), std::move(callback)};
  return id;
}

size_t TestRunLoop::Timers() const {
  size_t n = 0;
  for (const auto& e : mEntries)
    n += e.second.isTimer ? 1 : 0;
  return n;
}

void TestRunLoop::Pump(int milliseconds) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < end) {
    std::vector<pollfd> fds;
    std::vector<Id> fdIds;
    for (const auto& e : mEntries) {
      if (e.second.isTimer) continue;
      fds.push_back({e.second.fd, POLLIN, 0});
      fdIds.push_back(e.first);
    }
    poll(fds.data(), fds.size(), 5);
    // Callbacks may (un)register: each is looked up again before it runs.
    for (size_t i = 0; i < fds.size(); ++i) {
      auto it = mEntries.find(fdIds[i]);
      if ((fds[i].revents & POLLIN) && it != mEntries.end()) {
        Callback cb = it->second.callback;
        cb();
      }
    }
    std::vector<Id> due;
    for (const auto& e : mEntries)
      if (e.second.isTimer && e.second.due <= Clock::now()) due.push_back(e.first);
    for (Id id : due) {
      auto it = mEntries.find(id);
      if (it == mEntries.end()) continue;
      it->second.due = Clock::now() + std::chrono::milliseconds(it->second.periodMs);
      Callback cb = it->second.callback;
      cb();
    }
  }
}
