#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/JsonText.h"
#include "Host/PlugHost/ModuleSession.h"

#include <cstdio>

namespace plughost
{

namespace
{
constexpr const char* kUsage =
    "usage: plughost params MODULE [--json] [--channels N] [--param NAME=VALUE]...\n\n"
    "Creates an instance (stereo unless --channels says otherwise) and lists each host\n"
    "parameter: identifier, name, steps, type, automatable, default and current value.\n\n"
    "  --json               print a JSON array instead of a table\n"
    "  --channels N         use the component for N channels (default 2)\n"
    "  --param NAME=VALUE   set a parameter first, as a user types it (repeatable)\n";
} // namespace

int ParamsCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, kUsage)) return kExitOk;
  CommandLine line;
  std::string error;
  if (!line.Parse(args, {{"--json"}, {"--channels", true}, {"--param", true, true}}, 1, 1, &error))
    return Fail("params: " + error);
  long long channels = 2;
  if (line.Has("--channels") && !line.Integer("--channels", 1, 64, &channels, &error))
    return Fail("params: " + error);
  auto session = ModuleSession::Open(line.Positional()[0], &error);
  if (!session) return Fail(error);
  if (!session->CreateInstance(static_cast<int>(channels), 48000.0f, &error)) return Fail(error);
  if (!session->ApplySettings(line.Values("--param"), &error)) return Fail(error);

  const std::vector<ParamInfo> params = session->Parameters();
  if (line.Has("--json"))
  {
    std::string out = "[";
    bool first = true;
    for (const ParamInfo& p : params)
    {
      out += std::string(first ? "" : ",") + "\n  {\"id\": " + JsonString(p.id) +
             ", \"name\": " + JsonString(p.name) + ", \"steps\": " + std::to_string(p.steps) +
             ", \"type\": " + std::to_string(p.type) +
             ", \"automatable\": " + (p.automatable ? "true" : "false") +
             ", \"default\": " + JsonNumber(p.defaultNormal) +
             ", \"defaultText\": " + JsonString(p.defaultText) +
             ", \"value\": " + JsonNumber(p.normal) +
             ", \"valueText\": " + JsonString(p.valueText) + "}";
      first = false;
    }
    out += "\n]\n";
    std::fputs(out.c_str(), stdout);
  }
  else
  {
    std::printf("%-4s %-16s %10s %5s %-11s %-20s %s\n", "id", "name", "steps", "type",
                "automatable", "default", "value");
    for (const ParamInfo& p : params)
      std::printf("%-4s %-16s %10d %5d %-11s %-20s %s\n", p.id.empty() ? "\"\"" : p.id.c_str(),
                  p.name.c_str(), p.steps, p.type, p.automatable ? "yes" : "no",
                  p.defaultText.c_str(), p.valueText.c_str());
  }
  return kExitOk;
}

} // namespace plughost
