#pragma once

#include "Host/PlugHost/ExitStatus.h"

#include <string>
#include <vector>

namespace plughost
{

using CommandFunction = int (*)(const std::vector<std::string>& args);

struct Command
{
  const char* name;
  const char* summary;
  CommandFunction run;
};

// Every command of the tool, in the order --help lists them.
const std::vector<Command>& CommandTable();

// The whole program: argv without the program name, UTF-8. Returns the exit status.
int RunPlugHost(const std::vector<std::string>& args);

// Prints "plughost: <message>" as one line on stderr and returns kExitBadInput.
int Fail(const std::string& message);

// True (after printing usage on stdout) when the arguments ask for help.
bool PrintedHelp(const std::vector<std::string>& args, const char* usage);

// The commands, one per source file.
int AnalyzeCommand(const std::vector<std::string>& args);
int DescribeCommand(const std::vector<std::string>& args);
int EditorCommand(const std::vector<std::string>& args);
int ParamsCommand(const std::vector<std::string>& args);
int RenderCommand(const std::vector<std::string>& args);
int StateCommand(const std::vector<std::string>& args);
int ValidateCommand(const std::vector<std::string>& args);

} // namespace plughost
