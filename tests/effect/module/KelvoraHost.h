#pragma once

// The Kelvora bundle driven the way a DAW drives it: dlopen, factory, createInstance,
// initialize with a host context, interfaces, buses, setupProcessing, setActive, setProcessing.
#include "ComponentHandler.h"
#include "ProcessBuffers.h"
#include "Vst3Module.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstring>
#include <vector>

namespace KelvoraTestHost {

inline const Steinberg::TUID& KelvoraClassId() {
  static const Steinberg::TUID cid = {'\xF2', '\xAE', '\xE7', '\x0D', '\x00', '\xDE',
                                      '\x4F', '\x4E', '\x4D', '\x4B', '\x48', '\x4C',
                                      '\x6F', '\x66', '\x7A', '\x6F'};
  return cid;
}

// The interface I of an object, or null when it has none.
template <class I> Steinberg::IPtr<I> QueryAs(Steinberg::FUnknown* unknown) {
  void* obj = nullptr;
  if (!unknown || unknown->queryInterface(I::iid, &obj) != Steinberg::kResultOk) return nullptr;
  return Steinberg::owned(static_cast<I*>(obj));
}

// One plug-in instance with every interface a host takes from it.
struct KelvoraInstance {
  explicit KelvoraInstance(const Vst3Module& module) {
    using namespace Steinberg;
    component = module.createInstance<Vst::IComponent>(KelvoraClassId());
    if (!component || component->initialize(&host) != kResultOk) return;
    processor = QueryAs<Vst::IAudioProcessor>(component.get());
    controller = QueryAs<Vst::IEditController>(component.get());
    handler = owned(new ComponentHandler);
    if (controller) controller->setComponentHandler(handler);
  }
  ~KelvoraInstance() {
    if (!component) return;
    if (running) stop();
    if (controller) controller->setComponentHandler(nullptr);
    component->terminate();
  }
  bool ok() const { return component && processor && controller; }

  // Buses, setup, activation and processing in the order hosts use.
  bool start(Steinberg::int32 sampleSize, Steinberg::Vst::SpeakerArrangement arrangement,
             Steinberg::int32 blockSize = 256, double sampleRate = 48000.0) {
    using namespace Steinberg;
    if (processor->setBusArrangements(&arrangement, 1, &arrangement, 1) != kResultTrue)
      return false;
    Vst::ProcessSetup setup{Vst::kRealtime, sampleSize, blockSize, sampleRate};
    if (processor->setupProcessing(setup) != kResultTrue) return false;
    // Hosts switch on the buses they feed before activating the component.
    component->activateBus(Vst::kAudio, Vst::kInput, 0, true);
    component->activateBus(Vst::kAudio, Vst::kOutput, 0, true);
    component->setActive(true);
    processor->setProcessing(true);
    running = true;
    return true;
  }
  void stop() {
    processor->setProcessing(false);
    component->setActive(false);
    running = false;
  }

  std::vector<char> saveState() {
    auto stream = Steinberg::owned(new Steinberg::MemoryStream);
    if (component->getState(stream) != Steinberg::kResultOk) return {};
    return std::vector<char>(stream->getData(), stream->getData() + stream->getSize());
  }
  Steinberg::tresult loadState(const std::vector<char>& bytes) {
    auto stream = Steinberg::owned(new Steinberg::MemoryStream);
    stream->write(const_cast<char*>(bytes.data()), static_cast<Steinberg::int32>(bytes.size()),
                  nullptr);
    stream->seek(0, Steinberg::IBStream::kIBSeekSet, nullptr);
    return component->setState(stream);
  }
  // The parameter values as the saved state holds them (nine doubles, then the bypass flag).
  std::vector<double> savedValues() {
    const std::vector<char> bytes = saveState();
    std::vector<double> values(bytes.size() / sizeof(double));
    if (!values.empty()) std::memcpy(values.data(), bytes.data(), values.size() * sizeof(double));
    return values;
  }

  Steinberg::Vst::HostApplication host;
  Steinberg::IPtr<Steinberg::Vst::IComponent> component;
  Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
  Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
  Steinberg::IPtr<ComponentHandler> handler;
  bool running = false;
};

} // namespace KelvoraTestHost
