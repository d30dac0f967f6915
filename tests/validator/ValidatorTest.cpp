// The validator against modules with known faults: each deliberate fault of
// the test module makes exactly the check meant for it fail, with the reason
// and the count that the fault implies, while the same check passes on the
// same module without the fault and the product module passes everything.

#include "Host/ModuleLibrary.h"
#include "Host/Validator/RunValidation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using plughost::CheckReport;
using plughost::ValidationOptions;

std::string TestModule()
{
  return aaxhost::ExecutableDirectory() + BRASMIRE_TEST_MODULE_RELATIVE_PATH;
}

std::string ProductModule()
{
  return aaxhost::ExecutableDirectory() + BRASMIRE_MODULE_RELATIVE_PATH;
}

// The product's own expectations, copied beside the tests.
ValidationOptions ProductOptions()
{
  ValidationOptions options;
  options.profilePath = aaxhost::ExecutableDirectory() + "Brasmire.profile";
  return options;
}

// Selects the test module's fault for the effects made while it lives.
class FaultScope
{
public:
  explicit FaultScope(const char* fault) { Set(fault); }
  ~FaultScope() { Set(nullptr); }
  FaultScope(const FaultScope&) = delete;
  FaultScope& operator=(const FaultScope&) = delete;

private:
  static void Set(const char* fault)
  {
#if defined(_WIN32)
    _putenv_s("BRASMIRE_TEST_FAULT", fault ? fault : "");
#else
    if (fault)
      setenv("BRASMIRE_TEST_FAULT", fault, 1);
    else
      unsetenv("BRASMIRE_TEST_FAULT");
#endif
  }
};

struct ValidationRun
{
  int status = -1;
  std::vector<CheckReport::Check> checks;
  std::string text;

  const CheckReport::Check& Find(const std::string& name) const
  {
    for (const auto& check : checks)
      if (check.name == name) return check;
    ADD_FAILURE() << "no check named " << name << " in\n" << text;
    static const CheckReport::Check none;
    return none;
  }
  double Number(const std::string& check, const std::string& number) const
  {
    for (const auto& [key, value] : Find(check).numbers)
      if (key == number) return value;
    ADD_FAILURE() << check << " has no number " << number;
    return -1.0;
  }
};

ValidationRun Validate(const std::string& module, std::vector<int> groups,
                       const char* fault = nullptr, ValidationOptions options = {})
{
  FaultScope scope(fault);
  options.modulePath = module;
  options.onlyGroups = std::move(groups);
  std::ostringstream out;
  ValidationRun run;
  run.status = plughost::RunValidation(options, out, &run.checks);
  run.text = out.str();
  return run;
}

// The check passes on the sound test module and fails with the fault.
void ExpectCaught(int group, const char* fault, const std::string& check,
                  const std::string& reasonPart)
{
  SCOPED_TRACE(fault);
  const ValidationRun sound = Validate(TestModule(), {group});
  EXPECT_TRUE(sound.Find(check).passed) << sound.text;
  const ValidationRun faulty = Validate(TestModule(), {group}, fault);
  EXPECT_FALSE(faulty.Find(check).passed) << faulty.text;
  EXPECT_NE(faulty.Find(check).reason.find(reasonPart), std::string::npos)
      << faulty.Find(check).reason;
  EXPECT_EQ(faulty.status, plughost::kValidationFailed);
}

// The sound test module's run of a group, made once per group.
const ValidationRun& SoundRun(int group)
{
  static std::map<int, ValidationRun> runs;
  if (runs.count(group) == 0) runs[group] = Validate(TestModule(), {group});
  return runs[group];
}

// The fault fails the check meant for it and no other check that passes
// without it.
void ExpectOnlyCaught(int group, const char* fault, const std::string& check,
                      const std::string& reasonPart)
{
  SCOPED_TRACE(fault);
  const ValidationRun& sound = SoundRun(group);
  const ValidationRun faulty = Validate(TestModule(), {group}, fault);
  EXPECT_TRUE(sound.Find(check).passed) << sound.text;
  EXPECT_EQ(faulty.Find(check).reason.find(reasonPart) != std::string::npos, true)
      << faulty.Find(check).reason;
  std::vector<std::string> newlyFailed;
  for (const auto& c : faulty.checks)
    if (!c.passed && !c.skipped)
    {
      const bool failedBefore =
          std::any_of(sound.checks.begin(), sound.checks.end(),
                      [&](const CheckReport::Check& s) { return s.name == c.name && !s.passed; });
      if (!failedBefore) newlyFailed.push_back(c.name);
    }
  EXPECT_EQ(newlyFailed, std::vector<std::string>{check}) << faulty.text;
}

