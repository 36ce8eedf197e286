#include "Commands.h"

#include "ComponentHandler.h"
#include "HostWindow.h"
#include "KnobPoint.h"
#include "PngFile.h"
#include "Utf16Text.h"
#include "Vst3Module.h"
#include "WideText.h"
#include "WindowCapture.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstdio>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// The window tool's rule for a painted editor rather than a cleared window.
constexpr int kPaintedColours = 1000;
// Time for the editor to open and draw before it is photographed, and for a picture to settle.
constexpr DWORD kOpenMs = 1000;
constexpr DWORD kSettleStepMs = 250;
constexpr int kSettleSteps = 20;
// How long a held editor waits for whoever photographs it from outside.
constexpr DWORD kHoldMs = 120000;
constexpr DWORD kHoldStepMs = 100;

// Knobs dragged, by layout symbol and parameter title, and how far (pixels up; negative: down).
struct Drag {
  const char* symbol;
  const char* title;
  int upPixels;
};
constexpr Drag kDrags[] = {{"input_gain", "Input Gain", 40}, {"wet", "Wet", -40}};

struct Options {
  std::string bundle, shotPath, referencePath, holdPath;
};

bool ParseOptions(const std::vector<std::string>& args, Options& options) {
  if (args.size() < 2) return false;
  options.bundle = args[0];
  options.shotPath = args[1];
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    if (args[i] == "--reference")
      options.referencePath = args[i + 1];
    else if (args[i] == "--hold")
      options.holdPath = args[i + 1];
    else
      return false;
  }
  return true;
}

template <class I> IPtr<I> QueryAs(FUnknown* unknown) {
  void* obj = nullptr;
  if (!unknown || unknown->queryInterface(I::iid, &obj) != kResultOk) return nullptr;
  return owned(static_cast<I*>(obj));
}

// The module's first audio effect, initialised, with its controller (a single component).
struct Instance {
  HostApplication host;
  IPtr<IComponent> component;
  IPtr<IEditController> controller;

  bool Create(IPluginFactory* factory) {
    for (int32 i = 0; factory && i < factory->countClasses(); ++i) {
      PClassInfo info{};
      if (factory->getClassInfo(i, &info) != kResultOk ||
          std::strcmp(info.category, kVstAudioEffectClass) != 0)
        continue;
      void* obj = nullptr;
      if (factory->createInstance(info.cid, IComponent::iid, &obj) != kResultOk || !obj) continue;
      component = owned(static_cast<IComponent*>(obj));
      if (component->initialize(&host) == kResultOk) {
        controller = QueryAs<IEditController>(component);
        if (controller) return true;
        component->terminate();
      }
      component = nullptr;
    }
    return false;
  }
  ~Instance() {
    controller = nullptr;
    if (component) component->terminate();
  }
};

bool FindParameter(IEditController& controller, const char* title, ParamID& id) {
  for (int32 i = 0; i < controller.getParameterCount(); ++i) {
    ParameterInfo info{};
    if (controller.getParameterInfo(i, info) == kResultOk &&
        Utf16ToUtf8(info.title, 128, 512) == title) {
      id = info.id;
      return true;
    }
  }
  return false;
}

// The editor photographed in process by the first method that shows a painted picture, once
// two photographs a moment apart agree; the method's name, or null when none shows one.
const char* Photograph(HWND editor, ScreenImage& shot) {
  for (CaptureMethod method :
       {CaptureMethod::kPrintWindow, CaptureMethod::kWindowDc, CaptureMethod::kScreenDc}) {
    shot = CaptureWindow(editor, method);
    const int colours = DistinctColours(shot, kPaintedColours);
    std::printf("capture by %s: %d x %d, %s%d colours\n", CaptureMethodName(method), shot.width,
                shot.height, colours >= kPaintedColours ? "at least " : "", colours);
    if (colours < kPaintedColours) continue;
    for (int step = 0; step < kSettleSteps; ++step) {
      PumpMessages(kSettleStepMs);
      ScreenImage again = CaptureWindow(editor, method);
      const bool same = again.rgb == shot.rgb;
      shot = std::move(again);
      if (same) return CaptureMethodName(method);
    }
    std::printf("capture by %s did not settle\n", CaptureMethodName(method));
  }
  shot = {};
  return nullptr;
}

// True when the editor could be photographed in process.
bool ReportPicture(const Options& options, HWND editor) {
  ScreenImage shot;
  const char* method = Photograph(editor, shot);
  if (!method) {
    std::printf("picture: none in process\n");
    return false;
  }
  if (!WritePng(options.shotPath, shot)) std::printf("cannot write %s\n", options.shotPath.c_str());
  std::printf("picture: in process by %s, written to %s", method, options.shotPath.c_str());
  ScreenImage reference;
  if (!options.referencePath.empty() && ReadPng(options.referencePath, reference)) {
    const ImageDifference difference = CompareImages(shot, reference, 48);
    std::printf("; against %s: mean difference %.2f / 255, %.2f %% of pixels apart",
                options.referencePath.c_str(), difference.meanAbsolute,
                100 * difference.fractionApart);
  } else if (!options.referencePath.empty()) {
    std::printf("; cannot read %s", options.referencePath.c_str());
  }
  std::printf("\n");
  return true;
}

