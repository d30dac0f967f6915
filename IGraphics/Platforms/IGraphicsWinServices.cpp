// System services of IGraphicsWin: clipboard, message boxes, file, folder and colour dialogs,
// web addresses and the file explorer. Texts are UTF-8 here and UTF-16 at every system call.

#include "IGraphics/Platforms/FileDialogStrings.h"
#include "IGraphics/Platforms/FixedUtf16Text.h"
#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/TextConversion.h"

#include <commdlg.h>
#include <shlobj.h>
#include <wininet.h>

#include <array>
#include <cstring>

namespace igraphics
{

namespace
{

const wchar_t* Wide(const std::u16string& text)
{
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string ToWide(const char* utf8)
{
  return Utf8ToUtf16(utf8 ? utf8 : "");
}

// Closes the clipboard on leaving, however the reading or writing ended.
class OpenClipboardScope
{
public:
  explicit OpenClipboardScope(HWND owner) : mOpen(OpenClipboard(owner)) {}
  ~OpenClipboardScope()
  {
    if (mOpen) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return mOpen; }

private:
  bool mOpen;
};

// The colour dialog's custom colours, kept between dialogs for the whole process. Read and
// written only by dialogs, which run on the editors' (main) thread.
std::array<COLORREF, 16>& CustomColours()
{
  static std::array<COLORREF, 16> colours{};
  return colours;
}

UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT msg, WPARAM, LPARAM lParam)
{
  if (msg != WM_INITDIALOG) return 0;
  const auto* request = reinterpret_cast<const CHOOSECOLORW*>(lParam);
  const auto* prompt = reinterpret_cast<const wchar_t*>(request->lCustData);
  if (prompt && *prompt)
  {
    SetWindowTextW(dialog, prompt);
    static const UINT setColour = RegisterWindowMessageW(L"commdlg_SetRGBColor");
    SendMessageW(dialog, setColour, 0, static_cast<LPARAM>(request->rgbResult));
  }
  return 0;
}

struct RootSearch
{
  DWORD processId;
  const std::string* className;
  HWND found;
};

BOOL CALLBACK MatchRootWindow(HWND wnd, LPARAM lParam)
{
  auto* search = reinterpret_cast<RootSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(wnd, &processId);
  if (processId != search->processId) return TRUE;
  char name[128]{};
  GetClassNameA(wnd, name, sizeof name);
  if (*search->className != name) return TRUE;
  search->found = wnd;
  return FALSE;
}

} // namespace

// Clipboard ---------------------------------------------------------------------------------

bool IGraphicsWin::ReadClipboardText(std::string& text)
{
  text.clear();
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  const OpenClipboardScope clipboard(nullptr);
  if (!clipboard.IsOpen()) return false;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return false;
  const auto* units = static_cast<const char16_t*>(GlobalLock(data));
  if (!units) return false;
  // Another program's block need not be terminated: never read past its size.
  text = Utf16UnitsToUtf8(units, GlobalSize(data) / sizeof(char16_t));
  GlobalUnlock(data);
  return !text.empty();
}

bool IGraphicsWin::WriteClipboardText(const char* text)
{
  // Windows refuses to place data on a clipboard opened without an owner.
  const OpenClipboardScope clipboard(mWnd ? mWnd : FindRootWindow());
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  const std::u16string wide = ToWide(text);
  if (wide.empty()) return false;
  const std::size_t bytes = (wide.size() + 1) * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return false;
  void* target = GlobalLock(block);
  if (!target)
  {
    GlobalFree(block);
    return false;
  }
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(block);
  // The system owns the block only once it has taken it.
  if (!SetClipboardData(CF_UNICODETEXT, block))
  {
    GlobalFree(block);
    return false;
  }
  return true;
}

// Message box -------------------------------------------------------------------------------

HWND IGraphicsWin::FindRootWindow()
{
  if (mRootWnd && IsWindow(mRootWnd)) return mRootWnd;
  mRootWnd = nullptr;
  if (mParentWnd)
  {
    HWND root = mParentWnd;
    while (HWND parent = GetParent(root))
      root = parent;
    char name[128]{};
    GetClassNameA(root, name, sizeof name);
    mRootWnd = root;
    mRootClassName = name;
  }
  else if (!mRootClassName.empty())
  {
    mProcessId = GetCurrentProcessId();
    RootSearch search{mProcessId, &mRootClassName, nullptr};
    EnumWindows(MatchRootWindow, reinterpret_cast<LPARAM>(&search));
    mRootWnd = search.found;
  }
  return mRootWnd;
}

int IGraphicsWin::ShowModalMessage(const char* text, const char* caption, int type,
                                   MessageCompletion completion)
{
  ReleaseAllCaptures();
  const int result = MessageBoxW(FindRootWindow(), Wide(ToWide(text)), Wide(ToWide(caption)),
                                 static_cast<UINT>(type));
  if (completion) completion(result);
  return result;
}

// Dialogs -----------------------------------------------------------------------------------

void IGraphicsWin::ChooseFile(std::string& fileName, std::string& dir, int action,
                              const char* extensions, FileCompletion completion)
{
  if (!mWnd)
  {
    fileName.clear();
    return;
  }
  FixedUtf16Text<MAX_PATH> file(fileName.c_str());
  const FixedUtf16Text<MAX_PATH> initialDir(dir.c_str());
  const FileDialogStrings strings(extensions);
  const std::u16string filter = strings.FilterList();
  const FixedUtf16Text<FileDialogStrings::kMaxDefaultExtensionChars + 1> defaultExtension(
      strings.DefaultExtension().c_str());

  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = mWnd;
  request.lpstrFilter = filter.empty() ? nullptr : Wide(filter);
  request.lpstrFile = file.Wide();
  request.nMaxFile = MAX_PATH - 1;
  request.lpstrInitialDir = initialDir.Empty() ? nullptr : initialDir.Wide();
  request.lpstrDefExt = defaultExtension.Empty() ? nullptr : defaultExtension.Wide();
  BOOL chosen;
  if (action == 1)
  {
    request.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    chosen = GetSaveFileNameW(&request);
  }
  else
  {
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameW(&request);
  }
  if (chosen)
  {
    fileName = Utf16UnitsToUtf8(file.Data(), file.CapacityUnits());
    const std::string folder = FileDialogStrings::DirectoryOf(fileName);
    if (!folder.empty()) dir = folder;
  }
  else
    fileName.clear();
  if (completion) completion(fileName, dir);
  ::ReleaseCapture();
}

void IGraphicsWin::ChooseFolder(std::string& dir, FileCompletion completion)
{
  const HRESULT ole = OleInitialize(nullptr);
  BROWSEINFOW request{};
  request.hwndOwner = mWnd;
  request.lpszTitle = L"Choose a Directory";
  request.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
  if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&request))
  {
    wchar_t path[MAX_PATH]{};
    if (SHGetPathFromIDListW(chosen, path))
      dir = Utf16UnitsToUtf8(reinterpret_cast<const char16_t*>(path), MAX_PATH) + "\\";
    CoTaskMemFree(chosen);
  }
  else
    dir.clear();
  if (completion) completion(std::string(), dir);
  ::ReleaseCapture();
  if (SUCCEEDED(ole)) OleUninitialize();
}

