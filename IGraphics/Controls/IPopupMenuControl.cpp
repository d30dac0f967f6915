#include "IGraphics/Controls/IPopupMenuControl.h"

#include "IGraphics/IGraphics.h"

#include <algorithm>

namespace igraphics
{

namespace
{

constexpr double kStepMs = 100.0;
constexpr double kSubmenuMs = 200.0;
// A new submenu panel stays invisible for most of its animation.
constexpr double kSubmenuShowFraction = 0.9;

bool Choosable(const IPopupMenu::Item& item)
{
  const int unchoosable =
      IPopupMenu::Item::kGrayed | IPopupMenu::Item::kDisabled | IPopupMenu::Item::kSeparator;
  return (item.GetFlags() & unchoosable) == 0 && item.GetSubmenu() == nullptr;
}

bool Grayed(const IPopupMenu& menu, int itemIdx)
{
  const IPopupMenu::Item* item = menu.GetItem(itemIdx);
  return item != nullptr && item->GetIsTitle();
}

} // namespace

// PopupPanel -----------------------------------------------------------------------------------

int IPopupMenuControl::PopupPanel::ItemIdxOfCell(int cellIdx) const
{
  const int itemIdx = scrollOffset + cellIdx;
  return menu != nullptr && itemIdx >= 0 && itemIdx < menu->NItems() ? itemIdx : -1;
}

bool IPopupMenuControl::PopupPanel::IsUpArrowCell(int cellIdx) const
{
  return scrolling && cellIdx == 0 && scrollOffset > 0;
}

bool IPopupMenuControl::PopupPanel::IsDownArrowCell(int cellIdx) const
{
  const int nCells = static_cast<int>(cells.size());
  return scrolling && nCells > 0 && cellIdx == nCells - 1 && menu != nullptr &&
         scrollOffset < menu->NItems() - nCells;
}

int IPopupMenuControl::PopupPanel::CellAt(float x, float y) const
{
  for (int i = 0; i < static_cast<int>(cells.size()); ++i)
  {
    const IRect& c = cells[static_cast<std::size_t>(i)];
    if (c.Contains(x, y)) return i;
  }
  return -1;
}

// Construction ---------------------------------------------------------------------------------

IPopupMenuControl::IPopupMenuControl(int paramIdx, const ITextStyle& style,
                                     const IRect& collapsedBounds, const IRect& expandedBounds)
    : IControl(collapsedBounds, paramIdx), mSpecifiedCollapsedBounds(collapsedBounds),
      mSpecifiedExpandedBounds(expandedBounds)
{
  mText = style;
  mHide = true;
  // The action function starts the animation of the current state.
  SetActionFunction(
      [](IControl* c)
      {
        auto* self = static_cast<IPopupMenuControl*>(c);
        self->SetAnimation([](IControl* a) { static_cast<IPopupMenuControl*>(a)->Animation(); },
                           self->mState == kSubMenuAppearing ? kSubmenuMs : kStepMs);
      });
}

IPopupMenuControl::~IPopupMenuControl() = default;

const IPopupMenuControl::PopupPanel* IPopupMenuControl::GetPanel(int idx) const
{
  if (idx < 0 || idx >= NPanels()) return nullptr;
  return mPanels[static_cast<std::size_t>(idx)].get();
}

int IPopupMenuControl::GetActivePanelIdx() const
{
  for (int i = 0; i < NPanels(); ++i)
    if (mPanels[static_cast<std::size_t>(i)].get() == mActivePanel) return i;
  return -1;
}

bool IPopupMenuControl::CapturesAllInput() const
{
  return mState == kExpanding || mState == kExpanded || mState == kSubMenuAppearing;
}

// Sizes and layout -----------------------------------------------------------------------------

IRect IPopupMenuControl::CellSize(const IPopupMenu& menu, float x, float y) const
{
  IRect span;
  for (int i = 0; i < menu.NItems(); ++i)
  {
    IRect textBounds;
    if (mGraphics != nullptr) mGraphics->MeasureText(mText, menu.GetItemText(i), textBounds);
    span = span.Union(textBounds);
  }
  return IRect(x, y, x + span.W() + mTextMargin + mArrowColumn + mTextMargin + mCheckColumn,
               y + span.H());
}

void IPopupMenuControl::PanelSize(const IPopupMenu& menu, float& w, float& h) const
{
  const IRect cell = CellSize(menu, 0.f, 0.f);
  int separators = 0;
  for (int i = 0; i < menu.NItems(); ++i)
    separators += menu.GetItem(i)->GetIsSeparator() ? 1 : 0;
  const int items = menu.NItems();
  w = cell.W();
  h = static_cast<float>(items - separators) * cell.H() +
      static_cast<float>(separators) * mSeparatorSize + static_cast<float>(items - 1) * mCellGap;
}

std::unique_ptr<IPopupMenuControl::PopupPanel>
IPopupMenuControl::MakePanel(IPopupMenu& menu, float x, float y, int parentIdx) const
{
  auto panel = std::make_unique<PopupPanel>();
  panel->menu = &menu;
  panel->parentIdx = parentIdx;
  panel->cellSize = CellSize(menu, x, y);
  const float cellW = panel->cellSize.W();
  const float textH = panel->cellSize.H();
  const int nItems = menu.NItems();

  float left = x + mPadding;
  float top = y + mPadding;
  for (int i = 0; i < nItems; ++i)
  {
    const float h = menu.GetItem(i)->GetIsSeparator() ? mSeparatorSize : textH;
    const bool tooLow = top + h > mMaxBounds.B - mPadding;
    const bool columnBreak = mMaxColumnItems > 0 && i >= 2 && i % mMaxColumnItems == 0;
    if (tooLow || columnBreak)
    {
      if (mScrollIfTooBig)
      {
        panel->cells.clear();
        const float scrollTop = mPadding + mMaxBounds.T + mDropShadowSize;
        const int fit = std::max(
            0, static_cast<int>((mMaxBounds.B - mPadding - scrollTop) / (textH + mCellGap)));
        panel->visibleCells = fit;
        if (nItems < fit)
        {
          // One column, moved up so its first step ends where the first cell would have.
          float cellTop = y + mPadding + textH - static_cast<float>(nItems) * textH;
          for (int j = 0; j < nItems; ++j)
          {
            const float hj = menu.GetItem(j)->GetIsSeparator() ? mSeparatorSize : textH;
            panel->cells.emplace_back(x + mPadding, cellTop, x + mPadding + cellW, cellTop + hj);
            cellTop += hj + mCellGap;
          }
        }
        else
        {
          panel->scrolling = true;
          float cellTop = scrollTop;
          for (int j = 0; j < fit; ++j)
          {
            panel->cells.emplace_back(x + mPadding, cellTop, x + mPadding + cellW, cellTop + textH);
            cellTop += textH + mCellGap;
          }
        }
        break;
      }
      left += cellW + mCellGap;
      top = mPadding + panel->cellSize.T;
    }
    panel->cells.emplace_back(left, top, left + cellW, top + h);
    top += h + mCellGap;
  }

  IRect area;
  if (mSpecifiedExpandedBounds.W() != 0.f)
    area = mSpecifiedExpandedBounds;
  else
    for (const IRect& c : panel->cells)
      area = area.Union(c);
  if (area.Empty()) return panel; // no cell fits: nothing to draw or hit
  panel->panelRect = area.GetPadded(mPadding);
  panel->shadowRect = area.GetPadded(mDropShadowSize + mPadding);
  return panel;
}

void IPopupMenuControl::Limits(float w, float h, float& left, float& right, float& top,
                               float& bottom) const
{
  left = mMaxBounds.L + mDropShadowSize;
  right = mMaxBounds.R - w - 2.f * mDropShadowSize;
  top = mMaxBounds.T + mDropShadowSize;
  bottom = mMaxBounds.B - h - 2.f * mDropShadowSize;
}

// Opening --------------------------------------------------------------------------------------

void IPopupMenuControl::ShowMenu(IPopupMenu& menu, const IRect& anchor)
{
  if (mState != kCollapsed) return;
  if (menu.NItems() == 0)
  {
    // Nothing to show (its panel would have a negative height): answer "no choice".
    menu.SetChosenItemIdx(-1);
    menu.ExecCompletion();
    if (mGraphics != nullptr) mGraphics->SetPopupMenuDone(&menu);
    return;
  }
  mMenu = &menu;
  mMenuHasSubmenu = false;
  for (int i = 0; i < menu.NItems(); ++i)
    mMenuHasSubmenu = mMenuHasSubmenu || menu.GetItem(i)->GetSubmenu() != nullptr;
  if (mMaxBounds.W() == 0.f && mGraphics != nullptr)
    mMaxBounds = IRect(0.f, 0.f, static_cast<float>(mGraphics->Width()),
                       static_cast<float>(mGraphics->Height()));
  Expand(anchor);
}

void IPopupMenuControl::Expand(const IRect& anchor)
{
  mHide = false;
  mState = kExpanding;
  if (mGraphics != nullptr) mGraphics->OnPopupMenuShown(true);
  mPanels.clear();
  mActivePanel = nullptr;
  mLastOpenedPanel = nullptr;
  mHoveredCell = -1;
  mSubMenuOpened = false;
  mAnchorArea = anchor;

  const IRect& a = anchor;
  const IRect& m = mMaxBounds;
  const float cx = a.MW(), cy = a.MH(), mx = m.MW(), my = m.MH();
  float w = 0.f, h = 0.f;
  PanelSize(*mMenu, w, h);
  const float c = mCallOut ? mCalloutSize : 0.f;
  const float e = 0.5f * c;
  float left, right, top, bottom;
  Limits(w, h, left, right, top, bottom);

  float x = 0.f;
  float y = 0.f;
  auto placeBeside = [&]
  {
    if (mx >= cx)
    {
      x = a.R + c;
      mCalloutBounds = IRect(a.R, cy - e, a.R + c, cy + e);
      mCalloutArrowDir = 1;
    }
    else
    {
      x = a.L - c - w - mDropShadowSize;
      mCalloutBounds = IRect(a.L - c, cy - e, a.L, cy + e);
      mCalloutArrowDir = 3;
    }
  };
  auto calloutBelow = [&]
  {
    mCalloutBounds = IRect(cx - e, a.B, cx + e, a.B + c);
    mCalloutArrowDir = 2;
  };
  auto calloutAbove = [&]
  {
    mCalloutBounds = IRect(cx - e, a.T - c, cx + e, a.T);
    mCalloutArrowDir = 0;
  };
  auto xOutOfRange = [&] { return x <= left || x > right; };

  y = my >= cy ? cy - (c + mText.mSize) : cy - h + (c + mText.mSize);
  placeBeside();
  const bool fitsBeside = top < y && y <= bottom && !xOutOfRange();
  if (!fitsBeside)
  {
    if ((xOutOfRange() || y <= top) && my >= cy)
    {
      x = cx - 0.5f * w;
      y = a.B + c;
      calloutBelow();
      if (y > bottom)
      {
        placeBeside();
        y = bottom;
      }
    }
    if ((y > bottom || xOutOfRange()) && cy > my)
    {
      x = cx - 0.5f * w;
      y = a.T - c - h - mDropShadowSize;
      calloutAbove();
      if (y <= top)
      {
        placeBeside();
        y = top;
      }
    }
    x = std::min(right, std::max(left, x));
    y = std::min(bottom, std::max(top, y));
  }

  if (mPreferBelow)
  {
    if (bottom >= a.B + c)
    {
      x = cx - 0.5f * w;
      y = a.B + c;
      calloutBelow();
    }
    x = std::min(right, std::max(left, x));
  }

  if (mMenuHasSubmenu)
  {
    mSubmenuOnRight = mx >= cx;
    x = mSubmenuOnRight ? cx - 0.5f * w - mCalloutOffset : cx - 0.5f * w + mCalloutOffset;
    x = std::min(right, std::max(left, x));
    if (m.B - a.B >= a.T - m.T)
    {
      y = std::max(top, std::min(bottom, a.B + c));
      calloutBelow();
    }
    else
    {
      y = std::min(bottom, std::max(top, a.T - c - h - mDropShadowSize));
      calloutAbove();
    }
  }

  // A menu larger than the editor has limits the wrong way round and the
  // clamps above push it past the top or left edge: start it at the limit
  // instead, so it scrolls (or its columns run off the far side).
  x = std::max(x, left);
  y = std::max(y, top);

  mPanels.push_back(MakePanel(*mMenu, x, y, -1));
  mActivePanel = mPanels.back().get();
  mLastOpenedPanel = mActivePanel;
  mTargetRECT = mActivePanel->panelRect;
  mRECT = mActivePanel->shadowRect;
  mMouseIsOver = false;
  OnResize();
  SetDirty(true);
}

// Pointer --------------------------------------------------------------------------------------

void IPopupMenuControl::OnMouseOver(float x, float y, const IMouseState& mod)
{
  (void)mod;
  auto hoverable = [](const PopupPanel& panel, float px, float py)
  {
    for (int i = 0; i < static_cast<int>(panel.cells.size()); ++i)
    {
      if (!panel.cells[static_cast<std::size_t>(i)].Contains(px, py)) continue;
      // Arrow cells scroll whatever item lies under them.
      if (panel.IsUpArrowCell(i) || panel.IsDownArrowCell(i)) return i;
      if (!Grayed(*panel.menu, panel.ItemIdxOfCell(i))) return i;
    }
    return -1;
  };

  mHoveredCell = mActivePanel != nullptr ? hoverable(*mActivePanel, x, y) : -1;
  if (mHoveredCell < 0)
  {
    for (auto it = mPanels.rbegin(); it != mPanels.rend(); ++it)
    {
      PopupPanel& panel = **it;
      if (!panel.shown || !panel.shadowRect.Contains(x, y)) continue;
      mActivePanel = &panel;
      mHoveredCell = hoverable(panel, x, y);
      break;
    }
  }

  if (mHoveredCell >= 0)
  {
    UpdateSubmenus();
    ScrollActivePanel();
  }
  SetDirty(false);
}

void IPopupMenuControl::UpdateSubmenus()
{
  PopupPanel& active = *mActivePanel;
  const int activeIdx = GetActivePanelIdx();
  const IRect cell = active.cells[static_cast<std::size_t>(mHoveredCell)];
  const bool arrowCell = active.IsUpArrowCell(mHoveredCell) || active.IsDownArrowCell(mHoveredCell);
  const int itemIdx = active.ItemIdxOfCell(mHoveredCell);
  const IPopupMenu::Item* item = arrowCell ? nullptr : active.menu->GetItem(itemIdx);
  IPopupMenu* submenu = item != nullptr ? item->GetSubmenu() : nullptr;
  if (submenu != nullptr && submenu->NItems() == 0) submenu = nullptr; // nothing to show

  if (submenu == nullptr)
  {
    if (active.cellWithOpenSubmenu >= 0 || mSubMenuOpened)
    {
      active.cellWithOpenSubmenu = -1;
      HideDescendants(activeIdx);
      mSubMenuOpened = false;
    }
    return;
  }

  for (auto& panel : mPanels)
    panel->shown = panel->menu == submenu;
  active.cellWithOpenSubmenu = item->GetIsTitle() ? -1 : mHoveredCell;
  OpenSubmenu(*submenu, cell);
}

void IPopupMenuControl::OpenSubmenu(IPopupMenu& submenu, const IRect& cell)
{
  const int activeIdx = GetActivePanelIdx();
  PopupPanel* subPanel = nullptr;
  for (auto& panel : mPanels)
    if (panel->menu == &submenu) subPanel = panel.get();

  const float c = mCallOut ? mCalloutSize : 0.f;
  if (subPanel == nullptr)
  {
    float ws = 0.f, hs = 0.f;
    PanelSize(submenu, ws, hs);
    float left, right, top, bottom;
    Limits(ws, hs, left, right, top, bottom);
    float x =
        mSubmenuOnRight ? cell.R + mPadding + c : cell.L - mPadding - c - ws - mDropShadowSize;
    x = std::min(right, std::max(left, x));
    float y;
    if (mCalloutArrowDir == 0)
      y = std::min(bottom,
                   std::max(top, cell.T - 0.5f * mPadding - hs + 2.f * mCellGap + mDropShadowSize));
    else // below, or beside the anchor: level with the hovered cell, inside the editor
      y = std::max(top, std::min(bottom, cell.T - mPadding));
    mPanels.push_back(MakePanel(submenu, x, y, activeIdx));
    subPanel = mPanels.back().get();
  }

  // Exactly the chain from the root to the submenu shows.
  for (int i = NPanels() - 1; i >= 0; --i)
  {
    const PopupPanel& panel = *mPanels[static_cast<std::size_t>(i)];
    if (!panel.shown) continue;
    for (int p = panel.parentIdx; p >= 0; p = mPanels[static_cast<std::size_t>(p)]->parentIdx)
      mPanels[static_cast<std::size_t>(p)]->shown = true;
  }
  mSubMenuOpened = true;
  const float mid = cell.MH();
  if (mSubmenuOnRight)
    mSubMenuCalloutBounds =
        IRect(cell.R + mPadding, mid - 0.5f * c, cell.R + mPadding + c, mid + 0.5f * c);
  else
    mSubMenuCalloutBounds =
        IRect(cell.L - mPadding - c, mid - 0.5f * c, cell.L - mPadding, mid + 0.5f * c);
  GrowBoundsToShownPanels();

  if (subPanel != mLastOpenedPanel)
  {
    mState = kSubMenuAppearing;
    mLastOpenedPanel = subPanel;
  }
  SetDirty(true);
}

void IPopupMenuControl::HideDescendants(int panelIdx)
{
  for (int i = 0; i < NPanels(); ++i)
  {
    PopupPanel& panel = *mPanels[static_cast<std::size_t>(i)];
    if (panel.parentIdx != panelIdx || i == panelIdx) continue;
    panel.shown = false;
    panel.cellWithOpenSubmenu = -1;
    HideDescendants(i);
  }
}

void IPopupMenuControl::GrowBoundsToShownPanels()
{
  for (const auto& panel : mPanels)
  {
    if (!panel->shown) continue;
    mRECT = mRECT.Union(panel->shadowRect);
    mTargetRECT = mTargetRECT.Union(panel->panelRect);
  }
  mMouseIsOver = false;
  OnResize();
}

void IPopupMenuControl::ScrollActivePanel()
{
  PopupPanel& panel = *mActivePanel;
  const int nCells = static_cast<int>(panel.cells.size());
  if (!panel.scrolling || nCells == 0) return;
  const int nItems = panel.menu->NItems();
  if (mHoveredCell == 0)
    panel.scrollOffset = std::min(nCells - 1, std::max(0, panel.scrollOffset - 1));
  else if (mHoveredCell == nCells - 1)
    panel.scrollOffset = std::min(nItems - nCells, std::max(0, panel.scrollOffset + 1));
}

void IPopupMenuControl::OnMouseOut()
{
  mHoveredCell = -1;
  SetDirty(false);
}

void IPopupMenuControl::OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod)
{
  (void)dX;
  (void)dY;
  (void)mod;
  mHoveredCell = mActivePanel != nullptr ? mActivePanel->CellAt(x, y) : -1;
  SetDirty(false);
}

