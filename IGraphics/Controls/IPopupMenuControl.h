#pragma once

#include "IGraphics/IControl.h"
#include "IGraphics/IPopupMenu.h"

#include <memory>
#include <vector>

namespace igraphics
{

// A popup menu drawn by the editor itself: a rounded panel with a drop shadow
// for the menu and one more panel beside the hovered item for each open
// submenu. The graphics core owns at most one and hands it every menu while it
// exists; while it is open it takes all pointer input.
//
// States: 0 collapsed (hidden, no panels), 1 opening (100 ms fade-in),
// 2 open, 3 closing (100 ms fade-out), 4 chosen (100 ms, hidden at once),
// 5 submenu opening (200 ms), 6 finishing (100 ms). Times come from the
// graphics core's clock. [main-thread]
class IPopupMenuControl : public IControl
{
public:
  enum EState : int
  {
    kCollapsed = 0,
    kExpanding = 1,
    kExpanded = 2,
    kCollapsing = 3,
    kFlickering = 4,
    kSubMenuAppearing = 5,
    kIdling = 6
  };

  // One panel on screen: the root menu or an open submenu.
  struct PopupPanel
  {
    IPopupMenu* menu = nullptr; // not owned
    std::vector<IRect> cells;   // one per visible cell
    IRect shadowRect;
    IRect panelRect;
    int visibleCells = 0; // set when the panel scrolls
    bool shown = true;
    IBlendSpec blend{EBlend::Default, 0.f}; // animated
    IRect cellSize;                         // at the panel's origin
    int cellWithOpenSubmenu = -1;
    int clickedCell = -1;
    int parentIdx = -1; // -1 for the root
    bool scrolling = false;
    int scrollOffset = 0; // the item shown in the first cell

    // The item shown in cell `cellIdx`, or -1 past the items.
    int ItemIdxOfCell(int cellIdx) const;
    // Whether the cell shows a scroll arrow instead of an item.
    bool IsUpArrowCell(int cellIdx) const;
    bool IsDownArrowCell(int cellIdx) const;
    // The first non-empty cell containing the point, or -1.
    int CellAt(float x, float y) const;
  };

  // `collapsedBounds` while no menu shows; a non-zero-width `expandedBounds`
  // gives every panel that rectangle instead of sizing it to its cells.
  IPopupMenuControl(int paramIdx = -1, const ITextStyle& style = ITextStyle(),
                    const IRect& collapsedBounds = IRect(), const IRect& expandedBounds = IRect());
  ~IPopupMenuControl() override;

  // Shows `menu` (not owned; it must outlive the menu's closing) for the
  // anchor rectangle. Ignored unless collapsed. An empty menu does not open:
  // it completes at once with nothing chosen.
  void ShowMenu(IPopupMenu& menu, const IRect& anchor);

  void OnMouseDown(float x, float y, const IMouseState& mod) override;
  void OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod) override;
  void OnMouseWheel(float x, float y, const IMouseState& mod, float delta) override;
  void OnMouseOver(float x, float y, const IMouseState& mod) override;
  void OnMouseOut() override;
  void Draw(IGraphics& g) override;
  void OnAnimationEnd() override;
  // Open (opening, open, submenu opening): every pointer event comes here.
  bool CapturesAllInput() const override;

  // The look; a derived control may replace any of these.
  virtual void PaintCallout(IGraphics& g, const IRect& bounds, const IBlendSpec& blend);
  virtual void PaintSubmenuCallout(IGraphics& g, const IRect& bounds, const IBlendSpec& blend);
  virtual void PaintPanel(IGraphics& g, const PopupPanel& panel);
  virtual void PaintPanelShadow(IGraphics& g, const PopupPanel& panel);
  virtual void PaintCellHighlight(IGraphics& g, const IRect& cell, const IPopupMenu::Item& item,
                                  bool highlighted, const IBlendSpec& blend);
  virtual void PaintCellText(IGraphics& g, const IRect& cell, const IPopupMenu::Item& item,
                             bool highlighted, const IBlendSpec& blend);
  virtual void PaintCheckMark(IGraphics& g, const IRect& cell, const IPopupMenu::Item& item,
                              bool highlighted, const IBlendSpec& blend);
  virtual void PaintSubmenuArrow(IGraphics& g, const IRect& cell, const IPopupMenu::Item& item,
                                 bool highlighted, const IBlendSpec& blend);
  virtual void PaintScrollUpArrow(IGraphics& g, const IRect& cell, bool highlighted,
                                  const IBlendSpec& blend);
  virtual void PaintScrollDownArrow(IGraphics& g, const IRect& cell, bool highlighted,
                                    const IBlendSpec& blend);
  virtual void PaintSeparator(IGraphics& g, const IRect& cell, const IBlendSpec& blend);
  // Ends the menu with the hovered cell's item (or none): completions run,
  // the menu disappears at once and the close animates.
  virtual void CommitChoice();

  // State, for layouts and tests ----------------------------------------------------------------

