#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VAutomationDelegate.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate(IACFUnknown* hostContext)
    : mV1(AAX_QueryInterface<AAX_IAutomationDelegate>(hostContext, AAX_IID_AutomationDelegate))
{
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate() = default;

AAX_Result AAX_VAutomationDelegate::RegisterParameter(AAX_CParamID id)
{
  return mV1 ? mV1->RegisterParameter(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter(AAX_CParamID id)
{
  return mV1 ? mV1->UnregisterParameter(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest(AAX_CParamID id, double normalised) const
{
  return mV1 ? mV1->PostSetValueRequest(id, normalised) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue(AAX_CParamID id, double normalised) const
{
  return mV1 ? mV1->PostCurrentValue(id, normalised) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest(AAX_CParamID id)
{
  return mV1 ? mV1->PostTouchRequest(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest(AAX_CParamID id)
{
  return mV1 ? mV1->PostReleaseRequest(id) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::TouchState(AAX_CParamID id, bool* touched)
{
  return mV1 ? mV1->TouchState(id, touched) : AAX_ERROR_NULL_OBJECT;
}
