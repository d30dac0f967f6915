#pragma once

#include "AAX_SDK/Interfaces/AAX_IAutomationDelegate.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "Host/HostUnknown.h"

#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace aaxhost
{

// The automation delegate of one instance. Set-value requests are the host's
// to decide: this host accepts them at once by calling the effect's
// ApplyHostParamValue with the (clamped) value.
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
  mutable std::vector<Event> mEvents;       // under mMutex
  std::set<std::string> mRegistered;        // under mMutex
  std::set<std::string> mTouched;           // under mMutex
  AAX_IEffectParameters* mEffect = nullptr; // under mMutex
};

} // namespace aaxhost
