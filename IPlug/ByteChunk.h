#pragma once

#include <bit>
#include <cstdint>
#include <type_traits>

namespace iplug
{

// Growable byte buffer that carries every serialised state and preset.
// Values are appended raw, in the platform's byte order (little-endian on
// every target we build for), with no gaps and no type tags. Readers chain
// positions: a read returns the position after the value, or -1 when the
// chunk is too short, and every read at a negative position fails, so one
// short read makes all later ones fail without touching their destinations.
//
// Not thread-safe: a chunk belongs to whichever thread is serialising.
class ByteChunk
{
public:
  static constexpr int kDefaultGranularity = 4096;

  explicit ByteChunk(int granularity = kDefaultGranularity) noexcept;
  ~ByteChunk();
  ByteChunk(ByteChunk&& other) noexcept;
  ByteChunk& operator=(ByteChunk&& other) noexcept;
  ByteChunk(const ByteChunk&) = delete;
  ByteChunk& operator=(const ByteChunk&) = delete;

  // Appends `size` bytes; returns the new used size, or -1 (chunk unchanged)
  // when memory runs out or the size would pass the 32-bit limit.
  int PutBytes(const void* src, int size) noexcept;
  int PutChunk(const ByteChunk& other) noexcept { return PutBytes(other.GetData(), other.Size()); }

  template <class T>
  int Put(const T& value) noexcept
  {
    static_assert(std::is_trivially_copyable_v<T>);
    return PutBytes(&value, static_cast<int>(sizeof(T)));
  }

  // Copies `size` bytes from `pos` into `dst`; returns pos + size, or -1 when
  // pos is negative or the chunk ends first (dst is then left untouched).
  int GetBytes(void* dst, int size, int pos) const noexcept;

  template <class T>
  int Get(T& value, int pos) const noexcept
  {
    static_assert(std::is_trivially_copyable_v<T>);
    return GetBytes(&value, static_cast<int>(sizeof(T)), pos);
  }

  // Sets the used size; bytes beyond the old size read as zero. With
  // keepContents false the whole chunk is zeroed. Returns the new size, or -1
  // (chunk unchanged) for a negative size or when memory runs out.
  int Resize(int newSize, bool keepContents = true) noexcept;
  void Clear() noexcept { mSize = 0; }

  // Makes this chunk an exact copy of `other`; false (unchanged) without memory.
  bool CopyFrom(const ByteChunk& other) noexcept;
  bool IsEqual(const ByteChunk& other) const noexcept;

  int Size() const noexcept { return mSize; }
  const std::uint8_t* GetData() const noexcept { return mData; }
  std::uint8_t* GetData() noexcept { return mData; }

private:
  bool Reserve(std::int64_t bytes) noexcept;

  std::uint8_t* mData = nullptr;
  int mCapacity = 0;
  int mSize = 0;
  int mGranularity;
};

static_assert(std::endian::native == std::endian::little,
              "serialised states are little-endian; a big-endian target needs byte swapping");

} // namespace iplug
