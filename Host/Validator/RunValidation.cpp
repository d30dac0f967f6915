#include "Host/Validator/RunValidation.h"

#include "Host/Validator/CheckReport.h"
#include "Host/Validator/ValidationContext.h"

#include <chrono>
#include <fstream>

namespace plughost
{

int RunValidation(const ValidationOptions& options, std::ostream& out,
                  std::vector<CheckReport::Check>* checks)
{
  const auto start = std::chrono::steady_clock::now();
  CheckReport report(out);
  out << "validating " << options.modulePath << " at strictness " << options.strictness << ", seed "
      << options.seed << "\n";

  ValidationProfile profile;
  std::string error;
  if (!options.profilePath.empty() && !ValidationProfile::Load(options.profilePath, profile, error))
  {
    out << "cannot use the profile: " << error << "\n";
    if (checks) *checks = report.Checks();
    return kValidationBadArguments;
  }

  if (options.RunsGroup(1)) RunLoadChecks(options, report);

  auto session = ValidationSession::Open(options.modulePath, error);
  if (!session)
  {
    out << "cannot open the module: " << error << "\n";
    if (checks) *checks = report.Checks();
    return kValidationBadArguments;
  }
  {
    std::string list;
    for (const auto& parameter : session->Parameters())
      list += (list.empty() ? "" : ", ") + parameter.name + " (\"" + parameter.id + "\", " +
              std::to_string(parameter.steps) + " steps" + (parameter.list ? ", a list" : "") + ")";
    report.Note("parameters: " + list);
    ValidationContext context{options, profile, report, *session, ValidationRandom(options.seed)};
    if (profile.given)
    {
      // Every parameter the profile names must be the module's.
      std::string missing;
      for (const std::string* name :
           {&profile.settingParameter, &profile.dryParameter, &profile.bypassParameter})
        if (!name->empty() && session->IdOf(*name).empty())
          missing += (missing.empty() ? "" : ", ") + *name;
      context.Check(0, "the profile names the module's parameters", missing.empty(),
                    missing.empty() ? options.profilePath : "the module has no " + missing);
    }
    using Group = void (*)(ValidationContext&);
    const std::vector<Group> groups[] = {{},
                                         {},
                                         {&RunProcessingChecks, &RunBufferChecks},
                                         {&RunAutomationChecks},
                                         {&RunParameterChecks},
                                         {&RunStateChecks},
                                         {&RunLatencyChecks},
                                         {&RunThreadChecks, &RunHostThreadChecks},
                                         {&RunRealtimeChecks},
                                         {&RunDeterminismChecks},
                                         {&RunEditorChecks}};
    for (int group = 2; group <= 10; ++group)
      if (options.RunsGroup(group))
      {
        // Each group draws from the seed afresh: a group run alone with
        // --only repeats exactly what it did in the full run.
        context.random = ValidationRandom(options.seed);
        for (const Group run : groups[group])
          run(context);
      }
  }
  // Every instance is released: the module must let itself be unloaded
  // (closing refuses while it reports live objects).
  const bool closed = session->Close(error);
  CheckReport::Check unload;
  unload.group = 0;
  unload.name = "the module unloads after the checks";
  unload.passed = closed;
  unload.reason = closed ? "no live objects remained; shut down and unloaded" : error;
  report.Add(std::move(unload));

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const CheckReport::Totals& work = report.Work();
  out << report.Passed() << " of " << report.Checks().size() << " checks passed ("
      << report.Skipped() << " skipped) in " << seconds << " s; " << work.framesProcessed
      << " frames in " << work.renderCalls << " render calls, " << work.parameterChanges
      << " parameter changes, " << work.chunksFuzzed << " chunks fuzzed\n";
  if (checks) *checks = report.Checks();
  if (!options.jsonPath.empty())
  {
    std::ofstream json(options.jsonPath);
    report.WriteJson(json, options.modulePath, options.strictness, options.seed, seconds);
    if (!json)
    {
      out << "cannot write " << options.jsonPath << "\n";
      return kValidationFailed;
    }
  }
  return report.Failed() == 0 ? kValidationPassed : kValidationFailed;
}

int RunValidationCommand(const std::vector<std::string>& arguments, std::ostream& out,
                         std::ostream& err)
{
  ValidationOptions options;
  std::string error;
  if (!ParseValidationArguments(arguments, options, error))
  {
    err << "plughost: validate: " << error << " (see plughost validate --help)\n";
    return kValidationBadArguments;
  }
  return RunValidation(options, out);
}

} // namespace plughost
