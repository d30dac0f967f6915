// Contexts, the window's framebuffer and the process-wide font cache.

#include "BackendEditor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace igraphics;

namespace
{

using BackendLifetime = OffscreenTest;

class BytesFont final : public PlatformFont
{
public:
  explicit BytesFont(std::vector<std::uint8_t> bytes, int face = 0)
      : mBytes(std::move(bytes)), mFace(face)
  {
  }
  FontDataRecord FontData() const override { return FontDataRecord{mBytes, mFace}; }

private:
  std::vector<std::uint8_t> mBytes;
  int mFace;
};

std::vector<std::uint8_t> FontBytes()
{
  std::ifstream in(ResourcePath("ROBOTO-REGULAR.TTF"), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST_F(BackendLifetime, WithoutARendererContextNothingIsDrawnOrLoaded)
{
  TestDelegate delegate;
  BackendTestGraphics g(delegate, 100, 100);
  g.ResizeDrawTarget();
  EXPECT_EQ(g.RendererHandle(), nullptr);
  EXPECT_EQ(g.BackingFramebuffer(), nullptr);
  EXPECT_STREQ(g.DrawingBackendName(), "NanoVG | GL2");
  EXPECT_FALSE(g.FetchBitmap("BG.png").IsValid());
  BytesFont font(FontBytes());
  EXPECT_FALSE(g.RegisterRendererFont("Roboto-Regular", font));
  g.StartFrame();
  g.PathTransformReset();
  g.FillRect(COLOR_RED, IRect(0, 0, 10, 10));
  g.StrokeDashedLine(COLOR_RED, 0, 0, 10, 10, nullptr, 1.f, 0.f);
  g.StrokeDashedRect(COLOR_RED, IRect(0, 0, 10, 10));
  g.FillBoxShadow(IRect(0, 0, 10, 10), IRect(0, 0, 20, 20), 2, 2, 10);
  g.DrawTextIn(ITextStyle(), "text", IRect(0, 0, 50, 20));
  IRect bounds(0, 0, 50, 20);
  EXPECT_EQ(g.BackendMeasureText(ITextStyle(), "text", bounds), 0.f);
  EXPECT_TRUE(g.InFrame());
  g.FinishFrame();
  EXPECT_FALSE(g.InFrame());
  EXPECT_EQ(g.PixelColourAt(5, 5), IColor(255, 0, 0, 0));
}

TEST_F(BackendLifetime, EachContextKeepsTheWindowFramebufferItWasCreatedWith)
{
  BackendEditor first(20, 20);
  BackendEditor second(20, 20);
  EXPECT_EQ(first.graphics.DefaultFramebuffer(), first.window.Name());
  EXPECT_EQ(second.graphics.DefaultFramebuffer(), second.window.Name());
  EXPECT_NE(first.window.Name(), second.window.Name());
  // The backing store is bound during a frame; the copy still reaches the window.
  first.Frame([](IGraphics& g) { g.FillRect(COLOR_BLUE, IRect(0, 0, 20, 20)); });
  second.Frame([](IGraphics& g) { g.FillRect(COLOR_GREEN, IRect(0, 0, 20, 20)); });
  const auto a = first.Window();
  const auto b = second.Window();
  EXPECT_EQ(first.At(a, 10, 10, 2), 255);
  EXPECT_EQ(second.At(b, 10, 10, 1), 255);
  EXPECT_EQ(second.At(b, 10, 10, 2), 0);
}

TEST_F(BackendLifetime, ReleasingTheContextDropsBitmapsBackingStoreAndRenderer)
{
  BackendEditor editor(100, 100, 2.f);
  ASSERT_TRUE(editor.graphics.FetchBitmap("BY.png", 2).IsValid());
  editor.graphics.OnDrawContextReleased();
  EXPECT_EQ(editor.graphics.RendererHandle(), nullptr);
  EXPECT_EQ(editor.graphics.BackingFramebuffer(), nullptr);
  // A new context loads the picture again into its own renderer.
  editor.window.Bind();
  editor.graphics.OnDrawContextCreated();
  editor.graphics.ResizeDrawTarget();
  EXPECT_TRUE(editor.graphics.FetchBitmap("BY.png", 2).IsValid());
}

TEST_F(BackendLifetime, EditorsShareOneFontCacheThatEmptiesWhenTheLastCloses)
{
  const int liveBefore = IGraphicsNanoVG::LiveInstanceCount();
  ASSERT_EQ(IGraphicsNanoVG::CachedFontCount(), 0);
  {
    auto first = std::make_unique<BackendEditor>(200, 50);
    auto second = std::make_unique<BackendEditor>(200, 50);
    EXPECT_EQ(IGraphicsNanoVG::LiveInstanceCount(), liveBefore + 2);
    BytesFont font(FontBytes());
    EXPECT_TRUE(first->graphics.RegisterRendererFont("Roboto-Regular", font));
    // The second editor gets the cached record, whatever its platform font says.
    BytesFont empty({});
    EXPECT_TRUE(second->graphics.RegisterRendererFont("Roboto-Regular", empty));
    EXPECT_EQ(IGraphicsNanoVG::CachedFontCount(), 1);
    IRect bounds(0, 0, 200, 50);
    EXPECT_GT(second->graphics.MeasureText(ITextStyle(14.f), "Mix", bounds), 5.f);
    first.reset();
    EXPECT_EQ(IGraphicsNanoVG::CachedFontCount(), 1);
    second.reset();
  }
  EXPECT_EQ(IGraphicsNanoVG::LiveInstanceCount(), liveBefore);
  if (liveBefore == 0)
  {
    EXPECT_EQ(IGraphicsNanoVG::CachedFontCount(), 0);
  }
}

TEST_F(BackendLifetime, UnusableFontsAreRefusedAndNotCached)
{
  BackendEditor editor(50, 50);
  BytesFont empty({});
  EXPECT_FALSE(editor.graphics.RegisterRendererFont("Empty", empty));
  BytesFont badFace(FontBytes(), -1);
  EXPECT_FALSE(editor.graphics.RegisterRendererFont("BadFace", badFace));
  BytesFont garbage(std::vector<std::uint8_t>(1000, 0x41));
  EXPECT_FALSE(editor.graphics.RegisterRendererFont("Garbage", garbage));
  EXPECT_EQ(IGraphicsNanoVG::CachedFontCount(), 0);
}
