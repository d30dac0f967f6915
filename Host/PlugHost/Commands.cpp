#include "Host/PlugHost/Commands.h"

#include "IPlug/IPlugVersion.h"

#include <cstdio>

namespace plughost
{

const std::vector<Command>& CommandTable()
{
  static const std::vector<Command> table = {
      {"analyze", "measure response, distortion, aliasing, latency and CPU, with plots",
       &AnalyzeCommand},
      {"describe", "show what the module describes: effect, components, procedures",
       &DescribeCommand},
      {"editor", "open the effect's editor, replay input and write a screenshot", &EditorCommand},
      {"params", "list an instance's host parameters and their values", &ParamsCommand},
      {"render", "render an audio file through the effect as a host does", &RenderCommand},
      {"state", "save, load, print and compare the effect's state", &StateCommand},
      {"validate", "check the module as the strictest plug-in validators do", &ValidateCommand},
  };
  return table;
}

int Fail(const std::string& message)
{
  std::fprintf(stderr, "plughost: %s\n", message.c_str());
  return kExitBadInput;
}

bool PrintedHelp(const std::vector<std::string>& args, const char* usage)
{
  for (const std::string& arg : args)
  {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h")
    {
      std::fputs(usage, stdout);
      return true;
    }
  }
  return false;
}

namespace
{
void PrintUsage()
{
  std::printf("usage: plughost COMMAND MODULE [options]\n"
              "       plughost COMMAND --help\n"
              "       plughost --version\n\n"
              "MODULE is a module bundle folder or the binary inside it.\n\ncommands:\n");
  for (const Command& c : CommandTable())
    std::printf("  %-10s %s\n", c.name, c.summary);
  std::printf("\nexit status: 0 done, 1 states differ (state --compare) or a check failed\n"
              "(validate), 2 bad input\n");
}
} // namespace

int RunPlugHost(const std::vector<std::string>& args)
{
  if (args.empty()) return Fail("no command given (see plughost --help)");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help")
  {
    PrintUsage();
    return kExitOk;
  }
  if (args[0] == "--version")
  {
    char version[32];
    iplug::VersionText(PLUGHOST_VERSION, version, sizeof version);
    std::printf("plughost %s\n", version);
    return kExitOk;
  }
  for (const Command& c : CommandTable())
    if (args[0] == c.name) return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
  std::string names;
  for (const Command& c : CommandTable())
    names += (names.empty() ? "" : ", ") + std::string(c.name);
  return Fail("unknown command \"" + args[0] + "\"; commands: " + names);
}

} // namespace plughost