void IPopupMenuControl::OnMouseWheel(float x, float y, const IMouseState& mod, float delta)
{
  (void)x;
  (void)y;
  (void)mod;
  (void)delta;
}

void IPopupMenuControl::OnMouseDown(float x, float y, const IMouseState& mod)
{
  // A press while the menu fades or a submenu appears chooses just as when
  // it is fully open; once closing, presses reach nothing here.
  if (!CapturesAllInput())
  {
    IControl::OnMouseDown(x, y, mod);
    return;
  }
  mHoveredCell = mActivePanel != nullptr ? mActivePanel->CellAt(x, y) : -1;
  // A scroll arrow shows no item: pressing it keeps the menu open.
  if (mHoveredCell >= 0 &&
      (mActivePanel->IsUpArrowCell(mHoveredCell) || mActivePanel->IsDownArrowCell(mHoveredCell)))
    return;
  CommitChoice();
}

void IPopupMenuControl::CommitChoice()
{
  // Nothing open (never opened, or already chosen): nothing to commit.
  if (mActivePanel == nullptr) return;
  IPopupMenu* menu = mActivePanel->menu;
  if (menu != nullptr)
  {
    menu->SetChosenItemIdx(-1);
    if (mHoveredCell >= 0 && mHoveredCell < static_cast<int>(mActivePanel->cells.size()) &&
        !mActivePanel->IsUpArrowCell(mHoveredCell) && !mActivePanel->IsDownArrowCell(mHoveredCell))
    {
      const int itemIdx = mActivePanel->ItemIdxOfCell(mHoveredCell);
      const IPopupMenu::Item* item = menu->GetItem(itemIdx);
      if (item != nullptr && Choosable(*item))
      {
        menu->SetChosenItemIdx(itemIdx);
        mActivePanel->clickedCell = mHoveredCell;
      }
    }
    menu->ExecCompletion();
    if (mGraphics != nullptr) mGraphics->SetPopupMenuDone(menu);
  }
  mSubMenuOpened = false;
  mActivePanel = nullptr;
  mState = kFlickering;
  Hide(true);
  SetDirty(true);
}

