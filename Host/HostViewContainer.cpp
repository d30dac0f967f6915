#include "Host/HostViewContainer.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostServices.h"

#include <cmath>

namespace aaxhost
{

HostViewContainer::HostViewContainer(std::shared_ptr<const InterfacePolicy> policy,
                                     void* nativeParent)
    : HostUnknown(std::move(policy)), mNativeParent(nativeParent)
{
}

void* HostViewContainer::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_ViewContainer || iid == AAX_IID_ViewContainerV2)
    return static_cast<AAX_IViewContainerV2*>(this);
  return nullptr;
}

std::int32_t HostViewContainer::Type()
{
  return mNativeParent ? eType_Window : eType_None;
}

void* HostViewContainer::NativeParent()
{
  return mNativeParent;
}

AAX_Result HostViewContainer::SetViewSize(const AAX_Point& size)
{
  if (!std::isfinite(size.vert) || !std::isfinite(size.horz) || size.vert <= 0.0f ||
      size.horz <= 0.0f || size.vert > kMaxViewSize || size.horz > kMaxViewSize)
    return AAX_ERROR_INVALID_VIEW_SIZE;
  std::lock_guard lock(mMutex);
  mSizeRequests.push_back(size);
  return AAX_SUCCESS;
}

AAX_Result HostViewContainer::Modifiers(std::uint32_t* mask)
{
  if (mask == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *mask = mModifiers;
  return AAX_SUCCESS;
}

AAX_Result HostViewContainer::Record(ParameterMouseEvent::Kind kind, AAX_CParamID id,
                                     std::uint32_t modifiers)
{
  if (id == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  mMouseEvents.push_back({kind, BoundedText(id, 256), modifiers});
  return mMouseDownAnswer;
}

AAX_Result HostViewContainer::HandleParameterMouseDown(AAX_CParamID id, std::uint32_t modifiers)
{
  return Record(ParameterMouseEvent::Kind::Down, id, modifiers);
}

AAX_Result HostViewContainer::HandleParameterMouseDrag(AAX_CParamID id, std::uint32_t modifiers)
{
  return Record(ParameterMouseEvent::Kind::Drag, id, modifiers);
}

AAX_Result HostViewContainer::HandleParameterMouseUp(AAX_CParamID id, std::uint32_t modifiers)
{
  return Record(ParameterMouseEvent::Kind::Up, id, modifiers);
}

void HostViewContainer::SetModifiers(std::uint32_t mask)
{
  std::lock_guard lock(mMutex);
  mModifiers = mask;
}

void HostViewContainer::SetMouseDownAnswer(AAX_Result answer)
{
  std::lock_guard lock(mMutex);
  mMouseDownAnswer = answer;
}

std::vector<AAX_Point> HostViewContainer::SizeRequests() const
{
  std::lock_guard lock(mMutex);
  return mSizeRequests;
}

std::vector<HostViewContainer::ParameterMouseEvent> HostViewContainer::MouseEvents() const
{
  std::lock_guard lock(mMutex);
  return mMouseEvents;
}

} // namespace aaxhost
