#pragma once

#include "AAX_SDK/Interfaces/AAX_IHostServices.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

// The host services of the process, created through the host factory. A
// missing first version answers -20004, missing later ones -20009.
class AAX_VHostServices
{
public:
  explicit AAX_VHostServices(IACFUnknown* hostObject);
  AAX_VHostServices(const AAX_VHostServices&) = delete;
  AAX_VHostServices& operator=(const AAX_VHostServices&) = delete;
  ~AAX_VHostServices();

  AAX_Result HandleAssertFailure(const char* path, std::int32_t line, const char* expression) const;
  AAX_Result Trace(std::int32_t priority, const char* message) const;
  AAX_Result AssertionReport(const char* path, std::int32_t line, const char* expression,
                             std::int32_t flags) const;
  AAX_Result StackTrace(std::int32_t tracePriority, std::int32_t stackPriority,
                        const char* message) const;

  // Gives every host interface back now, where an export can still catch
  // what a misbehaving host throws; the destructor then has nothing left.
  void ReleaseInterfaces();

  // The one instance of the process (set by ACFStartup, cleared by ACFShutdown,
  // which the host calls before and after all other use). [any-thread]
  static AAX_VHostServices* Current() noexcept;
  // Installs services (or none) and answers the previous ones, which the caller owns.
  static AAX_VHostServices* Exchange(AAX_VHostServices* services) noexcept;

private:
  AAX_InterfaceRef<AAX_IHostServices> mV1;
  AAX_InterfaceRef<AAX_IHostServicesV2> mV2;
  AAX_InterfaceRef<AAX_IHostServicesV3> mV3;
};
