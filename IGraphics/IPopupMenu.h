#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace igraphics
{

enum class MenuNumbering : int
{
  None = 0,
  OneDigit = 1,   // "%1d: %s"
  TwoDigits = 2,  // "%02d: %s"
  ThreeDigits = 3 // "%03d: %s"
};

// A menu model shared by the in-editor and the platform menus: items with
// optional submenus, the chosen item and a completion run once one is chosen.
// [main-thread]
class IPopupMenu
{
public:
  class Item
  {
  public:
    enum Flags : int
    {
      kNoFlags = 0,
      kGrayed = 1,
      kDisabled = 2,
      kChecked = 4,
      kSeparator = 8
    };

    explicit Item(const char* text, int flags = kNoFlags, int tag = -1);
    // Takes ownership of the submenu.
    Item(const char* text, std::unique_ptr<IPopupMenu> submenu, int tag = -1);

    const char* GetText() const { return mText.c_str(); }
    void SetText(const char* text) { mText = text ? text : ""; }
    int GetFlags() const { return mFlags; }
    bool GetEnabled() const { return (mFlags & kDisabled) == 0; }
    bool GetChecked() const { return (mFlags & kChecked) != 0; }
    bool GetIsSeparator() const { return (mFlags & kSeparator) != 0; }
    bool GetIsTitle() const { return (mFlags & kGrayed) != 0; }
    void SetChecked(bool checked);
    void SetEnabled(bool enabled);
    int GetTag() const { return mTag; }
    IPopupMenu* GetSubmenu() const { return mSubmenu.get(); }

  private:
    std::string mText;
    std::unique_ptr<IPopupMenu> mSubmenu;
    int mFlags = kNoFlags;
    int mTag = -1;
  };

  using CompletionFunction = std::function<void(IPopupMenu*)>;

  explicit IPopupMenu(const char* title = "", int itemsPerColumn = 0);
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  // Appends and returns the item.
  Item* AddItem(std::unique_ptr<Item> item);
  Item* AddItem(const char* text, int flags = Item::kNoFlags, int tag = -1);
  Item* AddItem(const char* text, std::unique_ptr<IPopupMenu> submenu, int tag = -1);
  Item* AddSeparator();

  int NItems() const { return static_cast<int>(mItems.size()); }
  // Null for an index outside the items.
  Item* GetItem(int index) const;
  const char* GetItemText(int index) const;

  int GetChosenItemIdx() const { return mChosenItemIdx; }
  void SetChosenItemIdx(int index) { mChosenItemIdx = index; }
  Item* GetChosenItem() const { return GetItem(mChosenItemIdx); }
  // Checks exactly the item at `index`.
  void CheckItemAlone(int index);

  int GetItemsPerColumn() const { return mItemsPerColumn; }
  void SetItemsPerColumn(int count) { mItemsPerColumn = count; }
  MenuNumbering GetNumbering() const { return mNumbering; }
  void SetNumbering(MenuNumbering numbering) { mNumbering = numbering; }
  const char* GetTitle() const { return mTitle.c_str(); }
  void SetTitle(const char* title) { mTitle = title ? title : ""; }
  bool GetFlag() const { return mFlag; }
  void SetFlag(bool flag) { mFlag = flag; }

  void SetCompletionFunction(CompletionFunction func) { mCompletion = std::move(func); }
  // Runs the completion function, if one is set, with this menu.
  void ExecCompletion();

  // Back to an empty menu: numbering none, flag clear, no items, nothing chosen.
  // Title, columns and completion stay.
  void Clear();

private:
  int mItemsPerColumn = 0;
  MenuNumbering mNumbering = MenuNumbering::None;
  int mChosenItemIdx = -1;
  bool mFlag = false;
  std::vector<std::unique_ptr<Item>> mItems;
  CompletionFunction mCompletion;
  std::string mTitle;
};

} // namespace igraphics
