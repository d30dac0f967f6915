#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace plughost
{

// The outcome of every check of a validation run: PASS, FAIL or SKIP (the
// check could not run here; never counted as passed), the reason, and the
// numbers the check saw. Printed as each check ends and written as
// JSON at the end. [main-thread]
class CheckReport
{
public:
  struct Check
  {
    int group = 0;
    std::string name;
    bool passed = false;
    bool skipped = false; // then passed is false too
    std::string reason;
    std::vector<std::pair<std::string, double>> numbers;
  };

  explicit CheckReport(std::ostream& out) : mOut(out) {}
  CheckReport(const CheckReport&) = delete;
  CheckReport& operator=(const CheckReport&) = delete;

  // Records and prints one check.
  void Add(Check check);
  void Note(const std::string& line);

  const std::vector<Check>& Checks() const noexcept { return mChecks; }
  std::size_t Passed() const;
  std::size_t Skipped() const;
  std::size_t Failed() const { return mChecks.size() - Passed() - Skipped(); }
  // The first check of that name, or null.
  const Check* Find(const std::string& name) const;

  // Work the run did, for the summary and the JSON totals.
  struct Totals
  {
    std::int64_t framesProcessed = 0;
    std::int64_t parameterChanges = 0;
    std::int64_t chunksFuzzed = 0;
    std::int64_t renderCalls = 0;
  };
  Totals& Work() noexcept { return mTotals; }
  const Totals& Work() const noexcept { return mTotals; }

  // The whole run as a JSON document.
  void WriteJson(std::ostream& out, const std::string& modulePath, int strictness,
                 std::uint64_t seed, double seconds) const;

private:
  std::ostream& mOut;
  std::vector<Check> mChecks;
  Totals mTotals;
};

} // namespace plughost
