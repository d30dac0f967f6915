#pragma once

#include <cstdint>
#include <cstring>

namespace iplug
{

// One short MIDI message within a block.
struct MidiMessage
{
  std::int32_t offset = 0; // sample offset within the block
  std::uint8_t status = 0;
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;
};

// A system-exclusive message as passed between operations: the data stays the
// caller's and is valid only during the call.
struct SysExMessage
{
  std::int32_t offset = 0; // sample offset within the block
  std::int32_t size = 0;   // bytes at data
  const std::uint8_t* data = nullptr;
};

// Largest system-exclusive message a queue record holds.
inline constexpr int kMaxQueuedSysExBytes = 512;

// A system-exclusive message as held in a fixed-capacity queue: the data is copied in.
struct QueuedSysExMessage
{
  std::int32_t offset = 0;
  std::int32_t size = 0;
  std::uint8_t data[kMaxQueuedSysExBytes] = {};

  // Copies a message in. A message longer than the record cannot be queued
  // whole; it is refused (false) rather than cut, since a cut message is corrupt.
  // A null data pointer gives a zeroed data area. [any-thread]
  bool Assign(const SysExMessage& message) noexcept
  {
    if (message.size < 0 || message.size > kMaxQueuedSysExBytes) return false;
    offset = message.offset;
    size = message.size;
    if (message.data == nullptr)
      std::memset(data, 0, sizeof data);
    else
      std::memcpy(data, message.data, static_cast<std::size_t>(message.size));
    return true;
  }

  SysExMessage View() const noexcept { return SysExMessage{offset, size, data}; }
};

} // namespace iplug
