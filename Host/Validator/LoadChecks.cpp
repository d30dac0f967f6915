// Group 1: the module's whole life, repeated: load, describe, instantiate
// every component, render once, release, unload.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/PlugHost/ModuleSession.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <chrono>

namespace plughost
{

void RunLoadChecks(const ValidationOptions& options, CheckReport& report)
{
  constexpr int kGroup = 1;
  const int cycles = options.Full() ? 25 : 4;
  std::vector<double> openMs;
  std::string failure;
  std::int64_t releases = 0;
  std::int64_t liveAfterRelease = 0; // largest ACFCanUnloadNow answer after a release
  std::size_t assertions = 0;
  std::string lastAssertion;

  std::string error;
  const std::string binary = ModuleSession::ResolveBinary(options.modulePath, &error);
  if (binary.empty()) failure = error;
  for (int cycle = 0; cycle < cycles && failure.empty(); ++cycle)
  {
    const auto start = std::chrono::steady_clock::now();
    auto module = aaxhost::PluginModule::Open(binary, &error);
    openMs.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (!module)
    {
      failure = "cycle " + std::to_string(cycle) + ": cannot load: " + error;
      break;
    }
    if (module->StartupResult() != 0 || module->RegistrationResult() != AAX_SUCCESS ||
        module->Description() == nullptr || module->Description()->Effects().empty())
    {
      failure = "cycle " + std::to_string(cycle) + ": start-up answered " +
                std::to_string(module->StartupResult()) + ", description " +
                std::to_string(module->RegistrationResult());
      break;
    }
    const std::size_t components =
        module->Description()->Effects()[0].descriptor->Components().size();
    for (std::size_t component = 0; component < components && failure.empty(); ++component)
    {
      auto instance = aaxhost::HostInstance::Create(*module, 0, component, &error);
      if (!instance)
      {
        failure = "cycle " + std::to_string(cycle) + " component " + std::to_string(component) +
                  ": " + error;
        break;
      }
      AudioBlock block(8, 64);
      if (instance->Render(block.Inputs(), block.Outputs(), 64) != AAX_SUCCESS)
        failure = "the first render call failed";
      report.Work().framesProcessed += 64;
      ++report.Work().renderCalls;
      instance.reset();
      ++releases;
      liveAfterRelease = std::max<std::int64_t>(liveAfterRelease, module->CanUnloadNow());
    }
    const auto recorded = module->Host().Services().Assertions();
    assertions += recorded.size();
    if (!recorded.empty())
      lastAssertion = recorded.back().path + ":" + std::to_string(recorded.back().line) + " " +
                      recorded.back().expression;
    if (!module->Close(&error) && failure.empty())
      failure = "cycle " + std::to_string(cycle) + ": cannot unload: " + error;
  }

  std::vector<double> warm(openMs.begin() + (openMs.empty() ? 0 : 1), openMs.end());
  std::sort(warm.begin(), warm.end());
  CheckReport::Check check;
  check.group = kGroup;
  check.name = "load, describe, instantiate and release";
  check.passed = failure.empty();
  check.reason =
      failure.empty() ? std::to_string(openMs.size()) + " cycles, every component" : failure;
  check.numbers = {{"cycles", static_cast<double>(openMs.size())},
                   {"cold open ms", openMs.empty() ? 0.0 : openMs.front()},
                   {"warm open median ms", warm.empty() ? 0.0 : warm[warm.size() / 2]},
                   {"warm open max ms", warm.empty() ? 0.0 : warm.back()}};
  report.Add(std::move(check));

  check = {};
  check.group = kGroup;
  check.name = "ACFCanUnloadNow is 0 after every release";
  check.passed = releases > 0 && liveAfterRelease == 0;
  check.reason = check.passed ? "no live objects after any release"
                              : (releases == 0 ? "no instance was released"
                                               : "live objects remained after a release");
  check.numbers = {{"releases", static_cast<double>(releases)},
                   {"largest answer", static_cast<double>(liveAfterRelease)}};
  report.Add(std::move(check));

  check = {};
  check.group = kGroup;
  check.name = "no host assertion during load and release";
  check.passed = assertions == 0;
  check.reason = assertions == 0 ? "none reported" : "last: " + lastAssertion;
  check.numbers = {{"assertions", static_cast<double>(assertions)}};
  report.Add(std::move(check));
}

} // namespace plughost
