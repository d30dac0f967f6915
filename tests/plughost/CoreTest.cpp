// The parts of plughost that need no module: argument parsing, JSON text and input scripts.

#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/EventScript.h"
#include "Host/PlugHost/JsonText.h"

#include <gtest/gtest.h>

namespace plughost
{
namespace
{

TEST(CommandLine, SeparatesOptionsValuesAndPositionalArguments)
{
  CommandLine line;
  std::string error;
  ASSERT_TRUE(line.Parse(
      {"a", "--param", "Drive=3", "b", "--param=Mix=50", "--quiet", "--", "--not-an-option"},
      {{"--param", true, true}, {"--quiet"}}, 1, 3, &error))
      << error;
  EXPECT_EQ(line.Positional(), (std::vector<std::string>{"a", "b", "--not-an-option"}));
  EXPECT_EQ(line.Values("--param"), (std::vector<std::string>{"Drive=3", "Mix=50"}));
  EXPECT_TRUE(line.Has("--quiet"));
  EXPECT_FALSE(line.Has("--json"));
}

TEST(CommandLine, WholeNumbersAreCheckedExactly)
{
  long long value = 0;
  EXPECT_TRUE(ParseWholeNumber("-12", &value));
  EXPECT_EQ(value, -12);
  for (const char* bad : {"", "-", "1.5", "12a", " 3", "0x10", "99999999999999999999"})
    EXPECT_FALSE(ParseWholeNumber(bad, &value)) << bad;
}

TEST(JsonText, EscapesWhatJsonRequires)
{
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString(std::string("\n\t\x01\x1f", 4)), "\"\\n\\t\\u0001\\u001f\"");
  EXPECT_EQ(JsonString("\xc3\xa9"), "\"\xc3\xa9\""); // UTF-8 passes through
  EXPECT_EQ(JsonNumber(0.1), "0.1");
  EXPECT_EQ(JsonNumber(-24.0), "-24");
  EXPECT_EQ(JsonNumber(1.0 / 0.0), "null");
}

TEST(EventScript, StepsBecomeSurfaceEventsWithTheButtonsHeld)
{
  EventScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("# a drag\n\ndown 10 20 shift\nmove 10 5\nup 10 5\nmove 12 5\n"
                           "wheel 3 4 -1.5\ndblclick 7 8 right\nkey q 81\nwait 4\n",
                           &error))
      << error;
  const auto& steps = script.Steps();
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps[0].events[0].kind, AAX_eHostSurfaceEvent_MouseDown);
  EXPECT_EQ(steps[0].events[0].buttons, AAX_HOST_SURFACE_BUTTON_LEFT);
  EXPECT_EQ(steps[0].events[0].modifiers, AAX_HOST_SURFACE_MOD_SHIFT);
  EXPECT_EQ(steps[1].events[0].buttons, AAX_HOST_SURFACE_BUTTON_LEFT); // a drag
  EXPECT_EQ(steps[1].events[0].y, 5.f);
  EXPECT_EQ(steps[3].events[0].buttons, 0); // after the release: a hover
  EXPECT_EQ(steps[4].events[0].wheelDelta, -1.5f);
  EXPECT_EQ(steps[5].events[0].buttons, AAX_HOST_SURFACE_BUTTON_RIGHT);
  ASSERT_EQ(steps[6].events.size(), 2u); // key down and up
  EXPECT_STREQ(steps[6].events[0].text, "q");
  EXPECT_EQ(steps[6].events[1].kind, AAX_eHostSurfaceEvent_KeyUp);
  EXPECT_EQ(steps[6].events[0].keyCode, 81);
  EXPECT_EQ(steps[7].waitFrames, 4);
  EXPECT_TRUE(steps[7].events.empty());
}

TEST(EventScript, RefusesWhatIsNotAStepWithItsLine)
{
  const char* bad[] = {"jump 1 2",     "down 1",    "down x 2",   "down 1 2 sideways",
                       "up 1 2 shift", "wheel 1 2", "move 1e9 2", "move nan 2",
                       "wait 0",       "wait 2 3",  "key",        "key toolongtext",
                       "key a 70000"};
  for (const char* line : bad)
  {
    EventScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(std::string("wait 1\n") + line + "\n", &error)) << line;
    EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << line << ": " << error;
    EXPECT_TRUE(script.Steps().empty()) << line;
  }
}

} // namespace
} // namespace plughost
