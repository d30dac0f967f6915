// The parts of plughost that need no module: argument parsing, JSON text and input scripts.

#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/EventScript.h"
#include "Host/PlugHost/JsonText.h"
#include "Host/PlugHost/ScriptedPointer.h"
#include "Host/PlugHost/WindowMessage.h"

#include <gtest/gtest.h>

#include <cmath>

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

// The messages of every step of a script, in order.
std::vector<WindowMessage> Messages(const std::string& text, double pixelsPerPoint)
{
  EventScript script;
  std::string error;
  EXPECT_TRUE(script.Parse(text, &error)) << error;
  std::vector<WindowMessage> all;
  for (const EventScript::Step& step : script.Steps())
    for (const AAX_HostSurfaceEvent& e : step.events)
      for (const WindowMessage& m : ToWindowMessages(e, pixelsPerPoint))
        all.push_back(m);
  return all;
}

TEST(WindowMessage, ScriptedMouseInputBecomesTheMessagesOfAHandAtWindowPixels)
{
  // Messages: 0x201/0x202 left down/up, 0x200 move, 0x20A wheel, 0x206 right
  // double-click, 0x205 right up. Flags: 1 left, 2 right, 4 shift, 8 control.
  const auto m = Messages("down 10 20 shift ctrl\nmove 10 5.3\nup 10 5\nwheel 3 4 -1.5\n"
                          "dblclick 7 8 right\n",
                          1.5);
  ASSERT_EQ(m.size(), 6u);
  EXPECT_EQ(m[0].message, 0x201u);
  EXPECT_EQ(m[0].keyFlags, 1u + 4u + 8u);
  EXPECT_EQ(m[0].x, 15); // 10 × 1.5
  EXPECT_EQ(m[0].y, 30);
  EXPECT_EQ(m[1].message, 0x200u);
  EXPECT_EQ(m[1].keyFlags, 1u); // still held: a drag
  EXPECT_EQ(m[1].y, 8);         // 7.95 to the nearest pixel
  EXPECT_EQ(m[2].message, 0x202u);
  EXPECT_EQ(m[2].keyFlags, 0u); // the released button is not held any more
  EXPECT_EQ(m[2].y, 8);         // 7.5 rounds away from zero
  EXPECT_EQ(m[3].message, 0x20Au);
  EXPECT_EQ(m[3].wheelDelta, -180); // 1.5 notches of 120 down
  EXPECT_EQ(m[3].x, 5);             // 4.5 rounds away from zero
  EXPECT_EQ(m[3].y, 6);
  EXPECT_EQ(m[4].message, 0x206u);
  EXPECT_EQ(m[4].keyFlags, 2u);
  EXPECT_EQ(m[4].x, 11); // 10.5
  EXPECT_EQ(m[4].y, 12);
  EXPECT_EQ(m[5].message, 0x205u);
  EXPECT_EQ(m[5].keyFlags, 0u);
}

TEST(WindowMessage, KeysBecomeDownAndUpWithTheirCodeAndText)
{
  const auto m = Messages("key q 81\nkey .\n", 2);
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].message, 0x100u);
  EXPECT_EQ(m[1].message, 0x101u);
  EXPECT_EQ(m[0].virtualKey, 81u);
  EXPECT_STREQ(m[1].text, "q");
  EXPECT_EQ(m[2].virtualKey, 0u); // no code: the window system's keyboard layout decides
  EXPECT_STREQ(m[3].text, ".");
}

TEST(WindowMessage, OutOfRangeInputIsClampedOrDropped)
{
  const auto far = Messages("move 900000 -900000\nwheel 1 1 900000\n", 2);
  ASSERT_EQ(far.size(), 2u);
  EXPECT_EQ(far[0].x, 32767); // window coordinates are signed 16-bit words
  EXPECT_EQ(far[0].y, -32767);
  EXPECT_EQ(far[1].wheelDelta, 32767);
  AAX_HostSurfaceEvent e{};
  e.kind = AAX_eHostSurfaceEvent_MouseDown;
  EXPECT_TRUE(ToWindowMessages(e, 0.0).empty());
  EXPECT_TRUE(ToWindowMessages(e, std::nan("")).empty());
  e.kind = 99;
  EXPECT_TRUE(ToWindowMessages(e, 1.0).empty());
}

WindowMessage Mouse(std::uint32_t message, int x, int y)
{
  WindowMessage m;
  m.message = message;
  m.x = x;
  m.y = y;
  return m;
}

using Point = ScriptedPointer::Point;

TEST(ScriptedPointer, ADragContinuesFromWhereTheEditorPutTheCursorBack)
{
  ScriptedPointer hand;
  const Point elsewhere{5, 5};
  EXPECT_EQ(hand.Place(Mouse(0x201, 210, 168), elsewhere), (Point{210, 168}));
  // Nothing moved the cursor yet: the script's own position.
  EXPECT_EQ(hand.Place(Mouse(0x200, 210, 118), elsewhere), (Point{210, 118}));
  // The editor put the cursor back at the press: the next 66 pixels up start there.
  EXPECT_EQ(hand.Place(Mouse(0x200, 210, 52), {210, 168}), (Point{210, 102}));
  EXPECT_EQ(hand.Place(Mouse(0x202, 210, 52), {210, 168}), (Point{210, 168}));
  // Released: the hand goes where the script says again.
  EXPECT_EQ(hand.Place(Mouse(0x200, 300, 20), {210, 168}), (Point{300, 20}));
  WindowMessage key;
  key.message = 0x100;
  EXPECT_EQ(hand.Place(key, {1, 2}), (Point{0, 0}));
}

TEST(ScriptedPointer, WithoutACursorLockEveryStepGoesWhereTheScriptSays)
{
  ScriptedPointer hand;
  const Point still{700, 400};
  EXPECT_EQ(hand.Place(Mouse(0x204, 10, 10), still), (Point{10, 10})); // right button
  EXPECT_EQ(hand.Place(Mouse(0x200, 40, -3), still), (Point{40, -3}));
  EXPECT_EQ(hand.Place(Mouse(0x205, 41, -4), still), (Point{41, -4}));
  EXPECT_EQ(hand.Place(Mouse(0x20A, 90, 80), {1, 1}), (Point{90, 80})); // wheel: no drag
}

} // namespace
} // namespace plughost
