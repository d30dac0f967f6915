#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VHostServices.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <atomic>

namespace
{
std::atomic<AAX_VHostServices*> gCurrent{nullptr};
}

AAX_VHostServices::AAX_VHostServices(IACFUnknown* hostObject)
    : mV1(AAX_CreateHostObject<AAX_IHostServices>(hostObject, AAX_CLSID_HostServices,
                                                  AAX_IID_HostServices))
{
  mV2 = AAX_QueryInterface<AAX_IHostServicesV2>(mV1.Get(), AAX_IID_HostServicesV2);
  mV3 = AAX_QueryInterface<AAX_IHostServicesV3>(mV1.Get(), AAX_IID_HostServicesV3);
}

AAX_VHostServices::~AAX_VHostServices() = default;

void AAX_VHostServices::ReleaseInterfaces()
{
  mV3.ReleaseNow();
  mV2.ReleaseNow();
  mV1.ReleaseNow();
}

AAX_Result AAX_VHostServices::HandleAssertFailure(const char* path, std::int32_t line,
                                                  const char* expression) const
{
  return mV1 ? mV1->HandleAssertFailure(path, line, expression) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VHostServices::Trace(std::int32_t priority, const char* message) const
{
  return mV1 ? mV1->Trace(priority, message) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VHostServices::AssertionReport(const char* path, std::int32_t line,
                                              const char* expression, std::int32_t flags) const
{
  return mV2 ? mV2->AssertionReport(path, line, expression, flags) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VHostServices::StackTrace(std::int32_t tracePriority, std::int32_t stackPriority,
                                         const char* message) const
{
  return mV3 ? mV3->StackTrace(tracePriority, stackPriority, message) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_VHostServices* AAX_VHostServices::Current() noexcept
{
  return gCurrent.load(std::memory_order_acquire);
}

AAX_VHostServices* AAX_VHostServices::Exchange(AAX_VHostServices* services) noexcept
{
  return gCurrent.exchange(services, std::memory_order_acq_rel);
}
