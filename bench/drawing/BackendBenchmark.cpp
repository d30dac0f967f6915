// The drawing back end with the product's pictures at 732 x 208 points on a 2x
// screen (1464 x 416 pixels): a full redraw, and the frame of one knob drag
// (the knob's dirty region redrawn into the backing store, then the copy to
// the window). Each iteration waits for GL to finish.
#include "BackendTestGraphics.h"
#include "OffscreenGlContext.h"

#include "IGraphics/IControl.h"
#include "IGraphics/IRectList.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace igraphics;

namespace
{

class StripControl : public IControl
{
public:
  StripControl(const IRect& bounds, const IBitmapRef& strip) : IControl(bounds), mStrip(strip) {}
  void Draw(IGraphics& g) override
  {
    g.DrawBitmap(mStrip, mRECT, static_cast<int>(GetValue() * (mStrip.N() - 1) + 0.5) + 1);
  }

private:
  IBitmapRef mStrip;
};

struct Editor
{
  TestDelegate delegate;
  BackendTestGraphics g{delegate, 732, 208};
  std::unique_ptr<TestWindow> window; // made once the GL context is current
  IControl* knob = nullptr;

  bool Build(benchmark::State& state)
  {
    if (const std::string* failure = OffscreenGlContext::Acquire())
    {
      state.SkipWithError(failure->c_str());
      return false;
    }
    window = std::make_unique<TestWindow>(1464, 416);
    window->Bind();
    g.OnDrawContextCreated();
    g.ApplyScreenScale(2.f);
    g.ResizeDrawTarget();
    const IBitmapRef bg = g.FetchBitmap("BG.png");
    const IBitmapRef big = g.FetchBitmap("BKNOB.png", 61);
    const IBitmapRef small = g.FetchBitmap("SKNOB.png", 61);
    const IBitmapRef by = g.FetchBitmap("BY.png", 2);
    const IBitmapRef over = g.FetchBitmap("OVER.png", 2);
    if (!bg.IsValid() || !big.IsValid() || !small.IsValid())
    {
      state.SkipWithError("pictures not found");
      return false;
    }
    g.AttachControl(std::make_unique<StripControl>(IRect(0, 0, 732, 208), bg));
    g.AttachControl(std::make_unique<StripControl>(IRect(47, 48, 163, 164), big));
    g.AttachControl(std::make_unique<StripControl>(IRect(254, 72, 323, 141), small));
    g.AttachControl(std::make_unique<StripControl>(IRect(411, 72, 480, 141), small));
    knob = g.AttachControl(std::make_unique<StripControl>(IRect(569, 47, 685, 163), big));
    g.AttachControl(std::make_unique<StripControl>(IRect(333, 37, 398, 55), by));
    g.AttachControl(std::make_unique<StripControl>(IRect(280, 14, 451, 32), over));
    Redraw();
    return true;
  }
  ~Editor() { g.OnDrawContextReleased(); }

  void Redraw()
  {
    IRectList rects;
    if (g.IsDirty(rects))
    {
      g.MarkAllControlsClean();
      g.Draw(rects);
    }
    g.Renderer()->Finish();
  }
};

// CPU time of the whole process, the rasteriser's threads included: on a
// shared machine wall time says more about the neighbours than about us.
double ProcessCpuMs()
{
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

// range(0): 1 presents by framebuffer blit, 0 by a textured pass.
void BM_BackendFullRedraw(benchmark::State& state)
{
  Editor editor;
  if (!editor.Build(state)) return;
  editor.g.SetPresentByBlit(state.range(0) != 0);
  const double start = ProcessCpuMs();
  for (auto _ : state)
  {
    editor.g.MarkAllControlsDirty();
    editor.Redraw();
  }
  state.counters["cpu_ms_per_frame"] =
      (ProcessCpuMs() - start) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BackendFullRedraw)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BackendKnobDragFrame(benchmark::State& state)
{
  Editor editor;
  if (!editor.Build(state)) return;
  editor.g.SetPresentByBlit(state.range(0) != 0);
  int step = 0;
  const double start = ProcessCpuMs();
  for (auto _ : state)
  {
    editor.knob->SetValue((step++ % 61) / 60.0);
    editor.knob->SetDirty(false);
    editor.Redraw();
  }
  state.counters["cpu_ms_per_frame"] =
      (ProcessCpuMs() - start) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BackendKnobDragFrame)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
