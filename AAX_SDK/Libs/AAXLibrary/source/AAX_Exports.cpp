// The module's export table. Compiled into each module (not into the static
// library, whose unreferenced objects a linker would drop), bound to that
// module's own description.

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ModuleEntry.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_PluginDescription.h"

#if defined(_WIN32)
#define AAX_MODULE_EXPORT extern "C" __declspec(dllexport)
#else
#define AAX_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

AAX_MODULE_EXPORT ACFRESULT ACFRegisterPlugin(IACFUnknown* hostObject, IACFUnknown** outDefinition)
{
  return AAX_ModuleRegisterPlugin(hostObject, outDefinition, &AAX_DescribePlugin);
}

AAX_MODULE_EXPORT ACFRESULT ACFRegisterComponent(IACFUnknown* hostObject, std::uint32_t index,
                                                 IACFUnknown** outComponent)
{
  return AAX_ModuleRegisterComponent(hostObject, index, outComponent);
}

AAX_MODULE_EXPORT ACFRESULT ACFGetClassFactory(IACFUnknown* hostObject, const ACF_ID* classId,
                                               const ACF_ID* iid, void** outFactory)
{
  return AAX_ModuleGetClassFactory(hostObject, classId, iid, outFactory);
}

AAX_MODULE_EXPORT ACFRESULT ACFCanUnloadNow()
{
  return AAX_ModuleCanUnloadNow();
}

AAX_MODULE_EXPORT ACFRESULT ACFStartup(IACFUnknown* hostObject)
{
  return AAX_ModuleStartup(hostObject);
}

AAX_MODULE_EXPORT ACFRESULT ACFShutdown()
{
  return AAX_ModuleShutdown();
}

AAX_MODULE_EXPORT ACFRESULT ACFGetSDKVersion(std::uint64_t* outVersion)
{
  return AAX_ModuleGetSDKVersion(outVersion);
}
