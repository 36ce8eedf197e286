#include "IEditorDelegate.h"

#include <algorithm>
#include <cmath>

IEditorDelegate::IEditorDelegate(int nParams) {
  const int count = std::max(nParams, 0);
  mParams.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    mParams.push_back(std::make_unique<IParam>());
}

IEditorDelegate::~IEditorDelegate() = default;

IParam* IEditorDelegate::GetParam(int paramIdx) {
  if (paramIdx < 0 || paramIdx >= NParams()) return nullptr;
  return mParams[static_cast<size_t>(paramIdx)].get();
}

const IParam* IEditorDelegate::GetParam(int paramIdx) const {
  if (paramIdx < 0 || paramIdx >= NParams()) return nullptr;
  return mParams[static_cast<size_t>(paramIdx)].get();
}

void IEditorDelegate::ConfigureEditor(const Config& config) {
  mHasUI = config.plugHasUI;
  mHostResize = config.plugHostResize;
  SetEditorSize(config.plugWidth, config.plugHeight);
  mOpeningWidth = config.plugWidth;
  mOpeningHeight = config.plugHeight;
  const bool scaled = config.plugDrawScale > 0.f && std::isfinite(config.plugDrawScale);
  mOpeningDrawScale = scaled ? config.plugDrawScale : 1.f;
  SetSizeConstraints(config.plugMinWidth, config.plugMaxWidth, config.plugMinHeight,
                     config.plugMaxHeight);
}

void IEditorDelegate::SetEditorSize(int width, int height) {
  mEditorWidth = width;
  mEditorHeight = height;
}

void IEditorDelegate::SetSizeConstraints(int widthA, int widthB, int heightA, int heightB) {
  mMinWidth = std::min(widthA, widthB);
  mMaxWidth = std::max(widthA, widthB);
  mMinHeight = std::min(heightA, heightB);
  mMaxHeight = std::max(heightA, heightB);
}

void* IEditorDelegate::OpenEditor(void*) {
  EditorOpenedHook();
  return nullptr;
}

void IEditorDelegate::CloseEditor() {
  EditorClosedHook();
}

void IEditorDelegate::ParentResizedHook(int, int) {}

void IEditorDelegate::EditorOpenedHook() {
  for (int i = 0; i < NParams(); ++i)
    SendParamValueToEditor(i, mParams[static_cast<size_t>(i)]->Normalized(), true);
}

void IEditorDelegate::EditorClosedHook() {}

void IEditorDelegate::ParamChangeHook(int paramIdx, ParamChangeSource, int) {
  ParamIndexChangeHook(paramIdx);
}

void IEditorDelegate::ParamIndexChangeHook(int) {}

void IEditorDelegate::EditorParamChangeHook(int, ParamChangeSource) {}

void IEditorDelegate::AnnounceAllParams(ParamChangeSource source) {
  for (int i = 0; i < NParams(); ++i) {
    ParamChangeHook(i, source, -1);
    EditorParamChangeHook(i, source);
  }
}

void IEditorDelegate::EditorMidiHook(const IMidiMsg&) {}

void IEditorDelegate::EditorSysExHook(const ISysEx&) {}

bool IEditorDelegate::MessageHook(int, int, int, const void*) {
  return false;
}

void IEditorDelegate::StateRestoredHook() {
  IEditorDelegate::EditorOpenedHook();
}

bool IEditorDelegate::OnKeyDown(const IKeyPress&) {
  return false;
}

bool IEditorDelegate::OnKeyUp(const IKeyPress&) {
  return false;
}

void IEditorDelegate::SendControlValueToEditor(int, double) {}

void IEditorDelegate::SendControlMessageToEditor(int ctrlTag, int msgTag, int dataSize,
                                                 const void* data) {
  MessageHook(msgTag, ctrlTag, dataSize, data);
}

void IEditorDelegate::SendMessageToEditor(int msgTag, int dataSize, const void* data) {
  MessageHook(msgTag, -1, dataSize, data);
}

void IEditorDelegate::SendMidiToEditor(const IMidiMsg& msg) {
  EditorMidiHook(msg);
}

void IEditorDelegate::SendSysExToEditor(const ISysEx& sysEx) {
  EditorSysExHook(sysEx);
}

void IEditorDelegate::SendParamValueToEditor(int paramIdx, double, bool) {
  EditorParamChangeHook(paramIdx, kSourceDelegate);
}

void IEditorDelegate::AnnounceAllParamsToHost() {}

void IEditorDelegate::SetParamFromEditor(int paramIdx, double normalizedValue) {
  IParam* param = GetParam(paramIdx);
  if (!param) return;
  param->SetNormalized(normalizedValue);
  param->SetNormalized(normalizedValue);
  EditorParamChangeHook(paramIdx, kSourceEditor);
}

bool IEditorDelegate::ResizeFromEditor(int, int, bool) {
  return false;
}

void IEditorDelegate::SendMidiFromEditor(const IMidiMsg&) {}

void IEditorDelegate::SendSysExFromEditor(const ISysEx&) {}

void IEditorDelegate::SendMessageFromEditor(int, int, int, const void*) {}

void IEditorDelegate::QueueMidiFromEditor(const IMidiMsg&) {}

void IEditorDelegate::QueueSysExFromEditor(int, int, const uint8_t*) {}

bool IEditorDelegate::WriteEditorState(IByteChunk&) const {
  return true;
}

int IEditorDelegate::ReadEditorState(const IByteChunk&, int startPos) {
  return startPos;
}

void IEditorDelegate::SetScreenScale(float) {}
