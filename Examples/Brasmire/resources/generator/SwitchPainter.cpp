#include "SwitchPainter.h"

#include "Shapes.h"

#include <numbers>

namespace brasmire::skin
{

void SwitchPainter::Paint(cairo_t* cr, double top, double w, double h, bool lit,
                          std::string_view legend) const
{
  const double pi = std::numbers::pi;
  const double radius = 4.0;

  // Body: a softly domed key, a shade warmer when engaged.
  AddRoundedRect(cr, 0.5, top + 0.5, w - 1, h - 1, radius);
  cairo_pattern_t* body = cairo_pattern_create_linear(0, top, 0, top + h);
  AddStop(body, 0.0, lit ? Rgb(74, 62, 52) : Rgb(64, 56, 50));
  AddStop(body, 1.0, lit ? Rgb(40, 33, 28) : Rgb(34, 30, 27));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  cairo_pattern_t* edge = cairo_pattern_create_linear(0, top, 0, top + h);
  AddStop(edge, 0.0, palette::kCream, 0.30);
  AddStop(edge, 0.5, palette::kCream, 0.06);
  AddStop(edge, 1.0, palette::kInk, 0.7);
  cairo_set_source(cr, edge);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
  cairo_pattern_destroy(edge);

  // The lamp.
  const double lampX = 9.5, lampY = top + h / 2, lampR = 2.9;
  if (lit)
  {
    cairo_pattern_t* glow =
        cairo_pattern_create_radial(lampX, lampY, lampR * 0.5, lampX, lampY, lampR * 2.4);
    AddStop(glow, 0.0, palette::kAmber, 0.55);
    AddStop(glow, 1.0, palette::kAmber, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, lampX, lampY, lampR * 2.4, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
  }
  cairo_arc(cr, lampX, lampY, lampR, 0, 2 * pi);
  cairo_pattern_t* lamp =
      cairo_pattern_create_radial(lampX - 0.8, lampY - 1.0, 0.2, lampX, lampY, lampR);
  if (lit)
  {
    AddStop(lamp, 0.0, Rgb(255, 236, 196));
    AddStop(lamp, 0.45, palette::kAmberBright);
    AddStop(lamp, 1.0, palette::kAmberDeep);
  }
  else
  {
    AddStop(lamp, 0.0, Rgb(110, 84, 56));
    AddStop(lamp, 1.0, Rgb(40, 30, 20));
  }
  cairo_set_source(cr, lamp);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(lamp);
  SetColour(cr, palette::kInk, 0.7);
  cairo_set_line_width(cr, 0.5);
  cairo_stroke(cr);

  // The legend, centred in the room right of the lamp.
  const double textLeft = lampX + lampR + 3.0;
  const double centre = (textLeft + w - 4.0) / 2;
  const double size = 9.0;
  const double baseline = top + h / 2 + size * 0.36;
  SetColour(cr, palette::kInk, 0.6);
  mFace.Draw(cr, legend, size, centre, baseline + 0.6, TextAlign::Centre, 0.3);
  SetColour(cr, lit ? palette::kCream : palette::kCreamMuted);
  mFace.Draw(cr, legend, size, centre, baseline, TextAlign::Centre, 0.3);
}

} // namespace brasmire::skin
