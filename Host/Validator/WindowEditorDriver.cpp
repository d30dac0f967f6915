#include "Host/Validator/WindowEditorDriver.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostEventLoop.h"
#include "Host/PlugHost/PngFile.h"
#include "Host/PlugHost/ScreenCapture.h"
#include "Host/PlugHost/WindowDrawingCapture.h"
#include "Host/PlugHost/WindowInput.h"
#include "Host/PlugHost/WindowMessage.h"
#include "Host/Validator/ChildGlProbe.h"

#include <algorithm>
#include <vector>

namespace plughost
{

namespace
{
// Frames an editor gets to show its window.
constexpr int kFirstFrameLimit = 25;
constexpr int kClassNameLength = 256;

// The frame every opening uses, made at the first and kept for the process:
// hiding or destroying a top-level window costs seconds on some emulated
// window systems, which twenty openings would multiply. A DAW, too, keeps
// its plug-in window across editor openings.
// The frame's own children (not theirs), in z-order.
std::vector<HWND> Children(HWND parent)
{
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::unique_ptr<EditorFrameWindow>& SharedFrame()
{
  static std::unique_ptr<EditorFrameWindow> frame;
  return frame;
}

std::string Narrow(const std::wstring& text)
{
  std::string narrow;
  for (const wchar_t c : text)
    narrow += c < 128 ? static_cast<char>(c) : '?';
  return narrow;
}
} // namespace

WindowEditorDriver::WindowEditorDriver(aaxhost::HostInstance& instance, EditorFrameWindow& frame)
    : mInstance(instance), mFrame(&frame)
{
}

std::unique_ptr<EditorDriver> WindowEditorDriver::Open(aaxhost::HostInstance& instance,
                                                       std::string& why)
{
  // Before the first window: the display's density is the screen scale.
  const float scale = DisplayScreenScale();
  std::string error;
  std::unique_ptr<EditorFrameWindow>& frame = SharedFrame();
  if (!frame) frame = EditorFrameWindow::Create(&error);
  if (!frame)
  {
    why = "editor not available: " + error;
    return nullptr;
  }
  std::unique_ptr<WindowEditorDriver> driver(new WindowEditorDriver(instance, *frame));
  driver->mScale = scale;
  // What an earlier editor left in the frame is not this one's window.
  const std::vector<HWND> before = Children(frame->Handle());
  driver->mOpen = instance.OpenView(driver->mFrame->Handle()) == AAX_SUCCESS;
  if (!driver->mOpen || instance.View() == nullptr)
  {
    why = "editor not available: the module has no view";
    return nullptr;
  }
  for (const HWND child : Children(frame->Handle()))
    if (std::find(before.begin(), before.end(), child) == before.end()) driver->mEditor = child;
  if (driver->mEditor == nullptr)
  {
    why = "editor not available: the view opened no window in its parent";
    return nullptr;
  }
  wchar_t name[kClassNameLength] = {};
  GetClassNameW(driver->mEditor, name, kClassNameLength);
  driver->mClassName = name;
  driver->mClassModule =
      reinterpret_cast<HINSTANCE>(GetClassLongPtrW(driver->mEditor, GCLP_HMODULE));
  driver->mFrame->FitTo(driver->mEditor);
  for (int frame = 0; frame < kFirstFrameLimit && driver->mFrames == 0; ++frame)
    driver->RunFrames(1);
  if (driver->mFrames == 0)
  {
    why = "editor not available: the editor's window was not shown in " +
          std::to_string(kFirstFrameLimit) + " frames";
    return nullptr;
  }
  return driver;
}

WindowEditorDriver::~WindowEditorDriver()
{
  if (mOpen) mInstance.CloseView();
}

void WindowEditorDriver::Send(std::int32_t kind, float x, float y, std::int32_t buttons)
{
  if (!mOpen || !IsWindow(mEditor)) return;
  AAX_HostSurfaceEvent e{};
  e.kind = kind;
  e.x = x;
  e.y = y;
  e.buttons = buttons;
  // Each message handled before the hand moves on, as a user's input is.
  for (const WindowMessage& m : ToWindowMessages(e, mScale))
  {
    PostWindowMessage(mEditor, m, mHand);
    aaxhost::HostEventLoop::ProcessPending();
  }
}

void WindowEditorDriver::Press(float x, float y)
{
  Send(AAX_eHostSurfaceEvent_MouseDown, x, y, AAX_HOST_SURFACE_BUTTON_LEFT);
}

void WindowEditorDriver::Drag(float x, float y)
{
  Send(AAX_eHostSurfaceEvent_MouseMove, x, y, AAX_HOST_SURFACE_BUTTON_LEFT);
}

void WindowEditorDriver::Release(float x, float y)
{
  Send(AAX_eHostSurfaceEvent_MouseUp, x, y, AAX_HOST_SURFACE_BUTTON_LEFT);
}

void WindowEditorDriver::SetScreenScale(float) {}

float WindowEditorDriver::ScreenScale() const
{
  return mScale;
}

bool WindowEditorDriver::SetsScreenScale(std::string& why) const
{
  why = "the screen scale on Windows is the display's (" + std::to_string(mScale) +
        " here); a host cannot set another for one window";
  return false;
}

void WindowEditorDriver::RunFrames(int frames)
{
  for (int i = 0; i < frames; ++i)
  {
    aaxhost::HostEventLoop::RunFor(kFrameMs);
    if (!mOpen) continue;
    mFrame->FitTo(mEditor);
    if (IsWindow(mEditor) && IsWindowVisible(mEditor)) ++mFrames;
  }
}

EditorDriver::Picture WindowEditorDriver::Shown() const
{
  Picture picture;
  RECT client{};
  if (!mOpen || !GetClientRect(mEditor, &client)) return picture;
  picture.width = client.right;
  picture.height = client.bottom;
  picture.frames = mFrames;
  RgbaImage image;
  std::string error;
  // Where the screen lacks child windows' OpenGL output, the editor's own
  // drawing is what a user of a real system would see; an editor that draws
  // without OpenGL has none to read and is taken from the screen.
  std::string why;
  const bool fromDrawing = !ScreenShowsChildGl(why) &&
                           WindowDrawingCapture::Window(mEditor, &image, &error) &&
                           image.width == picture.width && image.height == picture.height;
  if (fromDrawing || (ScreenCapture::Window(mEditor, &image, &error) &&
                      image.width == picture.width && image.height == picture.height))
    picture.rgba = std::move(image.rgba);
  return picture;
}

bool WindowEditorDriver::ScreenShowsChildGl(std::string& why) const
{
  if (mScreenShowsChildGl < 0)
    mScreenShowsChildGl = ChildGlProbe::ReachesScreen(mFrame->Handle(), mScreenWhy) ? 1 : 0;
  why = mScreenWhy;
  return mScreenShowsChildGl == 1;
}

bool WindowEditorDriver::PictureReachesHost(std::string& why) const
{
  if (!mOpen) return false;
  if (ScreenShowsChildGl(why)) return true;
  RgbaImage image;
  std::string error;
  if (WindowDrawingCapture::Window(mEditor, &image, &error)) return true;
  why += ", and the editor's own drawing cannot be read: " + error;
  return false;
}

AAX_Result WindowEditorDriver::Close()
{
  if (!mOpen) return AAX_SUCCESS;
  mOpen = false;
  return mInstance.CloseView();
}

bool WindowEditorDriver::LetGoOfParent(std::string& why)
{
  if (mOpen)
  {
    why = "the view is still open";
    return false;
  }
  RunFrames(3);
  // The editor's window goes with the view, and its class with the module's
  // last window.
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (IsWindow(mEditor))
    why = "the editor's window still exists in the host's frame";
  else if (FindWindowExW(mFrame->Handle(), nullptr, nullptr, nullptr) != nullptr)
    why = "a window is left in the host's frame";
  else if (!mClassName.empty() && GetClassInfoExW(mClassModule, mClassName.c_str(), &info))
    why = "the editor's window class \"" + Narrow(mClassName) + "\" is still registered";
  else
    return true;
  return false;
}

} // namespace plughost