TEST(ValidatorArguments, AreCheckedBeforeAnythingRuns)
{
  ValidationOptions options;
  std::string error;
  EXPECT_TRUE(plughost::ParseValidationArguments(
      {"m.so", "--strictness", "10", "--seed", "77", "--json", "r.json", "--only", "2,7"}, options,
      error))
      << error;
  EXPECT_EQ(options.modulePath, "m.so");
  EXPECT_EQ(options.strictness, 10);
  EXPECT_EQ(options.seed, 77u);
  EXPECT_EQ(options.jsonPath, "r.json");
  EXPECT_EQ(options.onlyGroups, (std::vector<int>{2, 7}));
  EXPECT_TRUE(options.RunsGroup(7));
  EXPECT_FALSE(options.RunsGroup(1));

  const std::vector<std::vector<std::string>> bad = {{},
                                                     {"m.so", "--strictness", "0"},
                                                     {"m.so", "--strictness", "11"},
                                                     {"m.so", "--strictness", "5x"},
                                                     {"m.so", "--seed", "-1"},
                                                     {"m.so", "--only", "2,,3"},
                                                     {"m.so", "--only", "11"},
                                                     {"m.so", "--profile"},
                                                     {"m.so", "--json"},
                                                     {"m.so", "--frobnicate"},
                                                     {"a.so", "b.so"}};
  for (const auto& arguments : bad)
  {
    ValidationOptions ignored;
    std::string reason;
    EXPECT_FALSE(plughost::ParseValidationArguments(arguments, ignored, reason))
        << (arguments.size() > 1 ? arguments[1] : "(none)");
    EXPECT_FALSE(reason.empty());
  }
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(plughost::RunValidationCommand({"m.so", "--strictness", "0"}, out, err),
            plughost::kValidationBadArguments);
  EXPECT_NE(err.str().find("--strictness"), std::string::npos);
  EXPECT_EQ(plughost::RunValidationCommand({"/no/such/module.so", "--only", "2"}, out, err),
            plughost::kValidationBadArguments);
}

TEST(ValidatorArguments, StrictnessSelectsTheGroupsUpToIt)
{
  ValidationOptions options;
  options.strictness = 3;
  for (int group = 1; group <= 9; ++group)
    EXPECT_EQ(options.RunsGroup(group), group <= 3) << group;
  options.strictness = 10;
  for (int group = 1; group <= 10; ++group)
    EXPECT_TRUE(options.RunsGroup(group)) << group;
}

TEST(Validator, TheProductModulePassesEveryCheckAtStrictnessFive)
{
  ValidationOptions options = ProductOptions();
  options.strictness = 5;
  const std::string json = aaxhost::ExecutableDirectory() + "validator_test_report.json";
  options.jsonPath = json;
  const ValidationRun run = Validate(ProductModule(), {}, nullptr, options);
  EXPECT_EQ(run.status, plughost::kValidationPassed) << run.text;
  // Groups 1 to 5 and the unload check at the end.
  std::vector<bool> seen(10, false);
  for (const auto& check : run.checks)
  {
    EXPECT_TRUE(check.passed) << check.name << ": " << check.reason;
    seen[static_cast<std::size_t>(check.group)] = true;
  }
  for (int group = 0; group <= 5; ++group)
    EXPECT_TRUE(seen[static_cast<std::size_t>(group)]) << group;
  EXPECT_FALSE(seen[6]);

  // The JSON report lists every check once.
  std::ifstream file(json);
  std::stringstream text;
  text << file.rdbuf();
  std::size_t results = 0;
  for (std::size_t at = text.str().find("\"result\""); at != std::string::npos;
       at = text.str().find("\"result\"", at + 1))
    ++results;
  EXPECT_EQ(results, run.checks.size());
  EXPECT_NE(text.str().find("\"checks_run\": " + std::to_string(run.checks.size())),
            std::string::npos);
  std::remove(json.c_str());
}

