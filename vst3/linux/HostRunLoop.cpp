#include "HostRunLoop.h"

#include <atomic>
#include <utility>

using namespace Steinberg;

// One object answers both handler interfaces; the run loop asks for the one it calls.
class HostRunLoop::Handler final : public Linux::ITimerHandler, public Linux::IEventHandler {
public:
  explicit Handler(Callback callback) : mCallback(std::move(callback)) {}
  virtual ~Handler() = default;

  void Disable() { mEnabled = false; }

  void PLUGIN_API onTimer() override { Fire(); }
  void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override { Fire(); }

  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
    if (FUnknownPrivate::iidEqual(iid, Linux::ITimerHandler::iid) ||
        FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
      *obj = static_cast<Linux::ITimerHandler*>(this);
    } else if (FUnknownPrivate::iidEqual(iid, Linux::IEventHandler::iid)) {
      *obj = static_cast<Linux::IEventHandler*>(this);
    } else {
      *obj = nullptr;
      return kNoInterface;
    }
    addRef();
    return kResultOk;
  }
  uint32 PLUGIN_API addRef() override { return ++mRefCount; }
  uint32 PLUGIN_API release() override {
    const uint32 count = --mRefCount;
    if (count == 0) delete this;
    return count;
  }

private:
  // The callback may unregister this very handler, which drops the loop's reference: our
  // own keeps the callback alive until it returns.
  void Fire() {
    if (!mEnabled) return;
    addRef();
    mCallback();
    release();
  }

  Callback mCallback;
  std::atomic<uint32> mRefCount{1};
  bool mEnabled = true;
};

HostRunLoop::HostRunLoop(Linux::IRunLoop* loop) : mLoop(loop) {}

HostRunLoop::~HostRunLoop() {
  while (!mRegistrations.empty())
    Unregister(mRegistrations.begin()->first);
}

EditorRunLoop::Id HostRunLoop::RegisterTimer(uint32_t periodMs, Callback callback) {
  if (!mLoop || !callback) return kNoId;
  auto handler = owned(new Handler(std::move(callback)));
  if (mLoop->registerTimer(handler, periodMs) != kResultOk) return kNoId;
  const Id id = mNextId++;
  mRegistrations[id] = {handler, true};
  return id;
}

EditorRunLoop::Id HostRunLoop::RegisterFileDescriptor(int fd, Callback callback) {
  if (!mLoop || !callback || fd < 0) return kNoId;
  auto handler = owned(new Handler(std::move(callback)));
  if (mLoop->registerEventHandler(handler, fd) != kResultOk) return kNoId;
  const Id id = mNextId++;
  mRegistrations[id] = {handler, false};
  return id;
}

void HostRunLoop::Unregister(Id id) {
  auto it = mRegistrations.find(id);
  if (it == mRegistrations.end()) return;
  // Out of the map before the host is told: the host may call back into this loop.
  Registration registration = std::move(it->second);
  mRegistrations.erase(it);
  registration.handler->Disable();
  if (registration.isTimer)
    mLoop->unregisterTimer(registration.handler);
  else
    mLoop->unregisterEventHandler(registration.handler);
}
