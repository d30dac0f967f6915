#pragma once

#include "AAX_SDK/Interfaces/AAX_IHostServices.h"
#include "Host/HostUnknown.h"

#include <mutex>
#include <string>
#include <vector>

namespace aaxhost
{

// Collects what a module traces and reports, so that callers (tests, the
// host's tool) can show it or require that nothing was reported.
// [any-thread]: records are locked
class HostServices final : public HostUnknown<AAX_IHostServicesV3>
{
public:
  struct TraceRecord
  {
    std::int32_t priority;
    std::string message;
  };
  struct AssertionRecord
  {
    std::string path;
    std::int32_t line;
    std::string expression;
    std::int32_t flags;
  };

  explicit HostServices(std::shared_ptr<const InterfacePolicy> policy);

  AAX_Result HandleAssertFailure(const char* path, std::int32_t line,
                                 const char* expression) override;
  AAX_Result Trace(std::int32_t priority, const char* message) override;
  AAX_Result AssertionReport(const char* path, std::int32_t line, const char* expression,
                             std::int32_t flags) override;
  AAX_Result StackTrace(std::int32_t tracePriority, std::int32_t stackPriority,
                        const char* message) override;

  std::vector<TraceRecord> Traces() const;
  std::vector<AssertionRecord> Assertions() const;
  void Clear();

  // Texts from a module are cut to this many bytes.
  static constexpr std::size_t kMaxText = 4096;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  mutable std::mutex mMutex;
  std::vector<TraceRecord> mTraces;         // under mMutex
  std::vector<AssertionRecord> mAssertions; // under mMutex
};

// A module text cut to at most maxBytes without reading past them.
std::string BoundedText(const char* text, std::size_t maxBytes);

} // namespace aaxhost
