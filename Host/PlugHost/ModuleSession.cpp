#include "Host/PlugHost/ModuleSession.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostString.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace plughost
{

namespace
{
std::filesystem::path PathOf(const std::string& utf8)
{
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path)
{
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string Lower(std::string text)
{
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

#ifdef _WIN32
constexpr const char* kBinaryFolder = "Contents/x64";
constexpr const char* kBinarySuffix = ".aaxplugin";
#else
constexpr const char* kBinaryFolder = "Contents/Linux-x86_64";
constexpr const char* kBinarySuffix = ".so";
#endif

// The leading decimal number of a text ("24.0 dB" -> 24), if it has one.
bool LeadingNumber(const std::string& text, double* out)
{
  const char* begin = text.c_str();
  while (*begin == ' ')
    ++begin;
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(value)) return false;
  *out = value;
  return true;
}

std::string Trimmed(const std::string& text)
{
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}
} // namespace

std::string ModuleSession::ResolveBinary(const std::string& path, std::string* error)
{
  std::error_code code;
  const std::filesystem::path given = PathOf(path);
  if (!std::filesystem::exists(given, code))
  {
    *error = "module not found: " + path;
    return {};
  }
  if (!std::filesystem::is_directory(given, code)) return path;
  const std::filesystem::path folder = given / kBinaryFolder;
  std::vector<std::filesystem::path> candidates;
  for (const auto& entry : std::filesystem::directory_iterator(folder, code))
    if (entry.is_regular_file(code) && entry.path().extension() == kBinarySuffix)
      candidates.push_back(entry.path());
  if (candidates.empty())
  {
    *error = path + " is not a module bundle: no " + std::string(kBinaryFolder) + "/*" +
             kBinarySuffix + " inside";
    return {};
  }
  std::sort(candidates.begin(), candidates.end());
  return Utf8(candidates.front());
}

std::unique_ptr<ModuleSession> ModuleSession::Open(const std::string& path, std::string* error)
{
  const std::string binary = ResolveBinary(path, error);
  if (binary.empty()) return nullptr;
  std::unique_ptr<ModuleSession> session(new ModuleSession);
  session->mBinary = binary;
  std::string reason;
  session->mModule = aaxhost::PluginModule::Open(binary, &reason);
  if (!session->mModule)
  {
    *error = binary + " is not a module: " + reason;
    return nullptr;
  }
  const ACFRESULT startup = session->mModule->StartupResult();
  const ACFRESULT registration = session->mModule->RegistrationResult();
  if (startup != ACF_OK || registration != ACF_OK || !session->mModule->Description())
  {
    std::string traced;
    for (const auto& trace : session->mModule->Host().Services().Traces())
      traced += (traced.empty() ? "" : "; ") + trace.message;
    for (const auto& a : session->mModule->Host().Services().Assertions())
      traced += (traced.empty() ? "" : "; ") + a.expression;
    *error = "the module's description failed (" +
             std::string(startup != ACF_OK ? "start-up" : "registration") + " answered " +
             std::to_string(startup != ACF_OK ? startup : registration) + ")" +
             (traced.empty() ? std::string(", with nothing traced") : ": " + traced);
    return nullptr;
  }
  if (session->mModule->Description()->Effects().empty())
  {
    *error = binary + " describes no effect";
    return nullptr;
  }
  return session;
}

ModuleSession::~ModuleSession()
{
  std::string ignored;
  Close(&ignored);
}

bool ModuleSession::Close(std::string* error)
{
  mInstance.reset();
  return mModule ? mModule->Close(error) : true;
}

bool ModuleSession::CreateInstance(int channels, float sampleRate, std::string* error)
{
  const auto effects = mModule->Description()->Effects();
  const auto components = effects.front().descriptor->Components();
  std::vector<int> offered;
  for (std::size_t c = 0; c < components.size(); ++c)
    for (const aaxhost::ProcessProcRecord& proc : components[c]->ProcessProcs())
    {
      if (proc.offline) continue;
      const auto input = proc.properties.find(aaxhost::HostInstance::kInputStemProperty);
      const auto output = proc.properties.find(aaxhost::HostInstance::kOutputStemProperty);
      if (input == proc.properties.end() || output == proc.properties.end()) continue;
      const int in = input->second & 0xFFFF;
      offered.push_back(in);
      if (in != channels || (output->second & 0xFFFF) != channels) continue;
      mInstance = aaxhost::HostInstance::Create(*mModule, 0, c, error, sampleRate);
      return static_cast<bool>(mInstance);
    }
  std::string list;
  for (const int n : offered)
    list += (list.empty() ? "" : ", ") + std::to_string(n);
  *error = "the effect has no component for " + std::to_string(channels) +
           "-channel audio (it offers " + (list.empty() ? "none" : list) + ")";
  return false;
}

std::string ModuleSession::TextFor(const std::string& id, double normal) const
{
  aaxhost::HostString text;
  if (mInstance->Effect().ParamTextFromValue(id.c_str(), normal, &text, 64) != AAX_SUCCESS)
    return "?";
  return text.Text();
}

std::vector<ParamInfo> ModuleSession::Parameters() const
{
  std::vector<ParamInfo> params;
  AAX_IEffectParameters& effect = mInstance->Effect();
  std::int32_t count = 0;
  if (effect.ParamCount(&count) != AAX_SUCCESS) return params;
  for (std::int32_t i = 0; i < count; ++i)
  {
    aaxhost::HostString id;
    if (effect.ParamIdAt(i, &id) != AAX_SUCCESS) continue;
    ParamInfo info;
    info.id = id.Text();
    const char* key = info.id.c_str();
    aaxhost::HostString name;
    effect.ParamName(key, &name);
    info.name = name.Text();
    effect.ParamStepCount(key, &info.steps);
    effect.ParamTypeCode(key, &info.type);
    effect.ParamIsAutomatable(key, &info.automatable);
    effect.ParamDefaultNormal(key, &info.defaultNormal);
    effect.ParamNormal(key, &info.normal);
    info.defaultText = TextFor(info.id, info.defaultNormal);
    aaxhost::HostString value;
    effect.ParamValueText(key, &value, 64);
    info.valueText = value.Text();
    params.push_back(std::move(info));
  }
  return params;
}

const ParamInfo* ModuleSession::FindParameter(const std::vector<ParamInfo>& params,
                                              const std::string& name, std::string* error) const
{
  for (const ParamInfo& p : params)
    if (Lower(p.name) == Lower(name)) return &p;
  std::string names;
  for (const ParamInfo& p : params)
    names += (names.empty() ? "" : ", ") + p.name;
  *error = "unknown parameter \"" + name + "\"; valid names: " + names;
  return nullptr;
}

bool ModuleSession::ParseValue(const ParamInfo& param, const std::string& text, double* normal,
                               std::string* error) const
{
  AAX_IEffectParameters& effect = mInstance->Effect();
  const std::string typed = Trimmed(text);
  aaxhost::HostString input(typed);
  double value = 0.0;
  const AAX_Result parsed = effect.ParamValueFromText(param.id.c_str(), &value, &input);
  const std::string lowest = TextFor(param.id, 0.0);
  const std::string highest = TextFor(param.id, 1.0);
  const std::string range = "from \"" + lowest + "\" to \"" + highest + "\"";
  if (typed.empty() || parsed != AAX_SUCCESS || !std::isfinite(value))
  {
    *error = param.name + " value \"" + text + "\" is not a value the effect understands (" +
             range + ")";
    return false;
  }
  // The effect's parsing may clamp; a typed number beyond the values the
  // ends of the range show is refused rather than silently changed.
  const std::string made = TextFor(param.id, value);
  double number = 0.0;
  double low = 0.0;
  double high = 0.0;
  bool outside = value < 0.0 || value > 1.0;
  if (LeadingNumber(typed, &number) && LeadingNumber(lowest, &low) && LeadingNumber(highest, &high))
  {
    const double tolerance = 1e-9 * std::max({1.0, std::fabs(low), std::fabs(high)});
    outside = outside || number < std::min(low, high) - tolerance ||
              number > std::max(low, high) + tolerance;
  }
  if (outside)
  {
    *error = param.name + " value \"" + text + "\" is out of range " + range +
             "; the effect made it \"" + made + "\"";
    return false;
  }
  *normal = value;
  return true;
}

bool ModuleSession::ApplySettings(const std::vector<std::string>& settings, std::string* error)
{
  const std::vector<ParamInfo> params = Parameters();
  // Every setting is checked before any is applied: all or nothing.
  std::vector<std::pair<std::string, double>> values;
  for (const std::string& setting : settings)
  {
    const std::size_t eq = setting.find('=');
    if (eq == std::string::npos || eq == 0)
    {
      *error = "--param needs NAME=VALUE, not \"" + setting + "\"";
      return false;
    }
    const ParamInfo* param = FindParameter(params, Trimmed(setting.substr(0, eq)), error);
    if (param == nullptr) return false;
    double normal = 0.0;
    if (!ParseValue(*param, setting.substr(eq + 1), &normal, error)) return false;
    values.emplace_back(param->id, normal);
  }
  AAX_IEffectParameters& effect = mInstance->Effect();
  for (const auto& [id, normal] : values)
  {
    // A user's edit: touch, request the value (the host grants it through
    // ApplyHostParamValue), release.
    effect.TouchParam(id.c_str());
    const AAX_Result requested = effect.RequestParamValue(id.c_str(), normal);
    effect.ReleaseParam(id.c_str());
    double now = -1.0;
    effect.ParamNormal(id.c_str(), &now);
    if (requested != AAX_SUCCESS || std::fabs(now - normal) > 1e-12)
    {
      *error = "the effect did not take the value " + TextFor(id, normal) + " for parameter " + id +
               " (result " + std::to_string(requested) + ")";
      return false;
    }
  }
  return true;
}

} // namespace plughost
