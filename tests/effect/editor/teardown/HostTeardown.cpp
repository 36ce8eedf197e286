// A host that tears down in one of the orders real hosts use, with the Kelvora editor open,
// and then ends: the test runs it as a child process and expects a clean exit, since a fault
// here (a second free, Xlib's default error handler) ends the host itself.
#include "EditorHost.h"
#include "KelvoraBundle.h"

#include "IPlugVST3View.h"
#include "KeepGLDriverLoaded.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace Steinberg;

namespace {

// Everything a host keeps for one open editor. Made before the editor first opens, as a host's
// own statics are, so that at exit it is torn down after the statics the module made then.
struct Host {
  Display* display = XOpenDisplay(nullptr);
  Window parent = 0;
  TestHostRunLoop loop;
  PluginSlot* slot = nullptr;
  bool closeAtExit = false;
  bool removeAtExit = true;

  ~Host() {
    if (!closeAtExit || !slot) return;
    if (removeAtExit) slot->view->removed();
    delete slot;
  }

  bool Open() {
    if (!display) return false;
    KeepGLDriverLoaded();
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 815, 505, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);
    slot = new PluginSlot(loop, KelvoraModule());
    return slot->Loaded() && slot->Open(display, parent);
  }
};

Host& TheHost() {
  static Host host;
  return host;
}

} // namespace

int main(int argc, char** argv) {
  const std::string order = argc > 1 ? argv[1] : "";
  // Module before host: the module is unloaded last, after the host let go of everything.
  KelvoraModule();
  Host& host = TheHost();
  if (!host.Open()) {
    std::fprintf(stderr, "no editor: %s\n", KelvoraModule().error().c_str());
    return 2;
  }
  host.loop.Pump(100);

  if (order == "close-at-exit") {
    // The host's static destructors remove and release the view after ours have run.
    host.closeAtExit = true;
  } else if (order == "release-at-exit") {
    // ... or release it without removing it first.
    host.closeAtExit = true;
    host.removeAtExit = false;
  } else if (order == "close-after-module-exit") {
    // ModuleExit first; the module's own unload at exit then finds the count at 0.
    KelvoraModule().moduleExit();
    host.slot->Close();
    delete host.slot;
    host.slot = nullptr;
  } else if (order == "parent-destroyed") {
    // The host's window goes first; the editor keeps running on the loop until removed().
    XDestroyWindow(host.display, host.parent);
    XSync(host.display, False);
    host.slot->controller->setParamNormalized(4, 1.);
    host.loop.Pump(300);
    host.slot->Close();
    delete host.slot;
    host.slot = nullptr;
  } else {
    std::fprintf(stderr, "unknown order %s\n", order.c_str());
    return 2;
  }
  return 0;
}
