// Pictures, filmstrips, layers and the backing store, checked against the
// committed PNGs decoded by the test itself.

#include "BackendEditor.h"

#include "IGraphics/Drawing/IGraphicsNanoVGBitmap.h"
#include "IGraphics/IControl.h"
#include "IGraphics/IRectList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

using namespace igraphics;

namespace
{

using BackendPictures = OffscreenTest;

// Draws frame int(v × (N − 1) + 0.5) + 1 of its strip, as the bitmap knob does.
class StripControl : public IControl
{
public:
  StripControl(const IRect& bounds, const IBitmapRef& strip) : IControl(bounds), mStrip(strip) {}
  void Draw(IGraphics& g) override
  {
    const int frame = static_cast<int>(GetValue() * (mStrip.N() - 1) + 0.5) + 1;
    g.DrawBitmap(mStrip, mRECT, frame);
  }

private:
  IBitmapRef mStrip;
};

// Straight-alpha composite of `top` over opaque `bottom`, channel c, 0..255.
double Over(const std::uint8_t* top, const std::uint8_t* bottom, int c)
{
  const double a = top[3] / 255.0;
  return top[c] * a + bottom[c] * (1 - a);
}

} // namespace

TEST_F(BackendPictures, BackingStoreIsSizedAfterBothTruncations)
{
  BackendEditor editor(732, 208, 1.5f);
  editor.graphics.Resize(732, 208, 0.75f);
  editor.graphics.ResizeDrawTarget();
  // int(int(732 × 0.75) × 1.5) = int(549 × 1.5) = 823; int(156 × 1.5) = 234.
  ASSERT_NE(editor.graphics.BackingFramebuffer(), nullptr);
  EXPECT_EQ(editor.graphics.BackingFramebuffer()->Width(), 823);
  EXPECT_EQ(editor.graphics.BackingFramebuffer()->Height(), 234);
}

TEST_F(BackendPictures, BackgroundAtScreenScaleTwoIsThePictureExactly)
{
  const Picture bg = LoadPicture("BG@2X.PNG");
  ASSERT_EQ(bg.width, 1464);
  BackendEditor editor(732, 208, 2.f);
  const IBitmapRef ref = editor.graphics.FetchBitmap("BG.png");
  ASSERT_TRUE(ref.IsValid());
  EXPECT_EQ(ref.W(), 732);
  EXPECT_EQ(ref.H(), 208);
  editor.Frame([&](IGraphics& g) { g.DrawBitmap(ref, IRect(0, 0, 732, 208)); });
  const auto pixels = editor.Window();
  int wrong = 0;
  for (int y = 0; y < bg.height; ++y)
    for (int x = 0; x < bg.width; ++x)
      for (int c = 0; c < 4; ++c)
        wrong += editor.At(pixels, x, y, c) != bg.At(x, y)[c];
  EXPECT_EQ(wrong, 0);
}

TEST_F(BackendPictures, BackgroundAtScreenScaleOneIsTheMeanOfEachBlock)
{
  const Picture bg = LoadPicture("BG@2X.PNG");
  BackendEditor editor(732, 208, 1.f);
  // Asked for scale 1, found at scale 2: sizes are pixels / 2.
  const IBitmapRef ref = editor.graphics.FetchBitmap("BG.png", 1, false, 1);
  ASSERT_TRUE(ref.IsValid());
  EXPECT_EQ(ref.W(), 732);
  EXPECT_EQ(ref.GetScale(), 2.f);
  editor.Frame([&](IGraphics& g) { g.DrawBitmap(ref, IRect(0, 0, 732, 208)); });
  const auto pixels = editor.Window();
  double worst = 0;
  for (int y = 0; y < 208; ++y)
    for (int x = 0; x < 732; ++x)
      for (int c = 0; c < 3; ++c)
      {
        const double mean = (bg.At(2 * x, 2 * y)[c] + bg.At(2 * x + 1, 2 * y)[c] +
                             bg.At(2 * x, 2 * y + 1)[c] + bg.At(2 * x + 1, 2 * y + 1)[c]) /
                            4.0;
        worst = std::max(worst, std::abs(editor.At(pixels, x, y, c) - mean));
      }
  EXPECT_LE(worst, 2.0);
}

