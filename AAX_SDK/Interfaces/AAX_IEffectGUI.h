#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The view object as the host sees it: the editor opens when the host attaches
// a view container and closes when it removes it. [main-thread]
class AAX_IEffectGUI : public IACFUnknown
{
public:
  // hostContext answers the controller and effect-parameters interfaces.
  virtual AAX_Result ConnectHost(IACFUnknown* hostContext) = 0;
  virtual AAX_Result DisconnectHost() = 0;
  virtual AAX_Result NotificationReceived(AAX_CTypeID type, const void* data,
                                          std::uint32_t size) = 0;
  // viewContainer: a host object answering the view-container interfaces, or
  // null to remove the current one.
  virtual AAX_Result AttachViewContainer(IACFUnknown* viewContainer) = 0;
  virtual AAX_Result ViewSize(AAX_Point* size) const = 0;
  virtual AAX_Result Draw(const AAX_Point* topLeft, const AAX_Point* bottomRight) = 0;
  virtual AAX_Result TimerWakeup() = 0;
  virtual AAX_Result ParamUpdatedInView(AAX_CParamID id) = 0;
  virtual AAX_Result CustomViewData(AAX_CTypeID key, void** out) const = 0;
  virtual AAX_Result SetParamHighlight(AAX_CParamID id, bool highlighted, std::int32_t colour) = 0;

protected:
  ~AAX_IEffectGUI() = default;
};
