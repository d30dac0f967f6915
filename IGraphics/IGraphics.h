#pragma once

#include "IGraphics/APIBitmap.h"
#include "IGraphics/IBitmapRef.h"
#include "IGraphics/IClock.h"
#include "IGraphics/IControl.h"
#include "IGraphics/IGraphicsStructs.h"
#include "IGraphics/ILayer.h"
#include "IGraphics/IPlugAAXView_Interface.h"
#include "IGraphics/IPopupMenu.h"
#include "IGraphics/IRect.h"
#include "IGraphics/IRectList.h"
#include "IGraphics/ISVG.h"
#include "IGraphics/PlatformFont.h"
#include "IGraphics/ResourceCache.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stack>
#include <string>
#include <vector>

namespace iplug
{
class IGEditorDelegate;
}

namespace igraphics
{

class IFPSDisplayControl;

// The editor's drawing surface and control container: it owns the controls,
// collects the regions that need redrawing, draws them through the back end,
// routes input to the controls and keeps the editor's size and scales.
//
// Abstract: a drawing back end derives from it and fills the drawing
// primitives (the pure operations below); a platform layer derives from the
// back end and fills the window and system operations. Everything runs on the
// editor's thread. [main-thread]
//
// Where the bodies live: IGraphics.cpp (controls, dirty regions, drawing,
// size and scale), IGraphicsDrawing.cpp (primitives built on the path
// operations), IGraphicsPrompt.cpp (value prompts), IGraphicsInput.cpp (input
// dispatch, gestures, bubbles, corner resizer, in-editor menus and text entry).
class IGraphics : public IPlugAAXView_Interface
{
public:
  using KeyHandlerFunc = std::function<bool(const IKeyPress& key, bool isUp)>;
  using FrameTickFunc = std::function<void()>;

  // `drawScale` is the editor's zoom; the draw-scale limits are half and twice it.
  IGraphics(iplug::IGEditorDelegate& dlg, int w, int h, int fps = 60, float drawScale = 1.f);
  // Deletes every control.
  virtual ~IGraphics();
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // Host view interface [main-thread] -------------------------------------------------------------

  // SetHighlight on every listed control linked to the parameter.
  void SetParamHighlight(int paramIdx, bool highlighted, int colourIdx) override;

  // Frame [main-thread] ---------------------------------------------------------------------------

  // Starts a frame; records the time since the previous one for the frame-rate
  // display. Back ends that override it call this version first.
  virtual void StartFrame();
  virtual void OnDrawContextCreated() {}
  virtual void OnDrawContextReleased() {}
  virtual void FinishFrame() {}

  // Bitmaps [main-thread] -------------------------------------------------------------------------

  // The whole bitmap scaled uniformly (min of the width and height ratios)
  // from the rectangle's top-left.
  virtual void DrawFittedBitmap(const IBitmapRef& bitmap, const IRect& bounds,
                                const IBlendSpec* blend = nullptr);
  // The bitmap centred on (destCentreX, destCentreY), rotated by `angle` degrees.
  virtual void DrawRotatedBitmap(const IBitmapRef& bitmap, float destCentreX, float destCentreY,
                                 double angle, const IBlendSpec* blend = nullptr);
  // The destination-sized part of the bitmap starting at (srcX, srcY) points.
  virtual void DrawBitmapRegion(const IBitmapRef& bitmap, const IRect& dest, int srcX, int srcY,
                                const IBlendSpec* blend = nullptr) = 0;
  // Frame `frame` (1-based, clamped to 1..N) of a filmstrip into `dest`.
  virtual void DrawBitmap(const IBitmapRef& bitmap, const IRect& dest, int frame = 1,
                          const IBlendSpec* blend = nullptr);
  // The first frame with its top-left at (x, y).
  virtual void DrawBitmapAt(const IBitmapRef& bitmap, float x, float y,
                            const IBlendSpec* blend = nullptr);

  // Point [main-thread] ---------------------------------------------------------------------------

  virtual void DrawPoint(const IColor& colour, float x, float y, const IBlendSpec* blend = nullptr);

  // Stroked primitives [main-thread] --------------------------------------------------------------

