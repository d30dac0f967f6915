#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectGUI.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_GuardHostCall.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VTransport.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"

#include <string>
#include <vector>

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI()
{
  // Virtual hooks of a derived view are gone by now: only the container goes.
  mContainer.reset();
  ReleaseHost();
}

ACFRESULT AAX_CEffectGUI::InternalQueryInterface(const ACF_ID& iid, void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  if (iid == AAX_IID_EffectGUI) return Provide(static_cast<AAX_IEffectGUI*>(this), out);
  return CACFUnknown::InternalQueryInterface(iid, out);
}

AAX_Result AAX_CEffectGUI::ConnectHost(IACFUnknown* hostContext)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        mController = std::make_unique<AAX_VController>(hostContext);
        if (hostContext == nullptr || !mController->IsValid()) return AAX_ERROR_NOT_INITIALIZED;
        mEffect = AAX_QueryInterface<AAX_IEffectParameters>(hostContext, AAX_IID_EffectParameters);
        mTransport = std::make_unique<AAX_VTransport>(hostContext);
        BindEffectParameters();
        return AAX_SUCCESS;
      });
}

void AAX_CEffectGUI::ReleaseHost()
{
  mEffect.Reset();
  mController.reset();
  mTransport.reset();
}

AAX_Result AAX_CEffectGUI::DisconnectHost()
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (mContainer) AttachViewContainer(nullptr);
        ReleaseHost();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectGUI::NotificationReceived(AAX_CTypeID, const void*, std::uint32_t)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectGUI::AttachViewContainer(IACFUnknown* viewContainer)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (viewContainer == nullptr)
        {
          CloseViewContents();
          mContainer.reset();
          return AAX_SUCCESS;
        }
        mContainer = std::make_unique<AAX_VViewContainer>(viewContainer);
        OpenViewContents();
        RefreshViewParams();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectGUI::ViewSize(AAX_Point*) const
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectGUI::Draw(const AAX_Point*, const AAX_Point*)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectGUI::TimerWakeup()
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectGUI::ParamUpdatedInView(AAX_CParamID)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectGUI::CustomViewData(AAX_CTypeID, void** out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out) *out = nullptr;
        return AAX_ERROR_NULL_OBJECT;
      });
}

AAX_Result AAX_CEffectGUI::SetParamHighlight(AAX_CParamID, bool, std::int32_t)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

void AAX_CEffectGUI::RefreshViewParams()
{
  if (!mEffect) return;
  std::int32_t count = 0;
  if (mEffect->ParamCount(&count) != AAX_SUCCESS) return;
  // Identifiers are collected first: a view may change the effect while it updates.
  std::vector<std::string> ids;
  for (std::int32_t i = 0; i < count; ++i)
  {
    AAX_CString id;
    if (mEffect->ParamIdAt(i, &id) == AAX_SUCCESS) ids.push_back(id.StdString());
  }
  for (const std::string& id : ids)
    ParamUpdatedInView(id.c_str());
}
