#pragma once

#include <cairo.h>

#include <numbers>

namespace brasmire::skin
{

// Every picture is stored at two pixels per point (the editor's 2x variant).
inline constexpr double kPixelsPerPoint = 2.0;

struct Colour
{
  double r, g, b;
};

inline constexpr Colour Rgb(int r, int g, int b)
{
  return {r / 255.0, g / 255.0, b / 255.0};
}

inline void SetColour(cairo_t* cr, Colour c, double alpha = 1.0)
{
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

inline void AddStop(cairo_pattern_t* p, double offset, Colour c, double alpha = 1.0)
{
  cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

// A dark warm panel lit by one amber accent.
namespace palette
{
inline constexpr Colour kPanelTop = Rgb(52, 44, 38);
inline constexpr Colour kPanelBottom = Rgb(30, 26, 23);
inline constexpr Colour kAmber = Rgb(242, 160, 52);
inline constexpr Colour kAmberBright = Rgb(255, 196, 110);
inline constexpr Colour kAmberDeep = Rgb(206, 118, 28);
inline constexpr Colour kAmberUnlit = Rgb(78, 56, 32);
inline constexpr Colour kCream = Rgb(236, 226, 208);
inline constexpr Colour kCreamMuted = Rgb(160, 148, 132);
inline constexpr Colour kInk = Rgb(12, 10, 9);
inline constexpr Colour kKnobSkirtTop = Rgb(86, 76, 68);
inline constexpr Colour kKnobSkirtBottom = Rgb(24, 21, 19);
inline constexpr Colour kKnobCapCentre = Rgb(70, 62, 56);
inline constexpr Colour kKnobCapEdge = Rgb(32, 28, 25);
} // namespace palette

// The pointer turns clockwise over this arc, centred on straight up; the panel's scales span
// the same arc so that the pointer meets the first and last tick exactly.
inline constexpr double kSweepRadians = 270.0 * std::numbers::pi / 180.0;

// Clockwise from straight up, in radians, for a normalised value 0..1.
inline constexpr double PointerAngle(double normalised)
{
  return (normalised - 0.5) * kSweepRadians;
}

// Geometry of one knob size, in points, measured from the centre of its square frame.
struct KnobDesign
{
  double frame;        // side of the square frame
  double bodyRadius;   // outer edge of the knurled skirt
  double capRadius;    // the smooth top
  double shadowRadius; // the drop shadow fades out before this (offset included)
  double shadowOffset; // light comes from above
  double pointerInner; // the pointer line runs between these radii on the cap
  double pointerOuter;
  double pointerWidth;
  int knurls;       // grip ridges around the skirt
  double tickInner; // the panel's scale, outside the shadow but inside the frame
  double tickOuterMinor;
  double tickOuterMajor;
};

inline constexpr KnobDesign kLargeKnob{116,  39.5, 31.0, 47.5, 2.5,  13.0,
                                       28.5, 2.8,  48,   49.5, 53.0, 55.5};
inline constexpr KnobDesign kSmallKnob{69,   23.5, 18.5, 28.5, 1.8,  7.5,
                                       16.5, 2.1,  32,   29.5, 32.0, 34.0};

} // namespace brasmire::skin
