#pragma once

#include "Host/Validator/CheckReport.h"
#include "Host/Validator/FirstFailure.h"
#include "Host/Validator/ValidationOptions.h"
#include "Host/Validator/ValidationProfile.h"
#include "Host/Validator/ValidationRandom.h"
#include "Host/Validator/ValidationSession.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace plughost
{

// One setting of the profile's signal-path parameter (or the module's
// defaults when there is none): what the processing grid and the latency
// checks render each cell with.
struct SignalSetting
{
  std::string parameterId; // empty: the defaults
  double value = 0.0;
  std::size_t index = 0;
  std::string name;
};

// What every check group works with: the options, the product's profile, the
// report, the shared module session and the seeded random source, with the
// small helpers every check uses. [main-thread]
struct ValidationContext
{
  const ValidationOptions& options;
  const ValidationProfile& profile;
  CheckReport& report;
  ValidationSession& session;
  ValidationRandom random;

  using Numbers = std::vector<std::pair<std::string, double>>;
  void Check(int group, std::string name, bool passed, std::string reason, Numbers numbers = {});
  // Passes when nothing failed: the reason is the first failure or passText.
  void Check(int group, std::string name, const FirstFailure& failure, std::string passText,
             Numbers numbers = {});
  // A check that cannot run here: SKIP with the reason, never a pass.
  void Skip(int group, std::string name, std::string reason);
  // "no host assertion <during>": none reported since `before`.
  void CheckNoNewAssertion(int group, const std::string& during, std::size_t before);

  // The settings the grid renders: each of the profile's setting parameter,
  // or the defaults alone.
  std::vector<SignalSetting> Settings() const;
  // An instance at the rate with the setting applied; null with the reason
  // noted in setup.
  std::unique_ptr<aaxhost::HostInstance>
  Instance(std::size_t component, float rate, const SignalSetting& setting, FirstFailure& setup);
  // Calls visit for every component × rate × block size × setting.
  struct Cell
  {
    std::size_t component;
    float rate;
    int blockSize;
    const SignalSetting* setting;
  };
  void ForEachCell(const std::vector<float>& rates, const std::vector<int>& blockSizes,
                   const std::function<void(const Cell&)>& visit) const;
  // "2-channel component, 48000 Hz, blocks 137, Oversampling 1: " and the like.
  static std::string Describe(std::size_t channels, float rate, int blockSize,
                              const SignalSetting& setting);

  // The identifier of the profile's parameter of that name, or empty.
  std::string ProfileParameterId(const std::string& name) const
  {
    return name.empty() ? std::string() : session.IdOf(name);
  }
};

// The check groups, in strictness order.
void RunLoadChecks(const ValidationOptions& options, CheckReport& report);
void RunProcessingChecks(ValidationContext& context);
void RunBufferChecks(ValidationContext& context);
void RunAutomationChecks(ValidationContext& context);
void RunParameterChecks(ValidationContext& context);
void RunStateChecks(ValidationContext& context);
void RunLatencyChecks(ValidationContext& context);
void RunThreadChecks(ValidationContext& context);
void RunHostThreadChecks(ValidationContext& context);
void RunRealtimeChecks(ValidationContext& context);
void RunDeterminismChecks(ValidationContext& context);
void RunEditorChecks(ValidationContext& context);

} // namespace plughost
