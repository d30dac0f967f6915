#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plughost
{

// A product's own expectations, which the module cannot report about itself:
// the parameter whose settings change the signal path (the grid renders each
// one), the latency each setting must report, the parameter value at which
// the output is the dry input delayed, and the one at which the effect passes
// its input bit-exactly. Without a profile the checks use only what the
// module reports and skip the expectations. [main-thread]
//
// The file, one entry a line, '#' starts a comment, names without spaces:
//   setting-parameter NAME
//   latency N [N ...]            (one per setting of the setting parameter)
//   dry-parameter NAME VALUE     (normalised value)
//   bypass-parameter NAME VALUE
//   editor-resizer               (the editor scales by a handle in its bottom-right corner)
struct ValidationProfile
{
  std::string settingParameter;
  std::vector<std::int32_t> latencies;
  std::string dryParameter;
  double dryValue = 0.0;
  std::string bypassParameter;
  double bypassValue = 0.0;
  bool editorResizer = false;
  bool given = false;

  // False with the line and reason for anything it does not understand.
  static bool Parse(const std::string& text, ValidationProfile& profile, std::string& error);
  static bool Load(const std::string& path, ValidationProfile& profile, std::string& error);
};

} // namespace plughost
