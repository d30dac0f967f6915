// The in-editor popup menu: cell and panel geometry, columns and scrolling,
// hover and submenus, choosing, the close animation on the fake clock, the
// faults it must survive, and what it draws.
//
// The recording back end measures every character as half the text size wide
// and the text size high, so with the default 14-point style an item of n
// characters is 7n wide and every cell 14 high.

#include "IGraphics/Controls/IPopupMenuControl.h"
#include "support/FakeClock.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <string>

using namespace igraphics;
using namespace igraphics::test;

namespace
{

constexpr float kTextH = 14.f; // default text size
constexpr float kCharW = 7.f;  // half the text size
constexpr float kGap = 2.f;
constexpr float kMargin = 5.f;
constexpr float kShadow = 10.f;

IPopupMenu& FillMenu(IPopupMenu& menu, int n, const char* prefix = "Item")
{
  for (int i = 0; i < n; ++i)
    menu.AddItem((std::string(prefix) + std::to_string(i)).c_str());
  return menu;
}

struct PopupFixture : ::testing::Test
{
  explicit PopupFixture(int height = 400) : g(dlg, 732, height)
  {
    g.SetClock(&clock);
    g.AddPopupMenuControl();
    popup = static_cast<IPopupMenuControl*>(g.GetPopupMenuControl());
    target = static_cast<ProbeControl*>(
        g.AttachControl(std::make_unique<ProbeControl>(IRect(300, 20, 340, 60), COLOR_RED)));
  }
  ~PopupFixture() override { g.SetClock(nullptr); }

  // Opens `menu` as the target's context menu (its answer arrives as
  // "contextmenu:<index>").
  void Open(IPopupMenu& menu, const IRect& anchor = IRect(300, 20, 340, 60))
  {
    g.OpenPopupMenu(target, menu, anchor, -1, true);
  }

  // Ticks the platform every millisecond for `ms` milliseconds.
  void Run(double ms)
  {
    for (double t = 0; t < ms; t += 1.0)
    {
      clock.Advance(1.0);
      g.Tick();
    }
  }

  const IPopupMenuControl::PopupPanel& Root() const { return *popup->GetPanel(0); }
  static IRect Cell(const IPopupMenuControl::PopupPanel& p, int i)
  {
    return p.cells[static_cast<std::size_t>(i)];
  }

  FakeClock clock;
  FakeEditorDelegate dlg{0};
  RecordingGraphics g;
  IPopupMenuControl* popup = nullptr;
  ProbeControl* target = nullptr;
};

struct ShortEditorFixture : PopupFixture
{
  ShortEditorFixture() : PopupFixture(208) {}
};

} // namespace

// Geometry ------------------------------------------------------------------------------------

TEST_F(PopupFixture, ThreeItemsSpanFortySixWithPanelAndShadowAroundThem)
{
  IPopupMenu menu;
  menu.AddItem("Alpha");
  menu.AddItem("Be");
  menu.AddItem("Gamma");
  Open(menu);

  ASSERT_EQ(popup->NPanels(), 1);
  const auto& p = Root();
  ASSERT_EQ(p.cells.size(), 3u);
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_FLOAT_EQ(Cell(p, i).H(), kTextH);
    // The widest text (5 characters) plus 5 + 8 + 5 + 10.
    EXPECT_FLOAT_EQ(Cell(p, i).W(), 5 * kCharW + 28.f);
  }
  EXPECT_FLOAT_EQ(Cell(p, 2).B - Cell(p, 0).T, 3 * kTextH + 2 * kGap); // 46
  const IRect cells = Cell(p, 0).Union(Cell(p, 2));
  EXPECT_EQ(p.panelRect, cells.GetPadded(kMargin));
  EXPECT_EQ(p.shadowRect, cells.GetPadded(kMargin + kShadow));
  // The control covers the shadow and is hit over the panel.
  EXPECT_EQ(popup->GetRECT(), p.shadowRect);
  EXPECT_EQ(popup->GetTargetRECT(), p.panelRect);
}

