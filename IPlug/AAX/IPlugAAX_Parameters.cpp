#include "IPlug/AAX/IPlugAAX_Parameters.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_Properties.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_GuardHostCall.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VComponentDescriptor.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VEffectDescriptor.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPropertyMap.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace iplug
{

namespace
{
constexpr const char* kSource = AAX_CIPlugParameters::kCheckSource;
constexpr std::int32_t kPlaceholderBytes = 4;

// The render call's values: a fixed array, so collecting them allocates nothing.
struct ValueArray
{
  std::array<const AAX_SyncValuePair*, AAX_CIPlugParameters::kMaxValuesPerRender> pairs{};
  std::int64_t size = 0;
};
} // namespace

std::int32_t AAX_StemFormatOfChannels(int channels) noexcept
{
  switch (channels)
  {
  case 1:
    return 0x00000001;
  case 2:
    return 0x00010002;
  case 3:
    return 0x00020003;
  case 4:
    return 0x000e0004;
  case 5:
    return 0x00050005;
  case 6:
    return 0x00060006;
  case 7:
    return 0x000b0007;
  case 8:
    return 0x000c0008;
  case 9:
    return 0x00120009;
  case 10:
    return 0x000d000a;
  case 16:
    return 0x00130010;
  default:
    return AAX_SIPlugSetupInfo::kStemFormatNone;
  }
}

AAX_CIPlugParameters::AAX_CIPlugParameters() = default;

AAX_CIPlugParameters::~AAX_CIPlugParameters()
{
  // Whatever the audio thread handed back after the last idle call.
  ReleaseReturned();
  while (AAX_NumberedValueList* list = mUpdates.Pop())
  {
    for (AAX_SyncValuePair* pair : list->values)
      delete pair;
    delete list;
  }
}

void AAX_CIPlugParameters::RegisterSynchronizedParameter(const AAX_IParameter& inParameter)
{
  AAX_ASSERT(kSource, inParameter.Automatable());
  mSynchronizedParameters.insert(inParameter.Identifier());
  AAX_ASSERT(kSource, kSynchronizedParameterQueueSize >= mSynchronizedParameters.size());
}

AAX_Result AAX_CIPlugParameters::ApplyHostParamValue(AAX_CParamID id, double normalised,
                                                     std::int32_t source)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        const AAX_Result result =
            AAX_CEffectParameters::ApplyHostParamValue(id, normalised, source);
        if (result != AAX_SUCCESS) return result;
        if (const AAX_IParameter* parameter = Parameters().Find(id))
          if (mSynchronizedParameters.count(parameter->Identifier()) != 0)
            mDirtySynchronized.insert(parameter);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CIPlugParameters::DispatchParamPackets()
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        const AAX_Result base = AAX_CEffectParameters::DispatchParamPackets();
        if (base != AAX_SUCCESS) return base;

        const std::int64_t number = mStateCounter++;
        auto list = std::make_unique<AAX_NumberedValueList>();
        list->number = number;
        for (const AAX_IParameter* parameter : mDirtySynchronized)
        {
          if (parameter == nullptr) continue;
          list->values.push_back(
              new AAX_SyncValuePair{parameter->Identifier(),
                                    std::unique_ptr<AAX_IParameterValue>(parameter->CloneValue())});
        }
        mDirtySynchronized.clear();
        if (!list->values.empty())
        {
          const AAX_IContainer::EStatus pushResult = mUpdates.Push(list.get());
          AAX_ASSERT(kSource, AAX_IContainer::eStatus_Success == pushResult);
          if (pushResult == AAX_IContainer::eStatus_Success)
            static_cast<void>(list.release());
          else
            for (AAX_SyncValuePair* pair : list->values)
              delete pair;
        }

        AAX_VController* controller = Controller();
        if (controller == nullptr) return AAX_ERROR_NULL_OBJECT;
        return controller->PostPacket(AAX_eField_CurrentStateNumber, &number, sizeof number);
      });
}

