#pragma once

#include "EditorRunLoop.h"
#include "WinHandles.h"

#include <map>
#include <memory>

// The editor's run loop on Windows, where hosts give plug-ins none: a message-only window of
// the thread that makes the loop, with one system timer per registration. The timers fire
// while that thread dispatches its messages (the host's message loop, or a test's), so every
// callback runs on the user-interface thread. Windows has no descriptors to watch for a
// window's events: registering one is refused.
class Win32RunLoop : public EditorRunLoop {
public:
  Win32RunLoop();
  ~Win32RunLoop() override;
  Win32RunLoop(const Win32RunLoop&) = delete;
  Win32RunLoop& operator=(const Win32RunLoop&) = delete;

  // False when the system gave no window: every registration is then refused.
  bool IsValid() const { return mWindow != nullptr; }
  Id RegisterTimer(uint32_t periodMs, Callback callback) override;
  Id RegisterFileDescriptor(int, Callback) override { return kNoId; }
  void Unregister(Id id) override;
  size_t Timers() const { return mTimers.size(); }

private:
  friend struct Win32RunLoopWindow;
  void OnTimer(Id id);

  HWND__* mWindow = nullptr;
  // Shared, so that a callback that unregisters itself is not destroyed while it runs.
  std::map<Id, std::shared_ptr<Callback>> mTimers;
  Id mNextId = 1;
};
