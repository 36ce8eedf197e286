#pragma once

#include "IMidiMsg.h"
#include "IPlugQueue.h"
#include "IPluginBase.h"
#include "ISysEx.h"
#include "Timer.h"

#include <memory>
#include <string>

/** A parameter value sent from the audio thread towards the editor. */
struct ParamTuple {
  int idx = 0;
  double value = 0.0;
};

/** The API base: turns editor requests into host edits, carries MIDI and system-exclusive data
 *  between the audio thread and the editor through lock-free queues, drains them on the
 *  user-interface thread from its idle timer, and identifies the host. The host binding derives
 *  from it and supplies the host operations. */
class IPlugAPIBase : public IPluginBase {
public:
  static constexpr int kParamQueueCapacity = 512;
  static constexpr int kMidiQueueCapacity = 32;
  static constexpr int kSysExQueueCapacity = 4;
  static constexpr uint32_t kIdleTimerIntervalMs = 20;

  IPlugAPIBase(const Config& config, int apiIndex);
  ~IPlugAPIBase() override;

  // Host identification
  void IdentifyHost(const char* hostName, int version);
  virtual void HostIdentifiedHook();

  // Idle timer, ticked on the user-interface thread
  /** Creates and starts the idle timer; the host binding does so once it is constructed. */
  void CreateTimer();
  Timer* GetTimer() const { return mTimer.get(); }
  /** One tick: MIDI and system-exclusive data to the editor (when there is one), then IdleHook. */
  void OnIdleTimer();
  virtual void IdleHook();

  /** True when every parameter lies within 1e-5 of values[startIdx + index] (single
   *  precision); false when `nValues` does not reach that far. */
  virtual bool CompareParamValues(const double* values, int nValues, int startIdx) const;
  IGraphics* EditorContext() const { return GetUI(); }

  // Host channel context, supplied by the host binding
  virtual void TrackColour(int& red, int& green, int& blue);
  virtual void TrackName(std::string& name);
  virtual int TrackIndex();
  virtual void TrackNamespace(std::string& name);
  virtual int TrackNamespaceIndex();

  // Audio thread side of the queues
  virtual void QueueParamFromProcessor(int paramIdx, double value, bool normalized);
  bool TransmitMidiMsgFromProcessor(const IMidiMsg& msg);
  bool TransmitSysExFromProcessor(const ISysEx& sysEx);
  bool PopMidiMsgFromEditor(IMidiMsg& msg);
  bool PopSysExFromEditor(ISysEx& sysEx);
  bool PopParamFromProcessor(ParamTuple& tuple);

  // Host operations, supplied by the host binding
  virtual bool EditorResize(int width, int height);
  virtual void BeginHostEdit(int paramIdx);
  virtual void EndHostEdit(int paramIdx);
  virtual void PerformHostEdit(int paramIdx, double normalizedValue);

  // Editor requests
  void AnnounceAllParamsToHost() override;
  void BeginParamEditFromEditor(int paramIdx) override;
  void SetParamFromEditor(int paramIdx, double normalizedValue) override;
  void EndParamEditFromEditor(int paramIdx) override;
  bool ResizeFromEditor(int width, int height, bool needsPlatformResize) override;
  void SendMidiFromEditor(const IMidiMsg& msg) override;
  void SendSysExFromEditor(const ISysEx& sysEx) override;
  void SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data) override;
  void QueueMidiFromEditor(const IMidiMsg& msg) override;
  void QueueSysExFromEditor(int offset, int size, const uint8_t* data) override;

private:
  IPlugQueue<ParamTuple> mParamChangeFromProcessor{kParamQueueCapacity};
  IPlugQueue<IMidiMsg> mMidiMsgsFromEditor{kMidiQueueCapacity};
  IPlugQueue<IMidiMsg> mMidiMsgsFromProcessor{kMidiQueueCapacity};
  IPlugQueue<ISysEx> mSysExDataFromEditor{kSysExQueueCapacity};
  IPlugQueue<ISysEx> mSysExDataFromProcessor{kSysExQueueCapacity};
  std::unique_ptr<Timer> mTimer;
};
