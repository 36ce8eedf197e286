#include "WindowCapture.h"

namespace {

#ifndef PW_RENDERFULLCONTENT
// Asks for what composition shows, GPU-drawn content included (Windows 8.1 and later).
constexpr UINT PW_RENDERFULLCONTENT = 0x2;
#endif

// A 32-bit top-down bitmap to draw into, selected into a memory context, freed on leaving.
class CaptureBitmap {
public:
  CaptureBitmap(HDC reference, int width, int height) : width(width), height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory = CreateCompatibleDC(reference);
    bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && bitmap) previous = SelectObject(memory, bitmap);
  }
  ~CaptureBitmap() {
    if (previous) SelectObject(memory, previous);
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
  }
  CaptureBitmap(const CaptureBitmap&) = delete;
  CaptureBitmap& operator=(const CaptureBitmap&) = delete;

  bool Ready() const { return previous != nullptr && bits != nullptr; }
  HDC Context() const { return memory; }
  ScreenImage Image() const {
    GdiFlush();
    return ImageFromBgrx(static_cast<const std::uint8_t*>(bits), width, height, width * 4);
  }

private:
  int width, height;
  HDC memory = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  void* bits = nullptr;
};

bool CopyFrom(HDC source, int x, int y, const CaptureBitmap& target, int width, int height) {
  return source && BitBlt(target.Context(), 0, 0, width, height, source, x, y, SRCCOPY);
}

} // namespace

const char* CaptureMethodName(CaptureMethod method) {
  switch (method) {
  case CaptureMethod::kPrintWindow:
    return "PrintWindow";
  case CaptureMethod::kWindowDc:
    return "the window's device context";
  case CaptureMethod::kScreenDc:
    return "the screen";
  }
  return "?";
}

ScreenImage CaptureWindow(HWND window, CaptureMethod method) {
  RECT client{};
  if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) return {};
  const int width = client.right, height = client.bottom;
  HDC screen = GetDC(nullptr);
  CaptureBitmap target(screen, width, height);
  bool copied = false;
  if (target.Ready()) {
    switch (method) {
    case CaptureMethod::kPrintWindow:
      copied = PrintWindow(window, target.Context(), PW_CLIENTONLY | PW_RENDERFULLCONTENT);
      break;
    case CaptureMethod::kWindowDc: {
      HDC own = GetDC(window);
      copied = CopyFrom(own, 0, 0, target, width, height);
      if (own) ReleaseDC(window, own);
      break;
    }
    case CaptureMethod::kScreenDc: {
      POINT origin{0, 0};
      copied = ClientToScreen(window, &origin) &&
               CopyFrom(screen, origin.x, origin.y, target, width, height);
      break;
    }
    }
  }
  ScreenImage image = copied ? target.Image() : ScreenImage{};
  ReleaseDC(nullptr, screen);
  return image;
}

ScreenImage ImageFromBgrx(const std::uint8_t* pixels, int width, int height, int stride) {
  ScreenImage image;
  if (!pixels || width <= 0 || height <= 0 || stride < width * 4) return image;
  image.width = width;
  image.height = height;
  image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
  std::uint8_t* out = image.rgb.data();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width; ++x, out += 3) {
      out[0] = row[4 * x + 2];
      out[1] = row[4 * x + 1];
      out[2] = row[4 * x];
    }
  }
  return image;
}
