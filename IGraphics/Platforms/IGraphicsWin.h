#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

#include "IGraphics/Drawing/IGraphicsNanoVG.h"
#include "IGraphics/Platforms/DisplayClockThread.h"
#include "IGraphics/Platforms/WheelAccumulator.h"
#include "IGraphics/Platforms/WinFontCaches.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace igraphics
{

// The Windows platform layer: the editor's child window inside the host's
// parent window, its WGL context, the message handling that feeds the graphics
// core's input dispatch, and the display clock that paces redrawing.
//
// Everything runs on the thread that opened the editor [main-thread], except
// the display-clock thread, which only posts tick messages (DisplayClockThread).
// The window procedure, display ticks and painting are in IGraphicsWin.cpp; the
// platform services (cursor, clipboard, dialogs, fonts, text entry, menus) in
// the files named in their section below.
class IGraphicsWin : public IGraphicsNanoVG
{
public:
  enum class TextEntryState : int
  {
    Idle = 0,
    Focused = 1,
    Painted = 2,
    Cancel = 3,
    Commit = 4,
  };

  // Timer id of the fallback clock and the message the display clock posts.
  static constexpr UINT_PTR kDisplayTimerId = 2;
  static constexpr UINT kDisplayTickMessage = WM_USER + 1;
  static constexpr const wchar_t* kWindowClassName = L"IPlugWndClass";

  // [main-thread]
  IGraphicsWin(iplug::IGEditorDelegate& dlg, int w, int h, int fps = 60, float drawScale = 1.f);
  // Closes the window if still open. [main-thread]
  ~IGraphicsWin() override;

  // Window [main-thread] ----------------------------------------------------------------------

  // `parent` is the host's HWND. Returns the editor's HWND, or null when no
  // window or no GL context could be made.
  void* CreateEditorWindow(void* parent) override;
  // Harmless when no window is open.
  void DestroyEditorWindow() override;
  void* EditorWindowHandle() const override { return mWnd; }
  bool HasEditorWindow() const override { return mWnd != nullptr; }
  const char* PlatformName() const override { return "win32"; }
  // Remembers the current device and GL context and makes the window's
  // current; RestorePreviousContext puts the remembered pair back. Pairs nest
  // one deep.
  void MakeWindowContextCurrent() override;
  void RestorePreviousContext() override;
  bool PlatformSupportsMultiTouch() const override { return HasTouchDigitizer(); }
  float PlatformScale() const override { return GetScreenScale(); }
  void PlatformResize(bool hostResized) override { ResizeEditorWindow(hostResized); }
  void ResizeDrawTarget() override;

  // Grows the window to the editor's pixel size, and its child-window parents
  // by the same amount unless `parentsStay`.
  void ResizeEditorWindow(bool parentsStay);
  // A ready digitiser is present (bit 6 of SM_DIGITIZER).
  static bool HasTouchDigitizer();

  // What the window layer decided and did, for hosts and tests [main-thread] -------------------

  // Windows 8 or later: vertical-blank ticks from DisplayClockThread; else timer 2.
  bool UsesDisplayClockThread() const { return mUseDisplayClockThread; }
  // Display ticks handled so far from each source.
  int TimerTicksHandled() const { return mTimerTicksHandled; }
  int ThreadTicksHandled() const { return mThreadTicksHandled; }
  // Whether the display-clock thread found the vertical-blank functions (false
  // before its first pass and where the system lacks them).
  bool DisplayClockWaitsForVerticalBlank() const;
  // Windows holding a reference to the window class, process-wide.
  static int WindowClassReferences();

  // One redraw step: tick `tick` from the display clock, 0 from the timer.
  void OnDisplayTick(std::uint32_t tick);

private:
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnCreateWindow(HWND hWnd);
  LRESULT OnPaint();
  LRESULT OnKey(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
  void OnButtonDown(WPARAM wParam, LPARAM lParam);
  void OnWheel(WPARAM wParam, LPARAM lParam);
  void OnDropFiles(HDROP drop);
  void OnTouch(HWND hWnd, WPARAM wParam, LPARAM lParam);
  void OnMouseHover();
  // The capture went elsewhere (lost, or released by us): the core lets go of
  // every control, shows a hidden cursor and ends the host gestures.
  void OnCaptureLost();
  IMouseEvent MouseEventFromMessage(WPARAM wParam, LPARAM lParam);
  bool CreateGlContext();
  void DestroyGlContext();
  void CreateTooltips();
  void HideTooltip();
  void SetTooltipText(const wchar_t* text);
  // dpi / 96 of the window, at least 1; 1 without the query.
  float WindowDpiScale(HWND hWnd) const;
  float PixelScale() const { return GetDrawScale() * GetScreenScale(); }
  void StartDisplayClock(HWND hWnd);
  void StopDisplayClock();
  // Destroys the platform text-entry window: its procedure restored, its font deleted.
  void DestroyTextEntryWindow();

  // Fields: main thread only, unless stated --------------------------------------------------

  HWND mWnd = nullptr;       // the editor window; null while closed
  HWND mParentWnd = nullptr; // the window given to CreateEditorWindow
  HDC mWindowDC = nullptr;   // the window's own DC (CS_OWNDC), creation to closing
  HGLRC mGLContext = nullptr;
  HDC mSavedDC = nullptr; // current before MakeWindowContextCurrent
  HGLRC mSavedGLContext = nullptr;
  int mContextDepth = 0; // nesting of MakeWindowContextCurrent
  HWND mTooltipWnd = nullptr;
  bool mShowingTooltip = false;
  int mTooltipIdx = -1; // control the tooltip describes; -1 none
  const bool mUseDisplayClockThread;
  // The thread and what it shares with this thread (atomics inside, jointly owned).
  std::unique_ptr<DisplayClockThread> mDisplayClock;
  std::uint32_t mSkipTicksBelow = 0; // 0: no mark
  int mTimerTicksHandled = 0;
  int mThreadTicksHandled = 0;
  WheelAccumulator mWheel;
  bool mForwardingKey = false;                        // a key is being handed to the root window
  bool mReleasingCapture = false;                     // our own ReleaseCapture is running
  std::map<std::int64_t, IMouseEvent> mActiveTouches; // touch id → last event

  // The platform text entry (opened by the services, carried out by OnDisplayTick).
  HWND mTextEntryWnd = nullptr;
  WNDPROC mTextEntryPrevProc = nullptr;
  HFONT mTextEntryFont = nullptr;
  int mTextEntryParamIdx = -1; // -1 none
  ITextStyle mTextEntryStyle;
  IRect mTextEntryBounds;
  TextEntryState mTextEntryState = TextEntryState::Idle;

  // The host's top-level window, found for message boxes and the clipboard.
  HWND mRootWnd = nullptr;
  std::string mRootClassName;
  DWORD mProcessId = 0;

  // Platform services (IGraphicsWinServices.cpp, IGraphicsWinCursor.cpp,
  // IGraphicsWinFonts.cpp, IGraphicsWinTextEntry.cpp, IGraphicsWinMenu.cpp) ------------------
  // Their declarations and fields go here and only here. The window layer
  // provides them DestroyTextEntryWindow, HideTooltip and PixelScale, and calls
  // the virtual SetCursorShape on WM_SETCURSOR.
public:
  class Font; // WinFont.h

  // Cursor (IGraphicsWinCursor.cpp) [main-thread]
  void CursorPositionInPoints(float& x, float& y) const override;
  // Hiding twice is hiding once: the system's show counter moves once per change.
  void SetCursorHidden(bool hide, bool lock = true) override;
  void WarpCursorTo(float x, float y) override;
  // Any value outside the shapes shows the arrow.
  CursorShape SetCursorShape(CursorShape shape) override;

  // Clipboard, message box, dialogs, shell (IGraphicsWinServices.cpp) [main-thread]
  bool ReadClipboardText(std::string& text) override;
  // Owned by the editor window; false for an empty text or when the system keeps nothing.
  bool WriteClipboardText(const char* text) override;
  int ShowModalMessage(const char* text, const char* caption, int type,
                       MessageCompletion completion = nullptr) override;
  void ChooseFile(std::string& fileName, std::string& dir, int action, const char* extensions,
                  FileCompletion completion = nullptr) override;
  void ChooseFolder(std::string& dir, FileCompletion completion = nullptr) override;
  bool ChooseColour(IColor& colour, const char* prompt = "",
                    ColourCompletion completion = nullptr) override;
  bool OpenWebAddress(const char* url, const char* title = nullptr,
                      const char* confirmText = nullptr, const char* errorText = nullptr) override;
  bool ShowInFileExplorer(const char* path, bool select = false) override;

  // Fonts (IGraphicsWinFonts.cpp) [main-thread]
  std::unique_ptr<PlatformFont> MakePlatformFont(const char* fontId, const char* familyName,
                                                 int style) override;
  std::unique_ptr<PlatformFont> MakePlatformFont(const char* fontId, const void* bytes,
                                                 int length) override;
  std::unique_ptr<PlatformFont> MakePlatformFont(const char* fontId,
                                                 const char* fileOrResourceName) override;
  void KeepTextEntryFont(const char* fontId, PlatformFont& font) override;

  // Native text entry (IGraphicsWinTextEntry.cpp) [main-thread]
  // Nothing opens while one is open; its answer still goes to the control that opened it.
  void OpenNativeTextEntry(int paramIdx, const ITextStyle& style, const IRect& bounds,
                           int maxLength, const char* initialText) override;
  void CancelNativeTextEntry() override;
  // The open EDIT control, or null (for hosts and tests).
  HWND TextEntryWindow() const { return mTextEntryWnd; }

  // Native popup menu (IGraphicsWinMenu.cpp) [main-thread]
  IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRect& bounds) override;

private:
  // The host's top-level window: found once from the parent, or by its class name among this
  // process's windows; null when neither is known.
  HWND FindRootWindow();
  // The memory-font lock is held by the caller for these.
  std::unique_ptr<PlatformFont> MakeMemoryFontLocked(const char* fontId, const void* bytes,
                                                     int length);
  std::unique_ptr<PlatformFont> MakeFontFromFileLocked(const char* fontId, const std::string& path);
  // The text-entry font lock is held by the caller.
  void KeepTextEntryFontLocked(const char* fontId, PlatformFont& font);
  // A copy of the style's text-entry font at its size in pixels; null when none is known.
  HFONT MakeTextEntryFont(const ITextStyle& style, float scale);
  static LRESULT CALLBACK TextEntryProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleTextEntryMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  // Marks the EDIT control as ours in its user data.
  static constexpr LONG_PTR kTextEntryMarker = 0xdeadf00b;
  // The control and value the open text entry answers to.
  IControl* mTextEntryTarget = nullptr;
  int mTextEntryTargetValIdx = -1;
  // Keeps the process-wide font caches while this editor lives.
  WinFontCaches::User mFontCachesUser;

  // End of platform services -----------------------------------------------------------------
};

} // namespace igraphics
