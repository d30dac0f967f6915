#include "IGraphics/Platforms/IGraphicsWin.h"

#include "IGraphics/Platforms/DisplayTimerPeriod.h"
#include "IGraphics/Platforms/FixedUtf16Text.h"
#include "IGraphics/Platforms/ScreenScaleFromDpi.h"
#include "IGraphics/Platforms/UpdateRegionRects.h"
#include "IGraphics/TextConversion.h"
#include "IPlug/IGEditorDelegate.h"

#include <commctrl.h>

#include <windowsx.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

namespace igraphics
{

namespace
{

static_assert(sizeof(RGNDATAHEADER) == UpdateRegionRects::kHeaderBytes);
static_assert(sizeof(RECT) == UpdateRegionRects::kRectBytes);

// Mouse messages synthesised from pen or touch carry this in the upper 24 bits
// of their extra information.
constexpr LPARAM kTouchSignatureMask = static_cast<LPARAM>(0xFFFFFF00);
constexpr LPARAM kTouchSignature = static_cast<LPARAM>(0xFF515700);
constexpr int kDigitizerReady = 0x40;      // NID_READY
constexpr int kDigitizerMultiInput = 0x80; // NID_MULTI_INPUT
constexpr int kTooltipMaxWidth = 250;
constexpr int kTextEntryMaxUnits = 256; // UTF-16 units read back, terminator included
constexpr int kDropPathUnits = 1024;

// Window class registrations of this module, process-wide.
std::mutex gClassLock;
int gClassReferences = 0; // guarded by gClassLock

bool AddClassReference(HINSTANCE module, WNDPROC proc)
{
  std::lock_guard lock(gClassLock);
  if (gClassReferences == 0)
  {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.lpszClassName = IGraphicsWin::kWindowClassName;
    if (RegisterClassW(&wc) == 0) return false;
  }
  ++gClassReferences;
  return true;
}

void DropClassReference(HINSTANCE module)
{
  std::lock_guard lock(gClassLock);
  if (gClassReferences == 0) return;
  if (--gClassReferences == 0) UnregisterClassW(IGraphicsWin::kWindowClassName, module);
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: older systems lack it.
GetDpiForWindowFn DpiQuery()
{
  static const GetDpiForWindowFn query = []
  {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  return query;
}

// Windows 8 (6.2) or later: major, minor and service pack each greater or equal.
bool SystemHasDisplayClock()
{
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  version.dwMajorVersion = 6;
  version.dwMinorVersion = 2;
  version.wServicePackMajor = 0;
  DWORDLONG condition = 0;
  condition = VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
  condition = VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
  condition = VerSetConditionMask(condition, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR,
                            condition) != FALSE;
}

// The module the window class belongs to: the library instance when the
// plug-in set one, otherwise the module holding this code.
HINSTANCE ModuleHandle(void* libraryInstance)
{
  if (libraryInstance) return static_cast<HINSTANCE>(libraryInstance);
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleHandle), &module);
  return module;
}

RECT PointsToPixels(const IRect& r, float scale)
{
  return RECT{static_cast<LONG>(std::floor(r.L * scale)),
              static_cast<LONG>(std::floor(r.T * scale)), static_cast<LONG>(std::ceil(r.R * scale)),
              static_cast<LONG>(std::ceil(r.B * scale))};
}

UpdateRegionRects::PixelRect ToPixelRect(const RECT& r)
{
  return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
          static_cast<int>(r.bottom)};
}

// Windows' wchar_t is a UTF-16 unit.
std::string WideToUtf8(const wchar_t* text, std::size_t length)
{
  return Utf16UnitsToUtf8(reinterpret_cast<const char16_t*>(text), length);
}

std::wstring Utf8ToWide(const char* text)
{
  const std::u16string wide = Utf8ToUtf16(text ? text : "");
  return std::wstring(wide.begin(), wide.end());
}

// One code point from a key translation: a single unit, or a surrogate pair.
bool IsSingleCodePoint(const wchar_t* units, int count)
{
  if (count == 1) return units[0] < 0xD800 || units[0] > 0xDFFF;
  return count == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 &&
         units[1] <= 0xDFFF;
}

bool KeyDown(int vk)
{
  return (GetKeyState(vk) & 0x8000) != 0;
}

} // namespace

