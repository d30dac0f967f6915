#pragma once

namespace brasmire
{

// The dry path's delay while oversampling is on: 64 samples, the latency of the
// oversampled wet path, so that dry and wet stay aligned in the mix. The ring
// starts as zeros and is never cleared afterwards: switching oversampling back
// on first replays the 64 samples stored when it was last on.
// [audio-thread]; allocates nothing.
class DryDelay
{
public:
  static constexpr int kLength = 64;

  DryDelay() noexcept;
  DryDelay(const DryDelay&) = delete;
  DryDelay& operator=(const DryDelay&) = delete;

  // Returns the sample stored kLength calls earlier and stores gain * x.
  double Process(double x) noexcept
  {
    if (mWritePosition >= kLength) mWritePosition = 0;
    const double out = mRing[mWritePosition];
    mRing[mWritePosition] = static_cast<double>(mGain) * x;
    ++mWritePosition;
    mLastOutput = out;
    return out;
  }

  // Write position and last output to 0; the ring keeps its contents.
  void ResetPosition() noexcept
  {
    mWritePosition = 0;
    mLastOutput = 0.0;
  }

  double LastOutput() const noexcept { return mLastOutput; }
  int WritePosition() const noexcept { return mWritePosition; }

private:
  double mRing[kLength];
  int mWritePosition = 0;
  double mLastOutput = 0.0;
  float mGain = 1.0f;
};

} // namespace brasmire
