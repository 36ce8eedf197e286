#include "RunLoopTimer.h"

#include <utility>

std::unique_ptr<Timer> Timer::Create(ITimerFunction func, uint32_t intervalMs) {
  return std::make_unique<RunLoopTimer>(std::move(func), intervalMs);
}

RunLoopTimer::RunLoopTimer(ITimerFunction func, uint32_t intervalMs)
    : mFunction(std::move(func)), mIntervalMs(intervalMs) {}

void RunLoopTimer::Start() {
  mRunning = true;
}

void RunLoopTimer::Stop() {
  mRunning = false;
}

bool RunLoopTimer::IsRunning() const {
  return mRunning;
}

uint32_t RunLoopTimer::IntervalMs() const {
  return mIntervalMs;
}

void RunLoopTimer::Tick() {
  if (mRunning && mFunction) mFunction(*this);
}
