#pragma once

#include "Timer.h"

/** The Linux timer: a passive object that the host's run loop (Steinberg::Linux::IRunLoop,
 *  through an ITimerHandler registered with IntervalMs) ticks on the user-interface thread. */
class RunLoopTimer final : public Timer {
public:
  RunLoopTimer(ITimerFunction func, uint32_t intervalMs);

  void Start() override;
  void Stop() override;
  bool IsRunning() const override;
  uint32_t IntervalMs() const override;
  void Tick() override;

private:
  ITimerFunction mFunction;
  uint32_t mIntervalMs;
  bool mRunning = true;
};
