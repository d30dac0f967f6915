#include "Host/Validator/ValidationContext.h"

namespace plughost
{

void ValidationContext::Check(int group, std::string name, bool passed, std::string reason,
                              Numbers numbers)
{
  CheckReport::Check check;
  check.group = group;
  check.name = std::move(name);
  check.passed = passed;
  check.reason = std::move(reason);
  check.numbers = std::move(numbers);
  report.Add(std::move(check));
}

void ValidationContext::Check(int group, std::string name, const FirstFailure& failure,
                              std::string passText, Numbers numbers)
{
  Check(group, std::move(name), failure.Empty(), failure.Or(std::move(passText)),
        std::move(numbers));
}

void ValidationContext::Skip(int group, std::string name, std::string reason)
{
  CheckReport::Check check;
  check.group = group;
  check.name = std::move(name);
  check.skipped = true;
  check.reason = std::move(reason);
  report.Add(std::move(check));
}

void ValidationContext::CheckNoNewAssertion(int group, const std::string& during,
                                            std::size_t before)
{
  const std::size_t assertions = session.AssertionCount() - before;
  Check(group, "no host assertion " + during, assertions == 0,
        assertions == 0 ? "none reported" : "last: " + session.LastAssertion(),
        {{"assertions", static_cast<double>(assertions)}});
}

std::vector<SignalSetting> ValidationContext::Settings() const
{
  const std::string id = ProfileParameterId(profile.settingParameter);
  if (id.empty()) return {SignalSetting{{}, 0.0, 0, "default settings"}};
  std::int32_t steps = 2;
  for (const auto& parameter : session.Parameters())
    if (parameter.id == id && parameter.steps >= 2 &&
        parameter.steps <= static_cast<std::int32_t>(ValidationSession::kMaxListTexts))
      steps = parameter.steps;
  std::vector<SignalSetting> settings;
  for (std::int32_t k = 0; k < steps; ++k)
    settings.push_back({id, static_cast<double>(k) / (steps - 1), static_cast<std::size_t>(k),
                        profile.settingParameter + " " + std::to_string(k)});
  return settings;
}

std::unique_ptr<aaxhost::HostInstance> ValidationContext::Instance(std::size_t component,
                                                                   float rate,
                                                                   const SignalSetting& setting,
                                                                   FirstFailure& setup)
{
  std::string error;
  auto instance = session.MakeInstance(component, rate, error);
  if (!instance)
  {
    setup.Note(error);
    return nullptr;
  }
  if (!setting.parameterId.empty())
    instance->Effect().ApplyHostParamValue(setting.parameterId.c_str(), setting.value, 1);
  return instance;
}

void ValidationContext::ForEachCell(const std::vector<float>& rates,
                                    const std::vector<int>& blockSizes,
                                    const std::function<void(const Cell&)>& visit) const
{
  const std::vector<SignalSetting> settings = Settings();
  for (std::size_t component = 0; component < session.ComponentCount(); ++component)
    for (const float rate : rates)
      for (const int blockSize : blockSizes)
        for (const SignalSetting& setting : settings)
          visit(Cell{component, rate, blockSize, &setting});
}

std::string ValidationContext::Describe(std::size_t channels, float rate, int blockSize,
                                        const SignalSetting& setting)
{
  std::string text = std::to_string(channels) + "-channel component, " +
                     std::to_string(static_cast<int>(rate)) + " Hz, ";
  if (blockSize >= 0) text += "blocks " + std::to_string(blockSize) + ", ";
  if (blockSize == -1) text += "blocks random 0..4096, ";
  return text + setting.name;
}

} // namespace plughost