TEST_F(PopupFixture, NearTheTopTheMenuOpensBelowItsAnchorCentredOnIt)
{
  IPopupMenu menu;
  FillMenu(menu, 3);
  Open(menu, IRect(300, 20, 340, 60));
  const auto& p = Root();
  const float w = 5 * kCharW + 28.f;
  // Prefer below: the panel's origin is (anchor centre − W/2, anchor bottom).
  EXPECT_FLOAT_EQ(Cell(p, 0).L, 320.f - 0.5f * w + kMargin);
  EXPECT_FLOAT_EQ(Cell(p, 0).T, 60.f + kMargin);
  EXPECT_EQ(popup->GetCalloutSide(), 2);
}

TEST_F(ShortEditorFixture, NearTheBottomWhereItDoesNotFitBelowTheMenuOpensBesideItsAnchor)
{
  IPopupMenu menu;
  FillMenu(menu, 3);
  Open(menu, IRect(300, 150, 340, 190));
  const auto& p = Root();
  const float h = 3 * kTextH + 2 * kGap;
  // Right of the anchor (the editor's centre is right of the anchor's),
  // lifted so the panel ends a text height below the anchor's centre.
  EXPECT_FLOAT_EQ(Cell(p, 0).L, 340.f + kMargin);
  EXPECT_FLOAT_EQ(Cell(p, 0).T, 170.f - h + kTextH + kMargin);
  EXPECT_EQ(popup->GetCalloutSide(), 1);
}

TEST_F(ShortEditorFixture, NearTheBottomWithNoRoomBesideTheMenuOpensAbove)
{
  IPopupMenu menu;
  FillMenu(menu, 3);
  Open(menu, IRect(0, 150, 732, 190));
  const auto& p = Root();
  const float w = 5 * kCharW + 28.f;
  const float h = 3 * kTextH + 2 * kGap;
  // Above: x = centre − W/2, y = anchor top − H − shadow size.
  EXPECT_FLOAT_EQ(Cell(p, 0).L, 366.f - 0.5f * w + kMargin);
  EXPECT_FLOAT_EQ(Cell(p, 0).T, 150.f - h - kShadow + kMargin);
  EXPECT_LE(p.shadowRect.B, 208.f);
  EXPECT_EQ(popup->GetCalloutSide(), 0);
}

TEST_F(PopupFixture, WithoutScrollingItemsPerColumnBreakColumnsAfterTheThirdAndSixth)
{
  popup->SetScrollIfTooBig(false);
  popup->SetItemsPerColumn(3);
  IPopupMenu menu;
  FillMenu(menu, 7);
  Open(menu);
  const auto& p = Root();
  ASSERT_EQ(p.cells.size(), 7u);
  const float w = Cell(p, 0).W();
  for (int i = 0; i < 7; ++i)
  {
    const int column = i / 3;
    const int row = i % 3;
    EXPECT_FLOAT_EQ(Cell(p, i).L, Cell(p, 0).L + static_cast<float>(column) * (w + kGap)) << i;
    EXPECT_FLOAT_EQ(Cell(p, i).T, Cell(p, 0).T + static_cast<float>(row) * (kTextH + kGap)) << i;
  }
  EXPECT_FALSE(p.scrolling);
}

TEST_F(PopupFixture, WithOneItemPerColumnOnlyTheSecondItemSharesTheFirstColumn)
{
  popup->SetScrollIfTooBig(false);
  popup->SetItemsPerColumn(1);
  IPopupMenu menu;
  FillMenu(menu, 4);
  Open(menu);
  const auto& p = Root();
  const float step = Cell(p, 0).W() + kGap;
  EXPECT_FLOAT_EQ(Cell(p, 1).L, Cell(p, 0).L);
  EXPECT_FLOAT_EQ(Cell(p, 1).T, Cell(p, 0).B + kGap);
  EXPECT_FLOAT_EQ(Cell(p, 2).L, Cell(p, 0).L + step);
  EXPECT_FLOAT_EQ(Cell(p, 3).L, Cell(p, 0).L + 2 * step);
  EXPECT_FLOAT_EQ(Cell(p, 3).T, Cell(p, 0).T);
}

