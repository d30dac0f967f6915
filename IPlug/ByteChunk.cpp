#include "IPlug/ByteChunk.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace iplug
{

ByteChunk::ByteChunk(int granularity) noexcept
    : mGranularity(granularity > 0 ? granularity : kDefaultGranularity)
{
}

ByteChunk::~ByteChunk()
{
  std::free(mData);
}

ByteChunk::ByteChunk(ByteChunk&& other) noexcept
    : mData(std::exchange(other.mData, nullptr)), mCapacity(std::exchange(other.mCapacity, 0)),
      mSize(std::exchange(other.mSize, 0)), mGranularity(other.mGranularity)
{
}

ByteChunk& ByteChunk::operator=(ByteChunk&& other) noexcept
{
  if (this != &other)
  {
    std::free(mData);
    mData = std::exchange(other.mData, nullptr);
    mCapacity = std::exchange(other.mCapacity, 0);
    mSize = std::exchange(other.mSize, 0);
    mGranularity = other.mGranularity;
  }
  return *this;
}

bool ByteChunk::Reserve(std::int64_t bytes) noexcept
{
  if (bytes < 0 || bytes > INT_MAX) return false;
  if (bytes <= mCapacity) return true;
  std::int64_t capacity = (bytes + mGranularity - 1) / mGranularity * mGranularity;
  if (capacity > INT_MAX) capacity = INT_MAX;
  void* grown = std::realloc(mData, static_cast<std::size_t>(capacity));
  if (grown == nullptr) return false;
  mData = static_cast<std::uint8_t*>(grown);
  mCapacity = static_cast<int>(capacity);
  return true;
}

int ByteChunk::PutBytes(const void* src, int size) noexcept
{
  if (size < 0 || (size > 0 && src == nullptr)) return -1;
  // Appending part of this chunk to itself: growing may move the bytes.
  const auto* bytes = static_cast<const std::uint8_t*>(src);
  const auto at = reinterpret_cast<std::uintptr_t>(bytes);
  const auto base = reinterpret_cast<std::uintptr_t>(mData);
  const bool inside =
      mData != nullptr && at >= base && at < base + static_cast<unsigned>(mCapacity);
  const std::ptrdiff_t offset = inside ? bytes - mData : 0;
  if (!Reserve(static_cast<std::int64_t>(mSize) + size)) return -1;
  if (inside) bytes = mData + offset;
  if (size > 0) std::memmove(mData + mSize, bytes, static_cast<std::size_t>(size));
  mSize += size;
  return mSize;
}

int ByteChunk::GetBytes(void* dst, int size, int pos) const noexcept
{
  if (pos < 0 || size < 0 || static_cast<std::int64_t>(pos) + size > mSize) return -1;
  if (size > 0) std::memcpy(dst, mData + pos, static_cast<std::size_t>(size));
  return pos + size;
}

int ByteChunk::Resize(int newSize, bool keepContents) noexcept
{
  if (newSize < 0 || !Reserve(newSize)) return -1;
  if (!keepContents)
  {
    if (newSize > 0) std::memset(mData, 0, static_cast<std::size_t>(newSize));
  }
  else if (newSize > mSize)
    std::memset(mData + mSize, 0, static_cast<std::size_t>(newSize - mSize));
  mSize = newSize;
  return mSize;
}

bool ByteChunk::CopyFrom(const ByteChunk& other) noexcept
{
  if (this == &other) return true;
  if (!Reserve(other.mSize)) return false;
  if (other.mSize > 0) std::memcpy(mData, other.mData, static_cast<std::size_t>(other.mSize));
  mSize = other.mSize;
  return true;
}

bool ByteChunk::IsEqual(const ByteChunk& other) const noexcept
{
  return mSize == other.mSize &&
         (mSize == 0 || std::memcmp(mData, other.mData, static_cast<std::size_t>(mSize)) == 0);
}

} // namespace iplug
