#pragma once

// What the Wine prefix of this run is set to, as CTest tells each run:
//   BRASMIRE_EXPECT_SCREEN_SCALE  the display density / 96 (default 1)
//   BRASMIRE_EXPECT_DISPLAY_CLOCK "timer" (before Windows 8, the default) or "thread"

#include <cstdlib>
#include <string>

namespace platformtest
{

inline float ExpectedScreenScale()
{
  const char* text = std::getenv("BRASMIRE_EXPECT_SCREEN_SCALE");
  return text ? std::strtof(text, nullptr) : 1.f;
}

inline bool ExpectDisplayThread()
{
  const char* text = std::getenv("BRASMIRE_EXPECT_DISPLAY_CLOCK");
  return text != nullptr && std::string(text) == "thread";
}

} // namespace platformtest
