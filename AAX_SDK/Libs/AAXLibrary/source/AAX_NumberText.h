#pragma once

#include <cstdint>
#include <string>

// Number texts shared by the number displays.
namespace aax_number_text
{
// Fixed-point text with the given number of decimals ("nan" and "inf" for
// non-finite values).
std::string Format(double value, std::int32_t decimals);

// Reads the longest decimal number at the start of text after leading blanks:
// sign, digits, point, digits, exponent. No hexadecimal, infinity or NaN
// forms. false (and value 0) when there is no digit.
bool ParseDecimalPrefix(const char* text, double* value);

// Cuts text to maxChars (negative counts as 0); a cut text of exactly
// maxChars > 0 characters that ends in a point loses the point.
void LimitLength(std::string& text, std::int32_t maxChars);

// The nearest int32 towards zero, saturated at the int32 range; NaN gives 0.
std::int32_t TruncateToInt32(double value);
} // namespace aax_number_text
