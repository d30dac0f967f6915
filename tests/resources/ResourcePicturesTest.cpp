// The editor's pictures, checked against the layout they are drawn into: 1 point = 2 pixels,
// knob frames stacked top to bottom, the pointer's arc matching the panel's scales.
#include "DecodedImage.h"
#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace
{

struct PictureLayout
{
  const char* file;
  int width, height, frames;
};

// Pixel sizes and frame counts the editor's layout relies on.
constexpr PictureLayout kPictures[] = {
    {"BG@2X.PNG", 1464, 416, 1}, {"BKNOB@2X.PNG", 232, 14152, 61}, {"SKNOB@2X.PNG", 138, 8418, 61},
    {"BY@2X.PNG", 130, 72, 2},   {"OVER@2X.PNG", 342, 72, 2},
};

constexpr int kKnobFrames = 61;

bool IsPointerAmber(const DecodedImage::Pixel& p)
{
  return p.a > 200 && p.r > 150 && p.r - p.b > 90;
}

double Degrees(double radians)
{
  return radians * 180.0 / std::numbers::pi;
}

// The pointer's direction in frame `frame` (0-based) of a stacked strip of square frames:
// the centroid of its amber pixels seen from the frame's centre, in degrees clockwise from
// straight up.
std::optional<double> PointerAngle(const DecodedImage& strip, int frame)
{
  const int side = strip.Width();
  double sx = 0, sy = 0;
  int count = 0;
  for (int y = 0; y < side; ++y)
  {
    for (int x = 0; x < side; ++x)
    {
      if (!IsPointerAmber(strip.At(x, frame * side + y))) continue;
      sx += x + 0.5 - side / 2.0;
      sy += y + 0.5 - side / 2.0;
      ++count;
    }
  }
  if (count < 10) return std::nullopt;
  return Degrees(std::atan2(sx / count, -sy / count));
}

std::vector<double> PointerAngles(const DecodedImage& strip)
{
  std::vector<double> angles;
  for (int frame = 0; frame < kKnobFrames; ++frame)
  {
    const std::optional<double> angle = PointerAngle(strip, frame);
    EXPECT_TRUE(angle.has_value()) << "no pointer found in frame " << frame + 1;
    angles.push_back(angle.value_or(std::nan("")));
  }
  return angles;
}

class KnobStrip : public testing::TestWithParam<const char*>
{
};

TEST(ResourcePictures, EachPictureHasTheEditorsPixelSizeAndFrameCount)
{
  for (const PictureLayout& layout : kPictures)
  {
    SCOPED_TRACE(layout.file);
    const DecodedImage image(ResourcePath(layout.file));
    ASSERT_TRUE(image.Valid());
    EXPECT_EQ(image.Width(), layout.width);
    EXPECT_EQ(image.Height(), layout.height);
    EXPECT_EQ(image.Height() % layout.frames, 0);
    // Everything but the background is drawn over something and needs its alpha.
    EXPECT_EQ(image.ChannelsInFile(), 4);
  }
  // Knob frames are square.
  EXPECT_EQ(14152 / kKnobFrames, 232);
  EXPECT_EQ(8418 / kKnobFrames, 138);
}

TEST(ResourcePictures, TheBackgroundIsOpaque)
{
  const DecodedImage bg(ResourcePath("BG@2X.PNG"));
  ASSERT_TRUE(bg.Valid());
  for (int y = 0; y < bg.Height(); ++y)
    for (int x = 0; x < bg.Width(); ++x)
      ASSERT_EQ(bg.At(x, y).a, 255) << "at " << x << ", " << y;
}

TEST_P(KnobStrip, PointerTurnsClockwiseFromLowerLeftThroughUpToLowerRight)
{
  const DecodedImage strip(ResourcePath(GetParam()));
  ASSERT_TRUE(strip.Valid());
  const std::vector<double> angles = PointerAngles(strip);
  ASSERT_EQ(angles.size(), static_cast<size_t>(kKnobFrames));

  EXPECT_LT(angles.front(), -90.0) << "frame 1 should point to the lower left";
  EXPECT_GT(angles.front(), -180.0);
  EXPECT_NEAR(angles[30], 0.0, 2.0) << "frame 31 should point straight up";
  EXPECT_GT(angles.back(), 90.0) << "frame 61 should point to the lower right";
  EXPECT_LT(angles.back(), 180.0);
  for (int i = 1; i < kKnobFrames; ++i)
    EXPECT_GT(angles[i], angles[i - 1]) << "frame " << i + 1 << " turns back";

  // Frames are chosen linearly from the value, so equal steps make the knob move evenly.
  const double step = (angles.back() - angles.front()) / (kKnobFrames - 1);
  for (int i = 0; i < kKnobFrames; ++i)
    EXPECT_NEAR(angles[i], angles.front() + step * i, 1.0) << "frame " << i + 1;
  EXPECT_NEAR(angles.front(), -angles.back(), 1.0) << "the arc should be symmetric";
}

TEST_P(KnobStrip, NothingIsDrawnOutsideTheKnobsCircle)
{
  const DecodedImage strip(ResourcePath(GetParam()));
  ASSERT_TRUE(strip.Valid());
  const int side = strip.Width();
  const double radius = side / 2.0;
  int stray = 0;
  for (int frame = 0; frame < kKnobFrames; ++frame)
  {
    for (int y = 0; y < side; ++y)
    {
      for (int x = 0; x < side; ++x)
      {
        const double dx = x + 0.5 - radius, dy = y + 0.5 - radius;
        if (dx * dx + dy * dy > radius * radius && strip.At(x, frame * side + y).a != 0) ++stray;
      }
    }
  }
  EXPECT_EQ(stray, 0);
}

INSTANTIATE_TEST_SUITE_P(BothSizes, KnobStrip, testing::Values("BKNOB@2X.PNG", "SKNOB@2X.PNG"));

struct KnobPlace
{
  const char* name;
  int left, top; // points, from the editor layout
  const char* strip;
  int framePoints;
};

constexpr KnobPlace kKnobs[] = {
    {"Mix", 47, 48, "BKNOB@2X.PNG", 116},
    {"Tone", 254, 72, "SKNOB@2X.PNG", 69},
    {"Drive", 411, 72, "SKNOB@2X.PNG", 69},
    {"Output", 569, 47, "BKNOB@2X.PNG", 116},
};

// Angles (degrees clockwise from up, in 0.25 steps) at which the panel shows a scale mark: a
// bright radial stroke across the ring just outside the knob's shadow. Lettering near the
// scale is not radial and does not cross the whole ring.
std::vector<bool> ScaleMarks(const DecodedImage& bg, const KnobPlace& knob)
{
  const double half = knob.framePoints; // half the frame, in pixels
  const double cx = 2.0 * knob.left + half, cy = 2.0 * knob.top + half;
  std::vector<bool> marks;
  for (int step = 0; step < 1440; ++step)
  {
    const double a = (-180.0 + step * 0.25) * std::numbers::pi / 180.0;
    int samples = 0, bright = 0;
    for (double r = 0.86 * half; r <= 0.92 * half; r += 0.5)
    {
      const int x = static_cast<int>(std::floor(cx + r * std::sin(a)));
      const int y = static_cast<int>(std::floor(cy - r * std::cos(a)));
      ++samples;
      bright += bg.At(x, y).Luma() > 80.0;
    }
    marks.push_back(bright * 4 >= samples * 3);
  }
  return marks;
}

TEST(PanelScales, EachScaleSpansTheArcOfItsKnobsPointer)
{
  const DecodedImage bg(ResourcePath("BG@2X.PNG"));
  ASSERT_TRUE(bg.Valid());
  for (const KnobPlace& knob : kKnobs)
  {
    SCOPED_TRACE(knob.name);
    const DecodedImage strip(ResourcePath(knob.strip));
    ASSERT_TRUE(strip.Valid());
    const std::optional<double> first = PointerAngle(strip, 0);
    const std::optional<double> last = PointerAngle(strip, kKnobFrames - 1);
    ASSERT_TRUE(first && last);

    const std::vector<bool> marks = ScaleMarks(bg, knob);
    // The gap under the knob: no mark straight down.
    ASSERT_FALSE(marks.front());
    size_t firstStart = 0;
    while (firstStart < marks.size() && !marks[firstStart])
      ++firstStart;
    ASSERT_LT(firstStart, marks.size()) << "no scale around the knob";
    size_t firstEnd = firstStart;
    while (marks[firstEnd + 1])
      ++firstEnd;
    size_t lastEnd = marks.size() - 1;
    while (!marks[lastEnd])
      --lastEnd;
    size_t lastStart = lastEnd;
    while (marks[lastStart - 1])
      --lastStart;

    const double firstMark = -180.0 + 0.25 * (firstStart + firstEnd) / 2.0;
    const double lastMark = -180.0 + 0.25 * (lastStart + lastEnd) / 2.0;
    EXPECT_NEAR(firstMark, *first, 1.0) << "the scale's first mark and the pointer at minimum";
    EXPECT_NEAR(lastMark, *last, 1.0) << "the scale's last mark and the pointer at maximum";
  }
}

TEST(PanelScales, TheResizeHandlesCornerIsQuiet)
{
  // The lower-right 20 x 20 points carry the resize handle: only the smooth panel there.
  const DecodedImage bg(ResourcePath("BG@2X.PNG"));
  ASSERT_TRUE(bg.Valid());
  double largestStep = 0;
  for (int y = bg.Height() - 40; y < bg.Height(); ++y)
  {
    for (int x = bg.Width() - 40; x < bg.Width(); ++x)
    {
      const double here = bg.At(x, y).Luma();
      if (x + 1 < bg.Width())
        largestStep = std::max(largestStep, std::abs(bg.At(x + 1, y).Luma() - here));
      if (y + 1 < bg.Height())
        largestStep = std::max(largestStep, std::abs(bg.At(x, y + 1).Luma() - here));
    }
  }
  EXPECT_LT(largestStep, 3.0);
}

struct SwitchPicture
{
  const char* file;
  int width, frameHeight;
};

TEST(SwitchPictures, TheTwoFramesDifferAndOnlyTheSecondIsLit)
{
  for (const SwitchPicture& sw :
       {SwitchPicture{"BY@2X.PNG", 130, 36}, SwitchPicture{"OVER@2X.PNG", 342, 36}})
  {
    SCOPED_TRACE(sw.file);
    const DecodedImage image(ResourcePath(sw.file));
    ASSERT_TRUE(image.Valid());
    ASSERT_EQ(image.Height(), 2 * sw.frameHeight);
    int differing = 0, litOff = 0, litOn = 0;
    for (int y = 0; y < sw.frameHeight; ++y)
    {
      for (int x = 0; x < sw.width; ++x)
      {
        const DecodedImage::Pixel off = image.At(x, y), on = image.At(x, y + sw.frameHeight);
        if (std::abs(off.Luma() - on.Luma()) > 8 || std::abs(off.a - on.a) > 8) ++differing;
        // A lit lamp: bright, saturated amber.
        auto lit = [](const DecodedImage::Pixel& p)
        { return p.a > 200 && p.r > 220 && p.r - p.b > 90; };
        litOff += lit(off);
        litOn += lit(on);
      }
    }
    EXPECT_GT(differing, sw.width * sw.frameHeight / 50)
        << "the states must be told apart at a glance";
    EXPECT_EQ(litOff, 0) << "frame 1 (value 0) is unlit";
    EXPECT_GT(litOn, 20) << "frame 2 (value 1) is lit";
  }
}

} // namespace
