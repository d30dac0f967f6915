// The reference systems' module: one effect, mono and stereo components.
#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "IPlug/AAX/AAX_CEffectGUI_IPLUG.h"
#include "IPlug/AAX/IPlugAAX_Describe.h"
#include "tests/analysis/ReferenceSystems.h"

namespace
{
IACFUnknown* CreateEffect()
{
  analysistest::ReferenceSystems* instance = analysistest::ReferenceSystems::CreateInstance();
  if (instance == nullptr) return nullptr;
  return static_cast<AAX_IEffectParametersV4*>(instance);
}

constexpr AAX_CTypeID kNativeTypeIDs[] = {AAX_FourCC("RSY1"), AAX_FourCC("RSY2")};
constexpr AAX_CTypeID kAudioSuiteTypeIDs[] = {AAX_FourCC("RSA1"), AAX_FourCC("RSA2")};
} // namespace

AAX_Result AAX_DescribePlugin(AAX_VCollection* collection)
{
  if (collection == nullptr) return AAX_ERROR_NULL_OBJECT;
  iplug::AAX_EffectDescription description;
  description.effectNames = "Reference Systems";
  description.category = 64;
  description.channelIO = "1-1 2-2";
  description.manufacturerID = AAX_FourCC("Qmsh");
  description.productID = AAX_FourCC("Rsys");
  description.nativeTypeIDs = kNativeTypeIDs;
  description.audioSuiteTypeIDs = kAudioSuiteTypeIDs;
  description.typeIDCount = 2;
  description.midiNodeName = "Reference Midi";
  description.effectID = "com.Quillmarsh.aax.ReferenceSystems";
  description.manufacturerName = "Quillmarsh";
  description.packageVersion = 0x00010000;
  description.effectFactory = &CreateEffect;
  description.viewFactory = &iplug::AAX_CEffectGUI_IPLUG::Create;
  return iplug::IPlugAAX_Describe(*collection, description);
}
