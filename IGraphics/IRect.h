#pragma once

#include <algorithm>
#include <cmath>

namespace igraphics
{

// A rectangle in editor points: left <= x < right, top <= y < bottom. All four
// values 0 is the empty rectangle: it never intersects, contains or is hit.
struct IRect
{
  float L = 0.f;
  float T = 0.f;
  float R = 0.f;
  float B = 0.f;

  constexpr IRect() = default;
  constexpr IRect(float l, float t, float r, float b) : L(l), T(t), R(r), B(b) {}

  constexpr bool Empty() const { return L == 0.f && T == 0.f && R == 0.f && B == 0.f; }
  constexpr float W() const { return R - L; }
  constexpr float H() const { return B - T; }
  constexpr float MW() const { return 0.5f * (L + R); }
  constexpr float MH() const { return 0.5f * (T + B); }
  constexpr float Area() const { return W() * H(); }

  constexpr bool operator==(const IRect&) const = default;

  // Half-open hit test; the empty rectangle contains nothing.
  constexpr bool Contains(float x, float y) const
  {
    return !Empty() && x >= L && x < R && y >= T && y < B;
  }
  // Whether `rhs` lies within this rectangle (edges included).
  constexpr bool Contains(const IRect& rhs) const
  {
    return !Empty() && !rhs.Empty() && rhs.L >= L && rhs.R <= R && rhs.T >= T && rhs.B <= B;
  }
  // Whether the interiors overlap.
  constexpr bool Intersects(const IRect& rhs) const
  {
    return !Empty() && !rhs.Empty() && rhs.L < R && L < rhs.R && rhs.T < B && T < rhs.B;
  }
  // The common part, or the empty rectangle when the interiors do not overlap.
  constexpr IRect Intersect(const IRect& rhs) const
  {
    if (!Intersects(rhs)) return IRect();
    return IRect(std::max(L, rhs.L), std::max(T, rhs.T), std::min(R, rhs.R), std::min(B, rhs.B));
  }
  // The bounding box of both; an empty side contributes nothing.
  constexpr IRect Union(const IRect& rhs) const
  {
    if (Empty()) return rhs;
    if (rhs.Empty()) return *this;
    return IRect(std::min(L, rhs.L), std::min(T, rhs.T), std::max(R, rhs.R), std::max(B, rhs.B));
  }
  constexpr IRect GetPadded(float padding) const
  {
    return IRect(L - padding, T - padding, R + padding, B + padding);
  }
  constexpr IRect GetTranslated(float x, float y) const
  {
    return IRect(L + x, T + y, R + x, B + y);
  }
  // Grown outward onto the pixel grid of `scale` pixels per point, so that a
  // region always covers every pixel its edges touch.
  IRect GetPixelSnapped(float scale) const
  {
    return IRect(std::floor(L * scale) / scale, std::floor(T * scale) / scale,
                 std::ceil(R * scale) / scale, std::ceil(B * scale) / scale);
  }
};

} // namespace igraphics
