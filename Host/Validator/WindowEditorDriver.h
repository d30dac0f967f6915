#pragma once

#include "Host/PlugHost/EditorFrameWindow.h"
#include "Host/PlugHost/ScriptedPointer.h"
#include "Host/Validator/EditorDriver.h"

#include <windows.h>

#include <memory>
#include <string>

namespace plughost
{

// The editor driver of Windows: the view's parent is a top-level frame of
// the host (EditorFrameWindow) holding the editor's child window, input goes
// as window messages to where Windows would deliver them, frames are the
// host's message loop run for a while, and the picture is what the screen
// shows of the editor's window. The screen scale is the display's. The
// frame, one for the process, outlives every view, so an editor that keeps
// a window in it after closing is seen. [main-thread]
class WindowEditorDriver final : public EditorDriver
{
public:
  static std::unique_ptr<EditorDriver> Open(aaxhost::HostInstance& instance, std::string& why);
  ~WindowEditorDriver() override;

  void Press(float x, float y) override;
  void Drag(float x, float y) override;
  void Release(float x, float y) override;
  void SetScreenScale(float scale) override;
  float ScreenScale() const override;
  bool SetsScreenScale(std::string& why) const override;
  void RunFrames(int frames) override;
  Picture Shown() const override;
  bool PictureReachesHost(std::string& why) const override;
  AAX_Result Close() override;
  // Its window gone from the frame and its window class unregistered.
  bool LetGoOfParent(std::string& why) override;

  // One frame of the host's loop: longer than the editor's 60 Hz tick.
  static constexpr std::uint32_t kFrameMs = 20;

private:
  WindowEditorDriver(aaxhost::HostInstance& instance, EditorFrameWindow& frame);
  void Send(std::int32_t kind, float x, float y, std::int32_t buttons);
  // Whether the screen shows child windows' OpenGL output, asked once.
  bool ScreenShowsChildGl(std::string& why) const;

  aaxhost::HostInstance& mInstance;
  EditorFrameWindow* mFrame;        // the view's parent, the process's one frame, outlives the view
  HWND mEditor = nullptr;           // the editor's window as it opened
  HINSTANCE mClassModule = nullptr; // its window class's module and name
  std::wstring mClassName;
  ScriptedPointer mHand;
  float mScale = 1.f;       // the display's pixels per point
  std::int64_t mFrames = 0; // host frames run with the editor's window visible
  bool mOpen = false;
  mutable int mScreenShowsChildGl = -1; // -1 not asked yet, else 0 or 1
  mutable std::string mScreenWhy;       // the probe's answer when it does not
};

} // namespace plughost