TEST(Validator, TheProductModulePassesLatencyThreadsRealTimeAndDeterminism)
{
  const ValidationRun run = Validate(ProductModule(), {6, 7, 8, 9}, nullptr, ProductOptions());
  EXPECT_EQ(run.status, plughost::kValidationPassed) << run.text;
  // Brasmire reports 64 samples with oversampling and 0 without.
  const char* latency = "each setting reports the profile's latency";
  EXPECT_EQ(run.Number(latency, "latency, 2-channel component, Oversampling 1"), 64);
  EXPECT_EQ(run.Number(latency, "latency, 2-channel component, Oversampling 0"), 0);
  EXPECT_EQ(run.Number("instances render on audio threads of their own while editor and "
                       "automation threads change parameters",
                       "instances"),
            3);
  EXPECT_EQ(run.Number("rendering while another thread changes parameters and state", "blocks"),
            10000);
}

const char* const kEditorChecks[] = {"automation reaches the open editor's controls",
                                     "screen scale 1, 1.5 and 2",
                                     "resizing through the corner resizer",
                                     "resizing through the host",
                                     "closing while a drag is in progress sends End",
                                     "no window, GL object or timer left after closing"};

// The product's editor: one GL context of its own, every object made in it deleted again.
void ExpectOneGlContextAndEveryObjectDeleted(const ValidationRun& run)
{
  EXPECT_EQ(run.Number(kEditorChecks[5], "GL contexts made"), 1);
  EXPECT_GT(run.Number(kEditorChecks[5], "GL objects made"), 0);
  EXPECT_EQ(run.Number(kEditorChecks[5], "GL objects deleted"),
            run.Number(kEditorChecks[5], "GL objects made"));
}

#ifdef _WIN32
// A check that needs what it cannot have here is skipped with that reason, never passed.
void ExpectSkippedFor(const CheckReport::Check& check, const std::string& reasonPart)
{
  EXPECT_TRUE(check.skipped) << check.name << ": " << check.reason;
  EXPECT_FALSE(check.passed) << check.name;
  EXPECT_NE(check.reason.find(reasonPart), std::string::npos) << check.reason;
}

TEST(ValidatorEditor, TheProductsEditorIsDrivenInAWindow)
{
  const ValidationRun run = Validate(ProductModule(), {10}, nullptr, ProductOptions());
  EXPECT_EQ(run.status, plughost::kValidationPassed) << run.text;
  EXPECT_EQ(run.Number("the view opens and closes 20 times while another thread renders",
                       "editors shown"),
            20);
  // The automation check sees the editor's picture: on the screen, or where the
  // screen lacks child windows' OpenGL output, in the editor window's drawing.
  const CheckReport::Check& automation = run.Find(kEditorChecks[0]);
  EXPECT_TRUE(automation.passed) << automation.reason;
  EXPECT_EQ(run.Number(kEditorChecks[0], "controls found"), 6);
  ExpectSkippedFor(run.Find(kEditorChecks[1]), "the display's");
  // At 96 dpi the editor opens at 732 x 208 pixels; its corner dragged to 1.5
  // times its place gives 1.5 x 732 by 1.5 x 208.
  EXPECT_TRUE(run.Find(kEditorChecks[2]).passed) << run.Find(kEditorChecks[2]).reason;
  EXPECT_EQ(run.Number(kEditorChecks[2], "width before"), 732);
  EXPECT_EQ(run.Number(kEditorChecks[2], "width after"), 1098);
  EXPECT_EQ(run.Number(kEditorChecks[2], "height after"), 312);
  EXPECT_TRUE(run.Find(kEditorChecks[3]).passed) << run.Find(kEditorChecks[3]).reason;
  EXPECT_TRUE(run.Find(kEditorChecks[4]).passed) << run.Find(kEditorChecks[4]).reason;
  // One WGL context of its own, deleted with the editor, every GL object
  // deleted before it; no thread timer kept.
  EXPECT_TRUE(run.Find(kEditorChecks[5]).passed) << run.Find(kEditorChecks[5]).reason;
  ExpectOneGlContextAndEveryObjectDeleted(run);
  EXPECT_EQ(run.Number(kEditorChecks[5], "timers after"),
            run.Number(kEditorChecks[5], "timers before"));
}

