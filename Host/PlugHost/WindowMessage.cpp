#include "Host/PlugHost/WindowMessage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plughost
{

namespace
{

// Window coordinates travel as signed 16-bit words.
constexpr double kMaxPixel = std::numeric_limits<std::int16_t>::max();

int ToPixel(float points, double pixelsPerPoint)
{
  return static_cast<int>(std::lround(std::clamp(points * pixelsPerPoint, -kMaxPixel, kMaxPixel)));
}

std::uint32_t KeyFlags(const AAX_HostSurfaceEvent& e)
{
  std::uint32_t flags = 0;
  if (e.buttons & AAX_HOST_SURFACE_BUTTON_LEFT) flags |= winmsg::kLeftButtonFlag;
  if (e.buttons & AAX_HOST_SURFACE_BUTTON_RIGHT) flags |= winmsg::kRightButtonFlag;
  if (e.modifiers & AAX_HOST_SURFACE_MOD_SHIFT) flags |= winmsg::kShiftFlag;
  if (e.modifiers & AAX_HOST_SURFACE_MOD_CONTROL) flags |= winmsg::kControlFlag;
  return flags;
}

// A right-button message only when the right button alone is held.
bool Right(const AAX_HostSurfaceEvent& e)
{
  return (e.buttons & AAX_HOST_SURFACE_BUTTON_RIGHT) && !(e.buttons & AAX_HOST_SURFACE_BUTTON_LEFT);
}

} // namespace

std::vector<WindowMessage> ToWindowMessages(const AAX_HostSurfaceEvent& e, double pixelsPerPoint)
{
  if (!std::isfinite(e.x) || !std::isfinite(e.y) || !std::isfinite(pixelsPerPoint) ||
      pixelsPerPoint <= 0)
    return {};
  WindowMessage m;
  m.x = ToPixel(e.x, pixelsPerPoint);
  m.y = ToPixel(e.y, pixelsPerPoint);
  m.keyFlags = KeyFlags(e);
  switch (e.kind)
  {
  case AAX_eHostSurfaceEvent_MouseDown:
    m.message = Right(e) ? winmsg::kRButtonDown : winmsg::kLButtonDown;
    return {m};
  case AAX_eHostSurfaceEvent_MouseUp:
  {
    m.message = Right(e) ? winmsg::kRButtonUp : winmsg::kLButtonUp;
    // Released: the flags of a button-up message no longer hold that button.
    m.keyFlags &= ~(Right(e) ? winmsg::kRightButtonFlag : winmsg::kLeftButtonFlag);
    return {m};
  }
  case AAX_eHostSurfaceEvent_MouseMove:
    m.message = winmsg::kMouseMove;
    return {m};
  case AAX_eHostSurfaceEvent_Wheel:
  {
    if (!std::isfinite(e.wheelDelta)) return {};
    m.message = winmsg::kMouseWheel;
    constexpr double kMaxDelta = std::numeric_limits<std::int16_t>::max();
    m.wheelDelta = static_cast<int>(
        std::lround(std::clamp(e.wheelDelta * double(winmsg::kWheelDelta), -kMaxDelta, kMaxDelta)));
    return {m};
  }
  case AAX_eHostSurfaceEvent_DoubleClick:
  {
    const bool right = Right(e);
    m.message = right ? winmsg::kRButtonDoubleClick : winmsg::kLButtonDoubleClick;
    WindowMessage up = m;
    up.message = right ? winmsg::kRButtonUp : winmsg::kLButtonUp;
    up.keyFlags &= ~(right ? winmsg::kRightButtonFlag : winmsg::kLeftButtonFlag);
    return {m, up};
  }
  case AAX_eHostSurfaceEvent_KeyDown:
  case AAX_eHostSurfaceEvent_KeyUp:
  {
    m.message = e.kind == AAX_eHostSurfaceEvent_KeyDown ? winmsg::kKeyDown : winmsg::kKeyUp;
    m.virtualKey = static_cast<std::uint32_t>(std::max(0, e.keyCode));
    std::copy_n(e.text, sizeof(m.text) - 1, m.text);
    return {m};
  }
  default:
    return {};
  }
}

} // namespace plughost
