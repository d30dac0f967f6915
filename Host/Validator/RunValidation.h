#pragma once

#include "Host/Validator/CheckReport.h"
#include "Host/Validator/ValidationOptions.h"

#include <ostream>

namespace plughost
{

// Exit status of a validation run.
inline constexpr int kValidationPassed = 0;
inline constexpr int kValidationFailed = 1;
inline constexpr int kValidationBadArguments = 2; // bad arguments, or the module will not open

// Runs the check groups the options select against the module, printing each
// check as it ends and a summary; writes the JSON report when asked, and
// hands the checks to the caller when checks is given. [main-thread]
int RunValidation(const ValidationOptions& options, std::ostream& report,
                  std::vector<CheckReport::Check>* checks = nullptr);

// `validate` as a command: parses the arguments, then runs. [main-thread]
int RunValidationCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err);

} // namespace plughost
