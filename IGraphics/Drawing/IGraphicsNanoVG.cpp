#include "IGraphics/Drawing/IGraphicsNanoVG.h"

#include "IGraphics/Drawing/DecodedImage.h"
#include "IGraphics/Drawing/IGraphicsNanoVGBitmap.h"
#include "IGraphics/ResourceLookup.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>
#include <numbers>
#include <span>

namespace igraphics
{

namespace
{

// Shared by every editor of the process, guarded by FontLock().
struct SharedFonts
{
  ResourceCache<FontDataRecord> cache;
  int liveInstances = 0;
};

std::mutex& FontLock()
{
  static std::mutex lock;
  return lock;
}

SharedFonts& Fonts()
{
  static SharedFonts fonts;
  return fonts;
}

Color ToColor(const IColor& c, const IBlendSpec* blend)
{
  const float weight = blend ? blend->mWeight : 1.f;
  return Color::Rgba(c.R / 255.f, c.G / 255.f, c.B / 255.f, c.A * weight / 255.f);
}

Paint ToPaint(const IPatternSpec& pattern, const IBlendSpec* blend)
{
  const Color inner = ToColor(pattern.GetStop(0).mColor, blend);
  if (pattern.mType == EPatternType::Solid) return Paint::Solid(inner);
  // Only the first and last stops reach the renderer.
  const Color outer = ToColor(pattern.GetStop(std::max(0, pattern.mNStops - 1)).mColor, blend);
  IMatrix inverse;
  if (!pattern.mTransform.Invert(inverse)) inverse = IMatrix();
  double x0 = 0.0, y0 = 0.0;
  inverse.TransformPoint(x0, y0);
  if (pattern.mType == EPatternType::Radial)
  {
    const float outerRadius = static_cast<float>(inverse.mXX);
    return Paint::RadialGradient(static_cast<float>(x0), static_cast<float>(y0),
                                 pattern.GetStop(0).mOffset * outerRadius, outerRadius, inner,
                                 outer);
  }
  double x1 = 0.0, y1 = 1.0;
  inverse.TransformPoint(x1, y1);
  return Paint::LinearGradient(static_cast<float>(x0), static_cast<float>(y0),
                               static_cast<float>(x1), static_cast<float>(y1), inner, outer);
}

// Source and destination factors per blend method, for colour and alpha alike.
bool BlendFactors(EBlend method, BlendFactor& src, BlendFactor& dst)
{
  using F = BlendFactor;
  switch (method)
  {
  case EBlend::Default:
    src = F::One, dst = F::OneMinusSrcAlpha;
    return true;
  case EBlend::SrcIn:
    src = F::DstAlpha, dst = F::Zero;
    return true;
  case EBlend::SrcOut:
    src = F::OneMinusDstAlpha, dst = F::Zero;
    return true;
  case EBlend::SrcAtop:
    src = F::DstAlpha, dst = F::OneMinusSrcAlpha;
    return true;
  case EBlend::DstOver:
    src = F::OneMinusDstAlpha, dst = F::One;
    return true;
  case EBlend::DstIn:
    src = F::Zero, dst = F::SrcAlpha;
    return true;
  case EBlend::DstOut:
    src = F::Zero, dst = F::OneMinusSrcAlpha;
    return true;
  case EBlend::DstAtop:
    src = F::OneMinusDstAlpha, dst = F::SrcAlpha;
    return true;
  case EBlend::Add:
    src = F::SrcAlpha, dst = F::DstAlpha;
    return true;
  case EBlend::XOR:
    src = F::OneMinusDstAlpha, dst = F::OneMinusSrcAlpha;
    return true;
  }
  return false;
}

// A dash length that cannot divide a line draws it plain.
bool UsableDash(float dashLen)
{
  return std::isfinite(dashLen) && dashLen > 0.f;
}

} // namespace

IGraphicsNanoVG::IGraphicsNanoVG(iplug::IGEditorDelegate& dlg, int w, int h, int fps,
                                 float drawScale)
    : IGraphics(dlg, w, h, fps, drawScale)
{
  std::lock_guard<std::mutex> lock(FontLock());
  ++Fonts().liveInstances;
}

IGraphicsNanoVG::~IGraphicsNanoVG()
{
  {
    std::lock_guard<std::mutex> lock(FontLock());
    if (--Fonts().liveInstances == 0) Fonts().cache.Clear();
    DrainDeletionQueue();
  }
  std::lock_guard<std::recursive_mutex> lock(mBitmapCacheLock);
  mBitmapCache.Clear();
}

int IGraphicsNanoVG::LiveInstanceCount()
{
  std::lock_guard<std::mutex> lock(FontLock());
  return Fonts().liveInstances;
}

int IGraphicsNanoVG::CachedFontCount()
{
  std::lock_guard<std::mutex> lock(FontLock());
  return Fonts().cache.Size();
}

int IGraphicsNanoVG::BackingWidthPixels() const
{
  return static_cast<int>(static_cast<int>(Width() * GetDrawScale()) * GetScreenScale());
}

int IGraphicsNanoVG::BackingHeightPixels() const
{
  return static_cast<int>(static_cast<int>(Height() * GetDrawScale()) * GetScreenScale());
}

// Context and frames ---------------------------------------------------------------

void IGraphicsNanoVG::OnDrawContextCreated()
{
  mRenderer = VectorRenderer::Create(VectorRenderer::kEdgeAntialias);
  // Read now, for this context: read later, the backing store may already be
  // bound and the copy to the window would land on itself.
  mDefaultFramebuffer = mRenderer ? mRenderer->CurrentFramebufferBinding() : 0;
}

void IGraphicsNanoVG::OnDrawContextReleased()
{
  ClearAllControls();
  std::lock_guard<std::recursive_mutex> lock(mBitmapCacheLock);
  mBitmapCache.Clear();
  {
    std::lock_guard<std::mutex> queueLock(mDeletionLock);
    mDeletionQueue.clear();
  }
  mBackingFramebuffer.reset();
  mRenderer.reset();
}

void IGraphicsNanoVG::ResizeDrawTarget()
{
  mBackingFramebuffer.reset();
  if (!mRenderer) return;
  mBackingFramebuffer =
      mRenderer->CreateFramebuffer(BackingWidthPixels(), BackingHeightPixels(), 0);
}

void IGraphicsNanoVG::SetMainViewport()
{
  mRenderer->SetViewport(0, 0, BackingWidthPixels(), BackingHeightPixels());
}

void IGraphicsNanoVG::BindMainTarget()
{
  if (mBackingFramebuffer)
    mRenderer->BindFramebuffer(*mBackingFramebuffer);
  else
    mRenderer->BindFramebufferObject(mDefaultFramebuffer);
}

void IGraphicsNanoVG::BeginMainFrame()
{
  mRenderer->BeginFrame(static_cast<float>(ScaledWidth()), static_cast<float>(ScaledHeight()),
                        GetScreenScale());
}

void IGraphicsNanoVG::StartFrame()
{
  mInFrame = true;
  IGraphics::StartFrame();
  if (!mRenderer) return;
  SetMainViewport();
  // After a buffer swap the window's back buffer holds nothing reliable. Bound
  // first: whatever else was left bound must not be cleared instead.
  mRenderer->BindFramebufferObject(mDefaultFramebuffer);
  mRenderer->ClearTarget(0.f, 0.f, 0.f, 0.f);
  BindMainTarget();
  BeginMainFrame();
  // The backing store is not cleared: what is not redrawn keeps its pixels.
}

void IGraphicsNanoVG::FinishFrame()
{
  if (mRenderer)
  {
    if (mRenderer->InFrame()) mRenderer->EndFrame();
    PresentBackingStore();
  }
  mInFrame = false;
  DrainDeletionQueue();
}

void IGraphicsNanoVG::PresentBackingStore()
{
  mRenderer->BindFramebufferObject(mDefaultFramebuffer);
  if (!mBackingFramebuffer) return;
  if (mPresentByBlit && mRenderer->CopyFramebuffer(*mBackingFramebuffer, mDefaultFramebuffer))
    return;
  BeginMainFrame();
  mRenderer->Save();
  mRenderer->ResetTransform();
  mRenderer->BeginPath();
  const float w = static_cast<float>(ScaledWidth());
  const float h = static_cast<float>(ScaledHeight());
  mRenderer->Rect(0.f, 0.f, w, h);
  mRenderer->SetFillPaint(
      Paint::ImagePattern(0.f, 0.f, w, h, 0.f, mBackingFramebuffer->Image(), 1.f));
  mRenderer->Fill();
  mRenderer->Restore();
  mRenderer->EndFrame();
}

void IGraphicsNanoVG::ReleaseFramebuffer(std::unique_ptr<Framebuffer> framebuffer)
{
  // The frame being recorded may still draw from its texture.
  if (!mInFrame) return;
  std::lock_guard<std::mutex> lock(mDeletionLock);
  mDeletionQueue.push_back(std::move(framebuffer));
}

void IGraphicsNanoVG::DrainDeletionQueue()
{
  std::vector<std::unique_ptr<Framebuffer>> doomed;
  {
    std::lock_guard<std::mutex> lock(mDeletionLock);
    doomed.swap(mDeletionQueue);
  }
}

int IGraphicsNanoVG::QueuedFramebufferCount()
{
  std::lock_guard<std::mutex> lock(mDeletionLock);
  return static_cast<int>(mDeletionQueue.size());
}

// Blend ----------------------------------------------------------------------------------

void IGraphicsNanoVG::ApplyBlend(const IBlendSpec* blend)
{
  BlendFactor src, dst;
  if (BlendFactors(blend ? blend->mMethod : EBlend::Default, src, dst))
    mRenderer->SetBlendFactors(src, dst);
}

void IGraphicsNanoVG::ResetBlend()
{
  mRenderer->SetBlendFactors(BlendFactor::One, BlendFactor::OneMinusSrcAlpha);
}

// Bitmaps ---------------------------------------------------------------------------------

void IGraphicsNanoVG::DrawBitmapRegion(const IBitmapRef& bitmap, const IRect& dest, int srcX,
                                       int srcY, const IBlendSpec* blend)
{
  if (!mRenderer) return;
  const auto* b = dynamic_cast<const Bitmap*>(bitmap.GetAPIBitmap());
  if (b == nullptr || b->Bands().empty() || b->GetHeight() <= 0) return;
  const float s = b->GetScale();
  const float d = b->GetDrawScale();
  const float toPoints = 1.f / (s * d);
  const float extentX = bitmap.W() * s;
  // Paint units per picture row: the extent spans all rows.
  const float rowUnits = bitmap.H() * s / static_cast<float>(b->GetHeight());
  const float alpha = blend ? blend->mWeight : 1.f;
  const float originX = dest.L - srcX;
  const float originY = dest.T - srcY;
  const bool split = b->Bands().size() > 1;
  for (const auto& band : b->Bands())
  {
    const float bandTop = originY + band.top * rowUnits * toPoints;
    const float bandBottom = originY + (band.top + band.rows) * rowUnits * toPoints;
    const float top = split ? std::max(dest.T, bandTop) : dest.T;
    const float bottom = split ? std::min(dest.B, bandBottom) : dest.B;
    if (split && bottom <= top) continue;
    Transform xform = Transform::Scaling(toPoints, toPoints);
    xform.tx = originX;
    xform.ty = bandTop;
    mRenderer->BeginPath();
    mRenderer->Rect(dest.L, top, dest.W(), bottom - top);
    mRenderer->SetFillPaint(
        Paint::ImagePattern(xform, extentX, band.rows * rowUnits, band.image, alpha));
    ApplyBlend(blend);
    mRenderer->Fill();
    ResetBlend();
  }
  mRenderer->BeginPath();
}

IColor IGraphicsNanoVG::PixelColourAt(float x, float y)
{
  (void)x;
  (void)y;
  return IColor(255, 0, 0, 0);
}

void IGraphicsNanoVG::KeepSharedBitmap(const IBitmapRef& bitmap, const char* name, int scale)
{
  (void)bitmap;
  (void)name;
  (void)scale;
}

void IGraphicsNanoVG::DropSharedBitmap(const IBitmapRef& bitmap)
{
  (void)bitmap;
}

bool IGraphicsNanoVG::IsLoadableImageType(const char* extension)
{
  if (extension == nullptr) return false;
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("png") != std::string::npos || lower.find("jpg") != std::string::npos ||
         lower.find("jpeg") != std::string::npos;
}

IBitmapRef IGraphicsNanoVG::FetchBitmap(const char* name, int frames, bool horizontal,
                                        int targetScale)
{
  // Images belong to a renderer context: none can be made without one.
  if (!mRenderer) return IBitmapRef();
  std::lock_guard<std::recursive_mutex> lock(mBitmapCacheLock);
  return FetchBitmapThroughCache(mBitmapCache, name, frames, horizontal, targetScale);
}

IBitmapRef IGraphicsNanoVG::FetchBitmapFromData(const char* name, const void* data, int size,
                                                int frames, bool horizontal, int targetScale)
{
  if (targetScale == 0) targetScale = static_cast<int>(std::ceil(GetScreenScale()));
  APIBitmap* bitmap = BackendBitmapFromBytes(name, data, size, static_cast<float>(targetScale));
  if (bitmap == nullptr || bitmap->GetImageId() == 0) return IBitmapRef();
  const float scale = bitmap->GetScale();
  return IBitmapRef(bitmap, static_cast<int>(bitmap->GetWidth() / scale),
                    static_cast<int>(bitmap->GetHeight() / scale), frames, horizontal, name);
}

std::unique_ptr<IGraphicsNanoVG::Bitmap>
IGraphicsNanoVG::BitmapFromDecodedBytes(const std::uint8_t* bytes, std::size_t length, float scale)
{
  DecodedImage decoded;
  if (!mRenderer || !decoded.Decode(bytes, length))
    return std::make_unique<Bitmap>(*this, 0, scale);
  return std::make_unique<Bitmap>(*this, decoded.Width(), decoded.Height(), decoded.Pixels(), 0,
                                  scale, 1.f);
}

std::unique_ptr<APIBitmap> IGraphicsNanoVG::BackendBitmapFromLocation(const char* pathOrResource,
                                                                      float scale, int location,
                                                                      const char* extension)
{
  std::unique_ptr<Bitmap> bitmap;
  MakeWindowContextCurrent();
  if (location == 1)
  {
    DecodedImage decoded;
    if (mRenderer && pathOrResource && decoded.Load(pathOrResource))
      bitmap = std::make_unique<Bitmap>(*this, decoded.Width(), decoded.Height(), decoded.Pixels(),
                                        0, scale, 1.f);
  }
  else if (location == 2 && pathOrResource)
  {
    const std::span<const std::uint8_t> bytes =
        ReadModuleResource(pathOrResource, extension, LibraryInstance());
    if (!bytes.empty()) bitmap = BitmapFromDecodedBytes(bytes.data(), bytes.size(), scale);
  }
  if (!bitmap) bitmap = std::make_unique<Bitmap>(*this, 0, scale);
  RestorePreviousContext();
  return bitmap;
}

APIBitmap* IGraphicsNanoVG::BackendBitmapFromBytes(const char* name, const void* bytes, int length,
                                                   float scale)
{
  if (name == nullptr) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(mBitmapCacheLock);
  if (APIBitmap* cached = mBitmapCache.Find(name, scale)) return cached;
  if (bytes == nullptr || length <= 0 || !mRenderer) return nullptr;
  MakeWindowContextCurrent();
  auto bitmap = BitmapFromDecodedBytes(static_cast<const std::uint8_t*>(bytes),
                                       static_cast<std::size_t>(length), scale);
  RestorePreviousContext();
  // Pictures that do not decode are not remembered as if they had.
  if (bitmap->GetImageId() == 0) return nullptr;
  return mBitmapCache.Add(name, scale, std::move(bitmap));
}

// Layers ----------------------------------------------------------------------------------

std::unique_ptr<APIBitmap> IGraphicsNanoVG::CreateLayerSurface(int widthPixels, int heightPixels,
                                                               float scale, float drawScale)
{
  const bool wasInFrame = mInFrame && mRenderer && mRenderer->InFrame();
  if (wasInFrame) mRenderer->EndFrame();
  auto bitmap = std::make_unique<Bitmap>(*this, widthPixels, heightPixels, scale, drawScale,
                                         Bitmap::LayerSurface{});
  if (wasInFrame)
  {
    // Drawing continues where it was: the top layer, or the backing store.
    RetargetToTopLayer();
  }
  return bitmap;
}

void IGraphicsNanoVG::RetargetToTopLayer()
{
  if (!mRenderer) return;
  if (mRenderer->InFrame()) mRenderer->EndFrame();
  const ILayer* layer = TopLayer();
  if (layer == nullptr)
  {
    SetMainViewport();
    BindMainTarget();
    BeginMainFrame();
    return;
  }
  const IRect& r = layer->Bounds();
  const float ds = GetDrawScale();
  const float ss = GetScreenScale();
  mRenderer->SetViewport(0, 0, static_cast<int>(r.W() * ds * ss),
                         static_cast<int>(r.H() * ds * ss));
  const auto* bitmap = dynamic_cast<const Bitmap*>(layer->GetAPIBitmap());
  if (bitmap && bitmap->GetFramebuffer())
    mRenderer->BindFramebuffer(*bitmap->GetFramebuffer());
  else
    mRenderer->BindFramebufferObject(mDefaultFramebuffer);
  mRenderer->BeginFrame(r.W() * ds, r.H() * ds, ss);
}

void IGraphicsNanoVG::ReadLayerPixels(ILayer& layer, std::vector<std::uint8_t>& bytes)
{
  const APIBitmap* bitmap = layer.GetAPIBitmap();
  if (!mRenderer || bitmap == nullptr) return;
  const int w = bitmap->GetWidth();
  const int h = bitmap->GetHeight();
  try
  {
    bytes.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
  }
  catch (const std::bad_alloc&)
  {
    return;
  }
  PushLayer(&layer);
  mRenderer->ReadPixels(0, 0, w, h, bytes.data());
  PopLayer();
}

void IGraphicsNanoVG::CompositeLayerShadow(ILayer& layer, const std::vector<std::uint8_t>& mask,
                                           const IShadowSpec& shadow)
{
  const APIBitmap* layerBitmap = layer.GetAPIBitmap();
  if (!mRenderer || layerBitmap == nullptr) return;
  const int w = layerBitmap->GetWidth();
  const int h = layerBitmap->GetHeight();
  if (mask.size() < static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4) return;
  const IRect bounds = layer.Bounds();
  if (!shadow.mDrawForeground)
  {
    PushLayer(&layer);
    mRenderer->SetBlendFactors(BlendFactor::Zero, BlendFactor::Zero);
    PathRect(bounds);
    mRenderer->SetFillColor(Color{});
    mRenderer->Fill();
    ResetBlend();
    mRenderer->BeginPath();
    PopLayer();
  }
  // The mask comes from ReadLayerPixels: rows bottom-up, premultiplied.
  auto maskBitmap =
      std::make_unique<Bitmap>(*this, w, h, mask.data(), kImageFlipY | kImagePremultiplied,
                               layerBitmap->GetScale(), layerBitmap->GetDrawScale());
  auto surface = CreateLayerSurface(w, h, layerBitmap->GetScale(), layerBitmap->GetDrawScale());
  ILayer temporary(std::move(surface), bounds);
  const IBitmapRef maskRef(maskBitmap.get(), static_cast<int>(bounds.W()),
                           static_cast<int>(bounds.H()), 1, false, "");
  PathTransformSave();
  PushLayer(&layer);
  PushLayer(&temporary);
  DrawBitmapRegion(maskRef, bounds, 0, 0);
  PathReset();
  PathRect(bounds);
  PathTransformTranslate(-shadow.mXOffset, -shadow.mYOffset);
  const IBlendSpec sourceIn(EBlend::SrcIn, 1.f);
  PathFillWith(shadow.mPattern, IFillSpec(), &sourceIn);
  PopLayer();
  const IBitmapRef surfaceRef(temporary.GetAPIBitmap(), static_cast<int>(bounds.W()),
                              static_cast<int>(bounds.H()), 1, false, "");
  const IBlendSpec destinationOver(EBlend::DstOver, std::clamp(shadow.mOpacity, 0.f, 1.f));
  IRect moved = bounds;
  moved.L += shadow.mXOffset;
  moved.R += shadow.mXOffset;
  moved.T += shadow.mYOffset;
  moved.B += shadow.mYOffset;
  DrawBitmapRegion(surfaceRef, moved, 0, 0, &destinationOver);
  PopLayer();
  PathTransformRestore();
}

// Shadows and dashes ----------------------------------------------------------------------

void IGraphicsNanoVG::FillBoxShadow(const IRect& inner, const IRect& outer, float dropDist,
                                    float roundness, float blur, const IBlendSpec* blend)
{
  if (!mRenderer) return;
  const float weight = blend ? blend->mWeight : 1.f;
  mRenderer->BeginPath();
  mRenderer->Rect(outer.L, outer.T, outer.W(), outer.H());
  mRenderer->SetFillPaint(Paint::BoxGradient(
      inner.L + dropDist, inner.T + dropDist, inner.W(), inner.H(), roundness, std::max(1.f, blur),
      Color::Rgba(0.f, 0.f, 0.f, 128.f * weight / 255.f), Color{}));
  mRenderer->Fill();
  mRenderer->BeginPath();
}

void IGraphicsNanoVG::StrokeDashedLine(const IColor& colour, float x1, float y1, float x2, float y2,
                                       const IBlendSpec* blend, float thickness, float dashLen)
{
  if (!mRenderer) return;
  PathReset();
  PathStartAt(x1, y1);
  if (!UsableDash(dashLen))
    PathAddLine(x2, y2);
  else
  {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const int n = static_cast<int>(std::round(std::sqrt(dx * dx + dy * dy) / dashLen));
    for (int i = 1; i < n; i += 2)
    {
      const float a = static_cast<float>(i) / n;
      const float b = static_cast<float>(i + 1) / n;
      PathAddLine(x1 + a * dx, y1 + a * dy);
      PathStartAt(x1 + b * dx, y1 + b * dy);
    }
  }
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphicsNanoVG::StrokeDashedRect(const IColor& colour, const IRect& bounds,
                                       const IBlendSpec* blend, float thickness, float dashLen)
{
  if (!mRenderer) return;
  PathReset();
  if (!UsableDash(dashLen))
    PathRect(bounds);
  else
  {
    const float l = bounds.L, t = bounds.T, r = bounds.R, b = bounds.B;
    const int nx = static_cast<int>(std::ceil((r - l) / (2.f * dashLen)));
    const int ny = static_cast<int>(std::ceil((b - t) / (2.f * dashLen)));
    float x = l;
    float y = t;
    PathStartAt(x, y);
    for (const float d : {dashLen, -dashLen})
    {
      for (int i = 0; i < nx; ++i)
      {
        const float xEnd = std::min(r, std::max(l, x + d));
        PathAddLine(xEnd, y);
        x = std::min(r, std::max(l, xEnd + d));
        PathStartAt(x, y);
      }
      for (int i = 0; i < ny; ++i)
      {
        const float yEnd = std::min(b, std::max(t, y + d));
        PathAddLine(x, yEnd);
        y = std::min(b, std::max(t, yEnd + d));
        PathStartAt(x, y);
      }
    }
  }
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

// Paths -----------------------------------------------------------------------------------

void IGraphicsNanoVG::PathReset()
{
  if (mRenderer) mRenderer->BeginPath();
}

void IGraphicsNanoVG::PathCloseFigure()
{
  if (mRenderer) mRenderer->ClosePath();
}

void IGraphicsNanoVG::PathAddArc(float cx, float cy, float r, float a1, float a2, bool ccw)
{
  if (!mRenderer) return;
  // Degrees clockwise from 12 o'clock to radians from the +x axis.
  auto radians = [](float a) { return (a - 90.f) / 180.f * std::numbers::pi_v<float>; };
  mRenderer->Arc(cx, cy, r, radians(a1), radians(a2),
                 ccw ? ArcDirection::CounterClockwise : ArcDirection::Clockwise);
}

void IGraphicsNanoVG::PathStartAt(float x, float y)
{
  if (mRenderer) mRenderer->MoveTo(x, y);
}

void IGraphicsNanoVG::PathAddLine(float x, float y)
{
  if (mRenderer) mRenderer->LineTo(x, y);
}

void IGraphicsNanoVG::PathSetDirection(bool clockwise)
{
  if (mRenderer) mRenderer->SetPathWinding(clockwise ? PathWinding::Hole : PathWinding::Solid);
}

void IGraphicsNanoVG::PathAddCubic(float c1x, float c1y, float c2x, float c2y, float x2, float y2)
{
  if (mRenderer) mRenderer->BezierTo(c1x, c1y, c2x, c2y, x2, y2);
}

void IGraphicsNanoVG::PathAddQuadratic(float cx, float cy, float x2, float y2)
{
  // The renderer raises it to a cubic from the current point: C1 = P0 + 2/3 (C - P0),
  // C2 = P2 + 2/3 (C - P2).
  if (mRenderer) mRenderer->QuadTo(cx, cy, x2, y2);
}

void IGraphicsNanoVG::PathStrokeWith(const IPatternSpec& pattern, float thickness,
                                     const IStrokeSpec& options, const IBlendSpec* blend)
{
  if (!mRenderer) return;
  static constexpr LineCap kCaps[] = {LineCap::Butt, LineCap::Round, LineCap::Square};
  static constexpr LineJoin kJoins[] = {LineJoin::Miter, LineJoin::Round, LineJoin::Bevel};
  mRenderer->SetLineCap(kCaps[std::clamp(static_cast<int>(options.mCapOption), 0, 2)]);
  mRenderer->SetLineJoin(kJoins[std::clamp(static_cast<int>(options.mJoinOption), 0, 2)]);
  mRenderer->SetMiterLimit(options.mMiterLimit);
  mRenderer->SetStrokeWidth(thickness);
  mRenderer->SetStrokePaint(ToPaint(pattern, blend));
  mRenderer->SetPathWinding(PathWinding::Solid);
  ApplyBlend(blend);
  mRenderer->Stroke();
  ResetBlend();
  if (!options.mPreserve) mRenderer->BeginPath();
}

void IGraphicsNanoVG::PathFillWith(const IPatternSpec& pattern, const IFillSpec& options,
                                   const IBlendSpec* blend)
{
  if (!mRenderer) return;
  if (options.mFillRule == EFillRule::Winding)
    mRenderer->SetPathWinding(PathWinding::Solid);
  else if (options.mFillRule == EFillRule::EvenOdd)
    mRenderer->SetPathWinding(PathWinding::Hole);
  mRenderer->SetFillPaint(ToPaint(pattern, blend));
  ApplyBlend(blend);
  mRenderer->Fill();
  ResetBlend();
  if (!options.mPreserve) mRenderer->BeginPath();
}

void IGraphicsNanoVG::PathSetTransform(const IMatrix& m)
{
  if (!mRenderer) return;
  mRenderer->ResetTransform();
  const float ds = GetDrawScale();
  mRenderer->Scale(ds, ds);
  if (const ILayer* layer = TopLayer())
    mRenderer->Translate(-layer->Bounds().L, -layer->Bounds().T);
  mRenderer->ApplyTransform(Transform{static_cast<float>(m.mXX), static_cast<float>(m.mYX),
                                      static_cast<float>(m.mXY), static_cast<float>(m.mYY),
                                      static_cast<float>(m.mTX), static_cast<float>(m.mTY)});
}

void IGraphicsNanoVG::ClipToRect(const IRect& r)
{
  if (mRenderer) mRenderer->Scissor(r.L, r.T, std::max(0.f, r.W()), std::max(0.f, r.H()));
}

// Fonts and text ---------------------------------------------------------------------------

bool IGraphicsNanoVG::RegisterRendererFont(const char* fontId, PlatformFont& font)
{
  if (!mRenderer || fontId == nullptr) return false;
  std::lock_guard<std::mutex> lock(FontLock());
  if (const FontDataRecord* cached = Fonts().cache.Find(fontId, 1.0))
  {
    // The renderer borrows the bytes; the cache keeps them until the last editor goes.
    mRenderer->CreateFontFromMemory(fontId, cached->bytes.data(), cached->bytes.size(),
                                    cached->faceIndex);
    return true;
  }
  auto record = std::make_unique<FontDataRecord>(font.FontData());
  if (!record->IsValid()) return false;
  // The renderer reads the font's tables and refuses incomplete ones.
  if (mRenderer->CreateFontFromMemory(fontId, record->bytes.data(), record->bytes.size(),
                                      record->faceIndex) == -1)
    return false;
  Fonts().cache.Add(fontId, 1.0, std::move(record));
  return true;
}

void IGraphicsNanoVG::PrepareText(const ITextStyle& style, const char* text, const IRect& rect,
                                  float& x, float& y, IRect& textBounds)
{
  mRenderer->SetFontSize(style.mSize);
  mRenderer->SetFontFace(style.mFont);
  int align = 0;
  switch (style.mAlign)
  {
  case EAlign::Near:
    x = rect.L, align |= kAlignLeft;
    break;
  case EAlign::Center:
    x = rect.MW(), align |= kAlignCenter;
    break;
  case EAlign::Far:
    x = rect.R, align |= kAlignRight;
    break;
  }
  switch (style.mVAlign)
  {
  case EVAlign::Top:
    y = rect.T, align |= kAlignTop;
    break;
  case EVAlign::Middle:
    y = rect.MH(), align |= kAlignMiddle;
    break;
  case EVAlign::Bottom:
    y = rect.B, align |= kAlignBottom;
    break;
  }
  mRenderer->SetTextAlign(align);
  if (mRenderer->FindFont(style.mFont) < 0)
  {
    textBounds = IRect();
    return;
  }
  float b[4] = {0.f, 0.f, 0.f, 0.f};
  mRenderer->TextBounds(x, y, text, nullptr, b);
  textBounds = IRect(b[0], b[1], b[2], b[3]);
}

float IGraphicsNanoVG::BackendMeasureText(const ITextStyle& style, const char* text, IRect& bounds)
{
  if (!mRenderer || text == nullptr)
  {
    bounds = IRect();
    return 0.f;
  }
  float x = 0.f, y = 0.f;
  IRect textBounds;
  PrepareText(style, text, bounds, x, y, textBounds);
  const IRect incoming = bounds;
  RotateTextBounds(style, incoming, textBounds);
  bounds = textBounds;
  return bounds.W();
}

void IGraphicsNanoVG::BackendDrawText(const ITextStyle& style, const char* text,
                                      const IRect& bounds, const IBlendSpec* blend)
{
  if (!mRenderer || text == nullptr) return;
  float x = 0.f, y = 0.f;
  IRect textBounds;
  PrepareText(style, text, bounds, x, y, textBounds);
  mRenderer->Save();
  if (style.mAngle != 0.f)
  {
    double tx = 0.0, ty = 0.0;
    TextRotationOffset(style, bounds, textBounds, tx, ty);
    mRenderer->Translate(static_cast<float>(tx), static_cast<float>(ty));
    mRenderer->Rotate(style.mAngle / 180.f * std::numbers::pi_v<float>);
  }
  mRenderer->SetFillColor(ToColor(style.mFGColor, blend));
  ApplyBlend(blend);
  mRenderer->Text(x, y, text, nullptr);
  ResetBlend();
  mRenderer->Restore();
}

} // namespace igraphics
