#pragma once

#include "AAX_SDK/Interfaces/AAX_IViewContainer.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

// The host's view container of one view object. Without the host interface
// the result-code operations answer -20009, the size request 0, the value
// queries none.
// [main-thread, while the view is attached]
class AAX_VViewContainer
{
public:
  explicit AAX_VViewContainer(IACFUnknown* viewContainer);
  AAX_VViewContainer(const AAX_VViewContainer&) = delete;
  AAX_VViewContainer& operator=(const AAX_VViewContainer&) = delete;
  ~AAX_VViewContainer();

  std::int32_t Type() const;
  void* NativeParent() const;
  AAX_Result SetViewSize(const AAX_Point& size);
  AAX_Result Modifiers(std::uint32_t* mask) const;
  AAX_Result HandleParameterMouseDown(AAX_CParamID id, std::uint32_t modifiers);
  AAX_Result HandleParameterMouseDrag(AAX_CParamID id, std::uint32_t modifiers); // version 2
  AAX_Result HandleParameterMouseUp(AAX_CParamID id, std::uint32_t modifiers);   // version 2

private:
  AAX_InterfaceRef<AAX_IViewContainer> mV1;
  AAX_InterfaceRef<AAX_IViewContainerV2> mV2;
};
