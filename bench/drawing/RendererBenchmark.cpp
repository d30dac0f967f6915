// An editor-like scene at 732 x 208 points on a 2x screen (1464 x 416 pixels),
// drawn the way the drawing back end draws: into a backing framebuffer that
// keeps its pixels, which is then copied onto the window.
#include "OffscreenGlContext.h"

#include "IGraphics/Drawing/VectorRenderer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

using namespace igraphics;

namespace
{

constexpr float kWidth = 732.0f;
constexpr float kHeight = 208.0f;
constexpr float kRatio = 2.0f;
constexpr int kPixelWidth = 1464;
constexpr int kPixelHeight = 416;
constexpr int kKnobFrames = 60;

// A filmstrip of `frames` square frames of `size` pixels, stacked vertically.
std::vector<std::uint8_t> Filmstrip(int size, int frames)
{
  std::vector<std::uint8_t> p(static_cast<std::size_t>(size) * size * frames * 4);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
      {
        const float dx = x - size * 0.5f, dy = y - size * 0.5f;
        const bool inside = dx * dx + dy * dy < size * size * 0.2f;
        std::uint8_t* px = &p[((static_cast<std::size_t>(f) * size + y) * size + x) * 4];
        px[0] = static_cast<std::uint8_t>(x + f);
        px[1] = static_cast<std::uint8_t>(y);
        px[2] = static_cast<std::uint8_t>(f * 4);
        px[3] = inside ? 255 : 0;
      }
  return p;
}

struct Scene
{
  std::unique_ptr<VectorRenderer> renderer;
  std::unique_ptr<Framebuffer> backing;
  std::unique_ptr<Framebuffer> window;
  int background = 0;
  int bigKnob = 0;
  int smallKnob = 0;
  int font = -1;
  std::vector<std::uint8_t> fontBytes;
  int frame = 0;

  bool Build(benchmark::State& state)
  {
    if (const std::string* failure = OffscreenGlContext::Acquire())
    {
      state.SkipWithError(failure->c_str());
      return false;
    }
    std::string error;
    renderer = VectorRenderer::Create(VectorRenderer::kEdgeAntialias, &error);
    if (!renderer)
    {
      state.SkipWithError(error.c_str());
      return false;
    }
    backing = renderer->CreateFramebuffer(kPixelWidth, kPixelHeight, 0);
    window = renderer->CreateFramebuffer(kPixelWidth, kPixelHeight, 0);
    std::vector<std::uint8_t> bg(static_cast<std::size_t>(kPixelWidth) * kPixelHeight * 4);
    for (std::size_t i = 0; i < bg.size(); i += 4)
    {
      bg[i] = static_cast<std::uint8_t>(i / 4 % 251);
      bg[i + 1] = static_cast<std::uint8_t>(i / 4 / kPixelWidth);
      bg[i + 2] = 90;
      bg[i + 3] = 255;
    }
    background = renderer->CreateImageRgba(kPixelWidth, kPixelHeight, 0, bg.data());
    bigKnob =
        renderer->CreateImageRgba(232, 232 * kKnobFrames, 0, Filmstrip(232, kKnobFrames).data());
    smallKnob =
        renderer->CreateImageRgba(116, 116 * kKnobFrames, 0, Filmstrip(116, kKnobFrames).data());
    std::ifstream file("/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf",
                       std::ios::binary);
    fontBytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    font = renderer->CreateFontFromMemory("Roboto-Regular", fontBytes.data(), fontBytes.size(), 0);
    if (!backing || !window || !background || !bigKnob || !smallKnob || font < 0)
    {
      state.SkipWithError("scene resources could not be made");
      return false;
    }
    return true;
  }

  // A bitmap control as the back end draws it: the strip's frame picked by an
  // offset, clipped by the destination rectangle.
  void Bitmap(int image, float x, float y, float size, int frameIndex)
  {
    VectorRenderer& r = *renderer;
    const float scale = 2.0f; // pictures at double resolution
    Transform xform = Transform::Scaling(1.0f / scale, 1.0f / scale);
    xform.tx = x;
    xform.ty = y - size * static_cast<float>(frameIndex);
    r.BeginPath();
    r.SetFillPaint(Paint::ImagePattern(xform, size * scale, size * kKnobFrames * scale, image, 1));
    r.Rect(x, y, size, size);
    r.Fill();
  }

