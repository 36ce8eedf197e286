#pragma once

#include <cstdint>
#include <functional>
#include <memory>

/** A repeating timer on the user-interface thread. It never runs a thread of its own: whoever
 *  owns the thread's run loop (the host's run loop, or a test) calls Tick once per period, and
 *  the timer calls its function then, while it is running. */
class Timer {
public:
  using ITimerFunction = std::function<void(Timer&)>;

  /** A running timer with the given period; its first tick is due at once. */
  static std::unique_ptr<Timer> Create(ITimerFunction func, uint32_t intervalMs);

  virtual ~Timer() = default;

  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool IsRunning() const = 0;
  virtual uint32_t IntervalMs() const = 0;

  /** Called by the driver once per period; calls the function only while running. */
  virtual void Tick() = 0;
};
