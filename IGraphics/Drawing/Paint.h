#pragma once

#include "IGraphics/Drawing/Color.h"
#include "IGraphics/Drawing/Transform.h"

namespace igraphics
{

// What fills or strokes a shape. Every paint is a colour ramp over the signed
// distance to a rounded box in paint space: `innerColor` inside the box,
// `outerColor` beyond it, blended across a band `feather` wide centred on the
// box's edge. Solid colours, linear, radial and box gradients are all special
// cases of that box; an image pattern instead maps the box's extent onto an
// image, tinted by `innerColor`. `xform` maps paint space to user space and is
// combined with the current transform when the paint is used.
struct Paint
{
  Transform xform;
  float extent[2] = {0.0f, 0.0f}; // half-size of the box; full size of an image tile
  float radius = 0.0f;            // corner radius of the box
  float feather = 1.0f;           // width of the colour ramp across the box's edge
  Color innerColor;
  Color outerColor;
  int image = 0; // image id of a pattern, 0 for colour paints

  static Paint Solid(Color color);
  // Colour `inner` at (sx, sy) changing to `outer` at (ex, ey).
  static Paint LinearGradient(float sx, float sy, float ex, float ey, Color inner, Color outer);
  // Colour `inner` up to radius `innerRadius` around (cx, cy), `outer` from `outerRadius`.
  static Paint RadialGradient(float cx, float cy, float innerRadius, float outerRadius, Color inner,
                              Color outer);
  // A feathered rounded rectangle, as for drop shadows.
  static Paint BoxGradient(float x, float y, float w, float h, float radius, float feather,
                           Color inner, Color outer);
  // Image tile with its top-left corner at (ox, oy), size (ex, ey), turned by
  // `angle` radians about that corner; `alpha` scales its opacity.
  static Paint ImagePattern(float ox, float oy, float ex, float ey, float angle, int image,
                            float alpha);
  // Image tile of size (ex, ey) in the paint space that `xform` maps to user space.
  static Paint ImagePattern(const Transform& xform, float ex, float ey, int image, float alpha);
};

} // namespace igraphics
