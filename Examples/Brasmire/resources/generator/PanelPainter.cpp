#include "PanelPainter.h"

#include "Shapes.h"

#include <array>
#include <cmath>
#include <numbers>

namespace brasmire::skin
{

namespace
{

// Knob frames sit at these editor positions (points); the scales are centred on them.
constexpr std::array kScales{
    KnobScale{"MIX", 47, 48, &kLargeKnob, 20, 2, "0", "100 %", false},
    KnobScale{"TONE", 254, 72, &kSmallKnob, 10, 5, "BASS", "TREBLE", true},
    KnobScale{"DRIVE", 411, 72, &kSmallKnob, 10, 2, "0", "50 dB", false},
    KnobScale{"OUTPUT", 569, 47, &kLargeKnob, 30, 5, "\u221215", "+15 dB", true},
};

constexpr std::array kSlots{
    SwitchSlot{280, 14, 171, 18}, // oversampling
    SwitchSlot{333, 37, 65, 18},  // bypass
};

} // namespace

void PanelPainter::Paint(cairo_t* cr, double width, double height) const
{
  PaintSurface(cr, width, height);
  PaintHeader(cr, width);
  // Engraved rules set the two small knobs apart as the drive section.
  for (double x : {207.0, 525.0})
    PaintRule(cr, x, 66, 186);
  for (const SwitchSlot& slot : kSlots)
    PaintSlot(cr, slot);
  for (const KnobScale& scale : kScales)
    PaintScale(cr, scale);
}

void PanelPainter::PaintSurface(cairo_t* cr, double width, double height) const
{
  cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, 0, height);
  AddStop(base, 0.0, palette::kPanelTop);
  AddStop(base, 1.0, palette::kPanelBottom);
  cairo_set_source(cr, base);
  cairo_paint(cr);
  cairo_pattern_destroy(base);

  // A warm pool of light from above the centre, as if from a desk lamp.
  cairo_pattern_t* glow = cairo_pattern_create_radial(width / 2, -40, 20, width / 2, -40, 330);
  AddStop(glow, 0.0, palette::kAmber, 0.10);
  AddStop(glow, 1.0, palette::kAmber, 0.0);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);

  // Edges fall off into shade.
  cairo_pattern_t* vignette = cairo_pattern_create_radial(width / 2, height / 2, height * 0.6,
                                                          width / 2, height / 2, width * 0.62);
  AddStop(vignette, 0.0, palette::kInk, 0.0);
  AddStop(vignette, 1.0, palette::kInk, 0.35);
  cairo_set_source(cr, vignette);
  cairo_paint(cr);
  cairo_pattern_destroy(vignette);

  // Light catches the top edge. The bottom edge stays plain: the resize handle lives there.
  cairo_set_line_width(cr, 1.0);
  SetColour(cr, palette::kCream, 0.12);
  cairo_move_to(cr, 0, 0.5);
  cairo_line_to(cr, width, 0.5);
  cairo_stroke(cr);
}

void PanelPainter::PaintEmbossedText(cairo_t* cr, const Typeface& face, std::string_view text,
                                     double size, double x, double baseline, TextAlign align,
                                     double tracking, Colour colour) const
{
  // A dark copy half a point lower reads as letters pressed into the panel.
  SetColour(cr, palette::kInk, 0.7);
  face.Draw(cr, text, size, x, baseline + 0.6, align, tracking);
  SetColour(cr, colour);
  face.Draw(cr, text, size, x, baseline, align, tracking);
}

void PanelPainter::PaintHeader(cairo_t* cr, double width) const
{
  // The wordmark in amber, lit from above.
  const double baseline = 33;
  const double size = 19;
  cairo_save(cr);
  SetColour(cr, palette::kInk, 0.75);
  mMedium.Draw(cr, "BRASMIRE", size, 24, baseline + 0.8, TextAlign::Left, 3.4);
  mMedium.AddPath(cr, "BRASMIRE", size, 24, baseline, TextAlign::Left, 3.4);
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, baseline - 14, 0, baseline);
  AddStop(gold, 0.0, palette::kAmberBright);
  AddStop(gold, 1.0, palette::kAmberDeep);
  cairo_set_source(cr, gold);
  cairo_fill(cr);
  cairo_pattern_destroy(gold);
  cairo_restore(cr);

  PaintEmbossedText(cr, mRegular, "SATURATING DRIVE", 8, 25, baseline + 11.5, TextAlign::Left, 2.0,
                    palette::kCreamMuted);
  PaintEmbossedText(cr, mRegular, "Quillmarsh", 13, width - 24, baseline, TextAlign::Right, 0.8,
                    palette::kCream);
}

