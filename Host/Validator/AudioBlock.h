#pragma once

#include <cstddef>
#include <vector>

namespace plughost
{

// Separate input and output float buffers of one render call, with the
// pointer arrays the render procedure takes. Sized once for the largest
// block a caller renders so that rendering allocates nothing.
class AudioBlock
{
public:
  AudioBlock(std::size_t channels, std::size_t maxFrames)
      : mIn(channels, std::vector<float>(maxFrames)), mOut(channels, std::vector<float>(maxFrames))
  {
    for (auto& c : mIn)
      mInPtr.push_back(c.data());
    for (auto& c : mOut)
      mOutPtr.push_back(c.data());
  }
  AudioBlock(const AudioBlock&) = delete;
  AudioBlock& operator=(const AudioBlock&) = delete;

  std::size_t Channels() const noexcept { return mIn.size(); }
  std::size_t MaxFrames() const noexcept { return mIn.empty() ? 0 : mIn[0].size(); }
  float* In(std::size_t channel) noexcept { return mIn[channel].data(); }
  float* Out(std::size_t channel) noexcept { return mOut[channel].data(); }
  const float* const* Inputs() const noexcept { return mInPtr.data(); }
  float* const* Outputs() const noexcept { return mOutPtr.data(); }

private:
  std::vector<std::vector<float>> mIn;
  std::vector<std::vector<float>> mOut;
  std::vector<const float*> mInPtr;
  std::vector<float*> mOutPtr;
};

} // namespace plughost
