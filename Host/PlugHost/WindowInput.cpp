#include "Host/PlugHost/WindowInput.h"

#include <cstdint>

namespace plughost
{

static_assert(winmsg::kMouseMove == WM_MOUSEMOVE && winmsg::kLButtonDown == WM_LBUTTONDOWN &&
              winmsg::kLButtonUp == WM_LBUTTONUP &&
              winmsg::kLButtonDoubleClick == WM_LBUTTONDBLCLK &&
              winmsg::kRButtonDown == WM_RBUTTONDOWN && winmsg::kRButtonUp == WM_RBUTTONUP &&
              winmsg::kRButtonDoubleClick == WM_RBUTTONDBLCLK &&
              winmsg::kMouseWheel == WM_MOUSEWHEEL && winmsg::kKeyDown == WM_KEYDOWN &&
              winmsg::kKeyUp == WM_KEYUP);
static_assert(winmsg::kLeftButtonFlag == MK_LBUTTON && winmsg::kRightButtonFlag == MK_RBUTTON &&
              winmsg::kShiftFlag == MK_SHIFT && winmsg::kControlFlag == MK_CONTROL &&
              winmsg::kWheelDelta == WHEEL_DELTA);

namespace
{

// Aware of each monitor's density (second version), as DAWs declare themselves.
constexpr std::intptr_t kPerMonitorAwareV2 = -4;
constexpr float kDefaultDpi = 96.f;

template <typename Function>
Function LookUp(const wchar_t* module, const char* name)
{
  const HMODULE library = GetModuleHandleW(module);
  return library
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
             : nullptr;
}

// The deepest visible window under a point of `editor`'s client area, and the
// point in its own client coordinates: where a real click lands.
HWND WindowUnder(HWND editor, POINT* point)
{
  HWND window = editor;
  for (;;)
  {
    const HWND child = ChildWindowFromPointEx(window, *point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (child == nullptr || child == window) return window;
    MapWindowPoints(window, child, point, 1);
    window = child;
  }
}

LPARAM PackPoint(int x, int y)
{
  return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)),
                    static_cast<WORD>(static_cast<std::int16_t>(y)));
}

UINT VirtualKey(const WindowMessage& m)
{
  if (m.virtualKey != 0) return m.virtualKey;
  wchar_t unit = 0;
  if (MultiByteToWideChar(CP_UTF8, 0, m.text, -1, &unit, 1) == 0 && unit == 0) return 0;
  const SHORT scan = VkKeyScanW(unit);
  return scan == -1 ? 0 : static_cast<UINT>(scan & 0xff);
}

} // namespace

void PostWindowMessage(HWND editor, const WindowMessage& m, ScriptedPointer& hand)
{
  if (m.message == winmsg::kKeyDown || m.message == winmsg::kKeyUp)
  {
    const UINT key = VirtualKey(m);
    const HWND focus = GetFocus();
    const HWND target = focus && (focus == editor || IsChild(editor, focus)) ? focus : editor;
    LPARAM bits = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
    if (m.message == winmsg::kKeyUp) bits |= static_cast<LPARAM>(0xC0000000u);
    PostMessageW(target, m.message, key, bits);
    return;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(editor, &cursor);
  const ScriptedPointer::Point placed =
      hand.Place(m, {static_cast<int>(cursor.x), static_cast<int>(cursor.y)});
  POINT point{placed.x, placed.y};
  HWND target = GetCapture();
  if (target != nullptr)
    MapWindowPoints(editor, target, &point, 1);
  else
    target = WindowUnder(editor, &point);
  WPARAM wParam = m.keyFlags;
  if (m.message == winmsg::kMouseWheel)
  {
    ClientToScreen(target, &point);
    wParam = MAKEWPARAM(static_cast<WORD>(m.keyFlags),
                        static_cast<WORD>(static_cast<std::int16_t>(m.wheelDelta)));
  }
  PostMessageW(target, m.message, wParam, PackPoint(point.x, point.y));
}

float DisplayScreenScale()
{
  using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  using GetSystemDpi = UINT(WINAPI*)();
  static const float scale = []
  {
    if (const auto set = LookUp<SetContext>(L"user32.dll", "SetProcessDpiAwarenessContext"))
      set(reinterpret_cast<DPI_AWARENESS_CONTEXT>(kPerMonitorAwareV2));
    else
      SetProcessDPIAware();
    UINT dpi = 0;
    if (const auto get = LookUp<GetSystemDpi>(L"user32.dll", "GetDpiForSystem"))
      dpi = get();
    else if (const HDC screen = GetDC(nullptr))
    {
      dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
      ReleaseDC(nullptr, screen);
    }
    // A display answering 0 dpi is taken as the default density.
    return dpi == 0 ? 1.f : static_cast<float>(dpi) / kDefaultDpi;
  }();
  return scale;
}

} // namespace plughost
