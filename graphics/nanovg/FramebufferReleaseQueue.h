#pragma once

#include <mutex>
#include <vector>

struct NVGLUframebuffer;

// Framebuffers of render targets destroyed while NanoVG was recording a frame that may still
// sample them; they are deleted when that frame has ended.
class FramebufferReleaseQueue {
public:
  FramebufferReleaseQueue() = default;
  FramebufferReleaseQueue(const FramebufferReleaseQueue&) = delete;
  FramebufferReleaseQueue& operator=(const FramebufferReleaseQueue&) = delete;
  ~FramebufferReleaseQueue() { Drain(); }

  void Add(NVGLUframebuffer* fb);
  // Deletes every queued framebuffer (GL framebuffer, renderbuffer and image), newest first.
  void Drain();
  size_t Size();

private:
  std::mutex mMutex;
  std::vector<NVGLUframebuffer*> mQueue;
};