  virtual void StrokeLine(const IColor& colour, float x1, float y1, float x2, float y2,
                          const IBlendSpec* blend = nullptr, float thickness = 1.f);
  virtual void StrokeDashedLine(const IColor& colour, float x1, float y1, float x2, float y2,
                                const IBlendSpec* blend = nullptr, float thickness = 1.f,
                                float dashLen = 2.f);
  virtual void StrokeTriangle(const IColor& colour, float x1, float y1, float x2, float y2,
                              float x3, float y3, const IBlendSpec* blend = nullptr,
                              float thickness = 1.f);
  virtual void StrokeRect(const IColor& colour, const IRect& bounds,
                          const IBlendSpec* blend = nullptr, float thickness = 1.f);
  virtual void StrokeRoundRect(const IColor& colour, const IRect& bounds, float cornerRadius,
                               const IBlendSpec* blend = nullptr, float thickness = 1.f);
  // Angles in degrees clockwise from 12 o'clock.
  virtual void StrokeArc(const IColor& colour, float cx, float cy, float r, float a1, float a2,
                         const IBlendSpec* blend = nullptr, float thickness = 1.f);
  virtual void StrokeCircle(const IColor& colour, float cx, float cy, float r,
                            const IBlendSpec* blend = nullptr, float thickness = 1.f);
  virtual void StrokeEllipse(const IColor& colour, const IRect& bounds,
                             const IBlendSpec* blend = nullptr, float thickness = 1.f);
  virtual void StrokePolygon(const IColor& colour, const float* x, const float* y, int nPoints,
                             const IBlendSpec* blend = nullptr, float thickness = 1.f);
  virtual void StrokeDashedRect(const IColor& colour, const IRect& bounds,
                                const IBlendSpec* blend = nullptr, float thickness = 1.f,
                                float dashLen = 2.f);

  // Filled primitives [main-thread] ---------------------------------------------------------------

  virtual void FillTriangle(const IColor& colour, float x1, float y1, float x2, float y2, float x3,
                            float y3, const IBlendSpec* blend = nullptr);
  virtual void FillRect(const IColor& colour, const IRect& bounds,
                        const IBlendSpec* blend = nullptr);
  // Corner radii clockwise from the top-left.
  virtual void FillRoundRect(const IColor& colour, const IRect& bounds, float cRTL, float cRTR,
                             float cRBR, float cRBL, const IBlendSpec* blend = nullptr);
  virtual void FillRoundRect(const IColor& colour, const IRect& bounds, float cornerRadius,
                             const IBlendSpec* blend = nullptr);
  virtual void FillCircle(const IColor& colour, float cx, float cy, float r,
                          const IBlendSpec* blend = nullptr);
  virtual void FillEllipse(const IColor& colour, const IRect& bounds,
                           const IBlendSpec* blend = nullptr);
  // A pie slice; angles in degrees clockwise from 12 o'clock.
  virtual void FillArc(const IColor& colour, float cx, float cy, float r, float a1, float a2,
                       const IBlendSpec* blend = nullptr);
  virtual void FillPolygon(const IColor& colour, const float* x, const float* y, int nPoints,
                           const IBlendSpec* blend = nullptr);

  // Text [main-thread] ----------------------------------------------------------------------------

  // Width of the text's bounds, which are left in `bounds`. A null or empty
  // text measures 0 without reaching the back end.
  virtual float MeasureText(const ITextStyle& style, const char* text, IRect& bounds);

  // Back-end queries [main-thread] ----------------------------------------------------------------

  // The colour of the drawn pixel at a point in editor points.
  virtual IColor PixelColourAt(float x, float y) = 0;
  virtual void* RendererHandle() = 0;
  virtual const char* DrawingBackendName() = 0;

  // Bitmap cache [main-thread] --------------------------------------------------------------------

  // A copy of the bitmap rendered for another target scale; empty in the core.
  virtual IBitmapRef ScaleBitmap(const IBitmapRef& bitmap, const char* name, int targetScale);
  virtual void KeepSharedBitmap(const IBitmapRef& bitmap, const char* name, int scale);
  virtual void DropSharedBitmap(const IBitmapRef& bitmap);
  // Whether files with this extension ("png", "JPG") can become bitmaps.
  virtual bool IsLoadableImageType(const char* extension) = 0;

