// The test module's description: one effect with a mono and a stereo
// component, each with the render-context fields the test effect reads.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_Properties.h"
#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_PluginDescription.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "tests/host/module/TestEffect.h"
#include "tests/host/module/TestView.h"

namespace
{
void DescribeComponent(AAX_VEffectDescriptor& effect, std::int32_t stemFormat, AAX_CTypeID typeId)
{
  AAX_CheckedResult result;
  AAX_VComponentDescriptor* component = effect.NewComponentDescriptor();
  if (component == nullptr) result = AAX_ERROR_NULL_OBJECT;
  result = component->AddAudioIn(AAX_eField_AudioIn);
  result = component->AddAudioOut(AAX_eField_AudioOut);
  result = component->AddAudioBufferLength(AAX_eField_BufferLength);
  result = component->AddClock(AAX_eField_Clock);
  result = component->AddMIDINode(AAX_eField_MIDIIn, AAX_eMIDINode_Input, "Test Midi", 1);
  result = component->AddMIDINode(AAX_eField_MIDIOut, AAX_eMIDINode_Output, "Test Midi", 1);
  result = component->AddPrivateData(AAX_eField_MIDIGlobal, 4, 0);
  result =
      component->AddMIDINode(AAX_eField_Transport, AAX_eMIDINode_Transport, "Transport", 0xffff);
  result = component->AddPrivateData(AAX_eField_PrivateData, sizeof(void*), 0);
  result = component->AddDataInPort(AAX_eField_CurrentStateNumber, sizeof(std::int64_t), 1);

  AAX_VPropertyMap* properties = component->NewPropertyMap();
  if (properties == nullptr) result = AAX_ERROR_NULL_OBJECT;
  result = properties->AddProperty(AAX_eProperty_InputStemFormat, stemFormat);
  result = properties->AddProperty(AAX_eProperty_OutputStemFormat, stemFormat);
  result = properties->AddProperty(AAX_eProperty_ManufacturerID,
                                   static_cast<AAX_CPropertyValue>(AAX_FourCC("Qmsh")));
  result = properties->AddProperty(AAX_eProperty_ProductID,
                                   static_cast<AAX_CPropertyValue>(AAX_FourCC("Tst1")));
  result = properties->AddProperty(AAX_eProperty_PlugInID_Native,
                                   static_cast<AAX_CPropertyValue>(typeId));
  result = component->AddProcessProc(&TestEffect::RenderCallback, properties);
  result = effect.AddComponent(component);
}
} // namespace

AAX_Result AAX_DescribePlugin(AAX_VCollection* collection)
{
  AAX_VEffectDescriptor* effect = collection->NewDescriptor();
  if (effect == nullptr) return AAX_ERROR_NULL_OBJECT;
  AAX_Result err = effect->AddName("Brasmire Test");
  err |= effect->AddName("BrmTest");
  collection->AddPackageName("Brasmire Test");
  err |= effect->AddCategory(64);
  DescribeComponent(*effect, 0x00000001, AAX_FourCC("TEF1"));
  DescribeComponent(*effect, 0x00010002, AAX_FourCC("TEF2"));
  err |= effect->AddProcPtr(reinterpret_cast<void*>(&TestEffect::Create),
                            AAX_eProcID_EffectParameters);
  err |= effect->AddProcPtr(reinterpret_cast<void*>(&TestView::Create), AAX_eProcID_EffectGUI);
  if (err == AAX_SUCCESS) err = collection->AddEffect("com.Quillmarsh.aax.BrasmireTest", effect);
  collection->SetManufacturerName("Quillmarsh");
  collection->SetPackageVersion(0x00030000);
  return err;
}