// Animation ------------------------------------------------------------------------------------

void IPopupMenuControl::SetAllWeights(float weight)
{
  for (auto& panel : mPanels)
    panel->blend.mWeight = weight;
}

void IPopupMenuControl::Animation()
{
  const double p = GetAnimationFraction();
  if (p > 1.0)
  {
    OnAnimationEnd();
    return;
  }
  switch (mState)
  {
  case kExpanding:
    if (mLastOpenedPanel != nullptr)
      mLastOpenedPanel->blend.mWeight = mOpacity * static_cast<float>(p);
    break;
  case kSubMenuAppearing:
    if (mLastOpenedPanel != nullptr)
      mLastOpenedPanel->blend.mWeight = p > kSubmenuShowFraction ? mOpacity : 0.f;
    break;
  case kCollapsing:
    SetAllWeights(static_cast<float>(1.0 - p) * mOpacity);
    break;
  case kIdling:
    SetAllWeights(0.f);
    break;
  default:
    break;
  }
}

void IPopupMenuControl::OnAnimationEnd()
{
  switch (mState)
  {
  case kExpanding:
  case kSubMenuAppearing:
    SetAllWeights(mOpacity);
    mState = kExpanded;
    IControl::OnAnimationEnd();
    break;
  case kFlickering:
    mState = kCollapsing;
    SetDirty(true);
    break;
  case kCollapsing:
    mTargetRECT = mSpecifiedCollapsedBounds;
    SetAllWeights(0.f);
    mHoveredCell = -1;
    mState = kIdling;
    mAnchorArea = IRect();
    SetDirty(true);
    break;
  case kIdling:
    if (mGraphics != nullptr) mGraphics->OnPopupMenuShown(false);
    mPanels.clear();
    mActivePanel = nullptr;
    mLastOpenedPanel = nullptr;
    mState = kCollapsed;
    mRECT = mSpecifiedCollapsedBounds;
    IControl::OnAnimationEnd();
    break;
  default:
    IControl::OnAnimationEnd();
    break;
  }
}

