// The processing half's MIDI: controller parameters and event input as messages for the frame,
// and the frame's messages as event output. Inert in a plug-in without MIDI buses.
#include "IPlugVST3ProcessorBase.h"

#include "IPlugVST3Constants.h"

#include "pluginterfaces/vst/ivstmidicontrollers.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg;
// Not the whole namespace: its kInput and kOutput would clash with the frame's.
using Steinberg::Vst::DataEvent;
using Steinberg::Vst::Event;
using Steinberg::Vst::IEventList;
using Steinberg::Vst::kAfterTouch;
using Steinberg::Vst::kCtrlPolyPressure;
using Steinberg::Vst::kCtrlProgramChange;
using Steinberg::Vst::kPitchBend;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;
using Steinberg::Vst::ProcessData;

namespace {

// A normalised value as a 7-bit MIDI data byte.
uint8_t SevenBits(double normalized) {
  return static_cast<uint8_t>(std::clamp(normalized, 0.0, 1.0) * 127.0);
}

} // namespace

// The controller parameters exist only with MIDI input, and only for real MIDI channels; a
// value that is no number says nothing about where a controller should be.
void IPlugVST3ProcessorBase::HandleControllerParam(ParamID id, int32 offset, ParamValue value) {
  if (!mPlug.DoesMidiIn() || !std::isfinite(value)) return;
  const ParamID k = id - kMIDICCParamStartIndex;
  const ParamID channel = k / kCountMidiCCParams;
  const int controller = static_cast<int>(k % kCountMidiCCParams);
  if (channel >= static_cast<ParamID>(kMidiChannels)) return;
  const auto ch = static_cast<uint8_t>(channel);
  IMidiMsg msg;
  msg.mOffset = offset;
  if (controller == kPitchBendController) {
    const double bend = (std::clamp(value, 0.0, 1.0) * 2.0 - 1.0) * 8192.0;
    const int v = std::clamp(static_cast<int>(bend), -8192, 8191) + 8192;
    msg.mStatus = static_cast<uint8_t>(0xE0 | ch);
    msg.mData1 = static_cast<uint8_t>(v & 0x7F);
    msg.mData2 = static_cast<uint8_t>(v >> 7);
  } else if (controller == kChannelPressureController) {
    msg.mStatus = static_cast<uint8_t>(0xD0 | ch);
    msg.mData1 = SevenBits(value);
  } else {
    msg.mStatus = static_cast<uint8_t>(0xB0 | ch);
    msg.mData1 = static_cast<uint8_t>(controller);
    msg.mData2 = SevenBits(value);
  }
  mPlug.TransmitMidiMsgFromProcessor(msg);
  mPlug.HandleMidiMessage(msg);
}

void IPlugVST3ProcessorBase::ProcessMidiIn(IEventList* events) {
  const int32 nEvents = events ? events->getEventCount() : 0;
  for (int32 i = 0; i < nEvents; ++i) {
    Event event{};
    if (events->getEvent(i, event) != kResultOk) continue;
    IMidiMsg msg;
    msg.mOffset = event.sampleOffset;
    switch (event.type) {
    case Event::kNoteOnEvent:
      msg.mStatus = static_cast<uint8_t>(0x90 | (event.noteOn.channel & 0x0F));
      msg.mData1 = static_cast<uint8_t>(event.noteOn.pitch & 0x7F);
      msg.mData2 = SevenBits(event.noteOn.velocity);
      break;
    case Event::kNoteOffEvent:
      msg.mStatus = static_cast<uint8_t>(0x80 | (event.noteOff.channel & 0x0F));
      msg.mData1 = static_cast<uint8_t>(event.noteOff.pitch & 0x7F);
      break;
    case Event::kPolyPressureEvent:
      msg.mStatus = static_cast<uint8_t>(0xA0 | (event.polyPressure.channel & 0x0F));
      msg.mData1 = static_cast<uint8_t>(event.polyPressure.pitch & 0x7F);
      msg.mData2 = SevenBits(event.polyPressure.pressure);
      break;
    case Event::kDataEvent:
      mPlug.HandleSysEx(
          ISysEx(event.sampleOffset, event.data.bytes, static_cast<int>(event.data.size)));
      continue;
    default:
      continue;
    }
    mPlug.HandleMidiMessage(msg);
    mPlug.TransmitMidiMsgFromProcessor(msg);
  }
  IMidiMsg fromEditor;
  while (mPlug.PopMidiMsgFromEditor(fromEditor))
    mPlug.HandleMidiMessage(fromEditor);
}

void IPlugVST3ProcessorBase::ProcessMidiOut(ProcessData& data) {
  const int nMessages = mMidiOutputQueue.Size();
  for (int i = 0; data.outputEvents && i < nMessages; ++i) {
    const IMidiMsg& msg = mMidiOutputQueue.At(i);
    Event event{};
    event.busIndex = 0;
    event.sampleOffset = msg.mOffset;
    const auto channel = static_cast<int16>(msg.mStatus & 0x0F);
    const auto legacy = [&](uint8 controller, int8 value, int8 value2) {
      event.type = Event::kLegacyMIDICCOutEvent;
      event.midiCCOut.channel = static_cast<int8>(channel);
      event.midiCCOut.controlNumber = controller;
      event.midiCCOut.value = value;
      event.midiCCOut.value2 = value2;
    };
    const auto data1 = static_cast<int8>(msg.mData1);
    const auto data2 = static_cast<int8>(msg.mData2);
    switch (msg.mStatus & 0xF0) {
    case 0x80:
      event.type = Event::kNoteOffEvent;
      event.noteOff.channel = channel;
      event.noteOff.pitch = msg.mData1;
      event.noteOff.velocity = static_cast<float>(msg.mData2) / 127.f;
      event.noteOff.noteId = -1;
      break;
    case 0x90:
      event.type = Event::kNoteOnEvent;
      event.noteOn.channel = channel;
      event.noteOn.pitch = msg.mData1;
      event.noteOn.velocity = static_cast<float>(msg.mData2) / 127.f;
      event.noteOn.noteId = -1;
      break;
    case 0xA0:
      legacy(kCtrlPolyPressure, data1, data2);
      break;
    case 0xB0:
      legacy(msg.mData1, data2, 0);
      break;
    case 0xC0:
      legacy(kCtrlProgramChange, data1, 0);
      break;
    case 0xD0:
      legacy(kAfterTouch, data1, data2);
      break;
    case 0xE0:
      legacy(kPitchBend, data1, data2);
      break;
    default:
      continue;
    }
    data.outputEvents->addEvent(event);
  }
  mMidiOutputQueue.MarkSent(nMessages);
  mMidiOutputQueue.Flush(data.numSamples);

  size_t nSysEx = 0;
  while (nSysEx < mSysExOut.size() && mPlug.PopSysExFromEditor(mSysExOut[nSysEx])) {
    const ISysEx& record = mSysExOut[nSysEx++];
    if (!data.outputEvents) continue;
    Event event{};
    event.busIndex = 0;
    event.sampleOffset = record.mOffset;
    event.type = Event::kDataEvent;
    event.data.type = DataEvent::kMidiSysEx;
    event.data.size = static_cast<uint32>(record.mSize);
    event.data.bytes = record.mData;
    data.outputEvents->addEvent(event);
  }
}

bool IPlugVST3ProcessorBase::QueueMidiOutput(const IMidiMsg& msg) {
  return mPlug.DoesMidiOut() && mMidiOutputQueue.Add(msg);
}
