#include "Host/Validator/RealtimeCounters.h"

#include <atomic>

namespace plughost
{
namespace
{
// Plain thread-locals with constant initialisation: reading them never
// allocates, so the allocator hooks can use them.
thread_local bool tArmed = false;
thread_local std::int64_t tAllocations = 0;
thread_local std::int64_t tLocks = 0;
thread_local std::int64_t tDeallocations = 0;
thread_local std::int64_t tSystemCalls = 0;
std::atomic<unsigned> gInstalled{0};
} // namespace

void RealtimeCounters::Arm() noexcept
{
  tArmed = true;
}

void RealtimeCounters::Disarm() noexcept
{
  tArmed = false;
}

RealtimeCounters::Counts RealtimeCounters::Read() noexcept
{
  return {tAllocations, tLocks, tDeallocations, tSystemCalls};
}

void RealtimeCounters::CountAllocation() noexcept
{
  if (tArmed) ++tAllocations;
}

void RealtimeCounters::CountLock() noexcept
{
  if (tArmed) ++tLocks;
}

void RealtimeCounters::CountDeallocation() noexcept
{
  if (tArmed) ++tDeallocations;
}

void RealtimeCounters::CountSystemCall() noexcept
{
  if (tArmed) ++tSystemCalls;
}

void RealtimeCounters::MarkInstalled(unsigned hooks) noexcept
{
  gInstalled.fetch_or(hooks);
}

unsigned RealtimeCounters::Installed() noexcept
{
  return gInstalled.load();
}

} // namespace plughost
