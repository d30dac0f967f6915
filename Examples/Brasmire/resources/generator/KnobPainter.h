#pragma once

#include "SkinStyle.h"

#include <cairo.h>

namespace brasmire::skin
{

// Draws one frame of a shaded knob. Light and shadow stay fixed while the skirt's ridges
// and the pointer turn, as they would on a real knob under a lamp.
class KnobPainter
{
public:
  explicit KnobPainter(const KnobDesign& design) : mDesign(design) {}

  // Paints the knob centred at (cx, cy) with its pointer at the normalised value.
  void Paint(cairo_t* cr, double cx, double cy, double normalised) const;

private:
  void PaintShadow(cairo_t* cr, double cx, double cy) const;
  void PaintSkirt(cairo_t* cr, double cx, double cy, double angle) const;
  void PaintCap(cairo_t* cr, double cx, double cy) const;
  void PaintPointer(cairo_t* cr, double cx, double cy, double angle) const;

  KnobDesign mDesign;
};

} // namespace brasmire::skin