// Keeps the editor open and drawing until the file appears: whoever photographs the editor's
// window from outside the process says so by making it.
bool Hold(const std::string& path) {
  std::printf("holding until %s exists\n", path.c_str());
  const std::wstring wide = WideFromUtf8(path);
  for (DWORD waited = 0; waited < kHoldMs; waited += kHoldStepMs) {
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    PumpMessages(kHoldStepMs);
  }
  std::printf("%s did not appear within %lu s\n", path.c_str(), kHoldMs / 1000);
  return false;
}

int Count(const std::vector<KelvoraTestHost::ComponentHandler::Edit>& edits, std::size_t from,
          ParamID id, KelvoraTestHost::ComponentHandler::EditKind kind) {
  int count = 0;
  for (std::size_t i = from; i < edits.size(); ++i)
    if (edits[i].id == id && edits[i].kind == kind) ++count;
  return count;
}

bool DragKnob(IEditController& controller, KelvoraTestHost::ComponentHandler& handler, HWND editor,
              const Drag& drag) {
  using Kind = KelvoraTestHost::ComponentHandler::EditKind;
  ParamID id = 0;
  RECT client{};
  WindowPoint at;
  if (!FindParameter(controller, drag.title, id) || !GetClientRect(editor, &client) ||
      !KnobCentreInWindow(drag.symbol, client.right, client.bottom, at)) {
    std::printf("no knob for \"%s\" in the editor's window\n", drag.title);
    return false;
  }
  const std::size_t editsBefore = handler.edits().size();
  const double before = controller.getParamNormalized(id);
  if (!SendDrag(editor, at, drag.upPixels)) {
    std::printf("no window under the knob for \"%s\" at %d,%d\n", drag.title, at.x, at.y);
    return false;
  }
  PumpMessages(kSettleStepMs);
  const double after = controller.getParamNormalized(id);
  const auto edits = handler.edits();
  std::printf("drag \"%s\" %d px %s at %d,%d: before %.6f after %.6f; host saw %d begin, %d "
              "perform, %d end\n",
              drag.title, std::abs(drag.upPixels), drag.upPixels > 0 ? "up" : "down", at.x, at.y,
              before, after, Count(edits, editsBefore, id, Kind::Begin),
              Count(edits, editsBefore, id, Kind::Perform),
              Count(edits, editsBefore, id, Kind::End));
  return true;
}

int Fail(const char* what) {
  std::printf("%s\n", what);
  return 1;
}

} // namespace

int RunEditor(const std::vector<std::string>& args) {
  Options options;
  if (!ParseOptions(args, options)) {
    std::fprintf(stderr, "kelvora-win-host: editor takes a bundle folder, an output picture and "
                         "the options --reference PICTURE and --hold FILE\n");
    return 2;
  }
  Vst3Module module(options.bundle);
  if (!module.loaded()) {
    std::printf("cannot load %s: %s\n", module.binaryPath().c_str(), module.error().c_str());
    return 1;
  }
  Instance instance;
  if (!instance.Create(module.factory())) return Fail("the module offers no audio effect");
  auto handler = owned(new KelvoraTestHost::ComponentHandler);
  instance.controller->setComponentHandler(handler);

  int status = 0;
  {
    IPtr<IPlugView> view = owned(instance.controller->createView(ViewType::kEditor));
    if (!view) return Fail("the controller makes no editor view");
    if (view->isPlatformTypeSupported(kPlatformTypeHWND) != kResultTrue)
      return Fail("the editor view does not take an HWND parent");
    ViewRect size;
    if (view->getSize(&size) != kResultOk || size.getWidth() <= 0 || size.getHeight() <= 0)
      return Fail("the editor view gives no size");
    std::printf("view: %d x %d\n", size.getWidth(), size.getHeight());

    HostWindow window;
    if (!window.Create(size.getWidth(), size.getHeight())) return Fail("cannot make a window");
    auto frame = owned(new HostFrame(window));
    view->setFrame(frame);
    if (view->attached(window.Handle(), kPlatformTypeHWND) != kResultTrue) {
      view->setFrame(nullptr);
      return Fail("the editor view refuses to attach to the host's window");
    }
    PumpMessages(kOpenMs);
    HWND editor = window.EditorChild();
    RECT client{};
    if (!editor || !GetClientRect(editor, &client)) {
      std::printf("the editor made no window inside the host's\n");
      status = 1;
    } else {
      std::printf("editor window: %ld x %ld\n", client.right, client.bottom);
      if (!ReportPicture(options, editor) && !options.holdPath.empty() && !Hold(options.holdPath))
        status = 1;
      for (const Drag& drag : kDrags)
        if (!DragKnob(*instance.controller, *handler, editor, drag)) status = 1;
    }
    if (view->removed() != kResultTrue) {
      std::printf("removed() failed\n");
      status = 1;
    }
    view->setFrame(nullptr);
  }
  instance.controller->setComponentHandler(nullptr);
  std::printf("closed\n");
  return status;
}
