#include "Host/HostComponentDescriptor.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostPropertyMap.h"
#include "Host/HostRef.h"
#include "Host/HostServices.h"

namespace aaxhost
{

namespace
{
constexpr std::size_t kMaxName = 256;
constexpr std::uint32_t kMaxMeters = 256;

FieldRecord Of(FieldRecord::Kind kind, AAX_CFieldIndex field)
{
  FieldRecord record;
  record.kind = kind;
  record.field = field;
  return record;
}
} // namespace

HostComponentDescriptor::HostComponentDescriptor(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostComponentDescriptor::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_ComponentDescriptor ||
      iid == AAX_IID_ComponentDescriptorV2 || iid == AAX_IID_ComponentDescriptorV3)
    return static_cast<AAX_IComponentDescriptorV3*>(this);
  if (iid == kHostSelfComponentDescriptor) return this;
  return nullptr;
}

AAX_Result HostComponentDescriptor::Add(FieldRecord record)
{
  if (record.field < 0 || record.field > kMaxFieldIndex) return AAX_ERROR_INVALID_FIELD_INDEX;
  if (record.size < 0 || record.size > kMaxFieldBytes) return AAX_ERROR_INVALID_ARGUMENT;
  std::lock_guard lock(mMutex);
  // Aux output stems extend the audio-output field: any number of them name
  // that field, and no other.
  const bool auxStem = record.kind == FieldRecord::Kind::AuxOutputStem;
  bool fieldIsAudioOut = false;
  for (const FieldRecord& existing : mFields)
  {
    if (existing.field != record.field) continue;
    const bool audioOut = existing.kind == FieldRecord::Kind::AudioOut;
    if (!auxStem || !(audioOut || existing.kind == FieldRecord::Kind::AuxOutputStem))
      return AAX_ERROR_INVALID_FIELD_INDEX;
    fieldIsAudioOut = fieldIsAudioOut || audioOut;
  }
  if (auxStem && !fieldIsAudioOut) return AAX_ERROR_INVALID_FIELD_INDEX;
  mFields.push_back(std::move(record));
  return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::Clear()
{
  std::lock_guard lock(mMutex);
  mFields.clear();
  mProcs.clear();
  return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::AddAudioIn(AAX_CFieldIndex field)
{
  return Add(Of(FieldRecord::Kind::AudioIn, field));
}

AAX_Result HostComponentDescriptor::AddAudioOut(AAX_CFieldIndex field)
{
  return Add(Of(FieldRecord::Kind::AudioOut, field));
}

AAX_Result HostComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex field)
{
  return Add(Of(FieldRecord::Kind::BufferLength, field));
}

AAX_Result HostComponentDescriptor::AddSampleRate(AAX_CFieldIndex field)
{
  return Add(Of(FieldRecord::Kind::SampleRate, field));
}

AAX_Result HostComponentDescriptor::AddClock(AAX_CFieldIndex field)
{
  return Add(Of(FieldRecord::Kind::Clock, field));
}

AAX_Result HostComponentDescriptor::AddSideChainIn(AAX_CFieldIndex field)
{
  return Add(Of(FieldRecord::Kind::SideChainIn, field));
}

AAX_Result HostComponentDescriptor::AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIds,
                                              std::uint32_t count)
{
  if (meterIds == nullptr && count != 0) return AAX_ERROR_NULL_ARGUMENT;
  if (count > kMaxMeters) return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
  FieldRecord record = Of(FieldRecord::Kind::Meters, field);
  record.meterIds.assign(meterIds, meterIds + count);
  return Add(std::move(record));
}

AAX_Result HostComponentDescriptor::AddAuxOutputStem(AAX_CFieldIndex field, std::int32_t stemFormat,
                                                     const char* name)
{
  FieldRecord record = Of(FieldRecord::Kind::AuxOutputStem, field);
  record.stemFormat = stemFormat;
  record.name = BoundedText(name, kMaxName);
  return Add(std::move(record));
}

AAX_Result HostComponentDescriptor::AddPrivateData(AAX_CFieldIndex field, std::int32_t size,
                                                   std::int32_t options)
{
  FieldRecord record = Of(FieldRecord::Kind::PrivateData, field);
  record.size = size;
  record.options = options;
  return Add(std::move(record));
}

AAX_Result HostComponentDescriptor::AddDataInPort(AAX_CFieldIndex field, std::uint32_t size,
                                                  std::int32_t options)
{
  FieldRecord record = Of(FieldRecord::Kind::DataInPort, field);
  record.size = size;
  record.options = options;
  return Add(std::move(record));
}

AAX_Result HostComponentDescriptor::AddMIDINode(AAX_CFieldIndex field, std::int32_t kind,
                                                const char* name, std::uint32_t mask)
{
  if (kind < AAX_eMIDINode_Input || kind > AAX_eMIDINode_Transport)
    return AAX_ERROR_INVALID_ARGUMENT;
  FieldRecord record = Of(FieldRecord::Kind::MIDINode, field);
  record.midiKind = kind;
  record.mask = mask;
  record.name = BoundedText(name, kMaxName);
  return Add(std::move(record));
}

AAX_Result HostComponentDescriptor::AddTemporaryData(AAX_CFieldIndex field, std::uint32_t size)
{
  FieldRecord record = Of(FieldRecord::Kind::TemporaryData, field);
  record.size = size;
  return Add(std::move(record));
}

AAX_Result HostComponentDescriptor::AddProc(AAX_RenderProc proc, IACFUnknown* propertyMap,
                                            bool offline)
{
  if (proc == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  ProcessProcRecord record;
  record.proc = proc;
  record.offline = offline;
  if (propertyMap)
  {
    // Only maps made by this host can be read.
    HostRef<HostPropertyMap> map = QueryRef<HostPropertyMap>(propertyMap, kHostSelfPropertyMap);
    if (!map) return AAX_ERROR_INVALID_ARGUMENT;
    record.properties = map->Values();
  }
  std::lock_guard lock(mMutex);
  mProcs.push_back(std::move(record));
  return AAX_SUCCESS;
}

AAX_Result HostComponentDescriptor::AddProcessProc(AAX_RenderProc proc, IACFUnknown* propertyMap)
{
  return AddProc(proc, propertyMap, false);
}

AAX_Result HostComponentDescriptor::AddOfflineProcessProc(AAX_RenderProc proc,
                                                          IACFUnknown* propertyMap)
{
  return AddProc(proc, propertyMap, true);
}

std::vector<FieldRecord> HostComponentDescriptor::Fields() const
{
  std::lock_guard lock(mMutex);
  return mFields;
}

std::optional<FieldRecord> HostComponentDescriptor::Field(AAX_CFieldIndex field) const
{
  std::lock_guard lock(mMutex);
  for (const FieldRecord& record : mFields)
    if (record.field == field) return record;
  return std::nullopt;
}

std::vector<ProcessProcRecord> HostComponentDescriptor::ProcessProcs() const
{
  std::lock_guard lock(mMutex);
  return mProcs;
}

} // namespace aaxhost
