#pragma once

#include "Host/PlugHost/ExitStatus.h"
#include "Host/Validator/CheckReport.h"
#include "Host/Validator/ValidationOptions.h"

#include <ostream>

namespace plughost
{

// Exit status of a validation run, as every plughost command answers.
inline constexpr int kValidationPassed = kExitOk;
inline constexpr int kValidationFailed = kExitDifferent;
inline constexpr int kValidationBadArguments = kExitBadInput; // or a module that will not open

// Runs the check groups the options select against the module, printing each
// check as it ends and a summary; writes the JSON report when asked, and
// hands the checks to the caller when checks is given. [main-thread]
int RunValidation(const ValidationOptions& options, std::ostream& report,
                  std::vector<CheckReport::Check>* checks = nullptr);

// `validate` as a command: parses the arguments (a usage error goes to err as
// one line), then runs, reporting to out. [main-thread]
int RunValidationCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err);

} // namespace plughost
