#include "tests/host/module/TestWindowEditor.h"

#ifdef _WIN32
#include <windows.h>

#include <map>
#include <vector>

namespace
{
constexpr const wchar_t* kClassName = L"TestModuleEditor";
constexpr UINT kPeriodMs = 15;

HINSTANCE ThisModule();

// The open editors by timer, and the timers and windows the leak-timer and
// leak-window faults left: taken down when the module unloads, before their
// procedures go.
struct Timers
{
  ~Timers()
  {
    for (const UINT_PTR id : leaked)
      KillTimer(nullptr, id);
    for (const HWND window : leakedWindows)
      DestroyWindow(window);
    if (!leakedWindows.empty()) UnregisterClassW(kClassName, ThisModule());
  }
  std::map<UINT_PTR, TestWindowEditor*> open;
  std::vector<UINT_PTR> leaked;
  std::vector<HWND> leakedWindows;
  int windows = 0; // editor windows alive: the class is registered while any is
} gTimers;

HINSTANCE ThisModule()
{
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

float PointX(LPARAM lParam)
{
  return static_cast<float>(static_cast<short>(LOWORD(lParam)));
}
float PointY(LPARAM lParam)
{
  return static_cast<float>(static_cast<short>(HIWORD(lParam)));
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
  const auto it = gTimers.open.find(id);
  if (it != gTimers.open.end()) InvalidateRect(static_cast<HWND>(it->second->Window()), nullptr, 0);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  auto* editor = reinterpret_cast<TestWindowEditor*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (editor != nullptr)
  {
    switch (message)
    {
    case WM_LBUTTONDOWN:
      if (editor->Strips().Press(PointX(lParam), PointY(lParam))) SetCapture(window);
      return 0;
    case WM_MOUSEMOVE:
      editor->Strips().Move(PointY(lParam));
      return 0;
    case WM_LBUTTONUP:
      editor->Strips().Release();
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_PAINT:
      editor->Paint();
      return 0;
    default:
      break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

TestWindowEditor::TestWindowEditor(AAX_IEffectParameters* effect, AAX_VViewContainer* container,
                                   TestEffect::Fault fault)
    : mFault(fault), mStrips(effect, container, fault)
{
}

std::unique_ptr<TestWindowEditor> TestWindowEditor::Open(void* parent,
                                                         AAX_IEffectParameters* effect,
                                                         AAX_VViewContainer* container,
                                                         TestEffect::Fault fault)
{
  if (parent == nullptr || effect == nullptr || !IsWindow(static_cast<HWND>(parent)))
    return nullptr;
  if (gTimers.windows == 0)
  {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) return nullptr;
  }
  std::unique_ptr<TestWindowEditor> editor(new TestWindowEditor(effect, container, fault));
  const HWND window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                      TestStrips::kWidth, TestStrips::kHeight,
                                      static_cast<HWND>(parent), nullptr, ThisModule(), nullptr);
  if (window == nullptr)
  {
    if (gTimers.windows == 0) UnregisterClassW(kClassName, ThisModule());
    return nullptr;
  }
  ++gTimers.windows;
  editor->mWindow = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(editor.get()));
  editor->mTimer = SetTimer(nullptr, 0, kPeriodMs, &TimerProc);
  gTimers.open[editor->mTimer] = editor.get();
  return editor;
}

TestWindowEditor::~TestWindowEditor()
{
  gTimers.open.erase(mTimer);
  if (mFault == TestEffect::Fault::LeakTimer)
    gTimers.leaked.push_back(mTimer);
  else
    KillTimer(nullptr, mTimer);
  const HWND window = static_cast<HWND>(mWindow);
  if (IsWindow(window))
  {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (mFault == TestEffect::Fault::LeakWindow)
    {
      // Left in the host's window, class and all, hidden so as not to cover the next editor.
      ShowWindow(window, SW_HIDE);
      gTimers.leakedWindows.push_back(window);
      return;
    }
    DestroyWindow(window);
  }
  if (--gTimers.windows == 0) UnregisterClassW(kClassName, ThisModule());
}

void TestWindowEditor::Paint()
{
  const HWND window = static_cast<HWND>(mWindow);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const std::vector<double> values = mStrips.Values();
  const int width = TestStrips::kWidth;
  const int height = TestStrips::kHeight;
  const std::size_t strips = values.empty() ? 1 : values.size();
  for (std::size_t strip = 0; strip < strips; ++strip)
  {
    // Columns x with StripOf(x) == strip: from ceil(strip * width / strips).
    const int left = static_cast<int>((strip * width + strips - 1) / strips);
    const int right = static_cast<int>(((strip + 1) * width + strips - 1) / strips);
    const int blue = 40 + 60 * static_cast<int>(strip % 2);
    const int litRows = values.empty() ? 0 : static_cast<int>(values[strip] * height);
    const RECT dark{left, 0, right, height - litRows};
    const RECT lit{left, height - litRows, right, height};
    const HBRUSH darkBrush = CreateSolidBrush(RGB(40, 40, blue));
    const HBRUSH litBrush = CreateSolidBrush(RGB(240, 160, blue));
    FillRect(dc, &dark, darkBrush);
    FillRect(dc, &lit, litBrush);
    DeleteObject(darkBrush);
    DeleteObject(litBrush);
  }
  EndPaint(window, &paint);
}

#else

std::unique_ptr<TestWindowEditor> TestWindowEditor::Open(void*, AAX_IEffectParameters*,
                                                         AAX_VViewContainer*, TestEffect::Fault)
{
  return nullptr; // no window system here: the host surface's editor serves
}

TestWindowEditor::~TestWindowEditor() = default;

#endif
