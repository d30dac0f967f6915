#pragma once

#include "IGraphics/IGraphicsStructs.h"
#include "IGraphics/IRect.h"

#include <map>
#include <string>
#include <vector>

namespace iplug
{
class IGEditorDelegate;
class IParam;
struct MidiMessage;
} // namespace iplug

namespace igraphics
{

class IGraphics;
class IPopupMenu;

// One value of a control and the parameter it follows (-1 for none).
struct ControlValue
{
  int idx = -1;
  double value = 0.0; // normalised
};

// A rectangle of the editor that draws itself, takes pointer and key events and
// holds one or more normalised values, each optionally linked to a parameter.
// The graphics core owns controls; a control holds non-owning pointers to the
// delegate and the graphics core, set when it is attached.
//
// Value indices: a control has at least one slot. SetDirty, ResetToDefault and
// SetValueFromPosition take -1 for "all slots" (SetDirty and ResetToDefault read
// it as 0 when there is one slot); the other operations need a valid index.
//
// Everything here runs on the editor's thread. [main-thread]
class IControl
{
public:
  // `paramIdx` links slot 0 (-1: none).
  explicit IControl(const IRect& bounds, int paramIdx = -1, ActionFunction action = nullptr);
  virtual ~IControl();
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  // Events. Coordinates are editor points. [main-thread] ------------------------------------------

  // With the right button: RequestValueEntry(ValueIndexAt(x, y)).
  virtual void OnMouseDown(float x, float y, const IMouseState& mod);
  virtual void OnMouseUp(float x, float y, const IMouseState& mod);
  virtual void OnMouseDrag(float x, float y, float dX, float dY, const IMouseState& mod);
  virtual void OnMouseDoubleClick(float x, float y, const IMouseState& mod);
  virtual void OnMouseWheel(float x, float y, const IMouseState& mod, float delta);
  virtual bool OnKeyDown(float x, float y, const IKeyPress& key);
  virtual bool OnKeyUp(float x, float y, const IKeyPress& key);
  virtual void OnMouseOver(float x, float y, const IMouseState& mod);
  virtual void OnMouseOut();
  virtual void OnTouchCancel(float x, float y, const IMouseState& mod);
  virtual void OnDrop(const char* text);
  // The screen scale changed (and once at attachment).
  virtual void OnScaleChanged();
  // The bounds changed (and once at attachment).
  virtual void OnResize();
  // Attached: delegate and graphics are set, not yet in the list.
  virtual void OnInit();
  // Appended to the graphics core's list.
  virtual void OnAdded();
  virtual void OnControlMessage(int msgTag, int dataSize, const void* data);
  virtual void OnMidiMessage(const iplug::MidiMessage& msg);
  // Runs the function registered for the gesture type; false when none is.
  virtual bool OnGesture(float x, float y, const IGestureEvent& info);
  virtual void BuildContextMenu(IPopupMenu& menu);
  // A value prompt's menu closed; `menu` is null when nothing was chosen.
  virtual void OnPopupMenuChoice(IPopupMenu* menu, int valIdx);
  virtual void OnTextEntryDone(const char* text, int valIdx);
  virtual void OnContextMenuChoice(int itemIdx);

  // Drawing [main-thread] -------------------------------------------------------------------------

  virtual void Draw(IGraphics& g) = 0;
  // The host's highlight dot: a circle of radius 2 at (R − 5, T + 5).
  virtual void DrawHighlight(IGraphics& g);

  // Values and state [main-thread] ----------------------------------------------------------------

