#pragma once

#include "EditorRunLoop.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <map>

// The editor's run loop on a VST 3 host: every registration becomes a timer or event
// handler of the host's Steinberg::Linux::IRunLoop. The host may keep a handler a little
// longer than we do (it may be in the middle of calling it); a handler that was unregistered
// stays alive while referenced but never calls its callback again.
class HostRunLoop final : public EditorRunLoop {
public:
  explicit HostRunLoop(Steinberg::Linux::IRunLoop* loop);
  ~HostRunLoop() override;
  HostRunLoop(const HostRunLoop&) = delete;
  HostRunLoop& operator=(const HostRunLoop&) = delete;

  Id RegisterTimer(uint32_t periodMs, Callback callback) override;
  Id RegisterFileDescriptor(int fd, Callback callback) override;
  void Unregister(Id id) override;

  Steinberg::Linux::IRunLoop* HostLoop() const { return mLoop; }

private:
  class Handler;
  struct Registration {
    Steinberg::IPtr<Handler> handler;
    bool isTimer;
  };

  Steinberg::IPtr<Steinberg::Linux::IRunLoop> mLoop;
  std::map<Id, Registration> mRegistrations;
  Id mNextId = 1;
};
