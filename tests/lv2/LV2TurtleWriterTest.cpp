// The Turtle writer's text rules; what the written bundle says is checked by
// the real hosts (lv2_host_tests).

#include "IPlug/LV2/LV2TurtleWriter.h"

#include <gtest/gtest.h>

using iplug::LV2TurtleWriter;

TEST(LV2TurtleWriter, SymbolsAreLowerCaseIdentifiersNeverStartingWithADigit)
{
  EXPECT_EQ(LV2TurtleWriter::Symbol("Mix"), "mix");
  EXPECT_EQ(LV2TurtleWriter::Symbol("Output Gain"), "output_gain");
  EXPECT_EQ(LV2TurtleWriter::Symbol("2x Mode"), "_2x_mode");
  EXPECT_EQ(LV2TurtleWriter::Symbol("Pan (L/R)"), "pan__l_r_");
  EXPECT_EQ(LV2TurtleWriter::Symbol(""), "_");
}

TEST(LV2TurtleWriter, LiteralsEscapeAndDecimalsAlwaysReadAsDecimals)
{
  EXPECT_EQ(LV2TurtleWriter::Literal("Oversampling On"), "\"Oversampling On\"");
  EXPECT_EQ(LV2TurtleWriter::Literal("a \"b\" \\ c\nd"), "\"a \\\"b\\\" \\\\ c\\nd\"");
  EXPECT_EQ(LV2TurtleWriter::Decimal(100.0), "100.0");
  EXPECT_EQ(LV2TurtleWriter::Decimal(-15.0), "-15.0");
  EXPECT_EQ(LV2TurtleWriter::Decimal(0.1), "0.1");
  EXPECT_EQ(LV2TurtleWriter::Decimal(0.0), "0.0");
  // Exponent notation is a double in Turtle, not a decimal.
  EXPECT_EQ(LV2TurtleWriter::Decimal(1e-12), "0.000000000");
  EXPECT_EQ(LV2TurtleWriter::Decimal(2e10), "20000000000.000000000");
}
