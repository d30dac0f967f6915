#include "IPlug/PresetFileFormat.h"

#include <cstring>

namespace iplug::presetfile
{

int PutBE32(ByteChunk& chunk, std::uint32_t value) noexcept
{
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
      static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
  return chunk.PutBytes(bytes, 4);
}

int GetBE32(const ByteChunk& chunk, int pos, std::uint32_t& value) noexcept
{
  std::uint8_t bytes[4];
  pos = chunk.GetBytes(bytes, 4, pos);
  if (pos < 0) return -1;
  value = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
          static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
  return pos;
}

int PutBEFloat(ByteChunk& chunk, float value) noexcept
{
  std::uint32_t bits;
  std::memcpy(&bits, &value, 4);
  return PutBE32(chunk, bits);
}

int GetBEFloat(const ByteChunk& chunk, int pos, float& value) noexcept
{
  std::uint32_t bits = 0;
  pos = GetBE32(chunk, pos, bits);
  if (pos >= 0) std::memcpy(&value, &bits, 4);
  return pos;
}

} // namespace iplug::presetfile
