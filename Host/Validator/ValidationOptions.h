#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plughost
{

// What one validation run does: the module to check, how hard (strictness N
// runs check groups 1..N; 10 runs every group, the editor's too, at full size), the seed of every
// random choice, and where to write the machine-readable report.
struct ValidationOptions
{
  std::string modulePath;
  int strictness = 5;
  std::uint64_t seed = 1;
  std::string jsonPath;        // empty: no JSON report
  std::vector<int> onlyGroups; // empty: groups 1..strictness
  // Group 9 across builds: write the fixed reference render to this file, or
  // compare the render with one written by another build of the module.
  std::string writeReferencePath;
  std::string compareReferencePath;
  // The product's own expectations (ValidationProfile); empty: none.
  std::string profilePath;

  bool RunsGroup(int group) const;
  // The full-size grid and counts of strictness 10.
  bool Full() const { return strictness >= 10; }
};

// Parses `MODULE [--strictness 1..10] [--seed N] [--json FILE] [--only G[,G...]]
// [--write-reference FILE] [--compare-reference FILE] [--profile FILE]`. False with a reason for
// anything it does not understand.
bool ParseValidationArguments(const std::vector<std::string>& arguments, ValidationOptions& options,
                              std::string& error);

// The command's help text.
const char* ValidationUsage();

} // namespace plughost