TEST_F(BackendPictures, KnobFramesCompositeOverTheBackground)
{
  const Picture bg = LoadPicture("BG@2X.PNG");
  const Picture knob = LoadPicture("BKNOB@2X.PNG");
  ASSERT_EQ(knob.height, 14152);
  BackendEditor editor(732, 208, 2.f);
  const IBitmapRef bgRef = editor.graphics.FetchBitmap("BG.png");
  const IBitmapRef knobRef = editor.graphics.FetchBitmap("BKNOB.png", 61);
  ASSERT_TRUE(knobRef.IsValid());
  EXPECT_EQ(knobRef.FH(), 116);
  const IRect area(569, 47, 685, 163);
  const int frame = 31;
  editor.Frame(
      [&](IGraphics& g)
      {
        g.DrawBitmap(bgRef, IRect(0, 0, 732, 208));
        g.DrawBitmap(knobRef, area, frame);
      });
  const auto pixels = editor.Window();
  double worst = 0;
  for (int y = 0; y < 232; ++y)
    for (int x = 0; x < 232; ++x)
    {
      const int wx = 2 * 569 + x, wy = 2 * 47 + y;
      for (int c = 0; c < 3; ++c)
      {
        const double expected = Over(knob.At(x, (frame - 1) * 232 + y), bg.At(wx, wy), c);
        worst = std::max(worst, std::abs(editor.At(pixels, wx, wy, c) - expected));
      }
    }
  EXPECT_LE(worst, 1.0);
}

TEST_F(BackendPictures, TallFilmstripsAreSplitAcrossTexturesAndDrawTheSamePixels)
{
  const Picture knob = LoadPicture("BKNOB@2X.PNG");
  BackendEditor editor(116, 116, 2.f);
  // A driver whose textures end at 4096 rows: 14,152 rows need four bands.
  editor.graphics.Renderer()->LimitMaxImageSize(4096);
  const IBitmapRef ref = editor.graphics.FetchBitmap("BKNOB.png", 61);
  ASSERT_TRUE(ref.IsValid());
  const auto* bitmap = dynamic_cast<const IGraphicsNanoVG::Bitmap*>(ref.GetAPIBitmap());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Bands().size(), 4u);
  // Frame 18 spans rows 3944..4175, across the first band's end at 4096.
  for (int frame : {1, 18, 36, 61})
  {
    editor.Frame(
        [&](IGraphics& g)
        {
          const IBlendSpec clear(EBlend::DstOut, 1.f);
          g.FillRect(COLOR_BLACK, IRect(0, 0, 116, 116), &clear);
          g.DrawBitmap(ref, IRect(0, 0, 116, 116), frame);
        });
    const auto pixels = editor.Window();
    int wrong = 0;
    for (int y = 0; y < 232; ++y)
      for (int x = 0; x < 232; ++x)
      {
        const std::uint8_t* p = knob.At(x, (frame - 1) * 232 + y);
        for (int c = 0; c < 4; ++c)
        {
          // The window holds premultiplied colour.
          const double expected = c == 3 ? p[3] : p[c] * p[3] / 255.0;
          wrong += std::abs(editor.At(pixels, x, y, c) - expected) > 1.0;
        }
      }
    EXPECT_EQ(wrong, 0) << "frame " << frame;
  }
  editor.graphics.Renderer()->LimitMaxImageSize(0);
}