IGraphicsWin::IGraphicsWin(iplug::IGEditorDelegate& dlg, int w, int h, int fps, float drawScale)
    : IGraphicsNanoVG(dlg, w, h, fps, drawScale), mUseDisplayClockThread(SystemHasDisplayClock())
{
}

IGraphicsWin::~IGraphicsWin()
{
  DestroyEditorWindow();
}

bool IGraphicsWin::HasTouchDigitizer()
{
  return (GetSystemMetrics(SM_DIGITIZER) & kDigitizerReady) != 0;
}

bool IGraphicsWin::PlatformSupportsMultiTouch() const
{
  const int digitizer = GetSystemMetrics(SM_DIGITIZER);
  return (digitizer & kDigitizerReady) != 0 && (digitizer & kDigitizerMultiInput) != 0;
}

float IGraphicsWin::WindowDpiScale(HWND hWnd) const
{
  const GetDpiForWindowFn query = DpiQuery();
  if (query == nullptr || hWnd == nullptr) return 1.f;
  return ScreenScaleFromDpi(query(hWnd));
}

// Opening and closing -------------------------------------------------------------------------

void* IGraphicsWin::CreateEditorWindow(void* parent)
{
  HWND parentWnd = static_cast<HWND>(parent);
  if (parentWnd == nullptr || !IsWindow(parentWnd)) return nullptr;
  mParentWnd = parentWnd;
  const float dpiScale = WindowDpiScale(parentWnd);
  const int wholeScale = static_cast<int>(dpiScale);

  int x = 0;
  int y = 0;
  int width = wholeScale * ScaledWidth();
  int height = wholeScale * ScaledHeight();
  if (mWnd)
  {
    RECT old{};
    RECT parentRect{};
    GetWindowRect(mWnd, &old);
    GetWindowRect(parentWnd, &parentRect);
    x = old.left - parentRect.left;
    y = old.top - parentRect.top;
    width = old.right - old.left;
    height = old.bottom - old.top;
    DestroyEditorWindow();
    mParentWnd = parentWnd;
  }

  HINSTANCE module = ModuleHandle(LibraryInstance());
  if (!AddClassReference(module, &WndProc)) return nullptr;

  // The host may have a context of its own current: it gets it back at the end.
  HDC hostDC = wglGetCurrentDC();
  HGLRC hostContext = wglGetCurrentContext();

  HWND wnd = CreateWindowExW(0, kWindowClassName, L"IPlug",
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width,
                             height, parentWnd, nullptr, module, this);
  if (wnd == nullptr)
  {
    mWnd = nullptr;
    DropClassReference(module);
    return nullptr;
  }
  mWnd = wnd;
  mWindowDC = GetDC(mWnd);
  if (!CreateGlContext())
  {
    StopDisplayClock();
    ReleaseDC(mWnd, mWindowDC);
    mWindowDC = nullptr;
    HWND dead = mWnd;
    mWnd = nullptr;
    DestroyWindow(dead);
    DropClassReference(module);
    wglMakeCurrent(hostDC, hostContext);
    return nullptr;
  }

  ApplyScreenScale(static_cast<float>(wholeScale));
  if (MultiTouchEnabled() && HasTouchDigitizer()) RegisterTouchWindow(mWnd, 0);
  if (mTooltipsEnabled) CreateTooltips();
  // Layout, every control dirty, then the delegate's opened notification.
  if (auto* dlg = GetDelegate()) dlg->FinishEditorOpening(*this);
  wglMakeCurrent(hostDC, hostContext);
  return mWnd;
}

