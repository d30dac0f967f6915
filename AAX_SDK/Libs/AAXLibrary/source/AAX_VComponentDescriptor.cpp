#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VComponentDescriptor.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VComponentDescriptor::AAX_VComponentDescriptor(IACFUnknown* hostObject)
    : mHostObject(hostObject),
      mV1(AAX_CreateHostObject<AAX_IComponentDescriptor>(hostObject, AAX_CLSID_ComponentDescriptor,
                                                         AAX_IID_ComponentDescriptor)),
      mV2(AAX_QueryInterface<AAX_IComponentDescriptorV2>(mV1.Get(), AAX_IID_ComponentDescriptorV2)),
      mV3(AAX_QueryInterface<AAX_IComponentDescriptorV3>(mV1.Get(), AAX_IID_ComponentDescriptorV3))
{
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor() = default;

AAX_VPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
  auto map = std::make_unique<AAX_VPropertyMap>(mHostObject);
  if (!map->IsValid()) return nullptr;
  mPropertyMaps.push_back(std::move(map));
  return mPropertyMaps.back().get();
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
  return mV1 ? mV1->Clear() : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn(AAX_CFieldIndex field)
{
  return mV1 ? mV1->AddAudioIn(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut(AAX_CFieldIndex field)
{
  return mV1 ? mV1->AddAudioOut(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength(AAX_CFieldIndex field)
{
  return mV1 ? mV1->AddAudioBufferLength(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate(AAX_CFieldIndex field)
{
  return mV1 ? mV1->AddSampleRate(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddClock(AAX_CFieldIndex field)
{
  return mV1 ? mV1->AddClock(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn(AAX_CFieldIndex field)
{
  return mV1 ? mV1->AddSideChainIn(field) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIds,
                                               std::uint32_t count)
{
  return mV1 ? mV1->AddMeters(field, meterIds, count) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem(AAX_CFieldIndex field,
                                                      std::int32_t stemFormat, const char* name)
{
  return mV1 ? mV1->AddAuxOutputStem(field, stemFormat, name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData(AAX_CFieldIndex field, std::int32_t size,
                                                    std::int32_t options)
{
  return mV1 ? mV1->AddPrivateData(field, size, options) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort(AAX_CFieldIndex field, std::uint32_t size,
                                                   std::int32_t options)
{
  return mV1 ? mV1->AddDataInPort(field, size, options) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode(AAX_CFieldIndex field, std::int32_t kind,
                                                 const char* name, std::uint32_t mask)
{
  return mV1 ? mV1->AddMIDINode(field, kind, name, mask) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc(AAX_RenderProc proc,
                                                    const AAX_VPropertyMap* properties)
{
  return mV1 ? mV1->AddProcessProc(proc, properties ? properties->Object() : nullptr)
             : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData(AAX_CFieldIndex field, std::uint32_t size)
{
  return mV2 ? mV2->AddTemporaryData(field, size) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VComponentDescriptor::AddOfflineProcessProc(AAX_RenderProc proc,
                                                           const AAX_VPropertyMap* properties)
{
  return mV3 ? mV3->AddOfflineProcessProc(proc, properties ? properties->Object() : nullptr)
             : AAX_ERROR_UNIMPLEMENTED;
}
