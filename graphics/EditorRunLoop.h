#pragma once

#include <cstdint>
#include <functional>

// The run loop of the thread the editor lives on. The editor runs no thread of its own: its
// display timer, the plug-in's idle timer and, on X11, the window system's connection are
// driven by whoever owns this loop (the host, the window layer where hosts give none, or a
// test). Registering and unregistering from inside a callback, the running one included, is
// safe; an unregistered callback is never called again.
class EditorRunLoop {
public:
  using Callback = std::function<void()>;
  using Id = uint64_t;
  static constexpr Id kNoId = 0;

  virtual ~EditorRunLoop() = default;

  // kNoId when the loop refuses the registration.
  virtual Id RegisterTimer(uint32_t periodMs, Callback callback) = 0;
  // The callback runs whenever fd is readable.
  virtual Id RegisterFileDescriptor(int fd, Callback callback) = 0;
  // Unknown ids and kNoId are ignored.
  virtual void Unregister(Id id) = 0;
};
