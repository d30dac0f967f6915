#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The host's trace and assertion channel. What the host does with a trace or
// report is its own affair; the module ignores the results.
class AAX_IHostServices : public IACFUnknown
{
public:
  // An assertion that failed in the module (source path, line, expression text). [any-thread]
  virtual AAX_Result HandleAssertFailure(const char* path, std::int32_t line,
                                         const char* expression) = 0;
  // One formatted message of at most 511 characters. [any-thread]
  virtual AAX_Result Trace(std::int32_t priority, const char* message) = 0;

protected:
  ~AAX_IHostServices() = default;
};

class AAX_IHostServicesV2 : public AAX_IHostServices
{
public:
  // flags bit 0: the module continues after the report. [any-thread]
  virtual AAX_Result AssertionReport(const char* path, std::int32_t line, const char* expression,
                                     std::int32_t flags) = 0;

protected:
  ~AAX_IHostServicesV2() = default;
};

class AAX_IHostServicesV3 : public AAX_IHostServicesV2
{
public:
  // A trace that asks the host to add its own call-stack information. [any-thread]
  virtual AAX_Result StackTrace(std::int32_t tracePriority, std::int32_t stackPriority,
                                const char* message) = 0;

protected:
  ~AAX_IHostServicesV3() = default;
};

// Trace priorities: errors and results the library raises.
inline constexpr std::int32_t AAX_TRACE_PRIORITY_CRITICAL = 0x8000000;
inline constexpr std::int32_t AAX_TRACE_PRIORITY_HIGH = 0x4000000;