// Drawing --------------------------------------------------------------------------------------

void IPopupMenuControl::Draw(IGraphics& g)
{
  for (const auto& panelPtr : mPanels)
  {
    PopupPanel& panel = *panelPtr;
    if (!panel.shown) continue;
    PaintPanelShadow(g, panel);
    PaintPanel(g, panel);

    const int nCells = static_cast<int>(panel.cells.size());
    const bool isActive = &panel == mActivePanel;
    for (int c = 0; c < nCells; ++c)
    {
      const IRect& cell = panel.cells[static_cast<std::size_t>(c)];
      const bool highlighted = (isActive && c == mHoveredCell) || c == panel.cellWithOpenSubmenu;
      const int itemIdx = panel.ItemIdxOfCell(c);
      if (itemIdx < 0) break;
      const IPopupMenu::Item& item = *panel.menu->GetItem(itemIdx);
      if (panel.IsUpArrowCell(c) || panel.IsDownArrowCell(c))
      {
        PaintCellHighlight(g, cell, item, highlighted, panel.blend);
        if (panel.IsUpArrowCell(c))
          PaintScrollUpArrow(g, cell, highlighted, panel.blend);
        else
          PaintScrollDownArrow(g, cell, highlighted, panel.blend);
        continue;
      }
      if (item.GetIsSeparator())
      {
        PaintSeparator(g, cell, panel.blend);
        continue;
      }
      if (!(mState == kFlickering && c == panel.clickedCell))
        PaintCellHighlight(g, cell, item, highlighted, panel.blend);
      PaintCellText(g, cell, item, highlighted, panel.blend);
      if (item.GetChecked()) PaintCheckMark(g, cell, item, highlighted, panel.blend);
      if (item.GetSubmenu() != nullptr) PaintSubmenuArrow(g, cell, item, highlighted, panel.blend);
    }
  }

  if (mCallOut && !mPanels.empty())
  {
    PaintCallout(g, mCalloutBounds, mPanels.front()->blend);
    if (mMenuHasSubmenu && mSubMenuOpened)
      PaintSubmenuCallout(g, mSubMenuCalloutBounds, mPanels.front()->blend);
  }
}