void PanelPainter::PaintRule(cairo_t* cr, double x, double top, double bottom) const
{
  for (int side = 0; side < 2; ++side)
  {
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, top, 0, bottom);
    const Colour colour = side == 0 ? palette::kInk : palette::kCream;
    const double alpha = side == 0 ? 0.55 : 0.09;
    AddStop(fade, 0.0, colour, 0.0);
    AddStop(fade, 0.5, colour, alpha);
    AddStop(fade, 1.0, colour, 0.0);
    cairo_set_source(cr, fade);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, x + side * 0.8, top);
    cairo_line_to(cr, x + side * 0.8, bottom);
    cairo_stroke(cr);
    cairo_pattern_destroy(fade);
  }
}

void PanelPainter::PaintSlot(cairo_t* cr, const SwitchSlot& slot) const
{
  const double m = 1.5;
  AddRoundedRect(cr, slot.left - m, slot.top - m, slot.width + 2 * m, slot.height + 2 * m, 5.5);
  SetColour(cr, palette::kInk, 0.45);
  cairo_fill_preserve(cr);
  // The lower lip catches the light, the upper one is in shade: a recess.
  cairo_pattern_t* lip =
      cairo_pattern_create_linear(0, slot.top - m, 0, slot.top + slot.height + m);
  AddStop(lip, 0.0, palette::kInk, 0.6);
  AddStop(lip, 1.0, palette::kCream, 0.14);
  cairo_set_source(cr, lip);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  cairo_pattern_destroy(lip);
}

void PanelPainter::PaintScale(cairo_t* cr, const KnobScale& scale) const
{
  const KnobDesign& d = *scale.design;
  const double cx = scale.left + d.frame / 2;
  const double cy = scale.top + d.frame / 2;

  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i <= scale.intervals; ++i)
  {
    const double t = static_cast<double>(i) / scale.intervals;
    const double a = PointerAngle(t);
    const bool major = i % scale.minorPerMajor == 0;
    const bool centre = scale.markCentre && 2 * i == scale.intervals;
    const double outer = major ? d.tickOuterMajor : d.tickOuterMinor;
    const double s = std::sin(a), c = -std::cos(a);
    cairo_move_to(cr, cx + d.tickInner * s, cy + d.tickInner * c);
    cairo_line_to(cr, cx + outer * s, cy + outer * c);
    if (centre)
      SetColour(cr, palette::kAmber, 1.0);
    else if (major)
      SetColour(cr, palette::kCream, 0.85);
    else
      SetColour(cr, palette::kCreamMuted, 0.6);
    cairo_set_line_width(cr, major || centre ? 1.3 : 0.8);
    cairo_stroke(cr);
  }

  // End labels hang just beyond the first and last ticks, clear of the scale's ring.
  const double endSize = d.frame > 100 ? 8.5 : 8.0;
  for (int end = 0; end < 2; ++end)
  {
    const double a = PointerAngle(end);
    const double x = cx + d.tickOuterMajor * std::sin(a) + (end == 0 ? 2.5 : -2.5);
    const double baseline = cy - d.tickOuterMajor * std::cos(a) + endSize * 0.72 + 2.5;
    PaintEmbossedText(cr, mRegular, end == 0 ? scale.minLabel : scale.maxLabel, endSize, x,
                      baseline, end == 0 ? TextAlign::Right : TextAlign::Left, 0.3,
                      palette::kCreamMuted);
  }

  const double labelSize = d.frame > 100 ? 11.5 : 10.0;
  const double labelBaseline = cy + d.frame / 2 + (d.frame > 100 ? 14 : 16);
  PaintEmbossedText(cr, mMedium, scale.label, labelSize, cx, labelBaseline, TextAlign::Centre, 2.0,
                    palette::kCream);
}

} // namespace brasmire::skin