bool IGraphicsWin::ChooseColour(IColor& colour, const char* prompt, ColourCompletion completion)
{
  ::ReleaseCapture();
  if (!mWnd) return false;
  const std::u16string title = ToWide(prompt);
  CHOOSECOLORW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = mWnd;
  request.rgbResult = RGB(colour.R, colour.G, colour.B);
  request.lpCustColors = CustomColours().data();
  request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
  request.lCustData = reinterpret_cast<LPARAM>(title.c_str());
  request.lpfnHook = ColourDialogHook;
  if (!ChooseColorW(&request)) return false;
  colour.R = GetRValue(request.rgbResult);
  colour.G = GetGValue(request.rgbResult);
  colour.B = GetBValue(request.rgbResult);
  if (completion) completion(colour);
  return true;
}

// Shell -------------------------------------------------------------------------------------

bool IGraphicsWin::OpenWebAddress(const char* url, const char* title, const char* confirmText,
                                  const char* errorText)
{
  const std::u16string caption = ToWide(title);
  if (confirmText && MessageBoxW(mWnd, Wide(ToWide(confirmText)), Wide(caption), MB_YESNO) != IDYES)
    return false;
  DWORD connection = 0;
  const FixedUtf16Text<4096> address(url);
  if (InternetGetConnectedState(&connection, 0) && !address.Empty())
  {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(mWnd, L"open", address.Wide(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
  }
  if (errorText) MessageBoxW(mWnd, Wide(ToWide(errorText)), Wide(caption), MB_OK);
  return false;
}

bool IGraphicsWin::ShowInFileExplorer(const char* path, bool select)
{
  if (!path || !*path) return false;
  const std::string arguments = std::string(select ? "/select," : "") + "\"" + path + "\"";
  const FixedUtf16Text<4096> parameters(arguments.c_str());
  if (parameters.Empty()) return false;
  wchar_t systemDir[MAX_PATH + 1]{};
  const UINT length = GetSystemDirectoryW(systemDir, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  systemDir[length] = L'\\';
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(mWnd, L"open", L"explorer.exe", parameters.Wide(), systemDir, SW_SHOWNORMAL));
  return result > 32;
}

} // namespace igraphics