TEST_F(BackendPictures, BitmapLoadingFollowsTypeAndCacheRules)
{
  BackendEditor editor(100, 100, 1.5f);
  EXPECT_TRUE(editor.graphics.IsLoadableImageType("PNG"));
  EXPECT_TRUE(editor.graphics.IsLoadableImageType("Jpeg"));
  EXPECT_TRUE(editor.graphics.IsLoadableImageType("xjpgx"));
  EXPECT_FALSE(editor.graphics.IsLoadableImageType("gif"));
  EXPECT_FALSE(editor.graphics.IsLoadableImageType("svg"));
  EXPECT_FALSE(editor.graphics.FetchBitmap("BG.gif").IsValid());
  EXPECT_FALSE(editor.graphics.FetchBitmap("NOPE.png").IsValid());
  // Scale 0 on a 1.5 screen asks for 2; the same bitmap comes back next time.
  const IBitmapRef first = editor.graphics.FetchBitmap("BY.png", 2);
  const IBitmapRef again = editor.graphics.FetchBitmap("BY.png", 2, false, 2);
  ASSERT_TRUE(first.IsValid());
  EXPECT_EQ(first.GetAPIBitmap(), again.GetAPIBitmap());
  EXPECT_EQ(first.W(), 65);
  EXPECT_EQ(first.FH(), 18);
  // Bytes in memory are cached under name and scale.
  std::ifstream in(ResourcePath("OVER@2X.PNG"), std::ios::binary);
  const std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
  APIBitmap* a = editor.graphics.BackendBitmapFromBytes("over", bytes.data(),
                                                        static_cast<int>(bytes.size()), 2.f);
  APIBitmap* b = editor.graphics.BackendBitmapFromBytes("over", bytes.data(),
                                                        static_cast<int>(bytes.size()), 2.f);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->GetWidth(), 342);
}

TEST_F(BackendPictures, OnlyTheDirtyRegionChangesInTheBackingStore)
{
  BackendEditor editor(732, 208, 2.f);
  const IBitmapRef bg = editor.graphics.FetchBitmap("BG.png");
  const IBitmapRef knob = editor.graphics.FetchBitmap("BKNOB.png", 61);
  editor.graphics.AttachControl(std::make_unique<StripControl>(IRect(0, 0, 732, 208), bg));
  IControl* output =
      editor.graphics.AttachControl(std::make_unique<StripControl>(IRect(569, 47, 685, 163), knob));
  output->SetValue(0.5);
  IRectList rects;
  editor.graphics.MarkAllControlsDirty();
  ASSERT_TRUE(editor.graphics.IsDirty(rects));
  editor.graphics.MarkAllControlsClean(); // as the platform layer does
  editor.graphics.Draw(rects);
  const auto before = editor.BackingStore();

  // A value from the host: the knob alone is dirty.
  output->SetValue(0.625);
  output->SetDirty(false);
  IRectList dirty;
  ASSERT_TRUE(editor.graphics.IsDirty(dirty));
  ASSERT_EQ(dirty.Size(), 1); // the knob alone
  editor.graphics.MarkAllControlsClean();
  editor.graphics.Draw(dirty); // leaves the regions snapped to pixels
  const auto after = editor.BackingStore();
  int changedInside = 0, changedOutside = 0;
  for (int y = 0; y < 416; ++y)
    for (int x = 0; x < 1464; ++x)
    {
      bool inside = false;
      for (int i = 0; i < dirty.Size(); ++i)
      {
        const IRect& r = dirty.Get(i);
        inside |= x >= r.L * 2 && x < r.R * 2 && y >= r.T * 2 && y < r.B * 2;
      }
      for (int c = 0; c < 4; ++c)
      {
        const std::size_t i = (static_cast<std::size_t>(y) * 1464 + x) * 4 + c;
        (inside ? changedInside : changedOutside) += before[i] != after[i];
      }
    }
  EXPECT_GT(changedInside, 1000);
  EXPECT_EQ(changedOutside, 0);
  // And the window shows the whole backing store.
  EXPECT_EQ(editor.Window(), after);
}