bool IGraphicsWin::CreateGlContext()
{
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof(pfd);
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  pfd.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(mWindowDC, &pfd);
  if (format == 0 || !SetPixelFormat(mWindowDC, format, &pfd)) return false;
  mGLContext = wglCreateContext(mWindowDC);
  if (mGLContext == nullptr) return false;
  if (!wglMakeCurrent(mWindowDC, mGLContext))
  {
    wglDeleteContext(mGLContext);
    mGLContext = nullptr;
    return false;
  }
  glGetError(); // clears an error left pending by context creation
  // The renderer resolves its GL entry points through wglGetProcAddress, with
  // the opengl32 exports as fallback.
  OnDrawContextCreated();
  if (Renderer() == nullptr)
  {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(mGLContext);
    mGLContext = nullptr;
    return false;
  }
  return true;
}

void IGraphicsWin::DestroyEditorWindow()
{
  if (mWnd == nullptr) return;
  StopDisplayClock();
  DestroyTextEntryWindow();

  HDC hostDC = wglGetCurrentDC();
  HGLRC hostContext = wglGetCurrentContext();
  // A host that destroyed its window first took ours with it: the renderer
  // then releases nothing rather than touch the host's context.
  if (mGLContext == nullptr || !wglMakeCurrent(mWindowDC, mGLContext))
    wglMakeCurrent(nullptr, nullptr);
  ClearAllControls();
  // Bitmaps, the backing store and the renderer context, under the cache lock.
  OnDrawContextReleased();
  ReleaseDC(mWnd, mWindowDC);
  mWindowDC = nullptr;
  // The caller's context comes back, unless it was ours.
  if (hostContext != nullptr && hostContext != mGLContext)
    wglMakeCurrent(hostDC, hostContext);
  else
    wglMakeCurrent(nullptr, nullptr);
  if (mGLContext) wglDeleteContext(mGLContext);
  mGLContext = nullptr;
  mContextDepth = 0;

  if (mTooltipWnd) DestroyWindow(mTooltipWnd);
  mTooltipWnd = nullptr;
  mShowingTooltip = false;
  mTooltipIdx = -1;
  mActiveTouches.clear();
  mWheel.Reset();

  // Cleared first: messages sent while the window dies reach only the default procedure.
  HWND dead = mWnd;
  mWnd = nullptr;
  DestroyWindow(dead);
  DropClassReference(ModuleHandle(LibraryInstance()));
}

void IGraphicsWin::StartDisplayClock(HWND hWnd)
{
  if (mUseDisplayClockThread)
  {
    mSkipTicksBelow = 0;
    mDisplayClock = std::make_unique<DisplayClockThread>(hWnd, kDisplayTickMessage);
  }
  else
    SetTimer(hWnd, kDisplayTimerId, static_cast<UINT>(DisplayTimerPeriodMs(FPS())), nullptr);
}

void IGraphicsWin::StopDisplayClock()
{
  if (mUseDisplayClockThread)
  {
    if (mDisplayClock) mDisplayClock->Stop();
    mDisplayClock.reset();
  }
  else if (mWnd)
    KillTimer(mWnd, kDisplayTimerId);
}

// GL context ------------------------------------------------------------------------------------

void IGraphicsWin::MakeWindowContextCurrent()
{
  if (mGLContext == nullptr) return;
  // Only the outermost activation remembers the caller's pair.
  if (mContextDepth++ == 0)
  {
    mSavedDC = wglGetCurrentDC();
    mSavedGLContext = wglGetCurrentContext();
  }
  wglMakeCurrent(mWindowDC, mGLContext);
}

void IGraphicsWin::RestorePreviousContext()
{
  if (mGLContext == nullptr || mContextDepth == 0) return;
  if (--mContextDepth > 0) return;
  // The window's DC is its own (CS_OWNDC) and stays until closing.
  wglMakeCurrent(mSavedDC, mSavedGLContext);
  mSavedDC = nullptr;
  mSavedGLContext = nullptr;
}

void IGraphicsWin::ResizeDrawTarget()
{
  MakeWindowContextCurrent();
  IGraphicsNanoVG::ResizeDrawTarget();
  RestorePreviousContext();
}