TEST_F(PopupFixture, WithScrollingTheFirstColumnBreakKeepsEveryItemInOneColumn)
{
  popup->SetItemsPerColumn(3); // scroll if too tall is on by default
  IPopupMenu menu;
  FillMenu(menu, 7);
  Open(menu);
  const auto& p = Root();
  ASSERT_EQ(p.cells.size(), 7u);
  // 7 items fit in the (400 − 5 − 15) / 16 = 23 visible cells: one column,
  // not scrolling, moved up by 6 text heights.
  EXPECT_FALSE(p.scrolling);
  EXPECT_EQ(p.visibleCells, 23);
  for (int i = 1; i < 7; ++i)
  {
    EXPECT_FLOAT_EQ(Cell(p, i).L, Cell(p, 0).L);
    EXPECT_FLOAT_EQ(Cell(p, i).T, Cell(p, i - 1).B + kGap);
  }
}

// Scrolling -----------------------------------------------------------------------------------

TEST_F(ShortEditorFixture, ATallMenuScrollsOneStepPerHoverAndNeverPastItsEnd)
{
  IPopupMenu menu;
  FillMenu(menu, 30);
  Open(menu);
  const auto& p = Root();
  ASSERT_TRUE(p.scrolling);
  // (208 − 5 − (5 + 0 + 10)) / (14 + 2) = 11.75 → 11 cells from y = 15.
  ASSERT_EQ(p.cells.size(), 11u);
  EXPECT_FLOAT_EQ(Cell(p, 0).T, 15.f);
  const IRect last = Cell(p, 10);
  const IRect first = Cell(p, 0);

  popup->OnMouseOver(last.MW(), last.MH(), {});
  popup->OnMouseOver(last.MW(), last.MH(), {});
  EXPECT_EQ(p.scrollOffset, 2);
  popup->OnMouseOver(first.MW(), first.MH(), {});
  EXPECT_EQ(p.scrollOffset, 1);

  for (int i = 0; i < 40; ++i)
    popup->OnMouseOver(last.MW(), last.MH(), {});
  EXPECT_EQ(p.scrollOffset, 30 - 11);
}

TEST_F(ShortEditorFixture, APressOnAScrollArrowChoosesNothingAndKeepsTheMenuOpen)
{
  IPopupMenu menu;
  FillMenu(menu, 30);
  Open(menu);
  Run(150);
  ASSERT_EQ(popup->GetState(), IPopupMenuControl::kExpanded);
  const IRect last = Cell(Root(), 10);
  popup->OnMouseOver(last.MW(), last.MH(), {}); // offset 1: the first cell shows the up arrow
  const IRect first = Cell(Root(), 0);
  ASSERT_TRUE(Root().IsUpArrowCell(0));

  g.OnMouseDown({IMouseEvent{first.MW(), first.MH(), 0, 0, IMouseState{true}}});
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kExpanded);
  for (const std::string& e : target->Events())
    EXPECT_NE(e.rfind("contextmenu", 0), 0u) << e;

  // Committed anyway with an arrow hovered: still no item.
  popup->OnMouseDrag(last.MW(), last.MH(), 0, 0, {});
  ASSERT_TRUE(Root().IsDownArrowCell(10));
  popup->CommitChoice();
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_EQ(target->CountOf("contextmenu:-1"), 1);
}

// Choosing and closing ------------------------------------------------------------------------

TEST_F(PopupFixture, AChoiceReportsItsIndexAndThreeHundredMsLaterTheControlIsCollapsed)
{
  IPopupMenu menu;
  FillMenu(menu, 3);
  int completed = -2;
  menu.SetCompletionFunction([&](IPopupMenu* m) { completed = m->GetChosenItemIdx(); });
  Open(menu);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kExpanding);
  EXPECT_TRUE(popup->CapturesAllInput());
  Run(100);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kExpanding); // 100 ms is not yet past the end
  Run(1);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kExpanded);
  EXPECT_FLOAT_EQ(Root().blend.mWeight, 0.95f);

  const IRect cell = Cell(Root(), 1);
  g.OnMouseOver(cell.MW(), cell.MH(), {});
  g.OnMouseDown({IMouseEvent{cell.MW(), cell.MH(), 0, 0, IMouseState{true}}});
  EXPECT_EQ(completed, 1);
  EXPECT_EQ(target->CountOf("contextmenu:1"), 1);
  EXPECT_TRUE(popup->IsHidden()); // gone at once
  EXPECT_FALSE(popup->CapturesAllInput());
  g.OnMouseUp({IMouseEvent{cell.MW(), cell.MH(), 0, 0, IMouseState{true}}});

  // Three phases of 100 ms, each ending on the first tick past its end.
  Run(300);
  EXPECT_NE(popup->GetState(), IPopupMenuControl::kCollapsed);
  Run(5);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kCollapsed);
  EXPECT_EQ(popup->GetRECT(), IRect());
  EXPECT_EQ(popup->GetTargetRECT(), IRect());
  EXPECT_EQ(popup->NPanels(), 0);
  EXPECT_EQ(target->CountOf("contextmenu:1"), 1); // reported once
}

