// X11 side of the host conformance stage: prepares the X server for hosts that embed plug-in
// windows, finds a host's plug-in window by its size, checks what it shows against a reference
// picture, and closes the host's window the way a window manager does.
#include "PngFile.h"
#include "ScreenImage.h"
#include "ToolCommand.h"
#include "X11Windows.h"

#include <X11/Xlib.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kUsage[] =
    "usage: kelvora-conformance-window intern ATOM...\n"
    "       kelvora-conformance-window check WIDTH HEIGHT REFERENCE.png SHOT.png SECONDS "
    "[HOST_PID [offscreen]]\n"
    "       kelvora-conformance-window close WIDTH HEIGHT\n";

// The deepest viewable window of this size, and its ancestor just below the root (the window
// a window manager would manage).
bool FindWindow(Display* display, Window from, int width, int height, Window& found,
                Window& topLevel, Window currentTop) {
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, from, &root, &parent, &children, &count)) return false;
  bool any = false;
  for (unsigned i = 0; i < count; ++i) {
    const Window top = from == root ? children[i] : currentTop;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
    if (attributes.map_state != IsViewable) continue;
    if (attributes.width == width && attributes.height == height) {
      found = children[i];
      topLevel = top;
      any = true;
    }
    if (FindWindow(display, children[i], width, height, found, topLevel, top)) any = true;
  }
  if (children) XFree(children);
  return any;
}

// A host that has exited (or is only waiting to be reaped) will show no window.
bool Running(long pid) {
  if (pid <= 0) return true;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const auto close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

bool WaitForWindow(Display* display, int width, int height, Clock::time_point deadline,
                   long hostPid, Window& found, Window& topLevel) {
  while (Clock::now() < deadline && Running(hostPid)) {
    if (FindWindow(display, DefaultRootWindow(display), width, height, found, topLevel, 0)) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

int Intern(Display* display, int count, char** names) {
  for (int i = 0; i < count; ++i)
    XInternAtom(display, names[i], False);
  XSync(display, False);
  return 0;
}

// Waits for the window, then for its picture to settle (the editor draws on its own timer),
// and compares the settled picture with the reference.
int Check(Display* display, int width, int height, const std::string& referencePath,
          const std::string& shotPath, double seconds, long hostPid, bool offscreen) {
  ScreenImage reference;
  if (!ReadPng(referencePath, reference)) {
    std::printf("cannot read %s\n", referencePath.c_str());
    return 1;
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
  Window window = 0, topLevel = 0;
  if (!WaitForWindow(display, width, height, deadline, hostPid, window, topLevel)) {
    std::printf("no window of %d x %d appeared%s\n", width, height,
                Running(hostPid) ? " in time" : " before the host exited");
    return 1;
  }
  std::printf("window 0x%lx of %d x %d (top level 0x%lx)\n", window, width, height, topLevel);
  ScreenImage previous, shot;
  int shotX = 0, shotY = 0;
  bool settled = false, whole = false;
  while (!settled && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    // Until the host has made room for the window, a grab shows only the part it lets through;
    // a host's borders may cover the window's edge.
    if (offscreen) {
      // A host that keeps the window off the screen by design (Wine keeps a GL child window
      // in a container of 1 x 1 pixels) still lets its own picture be read, bar the pixels
      // beyond the screen's edge.
      whole = GrabWindowOnScreen(display, window, shot, shotX, shotY) &&
              shot.width * shot.height >= 0.98 * width * height;
      if (!whole) continue;
    } else {
      whole = ShareInsideAncestors(display, window) >= 0.98;
      if (!whole || !GrabWindow(display, window, shot) || shot.width != width ||
          shot.height != height) {
        continue;
      }
    }
    settled = shot.rgb == previous.rgb && DistinctColours(shot, 1000) >= 1000;
    previous = shot;
  }
  WritePng(shotPath, shot);
  const int colours = DistinctColours(shot, 100000);
  const ImageDifference difference =
      CompareImages(shot, CropImage(reference, shotX, shotY, shot.width, shot.height), 48);
  std::printf("screenshot %s: %d colours; against %s: mean difference %.2f / 255, "
              "%.2f %% of pixels apart\n",
              shotPath.c_str(), colours, referencePath.c_str(), difference.meanAbsolute,
              100 * difference.fractionApart);
  if (!settled) {
    std::printf("the window did not show a settled, painted picture within %g s%s\n", seconds,
                whole ? "" : " (the host's windows around it still cut it off)");
    return 1;
  }
  if (difference.meanAbsolute > 6 || difference.fractionApart > 0.02) {
    std::printf("the window does not show the editor's artwork\n");
    return 1;
  }
  return 0;
}

int Close(Display* display, int width, int height) {
  Window window = 0, topLevel = 0;
  if (!FindWindow(display, DefaultRootWindow(display), width, height, window, topLevel, 0)) {
    std::printf("no window of %d x %d to close\n", width, height);
    return 1;
  }
  if (!AskToClose(display, topLevel)) {
    std::printf("window 0x%lx does not take WM_DELETE_WINDOW\n", topLevel);
    return 1;
  }
  std::printf("asked window 0x%lx to close\n", topLevel);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<ToolCommand> commands = {
      {"intern", 1, INT_MAX, Intern},
      {"check", 5, 7,
       [](Display* d, int count, char** a) {
         return Check(d, std::atoi(a[0]), std::atoi(a[1]), a[2], a[3], std::atof(a[4]),
                      count >= 6 ? std::atol(a[5]) : 0,
                      count == 7 && std::string(a[6]) == "offscreen");
       }},
      {"close", 2, 2,
       [](Display* d, int, char** a) { return Close(d, std::atoi(a[0]), std::atoi(a[1])); }},
  };
  return RunToolCommand(argc, argv, commands, kUsage);
}
