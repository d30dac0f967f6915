#pragma once

#include "AAX_SDK/Interfaces/AAX_IController.h"
#include "Host/HostUnknown.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace aaxhost
{

// The controller of one instance: sample rate, stem formats, latency, and the
// packets a module posts to render-context fields. A posted packet waits here
// until the instance's next render call delivers it into its field.
class HostController final : public HostUnknown<AAX_IControllerV5>
{
public:
  struct Packet
  {
    AAX_CFieldIndex field;
    std::vector<unsigned char> data;
  };

  // Posted packets in preallocated storage: bytes back to back, and where
  // each packet's bytes lie. Swapping two of these hands packets to the
  // render thread without allocating.
  struct PacketBuffer
  {
    struct Entry
    {
      AAX_CFieldIndex field;
      std::size_t offset;
      std::size_t size;
    };
    std::vector<unsigned char> bytes;
    std::vector<Entry> entries;
  };

  HostController(std::shared_ptr<const InterfacePolicy> policy, std::string effectId);

  AAX_Result EffectID(AAX_IString* out) const override;
  AAX_Result SampleRate(float* out) const override;
  AAX_Result InputStemFormat(std::int32_t* out) const override;
  AAX_Result OutputStemFormat(std::int32_t* out) const override;
  AAX_Result SignalLatency(std::int32_t* out) const override;
  AAX_Result SetSignalLatency(std::int32_t samples) override;
  AAX_Result PostPacket(AAX_CFieldIndex field, const void* data, std::uint32_t size) override;
  AAX_Result CurrentMeterValue(AAX_CTypeID meterId, float* out) const override;
  AAX_Result CycleCount(std::int64_t* out) const override;
  AAX_Result TimeOfDay(std::int64_t* out) const override;
  AAX_Result HybridSignalLatency(std::int32_t* out) const override;
  AAX_Result HostName(AAX_IString* out) const override;

  // Host side. [main-thread]
  void SetSampleRate(float hz);
  void SetStemFormats(std::int32_t input, std::int32_t output);
  void SetMeterValue(AAX_CTypeID meterId, float value);
  // Every latency the module announced, oldest first.
  std::vector<std::int32_t> LatencyHistory() const;
  // Hands over the packets posted since the last call, oldest first, as
  // copies. [main-thread]
  std::vector<Packet> TakePackets();
  // The same without allocating: the packets stay valid until the next call
  // of either. One caller at a time. [audio-thread]
  const PacketBuffer& SwapPackets();
  void CountRenderCall(std::int64_t frames);

  // Largest packet a module may post, and how much may wait for the next
  // render call; a post beyond that fails as a full host queue does.
  static constexpr std::uint32_t kMaxPacketBytes = 4096;
  static constexpr std::size_t kPendingPacketBytes = 64 * 1024;
  static constexpr std::size_t kMaxPendingPackets = 1024;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  const std::string mEffectId;
  mutable std::mutex mMutex;
  float mSampleRate = 48000.0f;              // under mMutex
  std::int32_t mInputStem = 0x00010002;      // under mMutex
  std::int32_t mOutputStem = 0x00010002;     // under mMutex
  std::int32_t mLatency = 0;                 // under mMutex
  std::vector<std::int32_t> mLatencyHistory; // under mMutex
  PacketBuffer mPending;                     // under mMutex
  PacketBuffer mDelivered;                   // render thread, swapped under mMutex
  std::map<AAX_CTypeID, float> mMeters;      // under mMutex
  std::int64_t mCycles = 0;                  // under mMutex
  std::int64_t mTimeOfDay = 0;               // under mMutex
};

} // namespace aaxhost