  // Vector images [main-thread]: none can be loaded yet (there is no parser); every load gives
  // an empty reference. (IGraphicsResources.cpp)
  ISVG LoadVectorImage(const char* name, const char* units = "px", float dpi = 72.f);
  ISVG LoadVectorImage(const char* name, const void* data, int size, const char* units = "px",
                       float dpi = 72.f);

  // Shadow [main-thread] --------------------------------------------------------------------------

  // A soft shadow of `inner`, moved down-right by `dropDist`, drawn within
  // `outer`. Drawn by back ends; nothing in the core.
  virtual void FillBoxShadow(const IRect& inner, const IRect& outer, float dropDist,
                             float roundness, float blur, const IBlendSpec* blend = nullptr);

  // Composite drawing and fonts [main-thread] -----------------------------------------------------

  // Draws non-empty text aligned in `bounds` through BackendDrawText.
  virtual void DrawTextIn(const ITextStyle& style, const char* text, const IRect& bounds,
                          const IBlendSpec* blend = nullptr);
  // Draws text anchored at a point (the zero-size rectangle {x, y, x, y}).
  virtual void DrawTextAt(const ITextStyle& style, const char* text, float x, float y,
                          const IBlendSpec* blend = nullptr);
  // An installed font by family name; style "Regular", "Bold" or "Italic". In the core: the
  // platform font by family, registered with the renderer under `fontId`.
  // (IGraphicsResources.cpp)
  virtual bool LoadFont(const char* fontId, const char* familyName, const char* style);
  // A font file or module resource by name (ResolveResource with type "ttf"), registered with
  // the renderer under `fontId`; the platform font is kept while this object lives.
  virtual bool LoadFont(const char* fontId, const char* fileName);

  // Layers (offscreen surfaces) [main-thread] -----------------------------------------------------

  // Reads the layer's RGBA pixels into `bytes`.
  virtual void ReadLayerPixels(ILayer& layer, std::vector<std::uint8_t>& bytes);
  virtual void CompositeLayerShadow(ILayer& layer, const std::vector<std::uint8_t>& mask,
                                    const IShadowSpec& shadow);
  // Points drawing at the top layer (or the main target); run after every push and pop.
  virtual void RetargetToTopLayer() {}

  // Path operations (the back end builds everything above on these) [main-thread] -----------------

  virtual void PathReset() = 0;
  virtual void PathCloseFigure() = 0;
  // Angles in degrees clockwise from 12 o'clock; counter-clockwise when `ccw`.
  virtual void PathAddArc(float cx, float cy, float r, float a1, float a2, bool ccw = false) = 0;
  virtual void PathStartAt(float x, float y) = 0;
  virtual void PathAddLine(float x, float y) = 0;
  // Whether the following sub-path cuts a hole (clockwise = true).
  virtual void PathSetDirection(bool clockwise) { (void)clockwise; }
  virtual void PathAddCubic(float c1x, float c1y, float c2x, float c2y, float x2, float y2) = 0;
  virtual void PathAddQuadratic(float cx, float cy, float x2, float y2) = 0;
  virtual void PathStrokeWith(const IPatternSpec& pattern, float thickness,
                              const IStrokeSpec& options, const IBlendSpec* blend = nullptr) = 0;
  virtual void PathFillWith(const IPatternSpec& pattern, const IFillSpec& options,
                            const IBlendSpec* blend = nullptr) = 0;
  virtual void PathSetTransform(const IMatrix& matrix) = 0;

  // Called after each control is drawn into a region.
  virtual void CompleteRegion(const IRect& region) { (void)region; }
  // Clips the following drawing to the rectangle (editor points).
  virtual void ClipToRect(const IRect& bounds) = 0;

  // Platform operations (trivial in the core) [main-thread] ---------------------------------------

