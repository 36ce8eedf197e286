#include "EditorHost.h"

#include "IPlugVST3View.h"

#include <X11/Xutil.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

using namespace Steinberg;

uint32_t Screenshot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}

int Screenshot::Brightness(int x, int y) const {
  const uint32_t p = At(x, y);
  return static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
}

bool Screenshot::WritePng(const std::string& path) const {
  std::vector<uint8_t> rgb;
  rgb.reserve(pixels.size() * 3);
  for (uint32_t p : pixels) {
    rgb.push_back(static_cast<uint8_t>(p >> 16));
    rgb.push_back(static_cast<uint8_t>(p >> 8));
    rgb.push_back(static_cast<uint8_t>(p));
  }
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

Screenshot Capture(Display* dpy, Window window) {
  Screenshot shot;
  XSync(dpy, False);
  XWindowAttributes attrs{};
  if (!window || !XGetWindowAttributes(dpy, window, &attrs)) return shot;
  XImage* image = XGetImage(dpy, window, 0, 0, static_cast<unsigned>(attrs.width),
                            static_cast<unsigned>(attrs.height), AllPlanes, ZPixmap);
  if (!image) return shot;
  shot.width = attrs.width;
  shot.height = attrs.height;
  shot.pixels.resize(static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height));
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      shot.pixels[static_cast<size_t>(y) * static_cast<size_t>(shot.width) +
                  static_cast<size_t>(x)] =
          static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
  XDestroyImage(image);
  return shot;
}

PluginSlot::PluginSlot(TestHostRunLoop& loop, Vst3Module& module) : mLoop(loop) {
  if (!module.loaded()) return;
  PClassInfo info{};
  if (module.factory()->getClassInfo(0, &info) != kResultOk) return;
  component = module.createInstance<Vst::IComponent>(info.cid);
  if (!component || component->initialize(nullptr) != kResultOk) return;
  FUnknownPtr<Vst::IEditController> edit(component);
  if (!edit) return;
  handler = owned(new KelvoraTestHost::ComponentHandler());
  edit->setComponentHandler(handler);
  controller = edit;
}

PluginSlot::~PluginSlot() {
  Close();
  if (controller) controller->setComponentHandler(nullptr);
  controller = nullptr;
  if (component) component->terminate();
}

bool PluginSlot::Open(Display* dpy, Window parent, float contentScale) {
  if (!controller) return false;
  mDisplay = dpy;
  mParent = parent;
  view = owned(controller->createView(Vst::ViewType::kEditor));
  if (!view) return false;
  frame = owned(new TestPlugFrame(mLoop));
  frame->SetParentWindow(dpy, parent);
  view->setFrame(frame);
  FUnknownPtr<IPlugViewContentScaleSupport> scaling(view);
  if (scaling) scaling->setContentScaleFactor(contentScale);
  ViewRect size;
  if (view->getSize(&size) != kResultTrue) return false;
  XResizeWindow(dpy, parent, static_cast<unsigned>(size.getWidth()),
                static_cast<unsigned>(size.getHeight()));
  XSync(dpy, False);
  if (view->attached(reinterpret_cast<void*>(parent), Steinberg::kPlatformTypeX11EmbedWindowID) !=
      kResultTrue)
    return false;
  mLoop.Pump(200);
  return true;
}

void PluginSlot::Close() {
  if (!view) return;
  view->removed();
  view->setFrame(nullptr);
  view = nullptr;
  frame = nullptr;
}

Window FirstChildWindow(Display* dpy, Window parent) {
  if (!dpy || !parent) return 0;
  Window root = 0, itsParent = 0, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(dpy, parent, &root, &itsParent, &children, &n)) return 0;
  const Window child = n > 0 ? children[0] : 0;
  if (children) XFree(children);
  return child;
}

Window PluginSlot::EditorWindow() const {
  return FirstChildWindow(mDisplay, mParent);
}
