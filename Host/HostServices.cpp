#include "Host/HostServices.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <cstring>

namespace aaxhost
{

std::string BoundedText(const char* text, std::size_t maxBytes)
{
  if (text == nullptr) return {};
  const void* end = std::memchr(text, 0, maxBytes);
  const std::size_t length =
      end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : maxBytes;
  return std::string(text, length);
}

HostServices::HostServices(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostServices::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_HostServices || iid == AAX_IID_HostServicesV2 ||
      iid == AAX_IID_HostServicesV3)
    return static_cast<AAX_IHostServicesV3*>(this);
  return nullptr;
}

AAX_Result HostServices::HandleAssertFailure(const char* path, std::int32_t line,
                                             const char* expression)
{
  return AssertionReport(path, line, expression, 0);
}

AAX_Result HostServices::Trace(std::int32_t priority, const char* message)
{
  std::lock_guard lock(mMutex);
  mTraces.push_back({priority, BoundedText(message, kMaxText)});
  return AAX_SUCCESS;
}

AAX_Result HostServices::AssertionReport(const char* path, std::int32_t line,
                                         const char* expression, std::int32_t flags)
{
  std::lock_guard lock(mMutex);
  mAssertions.push_back(
      {BoundedText(path, kMaxText), line, BoundedText(expression, kMaxText), flags});
  return AAX_SUCCESS;
}

AAX_Result HostServices::StackTrace(std::int32_t tracePriority, std::int32_t, const char* message)
{
  return Trace(tracePriority, message);
}

std::vector<HostServices::TraceRecord> HostServices::Traces() const
{
  std::lock_guard lock(mMutex);
  return mTraces;
}

std::vector<HostServices::AssertionRecord> HostServices::Assertions() const
{
  std::lock_guard lock(mMutex);
  return mAssertions;
}

void HostServices::Clear()
{
  std::lock_guard lock(mMutex);
  mTraces.clear();
  mAssertions.clear();
}

} // namespace aaxhost
