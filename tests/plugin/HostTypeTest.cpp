#include "IPlug/HostType.h"

#include <gtest/gtest.h>

#include <string>

using iplug::HostTypeFromName;

TEST(HostTypeFromName, NamedHostsAndCaseInsensitivity)
{
  EXPECT_EQ(HostTypeFromName("ProTools"), 2);
  EXPECT_EQ(HostTypeFromName("REAPER x64"), 1);
  EXPECT_EQ(HostTypeFromName("Steinberg Cubase 12"), 3);
  EXPECT_EQ(HostTypeFromName("Ableton Live 11"), 9);
  EXPECT_EQ(HostTypeFromName("Bitwig Studio"), 34);
  EXPECT_EQ(HostTypeFromName("Blue Cat's VST Host"), 44);
  EXPECT_EQ(HostTypeFromName("iZotope RX 10"), 42);
  EXPECT_EQ(HostTypeFromName("Harrison Mixbus"), 45);
  EXPECT_EQ(HostTypeFromName(""), 0);
  EXPECT_EQ(HostTypeFromName(nullptr), 0);
  EXPECT_EQ(HostTypeFromName("Some Unheard-Of Host"), 0);
  EXPECT_EQ(HostTypeFromName("Bitwig"), 0); // the pattern needs " studio"
}

TEST(HostTypeFromName, ListOrderDecidesNotTheCode)
{
  EXPECT_EQ(HostTypeFromName("WaveLab Elements 11"), 32);
  EXPECT_EQ(HostTypeFromName("wAVElAB eLEMENTS"), 32);
  EXPECT_EQ(HostTypeFromName("WaveLab Pro 11"), 31);
  EXPECT_EQ(HostTypeFromName("WaveLab  Elements"), 31); // two blanks: not the longer pattern
  // "live" (9) is tested long before "reason" (36).
  EXPECT_EQ(HostTypeFromName("Reason Live Edition"), 9);
  EXPECT_EQ(HostTypeFromName("Reason 12"), 36);
  // "standalone" and "www" come last although their codes are lower.
  EXPECT_EQ(HostTypeFromName("Standalone"), 24);
  EXPECT_EQ(HostTypeFromName("standalone reaper"), 1);
  EXPECT_EQ(HostTypeFromName("www"), 35);
  EXPECT_EQ(HostTypeFromName("www.audacityteam.org"), 39);
  // "digital" (23) before "presonus" (26); "logic" (21) before "garageband" (22).
  EXPECT_EQ(HostTypeFromName("PreSonus Digital"), 23);
  EXPECT_EQ(HostTypeFromName("GarageBand logic"), 21);
  EXPECT_EQ(HostTypeFromName("Tracktion Waveform"), 10);
  EXPECT_EQ(HostTypeFromName("Waveform 12"), 38);
}

TEST(HostTypeFromName, LongNamesAreSearchedWhole)
{
  std::string name(400, 'x');
  name += "Cubase";
  EXPECT_EQ(HostTypeFromName(name.c_str()), 3);
  // A pattern cut by the end of the name does not match.
  EXPECT_EQ(HostTypeFromName("xxxxreape"), 0);
}
