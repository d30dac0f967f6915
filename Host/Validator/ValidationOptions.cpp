#include "Host/Validator/ValidationOptions.h"

#include <algorithm>
#include <charconv>

namespace plughost
{
namespace
{
bool ParseUnsigned(const std::string& text, std::uint64_t& out)
{
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}
} // namespace

bool ValidationOptions::RunsGroup(int group) const
{
  if (!onlyGroups.empty())
    return std::find(onlyGroups.begin(), onlyGroups.end(), group) != onlyGroups.end();
  return group >= 1 && group <= strictness;
}

const char* ValidationUsage()
{
  return "usage: plughost validate MODULE [--strictness 1..10] [--seed N] [--json FILE]\n"
         "                        [--only G[,G...]] [--write-reference FILE]\n"
         "                        [--compare-reference FILE] [--profile FILE]\n\n"
         "Runs check groups 1..strictness (default 5; 10 runs all ten at full size):\n"
         "1 load and release, 2 processing grid, 3 automation, 4 parameter fuzz,\n"
         "5 state, 6 latency and bypass, 7 threads, 8 real-time safety, 9 determinism,\n"
         "10 editor. Every check prints PASS, FAIL or SKIP (it cannot run here) with its\n"
         "reason and numbers. --json writes them all; --only runs the listed groups;\n"
         "--write-reference and --compare-reference carry group 9's render to another\n"
         "build of the module (agreement within 1e-6); --profile gives the product's own\n"
         "expectations (its signal-path setting, latencies, dry and bypass values).\n\n"
         "exit status: 0 every check passed, 1 a check failed, 2 bad arguments or a module\n"
         "that does not open\n";
}

bool ParseValidationArguments(const std::vector<std::string>& arguments, ValidationOptions& options,
                              std::string& error)
{
  for (std::size_t i = 0; i < arguments.size(); ++i)
  {
    const std::string& argument = arguments[i];
    const bool takesValue = argument == "--strictness" || argument == "--seed" ||
                            argument == "--json" || argument == "--only" ||
                            argument == "--write-reference" || argument == "--compare-reference" ||
                            argument == "--profile";
    if (takesValue && i + 1 >= arguments.size())
    {
      error = argument + " needs a value";
      return false;
    }
    if (argument == "--strictness")
    {
      std::uint64_t value = 0;
      if (!ParseUnsigned(arguments[++i], value) || value < 1 || value > 10)
      {
        error = "--strictness takes a whole number from 1 to 10, not '" + arguments[i] + "'";
        return false;
      }
      options.strictness = static_cast<int>(value);
    }
    else if (argument == "--seed")
    {
      if (!ParseUnsigned(arguments[++i], options.seed))
      {
        error = "--seed takes a whole number, not '" + arguments[i] + "'";
        return false;
      }
    }
    else if (argument == "--json")
      options.jsonPath = arguments[++i];
    else if (argument == "--write-reference")
      options.writeReferencePath = arguments[++i];
    else if (argument == "--compare-reference")
      options.compareReferencePath = arguments[++i];
    else if (argument == "--profile")
      options.profilePath = arguments[++i];
    else if (argument == "--only")
    {
      const std::string& list = arguments[++i];
      std::size_t start = 0;
      while (start <= list.size())
      {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        std::uint64_t group = 0;
        if (!ParseUnsigned(list.substr(start, comma - start), group) || group < 1 || group > 10)
        {
          error = "--only takes check groups 1 to 10 separated by commas, not '" + list + "'";
          return false;
        }
        options.onlyGroups.push_back(static_cast<int>(group));
        start = comma + 1;
      }
    }
    else if (argument.size() > 1 && argument[0] == '-')
    {
      error = "unknown option '" + argument + "'";
      return false;
    }
    else if (options.modulePath.empty())
      options.modulePath = argument;
    else
    {
      error = "more than one module given ('" + argument + "')";
      return false;
    }
  }
  if (options.modulePath.empty())
  {
    error = "no module given";
    return false;
  }
  return true;
}

} // namespace plughost
