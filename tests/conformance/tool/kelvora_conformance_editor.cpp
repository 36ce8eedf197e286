// Looks at a plug-in editor inside a host's own plug-in window (found by the window's id, as
// xdotool reports it): where the editor sits, where a point of its picture is on the screen,
// whether the window shows the picture scaled to fit with a plain fill around it, what value a
// knob shows, and where on the screen a colour is painted.
#include "EditorPicture.h"
#include "PngFile.h"
#include "ScreenImage.h"
#include "ToolCommand.h"
#include "X11Windows.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The editor shows its picture from half to twice the size it is drawn at.
constexpr double kMinScale = 0.5, kMaxScale = 2;
// Its knobs' pointers, in the picture's own pixels, and the degrees they turn through.
constexpr double kPointerInner = 18, kPointerOuter = 55, kKnobSpan = 260;
// A painted editor shows thousands of colours; an unpainted window one.
constexpr int kPainted = 1000;

constexpr char kUsage[] =
    "usage: kelvora-conformance-editor area TOPLEVEL\n"
    "       kelvora-conformance-editor point TOPLEVEL PICTURE.png X Y\n"
    "       kelvora-conformance-editor picture TOPLEVEL PICTURE.png SHOT.png SECONDS "
    "[SEEN.png]\n"
    "       kelvora-conformance-editor knob TOPLEVEL PICTURE.png X Y VALUE\n"
    "       kelvora-conformance-editor locate WINDOW RRGGBB\n"
    "       kelvora-conformance-editor close TOPLEVEL\n"
    "PICTURE.png is the editor's picture at its own size; X Y are points on it.\n";

// Window ids as xdotool prints them: decimal, or hexadecimal with 0x.
Window WindowArg(const char* text) {
  return std::strtoul(text, nullptr, 0);
}

struct Area {
  Window host = 0;   // the host's window that the editor's window is put in
  Window editor = 0; // the editor's own window
  int x = 0, y = 0;  // the host window's top left on the screen
  int width = 0, height = 0;
  int editorWidth = 0, editorHeight = 0;
};

// The largest viewable window without children below the top level: the editor's own. The host
// keeps tiny windows of its own there too; until the editor has mapped its window, none is found.
void LargestLeaf(Display* display, Window window, Window parent, Area& best, long& bestArea) {
  Window root, up, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &up, &children, &count)) return;
  XWindowAttributes attributes;
  if (count == 0 && parent && XGetWindowAttributes(display, window, &attributes) &&
      attributes.map_state == IsViewable && attributes.width >= 64 && attributes.height >= 64 &&
      long(attributes.width) * attributes.height > bestArea) {
    bestArea = long(attributes.width) * attributes.height;
    best.editor = window;
    best.host = parent;
    best.editorWidth = attributes.width;
    best.editorHeight = attributes.height;
  }
  for (unsigned i = 0; i < count; ++i)
    LargestLeaf(display, children[i], window, best, bestArea);
  if (children) XFree(children);
}

bool FindArea(Display* display, Window topLevel, Area& area) {
  long bestArea = 0;
  area = Area{};
  LargestLeaf(display, topLevel, 0, area, bestArea);
  XWindowAttributes attributes;
  if (!area.host || !XGetWindowAttributes(display, area.host, &attributes)) {
    std::printf("no editor window inside window 0x%lx\n", topLevel);
    return false;
  }
  area.width = attributes.width;
  area.height = attributes.height;
  Window child;
  XTranslateCoordinates(display, area.host, DefaultRootWindow(display), 0, 0, &area.x, &area.y,
                        &child);
  return true;
}

bool ReadPicture(const std::string& path, ScreenImage& picture) {
  if (ReadPng(path, picture)) return true;
  std::printf("cannot read %s\n", path.c_str());
  return false;
}

PictureLayout LayoutOf(const Area& area, const ScreenImage& picture) {
  return FitPicture(area.width, area.height, picture.width, picture.height, kMinScale, kMaxScale);
}

int PrintArea(Display* display, Window topLevel) {
  Area area;
  if (!FindArea(display, topLevel, area)) return 1;
  std::printf("host 0x%lx %d x %d at %d,%d; editor 0x%lx %d x %d\n", area.host, area.width,
              area.height, area.x, area.y, area.editor, area.editorWidth, area.editorHeight);
  return 0;
}

int Point(Display* display, Window topLevel, const std::string& picturePath, double x, double y) {
  ScreenImage picture;
  Area area;
  if (!ReadPicture(picturePath, picture) || !FindArea(display, topLevel, area)) return 1;
  const PictureLayout layout = LayoutOf(area, picture);
  std::printf("%ld %ld\n", area.x + std::lround(x * layout.scale),
              area.y + std::lround(y * layout.scale));
  return 0;
}

// Grabs the host's window until two grabs a quarter second apart agree (the editor draws on
// its own timer) on a painted picture, or the time is up. A window the editor has not painted
// yet (one colour, on a busy machine for a while) is not its first paint.
bool Settled(Display* display, const Area& area, double seconds, ScreenImage& shot) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(long(seconds * 1000));
  ScreenImage previous;
  while (Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (!GrabWindow(display, area.host, shot)) continue;
    if (shot.rgb == previous.rgb && DistinctColours(shot, kPainted) >= kPainted) return true;
    previous = shot;
  }
  return false;
}

