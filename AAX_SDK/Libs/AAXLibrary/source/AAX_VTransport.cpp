#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VTransport.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VTransport::AAX_VTransport(IACFUnknown* hostContext)
    : mV1(AAX_QueryInterface<AAX_ITransport>(hostContext, AAX_IID_Transport)),
      mV2(AAX_QueryInterface<AAX_ITransportV2>(hostContext, AAX_IID_TransportV2)),
      mV3(AAX_QueryInterface<AAX_ITransportV3>(hostContext, AAX_IID_TransportV3))
{
}

AAX_VTransport::~AAX_VTransport() = default;

AAX_Result AAX_VTransport::CurrentTempo(double* bpm) const
{
  return mV1 ? mV1->CurrentTempo(bpm) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::CurrentMeter(std::int32_t* numerator, std::int32_t* denominator) const
{
  return mV1 ? mV1->CurrentMeter(numerator, denominator) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::IsTransportPlaying(bool* playing) const
{
  return mV1 ? mV1->IsTransportPlaying(playing) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::CurrentTickPosition(std::int64_t* ticks) const
{
  return mV1 ? mV1->CurrentTickPosition(ticks) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::CurrentLoopPosition(bool* looping, std::int64_t* startTicks,
                                               std::int64_t* endTicks) const
{
  return mV1 ? mV1->CurrentLoopPosition(looping, startTicks, endTicks) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::CurrentNativeSampleLocation(std::int64_t* samples) const
{
  return mV1 ? mV1->CurrentNativeSampleLocation(samples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VTransport::BarBeatPosition(std::int32_t* bars, std::int32_t* beats,
                                           std::int64_t* displayTicks) const
{
  return mV2 ? mV2->BarBeatPosition(bars, beats, displayTicks) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VTransport::IsRecording(bool* recording) const
{
  return mV3 ? mV3->IsRecording(recording) : AAX_ERROR_UNIMPLEMENTED;
}
