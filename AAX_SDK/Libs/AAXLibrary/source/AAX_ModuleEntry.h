#pragma once

#include "AAX_SDK/Interfaces/AAX_ModuleExports.h"

class AAX_VCollection;

// The plug-in's description: describes every effect of the module into the
// collection. Its result is checked; an exception it raises becomes the result
// of registration.
using AAX_DescribeProc = AAX_Result (*)(AAX_VCollection* collection);

// Bodies of the module's exports. The export table (AAX_Exports.cpp) binds them
// to the plug-in's own description; tests call them with any description.
// Every body answers ACF_E_UNEXPECTED (0x8000FFFF) for an escaping exception.
// Called by the host on its loading thread. [main-thread]
ACFRESULT AAX_ModuleRegisterPlugin(IACFUnknown* hostObject, IACFUnknown** outDefinition,
                                   AAX_DescribeProc describe) noexcept;
ACFRESULT AAX_ModuleRegisterComponent(IACFUnknown* hostObject, std::uint32_t index,
                                      IACFUnknown** outComponent) noexcept;
ACFRESULT AAX_ModuleGetClassFactory(IACFUnknown* hostObject, const ACF_ID* classId,
                                    const ACF_ID* iid, void** outFactory) noexcept;
ACFRESULT AAX_ModuleCanUnloadNow() noexcept;
ACFRESULT AAX_ModuleStartup(IACFUnknown* hostObject) noexcept;
ACFRESULT AAX_ModuleShutdown() noexcept;
ACFRESULT AAX_ModuleGetSDKVersion(std::uint64_t* outVersion) noexcept;

// Runs body and turns any exception that escapes it into ACF_E_UNEXPECTED.
template <typename Body>
ACFRESULT AAX_GuardExport(Body&& body) noexcept
{
  try
  {
    return body();
  }
  catch (...)
  {
    return ACF_E_UNEXPECTED;
  }
}
