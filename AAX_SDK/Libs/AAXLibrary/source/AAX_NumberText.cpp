#include "AAX_SDK/Libs/AAXLibrary/source/AAX_NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace aax_number_text
{

std::string Format(double value, std::int32_t decimals)
{
  const int places = std::clamp(decimals, 0, 17);
  char buffer[512];
  const int written = std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
  if (written < 0) return std::string();
  return std::string(buffer, static_cast<std::size_t>(std::min<int>(written, sizeof buffer - 1)));
}

bool ParseDecimalPrefix(const char* text, double* value)
{
  *value = 0.0;
  if (text == nullptr) return false;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v')
    ++p;
  const char* start = p;
  if (*p == '+' || *p == '-') ++p;
  int digits = 0;
  while (std::isdigit(static_cast<unsigned char>(*p)))
  {
    ++p;
    ++digits;
  }
  if (*p == '.')
  {
    ++p;
    while (std::isdigit(static_cast<unsigned char>(*p)))
    {
      ++p;
      ++digits;
    }
  }
  if (digits == 0) return false;
  if (*p == 'e' || *p == 'E')
  {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (std::isdigit(static_cast<unsigned char>(*q)))
    {
      while (std::isdigit(static_cast<unsigned char>(*q)))
        ++q;
      p = q;
    }
  }
  // strtod reads exactly the validated prefix (the C locale's point is '.').
  const std::string number(start, p);
  *value = std::strtod(number.c_str(), nullptr);
  return true;
}

void LimitLength(std::string& text, std::int32_t maxChars)
{
  const std::size_t limit = static_cast<std::size_t>(std::max(maxChars, 0));
  if (text.size() > limit) text.resize(limit);
  if (limit > 0 && text.size() == limit && text.back() == '.') text.pop_back();
}

std::int32_t TruncateToInt32(double value)
{
  if (std::isnan(value)) return 0;
  const double truncated = std::trunc(value);
  if (truncated <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  if (truncated >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(truncated);
}

} // namespace aax_number_text
