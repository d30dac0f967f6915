#pragma once

namespace iplug
{

// Host codes; the full list is the table in HostType.cpp.
enum HostCode
{
  kHostUninit = -1, // not identified yet
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostProTools = 2,
};

// The host code for a host's name: the first of a fixed list of substrings
// found anywhere in the name, ignoring letter case, decides; 0 when none
// does. The whole name is searched, however long. [any-thread]
int HostTypeFromName(const char* name) noexcept;

} // namespace iplug
