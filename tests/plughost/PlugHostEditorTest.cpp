// plughost editor with the product module: the whole editor as the host's
// surface shows it, checked against the committed pictures decoded here.

#include "PlugHostFixture.h"

#include <stb_image.h>

#include <algorithm>
#include <cmath>

namespace plughosttest
{

namespace
{

#ifdef _WIN32
constexpr bool kNoEditorHere = true;
#else
constexpr bool kNoEditorHere = false;
#endif

struct Image
{
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  const std::uint8_t* At(int x, int y) const
  {
    return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
  }
};

Image Decode(const std::string& bytes)
{
  Image image;
  int channels = 0;
  stbi_uc* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                        static_cast<int>(bytes.size()), &image.width, &image.height,
                                        &channels, 4);
  if (data)
  {
    image.rgba.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(data);
  }
  return image;
}

Image Resource(const std::string& file)
{
  std::ifstream in(std::string(BRASMIRE_RESOURCE_DIR) + "/" + file, std::ios::binary);
  return Decode(std::string(std::istreambuf_iterator<char>(in), {}));
}

// A control of the layout in points, with its strip and the frame its default value shows.
struct Placed
{
  const char* strip;
  int left, top, size, height;
  int frame;
};

// Mix 100 % (frame 61), Tone 0 (31), Drive 0 dB (1), Output 0 dB (31),
// engaged (BY frame 2), oversampling off (OVER frame 1).
const Placed kControls[] = {
    {"BKNOB@2X.PNG", 47, 48, 116, 116, 61}, {"SKNOB@2X.PNG", 254, 72, 69, 69, 31},
    {"SKNOB@2X.PNG", 411, 72, 69, 69, 1},   {"BKNOB@2X.PNG", 569, 47, 116, 116, 31},
    {"BY@2X.PNG", 333, 37, 65, 18, 2},      {"OVER@2X.PNG", 280, 14, 171, 18, 1},
};

bool InControlOrResizer(int x, int y, int pixelsPerPoint)
{
  const float px = static_cast<float>(x) / pixelsPerPoint;
  const float py = static_cast<float>(y) / pixelsPerPoint;
  if (px >= 732 - 20 && py >= 208 - 20) return true;
  for (const Placed& c : kControls)
    if (px >= c.left && px < c.left + c.size && py >= c.top && py < c.top + c.height) return true;
  return false;
}

// Worst difference between the screenshot's control area and the frame
// composited over the background (straight alpha over an opaque panel), over
// rows [fromRow, rows) of the frame.
double CompositeError(const Image& shot, const Image& bg, const Placed& c, int frame, int fromRow)
{
  const Image strip = Resource(c.strip);
  const int fw = c.size * 2;
  const int fh = c.height * 2;
  double worst = 0;
  for (int y = fromRow; y < fh; ++y)
    for (int x = 0; x < fw; ++x)
    {
      const int sx = c.left * 2 + x, sy = c.top * 2 + y;
      const std::uint8_t* f = strip.At(x, (frame - 1) * fh + y);
      const double a = f[3] / 255.0;
      for (int ch = 0; ch < 3; ++ch)
      {
        const double expected = f[ch] * a + bg.At(sx, sy)[ch] * (1 - a);
        worst = std::max(worst, std::abs(shot.At(sx, sy)[ch] - expected));
      }
    }
  return worst;
}

} // namespace

TEST_F(PlugHostTest, EditorAtScreenScaleTwoShowsThePanelAndEachDefaultFrame)
{
  if (kNoEditorHere) GTEST_SKIP() << "the Windows window layer is not built yet";
  const ProcessResult r =
      Run({"editor", Bundle(), "--scale", "2", "--frames", "3", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Image shot = Decode(ReadBytes("e.png"));
  const Image bg = Resource("BG@2X.PNG");
  ASSERT_EQ(shot.width, 1464);
  ASSERT_EQ(shot.height, 416);
  int wrong = 0;
  for (int y = 0; y < 416; ++y)
    for (int x = 0; x < 1464; ++x)
      if (!InControlOrResizer(x, y, 2))
        for (int ch = 0; ch < 4; ++ch)
          wrong += shot.At(x, y)[ch] != bg.At(x, y)[ch];
  EXPECT_EQ(wrong, 0);
  for (const Placed& c : kControls)
    EXPECT_LE(CompositeError(shot, bg, c, c.frame, 0), 1.0) << c.strip << " at " << c.left;
}

TEST_F(PlugHostTest, EditorAtScreenScaleOneAveragesThePanel)
{
  if (kNoEditorHere) GTEST_SKIP() << "the Windows window layer is not built yet";
  const ProcessResult r = Run({"editor", Bundle(), "--frames", "3", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Image shot = Decode(ReadBytes("e.png"));
  const Image bg = Resource("BG@2X.PNG");
  ASSERT_EQ(shot.width, 732);
  double worst = 0;
  for (int y = 0; y < 208; ++y)
    for (int x = 0; x < 732; ++x)
    {
      if (InControlOrResizer(x, y, 1)) continue;
      for (int ch = 0; ch < 3; ++ch)
      {
        const double mean = (bg.At(2 * x, 2 * y)[ch] + bg.At(2 * x + 1, 2 * y)[ch] +
                             bg.At(2 * x, 2 * y + 1)[ch] + bg.At(2 * x + 1, 2 * y + 1)[ch]) /
                            4.0;
        worst = std::max(worst, std::abs(shot.At(x, y)[ch] - mean));
      }
    }
  EXPECT_LE(worst, 2.0);
}

TEST_F(PlugHostTest, EditorReplaysADragOnTheOutputKnob)
{
  if (kNoEditorHere) GTEST_SKIP() << "the Windows window layer is not built yet";
  WriteBytes("drag.events", "# up by half the knob's height\n"
                            "down 627 105\nmove 627 80\nmove 627 47\nup 627 47\nwait 2\n");
  const ProcessResult r = Run({"editor", Bundle(), "--scale", "2", "--events", Path("drag.events"),
                               "--frames", "2", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Image shot = Decode(ReadBytes("e.png"));
  const Image bg = Resource("BG@2X.PNG");
  // 0.5 + 58 / 116 / 4 = 0.625 shows frame int(0.625 × 60 + 0.5) + 1 = 39; the
  // value bubble sits above the knob, so only its lower half is compared.
  const Placed& output = kControls[3];
  EXPECT_LE(CompositeError(shot, bg, output, 39, 116), 1.0);
  EXPECT_GT(CompositeError(shot, bg, output, 31, 116), 10.0);
}

TEST_F(PlugHostTest, EditorRefusesBadInputWithoutWritingAFile)
{
  WriteBytes("bad.events", "down 10 10\nfly 3 4\n");
  ExpectBadInput({"editor", Bundle()}, "--screenshot");
  ExpectBadInput({"editor", Bundle(), "--scale", "0", "--screenshot", Path("e.png")}, "--scale");
  ExpectBadInput({"editor", Bundle(), "--scale", "nan", "--screenshot", Path("e.png")}, "--scale");
  ExpectBadInput({"editor", Bundle(), "--frames", "0", "--screenshot", Path("e.png")}, "frames");
  ExpectBadInput(
      {"editor", Bundle(), "--events", Path("bad.events"), "--screenshot", Path("e.png")},
      "line 2");
  ExpectBadInput(
      {"editor", Bundle(), "--events", Path("missing.events"), "--screenshot", Path("e.png")},
      "missing.events");
  ExpectBadInput({"editor", Path("nothing.aaxplugin"), "--screenshot", Path("e.png")}, "nothing");
}

} // namespace plughosttest
