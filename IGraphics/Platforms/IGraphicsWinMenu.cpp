// Native popup menus of IGraphicsWin: the menu model laid out by NativeMenuPlan becomes
// system menus, shown modally at the anchor; the chosen command comes back as WM_COMMAND.

#include "IGraphics/Platforms/IGraphicsWin.h"
#include "IGraphics/Platforms/NativeMenuPlan.h"
#include "IGraphics/TextConversion.h"

namespace igraphics
{

namespace
{

// The system menu of plan menu `index` with its submenus, or null when one cannot be made.
// A popup's submenus are destroyed with it.
HMENU BuildMenu(const NativeMenuPlan& plan, int index)
{
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  for (const NativeMenuPlan::Entry& entry : plan.Menus()[static_cast<std::size_t>(index)].entries)
  {
    const auto id = static_cast<UINT_PTR>(entry.id);
    if (entry.separator)
    {
      AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (entry.grayed) flags |= MF_GRAYED;
    if (entry.disabled) flags |= MF_DISABLED;
    if (entry.checked) flags |= MF_CHECKED;
    if (entry.columnBreak) flags |= MF_MENUBARBREAK;
    const std::u16string label = Utf8ToUtf16(entry.label);
    const auto* text = reinterpret_cast<const wchar_t*>(label.c_str());
    HMENU submenu = entry.submenu >= 0 ? BuildMenu(plan, entry.submenu) : nullptr;
    if (submenu)
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text);
    else
      AppendMenuW(menu, flags, id, text);
  }
  return menu;
}

} // namespace

IPopupMenu* IGraphicsWin::ShowNativePopupMenu(IPopupMenu& menu, const IRect& bounds)
{
  if (!mWnd) return nullptr;
  const NativeMenuPlan plan(menu);
  HMENU systemMenu = BuildMenu(plan, 0);
  if (!systemMenu) return nullptr;

  const float s = PixelScale();
  POINT anchor{static_cast<LONG>(s * bounds.L), static_cast<LONG>(s * bounds.B)};
  ClientToScreen(mWnd, &anchor);
  IPopupMenu* chosenMenu = nullptr;
  if (TrackPopupMenu(systemMenu, TPM_LEFTBUTTON, anchor.x, anchor.y, 0, mWnd, nullptr))
  {
    // The choice was posted to us; take it before the window procedure sees it.
    MSG command{};
    if (PeekMessageW(&command, mWnd, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
        HIWORD(command.wParam) == 0)
    {
      int itemIndex = -1;
      if (plan.Find(LOWORD(command.wParam), chosenMenu, itemIndex))
      {
        chosenMenu->SetChosenItemIdx(itemIndex);
        chosenMenu->ExecCompletion();
      }
    }
  }
  DestroyMenu(systemMenu);

  const RECT whole{0, 0, static_cast<LONG>(ScaledWidth() * GetScreenScale()),
                   static_cast<LONG>(ScaledHeight() * GetScreenScale())};
  InvalidateRect(mWnd, &whole, FALSE);
  return chosenMenu;
}

} // namespace igraphics
