#include "Host/Validator/ChildGlProbe.h"

#include "Host/HostEventLoop.h"
#include "Host/PlugHost/PngFile.h"
#include "Host/PlugHost/ScreenCapture.h"

#include <GL/gl.h>

#include <cstdlib>

namespace plughost
{
namespace
{
constexpr const wchar_t* kClassName = L"PlugHostGlProbe";
constexpr int kSide = 16;
// Magenta: far from any grey or dark background.
constexpr std::uint8_t kColour[3] = {255, 0, 255};
constexpr int kTolerance = 8;

// The probe's window and its context, taken down in reverse, the caller's
// context restored.
class ProbeWindow
{
public:
  explicit ProbeWindow(HWND parent)
      : mPreviousDc(wglGetCurrentDC()), mPreviousContext(wglGetCurrentContext())
  {
    WNDCLASSW probeClass{};
    probeClass.style = CS_OWNDC;
    probeClass.lpfnWndProc = DefWindowProcW;
    probeClass.hInstance = GetModuleHandleW(nullptr);
    probeClass.lpszClassName = kClassName;
    mRegistered = RegisterClassW(&probeClass) != 0;
    if (!mRegistered) return;
    mWindow = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, kSide, kSide, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (mWindow == nullptr) return;
    SetWindowPos(mWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    mDc = GetDC(mWindow);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = mDc ? ChoosePixelFormat(mDc, &pfd) : 0;
    if (format == 0 || !SetPixelFormat(mDc, format, &pfd)) return;
    mContext = wglCreateContext(mDc);
  }
  ~ProbeWindow()
  {
    if (mContext)
    {
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(mContext);
    }
    wglMakeCurrent(mPreviousDc, mPreviousContext);
    if (mDc) ReleaseDC(mWindow, mDc);
    if (mWindow) DestroyWindow(mWindow);
    if (mRegistered) UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
  }
  ProbeWindow(const ProbeWindow&) = delete;
  ProbeWindow& operator=(const ProbeWindow&) = delete;

  // Clears the window to the probe's colour and shows it.
  bool Draw()
  {
    if (mContext == nullptr || !wglMakeCurrent(mDc, mContext)) return false;
    glClearColor(kColour[0] / 255.f, kColour[1] / 255.f, kColour[2] / 255.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    return SwapBuffers(mDc) != FALSE;
  }
  HWND Window() const { return mWindow; }

private:
  HDC mPreviousDc;
  HGLRC mPreviousContext;
  bool mRegistered = false;
  HWND mWindow = nullptr;
  HDC mDc = nullptr;
  HGLRC mContext = nullptr;
};
} // namespace

bool ChildGlProbe::ReachesScreen(HWND parent, std::string& why)
{
  ProbeWindow probe(parent);
  if (!probe.Draw())
  {
    why = "a GL context of the host's own could not draw in a child window";
    return false;
  }
  // Twice, a frame apart: the first swap may land before the window is shown.
  aaxhost::HostEventLoop::RunFor(20);
  probe.Draw();
  aaxhost::HostEventLoop::RunFor(20);
  RgbaImage image;
  std::string error;
  if (!ScreenCapture::Window(probe.Window(), &image, &error))
  {
    why = "the screen cannot be read: " + error;
    return false;
  }
  const std::size_t centre = (static_cast<std::size_t>(image.height / 2) * image.width +
                              static_cast<std::size_t>(image.width / 2)) *
                             4;
  bool seen = centre + 3 < image.rgba.size();
  for (int c = 0; seen && c < 3; ++c)
    seen = std::abs(image.rgba[centre + c] - kColour[c]) <= kTolerance;
  if (seen) return true;
  why = "a child window cleared to magenta through OpenGL shows (" +
        (centre + 3 < image.rgba.size()
             ? std::to_string(image.rgba[centre]) + ", " + std::to_string(image.rgba[centre + 1]) +
                   ", " + std::to_string(image.rgba[centre + 2])
             : std::string("nothing")) +
        ") on the screen: this system does not bring a child window's OpenGL output there";
  return false;
}

} // namespace plughost
