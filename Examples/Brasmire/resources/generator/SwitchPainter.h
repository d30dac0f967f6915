#pragma once

#include "SkinStyle.h"
#include "Typeface.h"

#include <cairo.h>

#include <string_view>

namespace brasmire::skin
{

// A flat push switch with a lamp at its left end and a legend that names its state.
class SwitchPainter
{
public:
  explicit SwitchPainter(const Typeface& face) : mFace(face) {}

  // Paints one frame of widthPoints x heightPoints with its top-left corner at (0, top).
  void Paint(cairo_t* cr, double top, double widthPoints, double heightPoints, bool lit,
             std::string_view legend) const;

private:
  const Typeface& mFace;
};

} // namespace brasmire::skin
