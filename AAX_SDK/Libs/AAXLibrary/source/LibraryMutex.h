#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

// A process-local mutex that a thread already holding it passes straight
// through: the inner lock neither waits nor releases, so only the outermost
// Lock/Unlock pair of a thread takes and gives back the system mutex. When the
// system mutex cannot be created there is none and locking does nothing.
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

  bool HasSystemMutex() const noexcept { return mMutex != nullptr; }
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
  std::unique_ptr<std::mutex> mMutex;
  // Written by the owning thread only while it holds mMutex; read by any thread.
  std::atomic<std::thread::id> mOwner{};
};
