#pragma once

#include "SkinStyle.h"
#include "Typeface.h"

#include <cairo.h>

#include <string_view>

namespace brasmire::skin
{

// One knob's place on the panel and the scale printed around it.
struct KnobScale
{
  std::string_view label;
  double left, top; // the knob frame's top-left corner in the editor, points
  const KnobDesign* design;
  int intervals;     // between the first and the last tick
  int minorPerMajor; // intervals between two long ticks
  std::string_view minLabel, maxLabel;
  bool markCentre; // a bipolar control shows its centre in amber
};

// A switch's place in the editor, drawn as a recessed slot the switch sits in.
struct SwitchSlot
{
  double left, top, width, height;
};

// The background: panel, wordmark, maker, knob scales and labels, switch slots.
class PanelPainter
{
public:
  PanelPainter(const Typeface& regular, const Typeface& medium) : mRegular(regular), mMedium(medium)
  {
  }

  void Paint(cairo_t* cr, double width, double height) const;

private:
  void PaintSurface(cairo_t* cr, double width, double height) const;
  void PaintHeader(cairo_t* cr, double width) const;
  void PaintScale(cairo_t* cr, const KnobScale& scale) const;
  void PaintSlot(cairo_t* cr, const SwitchSlot& slot) const;
  void PaintRule(cairo_t* cr, double x, double top, double bottom) const;
  void PaintEmbossedText(cairo_t* cr, const Typeface& face, std::string_view text, double size,
                         double x, double baseline, TextAlign align, double tracking,
                         Colour colour) const;

  const Typeface& mRegular;
  const Typeface& mMedium;
};

} // namespace brasmire::skin