void IGraphicsWin::ResizeEditorWindow(bool parentsStay)
{
  if (mWnd == nullptr) return;
  RECT current{};
  GetWindowRect(mWnd, &current);
  const int dW =
      static_cast<int>(ScaledWidth() * GetScreenScale()) - (current.right - current.left);
  const int dH =
      static_cast<int>(ScaledHeight() * GetScreenScale()) - (current.bottom - current.top);
  if (dW == 0 && dH == 0) return;

  const auto isPlainChild = [](HWND w)
  {
    return (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) != 0 &&
           (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_MDICHILD) == 0;
  };
  HWND parent = isPlainChild(mWnd) ? GetParent(mWnd) : nullptr;
  HWND grandparent = parent && isPlainChild(parent) ? GetParent(parent) : nullptr;

  const auto grow = [dW, dH](HWND w)
  {
    RECT r{};
    GetWindowRect(w, &r);
    SetWindowPos(w, nullptr, 0, 0, r.right - r.left + dW, r.bottom - r.top + dH,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  grow(mWnd);
  if (parentsStay) return;
  if (parent) grow(parent);
  if (grandparent) grow(grandparent);
}

// Display ticks and painting --------------------------------------------------------------------

void IGraphicsWin::OnDisplayTick(std::uint32_t tick)
{
  if (mWnd == nullptr) return;
  if (mUseDisplayClockThread && mDisplayClock)
  {
    const std::uint32_t counter = mDisplayClock->Counter();
    if (mSkipTicksBelow != 0 && counter < mSkipTicksBelow) return;
    mSkipTicksBelow = 0;
    if (tick != counter) return; // a newer tick is queued
  }

  if (mTextEntryWnd && mTextEntryState != TextEntryState::Idle)
  {
    if (mTextEntryState == TextEntryState::Cancel)
    {
      DestroyTextEntryWindow();
      ClearInTextEntryControl();
    }
    else if (mTextEntryState == TextEntryState::Commit)
    {
      std::array<wchar_t, kTextEntryMaxUnits> text{};
      const int length = GetWindowTextW(mTextEntryWnd, text.data(), kTextEntryMaxUnits);
      const std::string utf8 =
          WideToUtf8(text.data(), static_cast<std::size_t>(std::max(0, length)));
      DestroyTextEntryWindow();
      SetTextEntryDone(utf8.c_str());
    }
    mTextEntryState = TextEntryState::Idle;
    return;
  }

  // A new display density waits while a button holds the pointer.
  if (GetCapture() == nullptr)
  {
    const float dpiScale = WindowDpiScale(mWnd);
    if (dpiScale != GetScreenScale()) ApplyScreenScale(dpiScale);
  }

  IRectList rects;
  if (!IsDirty(rects)) return;
  MarkAllControlsClean();
  const float s = PixelScale();
  for (int i = 0; i < rects.Size(); ++i)
  {
    const RECT r = PointsToPixels(rects.Get(i), s);
    InvalidateRect(mWnd, &r, FALSE);
  }

  if (mTextEntryWnd)
  {
    const RECT r = PointsToPixels(mTextEntryBounds, s);
    ValidateRect(mWnd, &r);
    UpdateWindow(mWnd);
    mTextEntryState = TextEntryState::Painted;
    return;
  }
  UpdateWindow(mWnd);
  if (mUseDisplayClockThread && mDisplayClock)
  {
    // Ticks that queued up during a late paint are skipped.
    const std::uint32_t counter = mDisplayClock->Counter();
    if (counter != tick) mSkipTicksBelow = counter + 1;
  }
}

void IGraphicsWin::ReadUpdateRegion(HRGN region, bool complex, IRectList& rects) const
{
  const float s = PixelScale();
  RECT box{};
  GetRgnBox(region, &box);
  const UpdateRegionRects::PixelRect bounds = ToPixelRect(box);
  constexpr std::size_t kMaxRects =
      (UpdateRegionRects::kBufferBytes - UpdateRegionRects::kHeaderBytes) /
      UpdateRegionRects::kRectBytes;
  if (complex && UpdateRegionRects::FitsBytes(GetRegionData(region, 0, nullptr)))
  {
    alignas(RGNDATA) std::array<unsigned char, UpdateRegionRects::kBufferBytes> buffer{};
    if (GetRegionData(region, static_cast<DWORD>(buffer.size()),
                      reinterpret_cast<RGNDATA*>(buffer.data())) != 0)
    {
      RGNDATAHEADER header{};
      std::memcpy(&header, buffer.data(), sizeof(header));
      std::array<UpdateRegionRects::PixelRect, kMaxRects> pixels{};
      const std::size_t count = std::min<std::size_t>(header.nCount, kMaxRects);
      for (std::size_t i = 0; i < count; ++i)
      {
        RECT r{};
        std::memcpy(&r, buffer.data() + sizeof(header) + i * sizeof(RECT), sizeof(RECT));
        pixels[i] = ToPixelRect(r);
      }
      UpdateRegionRects::Convert(pixels.data(), count, bounds, s, rects);
      return;
    }
  }
  // A simple region, or data beyond the buffer: the bounding box.
  UpdateRegionRects::Convert(nullptr, 0, bounds, s, rects);
}

LRESULT IGraphicsWin::OnPaint()
{
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = region ? GetUpdateRgn(mWnd, region, FALSE) : ERROR;
  if (kind == SIMPLEREGION || kind == COMPLEXREGION)
  {
    IRectList rects;
    ReadUpdateRegion(region, kind == COMPLEXREGION, rects);
    PAINTSTRUCT ps{};
    BeginPaint(mWnd, &ps);
    if (Renderer())
    {
      MakeWindowContextCurrent();
      Draw(rects);
      SwapBuffers(mWindowDC);
      RestorePreviousContext();
    }
    EndPaint(mWnd, &ps);
  }
  ValidateRect(mWnd, nullptr);
  if (region) DeleteObject(region);
  return 0;
}

// The window procedure --------------------------------------------------------------------------

LRESULT CALLBACK IGraphicsWin::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_CREATE)
  {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* self = static_cast<IGraphicsWin*>(create->lpCreateParams);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->OnCreateWindow(hWnd);
    return 0;
  }
  auto* self = reinterpret_cast<IGraphicsWin*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (self == nullptr || hWnd != self->mWnd) return DefWindowProcW(hWnd, msg, wParam, lParam);
  return self->HandleMessage(hWnd, msg, wParam, lParam);
}