AAX_Result AAX_CIPlugParameters::InitFieldData(AAX_CFieldIndex field, void* data,
                                               std::uint32_t iDataSize) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (data == nullptr) return AAX_SUCCESS;
        std::memset(data, 0, iDataSize);
        if (field == AAX_eField_PrivateData)
        {
          AAX_ASSERT(kSource, iDataSize == sizeof(AAX_SIPlugPrivateData));
          if (iDataSize >= sizeof(AAX_SIPlugPrivateData))
          {
            AAX_SIPlugPrivateData privateData{const_cast<AAX_CIPlugParameters*>(this)};
            std::memcpy(data, &privateData, sizeof privateData);
          }
        }
        return AAX_SUCCESS;
      });
}

void AAX_CIPlugParameters::ReleaseReturned() noexcept
{
  while (AAX_NumberedValueList* list = mReturnedLists.Pop())
  {
    for (AAX_SyncValuePair* pair : list->values)
      delete pair; // null for every pair the render call took
    delete list;
  }
  while (AAX_SyncValuePair* pair = mUsedValues.Pop())
    delete pair;
}

AAX_Result AAX_CIPlugParameters::HostIdle()
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        ReleaseReturned();
        return AAX_CEffectParameters::HostIdle();
      });
}

void AAX_CIPlugParameters::RenderAudio(AAX_RenderContext*, const AAX_SyncValuePair* const*,
                                       std::int32_t) noexcept
{
}

void AAX_CIPlugParameters::RenderCallback(AAX_RenderContext* const* first,
                                          AAX_RenderContext* const* end)
{
  for (AAX_RenderContext* const* it = first; it != end; ++it)
  {
    AAX_RenderContext* context = *it;
    if (context == nullptr || context->mPrivateData == nullptr) continue;
    AAX_SIPlugPrivateData privateData{};
    std::memcpy(&privateData, context->mPrivateData, sizeof privateData);
    if (privateData.mInstance == nullptr) continue;
    privateData.mInstance->RenderOne(context);
  }
}

void AAX_CIPlugParameters::RenderOne(AAX_RenderContext* context) noexcept
{
  const std::int64_t current =
      context->mCurrentStateNumber != nullptr ? *context->mCurrentStateNumber : 0;

  // Only lists whose number the host has caught up with belong to this call.
  UpdateQueue local;
  while (AAX_NumberedValueList* numberedStateList = mUpdates.Peek())
  {
    const bool wrapped = current < -65535 && numberedStateList->number >= 65536;
    if (numberedStateList->number > current && !wrapped) break;
    AAX_NumberedValueList* poppedPair = mUpdates.Pop();
    AAX_ASSERT(kSource, poppedPair == numberedStateList);
    if (poppedPair == nullptr) break;
    const AAX_IContainer::EStatus pushResult = local.Push(poppedPair);
    AAX_ASSERT(kSource, AAX_IContainer::eStatus_Success == pushResult);
    if (pushResult != AAX_IContainer::eStatus_Success)
    {
      // Nothing is lost: the list goes back unread and idle time frees it.
      const AAX_IContainer::EStatus returned = mReturnedLists.Push(poppedPair);
      AAX_ASSERT(kSource, AAX_IContainer::eStatus_Success == returned);
    }
  }

  ValueArray values;
  constexpr std::int64_t sCap = static_cast<std::int64_t>(kMaxValuesPerRender);
  while (AAX_NumberedValueList* list = local.Pop())
  {
    const std::vector<AAX_SyncValuePair*>& inOther = list->values;
    std::int64_t& mSize = values.size;
    AAX_ASSERT(kSource, sCap >= mSize + (int64_t)inOther.size());
    for (AAX_SyncValuePair*& pair : list->values)
    {
      if (pair == nullptr) continue;
      if (!(sCap > mSize))
      {
        AAX_ASSERT(kSource, sCap > mSize);
        continue; // left in the list: idle time frees it
      }
      values.pairs[static_cast<std::size_t>(mSize++)] = pair;
      pair = nullptr;
    }
    const AAX_IContainer::EStatus pushResult = mReturnedLists.Push(list);
    AAX_ASSERT(kSource, AAX_IContainer::eStatus_Success == pushResult);
  }

  RenderAudio(context, values.pairs.data(), static_cast<std::int32_t>(values.size));

  for (std::int64_t i = 0; i < values.size; ++i)
  {
    auto* pair = const_cast<AAX_SyncValuePair*>(values.pairs[static_cast<std::size_t>(i)]);
    const AAX_IContainer::EStatus pushResult = mUsedValues.Push(pair);
    AAX_ASSERT(kSource, AAX_IContainer::eStatus_Success == pushResult);
  }
}

