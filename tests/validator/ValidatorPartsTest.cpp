// The validator's own parts: the random source every platform must agree on,
// the output statistics the checks judge by, the JSON report, and what the
// editor checks observe with (pictures, GL objects, the loop's timers).

#include "Host/HostEventLoop.h"
#include "Host/Validator/CheckReport.h"
#include "Host/Validator/FirstFailure.h"
#include "Host/Validator/GlObjectCounts.h"
#include "Host/Validator/OutputStats.h"
#include "Host/Validator/PictureDifference.h"
#include "Host/Validator/ValidationProfile.h"
#include "Host/Validator/ValidationRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include "IPlug/RunLoop.h"
#endif

namespace
{
using plughost::CheckReport;
using plughost::OutputStats;
using plughost::ValidationProfile;
using plughost::ValidationRandom;

TEST(ValidationRandom, FollowsTheSplitMixSequenceOnEveryPlatform)
{
  // The published first outputs of the 64-bit split-mix generator from
  // state 0: a run with --seed repeats exactly on another build.
  ValidationRandom random(0);
  EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFull);
  EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ull);
  EXPECT_EQ(random.Next(), 0x06C45D188009454Full);

  ValidationRandom a(42);
  ValidationRandom b(42);
  for (int i = 0; i < 10000; ++i)
  {
    const double u = a.Uniform();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    const std::uint64_t below = a.Below(7);
    ASSERT_LT(below, 7u);
    ASSERT_EQ(b.Uniform(), u);
    ASSERT_EQ(b.Below(7), below);
  }
  EXPECT_EQ(a.Below(0), 0u);
}

TEST(OutputStats, CountsNonFiniteAndSubnormalSamplesAndStepsAcrossBlocks)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const float tiny = std::numeric_limits<float>::denorm_min() * 3.0f;
  const float first[] = {0.5f, -0.25f, nan, 0.0f, tiny};
  const float second[] = {-inf, 0.75f, 0.7f};
  OutputStats stats;
  float previous = nan; // no sample before the first block
  stats.Add(first, 5, previous);
  stats.Add(second, 3, previous);
  EXPECT_EQ(stats.samples, 8);
  EXPECT_EQ(stats.nonFinite, 2);
  EXPECT_EQ(stats.subnormal, 1);
  EXPECT_EQ(stats.peak, 0.75);
  // Steps between finite neighbours, skipping the non-finite ones:
  // 0.5 -> -0.25 (0.75), -0.25 -> 0 (0.25), 0 -> tiny, tiny -> 0.75 (across
  // the blocks and the infinity), 0.75 -> 0.7.
  EXPECT_DOUBLE_EQ(stats.largestStep, 0.75);
  EXPECT_EQ(previous, 0.7f);
}

TEST(CheckReport, PrintsEachCheckAndWritesEveryOneAsJson)
{
  std::ostringstream printed;
  CheckReport report(printed);
  CheckReport::Check pass;
  pass.group = 2;
  pass.name = "a \"quoted\" name";
  pass.passed = true;
  pass.reason = "line\nbreak";
  pass.numbers = {{"samples", 12}, {"worst", std::numeric_limits<double>::quiet_NaN()}};
  report.Add(pass);
  CheckReport::Check fail;
  fail.group = 8;
  fail.name = "no allocation";
  fail.reason = "3 allocations counted";
  fail.numbers = {{"allocations", 3}};
  report.Add(fail);
  CheckReport::Check skip;
  skip.group = 10;
  skip.name = "screen scale";
  skip.skipped = true;
  skip.reason = "editor not available";
  report.Add(skip);
  report.Work().framesProcessed = 1234;

  // A skipped check is neither passed nor failed.
  EXPECT_EQ(report.Passed(), 1u);
  EXPECT_EQ(report.Failed(), 1u);
  EXPECT_EQ(report.Skipped(), 1u);
  EXPECT_NE(printed.str().find("SKIP [10] screen scale: editor not available"), std::string::npos);
  EXPECT_NE(printed.str().find("PASS [2] a \"quoted\" name"), std::string::npos);
  EXPECT_NE(printed.str().find("FAIL [8] no allocation: 3 allocations counted (allocations 3)"),
            std::string::npos)
      << printed.str();

  std::ostringstream json;
  report.WriteJson(json, "C:\\mod\\x.aaxplugin", 5, 9, 1.5);
  const std::string text = json.str();
  EXPECT_NE(text.find("\"module\": \"C:\\\\mod\\\\x.aaxplugin\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"name\": \"a \\\"quoted\\\" name\""), std::string::npos);
  EXPECT_NE(text.find("\"reason\": \"line\\nbreak\""), std::string::npos);
  EXPECT_NE(text.find("\"worst\": null"), std::string::npos); // JSON has no NaN
  EXPECT_NE(text.find("\"checks_run\": 3"), std::string::npos);
  EXPECT_NE(text.find("\"checks_passed\": 1"), std::string::npos);
  EXPECT_NE(text.find("\"checks_skipped\": 1"), std::string::npos);
  EXPECT_NE(text.find("\"result\": \"SKIP\""), std::string::npos);
  EXPECT_NE(text.find("\"frames_processed\": 1234"), std::string::npos);
  EXPECT_NE(text.find("\"result\": \"FAIL\""), std::string::npos);
  // A reason's line break must not break the check's JSON line.
  const std::size_t reason = text.find("\"reason\": \"line");
  const std::size_t end = text.find("}}", reason);
  ASSERT_NE(end, std::string::npos);
  EXPECT_EQ(text.substr(reason, end - reason).find('\n'), std::string::npos);
}