  int GetState() const { return mState; }
  int NPanels() const { return static_cast<int>(mPanels.size()); }
  // Null outside the panels.
  const PopupPanel* GetPanel(int idx) const;
  // Index of the active panel, or -1.
  int GetActivePanelIdx() const;
  // Index of the hovered cell in the active panel, or -1.
  int GetHoveredCell() const { return mHoveredCell; }
  IPopupMenu* GetMenu() const { return mMenu; }
  const IRect& GetCalloutRect() const { return mCalloutBounds; }
  int GetCalloutSide() const { return mCalloutArrowDir; }
  const IRect& GetSubmenuCalloutRect() const { return mSubMenuCalloutBounds; }
  bool GetSubmenuOpen() const { return mSubMenuOpened; }
  bool GetSubmenusOpenRight() const { return mSubmenuOnRight; }

  // Options -------------------------------------------------------------------------------------

  void SetItemsPerColumn(int count) { mMaxColumnItems = count; }
  void SetScrollIfTooBig(bool scroll) { mScrollIfTooBig = scroll; }
  void SetCallout(bool callout) { mCallOut = callout; }
  void SetPreferBelow(bool below) { mPreferBelow = below; }
  // Empty: the whole editor, taken when a menu opens.
  void SetMaxBounds(const IRect& bounds) { mMaxBounds = bounds; }
  const IRect& GetMaxBounds() const { return mMaxBounds; }
  void SetExpandedBounds(const IRect& bounds) { mSpecifiedExpandedBounds = bounds; }
  void SetCollapsedBounds(const IRect& bounds) { mSpecifiedCollapsedBounds = bounds; }
  void SetCellGap(float gap) { mCellGap = gap; }
  void SetSeparatorHeight(float height) { mSeparatorSize = height; }
  void SetPanelRoundness(float roundness) { mRoundness = roundness; }
  void SetShadowSize(float size) { mDropShadowSize = size; }
  void SetOpacity(float opacity) { mOpacity = opacity; }
  void SetCalloutOffset(float offset) { mCalloutOffset = offset; }
  float GetShadowSize() const { return mDropShadowSize; }
  float GetPanelMargin() const { return mPadding; }
  float GetCellGap() const { return mCellGap; }
  float GetOpacity() const { return mOpacity; }

  IColor mPanelColour = COLOR_WHITE;
  IColor mHighlightColour = COLOR_BLUE;
  IColor mHighlightedTextColour = COLOR_WHITE;
  IColor mTextColour = COLOR_BLACK;
  IColor mGrayedTextColour = IColor(255, 127, 127, 127);
  IColor mSeparatorColour = IColor(255, 200, 200, 200);

protected:
  // Size of the menu's cells at (x, y): the widest text plus the margins and
  // the check and arrow columns, as high as the tallest text.
  IRect CellSize(const IPopupMenu& menu, float x, float y) const;
  // The panel's width and height for placement.
  void PanelSize(const IPopupMenu& menu, float& w, float& h) const;
  // Builds a panel at (x, y): cells in columns, or scrolling.
  std::unique_ptr<PopupPanel> MakePanel(IPopupMenu& menu, float x, float y, int parentIdx) const;
  // Places the root panel for the anchor (the opening steps) and shows it.
  void Expand(const IRect& anchor);
  // Creates, shows or hides the submenu panels for the hovered cell.
  void UpdateSubmenus();
  void OpenSubmenu(IPopupMenu& submenu, const IRect& cell);
  void HideDescendants(int panelIdx);
  // Bounds and target bounds grow to take in every shown panel.
  void GrowBoundsToShownPanels();
  void ScrollActivePanel();
  void SetAllWeights(float weight);
  void Animation();
  // The limits a panel of size (w, h) keeps to (the opening's step 2).
  void Limits(float w, float h, float& left, float& right, float& top, float& bottom) const;
  PopupPanel* ActivePanel() const { return mActivePanel; }
  const IColor& TextColourOf(const IPopupMenu::Item& item, bool highlighted) const;

  std::vector<std::unique_ptr<PopupPanel>> mPanels; // root first
  PopupPanel* mActivePanel = nullptr;               // one of mPanels
  PopupPanel* mLastOpenedPanel = nullptr;           // one of mPanels
  int mState = kCollapsed;
  int mHoveredCell = -1; // in the active panel
  IPopupMenu* mMenu = nullptr;
  int mMaxColumnItems = 0;
  bool mScrollIfTooBig = true;
  bool mCallOut = false;
  bool mMenuHasSubmenu = false;
  bool mPreferBelow = true;
  bool mSubmenuOnRight = true;
  bool mSubMenuOpened = false;
  float mCellGap = 2.f;
  float mSeparatorSize = 2.f;
  float mRoundness = 5.f;
  float mDropShadowSize = 10.f;
  float mOpacity = 0.95f;
  float mCalloutOffset = 0.f;
  float mTextMargin = 5.f;
  float mCheckColumn = 10.f;
  float mArrowColumn = 8.f;
  float mPadding = 5.f; // between a panel's edge and its cells
  float mCalloutSize = 8.f;
  IRect mAnchorArea;
  int mCalloutArrowDir = 1; // 0 panel above, 1 right, 2 below, 3 left of the anchor
  IRect mCalloutBounds;
  IRect mSubMenuCalloutBounds;
  IRect mMaxBounds;
  IRect mSpecifiedCollapsedBounds;
  IRect mSpecifiedExpandedBounds;
};

} // namespace igraphics
