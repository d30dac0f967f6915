// `plughost validate`: the validator (Host/Validator) as one of plughost's commands.

#include "Host/PlugHost/Commands.h"
#include "Host/Validator/RunValidation.h"

#include <iostream>

namespace plughost
{

int ValidateCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, ValidationUsage())) return kExitOk;
  return RunValidationCommand(args, std::cout, std::cerr);
}

} // namespace plughost
