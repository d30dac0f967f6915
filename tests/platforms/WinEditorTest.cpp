// The real module's editor in a real window, as a DAW opens it: a top-level
// window of ours is the parent, the view opens the editor inside it, and
// window messages drive it. Run in three Wine prefixes; the environment tells
// each run what its prefix is set to:
//   BRASMIRE_EXPECT_SCREEN_SCALE  the display density / 96 (default 1)
//   BRASMIRE_EXPECT_DISPLAY_CLOCK "timer" (before Windows 8, the default) or "thread"

#include "tests/module/ModuleHost.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>

namespace moduletest
{

namespace
{

using AutomationKind = aaxhost::HostAutomationDelegate::Event::Kind;

constexpr const wchar_t* kEditorClass = L"IPlugWndClass";
constexpr UINT kDisplayTickMessage = WM_USER + 1;
constexpr UINT_PTR kDisplayTimerId = 2;

// Mix, Drive: host identifiers and editor bounds in points (the layout's table).
constexpr const char* kMix = "1";
constexpr const char* kDrive = "3";
constexpr float kMixHeight = 164.f - 48.f;
constexpr float kDriveCentreX = (411.f + 480.f) / 2.f;
constexpr float kDriveCentreY = (72.f + 141.f) / 2.f;

float ExpectedScreenScale()
{
  const char* text = std::getenv("BRASMIRE_EXPECT_SCREEN_SCALE");
  return text ? std::strtof(text, nullptr) : 1.f;
}

bool ExpectDisplayThread()
{
  const char* text = std::getenv("BRASMIRE_EXPECT_DISPLAY_CLOCK");
  return text != nullptr && std::string(text) == "thread";
}

// The DAW's key handling: counts keys and, like some hosts, hands each one
// straight back to the window that has the focus.
int gRootKeys = 0;
HWND gBounceKeysTo = nullptr;

LRESULT CALLBACK DawWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_KEYDOWN)
  {
    ++gRootKeys;
    if (gBounceKeysTo) SendMessageW(gBounceKeysTo, msg, wParam, lParam);
    return 0;
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

// A top-level window as a DAW makes for a plug-in's editor: a floating one
// without a frame. (Under Xvfb there is no window manager, and Wine waits two
// seconds for one whenever a framed window is hidden.)
class DawWindow
{
public:
  DawWindow()
  {
    static const ATOM atom = []
    {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &DawWindowProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"BrasmireTestDaw";
      return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    mWnd =
        CreateWindowExW(0, L"BrasmireTestDaw", L"Test DAW", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                        0, 0, 1400, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(mWnd, nullptr);
  }
  DawWindow(const DawWindow&) = delete;
  DawWindow& operator=(const DawWindow&) = delete;
  HWND Get() const { return mWnd; }

private:
  HWND mWnd = nullptr;
};

struct PumpCounts
{
  int timerTicks = 0;
  int threadTicks = 0;
};

// Runs the message loop for `ms`, counting the editor's display ticks.
PumpCounts Pump(int ms, HWND editor = nullptr)
{
  PumpCounts counts;
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (GetTickCount64() < end)
  {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    {
      if (editor && msg.hwnd == editor)
      {
        if (msg.message == WM_TIMER && msg.wParam == kDisplayTimerId) ++counts.timerTicks;
        if (msg.message == kDisplayTickMessage) ++counts.threadTicks;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
  return counts;
}

SIZE WindowSize(HWND wnd)
{
  RECT r{};
  GetWindowRect(wnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

LPARAM PixelPoint(float x, float y)
{
  const int px = static_cast<int>(std::lround(x));
  const int py = static_cast<int>(std::lround(y));
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(px)),
                    static_cast<WORD>(static_cast<short>(py)));
}

int CountEvents(const std::vector<aaxhost::HostAutomationDelegate::Event>& events,
                AutomationKind kind, const char* id)
{
  int n = 0;
  for (const auto& e : events)
    if (e.kind == kind && e.id == id) ++n;
  return n;
}

class WinEditorTest : public ModuleTest
{
protected:
  void SetUp() override
  {
    // A DAW that follows the display density: otherwise the system answers 96 dpi.
    SetProcessDPIAware();
    ModuleTest::SetUp();
  }

  // Opens the stereo instance's editor in `daw`; the editor window or null.
  HWND OpenEditor(HostInstance& instance, const DawWindow& daw)
  {
    EXPECT_EQ(instance.OpenView(daw.Get()), AAX_SUCCESS);
    return FindWindowExW(daw.Get(), nullptr, kEditorClass, nullptr);
  }

  double Normal(HostInstance& instance, const char* id)
  {
    double value = -1.0;
    EXPECT_EQ(instance.Effect().ParamNormal(id, &value), AAX_SUCCESS);
    return value;
  }

  void SetNormal(HostInstance& instance, HWND editor, const char* id, double value)
  {
    ASSERT_EQ(instance.Effect().RequestParamValue(id, value), AAX_SUCCESS);
    Pump(120, editor); // the plug-in's 20 ms timer hands the value to the knob
  }

  const float ss = ExpectedScreenScale();
};

} // namespace

TEST_F(WinEditorTest, OpensAtTheDesignedSizeThenFollowsTheDisplayDensity)
{
  DawWindow daw;
  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  // Opened at the whole part of the density: 1 for 1.5.
  SIZE size = WindowSize(editor);
  EXPECT_EQ(size.cx, 732);
  EXPECT_EQ(size.cy, 208);

  Pump(300, editor);
  // 732 × 1.5 = 1098, 208 × 1.5 = 312.
  size = WindowSize(editor);
  EXPECT_EQ(size.cx, static_cast<LONG>(732 * ss));
  EXPECT_EQ(size.cy, static_cast<LONG>(208 * ss));
  // The host was asked for the new size (at 1 nothing changed and nothing is asked).
  const auto requests = instance.ViewContainer()->SizeRequests();
  if (ss != 1.f)
  {
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().horz, 732.f * ss);
    EXPECT_EQ(requests.back().vert, 208.f * ss);
  }
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  ExpectNoAssertions();
}

TEST_F(WinEditorTest, TicksComeFromTheTimerBeforeWindowsEightAndFromTheDisplayThreadAfter)
{
  DawWindow daw;
  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  const PumpCounts counts = Pump(400, editor);
  if (ExpectDisplayThread())
  {
    // The display thread posts about every 16 ms (Wine has no vertical-blank wait).
    EXPECT_GE(counts.threadTicks, 5);
    EXPECT_EQ(counts.timerTicks, 0);
  }
  else
  {
    // Timer 2 at 15 ms for 60 frames per second.
    EXPECT_GE(counts.timerTicks, 5);
    EXPECT_EQ(counts.threadTicks, 0);
  }
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
}

TEST_F(WinEditorTest, ADragOnMixMovesItByAQuarterPerKnobHeightAndEndsTheGesture)
{
  DawWindow daw;
  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  Pump(200, editor);
  SetNormal(instance, editor, kMix, 0.5);
  instance.Automation().ClearEvents();

  // Mix spans {47, 48, 163, 164}; the point (140, 112) is inside. At 1.5 this
  // is pixel (210, 168); up by one knob height (116 points, 174 pixels at 1.5)
  // adds a quarter.
  const float downX = 140.f * ss;
  const float downY = 112.f * ss;
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(downX, downY));
  auto events = instance.Automation().Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front().kind, AutomationKind::Touch);
  EXPECT_EQ(events.front().id, kMix);

  SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, PixelPoint(downX, downY - kMixHeight * ss));
  EXPECT_NEAR(Normal(instance, kMix), 0.75, 1e-6);
  const int releasesBeforeUp =
      CountEvents(instance.Automation().Events(), AutomationKind::Release, kMix);
  SendMessageW(editor, WM_LBUTTONUP, 0, PixelPoint(downX, downY - kMixHeight * ss));
  events = instance.Automation().Events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().kind, AutomationKind::Release);
  EXPECT_EQ(events.back().id, kMix);
  EXPECT_GT(CountEvents(events, AutomationKind::Release, kMix), releasesBeforeUp);
  EXPECT_EQ(CountEvents(events, AutomationKind::Touch, kMix),
            CountEvents(events, AutomationKind::Release, kMix));
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  ExpectNoAssertions();
}

TEST_F(WinEditorTest, WheelNotchesOverDriveStepItByOneHundredthAndHalfNotchesAddUp)
{
  DawWindow daw;
  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  Pump(200, editor);
  SetNormal(instance, editor, kDrive, 0.5);

  // The wheel message carries screen pixels.
  POINT p{static_cast<LONG>(kDriveCentreX * ss), static_cast<LONG>(kDriveCentreY * ss)};
  ClientToScreen(editor, &p);
  const LPARAM at = PixelPoint(static_cast<float>(p.x), static_cast<float>(p.y));
  SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), at);
  EXPECT_NEAR(Normal(instance, kDrive), 0.51, 1e-6);
  SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), at);
  EXPECT_NEAR(Normal(instance, kDrive), 0.51, 1e-6);
  SendMessageW(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), at);
  EXPECT_NEAR(Normal(instance, kDrive), 0.52, 1e-6);
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
}

