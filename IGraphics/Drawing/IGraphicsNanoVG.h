#pragma once

#include "IGraphics/Drawing/Framebuffer.h"
#include "IGraphics/Drawing/VectorRenderer.h"
#include "IGraphics/IGraphics.h"
#include "IGraphics/ResourceCache.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace igraphics
{

// The drawing back end on our vector renderer (OpenGL 2).
//
// The editor is drawn into an offscreen framebuffer, the backing store, that
// keeps its pixels between frames: a frame redraws only the dirty regions into
// it and then copies all of it to the window's framebuffer. Layers are further
// framebuffers wrapped as bitmaps. Platform layers derive from this class and
// supply the GL context; everything runs on the editor's thread with that
// context current [main-thread], except where noted.
//
// Without a renderer context (before OnDrawContextCreated, after
// OnDrawContextReleased, or when the context lacks what the renderer needs)
// every drawing operation does nothing.
//
// Locks, taken in this order when they nest: the process-wide font lock or the
// bitmap-cache lock, then the deletion-queue lock.
class IGraphicsNanoVG : public IGraphics
{
public:
  class Bitmap;

  // [main-thread]
  IGraphicsNanoVG(iplug::IGEditorDelegate& dlg, int w, int h, int fps = 60, float drawScale = 1.f);
  // [main-thread]
  ~IGraphicsNanoVG() override;

  // The graphics engine's drawing, bitmap, layer and text operations. [main-thread]
  void StartFrame() override;
  void OnDrawContextCreated() override;
  void OnDrawContextReleased() override;
  void FinishFrame() override;
  void DrawBitmapRegion(const IBitmapRef& bitmap, const IRect& dest, int srcX, int srcY,
                        const IBlendSpec* blend = nullptr) override;
  void StrokeDashedLine(const IColor& colour, float x1, float y1, float x2, float y2,
                        const IBlendSpec* blend = nullptr, float thickness = 1.f,
                        float dashLen = 2.f) override;
  void StrokeDashedRect(const IColor& colour, const IRect& bounds,
                        const IBlendSpec* blend = nullptr, float thickness = 1.f,
                        float dashLen = 2.f) override;
  // Always opaque black: reading back the window would stall the pipeline.
  IColor PixelColourAt(float x, float y) override;
  void* RendererHandle() override { return mRenderer.get(); }
  const char* DrawingBackendName() override { return "NanoVG | GL2"; }
  // Renderer images belong to one GL context: never shared across editors.
  void KeepSharedBitmap(const IBitmapRef& bitmap, const char* name, int scale) override;
  void DropSharedBitmap(const IBitmapRef& bitmap) override;
  bool IsLoadableImageType(const char* extension) override;
  void FillBoxShadow(const IRect& inner, const IRect& outer, float dropDist, float roundness,
                     float blur, const IBlendSpec* blend = nullptr) override;
  void ReadLayerPixels(ILayer& layer, std::vector<std::uint8_t>& bytes) override;
  void CompositeLayerShadow(ILayer& layer, const std::vector<std::uint8_t>& mask,
                            const IShadowSpec& shadow) override;
  void RetargetToTopLayer() override;
  void PathReset() override;
  void PathCloseFigure() override;
  void PathAddArc(float cx, float cy, float r, float a1, float a2, bool ccw = false) override;
  void PathStartAt(float x, float y) override;
  void PathAddLine(float x, float y) override;
  void PathSetDirection(bool clockwise) override;
  void PathAddCubic(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathAddQuadratic(float cx, float cy, float x2, float y2) override;
  void PathStrokeWith(const IPatternSpec& pattern, float thickness, const IStrokeSpec& options,
                      const IBlendSpec* blend = nullptr) override;
  void PathFillWith(const IPatternSpec& pattern, const IFillSpec& options,
                    const IBlendSpec* blend = nullptr) override;
  void PathSetTransform(const IMatrix& matrix) override;
  void ClipToRect(const IRect& bounds) override;
  void ResizeDrawTarget() override;
  // Through this editor's own cache: images belong to its renderer context.
  IBitmapRef FetchBitmap(const char* name, int frames = 1, bool horizontal = false,
                         int targetScale = 0) override;
  IBitmapRef FetchBitmapFromData(const char* name, const void* data, int size, int frames = 1,
                                 bool horizontal = false, int targetScale = 0) override;
  APIBitmap* BackendBitmapFromBytes(const char* name, const void* bytes, int length,
                                    float scale) override;
  std::unique_ptr<APIBitmap> BackendBitmapFromLocation(const char* pathOrResource, float scale,
                                                       int location,
                                                       const char* extension) override;
  std::unique_ptr<APIBitmap> CreateLayerSurface(int widthPixels, int heightPixels, float scale,
                                                float drawScale) override;
  bool RegisterRendererFont(const char* fontId, PlatformFont& font) override;
  int AlphaByteIndex() const override { return 3; }
  bool LayerRowsBottomUp() const override { return true; }
  float BackendMeasureText(const ITextStyle& style, const char* text, IRect& bounds) override;
  void BackendDrawText(const ITextStyle& style, const char* text, const IRect& bounds,
                       const IBlendSpec* blend = nullptr) override;

  // Back-end state, for platform layers and tests [main-thread] -----------------

  VectorRenderer* Renderer() const { return mRenderer.get(); }
  // Null until ResizeDrawTarget ran with a renderer context.
  const Framebuffer* BackingFramebuffer() const { return mBackingFramebuffer.get(); }
  // int(int(W × ds) × ss) by int(int(H × ds) × ss).
  int BackingWidthPixels() const;
  int BackingHeightPixels() const;
  // The framebuffer the window shows, read from the GL state when the
  // renderer context was made.
  int DefaultFramebuffer() const { return mDefaultFramebuffer; }
  bool InFrame() const { return mInFrame; }
  // Whether frames reach the window by a framebuffer blit (when the driver
  // has one; a software rasteriser copies memory instead of texturing) or by
  // a textured rectangle. Both give the same pixels. On by default.
  void SetPresentByBlit(bool blit) { mPresentByBlit = blit; }
  // Framebuffers of layers destroyed during this frame, still waiting.
  int QueuedFramebufferCount();

  // Process-wide: editors alive, and font records held for them. [any-thread]
  static int LiveInstanceCount();
  static int CachedFontCount();

private:
  friend class Bitmap;

  // Binds the backing store, or the default framebuffer before there is one.
  void BindMainTarget();
  void BeginMainFrame();
  void SetMainViewport();
  void ApplyBlend(const IBlendSpec* blend);
  void ResetBlend();
  // A framebuffer of a layer bitmap going away: queued while a frame may still
  // draw from its texture, deleted at once otherwise.
  void ReleaseFramebuffer(std::unique_ptr<Framebuffer> framebuffer);
  void DrainDeletionQueue();
  void PrepareText(const ITextStyle& style, const char* text, const IRect& rect, float& x, float& y,
                   IRect& textBounds);
  std::unique_ptr<Bitmap> BitmapFromDecodedBytes(const std::uint8_t* bytes, std::size_t length,
                                                 float scale);
  void PresentBackingStore();

  // Main thread only:
  std::unique_ptr<VectorRenderer> mRenderer;
  std::unique_ptr<Framebuffer> mBackingFramebuffer;
  int mDefaultFramebuffer = 0;
  bool mInFrame = false;
  bool mPresentByBlit = true;
  // Locked, since bitmaps may be destroyed and looked up from the cache's users:
  std::mutex mDeletionLock; // guards mDeletionQueue
  std::vector<std::unique_ptr<Framebuffer>> mDeletionQueue;
  std::recursive_mutex mBitmapCacheLock; // guards mBitmapCache; clearing it destroys bitmaps
  ResourceCache<APIBitmap> mBitmapCache;
};

} // namespace igraphics