TEST_F(BackendPictures, LayersDrawOffscreenAndSurviveBeingFreedMidFrame)
{
  BackendEditor editor(120, 60);
  editor.graphics.StartFrame();
  editor.graphics.PathTransformReset();
  auto layer = std::make_unique<ILayer>(editor.graphics.CreateLayerSurface(40, 40, 1.f, 1.f),
                                        IRect(10, 10, 50, 50));
  editor.graphics.PushLayer(layer.get());
  editor.graphics.PathTransformReset();
  editor.graphics.FillRect(COLOR_RED, IRect(10, 10, 50, 30));
  editor.graphics.FillRect(COLOR_GREEN, IRect(10, 30, 50, 50));
  editor.graphics.PopLayer();
  editor.graphics.PathTransformReset();
  const IBitmapRef ref(layer->GetAPIBitmap(), 40, 40, 1, false, "");
  editor.graphics.DrawBitmapRegion(ref, IRect(60, 10, 100, 50), 0, 0);
  // Freed before the frame is sent: its framebuffer waits for FinishFrame.
  layer.reset();
  EXPECT_EQ(editor.graphics.QueuedFramebufferCount(), 1);
  editor.graphics.FinishFrame();
  EXPECT_EQ(editor.graphics.QueuedFramebufferCount(), 0);
  const auto pixels = editor.Window();
  EXPECT_EQ(editor.At(pixels, 80, 15, 0), 255);
  EXPECT_EQ(editor.At(pixels, 80, 15, 1), 0);
  EXPECT_EQ(editor.At(pixels, 80, 45, 1), 255);
  EXPECT_EQ(editor.At(pixels, 80, 45, 0), 0);
  EXPECT_EQ(editor.At(pixels, 30, 30, 3), 0); // nothing drawn where the layer lies
}

TEST_F(BackendPictures, LayerPixelsAreReadBottomRowFirst)
{
  BackendEditor editor(60, 60);
  editor.graphics.StartFrame();
  ILayer layer(editor.graphics.CreateLayerSurface(20, 20, 1.f, 1.f), IRect(0, 0, 20, 20));
  editor.graphics.PushLayer(&layer);
  editor.graphics.PathTransformReset();
  editor.graphics.FillRect(COLOR_RED, IRect(0, 0, 20, 10));
  editor.graphics.FillRect(COLOR_BLUE, IRect(0, 10, 20, 20));
  editor.graphics.PopLayer();
  std::vector<std::uint8_t> bytes;
  editor.graphics.ReadLayerPixels(layer, bytes);
  editor.graphics.FinishFrame();
  ASSERT_EQ(bytes.size(), 20u * 20u * 4u);
  EXPECT_EQ(bytes[2], 255);                 // first row: the bottom, blue
  EXPECT_EQ(bytes[(19 * 20) * 4 + 0], 255); // last row: the top, red
  EXPECT_EQ(editor.graphics.AlphaByteIndex(), 3);
  EXPECT_TRUE(editor.graphics.LayerRowsBottomUp());
}

TEST_F(BackendPictures, PresentingByBlitAndByTexturedPassGiveTheSameWindow)
{
  BackendEditor editor(732, 208, 2.f);
  ASSERT_TRUE(editor.graphics.Renderer()->CanCopyFramebuffer());
  const IBitmapRef bg = editor.graphics.FetchBitmap("BG.png");
  const IBitmapRef knob = editor.graphics.FetchBitmap("SKNOB.png", 61);
  auto draw = [&](IGraphics& g)
  {
    g.DrawBitmap(bg, IRect(0, 0, 732, 208));
    g.DrawBitmap(knob, IRect(254, 72, 323, 141), 17);
  };
  editor.Frame(draw);
  const auto blitted = editor.Window();
  editor.graphics.SetPresentByBlit(false);
  editor.Frame(draw);
  const auto textured = editor.Window();
  EXPECT_EQ(blitted, textured);
  EXPECT_EQ(textured, editor.BackingStore());
}
