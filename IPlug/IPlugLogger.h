#pragma once

namespace iplug
{

// The framework's trace points: function name, line and a printf format. Compiled
// in so that the arguments stay checked, but writes nothing, so it is safe on any
// thread including the audio thread; no behaviour may depend on it. [any-thread]
#if defined(__GNUC__)
__attribute__((format(printf, 3, 4)))
#endif
inline void
LogTrace(const char* function, int line, const char* format, ...) noexcept
{
  (void)function;
  (void)line;
  (void)format;
}

} // namespace iplug