const IColor& IPopupMenuControl::TextColourOf(const IPopupMenu::Item& item, bool highlighted) const
{
  (void)item;
  return highlighted ? mHighlightedTextColour : mTextColour;
}

void IPopupMenuControl::PaintCallout(IGraphics& g, const IRect& r, const IBlendSpec& blend)
{
  const float k = 0.5f * r.H();
  const float cx = r.MW(), cy = r.MH();
  switch (mCalloutArrowDir)
  {
  case 0:
    g.FillTriangle(mPanelColour, cx - k, r.T, cx + k, r.T, cx, r.B, &blend);
    break;
  case 1:
    g.FillTriangle(mPanelColour, cx + k, cy + k, cx + k, cy - k, cx - k, cy, &blend);
    break;
  case 2:
    g.FillTriangle(mPanelColour, cx - k, r.B, cx + k, r.B, cx, r.T, &blend);
    break;
  default:
    g.FillTriangle(mPanelColour, cx - k, cy + k, cx - k, cy - k, cx + k, cy, &blend);
    break;
  }
}

void IPopupMenuControl::PaintSubmenuCallout(IGraphics& g, const IRect& r, const IBlendSpec& blend)
{
  const float k = 0.5f * r.H();
  const float cx = r.MW(), cy = r.MH();
  if (mSubmenuOnRight)
    g.FillTriangle(mPanelColour, cx + k, cy + k, cx + k, cy - k, cx - k, cy, &blend);
  else
    g.FillTriangle(mPanelColour, cx - k, cy + k, cx - k, cy - k, cx + k, cy, &blend);
}

