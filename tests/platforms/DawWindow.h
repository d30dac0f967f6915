#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace platformtest
{

// A top-level window as a DAW makes for a plug-in's editor: a floating one
// without a frame, shown without activating it. (Under Xvfb there is no window
// manager, and Wine waits two seconds for one whenever a framed or activated
// window goes away.) `proc` handles its messages; the default procedure when
// null. [main-thread]
class DawWindow
{
public:
  explicit DawWindow(WNDPROC proc = nullptr, int width = 1400, int height = 600)
  {
    const wchar_t* className = proc ? L"BrasmireTestDawWithKeys" : L"BrasmireTestDaw";
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc ? proc : &DefaultProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc); // fails harmlessly once registered
    mWnd = CreateWindowExW(0, className, L"Test DAW", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width,
                           height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(mWnd, SW_SHOWNOACTIVATE);
  }
  ~DawWindow() { DestroyWindow(mWnd); }
  DawWindow(const DawWindow&) = delete;
  DawWindow& operator=(const DawWindow&) = delete;
  HWND Get() const { return mWnd; }

private:
  static LRESULT CALLBACK DefaultProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
  {
    return DefWindowProcW(hWnd, msg, wParam, lParam);
  }

  HWND mWnd = nullptr;
};

} // namespace platformtest
