// plughost editor with the product module: the whole editor as the host's
// surface shows it, checked against the committed pictures decoded here.

#include "PlugHostFixture.h"

#include <stb_image.h>

#include <algorithm>
#include <cmath>

#ifdef _WIN32
#include <windows.h>
#endif

namespace plughosttest
{

namespace
{

#ifdef _WIN32
// Windows shows the editor at the display's scale: the density the Wine prefix
// sets (LogPixels, 96 when unset), read here without plughost's help.
float DisplayScale()
{
  DWORD dpi = 0;
  DWORD size = sizeof dpi;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD,
                   nullptr, &dpi, &size) != ERROR_SUCCESS ||
      dpi == 0)
    dpi = 96;
  return static_cast<float>(dpi) / 96.f;
}
#endif

// Whether `plughost editor --scale S` can run here: a host surface takes any
// scale, a Windows display only its own.
bool ScaleShownHere(float scale)
{
#ifdef _WIN32
  return std::fabs(DisplayScale() - scale) < 1e-3f;
#else
  (void)scale;
  return true;
#endif
}

#ifdef _WIN32
// Wine renders a child window's OpenGL output off the screen and its copy onto
// the screen fails, so under Wine the screen holds no editor pixels to compare;
// the pixels are compared in the editor window's own drawing instead.
constexpr bool kScreenShowsTheEditor = false;
#else
constexpr bool kScreenShowsTheEditor = true;
#endif

