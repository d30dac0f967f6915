#pragma once

#include "AAX_SDK/Interfaces/AAX_IAutomationDelegate.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "Host/HostUnknown.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace aaxhost
{
class HostAutomationThread;

// The automation delegate of one instance. Set-value requests are the host's
// to decide: this host accepts them with the (clamped) value, at once on the
// caller's thread by calling the effect's ApplyHostParamValue, or later on an
// automation thread when one is given.
class HostAutomationDelegate final : public HostUnknown<AAX_IAutomationDelegate>
{
public:
  struct Event
  {
    enum class Kind
    {
      Register,
      Unregister,
      Touch,
      Release,
      SetValueRequest,
      CurrentValue,
    };
    Kind kind;
    std::string id;
    double value = 0.0;
  };

  explicit HostAutomationDelegate(std::shared_ptr<const InterfacePolicy> policy);

  AAX_Result RegisterParameter(AAX_CParamID id) override;
  AAX_Result UnregisterParameter(AAX_CParamID id) override;
  AAX_Result PostSetValueRequest(AAX_CParamID id, double normalised) const override;
  AAX_Result PostCurrentValue(AAX_CParamID id, double normalised) const override;
  AAX_Result PostTouchRequest(AAX_CParamID id) override;
  AAX_Result PostReleaseRequest(AAX_CParamID id) override;
  AAX_Result TouchState(AAX_CParamID id, bool* touched) override;

  // The effect that answers set-value requests (not owned; the instance that
  // owns both clears it before releasing the effect). [main-thread]
  void SetEffect(AAX_IEffectParameters* effect);
  // Grants later on that thread (not owned; null: at once). Clearing it, or
  // clearing the effect, drops the grants still queued for the effect.
  // [main-thread]
  void SetGrantThread(HostAutomationThread* thread);

  std::vector<Event> Events() const;
  std::set<std::string> Registered() const;
  void ClearEvents();

  // Source code passed with ApplyHostParamValue for values the host decided.
  static constexpr std::int32_t kHostSource = 1;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  void Record(Event::Kind kind, const std::string& id, double value) const;

  mutable std::mutex mMutex;
  mutable std::vector<Event> mEvents; // under mMutex
  std::set<std::string> mRegistered;  // under mMutex
  // Touches still open per parameter, under mMutex: a module's single set
  // value is touch, request, release, and when it comes inside a drag its
  // release must not end the drag's own touch.
  std::map<std::string, int> mTouched;
  AAX_IEffectParameters* mEffect = nullptr; // under mMutex
  HostAutomationThread* mGrants = nullptr;  // under mMutex
};

} // namespace aaxhost