  // Links slot `valIdx` to a parameter. An index outside the slots is a
  // programming error and is refused (asserted in debug builds).
  virtual void SetParamIndex(int paramIdx, int valIdx = 0);
  // 0 with one slot, else -1: which slot a point addresses.
  virtual int ValueIndexAt(float x, float y);
  // A value pushed from the plug-in side; ignored while a pointer holds the
  // control, so a drag is not fought by its own echo.
  virtual void UpdateValueFromParam(double normalised, int valIdx = 0);
  virtual void SetValueFromEntry(double normalised, int valIdx = 0);
  virtual void ResetToDefault(int valIdx = -1);
  // Stores without clamping or redrawing.
  virtual void SetValue(double normalised, int valIdx = 0);
  virtual void SetText(const ITextStyle& style);
  virtual void SetPosition(float x, float y);
  virtual void SetSize(float w, float h);
  virtual void Hide(bool hide);
  virtual void SetDisabled(bool disable);
  // left <= x < right and top <= y < bottom of the target bounds; never for
  // empty target bounds.
  virtual bool IsHit(float x, float y) const;
  // Whether this control takes every pointer event while it is open (an
  // expanded in-editor menu, an editing text entry). False for ordinary controls.
  virtual bool CapturesAllInput() const { return false; }
  // Clamp the value(s), mark for redraw, and with `triggerAction` send linked
  // values to the delegate, sync the other controls of the parameter and run
  // the action function, in that order.
  virtual void SetDirty(bool triggerAction = true, int valIdx = -1);
  virtual void SetClean();
  // True while an animation runs, else the dirty flag.
  virtual bool IsDirty();
  virtual void OnIdle();
  // Sets the value(s) from a point along `bounds` (snapped to thousandths and
  // confined to lo..hi), then SetDirty(true, valIdx).
  virtual void SetValueFromPosition(float x, float y, Orientation direction, const IRect& bounds,
                                    int valIdx = -1, double lo = 0.0, double hi = 1.0);
  // Ends the animation: clears the animation function, redraws, runs the
  // animation-end function.
  virtual void OnAnimationEnd();

  // Non-virtual [main-thread] ---------------------------------------------------------------------

  int NVals() const { return static_cast<int>(mVals.size()); }
  double GetValue(int valIdx = 0) const;
  int GetParamIndex(int valIdx = 0) const;
  // The first slot linked to `paramIdx`, or -1.
  int IsLinkedToParam(int paramIdx) const;
  // The slot's parameter through the delegate; null without one.
  const iplug::IParam* GetParam(int valIdx = 0) const;
  // Opens a value prompt for the slot: a menu for parameters with display
  // texts, else a small text entry over the centre.
  void RequestValueEntry(int valIdx = 0);
  // 0 red, 1 blue, 2 green, 3 yellow; other indices keep the colour.
  void SetHighlight(bool highlighted, int colourIdx = 0);
  bool GetHighlighted() const { return mHighlighted; }
  const IColor& GetHighlightColor() const { return mHighlightColor; }

  // Animation: the clock is the graphics core's (see IClock). [main-thread] -----------------------

  void BeginAnimation(double durationMs);
  // 0 without an animation; else elapsed / duration, unclamped. A zero
  // duration has ended at once (returns 1 + a tiny bit), never 0/0.
  double GetAnimationFraction() const;
  void Animate();
  void SetAnimation(AnimationFunction func) { mAnimationFunc = std::move(func); }
  void SetAnimation(AnimationFunction func, double durationMs);
  AnimationFunction GetAnimationFunction() const { return mAnimationFunc; }
  bool GetAnimating() const { return static_cast<bool>(mAnimationFunc); }
  void SetAnimationEndActionFunction(ActionFunction func)
  {
    mAnimationEndActionFunc = std::move(func);
  }
  void SetActionFunction(ActionFunction func) { mActionFunc = std::move(func); }
  ActionFunction GetActionFunction() const { return mActionFunc; }

  // Gestures: inserts the function under its type (an existing one stays),
  // then asks the graphics core to recognise the type. Returns this control.
  IControl* AddGestureRecognizer(EGestureType type, GestureFunction func);
  bool HasGestures() const { return !mGestureFuncs.empty(); }
  EGestureType GetLastGesture() const { return mLastGesture; }

  // Attachment (the graphics core calls these) [main-thread] --------------------------------------

  void SetDelegate(iplug::IGEditorDelegate& dlg) { mDelegate = &dlg; }
  iplug::IGEditorDelegate* GetDelegate() const { return mDelegate; }
  void SetGraphics(IGraphics* graphics) { mGraphics = graphics; }
  IGraphics* GetUI() const { return mGraphics; }
  void SetGroup(const char* group) { mGroup = group ? group : ""; }
  const char* GetGroup() const { return mGroup.c_str(); }