  virtual void CursorPositionInPoints(float& x, float& y) const;
  // Hiding remembers the pointer position; with `lock` the cursor returns
  // there when shown again (not for pen input). The core keeps the flags.
  virtual void SetCursorHidden(bool hide, bool lock = true);
  virtual void WarpCursorTo(float x, float y);
  // Returns the previous shape.
  virtual CursorShape SetCursorShape(CursorShape shape);
  virtual void CancelNativeTextEntry() {}
  // Opens the editor's window in `parent`; returns the native window or null.
  virtual void* CreateEditorWindow(void* parent);
  virtual void DestroyEditorWindow() {}
  virtual void* EditorWindowHandle() const { return nullptr; }
  virtual bool HasEditorWindow() const { return false; }
  virtual bool ReadClipboardText(std::string& text);
  virtual bool WriteClipboardText(const char* text);
  // The in-editor popup menu was shown (true) or has closed (false).
  virtual void OnPopupMenuShown(bool shown) { (void)shown; }
  using MessageCompletion = std::function<void(int result)>;
  virtual int ShowModalMessage(const char* text, const char* caption, int type,
                               MessageCompletion completion = nullptr);
  using FileCompletion = std::function<void(const std::string& fileName, const std::string& dir)>;
  // action 0 open, 1 save; `extensions` separated by spaces ("wav aif").
  virtual void ChooseFile(std::string& fileName, std::string& dir, int action,
                          const char* extensions, FileCompletion completion = nullptr);
  virtual void ChooseFolder(std::string& dir, FileCompletion completion = nullptr);
  using ColourCompletion = std::function<void(const IColor& colour)>;
  virtual bool ChooseColour(IColor& colour, const char* prompt = "",
                            ColourCompletion completion = nullptr);
  virtual bool OpenWebAddress(const char* url, const char* title = nullptr,
                              const char* confirmText = nullptr, const char* errorText = nullptr);
  virtual const char* PlatformName() const { return "headless"; }
  virtual bool ShowInFileExplorer(const char* path, bool select = false);
  virtual void SetLibraryInstance(void* instance) { mLibraryInstance = instance; }
  virtual void* LibraryInstance() const { return mLibraryInstance; }
  // style: 0 regular, 1 bold, 2 italic.
  virtual std::unique_ptr<PlatformFont> MakePlatformFont(const char* fontId, const char* familyName,
                                                         int style);
  virtual std::unique_ptr<PlatformFont> MakePlatformFont(const char* fontId, const void* bytes,
                                                         int length);
  virtual std::unique_ptr<PlatformFont> MakePlatformFont(const char* fontId,
                                                         const char* fileOrResourceName);
  virtual void KeepTextEntryFont(const char* fontId, PlatformFont& font);
  virtual void MakeWindowContextCurrent() {}
  virtual void RestorePreviousContext() {}
  virtual void OpenNativeTextEntry(int paramIdx, const ITextStyle& style, const IRect& bounds,
                                   int maxLength, const char* initialText);
  // Shows the menu and returns the (sub)menu holding the chosen item, or null
  // when nothing was chosen or the choice arrives later.
  virtual IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRect& bounds);
  virtual void EnableTooltips(bool enable) { mTooltipsEnabled = enable; }
  virtual void ShowTooltip(const char* text) { (void)text; }

  // Platform properties [main-thread] -------------------------------------------------------------

  virtual bool PlatformSupportsMultiTouch() const { return false; }
  virtual float PlatformScale() const { return 1.f; }
  // Resizes the window after a size change; `hostResized` is the delegate's
  // answer whether the host resized the view.
  virtual void PlatformResize(bool hostResized) { (void)hostResized; }
  // Resizes the back end's framebuffer to the window's pixel size.
  virtual void ResizeDrawTarget() {}

  // Bitmap loading [main-thread] ------------------------------------------------------------------

  // A bitmap decoded from picture bytes in memory, cached under `name`.
  virtual IBitmapRef FetchBitmapFromData(const char* name, const void* data, int size,
                                         int frames = 1, bool horizontal = false,
                                         int targetScale = 0) = 0;
  // The picture `name` for `targetScale` (0: ceil(screen scale)), trying the
  // @Nx variants; an empty reference when none is found. The core keeps bitmaps in the
  // process-wide cache (IGraphicsResources.cpp).
  virtual IBitmapRef FetchBitmap(const char* name, int frames = 1, bool horizontal = false,
                                 int targetScale = 0);
  // The same picture, frames and strip direction for ceil(screen scale).
  IBitmapRef ReloadBitmapForScale(const IBitmapRef& bitmap);

  // Gestures [main-thread] ------------------------------------------------------------------------

  // Recognises the gesture type from now on (each type recorded once).
  virtual void AddGestureRecognizer(EGestureType type);

  // Back-end loaders and text [main-thread] -------------------------------------------------------