TEST(ValidatorEditor, TheTestModulesWindowEditorPassesWhatItCanBeAsked)
{
  const ValidationRun& run = SoundRun(10);
  // Its GDI picture reaches the screen: Gain and Mode each light a strip.
  EXPECT_TRUE(run.Find(kEditorChecks[0]).passed) << run.Find(kEditorChecks[0]).reason;
  EXPECT_EQ(run.Number(kEditorChecks[0], "controls found"), 2);
  ExpectSkippedFor(run.Find(kEditorChecks[1]), "the display's");
  ExpectSkippedFor(run.Find(kEditorChecks[2]), "editor-resizer");
  EXPECT_TRUE(run.Find(kEditorChecks[3]).skipped);
  EXPECT_TRUE(run.Find(kEditorChecks[4]).passed) << run.Find(kEditorChecks[4]).reason;
  EXPECT_TRUE(run.Find(kEditorChecks[5]).passed) << run.Find(kEditorChecks[5]).reason;
  // It paints with GDI and has one thread timer while open.
  EXPECT_EQ(run.Number(kEditorChecks[5], "GL contexts made"), 0);
  EXPECT_EQ(run.Number(kEditorChecks[5], "timers while open"),
            run.Number(kEditorChecks[5], "timers before") + 1);
}
#else
TEST(ValidatorEditor, TheProductsEditorIsDrivenThroughTheHostSurface)
{
  const ValidationRun run = Validate(ProductModule(), {10}, nullptr, ProductOptions());
  EXPECT_EQ(run.status, plughost::kValidationPassed) << run.text;
  for (const char* name : kEditorChecks)
    EXPECT_TRUE(run.Find(name).passed) << name << ": " << run.Find(name).reason;
  EXPECT_EQ(run.Number("the view opens and closes 20 times while another thread renders",
                       "editors shown"),
            20);
  // Six parameters of its own, each with a control (the host's master bypass has none).
  EXPECT_EQ(run.Number(kEditorChecks[0], "parameters"), 6);
  EXPECT_EQ(run.Number(kEditorChecks[0], "controls found"), 6);
  // The editor is 732 x 208 points: int(732 x 1.5) = 1098 and 732 x 2 = 1464 pixels.
  EXPECT_EQ(run.Number(kEditorChecks[1], "width at 1"), 732);
  EXPECT_EQ(run.Number(kEditorChecks[1], "width at 1.5"), 1098);
  EXPECT_EQ(run.Number(kEditorChecks[1], "width at 2"), 1464);
  // Its handle scales: the corner dragged to 1.5 times its place gives 1.5 x 732 by 1.5 x 208.
  EXPECT_EQ(run.Number(kEditorChecks[2], "width after"), 1098);
  EXPECT_EQ(run.Number(kEditorChecks[2], "height after"), 312);
  // One timer and one GL context of its own, every GL object deleted again.
  const double timersBefore = run.Number(kEditorChecks[5], "timers before");
  EXPECT_EQ(run.Number(kEditorChecks[5], "timers while open"), timersBefore + 1);
  EXPECT_EQ(run.Number(kEditorChecks[5], "timers after"), timersBefore);
  ExpectOneGlContextAndEveryObjectDeleted(run);
}

TEST(ValidatorEditor, TheTestModulesSurfaceEditorPassesWhatItCanBeAsked)
{
  const ValidationRun& run = SoundRun(10);
  // Gain and Mode each light a strip of the 300 x 200 point editor.
  EXPECT_TRUE(run.Find(kEditorChecks[0]).passed) << run.Find(kEditorChecks[0]).reason;
  EXPECT_EQ(run.Number(kEditorChecks[0], "controls found"), 2);
  EXPECT_TRUE(run.Find(kEditorChecks[1]).passed) << run.Find(kEditorChecks[1]).reason;
  EXPECT_EQ(run.Number(kEditorChecks[1], "width at 1.5"), 450);
  EXPECT_EQ(run.Number(kEditorChecks[1], "width at 2"), 600);
  // Without a profile naming a corner resizer both resizes are skipped.
  EXPECT_TRUE(run.Find(kEditorChecks[2]).skipped);
  EXPECT_TRUE(run.Find(kEditorChecks[3]).skipped);
  EXPECT_TRUE(run.Find(kEditorChecks[4]).passed) << run.Find(kEditorChecks[4]).reason;
  EXPECT_TRUE(run.Find(kEditorChecks[5]).passed) << run.Find(kEditorChecks[5]).reason;
  EXPECT_EQ(run.Number(kEditorChecks[5], "GL contexts made"), 0);
}

#endif

TEST(ValidatorFaults, EachEditorFaultFailsOnlyItsOwnCheck)
{
  ExpectOnlyCaught(10, "drag-left-open", kEditorChecks[4], "Gain's gesture was not ended");
  ExpectOnlyCaught(10, "leak-timer", kEditorChecks[5],
                   "timers run on the main thread after closing");
  // The editor's one timer outlives it.
  const ValidationRun faulty = Validate(TestModule(), {10}, "leak-timer");
  EXPECT_EQ(faulty.Number(kEditorChecks[5], "timers after"),
            faulty.Number(kEditorChecks[5], "timers before") + 1);
}