TEST_F(PopupFixture, AGreyedItemReportsNoChoiceAndClosesTheMenu)
{
  IPopupMenu menu;
  menu.AddItem("Title", IPopupMenu::Item::kGrayed);
  menu.AddItem("One");
  Open(menu);
  Run(150);
  const IRect cell = Cell(Root(), 0);
  popup->OnMouseOver(cell.MW(), cell.MH(), {});
  EXPECT_EQ(popup->GetHoveredCell(), -1); // greyed items are never hovered
  popup->OnMouseDown(cell.MW(), cell.MH(), IMouseState{true});
  EXPECT_EQ(target->CountOf("contextmenu:-1"), 1);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kFlickering);
}

TEST_F(PopupFixture, APressWhileTheMenuFadesInChoosesAsWhenItIsOpen)
{
  IPopupMenu menu;
  FillMenu(menu, 3);
  Open(menu);
  Run(40);
  ASSERT_EQ(popup->GetState(), IPopupMenuControl::kExpanding);
  const IRect cell = Cell(Root(), 2);
  g.OnMouseDown({IMouseEvent{cell.MW(), cell.MH(), 0, 0, IMouseState{true}}});
  EXPECT_EQ(target->CountOf("contextmenu:2"), 1);
  g.OnMouseUp({IMouseEvent{cell.MW(), cell.MH(), 0, 0, IMouseState{true}}});
  // Once closing, a press reaches the controls below, not the menu.
  EXPECT_FALSE(popup->CapturesAllInput());
  target->ClearEvents();
  g.OnMouseDown({IMouseEvent{320, 40, 0, 0, IMouseState{true}}});
  EXPECT_EQ(target->CountOf("down"), 1);
}

TEST_F(PopupFixture, AValuePromptOnAnEnumeratedParameterSetsItThroughTheMenu)
{
  FakeEditorDelegate d(1);
  d.GetParam(0)->DefineEnumeratedFromList("Mode", 0, {"Soft", "Hard", "Fold"});
  RecordingGraphics gr(d, 732, 400);
  gr.SetClock(&clock);
  gr.AddPopupMenuControl();
  auto* knob =
      gr.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), COLOR_RED, 0));
  knob->DisablePrompt(false);
  knob->RequestValueEntry(0);
  auto* menuControl = static_cast<IPopupMenuControl*>(gr.GetPopupMenuControl());
  ASSERT_EQ(menuControl->GetState(), IPopupMenuControl::kExpanding);
  ASSERT_EQ(menuControl->GetMenu(), &gr.GetPromptMenu());
  const IRect cell = menuControl->GetPanel(0)->cells[2];
  gr.OnMouseDown({IMouseEvent{cell.MW(), cell.MH(), 0, 0, IMouseState{true}}});
  EXPECT_DOUBLE_EQ(d.GetParam(0)->Value(), 2.0);
  EXPECT_EQ(gr.GetControlInPopupMenu(), nullptr);
  gr.SetClock(nullptr);
}

// Faults it survives --------------------------------------------------------------------------

TEST_F(PopupFixture, AnEmptyMenuDoesNotOpenAndCompletesWithNoChoice)
{
  IPopupMenu menu;
  int completions = 0;
  menu.SetCompletionFunction([&](IPopupMenu*) { ++completions; });
  Open(menu);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kCollapsed);
  EXPECT_TRUE(popup->IsHidden());
  EXPECT_EQ(completions, 1);
  EXPECT_EQ(target->CountOf("contextmenu:-1"), 1);
  EXPECT_EQ(g.GetControlInPopupMenu(), nullptr);
}

TEST_F(PopupFixture, CommitWithoutAnActivePanelDoesNothing)
{
  popup->CommitChoice(); // never opened
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kCollapsed);
  IPopupMenu menu;
  FillMenu(menu, 2);
  Open(menu);
  popup->CommitChoice();
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kFlickering);
  popup->CommitChoice(); // the active panel is gone now
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  EXPECT_EQ(target->CountOf("contextmenu:-1"), 1); // reported once
}

