#include "IGraphics/Platforms/NativeMenuPlan.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace igraphics
{
namespace
{

using Item = IPopupMenu::Item;

std::unique_ptr<IPopupMenu> MenuOf(std::initializer_list<const char*> texts)
{
  auto menu = std::make_unique<IPopupMenu>();
  for (const char* text : texts)
    menu->AddItem(text);
  return menu;
}

std::vector<int> IdsOf(const NativeMenuPlan::Menu& menu)
{
  std::vector<int> ids;
  for (const auto& entry : menu.entries)
    ids.push_back(entry.id);
  return ids;
}

TEST(NativeMenuPlan, ThreeItemsWithASubmenuOfTwoUseIdsZeroToTwoThenThreeToFour)
{
  IPopupMenu root;
  root.AddItem("One");
  root.AddItem("Two", MenuOf({"Two A", "Two B"}));
  root.AddItem("Three");
  const NativeMenuPlan plan(root);

  ASSERT_EQ(plan.Menus().size(), 2u);
  EXPECT_EQ(IdsOf(plan.Menus()[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(IdsOf(plan.Menus()[1]), (std::vector<int>{3, 4}));
  EXPECT_EQ(plan.Menus()[0].entries[1].submenu, 1);
  EXPECT_EQ(plan.Menus()[0].entries[0].submenu, -1);
  EXPECT_EQ(plan.IdCount(), 5);

  IPopupMenu* menu = nullptr;
  int index = -1;
  ASSERT_TRUE(plan.Find(4, menu, index));
  EXPECT_EQ(menu, root.GetItem(1)->GetSubmenu());
  EXPECT_EQ(index, 1);
  ASSERT_TRUE(plan.Find(2, menu, index));
  EXPECT_EQ(menu, &root);
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(plan.Find(5, menu, index));
  EXPECT_FALSE(plan.Find(-1, menu, index));
}

TEST(NativeMenuPlan, SubmenusTakeTheirIdsDepthFirstAfterTheirParentsItems)
{
  // root: A, B → [C, D → [E]], F → [G]
  auto inner = MenuOf({"E"});
  auto first = MenuOf({"C"});
  first->AddItem("D", std::move(inner));
  IPopupMenu root;
  root.AddItem("A");
  root.AddItem("B", std::move(first));
  root.AddItem("F", MenuOf({"G"}));
  const NativeMenuPlan plan(root);

  ASSERT_EQ(plan.Menus().size(), 4u);
  EXPECT_EQ(IdsOf(plan.Menus()[0]), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(IdsOf(plan.Menus()[1]), (std::vector<int>{3, 4})); // C, D
  EXPECT_EQ(IdsOf(plan.Menus()[2]), (std::vector<int>{5}));    // E
  EXPECT_EQ(IdsOf(plan.Menus()[3]), (std::vector<int>{6}));    // G
  EXPECT_EQ(plan.Menus()[2].entries[0].label, "E");
  EXPECT_EQ(plan.Menus()[3].entries[0].label, "G");
}

TEST(NativeMenuPlan, SeparatorsUseAnIdAndFlagsCarryOver)
{
  IPopupMenu root;
  root.AddItem("Title", Item::kGrayed);
  root.AddSeparator();
  root.AddItem("Off", Item::kDisabled);
  root.AddItem("On", Item::kChecked);
  const NativeMenuPlan plan(root);

  const auto& entries = plan.Menus()[0].entries;
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_TRUE(entries[0].grayed);
  EXPECT_FALSE(entries[0].disabled);
  EXPECT_TRUE(entries[1].separator);
  EXPECT_EQ(entries[1].id, 1);
  EXPECT_EQ(entries[2].id, 2);
  EXPECT_TRUE(entries[2].disabled);
  EXPECT_FALSE(entries[2].checked);
  EXPECT_TRUE(entries[3].checked);
  EXPECT_FALSE(entries[3].grayed);
}

TEST(NativeMenuPlan, ColumnsBreakAtEveryMultipleOfTheColumnLengthBelow160Items)
{
  IPopupMenu seven("", 3);
  for (int i = 0; i < 7; ++i)
    seven.AddItem("x");
  const NativeMenuPlan plan(seven);
  std::vector<int> breaks;
  for (const auto& entry : plan.Menus()[0].entries)
    if (entry.columnBreak) breaks.push_back(entry.id);
  EXPECT_EQ(breaks, (std::vector<int>{3, 6}));

  auto countBreaks = [](int items, int perColumn)
  {
    IPopupMenu menu("", perColumn);
    for (int i = 0; i < items; ++i)
      menu.AddItem("x");
    const NativeMenuPlan plan(menu);
    int n = 0;
    for (const auto& entry : plan.Menus()[0].entries)
      n += entry.columnBreak ? 1 : 0;
    return n;
  };
  EXPECT_EQ(countBreaks(159, 10), 15); // 10, 20, …, 150
  EXPECT_EQ(countBreaks(160, 10), 0);
  EXPECT_EQ(countBreaks(7, 0), 0);
}

TEST(NativeMenuPlan, LabelsAreNumberedCutAndShowAmpersandsAsWritten)
{
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::None, 1, "A&B"), "A&&B");
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::TwoDigits, 7, "Drive"), "07: Drive");
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::OneDigit, 3, "x"), "3: x");
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::ThreeDigits, 12, "x"), "012: x");
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::None, 1, nullptr), "");

  const std::string sixty(60, 'a');
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::TwoDigits, 1, sixty.c_str()),
            "01: " + std::string(46, 'a'));
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::None, 1, sixty.c_str()), sixty);

  // "01: " and 45 letters take 49 bytes; the two bytes of é would end at byte 51.
  const std::string accent = std::string(45, 'a') + "\xC3\xA9";
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::TwoDigits, 1, accent.c_str()),
            "01: " + std::string(45, 'a'));
  // The cut comes first: one "&" survives it and is then doubled.
  const std::string amps = std::string(45, 'a') + "&&&&&";
  EXPECT_EQ(NativeMenuPlan::Label(MenuNumbering::TwoDigits, 1, amps.c_str()),
            "01: " + std::string(45, 'a') + "&&");
}

TEST(NativeMenuPlan, AnEmptySubmenuHoldsNoIds)
{
  IPopupMenu root;
  root.AddItem("Empty", std::make_unique<IPopupMenu>());
  root.AddItem("B");
  const NativeMenuPlan plan(root);
  ASSERT_EQ(plan.Menus().size(), 2u);
  EXPECT_TRUE(plan.Menus()[1].entries.empty());
  IPopupMenu* menu = nullptr;
  int index = -1;
  ASSERT_TRUE(plan.Find(1, menu, index));
  EXPECT_EQ(menu, &root);
  EXPECT_EQ(index, 1);
}

} // namespace
} // namespace igraphics
