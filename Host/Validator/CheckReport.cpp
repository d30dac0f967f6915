#include "Host/Validator/CheckReport.h"

#include "Host/PlugHost/JsonText.h"

#include <cmath>
#include <cstdio>

namespace plughost
{
namespace
{
std::string Number(double value)
{
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char text[40];
  if (value == std::floor(value) && std::abs(value) < 1e15)
    std::snprintf(text, sizeof text, "%.0f", value);
  else
    std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

} // namespace

void CheckReport::Add(Check check)
{
  mOut << (check.passed    ? "PASS "
           : check.skipped ? "SKIP "
                           : "FAIL ")
       << "[" << check.group << "] " << check.name;
  if (!check.reason.empty()) mOut << ": " << check.reason;
  if (!check.numbers.empty())
  {
    mOut << " (";
    for (std::size_t i = 0; i < check.numbers.size(); ++i)
      mOut << (i ? ", " : "") << check.numbers[i].first << " " << Number(check.numbers[i].second);
    mOut << ")";
  }
  mOut << "\n";
  mOut.flush();
  mChecks.push_back(std::move(check));
}

void CheckReport::Note(const std::string& line)
{
  mOut << line << "\n";
}

std::size_t CheckReport::Passed() const
{
  std::size_t passed = 0;
  for (const Check& check : mChecks)
    passed += check.passed ? 1 : 0;
  return passed;
}

std::size_t CheckReport::Skipped() const
{
  std::size_t skipped = 0;
  for (const Check& check : mChecks)
    skipped += check.skipped ? 1 : 0;
  return skipped;
}

const CheckReport::Check* CheckReport::Find(const std::string& name) const
{
  for (const Check& check : mChecks)
    if (check.name == name) return &check;
  return nullptr;
}

void CheckReport::WriteJson(std::ostream& out, const std::string& modulePath, int strictness,
                            std::uint64_t seed, double seconds) const
{
  out << "{\n  \"module\": " << JsonString(modulePath) << ",\n  \"strictness\": " << strictness
      << ",\n  \"seed\": " << seed << ",\n  \"seconds\": " << JsonNumber(seconds)
      << ",\n  \"checks_run\": " << mChecks.size() << ",\n  \"checks_passed\": " << Passed()
      << ",\n  \"checks_skipped\": " << Skipped()
      << ",\n  \"frames_processed\": " << mTotals.framesProcessed
      << ",\n  \"render_calls\": " << mTotals.renderCalls
      << ",\n  \"parameter_changes\": " << mTotals.parameterChanges
      << ",\n  \"chunks_fuzzed\": " << mTotals.chunksFuzzed << ",\n  \"checks\": [";
  for (std::size_t i = 0; i < mChecks.size(); ++i)
  {
    const Check& check = mChecks[i];
    out << (i ? "," : "") << "\n    {\"group\": " << check.group
        << ", \"name\": " << JsonString(check.name) << ", \"result\": "
        << (check.passed    ? "\"PASS\""
            : check.skipped ? "\"SKIP\""
                            : "\"FAIL\"")
        << ", \"reason\": " << JsonString(check.reason) << ", \"numbers\": {";
    for (std::size_t n = 0; n < check.numbers.size(); ++n)
      out << (n ? ", " : "") << JsonString(check.numbers[n].first) << ": "
          << JsonNumber(check.numbers[n].second);
    out << "}}";
  }
  out << "\n  ]\n}\n";
}

} // namespace plughost
