#pragma once

#include "AAX_SDK/Interfaces/AAX_IComponentDescriptor.h"
#include "Host/DescriptionRecords.h"
#include "Host/HostUnknown.h"

#include <mutex>
#include <optional>

namespace aaxhost
{

// Records one component as a module describes it. A field index may be
// registered only once and must be a render-context field.
// [any-thread]: records are locked
class HostComponentDescriptor final : public HostUnknown<AAX_IComponentDescriptorV3>
{
public:
  explicit HostComponentDescriptor(std::shared_ptr<const InterfacePolicy> policy);

  AAX_Result Clear() override;
  AAX_Result AddAudioIn(AAX_CFieldIndex field) override;
  AAX_Result AddAudioOut(AAX_CFieldIndex field) override;
  AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) override;
  AAX_Result AddSampleRate(AAX_CFieldIndex field) override;
  AAX_Result AddClock(AAX_CFieldIndex field) override;
  AAX_Result AddSideChainIn(AAX_CFieldIndex field) override;
  AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIds,
                       std::uint32_t count) override;
  AAX_Result AddAuxOutputStem(AAX_CFieldIndex field, std::int32_t stemFormat,
                              const char* name) override;
  AAX_Result AddPrivateData(AAX_CFieldIndex field, std::int32_t size,
                            std::int32_t options) override;
  AAX_Result AddDataInPort(AAX_CFieldIndex field, std::uint32_t size,
                           std::int32_t options) override;
  AAX_Result AddMIDINode(AAX_CFieldIndex field, std::int32_t kind, const char* name,
                         std::uint32_t mask) override;
  AAX_Result AddProcessProc(AAX_RenderProc proc, IACFUnknown* propertyMap) override;
  AAX_Result AddTemporaryData(AAX_CFieldIndex field, std::uint32_t size) override;
  AAX_Result AddOfflineProcessProc(AAX_RenderProc proc, IACFUnknown* propertyMap) override;

  std::vector<FieldRecord> Fields() const;
  std::optional<FieldRecord> Field(AAX_CFieldIndex field) const;
  std::vector<ProcessProcRecord> ProcessProcs() const;

  // Largest block a module may ask for in one field.
  static constexpr std::int64_t kMaxFieldBytes = 1 << 20;
  // Aux output stems go after the fixed fields; the host numbers them from here.
  static constexpr AAX_CFieldIndex kMaxFieldIndex = 63;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  AAX_Result Add(FieldRecord record);
  AAX_Result AddProc(AAX_RenderProc proc, IACFUnknown* propertyMap, bool offline);

  mutable std::mutex mMutex;
  std::vector<FieldRecord> mFields;      // under mMutex
  std::vector<ProcessProcRecord> mProcs; // under mMutex
};

} // namespace aaxhost