TEST(ValidationProfile, ReadsEveryEntryAndRefusesWhatItDoesNotKnow)
{
  ValidationProfile profile;
  std::string error;
  ASSERT_TRUE(ValidationProfile::Parse("# comment\n"
                                       "setting-parameter Oversampling\n"
                                       "latency 0 64   # per setting\n"
                                       "\n"
                                       "dry-parameter Mix 0\n"
                                       "bypass-parameter Bypass 0.25\n"
                                       "editor-resizer\n",
                                       profile, error))
      << error;
  EXPECT_TRUE(profile.given);
  EXPECT_TRUE(profile.editorResizer);
  EXPECT_EQ(profile.settingParameter, "Oversampling");
  EXPECT_EQ(profile.latencies, (std::vector<std::int32_t>{0, 64}));
  EXPECT_EQ(profile.dryParameter, "Mix");
  EXPECT_EQ(profile.dryValue, 0.0);
  EXPECT_EQ(profile.bypassParameter, "Bypass");
  EXPECT_EQ(profile.bypassValue, 0.25);

  const struct
  {
    const char* text;
    const char* reasonPart;
  } bad[] = {{"latency -1\n", "line 1: a latency"},
             {"\nlatency 64x\n", "line 2: a latency"},
             {"dry-parameter Mix 1.5\n", "normalised number"},
             {"dry-parameter Mix\n", "'dry-parameter' with 1 values"},
             {"bypass-parameter Bypass nan\n", "normalised number"},
             {"editor-resizer yes\n", "'editor-resizer' with 1 values"},
             {"frobnicate 3\n", "'frobnicate'"}};
  for (const auto& entry : bad)
  {
    ValidationProfile untouched;
    std::string reason;
    EXPECT_FALSE(ValidationProfile::Parse(entry.text, untouched, reason)) << entry.text;
    EXPECT_NE(reason.find(entry.reasonPart), std::string::npos) << reason;
    EXPECT_FALSE(untouched.given);
  }
  EXPECT_FALSE(ValidationProfile::Load("/no/such/profile", profile, error));
  EXPECT_NE(error.find("/no/such/profile"), std::string::npos);
}

TEST(FirstFailure, KeepsTheFirstAndCountsTheRest)
{
  plughost::FirstFailure failure;
  EXPECT_TRUE(failure.Empty());
  EXPECT_EQ(failure.Or("fine"), "fine");
  failure.Note("first");
  failure.Note("second");
  EXPECT_FALSE(failure.Empty());
  EXPECT_EQ(failure.Count(), 2);
  EXPECT_EQ(failure.Or("fine"), "first");
}

} // namespace

TEST(PictureDifference, BoundsTheDifferingPixelsOfSameSizedPictures)
{
  // 4 x 3 pictures, differing at (1, 0) and (2, 2) only: 2 pixels in {1, 0, 3, 3}.
  plughost::EditorDriver::Picture a;
  a.width = 4;
  a.height = 3;
  a.rgba.assign(4 * 3 * 4, 10);
  plughost::EditorDriver::Picture b = a;
  b.rgba[(0 * 4 + 1) * 4 + 3] = 11;
  b.rgba[(2 * 4 + 2) * 4 + 0] = 0;
  const auto d = plughost::PictureDifference::Between(a, b);
  EXPECT_TRUE(d.sameSize);
  EXPECT_EQ(d.pixels, 2);
  EXPECT_EQ(d.left, 1);
  EXPECT_EQ(d.top, 0);
  EXPECT_EQ(d.right, 3);
  EXPECT_EQ(d.bottom, 3);
  EXPECT_EQ(d.CentreX(), 2.f);
  EXPECT_EQ(d.CentreY(), 1.5f);
  EXPECT_EQ(plughost::PictureDifference::Between(a, a).pixels, 0);

  plughost::EditorDriver::Picture wider = a;
  wider.width = 3;
  wider.height = 4;
  EXPECT_FALSE(plughost::PictureDifference::Between(a, wider).sameSize);

  // Mean of channel 3: (12 x 10 - 10 + 11) / 12.
  EXPECT_DOUBLE_EQ(plughost::PictureMean::Of(b).channel[3], (120.0 + 1.0) / 12.0);
  EXPECT_DOUBLE_EQ(plughost::PictureMean::Of(plughost::EditorDriver::Picture{}).channel[0], 0.0);
}

