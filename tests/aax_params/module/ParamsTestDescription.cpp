// The parameter test module's description: one effect, one stereo component
// with the fields the host needs to create an instance.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_Properties.h"
#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_PluginDescription.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "tests/aax_params/module/ParamsTestEffect.h"
#include "tests/aax_params/module/ParamsTestView.h"

AAX_Result AAX_DescribePlugin(AAX_VCollection* collection)
{
  AAX_VEffectDescriptor* effect = collection->NewDescriptor();
  if (effect == nullptr) return AAX_ERROR_NULL_OBJECT;
  AAX_Result err = effect->AddName("Brasmire Params Test");
  err |= effect->AddCategory(64);
  AAX_CheckedResult result;
  AAX_VComponentDescriptor* component = effect->NewComponentDescriptor();
  if (component == nullptr) return AAX_ERROR_NULL_OBJECT;
  result = component->AddAudioIn(AAX_eField_AudioIn);
  result = component->AddAudioOut(AAX_eField_AudioOut);
  result = component->AddAudioBufferLength(AAX_eField_BufferLength);
  AAX_VPropertyMap* properties = component->NewPropertyMap();
  if (properties == nullptr) return AAX_ERROR_NULL_OBJECT;
  result = properties->AddProperty(AAX_eProperty_InputStemFormat, 0x00010002);
  result = properties->AddProperty(AAX_eProperty_OutputStemFormat, 0x00010002);
  result = properties->AddProperty(AAX_eProperty_ManufacturerID,
                                   static_cast<AAX_CPropertyValue>(AAX_FourCC("Qmsh")));
  result = properties->AddProperty(AAX_eProperty_ProductID,
                                   static_cast<AAX_CPropertyValue>(AAX_FourCC("Tpr1")));
  result = properties->AddProperty(AAX_eProperty_PlugInID_Native,
                                   static_cast<AAX_CPropertyValue>(AAX_FourCC("TPR2")));
  result = component->AddProcessProc(&ParamsTestEffect::RenderCallback, properties);
  result = effect->AddComponent(component);
  err |= effect->AddProcPtr(reinterpret_cast<void*>(&ParamsTestEffect::Create),
                            AAX_eProcID_EffectParameters);
  err |=
      effect->AddProcPtr(reinterpret_cast<void*>(&ParamsTestView::Create), AAX_eProcID_EffectGUI);
  if (err == AAX_SUCCESS) err = collection->AddEffect("com.Quillmarsh.aax.BrasmireParams", effect);
  collection->SetManufacturerName("Quillmarsh");
  collection->SetPackageVersion(0x00030000);
  return err;
}
