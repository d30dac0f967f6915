#include "IGraphics/IPopupMenu.h"

namespace igraphics
{

IPopupMenu::Item::Item(const char* text, int flags, int tag)
    : mText(text ? text : ""), mFlags(flags), mTag(tag)
{
}

IPopupMenu::Item::Item(const char* text, std::unique_ptr<IPopupMenu> submenu, int tag)
    : mText(text ? text : ""), mSubmenu(std::move(submenu)), mTag(tag)
{
}

void IPopupMenu::Item::SetChecked(bool checked)
{
  mFlags = checked ? (mFlags | kChecked) : (mFlags & ~kChecked);
}

void IPopupMenu::Item::SetEnabled(bool enabled)
{
  mFlags = enabled ? (mFlags & ~kDisabled) : (mFlags | kDisabled);
}

IPopupMenu::IPopupMenu(const char* title, int itemsPerColumn)
    : mItemsPerColumn(itemsPerColumn), mTitle(title ? title : "")
{
}

IPopupMenu::Item* IPopupMenu::AddItem(std::unique_ptr<Item> item)
{
  if (!item) return nullptr;
  mItems.push_back(std::move(item));
  return mItems.back().get();
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, int flags, int tag)
{
  return AddItem(std::make_unique<Item>(text, flags, tag));
}

IPopupMenu::Item* IPopupMenu::AddItem(const char* text, std::unique_ptr<IPopupMenu> submenu,
                                      int tag)
{
  return AddItem(std::make_unique<Item>(text, std::move(submenu), tag));
}

IPopupMenu::Item* IPopupMenu::AddSeparator()
{
  return AddItem("", Item::kSeparator);
}

IPopupMenu::Item* IPopupMenu::GetItem(int index) const
{
  if (index < 0 || index >= NItems()) return nullptr;
  return mItems[static_cast<std::size_t>(index)].get();
}

const char* IPopupMenu::GetItemText(int index) const
{
  const Item* item = GetItem(index);
  return item ? item->GetText() : "";
}

void IPopupMenu::CheckItemAlone(int index)
{
  for (int i = 0; i < NItems(); ++i)
    mItems[static_cast<std::size_t>(i)]->SetChecked(i == index);
}

void IPopupMenu::ExecCompletion()
{
  if (mCompletion) mCompletion(this);
}

void IPopupMenu::Clear()
{
  mNumbering = MenuNumbering::None;
  mFlag = false;
  mItems.clear();
  mChosenItemIdx = -1;
}

} // namespace igraphics
