#pragma once

#include "EditorRunLoop.h"

#include <chrono>
#include <vector>

// The editor's run loop inside an LV2 host: the host offers no loop to register with, only the
// UI's idle callback, so timers and the X connection are served from there. A timer runs on
// the first idle call at or after its due time (hosts call idle more slowly than the display
// rate, so a frame is never skipped twice); a descriptor is polled without waiting.
class Lv2IdleLoop final : public EditorRunLoop {
public:
  using Clock = std::chrono::steady_clock;

  Id RegisterTimer(uint32_t periodMs, Callback callback) override;
  Id RegisterFileDescriptor(int fd, Callback callback) override;
  void Unregister(Id id) override;

  // Runs what is due at now: readable descriptors first, then the timers.
  void Idle(Clock::time_point now);
  bool Empty() const { return mEntries.empty(); }

private:
  struct Entry {
    Id id;
    int fd; // -1 for a timer
    Clock::duration period;
    Clock::time_point due;
    Callback callback;
  };

  // Finds the entry again after each call: a callback may have unregistered any entry.
  void RunIfRegistered(Id id);

  std::vector<Entry> mEntries;
  Id mNextId = kNoId;
};
