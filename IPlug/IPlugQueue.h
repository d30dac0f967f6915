#pragma once

#include <atomic>
#include <memory>
#include <type_traits>

namespace iplug
{

// Fixed-capacity ring between exactly one pushing thread and one popping
// thread, without locks. One slot always stays empty, so a ring of N slots
// holds N - 1 elements; a push onto a full ring drops the new element.
//
// Each side owns one index: the producer writes mWrite, the consumer writes
// mRead. The element is stored before the new write index is published
// (release) and read before the new read index is published (release); each
// side loads the other's index with acquire. Nothing allocates after
// construction, so the audio thread may use either side.
template <class T>
class IPlugQueue
{
  static_assert(std::is_trivially_copyable_v<T>, "queued records are plain data");

public:
  // `slotCount` >= 2; the capacity is slotCount - 1. [main-thread]
  explicit IPlugQueue(int slotCount)
      : mSlotCount(slotCount < 2 ? 2 : slotCount),
        mSlots(std::make_unique<T[]>(static_cast<std::size_t>(mSlotCount)))
  {
  }

  IPlugQueue(const IPlugQueue&) = delete;
  IPlugQueue& operator=(const IPlugQueue&) = delete;

  // False when the ring was full and the element was dropped. [producer thread]
  bool Push(const T& element) noexcept
  {
    const int write = mWrite.load(std::memory_order_relaxed);
    const int next = write + 1 == mSlotCount ? 0 : write + 1;
    if (next == mRead.load(std::memory_order_acquire)) return false;
    mSlots[static_cast<std::size_t>(write)] = element;
    mWrite.store(next, std::memory_order_release);
    return true;
  }

  // False (element untouched) when the ring is empty. [consumer thread]
  bool Pop(T& element) noexcept
  {
    const int read = mRead.load(std::memory_order_relaxed);
    if (read == mWrite.load(std::memory_order_acquire)) return false;
    element = mSlots[static_cast<std::size_t>(read)];
    mRead.store(read + 1 == mSlotCount ? 0 : read + 1, std::memory_order_release);
    return true;
  }

  // Elements waiting; exact on either owning thread, a snapshot elsewhere. [any-thread]
  int ElementsAvailable() const noexcept
  {
    const int write = mWrite.load(std::memory_order_acquire);
    const int read = mRead.load(std::memory_order_acquire);
    return write >= read ? write - read : write + mSlotCount - read;
  }

  int Capacity() const noexcept { return mSlotCount - 1; }

private:
  const int mSlotCount;
  std::unique_ptr<T[]> mSlots;
  alignas(64) std::atomic<int> mWrite{0}; // written by the producer only
  alignas(64) std::atomic<int> mRead{0};  // written by the consumer only
};

} // namespace iplug
