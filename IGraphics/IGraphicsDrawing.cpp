// The drawing primitives of IGraphics, built on the back end's path operations.

#include "IGraphics/IGraphics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace igraphics
{

namespace
{

// Control-point distance of a cubic quarter circle of radius 1.
constexpr float kQuarterArcHandle = 0.5522847498f;

} // namespace

// Bitmaps -------------------------------------------------------------------------------

void IGraphics::DrawFittedBitmap(const IBitmapRef& bitmap, const IRect& bounds,
                                 const IBlendSpec* blend)
{
  if (bitmap.W() <= 0 || bitmap.H() <= 0) return;
  const float scale = std::min(bounds.W() / static_cast<float>(bitmap.W()),
                               bounds.H() / static_cast<float>(bitmap.H()));
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(scale, scale);
  DrawBitmapRegion(bitmap,
                   IRect(0.f, 0.f, static_cast<float>(bitmap.W()), static_cast<float>(bitmap.H())),
                   0, 0, blend);
  PathTransformRestore();
}

void IGraphics::DrawRotatedBitmap(const IBitmapRef& bitmap, float destCentreX, float destCentreY,
                                  double angle, const IBlendSpec* blend)
{
  const float w = static_cast<float>(bitmap.W());
  const float h = static_cast<float>(bitmap.H());
  PathTransformSave();
  PathTransformTranslate(destCentreX, destCentreY);
  PathTransformRotate(static_cast<float>(angle));
  DrawBitmapRegion(bitmap, IRect(-0.5f * w, -0.5f * h, 0.5f * w, 0.5f * h), 0, 0, blend);
  PathTransformRestore();
}

void IGraphics::DrawBitmap(const IBitmapRef& bitmap, const IRect& dest, int frame,
                           const IBlendSpec* blend)
{
  const int n = bitmap.N();
  frame = std::clamp(frame, 1, n);
  int srcX = 0;
  int srcY = 0;
  if (n >= 2 && frame >= 2)
  {
    // Multiplication first, in integers, as the strips are laid out.
    if (bitmap.GetFramesAreHorizontal())
      srcX = (frame - 1) * bitmap.W() / n;
    else
      srcY = (frame - 1) * bitmap.H() / n;
  }
  DrawBitmapRegion(bitmap, dest, srcX, srcY, blend);
}

void IGraphics::DrawBitmapAt(const IBitmapRef& bitmap, float x, float y, const IBlendSpec* blend)
{
  DrawBitmap(bitmap,
             IRect(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH())),
             1, blend);
}

void IGraphics::DrawPoint(const IColor& colour, float x, float y, const IBlendSpec* blend)
{
  FillRect(colour, IRect(x, y, x + 1.f, y + 1.f), blend);
}

// Stroked primitives -------------------------------------------------------------------

namespace
{

IStrokeSpec DashedStroke(float dashLen)
{
  IStrokeSpec spec;
  spec.mDashLength = dashLen;
  return spec;
}

} // namespace

