#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ModuleEntry.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_IHostServices.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CheckedResult.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Exception.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VHostServices.h"
#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"

#include <exception>
#include <memory>

namespace
{
constexpr const char* kRegisterFailure = "AAXRegisterPlugin exception caught: %s";

// Uninstalls the host services first (traces stop at once), then gives their
// host interfaces back; what the host throws meanwhile reaches the export's guard.
void DropHostServices()
{
  std::unique_ptr<AAX_VHostServices> services(AAX_VHostServices::Exchange(nullptr));
  if (services) services->ReleaseInterfaces();
}

AAX_Result RegisterWithCollection(IACFUnknown* hostObject, IACFUnknown** outDefinition,
                                  AAX_DescribeProc describe)
{
  *outDefinition = nullptr;
  auto collection = std::make_unique<AAX_VCollection>(hostObject);
  AAX_CheckedResult result;
  result = describe ? describe(collection.get()) : AAX_ERROR_NULL_ARGUMENT;

  void* definition = nullptr;
  IACFUnknown* object = collection->Object();
  const ACFRESULT found =
      object ? object->QueryInterface(AAX_IID_PluginDefinition, &definition) : ACF_E_NOINTERFACE;
  if (found != ACF_OK || definition == nullptr) result = AAX_ERROR_NULL_OBJECT;
  *outDefinition = static_cast<IACFUnknown*>(definition);
  collection.reset();
  return AAX_SUCCESS;
}
} // namespace

ACFRESULT AAX_ModuleRegisterPlugin(IACFUnknown* hostObject, IACFUnknown** outDefinition,
                                   AAX_DescribeProc describe) noexcept
{
  return AAX_GuardExport(
      [&]() -> ACFRESULT
      {
        if (outDefinition == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        try
        {
          return RegisterWithCollection(hostObject, outDefinition, describe);
        }
        catch (const AAX::Exception::ResultError& error)
        {
          AAX_TraceMessage(AAX_TRACE_PRIORITY_CRITICAL, kRegisterFailure, error.FullText().c_str());
          return error.Result();
        }
        catch (const std::exception& error) // the library's other errors and the standard ones
        {
          AAX_TraceMessage(AAX_TRACE_PRIORITY_CRITICAL, kRegisterFailure, error.what());
          return AAX_ERROR_UNKNOWN_EXCEPTION;
        }
        catch (...)
        {
          AAX_TraceMessage(AAX_TRACE_PRIORITY_CRITICAL, kRegisterFailure, "unknown");
          return AAX_ERROR_UNKNOWN_EXCEPTION;
        }
      });
}

ACFRESULT AAX_ModuleRegisterComponent(IACFUnknown*, std::uint32_t,
                                      IACFUnknown** outComponent) noexcept
{
  return AAX_GuardExport(
      [&]() -> ACFRESULT
      {
        if (outComponent) *outComponent = nullptr;
        return AAX_SUCCESS;
      });
}

ACFRESULT AAX_ModuleGetClassFactory(IACFUnknown*, const ACF_ID*, const ACF_ID*,
                                    void** outFactory) noexcept
{
  return AAX_GuardExport(
      [&]() -> ACFRESULT
      {
        if (outFactory) *outFactory = nullptr;
        return AAX_ERROR_UNIMPLEMENTED;
      });
}

ACFRESULT AAX_ModuleCanUnloadNow() noexcept
{
  return AAX_GuardExport([]() -> ACFRESULT { return CACFUnknown::ObjectCount(); });
}

ACFRESULT AAX_ModuleStartup(IACFUnknown* hostObject) noexcept
{
  return AAX_GuardExport(
      [&]() -> ACFRESULT
      {
        AAX_VHostServices* current = AAX_VHostServices::Current();
        if (current == nullptr && hostObject != nullptr)
        {
          auto services = std::make_unique<AAX_VHostServices>(hostObject);
          AAX_VHostServices::Exchange(services.release());
        }
        else if (current != nullptr && hostObject == nullptr)
        {
          DropHostServices();
        }
        return AAX_SUCCESS;
      });
}

ACFRESULT AAX_ModuleShutdown() noexcept
{
  return AAX_GuardExport(
      []() -> ACFRESULT
      {
        DropHostServices();
        return AAX_SUCCESS;
      });
}

ACFRESULT AAX_ModuleGetSDKVersion(std::uint64_t* outVersion) noexcept
{
  return AAX_GuardExport(
      [&]() -> ACFRESULT
      {
        if (outVersion == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *outVersion = AAX_SDK_VERSION;
        return AAX_SUCCESS;
      });
}
