#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace plughost
{

// The window a DAW opens for a plug-in's editor: a top-level frame with a
// caption whose client area holds the editor's own window, which the effect
// creates as its child. The frame follows the editor's size, whichever of the
// two changed it. Only one frame exists at a time. [main-thread]
class EditorFrameWindow
{
public:
  // An empty frame at the screen's top-left corner, shown, on top and active,
  // to be sized by its editor; null with the reason when Windows refuses it.
  static std::unique_ptr<EditorFrameWindow> Create(std::string* error);
  EditorFrameWindow(const EditorFrameWindow&) = delete;
  EditorFrameWindow& operator=(const EditorFrameWindow&) = delete;
  // Destroys the frame (and what is left in it) and unregisters its class.
  ~EditorFrameWindow();

  // The native parent handed to the view container.
  HWND Handle() const noexcept { return mWindow; }
  // The editor's window: the frame's first child, null while there is none.
  HWND Editor() const noexcept;
  // Sizes the client area to the editor window's size, as a DAW's frame follows its plug-in.
  void FitToEditor() { FitTo(Editor()); }
  // The same for a given child: the editor where the frame holds others too.
  void FitTo(HWND editor);

private:
  explicit EditorFrameWindow(HWND window) : mWindow(window) {}
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND mWindow;
};

} // namespace plughost
