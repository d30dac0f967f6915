#pragma once

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"

#include <cstdint>
#include <vector>

namespace plughost
{

// The window messages a user's input produces, as numbered by every Windows
// version; kept here so the translation is testable on any platform.
namespace winmsg
{
inline constexpr std::uint32_t kKeyDown = 0x0100;
inline constexpr std::uint32_t kKeyUp = 0x0101;
inline constexpr std::uint32_t kMouseMove = 0x0200;
inline constexpr std::uint32_t kLButtonDown = 0x0201;
inline constexpr std::uint32_t kLButtonUp = 0x0202;
inline constexpr std::uint32_t kLButtonDoubleClick = 0x0203;
inline constexpr std::uint32_t kRButtonDown = 0x0204;
inline constexpr std::uint32_t kRButtonUp = 0x0205;
inline constexpr std::uint32_t kRButtonDoubleClick = 0x0206;
inline constexpr std::uint32_t kMouseWheel = 0x020A;

// Key-state flags of mouse messages (wParam).
inline constexpr std::uint32_t kLeftButtonFlag = 0x0001;
inline constexpr std::uint32_t kRightButtonFlag = 0x0002;
inline constexpr std::uint32_t kShiftFlag = 0x0004;
inline constexpr std::uint32_t kControlFlag = 0x0008;

// One wheel notch.
inline constexpr int kWheelDelta = 120;
} // namespace winmsg

// One message for the editor's window: what a window system would deliver
// for a step of an input script.
struct WindowMessage
{
  std::uint32_t message = 0;
  std::uint32_t keyFlags = 0; // winmsg::k*Flag of the buttons held and modifiers (mouse)
  int x = 0;                  // window client pixels
  int y = 0;
  int wheelDelta = 0;           // kMouseWheel: in winmsg::kWheelDelta units
  std::uint32_t virtualKey = 0; // key messages: the script's key code, 0 to take it from the text
  char text[sizeof(AAX_HostSurfaceEvent::text)] = {}; // key messages: the key's UTF-8 text
};

// Translates one scripted event at editor points into the messages a user's
// hand produces on a window showing `pixelsPerPoint` pixels per point:
// positions go to the nearest pixel, a double-click is the button's
// double-click message followed by its release, a key is its down and its
// up. Events of unknown kinds or with positions that are not finite give
// nothing. [any-thread]
std::vector<WindowMessage> ToWindowMessages(const AAX_HostSurfaceEvent& event,
                                            double pixelsPerPoint);

} // namespace plughost
