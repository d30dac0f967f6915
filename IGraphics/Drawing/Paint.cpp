#include "IGraphics/Drawing/Paint.h"

#include <algorithm>
#include <cmath>

namespace igraphics
{

namespace
{

// Large enough to push the far edges of a linear gradient's box out of sight,
// small enough to keep single-precision distances accurate to ~0.01 unit.
constexpr float kFarAway = 1.0e5f;

} // namespace

Paint Paint::Solid(Color color)
{
  Paint p;
  p.extent[0] = p.extent[1] = kFarAway;
  p.innerColor = p.outerColor = color;
  return p;
}

Paint Paint::LinearGradient(float sx, float sy, float ex, float ey, Color inner, Color outer)
{
  // The gradient runs along the distance to one edge of a huge box whose edge
  // passes through the midpoint, perpendicular to the gradient's direction.
  float dx = ex - sx;
  float dy = ey - sy;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length > 1e-4f)
  {
    dx /= length;
    dy /= length;
  }
  else
  {
    dx = 0.0f;
    dy = 1.0f;
  }
  const float mx = 0.5f * (sx + ex);
  const float my = 0.5f * (sy + ey);
  Paint p;
  // Paint space: y along the gradient's direction, x across it, origin at the
  // box's centre, kFarAway before the midpoint.
  p.xform.xx = -dy;
  p.xform.yx = dx;
  p.xform.xy = dx;
  p.xform.yy = dy;
  p.xform.tx = mx - dx * kFarAway;
  p.xform.ty = my - dy * kFarAway;
  p.extent[0] = kFarAway;
  p.extent[1] = kFarAway;
  p.radius = 0.0f;
  p.feather = std::max(1e-4f, length);
  p.innerColor = inner;
  p.outerColor = outer;
  return p;
}

Paint Paint::RadialGradient(float cx, float cy, float innerRadius, float outerRadius, Color inner,
                            Color outer)
{
  const float mid = 0.5f * (innerRadius + outerRadius);
  Paint p;
  p.xform = Transform::Translation(cx, cy);
  p.extent[0] = p.extent[1] = mid;
  p.radius = mid;
  p.feather = std::max(1e-4f, outerRadius - innerRadius);
  p.innerColor = inner;
  p.outerColor = outer;
  return p;
}

Paint Paint::BoxGradient(float x, float y, float w, float h, float radius, float feather,
                         Color inner, Color outer)
{
  Paint p;
  p.xform = Transform::Translation(x + 0.5f * w, y + 0.5f * h);
  p.extent[0] = 0.5f * w;
  p.extent[1] = 0.5f * h;
  p.radius = radius;
  p.feather = std::max(1e-4f, feather);
  p.innerColor = inner;
  p.outerColor = outer;
  return p;
}

Paint Paint::ImagePattern(float ox, float oy, float ex, float ey, float angle, int image,
                          float alpha)
{
  Transform xform = Transform::Rotation(angle);
  xform.tx = ox;
  xform.ty = oy;
  return ImagePattern(xform, ex, ey, image, alpha);
}

Paint Paint::ImagePattern(const Transform& xform, float ex, float ey, int image, float alpha)
{
  Paint p;
  p.xform = xform;
  p.extent[0] = ex;
  p.extent[1] = ey;
  p.image = image;
  p.innerColor = p.outerColor = Color{1.0f, 1.0f, 1.0f, alpha};
  return p;
}

} // namespace igraphics