  virtual APIBitmap* BackendBitmapFromBytes(const char* name, const void* bytes, int length,
                                            float scale) = 0;
  // location: 1 a file path, 2 a module resource name.
  virtual std::unique_ptr<APIBitmap> BackendBitmapFromLocation(const char* pathOrResource,
                                                               float scale, int location,
                                                               const char* extension) = 0;
  virtual std::unique_ptr<APIBitmap> CreateLayerSurface(int widthPixels, int heightPixels,
                                                        float scale, float drawScale) = 0;
  virtual bool RegisterRendererFont(const char* fontId, PlatformFont& font) = 0;
  virtual int AlphaByteIndex() const = 0;
  virtual bool LayerRowsBottomUp() const = 0;
  // Replaces `bounds` by the text's bounds placed by the style's alignment;
  // returns their width.
  virtual float BackendMeasureText(const ITextStyle& style, const char* text, IRect& bounds) = 0;
  virtual void BackendDrawText(const ITextStyle& style, const char* text, const IRect& bounds,
                               const IBlendSpec* blend = nullptr) = 0;

  // Scale [main-thread] ---------------------------------------------------------------------------

  // Draw scale × screen scale: pixels per editor point.
  virtual float GetPixelScale() const { return mDrawScale * mScreenScale; }

  // ====================================================================  // Controls

  // Attaches an owned control: sets its delegate and graphics, runs OnInit,
  // OnResize, OnScaleChanged, appends it and runs OnAdded. A tag already in
  // use refuses it: the control is deleted and null returned.
  IControl* AttachControl(std::unique_ptr<IControl> control, int tag = -1, const char* group = "");
  // The same for a control made with new; the core takes ownership.
  IControl* AddControl(IControl* control, int tag = -1, const char* group = "")
  {
    return AttachControl(std::unique_ptr<IControl>(control), tag, group);
  }
  // Inserts at index 0 a background of the bitmap's first frame (Resources).
  void AddBackground(const char* resourceName);
  // Inserts at index 0 a control that ignores the mouse, with the editor's bounds.
  void AttachBackground(std::unique_ptr<IControl> control);

  // Special controls drawn above the list (input dispatch adds most of them).
  void AddCornerResizer(int mode = 0, bool layoutOnResize = false,
                        const IColor& colour = IColor(10, 0, 0, 0),
                        const IColor& mouseOverColour = COLOR_BLACK,
                        const IColor& dragColour = COLOR_BLACK, float size = 20.f);
  void AddBubbleControl(const ITextStyle& style = ITextStyle());
  void AddPopupMenuControl(const ITextStyle& style = ITextStyle(), const IRect& bounds = IRect());
  void AddTextEntryControl();
  // The in-editor menu (an IPopupMenuControl) and text entry (an
  // ITextEntryControl), or null while not attached.
  IControl* GetPopupMenuControl() const { return mPopupControl.get(); }
  IControl* GetTextEntryControl() const { return mTextEntryControl.get(); }
  // Shows or deletes the frame-rate display at {10, 10, 210, 60}.
  void ShowFrameRateDisplay(bool enable);
  IFPSDisplayControl* GetFrameRateDisplay() const;

  void RemoveControl(int idx);
  void RemoveControl(IControl* control);
  void RemoveControlByTag(int tag);
  // Removes the controls from `fromIdx` to the end.
  void RemoveControls(int fromIdx);
  // Deletes every control, the special ones and the tag map.
  void ClearAllControls();

  int NControls() const { return static_cast<int>(mControls.size()); }
  int NumControls() const { return NControls(); }
  // Null outside the list.
  IControl* GetControl(int idx) const;
  IControl* GetBackground() const { return GetControl(0); }
  IControl* GetControlWithTag(int tag) const;
  IControl* FindControlByTag(int tag) const { return GetControlWithTag(tag); }
  // -1 when not listed.
  int GetControlIdx(const IControl* control) const;
  int GetControlIndex(const IControl* control) const { return GetControlIdx(control); }
  // -1 when the control has no tag.
  int GetControlTag(const IControl* control) const;

  using ControlFunc = std::function<void(IControl*)>;
  void ForEachListedControl(const ControlFunc& func);
  // The listed controls, then the frame-rate display, corner resizer, text
  // entry, popup menu and bubbles, each if present: the drawing order.
  void ForEachControl(const ControlFunc& func);
  void ForEachControlOfParam(int paramIdx, const ControlFunc& func);
  void ForEachControlInGroup(const char* group, const ControlFunc& func);
  void HideControlsOfParam(int paramIdx, bool hide);
  void DisableControlsOfParam(int paramIdx, bool disable);
  // Pushes the source slot's value to every other control linked to its parameter.
  void SyncLinkedControls(IControl* source, int valIdx);

