#pragma once

// Small enumerations of the vector renderer's public API.

namespace igraphics
{

// Orientation of a sub-path. Solid sub-paths add to the non-zero winding count
// whatever their drawing direction; a hole sub-path toggles coverage where it
// winds an odd number of times (even-odd), cutting holes into solid ones.
enum class PathWinding
{
  Solid,
  Hole
};

enum class ArcDirection
{
  CounterClockwise, // decreasing angle on a y-down screen
  Clockwise         // increasing angle on a y-down screen
};

enum class LineCap
{
  Butt,
  Round,
  Square
};

enum class LineJoin
{
  Miter,
  Round,
  Bevel
};

enum class BlendFactor
{
  Zero,
  One,
  SrcColor,
  OneMinusSrcColor,
  DstColor,
  OneMinusDstColor,
  SrcAlpha,
  OneMinusSrcAlpha,
  DstAlpha,
  OneMinusDstAlpha,
  SrcAlphaSaturate
};

// Source and destination factors for colour and for alpha. Colours are
// premultiplied, so One / OneMinusSrcAlpha is ordinary "over" compositing.
struct BlendState
{
  BlendFactor srcColor = BlendFactor::One;
  BlendFactor dstColor = BlendFactor::OneMinusSrcAlpha;
  BlendFactor srcAlpha = BlendFactor::One;
  BlendFactor dstAlpha = BlendFactor::OneMinusSrcAlpha;

  bool operator==(const BlendState&) const = default;
};

// Text anchor: one horizontal and one vertical flag, or-ed together.
enum TextAlign : int
{
  kAlignLeft = 1 << 0,
  kAlignCenter = 1 << 1,
  kAlignRight = 1 << 2,
  kAlignTop = 1 << 3,
  kAlignMiddle = 1 << 4,
  kAlignBottom = 1 << 5,
  kAlignBaseline = 1 << 6
};

// Image creation flags, or-ed together.
enum ImageFlags : int
{
  kImageRepeatX = 1 << 0,
  kImageRepeatY = 1 << 1,
  kImageFlipY = 1 << 2,         // rows are stored bottom-up (framebuffer textures)
  kImagePremultiplied = 1 << 3, // colour is already multiplied by alpha
  kImageNearest = 1 << 4        // nearest-texel sampling instead of bilinear
};

} // namespace igraphics
