#pragma once

#include "AAX_SDK/Interfaces/AAX_DeletingDestructor.h"
#include "AAX_SDK/Interfaces/AAX_IPointerQueue.h"
#include "AAX_SDK/Libs/AAXLibrary/source/LibraryMutex.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

// A fixed-capacity queue of pointers for one consumer thread. Producers are
// serialised by the producer lock (a LibraryMutex, so a thread that already
// holds it passes through); Pop and Peek take no lock. The queue never owns
// the pointers and never allocates after construction. A full queue refuses
// the new element.
template <typename T, std::size_t N>
class AAX_CAtomicQueue final : public AAX_IPointerQueue<T>
{
  static_assert(N >= 2 && (N & (N - 1)) == 0, "capacity must be a power of two");

public:
  using typename AAX_IPointerQueue<T>::value_type;
  using EStatus = typename AAX_IContainer::EStatus;

  AAX_CAtomicQueue()
  {
    for (auto& slot : mSlots)
      slot.store(nullptr, std::memory_order_relaxed);
  }
  AAX_CAtomicQueue(const AAX_CAtomicQueue&) = delete;
  AAX_CAtomicQueue& operator=(const AAX_CAtomicQueue&) = delete;

  ~AAX_CAtomicQueue() = default;

  // [main-thread] Only for a caller that deletes the queue through its container base.
  void* DeletingDestructor(unsigned int flags) override
  {
    return AAX_RunDeletingDestructor(this, flags);
  }

  static constexpr std::size_t Capacity() { return N; }

  // [any-thread] null fails with eStatus_Unspecified, a full queue with eStatus_Overflow.
  EStatus Push(value_type element) override
  {
    if (element == nullptr) return AAX_IContainer::eStatus_Unspecified;
    LibraryMutex::ScopedLock lock(mProducerLock);
    std::int32_t w = mWrite.fetch_add(1) + 1;
    const std::size_t slot = Index(w);
    value_type expected = nullptr;
    if (!mSlots[slot].compare_exchange_strong(expected, element))
    {
      std::int32_t current = w;
      mWrite.compare_exchange_strong(current, w == 0 ? static_cast<std::int32_t>(N) : w - 1);
      return AAX_IContainer::eStatus_Overflow;
    }
    if (w >= static_cast<std::int32_t>(N))
    {
      std::int32_t current = w;
      mWrite.compare_exchange_strong(current, static_cast<std::int32_t>(slot));
    }
    return AAX_IContainer::eStatus_Success;
  }

  // [consumer thread] null when empty.
  value_type Pop() override
  {
    const std::size_t slot = Index(mRead.load() + 1);
    mRead.store(static_cast<std::int32_t>(slot));
    value_type element = mSlots[slot].exchange(nullptr);
    if (element == nullptr) mRead.fetch_sub(1);
    return element;
  }

  // [consumer thread] the element Pop would return, left in place.
  value_type Peek() const override { return mSlots[Index(mRead.load() + 1)].load(); }

  // Forgets every element. Only while no other thread uses the queue.
  void Clear() override
  {
    for (auto& slot : mSlots)
      slot.store(nullptr);
    mWrite.store(0);
    mRead.store(0);
  }

  // Counters, for diagnostics and tests.
  std::int32_t WriteCounter() const { return mWrite.load(); }
  std::int32_t ReadCounter() const { return mRead.load(); }

private:
  static std::size_t Index(std::int32_t counter)
  {
    return static_cast<std::size_t>(static_cast<std::uint32_t>(counter) % N);
  }

  std::array<std::atomic<value_type>, N> mSlots;
  std::atomic<std::int32_t> mWrite{0}; // producers, under mProducerLock
  std::atomic<std::int32_t> mRead{0};  // the consumer
  LibraryMutex mProducerLock;
};
