#include "Host/PlugHost/CommandLine.h"

#include <cerrno>
#include <cstdlib>

namespace plughost
{

bool ParseWholeNumber(const std::string& text, long long* out)
{
  if (text.empty() || text.size() > 19) return false;
  std::size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  if (i == text.size()) return false;
  for (std::size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return false;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (errno != 0) return false;
  *out = value;
  return true;
}

bool CommandLine::Parse(const std::vector<std::string>& args, const std::vector<Option>& options,
                        std::size_t minPositional, std::size_t maxPositional, std::string* error)
{
  mValues.clear();
  mPositional.clear();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i)
  {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-")
    {
      mPositional.push_back(arg);
      continue;
    }
    if (arg == "--")
    {
      optionsEnded = true;
      continue;
    }
    // "--name=value" is accepted as well as "--name value".
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (const std::size_t eq = arg.find('='); eq != std::string::npos && arg.rfind("--", 0) == 0)
    {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    const Option* option = nullptr;
    for (const Option& o : options)
      if (o.name == name) option = &o;
    if (option == nullptr)
    {
      *error = "unknown option " + name;
      return false;
    }
    std::string value;
    if (option->takesValue)
    {
      if (inlineValue)
        value = *inlineValue;
      else if (i + 1 < args.size())
        value = args[++i];
      else
      {
        *error = "option " + name + " needs a value";
        return false;
      }
    }
    else if (inlineValue)
    {
      *error = "option " + name + " takes no value";
      return false;
    }
    auto& slot = mValues[name];
    if (!slot.empty() && !option->repeatable)
    {
      *error = "option " + name + " is given more than once";
      return false;
    }
    slot.push_back(value);
  }
  if (mPositional.size() < minPositional)
  {
    *error = "missing arguments (see --help)";
    return false;
  }
  if (mPositional.size() > maxPositional)
  {
    *error = "unexpected argument \"" + mPositional[maxPositional] + "\"";
    return false;
  }
  return true;
}

std::optional<std::string> CommandLine::Value(const std::string& name) const
{
  const auto it = mValues.find(name);
  if (it == mValues.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> CommandLine::Values(const std::string& name) const
{
  const auto it = mValues.find(name);
  return it == mValues.end() ? std::vector<std::string>{} : it->second;
}

bool CommandLine::Integer(const std::string& name, long long min, long long max, long long* out,
                          std::string* error) const
{
  const std::optional<std::string> text = Value(name);
  if (!text)
  {
    *error = "option " + name + " is required";
    return false;
  }
  long long value = 0;
  if (!ParseWholeNumber(*text, &value))
  {
    *error = "option " + name + " needs a whole number, not \"" + *text + "\"";
    return false;
  }
  if (value < min || value > max)
  {
    *error = "option " + name + " must be between " + std::to_string(min) + " and " +
             std::to_string(max) + ", not " + *text;
    return false;
  }
  *out = value;
  return true;
}

} // namespace plughost
