#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VHostServices.h"

#include <cstdarg>
#include <cstdio>

AAX_Result AAX_TraceMessage(std::int32_t priority, const char* format, ...) noexcept
{
  AAX_VHostServices* services = AAX_VHostServices::Current();
  if (services == nullptr) return AAX_SUCCESS;
  if (format == nullptr) return AAX_RESULT_TRACE_FORMAT_FAILED;
  char message[512];
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  if (written < 0) return AAX_RESULT_TRACE_FORMAT_FAILED;
  return services->Trace(priority, message);
}

void AAX_ReportAssertion(const char* path, std::int32_t line, const char* expression) noexcept
{
  AAX_VHostServices* services = AAX_VHostServices::Current();
  if (services == nullptr) return;
  path = path ? path : "";
  expression = expression ? expression : "";
  // Hosts without the flagged report still take the plain one.
  if (services->AssertionReport(path, line, expression, 1) == AAX_ERROR_UNIMPLEMENTED)
    static_cast<void>(services->HandleAssertFailure(path, line, expression));
}
