#include "Host/Validator/ValidationProfile.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace plughost
{
namespace
{
bool ParseInt(const std::string& text, std::int32_t& out)
{
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return !text.empty() && ec == std::errc() && ptr == end;
}

bool ParseNormal(const std::string& text, double& out)
{
  std::istringstream in(text);
  in >> out;
  return in && in.eof() && out >= 0.0 && out <= 1.0;
}
} // namespace

bool ValidationProfile::Parse(const std::string& text, ValidationProfile& profile,
                              std::string& error)
{
  ValidationProfile parsed;
  parsed.given = true;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number)
  {
    if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;)
      w.push_back(word);
    if (w.empty()) continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (w[0] == "setting-parameter" && w.size() == 2)
      parsed.settingParameter = w[1];
    else if (w[0] == "latency" && w.size() >= 2)
    {
      parsed.latencies.clear();
      for (std::size_t i = 1; i < w.size(); ++i)
      {
        std::int32_t samples = 0;
        if (!ParseInt(w[i], samples) || samples < 0)
        {
          error = where + "a latency is a whole number of samples, not '" + w[i] + "'";
          return false;
        }
        parsed.latencies.push_back(samples);
      }
    }
    else if ((w[0] == "dry-parameter" || w[0] == "bypass-parameter") && w.size() == 3)
    {
      double value = 0.0;
      if (!ParseNormal(w[2], value))
      {
        error = where + "the value is a normalised number from 0 to 1, not '" + w[2] + "'";
        return false;
      }
      (w[0] == "dry-parameter" ? parsed.dryParameter : parsed.bypassParameter) = w[1];
      (w[0] == "dry-parameter" ? parsed.dryValue : parsed.bypassValue) = value;
    }
    else if (w[0] == "editor-resizer" && w.size() == 1)
      parsed.editorResizer = true;
    else
    {
      error = where + "'" + w[0] + "' with " + std::to_string(w.size() - 1) +
              " values is not a profile entry";
      return false;
    }
  }
  profile = std::move(parsed);
  return true;
}

bool ValidationProfile::Load(const std::string& path, ValidationProfile& profile,
                             std::string& error)
{
  std::ifstream file(path, std::ios::binary);
  if (!file)
  {
    error = "cannot read the profile " + path;
    return false;
  }
  std::stringstream text;
  text << file.rdbuf();
  if (Parse(text.str(), profile, error)) return true;
  error = path + ": " + error;
  return false;
}

} // namespace plughost
