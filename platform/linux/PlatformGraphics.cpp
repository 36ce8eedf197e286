#include "PlatformGraphics.h"

#include "IGraphicsLinux.h"

IGraphics* MakePlatformGraphics(IGEditorDelegate& delegate, int w, int h, int fps, float scale,
                                const char* bundleId) {
  auto* graphics = new IGraphicsLinux(delegate, w, h, fps, scale);
  graphics->SetBundleIdentifier(bundleId);
  return graphics;
}
