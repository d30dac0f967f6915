#pragma once

#include <cairo.h>

#include <numbers>

namespace brasmire::skin
{

// Adds a rectangle with rounded corners of radius r to the current path.
inline void AddRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
  const double pi = std::numbers::pi;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
  cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
  cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
  cairo_close_path(cr);
}

} // namespace brasmire::skin
