#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VViewContainer::AAX_VViewContainer(IACFUnknown* viewContainer)
    : mV1(AAX_QueryInterface<AAX_IViewContainer>(viewContainer, AAX_IID_ViewContainer)),
      mV2(AAX_QueryInterface<AAX_IViewContainerV2>(viewContainer, AAX_IID_ViewContainerV2))
{
}

AAX_VViewContainer::~AAX_VViewContainer() = default;

std::int32_t AAX_VViewContainer::Type() const
{
  return mV1 ? mV1->Type() : AAX_IViewContainer::eType_None;
}

void* AAX_VViewContainer::NativeParent() const
{
  return mV1 ? mV1->NativeParent() : nullptr;
}

AAX_Result AAX_VViewContainer::SetViewSize(const AAX_Point& size)
{
  return mV1 ? mV1->SetViewSize(size) : AAX_SUCCESS;
}

AAX_Result AAX_VViewContainer::Modifiers(std::uint32_t* mask) const
{
  return mV1 ? mV1->Modifiers(mask) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown(AAX_CParamID id, std::uint32_t modifiers)
{
  return mV1 ? mV1->HandleParameterMouseDown(id, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag(AAX_CParamID id, std::uint32_t modifiers)
{
  return mV2 ? mV2->HandleParameterMouseDrag(id, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp(AAX_CParamID id, std::uint32_t modifiers)
{
  return mV2 ? mV2->HandleParameterMouseUp(id, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}
