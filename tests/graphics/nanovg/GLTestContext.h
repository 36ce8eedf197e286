#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An off-screen GLX legacy (OpenGL 2.1 compatibility) context on a pbuffer, current on this
// thread while the object lives: what the editor view gives the backend, without a window.
// Framebuffer 0 is the pbuffer, so presented frames can be read back from it.
class GLTestContext {
public:
  GLTestContext(int width, int height);
  ~GLTestContext();
  GLTestContext(const GLTestContext&) = delete;
  GLTestContext& operator=(const GLTestContext&) = delete;

  bool Valid() const { return mContext != nullptr; }
  // Why no context could be made (empty when Valid).
  const std::string& Error() const { return mError; }
  void MakeCurrent();

  // RGBA bytes of framebuffer 0, rows top-down.
  std::vector<uint8_t> ReadPixels(int width, int height) const;

private:
  void* mDisplay = nullptr;
  void* mContext = nullptr;
  unsigned long mPbuffer = 0;
  std::string mError;
};
