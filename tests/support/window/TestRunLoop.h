#pragma once

#include "EditorRunLoop.h"

#include <chrono>
#include <map>

// A host's run loop in miniature: timers by period and descriptors by poll(), driven by Pump.
class TestRunLoop : public EditorRunLoop {
public:
  Id RegisterTimer(uint32_t periodMs, Callback callback) override;
  Id RegisterFileDescriptor(int fd, Callback callback) override;
  void Unregister(Id id) override { mEntries.erase(id); }

  // Runs due timers and readable descriptors for the given time.
  void Pump(int milliseconds);
  size_t Registrations() const { return mEntries.size(); }
  size_t Timers() const;

private:
  using Clock = std::chrono::steady_clock;
  struct Entry {
    bool isTimer;
    uint32_t periodMs;
    int fd;
    Clock::time_point due;
    Callback callback;
  };
  std::map<Id, Entry> mEntries;
  Id mNextId = 1;
};