void IPopupMenuControl::PaintPanelShadow(IGraphics& g, const PopupPanel& panel)
{
  const IRect inner = panel.shadowRect.GetPadded(-mDropShadowSize);
  g.FillBoxShadow(inner, panel.shadowRect, 2.f, mRoundness, 10.f, &panel.blend);
}

void IPopupMenuControl::PaintPanel(IGraphics& g, const PopupPanel& panel)
{
  g.FillRoundRect(mPanelColour, panel.panelRect, mRoundness, &panel.blend);
}

void IPopupMenuControl::PaintCellHighlight(IGraphics& g, const IRect& cell,
                                           const IPopupMenu::Item& item, bool highlighted,
                                           const IBlendSpec& blend)
{
  (void)item;
  if (!highlighted) return;
  g.FillRect(mHighlightColour, IRect(cell.L - mPadding, cell.T, cell.R + mPadding, cell.B), &blend);
}

void IPopupMenuControl::PaintCellText(IGraphics& g, const IRect& cell, const IPopupMenu::Item& item,
                                      bool highlighted, const IBlendSpec& blend)
{
  ITextStyle style = mText;
  style.mAlign = EAlign::Near;
  if (highlighted)
    style.mFGColor = mHighlightedTextColour;
  else if (item.GetIsTitle())
    style.mFGColor = mGrayedTextColour;
  else
    style.mFGColor = mTextColour;
  const float textLeft = mCheckColumn >= 1.f ? cell.L + mCheckColumn + mTextMargin : cell.L;
  g.DrawTextIn(style, item.GetText(), IRect(textLeft, cell.T, cell.R - mTextMargin, cell.B),
               &blend);
}

