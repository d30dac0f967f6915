#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

// The host trace: formats into 512 bytes (longer messages are cut to 511
// characters) and hands the text to the host services' trace. Without host
// services nothing happens and the result is 0; a formatting failure gives
// -20051. [any-thread, not from the audio thread: it formats and calls the host]
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
AAX_Result
AAX_TraceMessage(std::int32_t priority, const char* format, ...) noexcept;

// Reports a failed check to the host's assertion report (path, line, expression,
// flag 1: processing continues) when host services exist; the host's answer is
// ignored. [any-thread]
void AAX_ReportAssertion(const char* path, std::int32_t line, const char* expression) noexcept;

// Reports expression when it is false and continues.
#define AAX_ASSERT(path, expression)                                                               \
  do                                                                                               \
  {                                                                                                \
    if (!(expression)) AAX_ReportAssertion(path, __LINE__, #expression);                           \
  } while (false)