  void SetControlBounds(int idx, const IRect& bounds);
  void SetControlPosition(int idx, float x, float y);
  void SetControlSize(int idx, float w, float h);
  void MarkAllControlsDirty();
  void MarkAllControlsClean();

  // Dirty regions and drawing [main-thread] -------------------------------------------------------

  // Runs the frame tick, animates every control and adds the bounds of every
  // dirty control, grown by 0.75, to `rects`. Whether anything was dirty.
  bool IsDirty(IRectList& rects);
  // Draws every control into each region (snapped to pixels, overlaps removed).
  void Draw(IRectList& rects);
  // Draws one control clipped to region ∩ its snapped area.
  void DrawControl(IControl* control, const IRect& region, float scale);
  void SetSingleRegionDrawing(bool single);
  bool GetSingleRegionDrawing() const { return mSingleRegionDrawing; }
  const IRect& GetClipRect() const { return mClipRECT; }

  // Transform state of the current drawing [main-thread] ------------------------------------------

  void PathTransformReset();
  void PathTransformSave();
  void PathTransformRestore();
  void PathTransformTranslate(float x, float y);
  void PathTransformScale(float x, float y);
  void PathTransformRotate(float degrees);
  const IMatrix& GetTransform() const { return mTransform; }

  // Paths built from the primitives above [main-thread] -------------------------------------------

