#include "IPlug/AAX/IPlugAAX_Describe.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VEffectDescriptor.h"
#include "IPlug/AAX/IPlugAAX_Parameters.h"
#include "IPlug/IPlugProcessor.h"

#include <string>
#include <vector>

namespace iplug
{

namespace
{
constexpr const char* kSource = "IPlug/AAX/IPlugAAX_Describe";

// Fills the fields that follow from one configuration. `auxNames` keeps the
// stem names alive until the description is finished.
void FillSetupInfo(AAX_SIPlugSetupInfo& setup, const IOConfig& config,
                   const AAX_EffectDescription& description, int typeIndex,
                   std::vector<std::string>& auxNames)
{
  auto busFormat = [](const std::vector<BusInfo>& buses, std::size_t index)
  {
    return index < buses.size() ? AAX_StemFormatOfChannels(buses[index].channelCount)
                                : AAX_SIPlugSetupInfo::kStemFormatNone;
  };
  setup.mInputStemFormat = busFormat(config.inputBuses, 0);
  setup.mOutputStemFormat = busFormat(config.outputBuses, 0);
  const int auxStems = std::max(0, config.BusCount(RouteDirection::Output) - 1);
  setup.mNumAuxOutputStems = auxStems;
  auxNames.reserve(auxNames.size() + static_cast<std::size_t>(auxStems));
  for (int k = 0; k < auxStems && k < AAX_SIPlugSetupInfo::kMaxAuxOutputStems; ++k)
  {
    auxNames.push_back("Output " + std::to_string(k + 2));
    setup.mAuxOutputStemNames[k] = auxNames.back().c_str();
    setup.mAuxOutputStemFormats[k] = busFormat(config.outputBuses, static_cast<std::size_t>(k + 1));
  }
  setup.mManufacturerID = description.manufacturerID;
  setup.mProductID = description.productID;
  setup.mPluginID = description.nativeTypeIDs[typeIndex];
  setup.mAudioSuiteID = description.audioSuiteTypeIDs[typeIndex];
  setup.mCanBypass = true;
  setup.mNeedsInputMIDI = description.midiInput;
  setup.mNeedsOutputMIDI = description.midiOutput;
  setup.mInputMIDINodeName = description.midiNodeName;
  setup.mOutputMIDINodeName = description.midiNodeName;
  setup.mInputMIDIChannelMask = 1;
  setup.mOutputMIDIChannelMask = 1;
  setup.mNeedsTransport = true;
  setup.mLatency = 0;
}
} // namespace

AAX_Result IPlugAAX_Describe(AAX_VCollection& collection, const AAX_EffectDescription& description)
{
  AAX_VEffectDescriptor* effect = collection.NewDescriptor();
  if (effect == nullptr) return AAX_ERROR_NULL_OBJECT;

  AAX_Result err = AAX_SUCCESS;
  const std::string names = description.effectNames ? description.effectNames : "";
  for (std::size_t start = 0; start <= names.size();)
  {
    std::size_t end = names.find('\n', start);
    if (end == std::string::npos) end = names.size();
    const std::string line = names.substr(start, end - start);
    err |= effect->AddName(line.c_str());
    collection.AddPackageName(line.c_str());
    start = end + 1;
  }
  err |= effect->AddCategory(description.category);

  std::vector<IOConfig> configs;
  ChannelIOTotals totals;
  IPlugProcessor::ParseChannelIO(description.channelIO ? description.channelIO : "", configs,
                                 totals);
  std::vector<std::string> auxNames;
  // Side-chain layouts (a second input bus) are described only by their
  // configurations with one input bus, each with the side-chain input.
  const bool sideChain = totals.inputBuses > 1;
  int typeIndex = 0;
  for (const IOConfig& config : configs)
  {
    if (sideChain && config.BusCount(RouteDirection::Input) != 1) continue;
    if (typeIndex >= description.typeIDCount)
    {
      // Every component needs its own type IDs; more layouts than IDs cannot be described.
      AAX_ReportAssertion(kSource, __LINE__, "typeIndex < description.typeIDCount");
      break;
    }
    AAX_SIPlugSetupInfo setup;
    FillSetupInfo(setup, config, description, typeIndex, auxNames);
    setup.mNeedsSideChainInput = sideChain;
    err |= AAX_CIPlugParameters::DescribeComponent(*effect, setup);
    ++typeIndex;
  }

  err |= effect->AddProcPtr(reinterpret_cast<void*>(description.effectFactory),
                            AAX_eProcID_EffectParameters);
  err |=
      effect->AddProcPtr(reinterpret_cast<void*>(description.viewFactory), AAX_eProcID_EffectGUI);
  if (err == AAX_SUCCESS) err |= collection.AddEffect(description.effectID, effect);
  collection.SetManufacturerName(description.manufacturerName);
  collection.SetPackageVersion(description.packageVersion);

  if (err != AAX_SUCCESS) AAX_ReportAssertion(kSource, __LINE__, "err == AAX_SUCCESS");
  return err;
}

} // namespace iplug