void IGraphicsWin::OnCreateWindow(HWND hWnd)
{
  mWnd = hWnd;
  StartDisplayClock(hWnd);
  SetFocus(hWnd);
  DragAcceptFiles(hWnd, TRUE);
}

LRESULT IGraphicsWin::HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  const bool mouseMessage = (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) ||
                            msg == WM_MOUSEHOVER || msg == WM_MOUSELEAVE;
  bool fromTouch = false;
  if (mouseMessage)
  {
    fromTouch = (GetMessageExtraInfo() & kTouchSignatureMask) == kTouchSignature;
    mPenInput = fromTouch;
    if (fromTouch) mCursorLocked = false;
  }

  if (mTextEntryWnd && mTextEntryState == TextEntryState::Focused)
  {
    // While the user types, a click in the editor abandons the entry.
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
    {
      mTextEntryState = TextEntryState::Cancel;
      return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  }

  switch (msg)
  {
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
  case WM_ERASEBKGND:
    return 0;
  case WM_PAINT:
    return OnPaint();
  case WM_CLOSE:
    DestroyEditorWindow();
    return 0;
  case WM_SETCURSOR:
    SetCursorShape(mCursorShape);
    return 0;
  case WM_GETDLGCODE:
    return DLGC_WANTALLKEYS;
  case WM_KEYDOWN:
  case WM_KEYUP:
    return OnKey(hWnd, msg, wParam, lParam);
  case WM_TIMER:
    if (wParam == kDisplayTimerId) OnDisplayTick(0);
    return 0;
  case WM_CTLCOLOREDIT:
    return OnTextEntryColours(reinterpret_cast<HDC>(wParam));
  case WM_MOUSEMOVE:
    if (fromTouch) return 0;
    return OnMouseMove(wParam, lParam);
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    if (!fromTouch) OnButtonDown(wParam, lParam);
    return 0;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
  {
    // Our own release: the mouse-up below ends the drag, not the capture handler.
    mReleasingCapture = true;
    ::ReleaseCapture();
    mReleasingCapture = false;
    OnMouseUp({MouseEventFromMessage(wParam, lParam)});
    return 0;
  }
  case WM_CAPTURECHANGED:
    if (!mReleasingCapture && reinterpret_cast<HWND>(lParam) != hWnd) OnCaptureLost();
    return 0;
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  {
    if (fromTouch) return 0;
    const IMouseEvent e = MouseEventFromMessage(wParam, lParam);
    if (OnMouseDoubleClick(e.x, e.y, e.ms)) SetCapture(hWnd);
    return 0;
  }
  case WM_MOUSEWHEEL:
    if (mTextEntryWnd)
      mTextEntryState = TextEntryState::Cancel;
    else
      OnWheel(wParam, lParam);
    return 0;
  case WM_DROPFILES:
    OnDropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  case WM_TOUCH:
    if (LOWORD(wParam) == 0) return DefWindowProcW(hWnd, msg, wParam, lParam);
    OnTouch(hWnd, wParam, lParam);
    return 0;
  case WM_MOUSEHOVER:
    OnMouseHover();
    return 0;
  case WM_MOUSELEAVE:
    HideTooltip();
    OnMouseOut();
    return 0;
  case kDisplayTickMessage:
    OnDisplayTick(static_cast<std::uint32_t>(wParam));
    return 0;
  default:
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  }
}

