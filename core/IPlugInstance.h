#pragma once

#include "IHostAudioBlock.h"
#include "IPlugAPIBase.h"
#include "IPlugProcessor.h"

#include <atomic>
#include <cstdint>
#include <vector>

/** One plug-in instance as every plug-in format sees it: the API base (parameters, presets,
 *  editor, host operations) and the processing frame in one object, with the steps each host
 *  call takes whatever its format. A format's binding derives from it, translates its host's
 *  calls into these and supplies the host operations of IPlugAPIBase; the effect derives from
 *  the binding and overrides the frame's hooks (RenderBlock, ResetProcessing).
 *
 *  Threads: Prepare, SetActive, SetProcessing, SetEditorParamFromHost and the state calls run
 *  on the user-interface thread while no block runs, except SetEditorParamFromHost, which may
 *  meet blocks and touches only the parameters' atomic values and the editor. SetParamFromHost,
 *  SetBypassFromHost and ProcessAudio run on the audio thread and neither allocate nor lock. */
class IPlugInstance : public IPlugAPIBase, public IPlugProcessor {
public:
  // Blocks and rates beyond these are refused by Prepare.
  static constexpr int kMaxBlockSize = 1 << 20;
  static constexpr double kMaxSampleRate = 3072000.0;
  // Below one hertz the effect's filters are unstable.
  static constexpr double kMinSampleRate = 1.0;

  /** Every channel starts connected, so that the effect's constructor sees the widest
   *  configuration; the host's first arrangement or block marks them anew. */
  IPlugInstance(const Config& config, int apiIndex);

  // Processing setup (user-interface thread, no block running)
  /** Takes the rate, the longest block the host will send and its sample size, sizes the
   *  channel storage and resets the processing. Anything it cannot process changes nothing and
   *  returns false. */
  bool Prepare(double sampleRate, int maxBlockSize, ESampleSize sampleSize);
  ESampleSize GetSampleSize() const { return mSampleSize; }
  void SetActive(bool active);
  /** Stopping resets the processing, so the next start begins from silence. */
  void SetProcessing(bool processing);
  /** Every channel disconnected, with no host buffer bound, until a block marks them. */
  void DisconnectChannels();
  /** The configuration whose buses carry these channel counts, or null when none has them or
   *  there are more buses than any configuration has. */
  const ChannelIOConfig* ConfigForBusChannels(const std::vector<int>& inputBusChans,
                                              const std::vector<int>& outputBusChans) const;

  // Host values
  /** Audio thread: a host's value for a plug-in parameter, at a sample offset in the block.
   *  Stores it and tells the processing side (ParamChangeHook, source host). A value that is
   *  no number or an index outside the list is ignored: false. */
  bool SetParamFromHost(int paramIdx, double normalized, int sampleOffset);
  /** User-interface thread: the same value as the host shows it. Stores it, tells the editor
   *  side (EditorParamChangeHook, source host) and moves the editor's controls. */
  bool SetEditorParamFromHost(int paramIdx, double normalized);
  /** Audio thread: the host's bypass switch, normalised (on above 0.5); no number: ignored. */
  bool SetBypassFromHost(double normalized);
  bool IsBypassed() const { return mBypassed.load(std::memory_order_relaxed); }
  /** A restored state sets the flag here: the host sends no change for a switch it already
   *  shows. */
  void SetBypassed(bool bypassed) { mBypassed.store(bypassed, std::memory_order_relaxed); }

  // Audio
  /** One host block: silence when its sample size is not the prepared one, else pieces of at
   *  most the prepared block size, each bound by the block and then copied through while the
   *  host bypasses, or rendered. A block without outputs disconnects every channel. */
  void ProcessAudio(IHostAudioBlock& block);

  // State
  /** The state a host stores: the chunk of WriteState, then the host bypass as a 32-bit
   *  integer (1 on, 0 off) in the machine's order. */
  bool WriteHostState(IByteChunk& chunk) const;
  /** Restores what WriteHostState wrote, from the start of the chunk. Bytes too few to hold a
   *  whole state are refused before anything changes; a state without its bypass integer keeps
   *  the values it restored but is refused. On success the editor is shown every value. */
  bool ReadHostState(const IByteChunk& chunk);

private:
  std::atomic<bool> mBypassed{false};
  ESampleSize mSampleSize = kSamples32;
};
