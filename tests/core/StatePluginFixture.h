#pragma once

#include "FxpFormat.h"
#include "IPlugAPIBase.h"

#include <string>
#include <vector>

/** The configuration of the plug-in under test: nine parameters, one preset, like the effect. */
inline Config StateTestConfig(int nParams = 9, int nPresets = 1, bool chunks = false) {
  Config config{};
  config.nParams = nParams;
  config.nPresets = nPresets;
  config.channelIOStr = "1-1 2-2";
  config.pluginName = "Kelvora";
  config.productName = "Kelvora";
  config.mfrName = "Murkwhale";
  config.vendorVersion = 0x00010105;
  config.uniqueID = static_cast<int>(FxpFormat::FourCC("ofzo"));
  config.mfrID = static_cast<int>(FxpFormat::FourCC("MKHL"));
  config.plugDoesChunks = chunks;
  config.plugHasUI = true;
  config.plugWidth = 1630;
  config.plugHeight = 1010;
  config.plugMinWidth = 3260;
  config.plugMaxWidth = 815;
  config.plugMinHeight = 505;
  config.plugMaxHeight = 2020;
  config.plugHostResize = true;
  config.bundleID = "com.Murkwhale.vst3.Kelvora";
  return config;
}

/** A plug-in on the API base that records the hooks and host operations it sees. */
class StateTestPlugin : public IPlugAPIBase {
public:
  explicit StateTestPlugin(const Config& config = StateTestConfig()) : IPlugAPIBase(config, 1) {
    if (NParams() == 9) DefineEffectParams();
  }

  /** The effect's nine parameters: switches with step 1, gains and amounts with fine steps. */
  void DefineEffectParams() {
    const char* names[] = {"Bypass", "React", "Oversampling", "Delta", "Input Gain",
                           "Wet",    "Tame",  "Output Gain",  "Bias"};
    const double defaults[] = {0, 0, 0, 0, 32, 50, 0.5, 100, 0.5};
    const double maxima[] = {1, 1, 3, 1, 200, 100, 1, 120, 1};
    const double steps[] = {1, 1, 1, 1, 0.01, 0.01, 0.001, 0.01, 0.001};
    for (int i = 0; i < 9; ++i)
      GetParam(i)->DefineDouble(names[i], defaults[i], 0.0, maxima[i], steps[i]);
  }

  IGraphics* MakeGraphics() override { return nullptr; }
  void BuildLayout(IGraphics*) override {}

  void BeginHostEdit(int idx) override { Log("begin " + std::to_string(idx)); }
  void EndHostEdit(int idx) override { Log("end " + std::to_string(idx)); }
  void PerformHostEdit(int idx, double value) override {
    Log("perform " + std::to_string(idx) + " " + std::to_string(value) + " now " +
        std::to_string(GetParam(idx)->Value()));
  }
  bool EditorResize(int width, int height) override {
    Log("resize " + std::to_string(width) + "x" + std::to_string(height));
    return true;
  }
  void ParamChangeHook(int idx, ParamChangeSource source, int offset) override {
    Log("change " + std::to_string(idx) + " " + std::to_string(source) + " " +
        std::to_string(offset));
  }
  void EditorParamChangeHook(int idx, ParamChangeSource source) override {
    Log("editor " + std::to_string(idx) + " " + std::to_string(source));
  }
  void SendMidiToEditor(const IMidiMsg& msg) override {
    midiToEditor.push_back(msg);
    IPlugAPIBase::SendMidiToEditor(msg);
  }
  void SendSysExToEditor(const ISysEx& sysEx) override {
    sysExToEditor.push_back(sysEx);
    IPlugAPIBase::SendSysExToEditor(sysEx);
  }
  bool MessageHook(int msgTag, int ctrlTag, int, const void*) override {
    Log("message " + std::to_string(msgTag) + " " + std::to_string(ctrlTag));
    return true;
  }
  void IdleHook() override { ++idleCalls; }
  void HostIdentifiedHook() override { Log("host identified"); }
  void PresetChangedHook() override { Log("preset changed"); }
  void PresetsChangedHook() override { Log("presets changed"); }
  void StateRestoredHook() override { Log("state restored"); }

  /** The logged calls that start with the prefix. */
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& call : log) {
      if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    }
    return found;
  }

  std::vector<std::string> log;
  std::vector<IMidiMsg> midiToEditor;
  std::vector<ISysEx> sysExToEditor;
  int idleCalls = 0;

private:
  void Log(const std::string& call) { log.push_back(call); }
};
