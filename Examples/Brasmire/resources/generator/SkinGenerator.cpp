// Renders the editor's pictures: skin_generator OUTPUT_DIR FONT_DIR
// FONT_DIR holds Roboto-Regular.ttf and Roboto-Medium.ttf. The output is the same bytes on
// every run, so the committed pictures can be checked against a fresh rendering.
#include "Canvas.h"
#include "KnobPainter.h"
#include "PanelPainter.h"
#include "SkinStyle.h"
#include "SwitchPainter.h"
#include "Typeface.h"

#include <cstdio>
#include <string>

using namespace brasmire::skin;

namespace
{

constexpr int kKnobFrames = 61;

bool Save(const Canvas& canvas, const std::string& folder, const char* name)
{
  std::string error;
  if (!canvas.WritePng(folder + "/" + name, error))
  {
    std::fprintf(stderr, "skin_generator: %s\n", error.c_str());
    return false;
  }
  return true;
}

bool RenderKnobStrip(const KnobDesign& design, const std::string& folder, const char* name)
{
  const int side = static_cast<int>(design.frame * kPixelsPerPoint);
  Canvas canvas(side, side * kKnobFrames, kPixelsPerPoint);
  KnobPainter painter(design);
  for (int i = 0; i < kKnobFrames; ++i)
  {
    const double value = static_cast<double>(i) / (kKnobFrames - 1);
    painter.Paint(canvas.Context(), design.frame / 2, design.frame * i + design.frame / 2, value);
  }
  return Save(canvas, folder, name);
}

bool RenderSwitch(const Typeface& face, double widthPoints, double heightPoints,
                  const char* offLegend, const char* onLegend, const std::string& folder,
                  const char* name)
{
  Canvas canvas(static_cast<int>(widthPoints * kPixelsPerPoint),
                static_cast<int>(2 * heightPoints * kPixelsPerPoint), kPixelsPerPoint);
  SwitchPainter painter(face);
  painter.Paint(canvas.Context(), 0, widthPoints, heightPoints, false, offLegend);
  painter.Paint(canvas.Context(), heightPoints, widthPoints, heightPoints, true, onLegend);
  return Save(canvas, folder, name);
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 3)
  {
    std::fprintf(stderr, "usage: skin_generator OUTPUT_DIR FONT_DIR\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::string fonts = argv[2];
  Typeface regular(fonts + "/Roboto-Regular.ttf");
  Typeface medium(fonts + "/Roboto-Medium.ttf");
  for (const Typeface* face : {&regular, &medium})
  {
    if (!face->Valid())
    {
      std::fprintf(stderr, "skin_generator: %s\n", face->Error().c_str());
      return 1;
    }
  }

  Canvas panel(1464, 416, kPixelsPerPoint);
  PanelPainter(regular, medium).Paint(panel.Context(), 732, 208);
  bool ok = Save(panel, out, "BG@2X.PNG");
  ok = RenderKnobStrip(kLargeKnob, out, "BKNOB@2X.PNG") && ok;
  ok = RenderKnobStrip(kSmallKnob, out, "SKNOB@2X.PNG") && ok;
  ok = RenderSwitch(medium, 65, 18, "Bypassed", "Active", out, "BY@2X.PNG") && ok;
  ok = RenderSwitch(medium, 171, 18, "Oversampling Off", "Oversampling On", out, "OVER@2X.PNG") &&
       ok;
  return ok ? 0 : 1;
}