TEST_F(WinEditorTest, AMiddleButtonPressOrALostCaptureLeavesTheNextDragWorking)
{
  DawWindow daw;
  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  Pump(200, editor);
  SetNormal(instance, editor, kMix, 0.5);
  instance.Automation().ClearEvents();
  const float x = 140.f * ss;
  const float y = 112.f * ss;

  // Middle button: the capture it took is given back with the button.
  SendMessageW(editor, WM_MBUTTONDOWN, MK_MBUTTON, PixelPoint(x, y));
  SendMessageW(editor, WM_MBUTTONUP, 0, PixelPoint(x, y));
  EXPECT_EQ(GetCapture(), nullptr);

  // A drag whose capture another window takes: the gesture ends towards the host.
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(x, y));
  EXPECT_EQ(GetCapture(), editor);
  SetCapture(daw.Get());
  ReleaseCapture();
  auto events = instance.Automation().Events();
  EXPECT_EQ(CountEvents(events, AutomationKind::Touch, kMix),
            CountEvents(events, AutomationKind::Release, kMix));

  // The next left drag still works: down half a knob height (58 points, 87
  // pixels at 1.5) takes an eighth off.
  instance.Automation().ClearEvents();
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, PixelPoint(x, y));
  SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, PixelPoint(x, y + kMixHeight / 2.f * ss));
  SendMessageW(editor, WM_LBUTTONUP, 0, PixelPoint(x, y + kMixHeight / 2.f * ss));
  EXPECT_NEAR(Normal(instance, kMix), 0.375, 1e-6);
  events = instance.Automation().Events();
  EXPECT_GE(CountEvents(events, AutomationKind::Touch, kMix), 1);
  EXPECT_EQ(CountEvents(events, AutomationKind::Touch, kMix),
            CountEvents(events, AutomationKind::Release, kMix));
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  ExpectNoAssertions();
}

