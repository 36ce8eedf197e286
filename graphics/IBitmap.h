#pragma once

#include <string>

// A decoded image as the drawing backend holds it. Backends derive from it to
// keep their own image objects. Scale is the pixel density of the source file (1 for
// name.png, 2 for name@2x.png); draw scale differs from 1 only for render targets.
class APIBitmap {
public:
  APIBitmap() = default;
  APIBitmap(int handle, int width, int height, float scale, float drawScale)
      : mHandle(handle), mWidth(width), mHeight(height), mScale(scale), mDrawScale(drawScale) {}
  virtual ~APIBitmap() = default;

  int Handle() const { return mHandle; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  float Scale() const { return mScale; }
  float DrawScale() const { return mDrawScale; }

private:
  int mHandle = 0;
  int mWidth = 0;
  int mHeight = 0;
  float mScale = 1.f;
  float mDrawScale = 1.f;
};

// What controls hold: a non-owning view of a cached image, its size in UI points
// and its filmstrip layout. The default value is the empty bitmap, which stands for a
// resource that could not be loaded and draws nothing. The resource name reloads the
// image at another density.
//
// Filmstrip: N frames side by side (horizontal) or stacked; a frame is FW by FH points,
// and frame k (from 1) starts at (k - 1) * W / N or (k - 1) * H / N points.
class IBitmapHandle {
public:
  IBitmapHandle() = default;
  IBitmapHandle(APIBitmap* bitmap, int frames, bool framesAreHorizontal, const std::string& name)
      : mBitmap(bitmap), mFrames(frames), mFramesAreHorizontal(framesAreHorizontal),
        mResourceName(name) {
    if (bitmap && bitmap->Scale() > 0.f) {
      mW = static_cast<int>(bitmap->Width() / bitmap->Scale());
      mH = static_cast<int>(bitmap->Height() / bitmap->Scale());
    }
  }

  APIBitmap* GetAPIBitmap() const { return mBitmap; }
  bool IsValid() const { return mBitmap != nullptr; }
  int W() const { return mW; }
  int H() const { return mH; }
  int N() const { return mFrames; }
  bool GetFramesAreHorizontal() const { return mFramesAreHorizontal; }
  const std::string& GetResourceName() const { return mResourceName; }

  int FW() const { return mFramesAreHorizontal && mFrames > 0 ? mW / mFrames : mW; }
  int FH() const { return !mFramesAreHorizontal && mFrames > 0 ? mH / mFrames : mH; }

private:
  APIBitmap* mBitmap = nullptr;
  int mW = 0;
  int mH = 0;
  int mFrames = 0;
  bool mFramesAreHorizontal = false;
  std::string mResourceName;
};
