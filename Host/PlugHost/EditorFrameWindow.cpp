#include "Host/PlugHost/EditorFrameWindow.h"

namespace plughost
{

namespace
{

constexpr const wchar_t* kClassName = L"PlugHostEditorFrame";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

SIZE FrameSize(int clientWidth, int clientHeight)
{
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, kStyle, FALSE, 0);
  return {r.right - r.left, r.bottom - r.top};
}

} // namespace

LRESULT CALLBACK EditorFrameWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam)
{
  // The host closes the editor, not the user: the frame outlives its editor.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

std::unique_ptr<EditorFrameWindow> EditorFrameWindow::Create(std::string* error)
{
  const HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW frameClass{};
  frameClass.cbSize = sizeof frameClass;
  frameClass.lpfnWndProc = &EditorFrameWindow::Procedure;
  frameClass.hInstance = module;
  frameClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  frameClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&frameClass))
  {
    *error = "cannot register the editor frame's window class";
    return nullptr;
  }
  const SIZE size = FrameSize(1, 1);
  const HWND window = CreateWindowExW(0, kClassName, L"plughost editor", kStyle, 0, 0, size.cx,
                                      size.cy, nullptr, nullptr, module, nullptr);
  if (window == nullptr)
  {
    UnregisterClassW(kClassName, module);
    *error = "cannot create the editor frame window";
    return nullptr;
  }
  // On top and active, so the screen shows the editor whole and keys reach it.
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  UpdateWindow(window);
  return std::unique_ptr<EditorFrameWindow>(new EditorFrameWindow(window));
}

EditorFrameWindow::~EditorFrameWindow()
{
  DestroyWindow(mWindow);
  UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
}

HWND EditorFrameWindow::Editor() const noexcept
{
  return GetWindow(mWindow, GW_CHILD);
}

void EditorFrameWindow::FitTo(HWND editor)
{
  RECT editorRect{}, client{};
  if (editor == nullptr || !GetWindowRect(editor, &editorRect) || !GetClientRect(mWindow, &client))
    return;
  const int w = editorRect.right - editorRect.left;
  const int h = editorRect.bottom - editorRect.top;
  if (w == client.right && h == client.bottom) return;
  const SIZE size = FrameSize(w, h);
  SetWindowPos(mWindow, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace plughost