TEST(PopupMenuControl, AnEditorTooShortForAnyCellShowsNoCellsAndAPressChoosesNothing)
{
  FakeEditorDelegate dlg(0);
  RecordingGraphics g(dlg, 300, 20);
  g.AddPopupMenuControl();
  auto* popup = static_cast<IPopupMenuControl*>(g.GetPopupMenuControl());
  IPopupMenu menu;
  FillMenu(menu, 5);
  int chosen = -2;
  menu.SetCompletionFunction([&](IPopupMenu* m) { chosen = m->GetChosenItemIdx(); });
  popup->ShowMenu(menu, IRect(10, 2, 20, 8));
  ASSERT_EQ(popup->NPanels(), 1);
  EXPECT_LE(popup->GetPanel(0)->visibleCells, 0);
  EXPECT_TRUE(popup->GetPanel(0)->cells.empty());
  popup->OnMouseOver(15, 10, {});
  popup->OnMouseDown(15, 10, IMouseState{true});
  EXPECT_EQ(chosen, -1);
  g.Tick();
}

// Submenus ------------------------------------------------------------------------------------

namespace
{

// Opens its root panel beside the anchor, as no public option can.
class BesideAnchorPopup : public IPopupMenuControl
{
public:
  using IPopupMenuControl::IPopupMenuControl;
  void PlaceCalloutBeside() { mCalloutArrowDir = 1; }
};

IPopupMenu& MenuWithSubmenu(IPopupMenu& menu)
{
  menu.AddItem("Plain");
  auto sub = std::make_unique<IPopupMenu>();
  sub->AddItem("Deep A");
  sub->AddItem("Deep B");
  menu.AddItem("More", std::move(sub));
  return menu;
}

} // namespace

TEST_F(PopupFixture, HoveringAnItemWithASubmenuOpensAPanelBesideItAndChoosingInItReportsIt)
{
  IPopupMenu menu;
  MenuWithSubmenu(menu);
  Open(menu);
  Run(150);
  const IRect more = Cell(Root(), 1);
  popup->OnMouseOver(more.MW(), more.MH(), {});
  ASSERT_EQ(popup->NPanels(), 2);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kSubMenuAppearing);
  const auto& sub = *popup->GetPanel(1);
  EXPECT_EQ(sub.parentIdx, 0);
  EXPECT_TRUE(sub.shown);
  EXPECT_EQ(Root().cellWithOpenSubmenu, 1);
  // To the right: x = cell right + margin; level with the cell (callout below).
  EXPECT_FLOAT_EQ(sub.cells[0].L, more.R + kMargin + kMargin);
  EXPECT_FLOAT_EQ(sub.cells[0].T, more.T - kMargin + kMargin);
  EXPECT_TRUE(popup->GetRECT().Contains(sub.shadowRect));

  Run(200);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kSubMenuAppearing);
  EXPECT_FLOAT_EQ(sub.blend.mWeight, 0.95f); // shown from 90 % of the 200 ms on
  Run(1);
  EXPECT_EQ(popup->GetState(), IPopupMenuControl::kExpanded);
  const IRect deepB = sub.cells[1];
  popup->OnMouseOver(deepB.MW(), deepB.MH(), {});
  EXPECT_EQ(popup->GetActivePanelIdx(), 1);
  popup->OnMouseDown(deepB.MW(), deepB.MH(), IMouseState{true});
  EXPECT_EQ(menu.GetItem(1)->GetSubmenu()->GetChosenItemIdx(), 1);
  EXPECT_EQ(target->CountOf("contextmenu:1"), 1);
}

TEST_F(PopupFixture, HoveringAPlainItemHidesAnOpenSubmenu)
{
  IPopupMenu menu;
  MenuWithSubmenu(menu);
  Open(menu);
  const IRect more = Cell(Root(), 1);
  popup->OnMouseOver(more.MW(), more.MH(), {});
  ASSERT_TRUE(popup->GetSubmenuOpen());
  const IRect plain = Cell(Root(), 0);
  popup->OnMouseOver(plain.MW(), plain.MH(), {});
  EXPECT_FALSE(popup->GetPanel(1)->shown);
  EXPECT_FALSE(popup->GetSubmenuOpen());
  EXPECT_EQ(Root().cellWithOpenSubmenu, -1);
}

