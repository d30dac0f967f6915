#include "Host/HostAutomationDelegate.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostAutomationThread.h"
#include "Host/HostServices.h"

#include <algorithm>
#include <cmath>

namespace aaxhost
{

namespace
{
constexpr std::size_t kMaxId = 256;
}

HostAutomationDelegate::HostAutomationDelegate(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostAutomationDelegate::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_AutomationDelegate)
    return static_cast<AAX_IAutomationDelegate*>(this);
  return nullptr;
}

void HostAutomationDelegate::Record(Event::Kind kind, const std::string& id, double value) const
{
  mEvents.push_back({kind, id, value});
}

AAX_Result HostAutomationDelegate::RegisterParameter(AAX_CParamID id)
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  std::lock_guard lock(mMutex);
  mRegistered.insert(text);
  Record(Event::Kind::Register, text, 0.0);
  return AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::UnregisterParameter(AAX_CParamID id)
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  std::lock_guard lock(mMutex);
  if (mRegistered.erase(text) == 0) return AAX_ERROR_INVALID_PARAMETER_ID;
  mTouched.erase(text);
  Record(Event::Kind::Unregister, text, 0.0);
  return AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::PostSetValueRequest(AAX_CParamID id, double normalised) const
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  const double value = std::isnan(normalised) ? 0.0 : std::clamp(normalised, 0.0, 1.0);
  AAX_IEffectParameters* effect = nullptr;
  {
    std::lock_guard lock(mMutex);
    if (mRegistered.count(text) == 0) return AAX_ERROR_INVALID_PARAMETER_ID;
    Record(Event::Kind::SetValueRequest, text, value);
    effect = mEffect;
    if (effect && mGrants)
    {
      mGrants->Post(effect, text, value, kHostSource);
      return AAX_SUCCESS;
    }
  }
  // Called without the lock: the effect answers through PostCurrentValue.
  return effect ? effect->ApplyHostParamValue(text.c_str(), value, kHostSource) : AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::PostCurrentValue(AAX_CParamID id, double normalised) const
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  std::lock_guard lock(mMutex);
  if (mRegistered.count(text) == 0) return AAX_ERROR_INVALID_PARAMETER_ID;
  Record(Event::Kind::CurrentValue, text, normalised);
  return AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::PostTouchRequest(AAX_CParamID id)
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  std::lock_guard lock(mMutex);
  if (mRegistered.count(text) == 0) return AAX_ERROR_INVALID_PARAMETER_ID;
  ++mTouched[text];
  Record(Event::Kind::Touch, text, 0.0);
  return AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::PostReleaseRequest(AAX_CParamID id)
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  std::lock_guard lock(mMutex);
  if (mRegistered.count(text) == 0) return AAX_ERROR_INVALID_PARAMETER_ID;
  // A release without a touch is ignored, not counted against a later touch.
  if (const auto it = mTouched.find(text); it != mTouched.end() && --it->second == 0)
    mTouched.erase(it);
  Record(Event::Kind::Release, text, 0.0);
  return AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::TouchState(AAX_CParamID id, bool* touched)
{
  if (id == nullptr || touched == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string text = BoundedText(id, kMaxId);
  std::lock_guard lock(mMutex);
  if (mRegistered.count(text) == 0) return AAX_ERROR_INVALID_PARAMETER_ID;
  *touched = mTouched.count(text) != 0; // entries exist only while touches are open
  return AAX_SUCCESS;
}

void HostAutomationDelegate::SetEffect(AAX_IEffectParameters* effect)
{
  HostAutomationThread* grants = nullptr;
  AAX_IEffectParameters* previous = nullptr;
  {
    std::lock_guard lock(mMutex);
    previous = mEffect;
    mEffect = effect;
    grants = mGrants;
  }
  // Outside the lock: a grant in progress may be posting through us.
  if (grants && previous && previous != effect) grants->Forget(previous);
}

void HostAutomationDelegate::SetGrantThread(HostAutomationThread* thread)
{
  HostAutomationThread* previous = nullptr;
  AAX_IEffectParameters* effect = nullptr;
  {
    std::lock_guard lock(mMutex);
    previous = mGrants;
    mGrants = thread;
    effect = mEffect;
  }
  if (previous && previous != thread && effect) previous->Forget(effect);
}

std::vector<HostAutomationDelegate::Event> HostAutomationDelegate::Events() const
{
  std::lock_guard lock(mMutex);
  return mEvents;
}

std::set<std::string> HostAutomationDelegate::Registered() const
{
  std::lock_guard lock(mMutex);
  return mRegistered;
}

void HostAutomationDelegate::ClearEvents()
{
  std::lock_guard lock(mMutex);
  mEvents.clear();
}

} // namespace aaxhost
