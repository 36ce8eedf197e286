#include "FramebufferReleaseQueue.h"

#include "NanoVGGL.h"

void FramebufferReleaseQueue::Add(NVGLUframebuffer* fb) {
  if (!fb) return;
  std::lock_guard<std::mutex> lock(mMutex);
  mQueue.push_back(fb);
}

void FramebufferReleaseQueue::Drain() {
  std::lock_guard<std::mutex> lock(mMutex);
  for (auto it = mQueue.rbegin(); it != mQueue.rend(); ++it)
    nvgluDeleteFramebuffer(*it);
  mQueue.clear();
}

size_t FramebufferReleaseQueue::Size() {
  std::lock_guard<std::mutex> lock(mMutex);
  return mQueue.size();
}