TEST_F(WinEditorTest, AKeyTheEditorDoesNotUseReachesTheHostOnceEvenWhenTheHostSendsItBack)
{
  DawWindow daw;
  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  Pump(100, editor);
  gRootKeys = 0;
  gBounceKeysTo = editor;
  SendMessageW(editor, WM_KEYDOWN, VK_F5, 1 | (0x3F << 16));
  gBounceKeysTo = nullptr;
  EXPECT_EQ(gRootKeys, 1);
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
}

TEST_F(WinEditorTest, ClosingTwiceIsHarmlessAndTheLastWindowUnregistersTheClass)
{
  DawWindow daw1;
  DawWindow daw2;
  HostInstance& first = Make(kStereo);
  HostInstance& second = Make(kMono);
  HWND editor1 = OpenEditor(first, daw1);
  HWND editor2 = OpenEditor(second, daw2);
  ASSERT_NE(editor1, nullptr);
  ASSERT_NE(editor2, nullptr);
  auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(editor1, GWLP_HINSTANCE));
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  EXPECT_NE(GetClassInfoExW(module, kEditorClass, &info), 0);
  Pump(100, editor1);

  ASSERT_EQ(first.CloseView(), AAX_SUCCESS);
  EXPECT_FALSE(IsWindow(editor1));
  EXPECT_NE(GetClassInfoExW(module, kEditorClass, &info), 0); // one window left

  // Closed by its window first, then by the host, then again.
  SendMessageW(editor2, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(editor2));
  EXPECT_EQ(GetClassInfoExW(module, kEditorClass, &info), 0);
  ASSERT_EQ(second.CloseView(), AAX_SUCCESS);
  ASSERT_EQ(second.CloseView(), AAX_SUCCESS);
  EXPECT_EQ(GetClassInfoExW(module, kEditorClass, &info), 0);
  ExpectNoAssertions();
}

TEST_F(WinEditorTest, OpeningAndClosingLeaveTheHostsGlContextCurrent)
{
  // The host draws with GL in a window of its own (under Wine a GL window
  // inside a parent with a pixel format of its own hangs when resized).
  DawWindow daw;
  DawWindow hostGlWindow;
  HDC dc = GetDC(hostGlWindow.Get());
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  const int format = ChoosePixelFormat(dc, &pfd);
  ASSERT_NE(format, 0);
  ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
  HGLRC hostContext = wglCreateContext(dc);
  ASSERT_NE(hostContext, nullptr);
  ASSERT_TRUE(wglMakeCurrent(dc, hostContext));

  HostInstance& instance = Make(kStereo);
  HWND editor = OpenEditor(instance, daw);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(wglGetCurrentContext(), hostContext);
  Pump(150, editor); // painting switches contexts and back
  EXPECT_EQ(wglGetCurrentContext(), hostContext);
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  EXPECT_EQ(wglGetCurrentContext(), hostContext);
  EXPECT_EQ(wglGetCurrentDC(), dc);

  // Without a context of the host's, none is left current.
  wglMakeCurrent(nullptr, nullptr);
  ASSERT_EQ(instance.OpenView(daw.Get()), AAX_SUCCESS);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  ASSERT_EQ(instance.CloseView(), AAX_SUCCESS);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  wglDeleteContext(hostContext);
  ReleaseDC(hostGlWindow.Get(), dc);
}

} // namespace moduletest
