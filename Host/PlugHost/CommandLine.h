#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plughost
{

// The arguments of one command, checked against the options it accepts. The
// parser is strict on purpose: a mistyped option must stop the run before
// anything is rendered or written. [main-thread]
class CommandLine
{
public:
  struct Option
  {
    std::string name; // with the leading dashes, e.g. "--block"
    bool takesValue = false;
    bool repeatable = false;
  };

  // False with a one-line reason for an unknown option, a missing value, a
  // repeated single option or a positional count outside [minPositional,
  // maxPositional].
  bool Parse(const std::vector<std::string>& args, const std::vector<Option>& options,
             std::size_t minPositional, std::size_t maxPositional, std::string* error);

  bool Has(const std::string& name) const { return mValues.count(name) != 0; }
  // The last value given for the option, if any.
  std::optional<std::string> Value(const std::string& name) const;
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Positional() const noexcept { return mPositional; }

  // The option's value as a whole number within [min, max]; false with a
  // reason when it is absent, not a number or out of range.
  bool Integer(const std::string& name, long long min, long long max, long long* out,
               std::string* error) const;

private:
  std::map<std::string, std::vector<std::string>> mValues;
  std::vector<std::string> mPositional;
};

// A whole decimal number spelled without anything around it.
bool ParseWholeNumber(const std::string& text, long long* out);

} // namespace plughost
