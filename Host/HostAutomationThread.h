#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace aaxhost
{
class HostInstance;

// The host's automation thread: set-value requests are not answered on the
// caller's thread but queued and granted here, later, with the effect's
// ApplyHostParamValue, as a DAW's automation engine does. An automation
// delegate hands its requests to one of these when given it
// (HostAutomationDelegate::SetGrantThread); without one it grants at once.
class HostAutomationThread
{
public:
  // Starts the thread. [main-thread]
  HostAutomationThread();
  // Grants what is queued, then stops. [main-thread]
  ~HostAutomationThread();
  HostAutomationThread(const HostAutomationThread&) = delete;
  HostAutomationThread& operator=(const HostAutomationThread&) = delete;

  // Queues one grant. [any-thread except audio]
  void Post(AAX_IEffectParameters* effect, const std::string& id, double normalised,
            std::int32_t source);
  // Queues the instance's update pass (after the grants before it), so that
  // the effect's parameter calls all come from this one thread.
  // [any-thread except audio]
  void PostUpdatePass(HostInstance& instance);
  // Drops the effect's queued grants and waits for one being granted to end;
  // afterwards the thread never calls the effect. [any-thread except audio,
  // never from inside a grant]
  void Forget(AAX_IEffectParameters* effect);
  // Returns when every grant queued before the call has been made.
  // [any-thread except audio, never from inside a grant]
  void Flush();

  // Grants and update passes made so far.
  std::int64_t Granted() const;

private:
  struct Grant
  {
    AAX_IEffectParameters* effect;
    std::string id;
    double value;
    std::int32_t source;
    HostInstance* pass; // non-null: the instance's update pass instead
  };
  void Run(); // the thread's loop

  mutable std::mutex mMutex;
  std::condition_variable mChanged;
  std::deque<Grant> mQueue;                   // under mMutex
  AAX_IEffectParameters* mGranting = nullptr; // under mMutex: the effect being called
  std::int64_t mGranted = 0;                  // under mMutex
  bool mStop = false;                         // under mMutex
  std::thread mThread;                        // last: starts once the rest exists
};

} // namespace aaxhost
