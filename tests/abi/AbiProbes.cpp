// Compiled only for the layout check (never linked): one probe class per
// boundary interface, so that each target emits and dumps its virtual table,
// and one size use per boundary record, so that each record layout is dumped.

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_IAutomationDelegate.h"
#include "AAX_SDK/Interfaces/AAX_ICollection.h"
#include "AAX_SDK/Interfaces/AAX_IComponentDescriptor.h"
#include "AAX_SDK/Interfaces/AAX_IController.h"
#include "AAX_SDK/Interfaces/AAX_IDescriptionHost.h"
#include "AAX_SDK/Interfaces/AAX_IEffectDescriptor.h"
#include "AAX_SDK/Interfaces/AAX_IEffectGUI.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Interfaces/AAX_IFeatureInfo.h"
#include "AAX_SDK/Interfaces/AAX_IHostFactory.h"
#include "AAX_SDK/Interfaces/AAX_IHostServices.h"
#include "AAX_SDK/Interfaces/AAX_IMIDINode.h"
#include "AAX_SDK/Interfaces/AAX_IPageTable.h"
#include "AAX_SDK/Interfaces/AAX_IPointerQueue.h"
#include "AAX_SDK/Interfaces/AAX_IPropertyMap.h"
#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Interfaces/AAX_ITransport.h"
#include "AAX_SDK/Interfaces/AAX_IViewContainer.h"
#include "AAX_SDK/Interfaces/AAX_ModuleExports.h"
#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "AAX_SDK/Interfaces/IACFUnknown.h"

#include "tests/abi/AbiProbe.h"

ABI_PROBE(IACFUnknown)
ABI_PROBE(AAX_IString)
ABI_PROBE(AAX_IMIDINode)
ABI_PROBE(AAX_IContainer)
ABI_PROBE_NAMED(AAX_IPointerQueue, AAX_IPointerQueue<void>)
ABI_PROBE(AAX_IHostFactory)
ABI_PROBE(AAX_IAutomationDelegate)
ABI_PROBE(AAX_ICollection)
ABI_PROBE(AAX_IComponentDescriptor)
ABI_PROBE(AAX_IComponentDescriptorV2)
ABI_PROBE(AAX_IComponentDescriptorV3)
ABI_PROBE(AAX_IController)
ABI_PROBE(AAX_IControllerV2)
ABI_PROBE(AAX_IControllerV3)
ABI_PROBE(AAX_IControllerV4)
ABI_PROBE(AAX_IControllerV5)
ABI_PROBE(AAX_IDescriptionHost)
ABI_PROBE(AAX_IDescriptionHostV2)
ABI_PROBE(AAX_IEffectDescriptor)
ABI_PROBE(AAX_IEffectDescriptorV2)
ABI_PROBE(AAX_IEffectGUI)
ABI_PROBE(AAX_IEffectParameters)
ABI_PROBE(AAX_IEffectParametersV2)
ABI_PROBE(AAX_IEffectParametersV3)
ABI_PROBE(AAX_IEffectParametersV4)
ABI_PROBE(AAX_IFeatureInfo)
ABI_PROBE(AAX_IHostServices)
ABI_PROBE(AAX_IHostServicesV2)
ABI_PROBE(AAX_IHostServicesV3)
ABI_PROBE(AAX_IPageTable)
ABI_PROBE(AAX_IPageTableV2)
ABI_PROBE(AAX_IPropertyMap)
ABI_PROBE(AAX_IPropertyMapV2)
ABI_PROBE(AAX_IPropertyMapV3)
ABI_PROBE(AAX_ITransport)
ABI_PROBE(AAX_ITransportV2)
ABI_PROBE(AAX_ITransportV3)
ABI_PROBE(AAX_IViewContainer)
ABI_PROBE(AAX_IViewContainerV2)

ABI_RECORD(ACF_ID)
ABI_RECORD(AAX_Point)
ABI_RECORD(AAX_ChunkRecord)
ABI_RECORD(AAX_MIDIPacket)
ABI_RECORD(AAX_MIDIStream)
ABI_RECORD(AAX_RenderContext)

// The exports and callbacks pass only pointers and fixed-width integers, which
// both targets pass the same way under the one x64 Windows calling convention.
ABI_FUNCTION(ACFRegisterPluginProc)
ABI_FUNCTION(ACFRegisterComponentProc)
ABI_FUNCTION(ACFGetClassFactoryProc)
ABI_FUNCTION(ACFCanUnloadNowProc)
ABI_FUNCTION(ACFStartupProc)
ABI_FUNCTION(ACFShutdownProc)
ABI_FUNCTION(ACFGetSDKVersionProc)
ABI_FUNCTION(AAX_RenderProc)
ABI_FUNCTION(AAX_CreateObjectProc)
