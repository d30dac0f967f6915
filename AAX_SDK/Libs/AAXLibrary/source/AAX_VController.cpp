#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VController::AAX_VController(IACFUnknown* hostContext)
    : mV1(AAX_QueryInterface<AAX_IController>(hostContext, AAX_IID_Controller)),
      mV2(AAX_QueryInterface<AAX_IControllerV2>(hostContext, AAX_IID_ControllerV2)),
      mV3(AAX_QueryInterface<AAX_IControllerV3>(hostContext, AAX_IID_ControllerV3)),
      mV4(AAX_QueryInterface<AAX_IControllerV4>(hostContext, AAX_IID_ControllerV4)),
      mV5(AAX_QueryInterface<AAX_IControllerV5>(hostContext, AAX_IID_ControllerV5))
{
}

AAX_VController::~AAX_VController() = default;

AAX_Result AAX_VController::EffectID(AAX_IString* out) const
{
  return mV1 ? mV1->EffectID(out) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SampleRate(float* out) const
{
  return mV1 ? mV1->SampleRate(out) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::InputStemFormat(std::int32_t* out) const
{
  return mV1 ? mV1->InputStemFormat(out) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::OutputStemFormat(std::int32_t* out) const
{
  return mV1 ? mV1->OutputStemFormat(out) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SignalLatency(std::int32_t* out) const
{
  return mV1 ? mV1->SignalLatency(out) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SetSignalLatency(std::int32_t samples)
{
  return mV1 ? mV1->SetSignalLatency(samples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::PostPacket(AAX_CFieldIndex field, const void* data, std::uint32_t size)
{
  return mV1 ? mV1->PostPacket(field, data, size) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::CurrentMeterValue(AAX_CTypeID meterId, float* out) const
{
  return mV1 ? mV1->CurrentMeterValue(meterId, out) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::CycleCount(std::int64_t* out) const
{
  return mV2 ? mV2->CycleCount(out) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::TimeOfDay(std::int64_t* out) const
{
  return mV3 ? mV3->TimeOfDay(out) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::HybridSignalLatency(std::int32_t* out) const
{
  return mV4 ? mV4->HybridSignalLatency(out) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::HostName(AAX_IString* out) const
{
  return mV5 ? mV5->HostName(out) : AAX_ERROR_UNIMPLEMENTED;
}