  void PathLine(float x1, float y1, float x2, float y2);
  void PathRect(const IRect& bounds);
  void PathRoundRect(const IRect& bounds, float cRTL, float cRTR, float cRBR, float cRBL);
  void PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3);
  void PathArc(float cx, float cy, float r, float a1, float a2);
  void PathCircle(float cx, float cy, float r);
  void PathEllipse(const IRect& bounds);
  void PathConvexPolygon(const float* x, const float* y, int nPoints);

  // Layers [main-thread] --------------------------------------------------------------------------

  void PushLayer(ILayer* layer);
  // The popped layer, or null when none was pushed.
  ILayer* PopLayer();
  ILayer* TopLayer() const { return mLayers.empty() ? nullptr : mLayers.back(); }

  // Text rotation for back ends: the offset that aligns the rotated text in bounds.
  static void TextRotationOffset(const ITextStyle& style, const IRect& bounds, IRect& textRect,
                                 double& tx, double& ty);
  static void RotateTextBounds(const ITextStyle& style, const IRect& bounds, IRect& textRect);

  // Size and scale [main-thread] ------------------------------------------------------------------

  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  int ScaledWidth() const { return static_cast<int>(mWidth * mDrawScale); }
  int ScaledHeight() const { return static_cast<int>(mHeight * mDrawScale); }
  float GetDrawScale() const { return mDrawScale; }
  float GetScreenScale() const { return mScreenScale; }
  float GetMinScale() const { return mMinScale; }
  float GetMaxScale() const { return mMaxScale; }
  int FPS() const { return mFPS; }
  // Clamps into the delegate's size limits and the draw-scale limits; a
  // non-finite or non-positive scale changes nothing.
  void Resize(int w, int h, float scale, bool needsPlatformResize = true);
  // The display's pixels per point; a non-finite or non-positive scale is ignored.
  void ApplyScreenScale(float scale);
  void SetFrameTickFunc(FrameTickFunc func) { mFrameTickFunc = std::move(func); }
  void SetKeyHandler(KeyHandlerFunc func) { mKeyHandler = std::move(func); }
  void SetLayoutOnResize(bool layout) { mLayoutOnResize = layout; }
  bool GetLayoutOnResize() const { return mLayoutOnResize; }

  iplug::IGEditorDelegate* GetDelegate() const { return &mDelegate; }

  // Clock [main-thread] ---------------------------------------------------------------------------

  // The clock animations and frame timing read; null restores the monotonic one.
  // The clock must outlive this object or be replaced first.
  void SetClock(const IClock* clock);
  const IClock& GetClock() const { return *mClock; }

  // Pointer capture (shared with the input dispatch) [main-thread] --------------------------------

  // Records that touch `touchId` (0 for the mouse) holds `control`.
  void CaptureControl(std::int64_t touchId, IControl* control);
  void ReleaseCapture(std::int64_t touchId);
  // Releases every capture and shows a hidden cursor.
  void ReleaseAllCaptures();
  // Whether any pointer holds the control.
  bool ControlIsCaptured(const IControl* control) const;
  // The control touch `touchId` holds, or null.
  IControl* GetCapturedControl(std::int64_t touchId) const;
  int NCapturedTouches(const IControl* control) const;
  bool CursorIsHidden() const { return mCursorHidden; }
  bool CursorIsLocked() const { return mCursorLocked; }

  // ====================================================================  // Input dispatch
  // (IGraphicsInput.cpp) [main-thread] ---------------------------------------------

  void OnMouseDown(const std::vector<IMouseEvent>& points);
  void OnMouseUp(const std::vector<IMouseEvent>& points);
  void OnMouseDrag(const std::vector<IMouseEvent>& points);
  bool OnMouseDoubleClick(float x, float y, const IMouseState& mod);
  bool OnMouseOver(float x, float y, const IMouseState& mod);
  void OnMouseOut();
  void OnMouseWheel(float x, float y, const IMouseState& mod, float delta);
  bool OnKeyDown(float x, float y, const IKeyPress& key);
  bool OnKeyUp(float x, float y, const IKeyPress& key);
  void OnDrop(const char* text, float x, float y);
  void OnTouchCancel(const std::vector<IMouseEvent>& points);
  void OnGestureEvent(const IGestureEvent& info);
  void ResizeByDrag(float x, float y);
  IControl* FindControlAt(float x, float y, bool capture, bool mouseOver, std::int64_t touchId = 0);
  int FindControlIndexAt(float x, float y, bool mouseOver = false);
  void ShowValueBubble(IControl* caller, float x, float y, const char* text, Orientation direction,
                       const IRect& minimumContentBounds, std::int64_t touchId = 0);
  void AddGestureRegion(const IRect& bounds, EGestureType type, GestureFunction func);
  void RemoveGestureRegions();
  void EnableMouseOver(bool enable) { mEnableMouseOver = enable; }
  bool MouseOverEnabled() const { return mEnableMouseOver; }
  void EnableMultiTouch(bool enable) { mEnableMultiTouch = enable; }
  bool MultiTouchEnabled() const { return mEnableMultiTouch; }
  IControl* GetMouseOverControl() const { return mMouseOver; }
  int GetMouseOverIdx() const { return mMouseOverIdx; }
  // The corner resizer's drag: started by its mouse-down, ended by the mouse-up.
  void StartResizeDrag() { mResizingInProcess = true; }
  bool IsResizingInProcess() const { return mResizingInProcess; }
  // 0 scale the editor, 1 resize it.
  int GetResizerMode() const { return mResizerMode; }
  IControl* GetCornerResizer() const { return mCornerResizer.get(); }
  int NBubbles() const { return static_cast<int>(mBubbleControls.size()); }
  IControl* GetBubble(int idx) const;

  // Value prompts (IGraphicsPrompt.cpp) [main-thread] ---------------------------------------------

  // A menu of the parameter's display texts, or a text entry with its value.
  void RequestValueEntry(IControl* control, const IRect& area, int valIdx);
  void OpenTextEntry(IControl* control, const ITextStyle& style, const IRect& area,
                     const char* initialText, int valIdx);
  void OpenPopupMenu(IControl* control, IPopupMenu& menu, const IRect& area, int valIdx,
                     bool isContext);
  // A text entry finished with `text`.
  void SetTextEntryDone(const char* text);
  // A prompt or context menu closed; `menu` is the chosen (sub)menu or null.
  void SetPopupMenuDone(IPopupMenu* menu);
  IPopupMenu& GetPromptMenu() { return mPromptPopupMenu; }
  IControl* GetControlInTextEntry() const { return mInTextEntry; }
  IControl* GetControlInPopupMenu() const { return mInPopupMenu; }
  void ClearInTextEntryControl() { mInTextEntry = nullptr; }

