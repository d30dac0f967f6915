#include "Host/HostController.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostObject.h"

namespace aaxhost
{

HostController::HostController(std::shared_ptr<const InterfacePolicy> policy, std::string effectId)
    : HostUnknown(std::move(policy)), mEffectId(std::move(effectId))
{
  for (PacketBuffer* buffer : {&mPending, &mDelivered})
  {
    buffer->bytes.reserve(kPendingPacketBytes);
    buffer->entries.reserve(kMaxPendingPackets);
  }
}

void* HostController::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_Controller || iid == AAX_IID_ControllerV2 ||
      iid == AAX_IID_ControllerV3 || iid == AAX_IID_ControllerV4 || iid == AAX_IID_ControllerV5)
    return static_cast<AAX_IControllerV5*>(this);
  return nullptr;
}

AAX_Result HostController::EffectID(AAX_IString* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  out->Set(mEffectId.c_str());
  return AAX_SUCCESS;
}

AAX_Result HostController::SampleRate(float* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *out = mSampleRate;
  return AAX_SUCCESS;
}

AAX_Result HostController::InputStemFormat(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *out = mInputStem;
  return AAX_SUCCESS;
}

AAX_Result HostController::OutputStemFormat(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *out = mOutputStem;
  return AAX_SUCCESS;
}

AAX_Result HostController::SignalLatency(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *out = mLatency;
  return AAX_SUCCESS;
}

AAX_Result HostController::SetSignalLatency(std::int32_t samples)
{
  if (samples < 0) return AAX_ERROR_INVALID_ARGUMENT;
  std::lock_guard lock(mMutex);
  mLatency = samples;
  mLatencyHistory.push_back(samples);
  return AAX_SUCCESS;
}

AAX_Result HostController::PostPacket(AAX_CFieldIndex field, const void* data, std::uint32_t size)
{
  if (data == nullptr && size != 0) return AAX_ERROR_NULL_ARGUMENT;
  if (size > kMaxPacketBytes) return AAX_ERROR_POST_PACKET_FAILED;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::lock_guard lock(mMutex);
  if (mPending.entries.size() == kMaxPendingPackets ||
      mPending.bytes.size() + size > kPendingPacketBytes)
    return AAX_ERROR_POST_PACKET_FAILED;
  mPending.entries.push_back({field, mPending.bytes.size(), size});
  mPending.bytes.insert(mPending.bytes.end(), bytes, bytes + size);
  return AAX_SUCCESS;
}

AAX_Result HostController::CurrentMeterValue(AAX_CTypeID meterId, float* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  const auto found = mMeters.find(meterId);
  if (found == mMeters.end()) return AAX_ERROR_INVALID_METER_INDEX;
  *out = found->second;
  return AAX_SUCCESS;
}

AAX_Result HostController::CycleCount(std::int64_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *out = mCycles;
  return AAX_SUCCESS;
}

AAX_Result HostController::TimeOfDay(std::int64_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  *out = mTimeOfDay;
  return AAX_SUCCESS;
}

AAX_Result HostController::HybridSignalLatency(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = 0; // this host has no hybrid path
  return AAX_SUCCESS;
}

AAX_Result HostController::HostName(AAX_IString* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  out->Set(HostObject::kHostName);
  return AAX_SUCCESS;
}

void HostController::SetSampleRate(float hz)
{
  std::lock_guard lock(mMutex);
  mSampleRate = hz;
}

void HostController::SetStemFormats(std::int32_t input, std::int32_t output)
{
  std::lock_guard lock(mMutex);
  mInputStem = input;
  mOutputStem = output;
}

void HostController::SetMeterValue(AAX_CTypeID meterId, float value)
{
  std::lock_guard lock(mMutex);
  mMeters[meterId] = value;
}

std::vector<std::int32_t> HostController::LatencyHistory() const
{
  std::lock_guard lock(mMutex);
  return mLatencyHistory;
}

std::vector<HostController::Packet> HostController::TakePackets()
{
  const PacketBuffer& taken = SwapPackets();
  std::vector<Packet> packets;
  for (const PacketBuffer::Entry& entry : taken.entries)
  {
    const auto first = taken.bytes.begin() + static_cast<std::ptrdiff_t>(entry.offset);
    packets.push_back({entry.field, std::vector<unsigned char>(
                                        first, first + static_cast<std::ptrdiff_t>(entry.size))});
  }
  return packets;
}

const HostController::PacketBuffer& HostController::SwapPackets()
{
  std::lock_guard lock(mMutex);
  std::swap(mPending, mDelivered);
  mPending.bytes.clear();
  mPending.entries.clear();
  return mDelivered;
}

void HostController::CountRenderCall(std::int64_t frames)
{
  std::lock_guard lock(mMutex);
  ++mCycles;
  mTimeOfDay += frames;
}

} // namespace aaxhost