TEST(PopupMenuControl, ASubmenuOfAMenuBesideItsAnchorOpensAtTheHoveredCellInsideTheEditor)
{
  FakeEditorDelegate dlg(0);
  RecordingGraphics g(dlg, 400, 300);
  auto* popup = static_cast<BesideAnchorPopup*>(
      g.AttachControl(std::make_unique<BesideAnchorPopup>(-1, ITextStyle())));
  IPopupMenu menu;
  MenuWithSubmenu(menu);
  popup->ShowMenu(menu, IRect(100, 100, 140, 140));
  popup->PlaceCalloutBeside();
  const IRect more = popup->GetPanel(0)->cells[1];
  popup->OnMouseOver(more.MW(), more.MH(), {});
  ASSERT_EQ(popup->NPanels(), 2);
  const auto& sub = *popup->GetPanel(1);
  EXPECT_FLOAT_EQ(sub.cells[0].T, more.T); // panel top = cell top − margin
  EXPECT_GE(sub.shadowRect.T, 0.f);
  EXPECT_LE(sub.shadowRect.B, 300.f);
}

// Drawing -------------------------------------------------------------------------------------

TEST_F(PopupFixture, DrawsThePanelTheHoveredCellsHighlightAndEachItemsTextInItsCell)
{
  IPopupMenu menu;
  FillMenu(menu, 3);
  menu.GetItem(2)->SetChecked(true);
  Open(menu);
  Run(150);
  const IRect hovered = Cell(Root(), 1);
  popup->OnMouseOver(hovered.MW(), hovered.MH(), {});
  g.ClearOps();
  g.Tick();

  const auto panels = g.FillsOf(popup->mPanelColour);
  ASSERT_FALSE(panels.empty());
  EXPECT_EQ(panels.front().rect, Root().panelRect);
  EXPECT_FLOAT_EQ(panels.front().blend.mWeight, 0.95f);

  const auto highlights = g.FillsOf(popup->mHighlightColour);
  ASSERT_EQ(highlights.size(), 1u);
  EXPECT_EQ(highlights[0].rect,
            IRect(hovered.L - kMargin, hovered.T, hovered.R + kMargin, hovered.B));

  std::vector<DrawOp> texts = g.OpsOf(DrawOp::Kind::Text);
  ASSERT_EQ(texts.size(), 3u);
  for (int i = 0; i < 3; ++i)
  {
    const IRect c = Cell(Root(), i);
    EXPECT_EQ(texts[static_cast<std::size_t>(i)].text, "Item" + std::to_string(i));
    EXPECT_EQ(texts[static_cast<std::size_t>(i)].rect, IRect(c.L + 15.f, c.T, c.R - 5.f, c.B));
    EXPECT_EQ(texts[static_cast<std::size_t>(i)].colour,
              i == 1 ? popup->mHighlightedTextColour : popup->mTextColour);
  }

  // The check mark: a 5-point square centred in the 10-point check column.
  const IRect checked = Cell(Root(), 2);
  bool found = false;
  for (const DrawOp& op : g.FillsOf(popup->mTextColour))
    found = found || op.rect == IRect(checked.L + 2.5f, checked.MH() - 2.5f, checked.L + 7.5f,
                                      checked.MH() + 2.5f);
  EXPECT_TRUE(found);
}

TEST_F(PopupFixture, WithACalloutATrianglePointsFromThePanelBelowUpToTheAnchor)
{
  popup->SetCallout(true);
  IPopupMenu menu;
  FillMenu(menu, 2);
  Open(menu, IRect(300, 20, 340, 60));
  // Below the anchor, lowered by the 8-point callout: an 8 × 8 triangle under
  // the anchor's centre, and the panel starting 8 below the anchor.
  EXPECT_EQ(popup->GetCalloutRect(), IRect(316, 60, 324, 68));
  EXPECT_FLOAT_EQ(Cell(Root(), 0).T, 68.f + kMargin);
  Run(150);
  g.ClearOps();
  popup->SetDirty(false);
  g.Tick();
  bool found = false;
  for (const DrawOp& op : g.FillsOf(popup->mPanelColour))
    found = found || op.rect == IRect(316, 60, 324, 68);
  EXPECT_TRUE(found);
}
