#include "Lv2IdleLoop.h"

#include <poll.h>

#include <algorithm>

EditorRunLoop::Id Lv2IdleLoop::RegisterTimer(uint32_t periodMs, Callback callback) {
  if (!callback) return kNoId;
  const Clock::duration period = std::chrono::milliseconds(periodMs);
  mEntries.push_back({++mNextId, -1, period, Clock::now(), std::move(callback)});
  return mNextId;
}

EditorRunLoop::Id Lv2IdleLoop::RegisterFileDescriptor(int fd, Callback callback) {
  if (fd < 0 || !callback) return kNoId;
  mEntries.push_back(
      {++mNextId, fd, Clock::duration::zero(), Clock::time_point(), std::move(callback)});
  return mNextId;
}

void Lv2IdleLoop::Unregister(Id id) {
  if (id == kNoId) return;
  mEntries.erase(
      std::remove_if(mEntries.begin(), mEntries.end(), [id](const Entry& e) { return e.id == id; }),
      mEntries.end());
}

void Lv2IdleLoop::Idle(Clock::time_point now) {
  std::vector<Id> readable, due;
  for (const Entry& e : mEntries) {
    if (e.fd >= 0) {
      pollfd p{e.fd, POLLIN, 0};
      if (poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) readable.push_back(e.id);
    } else if (now >= e.due) {
      due.push_back(e.id);
    }
  }
  for (Id id : readable)
    RunIfRegistered(id);
  for (Id id : due) {
    auto it =
        std::find_if(mEntries.begin(), mEntries.end(), [id](const Entry& e) { return e.id == id; });
    if (it == mEntries.end()) continue;
    // Late ticks are not caught up: the next one is a period after this one.
    it->due = now + it->period;
    RunIfRegistered(id);
  }
}

void Lv2IdleLoop::RunIfRegistered(Id id) {
  auto it =
      std::find_if(mEntries.begin(), mEntries.end(), [id](const Entry& e) { return e.id == id; });
  if (it == mEntries.end()) return;
  // A copy: the callback may unregister itself, which destroys the entry's own.
  const Callback callback = it->callback;
  callback();
}
