#include "IPlug/IPlugProcessor.h"

#include "core/TestProcessor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using iplug::BusInfo;
using iplug::ChannelIOTotals;
using iplug::IOConfig;
using iplug::IPlugProcessor;
using iplug::RouteDirection;
using iplug::test::TestProcessor;

namespace
{
struct Parsed
{
  std::vector<IOConfig> configs;
  ChannelIOTotals totals;
  int count = 0;
};

Parsed Parse(std::string_view text)
{
  Parsed p;
  p.count = IPlugProcessor::ParseChannelIO(text, p.configs, p.totals);
  return p;
}

std::vector<int> Counts(const std::vector<BusInfo>& buses)
{
  std::vector<int> out;
  for (const BusInfo& b : buses)
    out.push_back(b.channelCount);
  return out;
}
} // namespace

TEST(ChannelIOParsing, MonoAndStereoLayoutGiveTwoConfigurations)
{
  const Parsed p = Parse("1-1 2-2");
  ASSERT_EQ(p.count, 2);
  EXPECT_EQ(Counts(p.configs[0].inputBuses), std::vector<int>{1});
  EXPECT_EQ(Counts(p.configs[0].outputBuses), std::vector<int>{1});
  EXPECT_EQ(Counts(p.configs[1].inputBuses), std::vector<int>{2});
  EXPECT_EQ(Counts(p.configs[1].outputBuses), std::vector<int>{2});
  EXPECT_EQ(p.configs[1].outputBuses[0].direction, RouteDirection::Output);
  EXPECT_EQ(p.totals.inputChannels, 2);
  EXPECT_EQ(p.totals.outputChannels, 2);
  EXPECT_EQ(p.totals.inputBuses, 1);
  EXPECT_EQ(p.totals.outputBuses, 1);

  TestProcessor proc("1-1 2-2");
  EXPECT_EQ(proc.ChannelCount(RouteDirection::Input), 2);
  EXPECT_EQ(proc.ChannelCount(RouteDirection::Output), 2);
  EXPECT_TRUE(proc.LegalIO(1, 1));
  EXPECT_TRUE(proc.LegalIO(2, 2));
  EXPECT_FALSE(proc.LegalIO(1, 2));
  EXPECT_TRUE(proc.LegalIO(-1, 2));
  EXPECT_TRUE(proc.LegalIO(1, -1));
  EXPECT_FALSE(proc.LegalIO(3, -1));
}

TEST(ChannelIOParsing, ZeroChannelBusIsDroppedButTheOthersCount)
{
  const Parsed p = Parse("2-2.0");
  ASSERT_EQ(p.count, 1);
  EXPECT_EQ(Counts(p.configs[0].outputBuses), std::vector<int>{2});
  EXPECT_EQ(p.totals.outputChannels, 2);
  EXPECT_EQ(p.totals.outputBuses, 1);

  const Parsed sc = Parse("2.1-2");
  EXPECT_EQ(Counts(sc.configs[0].inputBuses), (std::vector<int>{2, 1}));
  EXPECT_EQ(sc.totals.inputChannels, 3);
  EXPECT_EQ(sc.totals.inputBuses, 2);
}

TEST(ChannelIOParsing, WildcardCountsMinus64AndMakesMaxBusChannelsUnknown)
{
  const Parsed p = Parse("*-2");
  ASSERT_EQ(p.count, 1);
  EXPECT_EQ(Counts(p.configs[0].inputBuses), std::vector<int>{-64});
  EXPECT_EQ(p.configs[0].ChannelCount(RouteDirection::Input), -64);
  EXPECT_EQ(p.totals.inputChannels, 0); // totals never drop below 0
  EXPECT_EQ(p.totals.inputBuses, 1);

  TestProcessor proc("*-2 2-2");
  EXPECT_EQ(proc.MaxBusChannels(RouteDirection::Input, 0), -1);
  EXPECT_EQ(proc.MaxBusChannels(RouteDirection::Output, 0), 2);
  // Only the first configuration decides about wildcards.
  TestProcessor later("2-2 *-2");
  EXPECT_EQ(later.MaxBusChannels(RouteDirection::Input, 0), 2);
}

TEST(ChannelIOParsing, MalformedPiecesNeverFailAndDropTheirBuses)
{
  const struct
  {
    const char* text;
    int configs;
    std::vector<int> in; // buses of the first configuration
    std::vector<int> out;
  } cases[] = {
      {"", 0, {}, {}},
      {"    ", 0, {}, {}},
      {"x-1", 1, {}, {1}},
      {"4", 1, {4}, {}}, // no "-": no outputs
      {"-", 1, {}, {}},
      {"1--2", 1, {1}, {}}, // negative counts are not channels
      {"..-..", 1, {}, {}},
      {"3abc-2xyz", 1, {3}, {2}}, // the leading number counts
      {" +2-2 ", 1, {2}, {2}},
      {"1-1\t\t2-2", 2, {1}, {1}}, // any run of blanks separates
      {"1.*.2-*", 1, {1, -64, 2}, {-64}},
  };
  for (const auto& c : cases)
  {
    const Parsed p = Parse(c.text);
    ASSERT_EQ(p.count, c.configs) << '"' << c.text << '"';
    if (c.configs == 0) continue;
    EXPECT_EQ(Counts(p.configs[0].inputBuses), c.in) << c.text;
    EXPECT_EQ(Counts(p.configs[0].outputBuses), c.out) << c.text;
  }
}

