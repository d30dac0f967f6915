// The module's description of the one effect it carries, and its effect
// factory. The seven exports (aax_exports) call AAX_DescribePlugin.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_PluginDescription.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "Examples/Brasmire/Brasmire.h"
#include "IPlug/AAX/AAX_CEffectGUI_IPLUG.h"
#include "IPlug/AAX/IPlugAAX_Describe.h"

namespace
{
// Procedure 0: the host holds the instance through its effect-parameters part.
IACFUnknown* CreateEffect()
{
  brasmire::Brasmire* instance = brasmire::Brasmire::CreateInstance(iplug::InstanceInfo{});
  if (instance == nullptr) return nullptr;
  return static_cast<AAX_IEffectParametersV4*>(instance);
}

constexpr AAX_CTypeID kNativeTypeIDs[] = {AAX_FourCC("IEF1"), AAX_FourCC("IEF2")};
constexpr AAX_CTypeID kAudioSuiteTypeIDs[] = {AAX_FourCC("IEA1"), AAX_FourCC("IEA2")};
} // namespace

AAX_Result AAX_DescribePlugin(AAX_VCollection* collection)
{
  if (collection == nullptr) return AAX_ERROR_NULL_OBJECT;
  iplug::AAX_EffectDescription description;
  description.effectNames = "Brasmire";
  description.category = 64;
  description.channelIO = "1-1 2-2";
  description.manufacturerID = AAX_FourCC("Qmsh");
  description.productID = AAX_FourCC("Brm1");
  description.nativeTypeIDs = kNativeTypeIDs;
  description.audioSuiteTypeIDs = kAudioSuiteTypeIDs;
  description.typeIDCount = 2;
  description.midiNodeName = "Brasmire Midi";
  const iplug::PlugSetup setup = brasmire::Brasmire::MakeSetup();
  description.midiInput = setup.midiIn;
  description.midiOutput = setup.midiOut;
  description.effectID = "com.Quillmarsh.aax.Brasmire";
  description.manufacturerName = "Quillmarsh";
  description.packageVersion = 0x00030000;
  description.effectFactory = &CreateEffect;
  description.viewFactory = &iplug::AAX_CEffectGUI_IPLUG::Create;
  return iplug::IPlugAAX_Describe(*collection, description);
}