void IPopupMenuControl::PaintCheckMark(IGraphics& g, const IRect& cell,
                                       const IPopupMenu::Item& item, bool highlighted,
                                       const IBlendSpec& blend)
{
  const float side = std::max(1.f, 0.5f * mCheckColumn);
  const float cx = cell.L + 0.5f * mCheckColumn;
  const float cy = cell.MH();
  const IRect mark(cx - 0.5f * side, cy - 0.5f * side, cx + 0.5f * side, cy + 0.5f * side);
  g.FillRoundRect(TextColourOf(item, highlighted), mark, 2.f, &blend);
}

void IPopupMenuControl::PaintSubmenuArrow(IGraphics& g, const IRect& cell,
                                          const IPopupMenu::Item& item, bool highlighted,
                                          const IBlendSpec& blend)
{
  const float h = 0.5f * cell.H();
  const float cy = cell.MH();
  const IColor& colour = TextColourOf(item, highlighted);
  if (mSubmenuOnRight)
  {
    const float tip = cell.R + 0.5f * mPadding;
    g.FillTriangle(colour, tip - h, cy - 0.5f * h, tip, cy, tip - h, cy + 0.5f * h, &blend);
  }
  else
  {
    const float tip = cell.L - 0.5f * mPadding;
    g.FillTriangle(colour, tip + h, cy - 0.5f * h, tip, cy, tip + h, cy + 0.5f * h, &blend);
  }
}

