#include "IPlug/HostType.h"

#include <cstddef>

namespace iplug
{

namespace
{
struct HostPattern
{
  const char* text; // lower case
  int code;
};

// The order decides, not the code: "wavelab elements" must precede
// "wavelab", and the generic "standalone" and "www" come last.
constexpr HostPattern kHostPatterns[] = {
    {"reaper", 1},         {"protools", 2},
    {"cubase", 3},         {"nuendo", 4},
    {"cakewalk", 5},       {"vegas", 6},
    {"fruity", 7},         {"samplitude", 8},
    {"live", 9},           {"tracktion", 10},
    {"ntracks", 11},       {"melodyne", 12},
    {"vstmanlib", 13},     {"aulab", 14},
    {"forte", 15},         {"chainer", 16},
    {"audition", 17},      {"orion", 18},
    {"bias", 19},          {"sawstudio", 20},
    {"logic", 21},         {"garageband", 22},
    {"digital", 23},       {"audiomulch", 25},
    {"presonus", 26},      {"vst3plugintesthost", 27},
    {"ardour", 28},        {"renoise", 29},
    {"openmpt", 30},       {"wavelab elements", 32},
    {"wavelab", 31},       {"twistedwave", 33},
    {"bitwig studio", 34}, {"reason", 36},
    {"gwvst", 37},         {"waveform", 38},
    {"audacity", 39},      {"acoustica", 40},
    {"plugindoctor", 41},  {"izotope rx", 42},
    {"savihost", 43},      {"blue cat's vst host", 44},
    {"mixbus", 45},        {"standalone", 24},
    {"www", 35},
};

char Lower(char c)
{
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case-insensitive search of a lower-case pattern; no copy, so no length limit.
bool ContainsLower(const char* haystack, const char* pattern)
{
  for (const char* start = haystack; *start != '\0'; ++start)
  {
    std::size_t i = 0;
    while (pattern[i] != '\0' && Lower(start[i]) == pattern[i])
      ++i;
    if (pattern[i] == '\0') return true;
  }
  return false;
}
} // namespace

int HostTypeFromName(const char* name) noexcept
{
  if (name == nullptr) return kHostUnknown;
  for (const HostPattern& p : kHostPatterns)
    if (ContainsLower(name, p.text)) return p.code;
  return kHostUnknown;
}

} // namespace iplug