#ifdef _WIN32
TEST(ValidatorFaults, AnEditorWindowLeftInTheHostsWindowFailsTheNothingLeftCheck)
{
  ExpectOnlyCaught(10, "leak-window", kEditorChecks[5], "the editor's window still exists");
}
#endif

TEST(ValidatorFaults, NaNOutputFailsTheFiniteCheck)
{
  ExpectCaught(2, "nan", "every output sample finite", "non-finite samples");
}

TEST(ValidatorFaults, AnOutputThatNeverComesToRestFailsTheSilenceCheck)
{
  // 5e-4 stays under the -60 dBFS limit but never falls.
  ExpectCaught(2, "offset", "silence brings the output to rest", "its last eighth 0.000500");
}

TEST(ValidatorFaults, SubnormalOutputFailsTheSubnormalCheck)
{
  ExpectCaught(2, "subnormal", "no subnormal output", "subnormal samples");
}

TEST(ValidatorFaults, MisreportedLatencyFailsTheImpulseCheck)
{
  // The fault reports 32 samples but delays nothing: the impulse peaks at 0.
  ExpectCaught(6, "latency", "impulse peaks at the reported latency",
               "peak at 0, reported latency 32");
}

TEST(ValidatorFaults, LostStateFailsTheRoundTrip)
{
  ExpectCaught(5, "lose-state", "save, randomise, restore: same values and same bytes",
               "parameter 2 came back as");
}

TEST(ValidatorFaults, OutputThatDependsOnHistoryFailsDeterminism)
{
  ExpectCaught(9, "drift", "the same work twice gives identical bytes", "differ");
  ExpectCaught(7, "drift", "single-threaded work is deterministic", "differ");
}

// The hooks count what the module does inside its render procedure, once per
// call, and nothing the host does around it (the sound module's render calls
// follow parameter changes whose hand-over allocates on the host's side).
TEST(ValidatorFaults, AllocationInsideRenderIsCountedOncePerCall)
{
  ExpectCaught(8, "allocate", "no allocation inside the render callback", "allocations counted");
  const ValidationRun faulty = Validate(TestModule(), {8}, "allocate");
  const double calls = faulty.Number("no allocation inside the render callback", "render calls");
  EXPECT_EQ(calls, 3000 * 2); // strictness 5: 3000 calls on each of the two components
  EXPECT_EQ(faulty.Number("no allocation inside the render callback", "allocations"), calls);
  EXPECT_TRUE(faulty.Find("no lock taken inside the render callback").passed);
}

TEST(ValidatorFaults, LockInsideRenderIsCountedOncePerCall)
{
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the mutex is not interposed under ThreadSanitizer";
#endif
  ExpectCaught(8, "lock", "no lock taken inside the render callback", "lock acquisitions counted");
  const ValidationRun faulty = Validate(TestModule(), {8}, "lock");
  EXPECT_EQ(faulty.Number("no lock taken inside the render callback", "locks"),
            faulty.Number("no lock taken inside the render callback", "render calls"));
  EXPECT_TRUE(faulty.Find("no allocation inside the render callback").passed);
}

// Each of these faults fails exactly the check meant for it.
TEST(ValidatorFaults, EachFailsOnlyItsOwnCheck)
{
  const struct
  {
    int group;
    const char* fault;
    const char* check;
    const char* reasonPart;
  } faults[] = {
      {2, "write-input", "input buffers are never written", "input channel 0 changed"},
      {2, "not-in-place", "rendering in place gives the same output", "rendered in place differs"},
      // Twenty multiply-adds per subnormal sample against one multiply.
      {2, "slow-subnormal", "subnormal input costs at most 1.5 times normal input",
       "times as long as normal input"},
      {5, "restore-differs", "a restored state renders the same audio as its source",
       "differs from its source's"},
      // A NaN Gain makes all 256 samples of the next block NaN.
      {4, "hostile-value",
       "after NaN and infinite values the effect's texts and output stay finite",
       "Gain at nan: 256 non-finite"},
      {10, "leak-view", "closing the view keeps none of the host's objects",
       "still has 1 references"},
      {10, "open-gesture", "closing the view during a drag ends the gesture",
       "Gain is still touched"},
  };
  for (const auto& f : faults)
    ExpectOnlyCaught(f.group, f.fault, f.check, f.reasonPart);
}

