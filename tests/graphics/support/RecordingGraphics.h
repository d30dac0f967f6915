#pragma once

#include "IGraphics/IGraphics.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace igraphics::test
{

// One operation the graphics core asked the back end for.
struct DrawOp
{
  enum class Kind
  {
    StartFrame,
    FinishFrame,
    Clip,           // rect = clip rectangle
    Fill,           // rect = bounding box of the filled path; colour = first stop
    Stroke,         // rect = bounding box of the stroked path; colour, thickness
    Bitmap,         // DrawBitmapRegion: rect = destination; srcX, srcY; bitmap; name
    Text,           // BackendDrawText: rect = bounds; text; colour = style's colour
    CompleteRegion, // rect = region
    Transform       // PathSetTransform: matrix
  };

  DrawOp(Kind k, const IRect& r = IRect(), const IColor& c = IColor()) : kind(k), rect(r), colour(c)
  {
  }

  Kind kind;
  IRect rect;
  IColor colour;
  float thickness = 0.f;
  int srcX = 0;
  int srcY = 0;
  const APIBitmap* bitmap = nullptr;
  std::string text; // text drawn, or the bitmap's resource name
  bool hasBlend = false;
  IBlendSpec blend;
  IMatrix matrix;
};

// A bitmap that exists only as a size.
class FakeBitmap final : public APIBitmap
{
public:
  FakeBitmap(int widthPixels, int heightPixels, float scale)
      : APIBitmap(0, widthPixels, heightPixels, scale, 1.f)
  {
  }
};

// A headless drawing back end that records what the graphics core asks it to
// draw, instead of drawing. Paths are tracked only as bounding boxes: a fill or
// stroke is recorded with the box of the points that built the path (an arc
// contributes its whole circle's box), in editor points before any transform.
//
// It also plays the platform: cursor, popup menus (ScriptMenuChoice), text
// entries (LastTextEntry) and bitmaps (AddBitmap) are scripted by the test.
class RecordingGraphics : public IGraphics
{
public:
  RecordingGraphics(iplug::IGEditorDelegate& dlg, int w, int h, int fps = 60,
                    float drawScale = 1.f);
  ~RecordingGraphics() override;

  // What was recorded -------------------------------------------------------

  const std::vector<DrawOp>& Ops() const { return mOps; }
  std::vector<DrawOp> OpsOf(DrawOp::Kind kind) const;
  int Count(DrawOp::Kind kind) const { return static_cast<int>(OpsOf(kind).size()); }
  // Fills whose colour is `colour`, in order.
  std::vector<DrawOp> FillsOf(const IColor& colour) const;
  void ClearOps() { mOps.clear(); }

  // Convenience: IsDirty into a fresh list, then Draw it, as a platform's tick
  // does (controls are marked clean after the dirty check). Returns the regions
  // the dirty check reported, before they were snapped and reduced.
  IRectList Tick();

  // Platform state as a test sees it --------------------------------------------

  int PlatformResizeCount() const { return mPlatformResizes; }
  bool LastPlatformResizeAnswer() const { return mLastPlatformResizeAnswer; }
  int DrawTargetResizeCount() const { return mDrawTargetResizes; }
  // Text entries opened natively: the last one's arguments.
  struct TextEntry
  {
    int paramIdx = -1;
    IRect bounds;
    int maxLength = 0;
    std::string text;
  };
  int TextEntryCount() const { return mTextEntries; }
  const TextEntry& LastTextEntry() const { return mLastTextEntry; }
  // The next native popup menu answers with the item at `itemIdx` of the
  // top-level menu (-1: dismissed); every menu shown is remembered.
  void ScriptMenuChoice(int itemIdx) { mNextMenuChoice = itemIdx; }
  int MenuCount() const { return mMenus; }
  const IRect& LastMenuBounds() const { return mLastMenuBounds; }

  // Bitmaps FetchBitmap can find: `name` at a pixel size and scale.
  void AddBitmap(const char* name, int widthPixels, int heightPixels, float scale);

  // Text measuring: every character is `width` points wide (default 0.5 × size).
  void SetCharWidth(float width) { mCharWidth = width; }

  // IGraphics back-end operations -------------------------------------------------

  void StartFrame() override;
  void FinishFrame() override;
  void DrawBitmapRegion(const IBitmapRef& bitmap, const IRect& dest, int srcX, int srcY,
                        const IBlendSpec* blend = nullptr) override;
  IColor PixelColourAt(float x, float y) override;
  void* RendererHandle() override { return nullptr; }
  const char* DrawingBackendName() override { return "Recording"; }
  bool IsLoadableImageType(const char* extension) override;
  bool LoadFont(const char* fontId, const char* familyName, const char* style) override;
  bool LoadFont(const char* fontId, const char* fileName) override;
  void PathReset() override;
  void PathCloseFigure() override {}
  void PathAddArc(float cx, float cy, float r, float a1, float a2, bool ccw = false) override;
  void PathStartAt(float x, float y) override;
  void PathAddLine(float x, float y) override;
  void PathAddCubic(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathAddQuadratic(float cx, float cy, float x2, float y2) override;
  void PathStrokeWith(const IPatternSpec& pattern, float thickness, const IStrokeSpec& options,
                      const IBlendSpec* blend = nullptr) override;
  void PathFillWith(const IPatternSpec& pattern, const IFillSpec& options,
                    const IBlendSpec* blend = nullptr) override;
  void PathSetTransform(const IMatrix& matrix) override;
  void CompleteRegion(const IRect& region) override;
  void ClipToRect(const IRect& bounds) override;
  void OpenNativeTextEntry(int paramIdx, const ITextStyle& style, const IRect& bounds,
                           int maxLength, const char* initialText) override;
  IPopupMenu* ShowNativePopupMenu(IPopupMenu& menu, const IRect& bounds) override;
  void PlatformResize(bool hostResized) override;
  void ResizeDrawTarget() override { ++mDrawTargetResizes; }
  IBitmapRef FetchBitmapFromData(const char* name, const void* data, int size, int frames = 1,
                                 bool horizontal = false, int targetScale = 0) override;
  IBitmapRef FetchBitmap(const char* name, int frames = 1, bool horizontal = false,
                         int targetScale = 0) override;
  APIBitmap* BackendBitmapFromBytes(const char* name, const void* bytes, int length,
                                    float scale) override;
  std::unique_ptr<APIBitmap> BackendBitmapFromLocation(const char* pathOrResource, float scale,
                                                       int location,
                                                       const char* extension) override;
  std::unique_ptr<APIBitmap> CreateLayerSurface(int widthPixels, int heightPixels, float scale,
                                                float drawScale) override;
  bool RegisterRendererFont(const char* fontId, PlatformFont& font) override;
  int AlphaByteIndex() const override { return 3; }
  bool LayerRowsBottomUp() const override { return false; }
  float BackendMeasureText(const ITextStyle& style, const char* text, IRect& bounds) override;
  void BackendDrawText(const ITextStyle& style, const char* text, const IRect& bounds,
                       const IBlendSpec* blend = nullptr) override;

private:
  void AddPathPoint(float x, float y);
  DrawOp PathOp(DrawOp::Kind kind, const IPatternSpec& pattern, const IBlendSpec* blend) const;

  std::vector<DrawOp> mOps;
  IRect mPathBox;
  bool mPathEmpty = true;
  int mPlatformResizes = 0;
  bool mLastPlatformResizeAnswer = false;
  int mDrawTargetResizes = 0;
  int mTextEntries = 0;
  TextEntry mLastTextEntry;
  int mNextMenuChoice = -1;
  int mMenus = 0;
  IRect mLastMenuBounds;
  float mCharWidth = -1.f;
  std::map<std::string, std::unique_ptr<FakeBitmap>> mBitmaps;
};

} // namespace igraphics::test
