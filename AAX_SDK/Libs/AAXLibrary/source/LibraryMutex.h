#pragma once

#include <atomic>
#include <mutex>
#include <thread>

// A process-local mutex that a thread already holding it passes straight
// through: the inner lock neither waits nor releases, so only the outermost
// Lock/Unlock pair of a thread takes and gives back the system mutex. The
// system mutex lives inside the object: making one (a queue's producer lock on
// the audio thread) allocates nothing and cannot fail.
// [any-thread]
class LibraryMutex
{
public:
  LibraryMutex();
  LibraryMutex(const LibraryMutex&) = delete;
  LibraryMutex& operator=(const LibraryMutex&) = delete;
  ~LibraryMutex();

  // Answers true when this call took the system mutex; only such a call may be
  // matched by Unlock.
  bool Lock();
  void Unlock();

  bool IsOwnedByCallingThread() const noexcept
  {
    return mOwner.load(std::memory_order_acquire) == std::this_thread::get_id();
  }

  // Locks for a scope and unlocks only when the lock actually waited.
  class ScopedLock
  {
  public:
    explicit ScopedLock(LibraryMutex& mutex) : mMutex(mutex), mAcquired(mutex.Lock()) {}
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;
    ~ScopedLock()
    {
      if (mAcquired) mMutex.Unlock();
    }

  private:
    LibraryMutex& mMutex;
    bool mAcquired;
  };

private:
  std::mutex mMutex;
  // Written by the owning thread only while it holds mMutex; read by any thread.
  std::atomic<std::thread::id> mOwner{};
};
