#pragma once

namespace igraphics
{

// A 2x3 affine transform: x' = xx*x + xy*y + tx, y' = yx*x + yy*y + ty.
struct Transform
{
  float xx = 1.0f;
  float yx = 0.0f;
  float xy = 0.0f;
  float yy = 1.0f;
  float tx = 0.0f;
  float ty = 0.0f;

  static Transform Identity() { return {}; }
  static Transform Translation(float x, float y) { return {1.0f, 0.0f, 0.0f, 1.0f, x, y}; }
  static Transform Scaling(float sx, float sy) { return {sx, 0.0f, 0.0f, sy, 0.0f, 0.0f}; }
  // Positive angles turn clockwise on a y-down screen.
  static Transform Rotation(float radians);

  // The transform that applies `first`, then this one.
  Transform Then(const Transform& first) const;
  // False when the transform is singular; `out` is then the identity.
  bool Inverse(Transform& out) const;

  void Apply(float x, float y, float& outX, float& outY) const
  {
    outX = xx * x + xy * y + tx;
    outY = yx * x + yy * y + ty;
  }
  // Length that a unit length has after the transform, averaged over both axes.
  float AverageScale() const;

  bool operator==(const Transform&) const = default;
};

} // namespace igraphics