LRESULT IGraphicsWin::OnTextEntryColours(HDC dc)
{
  if (mTextEntryWnd == nullptr) return 0;
  const IColor& bg = mTextEntryStyle.mTextEntryBGColor;
  const IColor& fg = mTextEntryStyle.mTextEntryFGColor;
  SetBkColor(dc, RGB(bg.R, bg.G, bg.B));
  SetDCBrushColor(dc, RGB(bg.R, bg.G, bg.B));
  SetTextColor(dc, RGB(fg.R, fg.G, fg.B));
  SetBkMode(dc, OPAQUE);
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

// Input -----------------------------------------------------------------------------------------

IMouseEvent IGraphicsWin::MouseEventFromMessage(WPARAM wParam, LPARAM lParam)
{
  const float s = PixelScale();
  IMouseEvent e;
  e.x = static_cast<float>(GET_X_LPARAM(lParam)) / s;
  e.y = static_cast<float>(GET_Y_LPARAM(lParam)) / s;
  e.ms.L = (wParam & MK_LBUTTON) != 0;
  e.ms.R = (wParam & MK_RBUTTON) != 0;
  e.ms.S = (wParam & MK_SHIFT) != 0;
  e.ms.C = (wParam & MK_CONTROL) != 0;
  e.ms.A = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
  mCursorX = e.x;
  mCursorY = e.y;
  return e;
}

void IGraphicsWin::OnButtonDown(WPARAM wParam, LPARAM lParam)
{
  HideTooltip();
  if (mTextEntryWnd)
  {
    mTextEntryState = TextEntryState::Commit;
    return;
  }
  SetFocus(mWnd);
  SetCapture(mWnd);
  OnMouseDown({MouseEventFromMessage(wParam, lParam)});
}

void IGraphicsWin::OnCaptureLost()
{
  // Another window took the pointer mid-drag: no button-up will come to us.
  if (!mCapturedMap.empty() || CursorIsHidden()) ReleaseAllCaptures();
}

LRESULT IGraphicsWin::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
  const float prevX = mCursorX;
  const float prevY = mCursorY;
  if ((wParam & (MK_LBUTTON | MK_RBUTTON)) != 0)
  {
    if (GetCapture() != mWnd) return 0;
    if (GetControlInTextEntry() != nullptr && GetTextEntryControl() == nullptr) return 0;
    IMouseEvent e = MouseEventFromMessage(wParam, lParam);
    e.dX = e.x - prevX;
    e.dY = e.y - prevY;
    if (e.dX == 0.f && e.dY == 0.f) return 0;
    OnMouseDrag({e});
    // A locked cursor stays where it was hidden; the drag continues from there.
    if (mCursorLocked && mWnd) WarpCursorTo(mHiddenCursorX, mHiddenCursorY);
    return 0;
  }

  const IMouseEvent e = MouseEventFromMessage(wParam, lParam);
  DWORD track = 0;
  if (OnMouseOver(e.x, e.y, e.ms)) track |= TME_LEAVE;
  if (mTooltipsEnabled && mTooltipWnd)
  {
    const int idx = GetMouseOverIdx();
    if (idx != mTooltipIdx)
    {
      mTooltipIdx = idx;
      if (idx >= 0) track |= TME_HOVER;
      HideTooltip();
    }
  }
  if (track != 0 && mWnd)
  {
    TRACKMOUSEEVENT tme{sizeof(tme), track, mWnd, HOVER_DEFAULT};
    TrackMouseEvent(&tme);
  }
  return 0;
}

