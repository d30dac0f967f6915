#pragma once

#include "Host/Validator/CheckReport.h"
#include "Host/Validator/ValidationOptions.h"
#include "Host/Validator/ValidationRandom.h"
#include "Host/Validator/ValidationSession.h"

#include <string>
#include <utility>
#include <vector>

namespace plughost
{

// What every check group works with: the options, the report, the shared
// module session and the seeded random source. [main-thread]
struct ValidationContext
{
  const ValidationOptions& options;
  CheckReport& report;
  ValidationSession& session;
  ValidationRandom random;

  using Numbers = std::vector<std::pair<std::string, double>>;
  void Check(int group, std::string name, bool passed, std::string reason, Numbers numbers = {})
  {
    CheckReport::Check check;
    check.group = group;
    check.name = std::move(name);
    check.passed = passed;
    check.reason = std::move(reason);
    check.numbers = std::move(numbers);
    report.Add(std::move(check));
  }
};

// The check groups, in strictness order.
void RunLoadChecks(const ValidationOptions& options, CheckReport& report);
void RunProcessingChecks(ValidationContext& context);
void RunAutomationChecks(ValidationContext& context);
void RunParameterChecks(ValidationContext& context);
void RunStateChecks(ValidationContext& context);
void RunLatencyChecks(ValidationContext& context);
void RunThreadChecks(ValidationContext& context);
void RunRealtimeChecks(ValidationContext& context);
void RunDeterminismChecks(ValidationContext& context);

} // namespace plughost