#define SKIP_UNLESS_SCALE_SHOWN(scale)                                                             \
  if (!ScaleShownHere(scale)) GTEST_SKIP() << "the display here is not at screen scale " << (scale)

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
  SKIP_UNLESS_SCALE_SHOWN(2.f);
  const ProcessResult r =
      Run({"editor", Bundle(), "--scale", "2", "--frames", "3", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, ""); // nothing changed
  // The screen's picture is the editor's size wherever it is taken; its pixels
  // are the drawing only where the screen shows child windows' OpenGL output.
  const Image screen = Decode(ReadBytes("e.png"));
  ASSERT_EQ(screen.width, 1464);
  ASSERT_EQ(screen.height, 416);
  const ProcessResult d = Run({"editor", Bundle(), "--scale", "2", "--frames", "3", "--capture",
                               "drawing", "--screenshot", Path("d.png")});
  ASSERT_EQ(d.exitCode, 0) << d.err;
  const Image shot = Decode(ReadBytes("d.png"));
  ASSERT_EQ(shot.width, 1464);
  ASSERT_EQ(shot.height, 416);
  // Where the screen shows the editor, it shows what was drawn.
  if (kScreenShowsTheEditor)
  {
    EXPECT_TRUE(screen.rgba == shot.rgba);
  }
  const Image bg = Resource("BG@2X.PNG");
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
  SKIP_UNLESS_SCALE_SHOWN(1.f);
  const ProcessResult r =
      Run({"editor", Bundle(), "--frames", "3", "--capture",
           kScreenShowsTheEditor ? "screen" : "drawing", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Image shot = Decode(ReadBytes("e.png"));
  ASSERT_EQ(shot.width, 732);
  ASSERT_EQ(shot.height, 208);
  const Image bg = Resource("BG@2X.PNG");
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
  SKIP_UNLESS_SCALE_SHOWN(2.f);
  WriteBytes("drag.events", "# up by half the knob's height\n"
                            "down 627 105\nmove 627 80\nmove 627 47\nup 627 47\nwait 2\n");
  // Where the screen lacks the editor's output, its own drawing is compared.
  const ProcessResult r = Run(
      {"editor", Bundle(), "--scale", "2", "--events", Path("drag.events"), "--frames", "2",
       "--capture", kScreenShowsTheEditor ? "screen" : "drawing", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // 58 points up a 116-point knob at gearing 4: 0.5 + 58 / 116 / 4 = 0.625 of
  // -15 .. +15 dB, which is 3.75 dB. Only Output moved.
  EXPECT_EQ(r.out, "Output: 3.75dB (0.625)\n");
  const Image shot = Decode(ReadBytes("e.png"));
  const Image bg = Resource("BG@2X.PNG");
  // 0.625 shows frame int(0.625 × 60 + 0.5) + 1 = 39; the value bubble sits
  // above the knob, so only its lower half is compared.
  const Placed& output = kControls[3];
  EXPECT_LE(CompositeError(shot, bg, output, 39, 116), 1.0);
  EXPECT_GT(CompositeError(shot, bg, output, 31, 116), 10.0);
}

TEST_F(PlugHostTest, EditorAtOneAndAHalfGrowsToItsScaleADragTurnsMixAndTheWheelDrive)
{
  SKIP_UNLESS_SCALE_SHOWN(1.5f);
  // Window pixels (210, 168) are points (140, 112), inside Mix; 174 pixels up
  // are 116 points, the knob's height: a quarter of the range at gearing 4.
  // Then one wheel notch over Drive (inside {411, 72, 480, 141}): 0.01 of its range.
  WriteBytes("input.events",
             "down 140 112\nmove 140 60\nmove 140 -4\nup 140 -4\nwheel 445 106 1\n");
  const ProcessResult r =
      Run({"editor", Bundle(), "--scale", "1.5", "--param", "Mix=50", "--events",
           Path("input.events"), "--frames", "2", "--screenshot", Path("e.png")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Mix is the first parameter, Drive the third: one line each, in that order.
  const std::size_t drive = r.out.find("\nDrive: ");
  ASSERT_NE(drive, std::string::npos) << r.out;
  EXPECT_EQ(r.out.rfind("Mix: 75", 0), 0u) << r.out;
  EXPECT_EQ(r.out.substr(drive - 7, 8), " (0.75)\n") << r.out;
  EXPECT_EQ(r.out.substr(r.out.size() - 8), " (0.01)\n") << r.out;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
  // 732 × 208 points at 1.5 pixels each, whatever size the window opened at.
  const Image shot = Decode(ReadBytes("e.png"));
  EXPECT_EQ(shot.width, 1098);
  EXPECT_EQ(shot.height, 312);
}

TEST_F(PlugHostTest, EditorOnWindowsRefusesAScaleOtherThanTheDisplays)
{
#ifdef _WIN32
  const std::string other = DisplayScale() == 2.f ? "1" : "2";
  ExpectBadInput({"editor", Bundle(), "--scale", other, "--screenshot", Path("e.png")},
                 "does not match the display's screen scale");
#else
  GTEST_SKIP() << "a host surface takes any scale";
#endif
}

TEST_F(PlugHostTest, EditorRefusesBadInputWithoutWritingAFile)
{
  WriteBytes("bad.events", "down 10 10\nfly 3 4\n");
  ExpectBadInput({"editor", Bundle()}, "--screenshot");
  ExpectBadInput({"editor", Bundle(), "--scale", "0", "--screenshot", Path("e.png")}, "--scale");
  ExpectBadInput({"editor", Bundle(), "--scale", "nan", "--screenshot", Path("e.png")}, "--scale");
  ExpectBadInput({"editor", Bundle(), "--frames", "0", "--screenshot", Path("e.png")}, "frames");
  ExpectBadInput({"editor", Bundle(), "--capture", "window", "--screenshot", Path("e.png")},
                 "--capture must be screen or drawing");
  ExpectBadInput(
      {"editor", Bundle(), "--events", Path("bad.events"), "--screenshot", Path("e.png")},
      "line 2");
  ExpectBadInput(
      {"editor", Bundle(), "--events", Path("missing.events"), "--screenshot", Path("e.png")},
      "missing.events");
  ExpectBadInput({"editor", Path("nothing.aaxplugin"), "--screenshot", Path("e.png")}, "nothing");
}

} // namespace plughosttest