void IGraphics::StrokeLine(const IColor& colour, float x1, float y1, float x2, float y2,
                           const IBlendSpec* blend, float thickness)
{
  PathLine(x1, y1, x2, y2);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeDashedLine(const IColor& colour, float x1, float y1, float x2, float y2,
                                 const IBlendSpec* blend, float thickness, float dashLen)
{
  PathLine(x1, y1, x2, y2);
  PathStrokeWith(IPatternSpec(colour), thickness, DashedStroke(dashLen), blend);
}

void IGraphics::StrokeTriangle(const IColor& colour, float x1, float y1, float x2, float y2,
                               float x3, float y3, const IBlendSpec* blend, float thickness)
{
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeRect(const IColor& colour, const IRect& bounds, const IBlendSpec* blend,
                           float thickness)
{
  PathRect(bounds);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeRoundRect(const IColor& colour, const IRect& bounds, float cornerRadius,
                                const IBlendSpec* blend, float thickness)
{
  PathRoundRect(bounds, cornerRadius, cornerRadius, cornerRadius, cornerRadius);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeArc(const IColor& colour, float cx, float cy, float r, float a1, float a2,
                          const IBlendSpec* blend, float thickness)
{
  PathArc(cx, cy, r, a1, a2);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeCircle(const IColor& colour, float cx, float cy, float r,
                             const IBlendSpec* blend, float thickness)
{
  PathCircle(cx, cy, r);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeEllipse(const IColor& colour, const IRect& bounds, const IBlendSpec* blend,
                              float thickness)
{
  PathEllipse(bounds);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokePolygon(const IColor& colour, const float* x, const float* y, int nPoints,
                              const IBlendSpec* blend, float thickness)
{
  PathConvexPolygon(x, y, nPoints);
  PathStrokeWith(IPatternSpec(colour), thickness, IStrokeSpec(), blend);
}

void IGraphics::StrokeDashedRect(const IColor& colour, const IRect& bounds, const IBlendSpec* blend,
                                 float thickness, float dashLen)
{
  PathRect(bounds);
  PathStrokeWith(IPatternSpec(colour), thickness, DashedStroke(dashLen), blend);
}

// Filled primitives ---------------------------------------------------------------------

void IGraphics::FillTriangle(const IColor& colour, float x1, float y1, float x2, float y2, float x3,
                             float y3, const IBlendSpec* blend)
{
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

void IGraphics::FillRect(const IColor& colour, const IRect& bounds, const IBlendSpec* blend)
{
  PathRect(bounds);
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

void IGraphics::FillRoundRect(const IColor& colour, const IRect& bounds, float cRTL, float cRTR,
                              float cRBR, float cRBL, const IBlendSpec* blend)
{
  PathRoundRect(bounds, cRTL, cRTR, cRBR, cRBL);
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

void IGraphics::FillRoundRect(const IColor& colour, const IRect& bounds, float cornerRadius,
                              const IBlendSpec* blend)
{
  FillRoundRect(colour, bounds, cornerRadius, cornerRadius, cornerRadius, cornerRadius, blend);
}

void IGraphics::FillCircle(const IColor& colour, float cx, float cy, float r,
                           const IBlendSpec* blend)
{
  PathCircle(cx, cy, r);
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

void IGraphics::FillEllipse(const IColor& colour, const IRect& bounds, const IBlendSpec* blend)
{
  PathEllipse(bounds);
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

void IGraphics::FillArc(const IColor& colour, float cx, float cy, float r, float a1, float a2,
                        const IBlendSpec* blend)
{
  PathStartAt(cx, cy);
  PathAddArc(cx, cy, r, a1, a2);
  PathCloseFigure();
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

void IGraphics::FillPolygon(const IColor& colour, const float* x, const float* y, int nPoints,
                            const IBlendSpec* blend)
{
  PathConvexPolygon(x, y, nPoints);
  PathFillWith(IPatternSpec(colour), IFillSpec(), blend);
}

// Text ------------------------------------------------------------------------------------

float IGraphics::MeasureText(const ITextStyle& style, const char* text, IRect& bounds)
{
  if (text == nullptr || *text == '\0') return 0.f;
  return BackendMeasureText(style, text, bounds);
}

void IGraphics::DrawTextIn(const ITextStyle& style, const char* text, const IRect& bounds,
                           const IBlendSpec* blend)
{
  if (text == nullptr || *text == '\0') return;
  BackendDrawText(style, text, bounds, blend);
}

void IGraphics::DrawTextAt(const ITextStyle& style, const char* text, float x, float y,
                           const IBlendSpec* blend)
{
  DrawTextIn(style, text, IRect(x, y, x, y), blend);
}

void IGraphics::TextRotationOffset(const ITextStyle& style, const IRect& bounds, IRect& textRect,
                                   double& tx, double& ty)
{
  if (style.mAngle == 0.f) return;
  const double r = style.mAngle * std::numbers::pi / 180.0;
  const double c = std::cos(r);
  const double s = std::sin(r);
  const double xs[4] = {textRect.L, textRect.R, textRect.R, textRect.L};
  const double ys[4] = {textRect.T, textRect.T, textRect.B, textRect.B};
  double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
  for (int i = 0; i < 4; ++i)
  {
    const double x = xs[i] * c - ys[i] * s;
    const double y = xs[i] * s + ys[i] * c;
    minX = i == 0 ? x : std::min(minX, x);
    maxX = i == 0 ? x : std::max(maxX, x);
    minY = i == 0 ? y : std::min(minY, y);
    maxY = i == 0 ? y : std::max(maxY, y);
  }
  textRect = IRect(static_cast<float>(minX), static_cast<float>(minY), static_cast<float>(maxX),
                   static_cast<float>(maxY));
  switch (style.mAlign)
  {
  case EAlign::Near:
    tx = bounds.L - textRect.L;
    break;
  case EAlign::Center:
    tx = bounds.MW() - textRect.MW();
    break;
  case EAlign::Far:
    tx = bounds.R - textRect.R;
    break;
  }
  switch (style.mVAlign)
  {
  case EVAlign::Top:
    ty = bounds.T - textRect.T;
    break;
  case EVAlign::Middle:
    ty = bounds.MH() - textRect.MH();
    break;
  case EVAlign::Bottom:
    ty = bounds.B - textRect.B;
    break;
  }
}

void IGraphics::RotateTextBounds(const ITextStyle& style, const IRect& bounds, IRect& textRect)
{
  double tx = 0.0;
  double ty = 0.0;
  TextRotationOffset(style, bounds, textRect, tx, ty);
  textRect = textRect.GetTranslated(static_cast<float>(tx), static_cast<float>(ty));
}

// Bitmap cache, shadow and layers: back ends draw these ----------------------------------

IBitmapRef IGraphics::ScaleBitmap(const IBitmapRef& bitmap, const char* name, int targetScale)
{
  (void)bitmap;
  (void)name;
  (void)targetScale;
  return IBitmapRef();
}

void IGraphics::KeepSharedBitmap(const IBitmapRef& bitmap, const char* name, int scale)
{
  (void)bitmap;
  (void)name;
  (void)scale;
}

void IGraphics::DropSharedBitmap(const IBitmapRef& bitmap)
{
  (void)bitmap;
}

void IGraphics::FillBoxShadow(const IRect& inner, const IRect& outer, float dropDist,
                              float roundness, float blur, const IBlendSpec* blend)
{
  (void)inner;
  (void)outer;
  (void)dropDist;
  (void)roundness;
  (void)blur;
  (void)blend;
}

void IGraphics::ReadLayerPixels(ILayer& layer, std::vector<std::uint8_t>& bytes)
{
  (void)layer;
  bytes.clear();
}

void IGraphics::CompositeLayerShadow(ILayer& layer, const std::vector<std::uint8_t>& mask,
                                     const IShadowSpec& shadow)
{
  (void)layer;
  (void)mask;
  (void)shadow;
}

void IGraphics::PushLayer(ILayer* layer)
{
  if (layer == nullptr) return;
  mLayers.push_back(layer);
  RetargetToTopLayer();
}

ILayer* IGraphics::PopLayer()
{
  if (mLayers.empty()) return nullptr;
  ILayer* layer = mLayers.back();
  mLayers.pop_back();
  RetargetToTopLayer();
  return layer;
}

// Transform -------------------------------------------------------------------------------

void IGraphics::PathTransformReset()
{
  mTransform = IMatrix();
  mTransformStates = {};
  PathSetTransform(mTransform);
}

void IGraphics::PathTransformSave()
{
  mTransformStates.push(mTransform);
}

void IGraphics::PathTransformRestore()
{
  if (mTransformStates.empty()) return;
  mTransform = mTransformStates.top();
  mTransformStates.pop();
  PathSetTransform(mTransform);
}

void IGraphics::PathTransformTranslate(float x, float y)
{
  mTransform.Translate(x, y);
  PathSetTransform(mTransform);
}

void IGraphics::PathTransformScale(float x, float y)
{
  mTransform.Scale(x, y);
  PathSetTransform(mTransform);
}

void IGraphics::PathTransformRotate(float degrees)
{
  mTransform.Rotate(degrees);
  PathSetTransform(mTransform);
}

// Paths -----------------------------------------------------------------------------------

void IGraphics::PathLine(float x1, float y1, float x2, float y2)
{
  PathStartAt(x1, y1);
  PathAddLine(x2, y2);
}

void IGraphics::PathRect(const IRect& bounds)
{
  PathStartAt(bounds.L, bounds.T);
  PathAddLine(bounds.R, bounds.T);
  PathAddLine(bounds.R, bounds.B);
  PathAddLine(bounds.L, bounds.B);
  PathCloseFigure();
}

void IGraphics::PathRoundRect(const IRect& bounds, float cRTL, float cRTR, float cRBR, float cRBL)
{
  if (cRTL <= 0.f && cRTR <= 0.f && cRBR <= 0.f && cRBL <= 0.f)
  {
    PathRect(bounds);
    return;
  }
  // Clockwise from the left end of the top-left corner; angles clockwise from 12 o'clock.
  PathStartAt(bounds.L, bounds.T + cRTL);
  PathAddArc(bounds.L + cRTL, bounds.T + cRTL, cRTL, 270.f, 360.f);
  PathAddArc(bounds.R - cRTR, bounds.T + cRTR, cRTR, 0.f, 90.f);
  PathAddArc(bounds.R - cRBR, bounds.B - cRBR, cRBR, 90.f, 180.f);
  PathAddArc(bounds.L + cRBL, bounds.B - cRBL, cRBL, 180.f, 270.f);
  PathCloseFigure();
}

void IGraphics::PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3)
{
  PathStartAt(x1, y1);
  PathAddLine(x2, y2);
  PathAddLine(x3, y3);
  PathCloseFigure();
}

void IGraphics::PathArc(float cx, float cy, float r, float a1, float a2)
{
  PathAddArc(cx, cy, r, a1, a2);
}

void IGraphics::PathCircle(float cx, float cy, float r)
{
  PathAddArc(cx, cy, r, 0.f, 360.f);
  PathCloseFigure();
}

void IGraphics::PathEllipse(const IRect& bounds)
{
  // Four cubic quarters: no transform, so strokes keep their thickness.
  const float cx = bounds.MW();
  const float cy = bounds.MH();
  const float rx = 0.5f * bounds.W();
  const float ry = 0.5f * bounds.H();
  const float kx = kQuarterArcHandle * rx;
  const float ky = kQuarterArcHandle * ry;
  PathStartAt(cx, cy - ry);
  PathAddCubic(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
  PathAddCubic(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
  PathAddCubic(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
  PathAddCubic(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
  PathCloseFigure();
}

void IGraphics::PathConvexPolygon(const float* x, const float* y, int nPoints)
{
  if (x == nullptr || y == nullptr || nPoints < 2) return;
  PathStartAt(x[0], y[0]);
  for (int i = 1; i < nPoints; ++i)
    PathAddLine(x[i], y[i]);
  PathCloseFigure();
}

} // namespace igraphics