AAX_Result AAX_CIPlugParameters::DescribeComponent(AAX_VEffectDescriptor& effect,
                                                   const AAX_SIPlugSetupInfo& setupInfo)
{
  constexpr int kMaxAdditionalMIDINodes = AAX_SIPlugSetupInfo::kMaxAdditionalMIDINodes;
  constexpr int kMaxAuxOutputStems = AAX_SIPlugSetupInfo::kMaxAuxOutputStems;
  AAX_CheckedResult result;
  AAX_VComponentDescriptor* component = effect.NewComponentDescriptor();
  if (component == nullptr) result = AAX_ERROR_NULL_OBJECT;

  auto placeholder = [&](AAX_CFieldIndex field)
  { result = component->AddPrivateData(field, kPlaceholderBytes, 0); };

  if (setupInfo.mNeedsGlobalMIDI)
    result = component->AddMIDINode(AAX_eField_MIDIGlobal, 2, setupInfo.mGlobalMIDINodeName,
                                    setupInfo.mGlobalMIDIEventMask);
  else
    placeholder(AAX_eField_MIDIGlobal);
  if (setupInfo.mNeedsInputMIDI)
    result = component->AddMIDINode(AAX_eField_MIDIIn, 0, setupInfo.mInputMIDINodeName,
                                    setupInfo.mInputMIDIChannelMask);
  else
    placeholder(AAX_eField_MIDIIn);
  if (setupInfo.mNeedsOutputMIDI)
    result = component->AddMIDINode(AAX_eField_MIDIOut, 1, setupInfo.mOutputMIDINodeName,
                                    setupInfo.mOutputMIDIChannelMask);
  else
    placeholder(AAX_eField_MIDIOut);
  if (setupInfo.mNeedsTransport)
    result = component->AddMIDINode(AAX_eField_Transport, 3, "Transport", 0xffff);
  else
    placeholder(AAX_eField_Transport);

  AAX_ASSERT("IPlug/AAX/IPlugAAX_Parameters.h",
             setupInfo.mNumAdditionalInputMIDINodes <= kMaxAdditionalMIDINodes);
  for (int i = 0; i < AAX_ADDITIONAL_MIDI_NODES; ++i)
  {
    const AAX_CFieldIndex field = AAX_eField_AdditionalMIDIFirst + i;
    if (i < setupInfo.mNumAdditionalInputMIDINodes)
      result = component->AddMIDINode(field, 0, setupInfo.mInputMIDINodeName,
                                      setupInfo.mInputMIDIChannelMask);
    else
      placeholder(field);
  }

  result = component->AddAudioIn(AAX_eField_AudioIn);
  result = component->AddAudioOut(AAX_eField_AudioOut);
  result = component->AddAudioBufferLength(AAX_eField_BufferLength);
  result = component->AddClock(AAX_eField_Clock);

  if (setupInfo.mNumMeters >= 1)
    result = component->AddMeters(AAX_eField_Meters, setupInfo.mMeterIDs,
                                  static_cast<std::uint32_t>(setupInfo.mNumMeters));
  else
    placeholder(AAX_eField_Meters);

  if (setupInfo.mNeedsSideChainInput) result = component->AddSideChainIn(AAX_eField_SideChainIn);

  AAX_ASSERT("IPlug/AAX/IPlugAAX_Parameters.h", setupInfo.mNumAuxOutputStems <= kMaxAuxOutputStems);
  const int auxStems = std::min(setupInfo.mNumAuxOutputStems, kMaxAuxOutputStems);
  // Aux stems are no fields of their own: their channels follow the main
  // outputs in the audio-output field.
  for (int k = 0; k < auxStems; ++k)
    result = component->AddAuxOutputStem(AAX_eField_AudioOut, setupInfo.mAuxOutputStemFormats[k],
                                         setupInfo.mAuxOutputStemNames[k]);

  result = component->AddPrivateData(AAX_eField_PrivateData,
                                     static_cast<std::int32_t>(sizeof(AAX_SIPlugPrivateData)), 0);
  result = component->AddDataInPort(AAX_eField_CurrentStateNumber, sizeof(std::int64_t), 1);

  AAX_VPropertyMap* properties = component->NewPropertyMap();
  if (properties == nullptr) result = AAX_ERROR_NULL_OBJECT;

  if (setupInfo.mUseHostGeneratedGUI)
    result = properties->AddProperty(AAX_eProperty_UsesHostGeneratedGUI, 1);
  const bool hybridIn = setupInfo.mHybridInputStemFormat != AAX_SIPlugSetupInfo::kStemFormatNone;
  const bool hybridOut = setupInfo.mHybridOutputStemFormat != AAX_SIPlugSetupInfo::kStemFormatNone;
  if (hybridIn != hybridOut)
    AAX_ReportAssertion("IPlug/AAX/IPlugAAX_Parameters.h", __LINE__,
                        "(AAX_eStemFormat_None != setupInfo.mHybridInputStemFormat) == "
                        "(AAX_eStemFormat_None != setupInfo.mHybridOutputStemFormat)");
  if (hybridIn && hybridOut)
  {
    result = properties->AddProperty(AAX_eProperty_HybridInputStemFormat,
                                     setupInfo.mHybridInputStemFormat);
    result = properties->AddProperty(AAX_eProperty_HybridOutputStemFormat,
                                     setupInfo.mHybridOutputStemFormat);
  }
  if (setupInfo.mNeedsSideChainInput)
    result = properties->AddProperty(AAX_eProperty_SupportsSideChainInput, 1);
  result = properties->AddProperty(AAX_eProperty_LatencyContribution, setupInfo.mLatency);
  result = properties->AddProperty(AAX_eProperty_InputStemFormat, setupInfo.mInputStemFormat);
  result = properties->AddProperty(AAX_eProperty_OutputStemFormat, setupInfo.mOutputStemFormat);
  result = properties->AddProperty(AAX_eProperty_CanBypass, setupInfo.mCanBypass ? 1 : 0);
  result = properties->AddProperty(AAX_eProperty_ComponentFlag300, 1);
  if (setupInfo.mNeedsTransport) result = properties->AddProperty(AAX_eProperty_UsesTransport, 1);
  result = properties->AddProperty(AAX_eProperty_ManufacturerID,
                                   static_cast<AAX_CPropertyValue>(setupInfo.mManufacturerID));
  result = properties->AddProperty(AAX_eProperty_ProductID,
                                   static_cast<AAX_CPropertyValue>(setupInfo.mProductID));
  result = properties->AddProperty(AAX_eProperty_PlugInID_Native,
                                   static_cast<AAX_CPropertyValue>(setupInfo.mPluginID));
  if (setupInfo.mAudioSuiteID != AAX_SIPlugSetupInfo::kNoID)
    result = properties->AddProperty(AAX_eProperty_PlugInID_AudioSuite,
                                     static_cast<AAX_CPropertyValue>(setupInfo.mAudioSuiteID));
  if (!setupInfo.mMultiMonoSupport)
    result = properties->AddProperty(AAX_eProperty_MultiMonoSupport, 0);

  result = component->AddProcessProc(&AAX_CIPlugParameters::RenderCallback, properties);
  result = effect.AddComponent(component);
  return result;
}

} // namespace iplug