int Picture(Display* display, Window topLevel, const std::string& picturePath,
            const std::string& shotPath, double seconds, const std::string& seenPath) {
  ScreenImage picture, shot;
  Area area;
  if (!ReadPicture(picturePath, picture) || !FindArea(display, topLevel, area)) return 1;
  const bool settled = Settled(display, area, seconds, shot);
  WritePng(shotPath, shot);
  if (shot.rgb.empty()) {
    std::printf("cannot grab window 0x%lx\n", area.host);
    return 1;
  }
  const PictureLayout layout = LayoutOf(area, picture);
  const ScreenImage seen =
      Resample(shot, 0, 0, layout.width, layout.height, picture.width, picture.height);
  if (!seenPath.empty()) WritePng(seenPath, seen);
  const ImageDifference difference = CompareImages(seen, picture, 48);
  // Where picture and fill meet, the picture's last row or column may be a blend of both.
  const int fillX = std::min(shot.width, layout.width + 2),
            fillY = std::min(shot.height, layout.height + 2);
  const double right = PlainShare(shot, fillX, 0, shot.width - fillX, shot.height);
  const double below = PlainShare(shot, 0, fillY, fillX, shot.height - fillY);
  std::printf("%s: window %d x %d (editor's own %d x %d); picture expected at scale %.3f, "
              "%d x %d at the top left: mean difference %.2f / 255, %.2f %% of pixels apart; "
              "plain fill %.1f %% right of it, %.1f %% below it\n",
              shotPath.c_str(), shot.width, shot.height, area.editorWidth, area.editorHeight,
              layout.scale, layout.width, layout.height, difference.meanAbsolute,
              100 * difference.fractionApart, 100 * right, 100 * below);
  int status = 0;
  if (!settled) {
    std::printf("the window did not settle on one picture within %g s\n", seconds);
    status = 1;
  }
  if (difference.meanAbsolute > 8 || difference.fractionApart > 0.03) {
    std::printf("the window does not show the editor's picture scaled to fit at its top left\n");
    status = 1;
  }
  if (right < 0.99 || below < 0.99) {
    std::printf("the window around the picture is not a plain fill\n");
    status = 1;
  }
  return status;
}

int Knob(Display* display, Window topLevel, const std::string& picturePath, double x, double y,
         double expected) {
  ScreenImage picture, shot;
  Area area;
  if (!ReadPicture(picturePath, picture) || !FindArea(display, topLevel, area)) return 1;
  Settled(display, area, 5, shot);
  const PictureLayout layout = LayoutOf(area, picture);
  const ScreenImage seen =
      Resample(shot, 0, 0, layout.width, layout.height, picture.width, picture.height);
  const double value = KnobValue(seen, x, y, kPointerInner, kPointerOuter, kKnobSpan);
  if (value < 0) {
    std::printf("no knob pointer drawn around %g,%g\n", x, y);
    return 1;
  }
  std::printf("the knob at %g,%g shows %.3f (expected %.3f)\n", x, y, value, expected);
  if (std::abs(value - expected) > 0.04) {
    std::printf("the knob does not show the host's value\n");
    return 1;
  }
  return 0;
}

int Locate(Display* display, Window window, const std::string& colour) {
  ScreenImage shot;
  const unsigned long rgb = std::strtoul(colour.c_str(), nullptr, 16);
  if (!GrabWindow(display, window, shot)) {
    std::printf("cannot grab window 0x%lx\n", window);
    return 1;
  }
  int x = 0, y = 0, width = 0, height = 0;
  if (!LocateHue(shot, int(rgb >> 16), int(rgb >> 8 & 0xff), int(rgb & 0xff), 200, x, y, width,
                 height)) {
    std::printf("no %s painted in window 0x%lx\n", colour.c_str(), window);
    return 1;
  }
  Window child;
  int rootX = 0, rootY = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  std::printf("%d %d\n", rootX, rootY);
  std::fprintf(stderr, "%s painted over %d x %d pixels around %d,%d\n", colour.c_str(), width,
               height, rootX, rootY);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  const std::vector<ToolCommand> commands = {
      {"area", 1, 1, [](Display* d, int, char** a) { return PrintArea(d, WindowArg(a[0])); }},
      {"point", 4, 4,
       [](Display* d, int, char** a) {
         return Point(d, WindowArg(a[0]), a[1], std::atof(a[2]), std::atof(a[3]));
       }},
      {"picture", 4, 5,
       [](Display* d, int count, char** a) {
         return Picture(d, WindowArg(a[0]), a[1], a[2], std::atof(a[3]), count == 5 ? a[4] : "");
       }},
      {"knob", 5, 5,
       [](Display* d, int, char** a) {
         return Knob(d, WindowArg(a[0]), a[1], std::atof(a[2]), std::atof(a[3]), std::atof(a[4]));
       }},
      {"locate", 2, 2, [](Display* d, int, char** a) { return Locate(d, WindowArg(a[0]), a[1]); }},
      {"close", 1, 1,
       [](Display* d, int, char** a) {
         const Window window = WindowArg(a[0]);
         if (AskToClose(d, window)) return 0;
         std::printf("window 0x%lx does not take WM_DELETE_WINDOW\n", window);
         return 1;
       }},
  };
  return RunToolCommand(argc, argv, commands, kUsage);
}
