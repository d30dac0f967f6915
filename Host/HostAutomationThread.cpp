#include "Host/HostAutomationThread.h"

#include "Host/HostInstance.h"

#include <algorithm>

namespace aaxhost
{

HostAutomationThread::HostAutomationThread() : mThread([this] { Run(); }) {}

HostAutomationThread::~HostAutomationThread()
{
  {
    std::lock_guard lock(mMutex);
    mStop = true;
  }
  mChanged.notify_all();
  mThread.join();
}

void HostAutomationThread::Post(AAX_IEffectParameters* effect, const std::string& id,
                                double normalised, std::int32_t source)
{
  {
    std::lock_guard lock(mMutex);
    mQueue.push_back({effect, id, normalised, source, nullptr});
  }
  mChanged.notify_all();
}

void HostAutomationThread::PostUpdatePass(HostInstance& instance)
{
  {
    std::lock_guard lock(mMutex);
    mQueue.push_back({&instance.Effect(), {}, 0.0, 0, &instance});
  }
  mChanged.notify_all();
}

void HostAutomationThread::Forget(AAX_IEffectParameters* effect)
{
  std::unique_lock lock(mMutex);
  mQueue.erase(std::remove_if(mQueue.begin(), mQueue.end(),
                              [effect](const Grant& grant) { return grant.effect == effect; }),
               mQueue.end());
  mChanged.wait(lock, [&] { return mGranting != effect; });
}

void HostAutomationThread::Flush()
{
  std::unique_lock lock(mMutex);
  const std::int64_t target = mGranted + static_cast<std::int64_t>(mQueue.size());
  mChanged.wait(lock, [&] { return mGranted >= target || mStop; });
}

std::int64_t HostAutomationThread::Granted() const
{
  std::lock_guard lock(mMutex);
  return mGranted;
}

void HostAutomationThread::Run()
{
  std::unique_lock lock(mMutex);
  for (;;)
  {
    mChanged.wait(lock, [&] { return mStop || !mQueue.empty(); });
    if (mQueue.empty()) return; // stopping, nothing left to grant
    Grant grant = std::move(mQueue.front());
    mQueue.pop_front();
    mGranting = grant.effect;
    // Called without the lock: the effect may post again while it answers.
    lock.unlock();
    if (grant.pass)
      grant.pass->UpdatePass();
    else
      grant.effect->ApplyHostParamValue(grant.id.c_str(), grant.value, grant.source);
    lock.lock();
    mGranting = nullptr;
    ++mGranted;
    mChanged.notify_all();
  }
}

} // namespace aaxhost