TEST(ValidatorFaults, AllocatingInLargeBlocksFailsTheLargeBlockCheck)
{
#if defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the allocation is counted through operator new, as in group 8";
#endif
  ExpectOnlyCaught(2, "allocate-large",
                   "blocks larger than the prepared size: same output, nothing allocated",
                   "allocations in the large blocks");
  // Two large blocks on each of the two components: one allocation each.
  const ValidationRun faulty = Validate(TestModule(), {2}, "allocate-large");
  EXPECT_EQ(faulty.Number("blocks larger than the prepared size: same output, nothing allocated",
                          "allocations"),
            4);
}

TEST(ValidatorFaults, SleepingInsideRenderIsCountedOncePerCall)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer intercepts the system calls itself";
#endif
  ExpectOnlyCaught(8, "sleep", "no file, sleep or thread call inside the render callback",
                   "system calls counted");
  const ValidationRun faulty = Validate(TestModule(), {8}, "sleep");
  EXPECT_EQ(
      faulty.Number("no file, sleep or thread call inside the render callback", "system calls"),
      3000 * 2);
}

TEST(ValidatorFaults, AllocationAndReleaseAreCountedApart)
{
  // The allocate fault frees what it allocated: one of each per call. Group 2
  // runs first and hooks the module too: group 8 still counts.
  const ValidationRun faulty = Validate(TestModule(), {2, 8}, "allocate");
  EXPECT_EQ(faulty.Number("no deallocation inside the render callback", "deallocations"),
            faulty.Number("no deallocation inside the render callback", "render calls"));
}

TEST(Validator, TheTestModuleGrantsAsynchronousRequestsAndIdles)
{
  const ValidationRun run = Validate(TestModule(), {7});
  EXPECT_TRUE(run.Find("requests granted later on the automation thread arrive").passed)
      << run.text;
  EXPECT_GT(run.Number("requests granted later on the automation thread arrive", "requests"), 0);
  EXPECT_TRUE(
      run.Find("HostIdle and the event loop run on the main thread between renders").passed);
  // Two components and a second instance of the first.
  EXPECT_EQ(run.Number("instances render on audio threads of their own while editor and "
                       "automation threads change parameters",
                       "instances"),
            3);
}

TEST(ValidatorReference, AgreementWithinOneMillionthIsRequired)
{
  const std::string reference = aaxhost::ExecutableDirectory() + "validator_reference.f32";
  ValidationOptions options;
  options.writeReferencePath = reference;
  ASSERT_EQ(Validate(ProductModule(), {9}, nullptr, options).status, plughost::kValidationPassed);

  std::vector<float> samples;
  {
    std::ifstream file(reference, std::ios::binary | std::ios::ate);
    samples.resize(static_cast<std::size_t>(file.tellg()) / 4);
    file.seekg(0);
    file.read(reinterpret_cast<char*>(samples.data()),
              static_cast<std::streamsize>(samples.size() * 4));
  }
  ASSERT_GT(samples.size(), 1000u);
  auto compareWith = [&](const std::vector<float>& altered)
  {
    {
      std::ofstream file(reference, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(altered.data()),
                 static_cast<std::streamsize>(altered.size() * 4));
    }
    ValidationOptions compare;
    compare.compareReferencePath = reference;
    const ValidationRun run = Validate(ProductModule(), {9}, nullptr, compare);
    return run.Find("agrees with the reference render of another build");
  };
  EXPECT_TRUE(compareWith(samples).passed);
  // A sample of moderate size moved by 4e-6 (several float steps, well above
  // rounding) is a disagreement; one moved by a single float step is not.
  std::size_t index = 0;
  while (index < samples.size() &&
         !(std::abs(samples[index]) > 0.1f && std::abs(samples[index]) < 0.5f))
    ++index;
  ASSERT_LT(index, samples.size());
  std::vector<float> moved = samples;
  moved[index] += 4e-6f;
  EXPECT_FALSE(compareWith(moved).passed);
  moved = samples;
  moved[index] = std::nextafter(moved[index], 1.0f);
  EXPECT_TRUE(compareWith(moved).passed);
  std::vector<float> shorter(samples.begin(), samples.end() - 1);
  EXPECT_NE(compareWith(shorter).reason.find("samples"), std::string::npos);
  std::remove(reference.c_str());
}

} // namespace