TEST(ChannelIOParsing, HugeCountsAreClampedToTheChannelLimit)
{
  const int limit = IPlugProcessor::kMaxChannels;
  const Parsed p = Parse("99999999999999999999999999-1");
  EXPECT_EQ(Counts(p.configs[0].inputBuses), std::vector<int>{limit});

  // The sum of one direction never exceeds the limit either: the bus that would
  // cross it is cut to the room left, and later buses are dropped.
  const Parsed sum = Parse("1000.1000.7-1");
  EXPECT_EQ(Counts(sum.configs[0].inputBuses), (std::vector<int>{1000, limit - 1000}));
  EXPECT_EQ(sum.totals.inputChannels, limit);

  TestProcessor proc("5000-5000");
  EXPECT_EQ(proc.ChannelCount(RouteDirection::Input), limit);
  EXPECT_EQ(proc.ChannelCount(RouteDirection::Output), limit);
}

TEST(ChannelIOParsing, ReparsingReplacesThePreviousResult)
{
  Parsed p = Parse("1-1 2-2 8-8");
  p.count = IPlugProcessor::ParseChannelIO("2-1", p.configs, p.totals);
  EXPECT_EQ(p.count, 1);
  EXPECT_EQ(p.configs.size(), 1u);
  EXPECT_EQ(p.totals.inputChannels, 2);
  EXPECT_EQ(p.totals.outputChannels, 1);
}

TEST(ChannelIOQueries, MaxBusCountNamesTheLastConfigurationOnATie)
{
  TestProcessor tie("1-1 2-2");
  int index = -5;
  EXPECT_EQ(tie.MaxBusCount(RouteDirection::Input, &index), 1);
  EXPECT_EQ(index, 1);

  TestProcessor sidechain("2.1-2 1-1 1.1-1");
  EXPECT_EQ(sidechain.MaxBusCount(RouteDirection::Input, &index), 2);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(sidechain.MaxBusCount(RouteDirection::Output), 1);
  EXPECT_EQ(sidechain.MaxBusChannels(RouteDirection::Input, 0), 2);
  EXPECT_EQ(sidechain.MaxBusChannels(RouteDirection::Input, 1), 1);
  EXPECT_EQ(sidechain.MaxBusChannels(RouteDirection::Input, 7), 0);

  TestProcessor none("");
  EXPECT_EQ(none.MaxBusCount(RouteDirection::Input, &index), 0);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(none.MaxBusChannels(RouteDirection::Input, 0), 0);
  EXPECT_FALSE(none.LegalIO(-1, -1));
}

TEST(ChannelIOQueries, FindIOConfigMatchesBusListsExactly)
{
  TestProcessor proc("1-1 2-2 2.1-2");
  const int two[] = {2};
  const int one[] = {1};
  const int sidechain[] = {2, 1};
  EXPECT_EQ(proc.FindIOConfig(one, one), 0);
  EXPECT_EQ(proc.FindIOConfig(two, two), 1);
  EXPECT_EQ(proc.FindIOConfig(sidechain, two), 2);
  EXPECT_EQ(proc.FindIOConfig(one, two), -1);
  EXPECT_EQ(proc.FindIOConfig({}, {}), -1);
  EXPECT_EQ(proc.IOConfigCount(), 3);
  EXPECT_EQ(proc.IOConfigAt(3), nullptr);
  EXPECT_EQ(proc.IOConfigAt(-1), nullptr);
}

TEST(ChannelIOQueries, BusNamesDependOnTheBusCount)
{
  TestProcessor proc("1-1");
  const struct
  {
    RouteDirection direction;
    int bus;
    int count;
    const char* name;
  } cases[] = {
      {RouteDirection::Input, 0, 1, "Input"},   {RouteDirection::Output, 0, 1, "Output"},
      {RouteDirection::Input, 0, 2, "Main"},    {RouteDirection::Input, 1, 2, "Aux"},
      {RouteDirection::Input, 0, 3, "Input 0"}, {RouteDirection::Input, 1, 3, "Input 1"},
      {RouteDirection::Input, 2, 3, "Input 2"}, {RouteDirection::Output, 1, 2, "Output 1"},
  };
  for (const auto& c : cases)
  {
    std::string name;
    proc.BusName(c.direction, c.bus, c.count, name);
    EXPECT_EQ(name, c.name);
  }
}

TEST(ChannelIOQueries, ChannelLabelsFormatOnlyIntegerConversions)
{
  TestProcessor proc("2-2");
  const struct
  {
    const char* format;
    bool zeroBased;
    const char* label;
  } cases[] = {
      {"Input %i", false, "Input 2"}, {"Input %d", true, "Input 1"}, {"%03d", false, "002"},
      {"%s %d", false, "%s 2"},       {"%#d", false, "%#d"},         {"100%% %d", false, "100% 2"},
      {"%d %d", false, "2 %d"},       {"plain", false, "plain"},     {"%", false, "%"},
  };
  for (const auto& c : cases)
  {
    proc.SetChannelLabel(RouteDirection::Input, 1, c.format, c.zeroBased);
    EXPECT_EQ(proc.Channel(RouteDirection::Input, 1)->label, c.label) << c.format;
  }
  proc.SetChannelLabel(RouteDirection::Output, 0, std::string(60, 'x').c_str());
  EXPECT_EQ(proc.Channel(RouteDirection::Output, 0)->label, std::string(32, 'x'));
  proc.SetChannelLabel(RouteDirection::Output, 2, "ignored");
  proc.SetChannelLabel(RouteDirection::Output, -1, "ignored");
  EXPECT_EQ(proc.Channel(RouteDirection::Output, 1)->label, "");
}
