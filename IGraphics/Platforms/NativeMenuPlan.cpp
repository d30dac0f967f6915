#include "IGraphics/Platforms/NativeMenuPlan.h"

#include <cstdio>

namespace igraphics
{

namespace
{

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a code point boundary.
std::string CutUtf8(const std::string& text, std::size_t maxBytes)
{
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  // Continuation bytes are 10xxxxxx: back off to the lead byte of the split sequence.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return text.substr(0, end);
}

std::string DoubleAmpersands(const std::string& text)
{
  std::string out;
  out.reserve(text.size());
  for (const char c : text)
  {
    out.push_back(c);
    if (c == '&') out.push_back('&');
  }
  return out;
}

} // namespace

NativeMenuPlan::NativeMenuPlan(IPopupMenu& root)
{
  AddMenu(root);
}

int NativeMenuPlan::AddMenu(IPopupMenu& menu)
{
  const int index = static_cast<int>(mMenus.size());
  mMenus.push_back({&menu, {}});
  const int n = menu.NItems();
  const int perColumn = menu.GetItemsPerColumn();
  const bool columns = n < kMaxItemsForColumns && perColumn > 0;
  std::vector<Entry> entries(static_cast<std::size_t>(n));
  // All of this menu's ids first, then each submenu's in turn.
  for (int i = 0; i < n; ++i)
  {
    const IPopupMenu::Item& item = *menu.GetItem(i);
    Entry& entry = entries[static_cast<std::size_t>(i)];
    entry.id = mNextId++;
    entry.separator = item.GetIsSeparator();
    if (entry.separator) continue;
    const int flags = item.GetFlags();
    entry.label = Label(menu.GetNumbering(), i + 1, item.GetText());
    entry.grayed = flags & IPopupMenu::Item::kGrayed;
    entry.disabled = flags & IPopupMenu::Item::kDisabled;
    entry.checked = flags & IPopupMenu::Item::kChecked;
    entry.columnBreak = columns && i != 0 && i % perColumn == 0;
  }
  for (int i = 0; i < n; ++i)
  {
    IPopupMenu::Item& item = *menu.GetItem(i);
    if (item.GetIsSeparator() || item.GetSubmenu() == nullptr) continue;
    entries[static_cast<std::size_t>(i)].submenu = AddMenu(*item.GetSubmenu());
  }
  mMenus[static_cast<std::size_t>(index)].entries = std::move(entries);
  return index;
}

bool NativeMenuPlan::Find(int id, IPopupMenu*& menu, int& itemIndex) const
{
  for (const Menu& m : mMenus)
  {
    if (m.entries.empty() || id < m.entries.front().id || id > m.entries.back().id) continue;
    menu = m.model;
    itemIndex = id - m.entries.front().id;
    return true;
  }
  return false;
}

std::string NativeMenuPlan::Label(MenuNumbering numbering, int position, const char* text)
{
  const std::string plain = text ? text : "";
  const char* format = nullptr;
  switch (numbering)
  {
  case MenuNumbering::OneDigit:
    format = "%1d: ";
    break;
  case MenuNumbering::TwoDigits:
    format = "%02d: ";
    break;
  case MenuNumbering::ThreeDigits:
    format = "%03d: ";
    break;
  case MenuNumbering::None:
    break;
  }
  if (format == nullptr) return DoubleAmpersands(plain);
  char number[16];
  std::snprintf(number, sizeof number, format, position);
  return DoubleAmpersands(CutUtf8(number + plain, kMaxNumberedLabelBytes));
}

} // namespace igraphics
