#include "IPlug/LatencyDelay.h"

#include <algorithm>
#include <new>

namespace iplug
{

LatencyDelay::LatencyDelay(int inputChannels, int outputChannels, int lengthSamples,
                           int reserveSamples)
    : mInputChannels(std::max(inputChannels, 0)), mOutputChannels(std::max(outputChannels, 0))
{
  const int reserve = std::clamp(std::max(reserveSamples, lengthSamples), 0, kMaxLengthSamples);
  mBuffer.reserve(static_cast<std::size_t>(reserve) * static_cast<std::size_t>(mInputChannels));
  SetLength(lengthSamples);
}

bool LatencyDelay::SetLength(int lengthSamples) noexcept
{
  const int length = std::max(lengthSamples, 0);
  if (length > kMaxLengthSamples)
  {
    mBuffer.clear();
    mLength = 0;
    Clear();
    return false;
  }
  try
  {
    mBuffer.resize(static_cast<std::size_t>(length) * static_cast<std::size_t>(mInputChannels));
    mLength = length;
  }
  catch (...)
  {
    mBuffer.clear();
    mLength = 0;
  }
  Clear();
  return mLength == length;
}

void LatencyDelay::Clear() noexcept
{
  std::fill(mBuffer.begin(), mBuffer.end(), 0.0);
  mWritePosition = 0;
}

void LatencyDelay::Process(sample* const* inputs, sample* const* outputs, int frames) noexcept
{
  if (mLength <= 0) return;
  const int channels = std::min(mInputChannels, mOutputChannels);
  sample* const ring = mBuffer.data();
  for (int i = 0; i < frames; ++i)
  {
    for (int j = 0; j < channels; ++j)
    {
      sample& slot = ring[static_cast<std::size_t>(j) * static_cast<std::size_t>(mLength) +
                          static_cast<std::size_t>(mWritePosition)];
      // Read before writing: the host may hand the same buffer for both.
      const sample in = inputs[j][i];
      outputs[j][i] = slot;
      slot = in;
    }
    if (++mWritePosition == mLength) mWritePosition = 0;
  }
}

} // namespace iplug
