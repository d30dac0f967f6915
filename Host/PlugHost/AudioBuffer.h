#pragma once

#include <cstddef>
#include <vector>

namespace plughost
{

// Interleaved 32-bit float audio, the format the host's render calls use.
struct AudioBuffer
{
  int sampleRate = 0;
  int channels = 0;
  std::vector<float> samples; // frame-major: frame 0 channel 0, frame 0 channel 1, ...

  std::size_t Frames() const noexcept
  {
    return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
  }
};

// Options for the raw float format, which carries no header.
struct RawFormat
{
  int sampleRate = 0; // 0: not given
  int channels = 0;   // 0: not given
};

} // namespace plughost
