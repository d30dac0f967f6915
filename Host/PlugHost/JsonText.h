#pragma once

#include <string>

namespace plughost
{

// A JSON string literal for UTF-8 text: quotes, backslashes and control
// characters escaped; other bytes pass through unchanged.
std::string JsonString(const std::string& text);

// A JSON number for a finite double, shortest text that reads back exactly;
// "null" for NaN and infinities, which JSON cannot hold.
std::string JsonNumber(double value);

} // namespace plughost
