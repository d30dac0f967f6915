// The parts of plughost that need no module: argument parsing and JSON text.

#include "Host/PlugHost/CommandLine.h"
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

} // namespace
} // namespace plughost