void IPopupMenuControl::PaintScrollUpArrow(IGraphics& g, const IRect& cell, bool highlighted,
                                           const IBlendSpec& blend)
{
  const float s = 0.6f * cell.H();
  const float cx = cell.MW(), cy = cell.MH();
  const IColor& colour = highlighted ? mHighlightedTextColour : mTextColour;
  g.FillTriangle(colour, cx - 0.5f * s, cy + 0.5f * s, cx, cy - 0.5f * s, cx + 0.5f * s,
                 cy + 0.5f * s, &blend);
}

void IPopupMenuControl::PaintScrollDownArrow(IGraphics& g, const IRect& cell, bool highlighted,
                                             const IBlendSpec& blend)
{
  const float s = 0.6f * cell.H();
  const float cx = cell.MW(), cy = cell.MH();
  const IColor& colour = highlighted ? mHighlightedTextColour : mTextColour;
  g.FillTriangle(colour, cx - 0.5f * s, cy - 0.5f * s, cx, cy + 0.5f * s, cx + 0.5f * s,
                 cy - 0.5f * s, &blend);
}

void IPopupMenuControl::PaintSeparator(IGraphics& g, const IRect& cell, const IBlendSpec& blend)
{
  if (!(blend.mWeight > 0.9f)) return;
  const IBlendSpec faint(EBlend::Default, 0.25f);
  g.FillRect(mSeparatorColour, cell, &faint);
}

} // namespace igraphics
