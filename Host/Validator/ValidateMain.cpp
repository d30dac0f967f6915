// plughost_validate: the validator as a program of its own, for builds and
// scripts that run it without the rest of plughost.

#include "Host/Validator/RunValidation.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return plughost::RunValidationCommand(arguments, std::cout, std::cerr);
}
