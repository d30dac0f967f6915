#include "KnobPainter.h"

#include <cmath>
#include <numbers>

namespace brasmire::skin
{

void KnobPainter::Paint(cairo_t* cr, double cx, double cy, double normalised) const
{
  const double angle = PointerAngle(normalised);
  PaintShadow(cr, cx, cy);
  PaintSkirt(cr, cx, cy, angle);
  PaintCap(cr, cx, cy);
  PaintPointer(cr, cx, cy, angle);
}

void KnobPainter::PaintShadow(cairo_t* cr, double cx, double cy) const
{
  const double r = mDesign.bodyRadius;
  const double offset = mDesign.shadowOffset;
  const double reach = mDesign.shadowRadius - offset;
  cairo_pattern_t* shadow =
      cairo_pattern_create_radial(cx, cy + offset, r * 0.8, cx, cy + offset, reach);
  AddStop(shadow, 0.0, palette::kInk, 0.75);
  AddStop(shadow, 0.35, palette::kInk, 0.45);
  AddStop(shadow, 0.7, palette::kInk, 0.12);
  AddStop(shadow, 1.0, palette::kInk, 0.0);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, cx, cy + offset, reach, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);
}

void KnobPainter::PaintSkirt(cairo_t* cr, double cx, double cy, double angle) const
{
  const double r = mDesign.bodyRadius;
  cairo_pattern_t* body = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
  AddStop(body, 0.0, palette::kKnobSkirtTop);
  AddStop(body, 1.0, palette::kKnobSkirtBottom);
  cairo_set_source(cr, body);
  cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  cairo_pattern_destroy(body);

  // Ridges turn with the knob; each is a light edge followed by a dark one.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * std::numbers::pi);
  cairo_clip(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  const double inner = mDesign.capRadius + 0.5;
  const double step = 2 * std::numbers::pi / mDesign.knurls;
  for (int k = 0; k < mDesign.knurls; ++k)
  {
    for (int edge = 0; edge < 2; ++edge)
    {
      const double a = angle + step * (k + edge * 0.28);
      const double s = std::sin(a), c = -std::cos(a);
      cairo_move_to(cr, cx + inner * s, cy + inner * c);
      cairo_line_to(cr, cx + r * s, cy + r * c);
      if (edge == 0)
        SetColour(cr, palette::kCream, 0.13);
      else
        SetColour(cr, palette::kInk, 0.45);
      cairo_set_line_width(cr, mDesign.frame > 100 ? 0.9 : 0.75);
      cairo_stroke(cr);
    }
  }
  cairo_restore(cr);

  // Rim: lit from above, falling into shade below.
  cairo_pattern_t* rim = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
  AddStop(rim, 0.0, palette::kCream, 0.35);
  AddStop(rim, 0.5, palette::kCream, 0.05);
  AddStop(rim, 1.0, palette::kInk, 0.6);
  cairo_set_source(cr, rim);
  cairo_set_line_width(cr, 0.8);
  cairo_arc(cr, cx, cy, r - 0.4, 0, 2 * std::numbers::pi);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

void KnobPainter::PaintCap(cairo_t* cr, double cx, double cy) const
{
  const double r = mDesign.capRadius;
  // A ring of shade where the cap meets the skirt lifts the cap off it.
  cairo_pattern_t* lip = cairo_pattern_create_radial(cx, cy + 0.8, r - 1.0, cx, cy + 0.8, r + 2.2);
  AddStop(lip, 0.0, palette::kInk, 0.55);
  AddStop(lip, 1.0, palette::kInk, 0.0);
  cairo_set_source(cr, lip);
  cairo_arc(cr, cx, cy + 0.8, r + 2.2, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  cairo_pattern_destroy(lip);

  cairo_pattern_t* cap =
      cairo_pattern_create_radial(cx - r * 0.25, cy - r * 0.45, r * 0.1, cx, cy, r);
  AddStop(cap, 0.0, palette::kKnobCapCentre);
  AddStop(cap, 1.0, palette::kKnobCapEdge);
  cairo_set_source(cr, cap);
  cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);

  // Soft sheen across the upper half of the cap.
  cairo_pattern_t* sheen = cairo_pattern_create_linear(cx, cy - r, cx, cy + r * 0.2);
  AddStop(sheen, 0.0, palette::kCream, 0.16);
  AddStop(sheen, 1.0, palette::kCream, 0.0);
  cairo_set_source(cr, sheen);
  cairo_arc(cr, cx, cy, r - 0.6, 0, 2 * std::numbers::pi);
  cairo_fill(cr);
  cairo_pattern_destroy(sheen);

  cairo_pattern_t* edge = cairo_pattern_create_linear(cx, cy - r, cx, cy + r);
  AddStop(edge, 0.0, palette::kCream, 0.45);
  AddStop(edge, 0.45, palette::kCream, 0.08);
  AddStop(edge, 1.0, palette::kInk, 0.5);
  cairo_set_source(cr, edge);
  cairo_set_line_width(cr, 0.7);
  cairo_arc(cr, cx, cy, r - 0.35, 0, 2 * std::numbers::pi);
  cairo_stroke(cr);
  cairo_pattern_destroy(edge);
}

void KnobPainter::PaintPointer(cairo_t* cr, double cx, double cy, double angle) const
{
  const double s = std::sin(angle), c = -std::cos(angle);
  const double inner = mDesign.pointerInner, outer = mDesign.pointerOuter;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // A faint glow first, then the line itself.
  cairo_move_to(cr, cx + inner * s, cy + inner * c);
  cairo_line_to(cr, cx + outer * s, cy + outer * c);
  SetColour(cr, palette::kAmber, 0.22);
  cairo_set_line_width(cr, mDesign.pointerWidth * 2.2);
  cairo_stroke(cr);

  cairo_move_to(cr, cx + inner * s, cy + inner * c);
  cairo_line_to(cr, cx + outer * s, cy + outer * c);
  cairo_pattern_t* line =
      cairo_pattern_create_linear(cx + inner * s, cy + inner * c, cx + outer * s, cy + outer * c);
  AddStop(line, 0.0, palette::kAmberDeep);
  AddStop(line, 1.0, palette::kAmberBright);
  cairo_set_source(cr, line);
  cairo_set_line_width(cr, mDesign.pointerWidth);
  cairo_stroke(cr);
  cairo_pattern_destroy(line);
}

} // namespace brasmire::skin
