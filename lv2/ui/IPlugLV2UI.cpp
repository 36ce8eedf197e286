#include "IPlugLV2UI.h"

#include "IGraphicsLinux.h"
#include "IGraphicsView_vKelvora_vst3.h"
#include "LinuxEditorParent.h"

#include <algorithm>
#include <cmath>

namespace {

// The framework's index for LV2 among the plug-in APIs (IPluginBase::GetAPIStr).
constexpr int kApiLV2 = 8;

} // namespace

IPlugLV2UI::IPlugLV2UI(const Lv2UiInstanceInfo& info, const Config& config)
    : IPlugInstance(config, kApiLV2),
      mFeatures(Lv2UiFeatures::Read(info.features)), mPorts{info.channels, config.nParams},
      mWrite(info.write), mController(info.controller),
      mSizing(*this, [this](PixelSize window) { return AskHost(window); }),
      mGrabbed(static_cast<size_t>(std::max(config.nParams, 0)), false) {
  CreateTimer();
  mSizing.SetContentScale(mFeatures.scaleFactor);
}

IPlugLV2UI::~IPlugLV2UI() = default;

bool IPlugLV2UI::OpenInHost() {
  if (!mFeatures.parent || !HasUI()) return false;
  LinuxEditorParent record;
  record.window = mFeatures.parent;
  record.runLoop = &mLoop;
  // Without the host's scale the editor keeps its own.
  record.screenScale = mFeatures.scaleFactor > 0.f ? mSizing.ContentScale() : 0.f;
  auto* view = static_cast<IGraphicsView_vKelvora_vst3*>(mSizing.Open(&record, &mLoop));
  if (!view) return false;
  mWidget = view->GetWindow();
  // The host made its window before the editor existed; it learns the editor's size now.
  mSizing.RequestResize(GetUI()->WindowWidth(), GetUI()->WindowHeight());
  return true;
}

void IPlugLV2UI::CloseInHost() {
  mSizing.Close();
  mWidget = 0;
}

unsigned long IPlugLV2UI::Widget() const {
  return mWidget;
}

void IPlugLV2UI::PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format,
                           const void* buffer) {
  int paramIdx = 0;
  if (format != 0 || bufferSize != sizeof(float) || !buffer ||
      mPorts.KindOf(port, paramIdx) != Lv2PortLayout::Kind::kControl)
    return;
  // The host echoes the editor's own writes, late: during a drag they would pull the control
  // back to where it was.
  if (mGrabbed[static_cast<size_t>(paramIdx)]) return;
  const float value = *static_cast<const float*>(buffer);
  if (std::isnan(value)) return;
  const IParam* param = GetParam(paramIdx);
  const double plain = std::clamp(static_cast<double>(value), param->Min(), param->Max());
  SetEditorParamFromHost(paramIdx, param->NormalizedFromValue(plain));
}

int IPlugLV2UI::Idle() {
  auto* graphics = static_cast<IGraphicsLinux*>(GetUI());
  IGraphicsView_vKelvora_vst3* view = graphics ? graphics->EditorViewHandle() : nullptr;
  if (!view) return 1;
  mLoop.Idle(Lv2IdleLoop::Clock::now());
  return view->Surface().IsLost() ? 1 : 0;
}

int IPlugLV2UI::HostResize(int widthPx, int heightPx) {
  if (!GetUI() || widthPx < 1 || heightPx < 1 || widthPx > EditorViewSizing::kMaxPixels ||
      heightPx > EditorViewSizing::kMaxPixels)
    return 1;
  mSizing.HostResized({widthPx, heightPx});
  return 0;
}

// The editor has already sized its own window: the host is asked to follow.
bool IPlugLV2UI::EditorResize(int width, int height) {
  SetEditorSize(width, height);
  mSizing.RequestResize(width, height);
  return true;
}

// ui:resize answers 0 when the host takes the size.
EditorViewSizing::HostAnswer IPlugLV2UI::AskHost(PixelSize window) {
  if (!mFeatures.resize) return EditorViewSizing::HostAnswer::kNotAsked;
  return mFeatures.resize->ui_resize(mFeatures.resize->handle, window.width, window.height) == 0
             ? EditorViewSizing::HostAnswer::kGranted
             : EditorViewSizing::HostAnswer::kRefused;
}

void IPlugLV2UI::BeginHostEdit(int paramIdx) {
  Touch(paramIdx, true);
}

void IPlugLV2UI::EndHostEdit(int paramIdx) {
  Touch(paramIdx, false);
}

void IPlugLV2UI::Touch(int paramIdx, bool grabbed) {
  if (paramIdx < 0 || paramIdx >= NParams()) return;
  mGrabbed[static_cast<size_t>(paramIdx)] = grabbed;
  if (mFeatures.touch)
    mFeatures.touch->touch(mFeatures.touch->handle, mPorts.Control(paramIdx), grabbed);
}

void IPlugLV2UI::PerformHostEdit(int paramIdx, double normalizedValue) {
  if (paramIdx < 0 || paramIdx >= NParams() || !mWrite) return;
  const float value = static_cast<float>(GetParam(paramIdx)->ValueFromNormalized(normalizedValue));
  mWrite(mController, mPorts.Control(paramIdx), sizeof(value), 0, &value);
}

bool IPlugLV2UI::EmitMidiMessage(const IMidiMsg&) {
  return false;
}