protected:
  // FetchBitmap through `cache`: a hit at the target scale, else the variant FindScaledImage
  // finds, taken from the cache at its own scale or loaded once with
  // BackendBitmapFromLocation and cached under that scale. Back ends with a cache of their
  // own call this from their FetchBitmap. (IGraphicsResources.cpp)
  IBitmapRef FetchBitmapThroughCache(ResourceCache<APIBitmap>& cache, const char* name, int frames,
                                     bool horizontal, int targetScale);
  // The core's bitmap cache, shared by every IGraphics of the process: each one retains it
  // while it lives, and the last one to go empties it.
  static ResourceCache<APIBitmap>& SharedBitmapCache();

  // Ends, towards the host, the gestures begun for a capture or handed to a
  // prompt. Every way a capture or prompt ends passes through these, so the
  // host never stays "touched".
  void EndCaptureGestures(std::int64_t touchId);
  void EndAllCaptureGestures();
  void EndPromptGestures();
  // Wires a control to this object and the delegate, then OnInit, OnResize, OnScaleChanged.
  void RunAttachHooks(IControl& control);
  // Deletes a listed control after forgetting every reference to it.
  void ForgetControl(IControl* control);
  // Asks the delegate to resize the host's view and the platform to follow.
  void ResizeHostView(bool platformMustFollow);
  void ShowCursorIfHidden();

  // Fields: written and read on the main thread only ----------------------------------------------

  std::vector<std::unique_ptr<IControl>> mControls;       // index 0 is the background
  std::map<int, IControl*> mCtrlTags;                     // tag → listed control
  std::unique_ptr<IControl> mCornerResizer;               // an ICornerResizerControl
  std::vector<std::unique_ptr<IControl>> mBubbleControls; // IBubbleControls
  std::unique_ptr<IControl> mPopupControl;                // an IPopupMenuControl
  std::unique_ptr<IFPSDisplayControl> mPerfDisplay;
  std::unique_ptr<IControl> mTextEntryControl; // an ITextEntryControl
  IPopupMenu mPromptPopupMenu;
  int mWidth;
  int mHeight;
  int mFPS;
  float mScreenScale = 1.f;
  float mDrawScale;
  float mMinScale;
  float mMaxScale;
  std::vector<EGestureType> mRegisteredGestures;
  std::vector<IRect> mGestureRegions;
  std::map<int, GestureFunction> mGestureRegionFuncs;
  std::map<std::int64_t, IControl*> mCapturedMap; // touch id → control
  // Parameters whose gesture began with each capture's mouse-down, and those
  // handed from a capture to the prompt it opened; ended exactly once.
  std::map<std::int64_t, std::vector<int>> mCaptureGestures;
  std::vector<int> mPromptGestures;
  IControl* mMouseOver = nullptr;
  int mMouseOverIdx = -1;
  IControl* mInTextEntry = nullptr;
  int mTextEntryValIdx = -1;
  IControl* mInPopupMenu = nullptr;
  int mPopupMenuValIdx = -1;
  bool mIsContextMenu = false;
  bool mEnableMouseOver = false;
  bool mSingleRegionDrawing = false;
  bool mLayoutOnResize = false;
  bool mEnableMultiTouch = false;
  int mResizerMode = 0; // 0 scale the editor, 1 resize it
  bool mResizingInProcess = false;
  KeyHandlerFunc mKeyHandler;
  FrameTickFunc mFrameTickFunc;
  iplug::IGEditorDelegate& mDelegate; // not owned: it owns this object
  bool mCursorHidden = false;
  bool mCursorLocked = false;
  bool mPenInput = false;
  float mCursorX = -1.f; // last pointer position, points
  float mCursorY = -1.f;
  float mMouseDownX = -1.f;
  float mMouseDownY = -1.f;
  float mHiddenCursorX = -1.f; // where a locked cursor returns
  float mHiddenCursorY = -1.f;
  IRect mClipRECT;
  IMatrix mTransform;
  std::stack<IMatrix> mTransformStates;
  std::vector<ILayer*> mLayers; // pushed layers, not owned
  double mPrevTimestampMs = -1.0;
  const IClock* mClock;
  void* mLibraryInstance = nullptr;
  bool mTooltipsEnabled = false;
  CursorShape mCursorShape = CursorShape::ARROW;
  ResourceCache<PlatformFont> mPlatformFonts; // fonts LoadFont registered, by font id
};

} // namespace igraphics
