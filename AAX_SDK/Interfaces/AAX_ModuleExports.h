#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The module's whole export table: seven C functions that a host resolves by
// name after loading the module. None of them lets an exception escape.
using ACFRegisterPluginProc = ACFRESULT (*)(IACFUnknown* hostObject, IACFUnknown** outDefinition);
using ACFRegisterComponentProc = ACFRESULT (*)(IACFUnknown* hostObject, std::uint32_t index,
                                               IACFUnknown** outComponent);
using ACFGetClassFactoryProc = ACFRESULT (*)(IACFUnknown* hostObject, const ACF_ID* classId,
                                             const ACF_ID* iid, void** outFactory);
using ACFCanUnloadNowProc = ACFRESULT (*)();
using ACFStartupProc = ACFRESULT (*)(IACFUnknown* hostObject);
using ACFShutdownProc = ACFRESULT (*)();
using ACFGetSDKVersionProc = ACFRESULT (*)(std::uint64_t* outVersion);

inline constexpr const char* kACFRegisterPluginName = "ACFRegisterPlugin";
inline constexpr const char* kACFRegisterComponentName = "ACFRegisterComponent";
inline constexpr const char* kACFGetClassFactoryName = "ACFGetClassFactory";
inline constexpr const char* kACFCanUnloadNowName = "ACFCanUnloadNow";
inline constexpr const char* kACFStartupName = "ACFStartup";
inline constexpr const char* kACFShutdownName = "ACFShutdown";
inline constexpr const char* kACFGetSDKVersionName = "ACFGetSDKVersion";

// The interface-library version the module was built against.
inline constexpr std::uint64_t AAX_SDK_VERSION = 0x00000204013449EAull;