TEST(GlObjectCounts, CountsObjectsPerContextAndWhatItsDestructionLeaves)
{
  using plughost::GlObjectCounts;
  const GlObjectCounts::Snapshot before = GlObjectCounts::Now();
  int first = 0;
  int second = 0;
  const std::uint32_t textures[] = {1, 2, 3};
  const std::uint32_t zeroAndStray[] = {0, 9};
  GlObjectCounts::ContextMade(&first);
  GlObjectCounts::ContextMade(&second);
  GlObjectCounts::ObjectsMade(&first, GlObjectCounts::Kind::Texture, 3, textures);
  // The same names in another context and of another kind are other objects.
  GlObjectCounts::ObjectsMade(&second, GlObjectCounts::Kind::Texture, 1, textures);
  GlObjectCounts::ObjectsMade(&first, GlObjectCounts::Kind::Buffer, 1, textures);
  // Deleting 0 or a name never made counts nothing, as in GL; so does deleting twice.
  GlObjectCounts::ObjectsDeleted(&first, GlObjectCounts::Kind::Texture, 2, zeroAndStray);
  GlObjectCounts::ObjectsDeleted(&first, GlObjectCounts::Kind::Texture, 2, textures);
  GlObjectCounts::ObjectsDeleted(&first, GlObjectCounts::Kind::Texture, 1, textures);
  const GlObjectCounts::Snapshot open = GlObjectCounts::Now();
  EXPECT_EQ(open.objectsMade - before.objectsMade, 5);
  EXPECT_EQ(open.objectsDeleted - before.objectsDeleted, 2);
  EXPECT_EQ(open.liveObjects - before.liveObjects, 3);
  EXPECT_EQ(open.liveContexts - before.liveContexts, 2);
  // Texture 3 and buffer 1 are still alive when the first context goes.
  GlObjectCounts::ContextDestroyed(&first);
  GlObjectCounts::ObjectsDeleted(&second, GlObjectCounts::Kind::Texture, 1, textures);
  GlObjectCounts::ContextDestroyed(&second);
  GlObjectCounts::ContextDestroyed(&second); // unknown by now: nothing
  const GlObjectCounts::Snapshot after = GlObjectCounts::Now();
  EXPECT_EQ(after.contextsMade - before.contextsMade, 2);
  EXPECT_EQ(after.contextsDestroyed - before.contextsDestroyed, 2);
  EXPECT_EQ(after.objectsLeftBehind - before.objectsLeftBehind, 2);
  EXPECT_EQ(after.liveObjects, before.liveObjects);
  EXPECT_EQ(after.liveContexts, before.liveContexts);
#ifndef _WIN32
  EXPECT_TRUE(after.watched); // the hooks are linked into this executable
#endif
}

#ifndef _WIN32
TEST(HostEventLoop, CountsTheCallingThreadsTimersOnly)
{
  const int before = aaxhost::HostEventLoop::TimerCount();
  const std::uintptr_t mine = iplug::RunLoop::SetThreadTimer(1000, [](std::uintptr_t) {});
  int elsewhere = -1;
  std::uintptr_t other = 0;
  std::thread(
      [&]
      {
        other = iplug::RunLoop::SetThreadTimer(1000, [](std::uintptr_t) {});
        elsewhere = aaxhost::HostEventLoop::TimerCount();
      })
      .join();
  EXPECT_EQ(aaxhost::HostEventLoop::TimerCount(), before + 1);
  EXPECT_EQ(elsewhere, 1);
  iplug::RunLoop::KillThreadTimer(mine);
  iplug::RunLoop::KillThreadTimer(other);
  EXPECT_EQ(aaxhost::HostEventLoop::TimerCount(), before);
}
#endif
