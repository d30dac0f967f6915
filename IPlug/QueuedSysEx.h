#pragma once

#include <cstdint>

namespace iplug
{

// A system-exclusive message as held in a queue: the bytes are copied in, so
// the sender's buffer need not outlive the call.
struct QueuedSysEx
{
  static constexpr int kMaxBytes = 512;

  int offset = 0; // sample offset within the block
  int size = 0;   // bytes used in data, 0..kMaxBytes
  std::uint8_t data[kMaxBytes] = {};
};

} // namespace iplug
