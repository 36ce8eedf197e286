#include "IPlugAPIBase.h"

#include "HostIdentifier.h"

#include <cmath>

IPlugAPIBase::IPlugAPIBase(const Config& config, int apiIndex) : IPluginBase(config) {
  ConfigureEditor(config);
  SetAPI(apiIndex);
}

IPlugAPIBase::~IPlugAPIBase() {
  if (mTimer) mTimer->Stop();
}

void IPlugAPIBase::IdentifyHost(const char* hostName, int version) {
  SetHost(LookUpHostIdentifier(hostName), version);
  HostIdentifiedHook();
}

void IPlugAPIBase::HostIdentifiedHook() {}

void IPlugAPIBase::CreateTimer() {
  mTimer = Timer::Create([this](Timer&) { OnIdleTimer(); }, kIdleTimerIntervalMs);
}

void IPlugAPIBase::OnIdleTimer() {
  if (HasUI()) {
    // Only what waits now: an audio thread that keeps sending cannot hold the tick forever.
    IMidiMsg msg;
    for (size_t n = mMidiMsgsFromProcessor.ElementsAvailable(); n > 0; --n) {
      if (!mMidiMsgsFromProcessor.Pop(msg)) break;
      SendMidiToEditor(msg);
    }
    ISysEx sysEx;
    for (size_t n = mSysExDataFromProcessor.ElementsAvailable(); n > 0; --n) {
      if (!mSysExDataFromProcessor.Pop(sysEx)) break;
      SendSysExToEditor(sysEx);
    }
  }
  IdleHook();
}

void IPlugAPIBase::IdleHook() {}

bool IPlugAPIBase::CompareParamValues(const double* values, int nValues, int startIdx) const {
  if (!values || startIdx < 0 || nValues - startIdx < NParams()) return false;
  for (int i = 0; i < NParams(); ++i) {
    const float difference =
        static_cast<float>(GetParam(i)->Value()) - static_cast<float>(values[startIdx + i]);
    if (!(std::fabs(difference) < 1e-5f)) return false;
  }
  return true;
}

void IPlugAPIBase::TrackColour(int& red, int& green, int& blue) {
  red = green = blue = 0;
}

void IPlugAPIBase::TrackName(std::string&) {}

int IPlugAPIBase::TrackIndex() {
  return 0;
}

void IPlugAPIBase::TrackNamespace(std::string&) {}

int IPlugAPIBase::TrackNamespaceIndex() {
  return 0;
}

void IPlugAPIBase::QueueParamFromProcessor(int paramIdx, double value, bool normalized) {
  const IParam* param = GetParam(paramIdx);
  if (!param || !std::isfinite(value)) return;
  ParamTuple tuple;
  tuple.idx = paramIdx;
  tuple.value = normalized ? param->ValueFromNormalized(value) : value;
  mParamChangeFromProcessor.Push(tuple);
}

bool IPlugAPIBase::TransmitMidiMsgFromProcessor(const IMidiMsg& msg) {
  return mMidiMsgsFromProcessor.Push(msg);
}

bool IPlugAPIBase::TransmitSysExFromProcessor(const ISysEx& sysEx) {
  return mSysExDataFromProcessor.Push(sysEx);
}

bool IPlugAPIBase::PopMidiMsgFromEditor(IMidiMsg& msg) {
  return mMidiMsgsFromEditor.Pop(msg);
}

bool IPlugAPIBase::PopSysExFromEditor(ISysEx& sysEx) {
  return mSysExDataFromEditor.Pop(sysEx);
}

bool IPlugAPIBase::PopParamFromProcessor(ParamTuple& tuple) {
  return mParamChangeFromProcessor.Pop(tuple);
}

bool IPlugAPIBase::EditorResize(int, int) {
  return false;
}

void IPlugAPIBase::BeginHostEdit(int) {}

void IPlugAPIBase::EndHostEdit(int) {}

void IPlugAPIBase::PerformHostEdit(int, double) {}

void IPlugAPIBase::AnnounceAllParamsToHost() {
  for (int i = 0; i < NParams(); ++i)
    PerformHostEdit(i, GetParam(i)->Normalized());
}

void IPlugAPIBase::BeginParamEditFromEditor(int paramIdx) {
  BeginHostEdit(paramIdx);
}

void IPlugAPIBase::SetParamFromEditor(int paramIdx, double normalizedValue) {
  IParam* param = GetParam(paramIdx);
  // A value that is no number must not reach the parameter, nor the host as an edit.
  if (!param || !std::isfinite(normalizedValue)) return;
  param->SetNormalized(normalizedValue);
  PerformHostEdit(paramIdx, normalizedValue);
  ParamChangeHook(paramIdx, kSourceEditor, -1);
  // Stored again after the processing-side hook, which may move the value: the editor-side
  // hook then sees what the editor set and the host was told.
  param->SetNormalized(normalizedValue);
  EditorParamChangeHook(paramIdx, kSourceEditor);
}

void IPlugAPIBase::EndParamEditFromEditor(int paramIdx) {
  EndHostEdit(paramIdx);
}

bool IPlugAPIBase::ResizeFromEditor(int width, int height, bool needsPlatformResize) {
  return needsPlatformResize ? EditorResize(width, height) : true;
}

void IPlugAPIBase::SendMidiFromEditor(const IMidiMsg& msg) {
  QueueMidiFromEditor(msg);
}

void IPlugAPIBase::SendSysExFromEditor(const ISysEx& sysEx) {
  QueueSysExFromEditor(sysEx.mOffset, sysEx.mSize, sysEx.mData);
}

void IPlugAPIBase::SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data) {
  MessageHook(msgTag, ctrlTag, dataSize, data);
}

void IPlugAPIBase::QueueMidiFromEditor(const IMidiMsg& msg) {
  mMidiMsgsFromEditor.Push(msg);
}

void IPlugAPIBase::QueueSysExFromEditor(int offset, int size, const uint8_t* data) {
  mSysExDataFromEditor.Push(ISysEx(offset, data, size));
}
