#include "Host/HostTransport.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <cmath>

namespace aaxhost
{

HostTransport::HostTransport(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostTransport::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_Transport || iid == AAX_IID_TransportV2 ||
      iid == AAX_IID_TransportV3)
    return static_cast<AAX_ITransportV3*>(this);
  return nullptr;
}

AAX_Result HostTransport::CurrentTempo(double* bpm) const
{
  if (bpm == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *bpm = mState.tempo;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::CurrentMeter(std::int32_t* numerator, std::int32_t* denominator) const
{
  if (numerator == nullptr || denominator == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *numerator = mState.meterNumerator;
  *denominator = mState.meterDenominator;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::IsTransportPlaying(bool* playing) const
{
  if (playing == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *playing = mState.playing;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::CurrentTickPosition(std::int64_t* ticks) const
{
  if (ticks == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *ticks = mState.tickPosition;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::CurrentLoopPosition(bool* looping, std::int64_t* startTicks,
                                              std::int64_t* endTicks) const
{
  if (looping == nullptr || startTicks == nullptr || endTicks == nullptr)
    return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *looping = mState.looping;
  *startTicks = mState.loopStartTicks;
  *endTicks = mState.loopEndTicks;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::CurrentNativeSampleLocation(std::int64_t* samples) const
{
  if (samples == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *samples = mState.samplePosition;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::BarBeatPosition(std::int32_t* bars, std::int32_t* beats,
                                          std::int64_t* displayTicks) const
{
  if (bars == nullptr || beats == nullptr || displayTicks == nullptr)
    return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  if (mState.meterNumerator <= 0 || mState.meterDenominator <= 0) return AAX_ERROR_INVALID_ARGUMENT;
  // A beat is one note of the meter's denominator.
  const std::int64_t ticksPerBeat = AAX_TICKS_PER_QUARTER * 4 / mState.meterDenominator;
  const std::int64_t ticksPerBar = ticksPerBeat * mState.meterNumerator;
  const std::int64_t ticks = mState.tickPosition < 0 ? 0 : mState.tickPosition;
  *bars = static_cast<std::int32_t>(ticks / ticksPerBar + 1);
  *beats = static_cast<std::int32_t>(ticks % ticksPerBar / ticksPerBeat + 1);
  *displayTicks = ticks % ticksPerBeat;
  return AAX_SUCCESS;
}

AAX_Result HostTransport::IsRecording(bool* recording) const
{
  if (recording == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *recording = mState.recording;
  return AAX_SUCCESS;
}

void HostTransport::SetState(const State& state)
{
  std::lock_guard lock(mMutex);
  mState = state;
}

HostTransport::State HostTransport::CurrentState() const
{
  std::lock_guard lock(mMutex);
  return mState;
}

void HostTransport::Advance(std::int64_t frames, double sampleRate)
{
  std::lock_guard lock(mMutex);
  if (!mState.playing || sampleRate <= 0.0) return;
  mState.samplePosition += frames;
  const double quarters = static_cast<double>(frames) / sampleRate * mState.tempo / 60.0;
  mState.tickPosition += static_cast<std::int64_t>(std::llround(quarters * AAX_TICKS_PER_QUARTER));
  if (mState.looping && mState.loopEndTicks > mState.loopStartTicks &&
      mState.tickPosition >= mState.loopEndTicks)
    mState.tickPosition = mState.loopStartTicks + (mState.tickPosition - mState.loopEndTicks) %
                                                      (mState.loopEndTicks - mState.loopStartTicks);
}

} // namespace aaxhost
