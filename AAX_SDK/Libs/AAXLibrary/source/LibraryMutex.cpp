#include "AAX_SDK/Libs/AAXLibrary/source/LibraryMutex.h"

LibraryMutex::LibraryMutex() = default;

LibraryMutex::~LibraryMutex() = default;

bool LibraryMutex::Lock()
{
  const std::thread::id self = std::this_thread::get_id();
  // Only this thread can have stored its own id, so the check cannot race.
  if (mOwner.load(std::memory_order_acquire) == self) return false;
  mMutex.lock();
  mOwner.store(self, std::memory_order_release);
  return true;
}

void LibraryMutex::Unlock()
{
  if (mOwner.load(std::memory_order_acquire) != std::this_thread::get_id()) return;
  mOwner.store(std::thread::id{}, std::memory_order_release);
  mMutex.unlock();
}
