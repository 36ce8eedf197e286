#pragma once

// The width of the samples a host's buffers hold; kSamplesOther stands for a value a host sent
// that names neither.
enum ESampleSize { kSamples32 = 0, kSamples64 = 1, kSamplesOther = 2 };

// One block of the host's audio as a binding sees it: the core asks it for the block's length
// and sample size, has it silence the outputs of a block it cannot read, and has it bind the
// buffers of each piece it renders. Called on the audio thread only: nothing here may allocate.
class IHostAudioBlock {
public:
  virtual ~IHostAudioBlock() = default;

  virtual int NFrames() const = 0;
  virtual ESampleSize SampleSize() const = 0;
  // False when the host gave no output buffers at all.
  virtual bool HasOutputs() const = 0;
  // Every output buffer the host gave, zeroed in the width it says they have.
  virtual void SilenceOutputs() = 0;
  // Marks the connected channels and binds the host's buffers of frames
  // [offset, offset + nFrames) to them (IPlugProcessor::MarkChannels, BindHostBuffers,
  // BindHostBuffers32).
  virtual void BindPiece(int offset, int nFrames) = 0;
};