void IGraphicsWin::OnWheel(WPARAM wParam, LPARAM lParam)
{
  IMouseEvent e = MouseEventFromMessage(wParam, lParam);
  // The message carries screen pixels.
  POINT origin{0, 0};
  ClientToScreen(mWnd, &origin);
  const float s = PixelScale();
  e.x -= static_cast<float>(origin.x) / s;
  e.y -= static_cast<float>(origin.y) / s;
  mCursorX = e.x;
  mCursorY = e.y;
  const int notches = mWheel.Add(GET_WHEEL_DELTA_WPARAM(wParam));
  if (notches != 0) OnMouseWheel(e.x, e.y, e.ms, static_cast<float>(notches));
}

LRESULT IGraphicsWin::OnKey(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hWnd, &p);
  std::array<BYTE, 256> state{};
  GetKeyboardState(state.data());
  std::array<wchar_t, 8> units{};
  const int count = ToUnicode(static_cast<UINT>(wParam), static_cast<UINT>((lParam >> 16) & 0xFF),
                              state.data(), units.data(), static_cast<int>(units.size()), 0);
  // A dead key (negative) or several characters go to the host unprocessed.
  if (count == 0 || (count > 0 && IsSingleCodePoint(units.data(), count)))
  {
    const std::string text =
        count > 0 ? WideToUtf8(units.data(), static_cast<std::size_t>(count)) : std::string();
    const IKeyPress key(text.c_str(), static_cast<int>(wParam), KeyDown(VK_SHIFT),
                        KeyDown(VK_CONTROL), KeyDown(VK_MENU));
    const float s = PixelScale();
    const float x = static_cast<float>(p.x) / s;
    const float y = static_cast<float>(p.y) / s;
    const bool handled = msg == WM_KEYDOWN ? OnKeyDown(x, y, key) : OnKeyUp(x, y, key);
    if (handled) return 0;
  }
  // The host sees keys the editor does not use. A root that sends the key
  // back to us would otherwise bounce it forever.
  if (!mForwardingKey)
  {
    HWND root = GetAncestor(hWnd, GA_ROOT);
    if (root != nullptr && root != hWnd)
    {
      mForwardingKey = true;
      SendMessageW(root, msg, wParam, lParam);
      mForwardingKey = false;
    }
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

void IGraphicsWin::OnDropFiles(HDROP drop)
{
  std::array<wchar_t, kDropPathUnits> path{};
  const UINT length = DragQueryFileW(drop, 0, path.data(), static_cast<UINT>(path.size()));
  POINT p{};
  DragQueryPoint(drop, &p);
  DragFinish(drop);
  if (length == 0 || length >= path.size()) return;
  const std::string utf8 = WideToUtf8(path.data(), length);
  const float s = PixelScale();
  OnDrop(utf8.c_str(), static_cast<float>(p.x) / s, static_cast<float>(p.y) / s);
}

void IGraphicsWin::OnTouch(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
  const UINT count = LOWORD(wParam);
  std::vector<TOUCHINPUT> inputs(count);
  HTOUCHINPUT handle = reinterpret_cast<HTOUCHINPUT>(lParam);
  if (!GetTouchInputInfo(handle, count, inputs.data(), sizeof(TOUCHINPUT)))
  {
    CloseTouchInputHandle(handle);
    return;
  }
  const float s = PixelScale();
  std::vector<IMouseEvent> downs;
  std::vector<IMouseEvent> ups;
  std::vector<IMouseEvent> moves;
  for (const TOUCHINPUT& input : inputs)
  {
    POINT p{input.x / 100, input.y / 100};
    ScreenToClient(hWnd, &p);
    IMouseEvent e;
    e.x = static_cast<float>(p.x) / s;
    e.y = static_cast<float>(p.y) / s;
    // Offset by one: touch id 0 is how the core knows the mouse.
    e.ms.touchID = static_cast<std::int64_t>(input.dwID) + 1;
    if (input.dwMask & TOUCHINPUTMASKF_CONTACTAREA)
      e.ms.touchRadius = static_cast<float>(input.cxContact);
    if (input.dwFlags & TOUCHEVENTF_DOWN)
    {
      mActiveTouches[e.ms.touchID] = e;
      downs.push_back(e);
    }
    else if (input.dwFlags & TOUCHEVENTF_UP)
    {
      mActiveTouches.erase(e.ms.touchID);
      ups.push_back(e);
    }
    else if (input.dwFlags & TOUCHEVENTF_MOVE)
    {
      const auto it = mActiveTouches.find(e.ms.touchID);
      if (it != mActiveTouches.end())
      {
        e.dX = e.x - it->second.x;
        e.dY = e.y - it->second.y;
      }
      mActiveTouches[e.ms.touchID] = e;
      moves.push_back(e);
    }
  }
  CloseTouchInputHandle(handle);
  if (!downs.empty()) OnMouseDown(downs);
  if (!ups.empty()) OnMouseUp(ups);
  if (!moves.empty()) OnMouseDrag(moves);
}

// Tooltips --------------------------------------------------------------------------------------

void IGraphicsWin::CreateTooltips()
{
  const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  bool ok = InitCommonControlsEx(&init) != FALSE;
  if (ok)
    mTooltipWnd =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TTS_ALWAYSTIP | TTS_NOPREFIX,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, mWnd, nullptr,
                        ModuleHandle(LibraryInstance()), nullptr);
  ok = ok && mTooltipWnd != nullptr;
  if (ok)
  {
    SetWindowPos(mTooltipWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = mWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(mWnd);
    ok = SendMessageW(mTooltipWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
  }
  if (ok)
    SendMessageW(mTooltipWnd, TTM_SETMAXTIPWIDTH, 0, kTooltipMaxWidth);
  else
  {
    if (mTooltipWnd) DestroyWindow(mTooltipWnd);
    mTooltipWnd = nullptr;
    EnableTooltips(false);
  }
}

void IGraphicsWin::SetTooltipText(const wchar_t* text)
{
  if (mTooltipWnd == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = mWnd;
  tool.uId = reinterpret_cast<UINT_PTR>(mWnd);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(mTooltipWnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void IGraphicsWin::HideTooltip()
{
  if (!mShowingTooltip) return;
  SetTooltipText(nullptr);
  mShowingTooltip = false;
}

void IGraphicsWin::OnMouseHover()
{
  if (mTooltipIdx < 0 || mTooltipWnd == nullptr) return;
  const IControl* control = GetControl(mTooltipIdx);
  const char* text = control ? control->GetTooltip() : "";
  const std::wstring wide = Utf8ToWide(text);
  SetTooltipText(wide.c_str());
  mShowingTooltip = true;
}

// Text entry ------------------------------------------------------------------------------------

void IGraphicsWin::DestroyTextEntryWindow()
{
  if (mTextEntryWnd == nullptr) return;
  if (mTextEntryPrevProc)
    SetWindowLongPtrW(mTextEntryWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mTextEntryPrevProc));
  HWND edit = mTextEntryWnd;
  mTextEntryWnd = nullptr;
  mTextEntryPrevProc = nullptr;
  DestroyWindow(edit);
  if (mTextEntryFont) DeleteObject(mTextEntryFont);
  mTextEntryFont = nullptr;
  mTextEntryParamIdx = -1;
}

} // namespace igraphics
