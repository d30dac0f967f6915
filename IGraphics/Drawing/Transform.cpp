#include "IGraphics/Drawing/Transform.h"

#include <cmath>

namespace igraphics
{

Transform Transform::Rotation(float radians)
{
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return {c, s, -s, c, 0.0f, 0.0f};
}

Transform Transform::Then(const Transform& first) const
{
  Transform r;
  r.xx = xx * first.xx + xy * first.yx;
  r.yx = yx * first.xx + yy * first.yx;
  r.xy = xx * first.xy + xy * first.yy;
  r.yy = yx * first.xy + yy * first.yy;
  r.tx = xx * first.tx + xy * first.ty + tx;
  r.ty = yx * first.tx + yy * first.ty + ty;
  return r;
}

bool Transform::Inverse(Transform& out) const
{
  const double det = static_cast<double>(xx) * yy - static_cast<double>(xy) * yx;
  if (std::fabs(det) < 1e-12)
  {
    out = Identity();
    return false;
  }
  const double inv = 1.0 / det;
  out.xx = static_cast<float>(yy * inv);
  out.xy = static_cast<float>(-xy * inv);
  out.yx = static_cast<float>(-yx * inv);
  out.yy = static_cast<float>(xx * inv);
  out.tx = static_cast<float>((static_cast<double>(xy) * ty - static_cast<double>(yy) * tx) * inv);
  out.ty = static_cast<float>((static_cast<double>(yx) * tx - static_cast<double>(xx) * ty) * inv);
  return true;
}

float Transform::AverageScale() const
{
  const float sx = std::sqrt(xx * xx + yx * yx);
  const float sy = std::sqrt(xy * xy + yy * yy);
  return 0.5f * (sx + sy);
}

} // namespace igraphics
