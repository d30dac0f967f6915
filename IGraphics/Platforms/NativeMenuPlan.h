#pragma once

#include "IGraphics/IPopupMenu.h"

#include <string>
#include <vector>

namespace igraphics
{

// How a platform popup menu is laid out from an IPopupMenu, before any system menu exists:
// the command id of every item, the text each shows and its flags.
//
// Ids run from 0 depth-first: a menu takes consecutive ids for all its items (separators and
// submenu items included) before its submenus, in item order, take the next ones. So 3 items
// with a submenu of 2 give 0–2 and 3–4. [main-thread]
class NativeMenuPlan
{
public:
  // Longest numbered label, in bytes; a cut never splits a UTF-8 sequence.
  static constexpr std::size_t kMaxNumberedLabelBytes = 50;
  // Column breaks apply only to menus shorter than this.
  static constexpr int kMaxItemsForColumns = 160;

  struct Entry
  {
    int id = -1;
    std::string label; // as shown: numbered, cut, "&" doubled
    bool separator = false;
    bool grayed = false;
    bool disabled = false;
    bool checked = false;
    bool columnBreak = false; // starts a new column
    int submenu = -1;         // index into Menus(), or -1
  };

  struct Menu
  {
    IPopupMenu* model = nullptr;
    std::vector<Entry> entries;
  };

  explicit NativeMenuPlan(IPopupMenu& root);
  NativeMenuPlan(const NativeMenuPlan&) = delete;
  NativeMenuPlan& operator=(const NativeMenuPlan&) = delete;

  // Menus()[0] is the root; a submenu always comes after the menu that holds it.
  const std::vector<Menu>& Menus() const { return mMenus; }
  int IdCount() const { return mNextId; }

  // The menu holding command `id` and the item's index in it; false for an unknown id.
  bool Find(int id, IPopupMenu*& menu, int& itemIndex) const;

  // The label of the item at 1-based `position`: numbered as `numbering` asks (then cut to
  // kMaxNumberedLabelBytes), with every "&" doubled so the system shows it as written.
  static std::string Label(MenuNumbering numbering, int position, const char* text);

private:
  int AddMenu(IPopupMenu& menu);

  std::vector<Menu> mMenus;
  int mNextId = 0;
};

} // namespace igraphics