  // Geometry [main-thread] ------------------------------------------------------------------------

  const IRect& GetRECT() const { return mRECT; }
  void SetRECT(const IRect& bounds) { mRECT = bounds; }
  const IRect& GetTargetRECT() const { return mTargetRECT; }
  void SetTargetRECT(const IRect& bounds) { mTargetRECT = bounds; }
  void SetTargetAndDrawRECTs(const IRect& bounds)
  {
    mRECT = bounds;
    mTargetRECT = bounds;
    mMouseIsOver = false;
    OnResize();
  }

  // Flags and styles [main-thread] ----------------------------------------------------------------

  const ITextStyle& GetText() const { return mText; }
  const IBlendSpec& GetBlend() const { return mBlend; }
  int GetTextEntryLength() const { return mTextEntryLength; }
  void SetTextEntryLength(int length) { mTextEntryLength = length; }
  bool IsHidden() const { return mHide; }
  bool IsDisabled() const { return mDisabled; }
  bool GetPromptDisabled() const { return mDisablePrompt; }
  void DisablePrompt(bool disable) { mDisablePrompt = disable; }
  bool GetDblAsSingleClick() const { return mDblAsSingleClick; }
  void SetDblAsSingleClick(bool single) { mDblAsSingleClick = single; }
  bool GetMOWhenGrayed() const { return mMOWhenGrayed; }
  void SetMOWhenGrayed(bool allow) { mMOWhenGrayed = allow; }
  bool GetMEWhenGrayed() const { return mMEWhenGrayed; }
  void SetMEWhenGrayed(bool allow) { mMEWhenGrayed = allow; }
  bool GetIgnoreMouse() const { return mIgnoreMouse; }
  void SetIgnoreMouse(bool ignore) { mIgnoreMouse = ignore; }
  bool GetWantsMidi() const { return mWantsMidi; }
  void SetWantsMidi(bool wants) { mWantsMidi = wants; }
  bool GetWantsMultiTouch() const { return mWantsMultiTouch; }
  void SetWantsMultiTouch(bool wants) { mWantsMultiTouch = wants; }
  bool GetPromptShowsParamLabel() const { return mPromptShowsParamLabel; }
  void SetPromptShowsParamLabel(bool shows) { mPromptShowsParamLabel = shows; }
  bool GetMouseIsOver() const { return mMouseIsOver; }
  const char* GetTooltip() const { return mTooltip.c_str(); }
  void SetTooltip(const char* tooltip) { mTooltip = tooltip ? tooltip : ""; }

protected:
  // Milliseconds from the graphics core's clock, or the monotonic clock while
  // the control is not attached.
  double NowMs() const;
  // Stores the value clamped to 0..1 (NaN becomes 0).
  void ClampSlot(int valIdx);
  // Sends a linked slot to the delegate and syncs the other controls.
  void SendSlotToDelegate(int valIdx);

  IRect mRECT;
  IRect mTargetRECT;
  std::string mGroup;
  ITextStyle mText;
  IBlendSpec mBlend;
  int mTextEntryLength = 7;
  bool mDirty = true;
  bool mHide = false;
  bool mDisabled = false;
  bool mDisablePrompt = true;
  bool mDblAsSingleClick = false;
  bool mMOWhenGrayed = false;
  bool mMEWhenGrayed = false;
  bool mIgnoreMouse = false;
  bool mWantsMidi = false;
  bool mWantsMultiTouch = false;
  bool mPromptShowsParamLabel = false;
  bool mMouseIsOver = false;
  std::string mTooltip;
  IColor mHighlightColor = COLOR_RED;
  bool mHighlighted = false;
  iplug::IGEditorDelegate* mDelegate = nullptr; // not owned
  IGraphics* mGraphics = nullptr;               // not owned
  ActionFunction mActionFunc;
  ActionFunction mAnimationEndActionFunc;
  AnimationFunction mAnimationFunc;
  double mAnimationStartMs = 0.0;
  double mAnimationDurationMs = 0.0;
  std::vector<ControlValue> mVals;
  std::map<EGestureType, GestureFunction> mGestureFuncs;
  EGestureType mLastGesture = EGestureType::Unknown;
};

} // namespace igraphics