  void DrawEditor(float clipX, float clipY, float clipW, float clipH)
  {
    VectorRenderer& r = *renderer;
    r.Scissor(clipX, clipY, clipW, clipH);
    r.BeginPath();
    r.SetFillPaint(Paint::ImagePattern(0, 0, kWidth, kHeight, 0, background, 1));
    r.Rect(0, 0, kWidth, kHeight);
    r.Fill();
    const int f = frame % kKnobFrames;
    Bitmap(bigKnob, 40, 46, 116, f);
    Bitmap(bigKnob, 196, 46, 116, (f + 10) % kKnobFrames);
    Bitmap(bigKnob, 352, 46, 116, (f + 20) % kKnobFrames);
    Bitmap(bigKnob, 508, 46, 116, (f + 30) % kKnobFrames);
    Bitmap(smallKnob, 640, 30, 58, f);
    Bitmap(smallKnob, 640, 120, 58, (f + 5) % kKnobFrames);
    // Value bubble: box-gradient shadow, rounded body, outline and text.
    const float bx = 200, by = 150, bw = 90, bh = 26;
    r.BeginPath();
    r.Rect(bx - 10, by - 10, bw + 24, bh + 24);
    r.SetFillPaint(Paint::BoxGradient(bx + 3, by + 3, bw, bh, 5, 6, Color::Rgba(0, 0, 0, 0.5f),
                                      Color::Rgba(0, 0, 0, 0)));
    r.Fill();
    r.BeginPath();
    r.RoundedRect(bx, by, bw, bh, 5);
    r.SetFillColor(Color::Rgba(1, 1, 1, 1));
    r.Fill();
    r.SetStrokeColor(Color::Rgba(0, 0, 0, 1));
    r.SetStrokeWidth(1);
    r.Stroke();
    r.SetFontFace(font);
    r.SetFontSize(14);
    r.SetTextAlign(kAlignCenter | kAlignMiddle);
    r.SetFillColor(Color::Rgba(0, 0, 0, 1));
    r.Text(bx + bw / 2, by + bh / 2, "Drive 4.20 dB", nullptr);
    // The callout triangle.
    r.BeginPath();
    r.MoveTo(bx + 40, by + bh);
    r.LineTo(bx + 50, by + bh);
    r.LineTo(bx + 45, by + bh + 8);
    r.ClosePath();
    r.Fill();
  }

  void Frame(float clipX, float clipY, float clipW, float clipH)
  {
    VectorRenderer& r = *renderer;
    r.BindFramebuffer(*window);
    r.SetViewport(0, 0, kPixelWidth, kPixelHeight);
    r.ClearTarget(0, 0, 0, 0);
    r.BindFramebuffer(*backing);
    r.BeginFrame(kWidth, kHeight, kRatio);
    DrawEditor(clipX, clipY, clipW, clipH);
    r.EndFrame();
    // Copy the backing store onto the window.
    r.BindFramebuffer(*window);
    r.BeginFrame(kWidth, kHeight, kRatio);
    r.BeginPath();
    r.Rect(0, 0, kWidth, kHeight);
    r.SetFillPaint(Paint::ImagePattern(0, 0, kWidth, kHeight, 0, backing->Image(), 1));
    r.Fill();
    r.EndFrame();
    r.Finish();
    ++frame;
  }
};

// CPU time of the whole process, the rasteriser's worker threads included: the
// work a frame costs, whatever else the machine is busy with.
double ProcessCpuMs()
{
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

void Report(benchmark::State& state, double cpuStartMs)
{
  const double frames = static_cast<double>(state.iterations());
  state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
  state.counters["cpu_ms_per_frame"] = (ProcessCpuMs() - cpuStartMs) / frames;
}

void FullRedraw(benchmark::State& state)
{
  Scene scene;
  if (!scene.Build(state)) return;
  scene.Frame(0, 0, kWidth, kHeight);
  const double cpuStart = ProcessCpuMs();
  for (auto _ : state)
    scene.Frame(0, 0, kWidth, kHeight);
  Report(state, cpuStart);
}

void KnobRegionRedraw(benchmark::State& state)
{
  Scene scene;
  if (!scene.Build(state)) return;
  scene.Frame(0, 0, kWidth, kHeight);
  const double cpuStart = ProcessCpuMs();
  for (auto _ : state)
    scene.Frame(196, 46, 116, 116);
  Report(state, cpuStart);
}

} // namespace

BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(KnobRegionRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
