#pragma once

#include "Host/HostInstance.h"
#include "Host/PluginModule.h"

#include <memory>
#include <string>
#include <vector>

namespace plughost
{

// What the host shows of one host parameter.
struct ParamInfo
{
  std::string id;
  std::string name;
  std::int32_t steps = 0;
  std::int32_t type = 0;
  bool automatable = false;
  double defaultNormal = 0.0;
  double normal = 0.0;
  std::string defaultText;
  std::string valueText;
};

// One loaded module and, once asked for, one instance of its first effect on
// the component that fits a channel count. [main-thread]
class ModuleSession
{
public:
  // The module at path: a bundle folder or the binary inside it. Null with a
  // one-line reason when it is missing, not a module, or its description
  // failed (then with the module's traced text).
  static std::unique_ptr<ModuleSession> Open(const std::string& path, std::string* error);

  ModuleSession(const ModuleSession&) = delete;
  ModuleSession& operator=(const ModuleSession&) = delete;
  // Releases the instance, then shuts the module down.
  ~ModuleSession();

  aaxhost::PluginModule& Module() const noexcept { return *mModule; }
  const std::string& BinaryPath() const noexcept { return mBinary; }

  // The binary a bundle folder holds for this platform, or the path itself
  // when it names a file. Empty with a reason when there is none.
  static std::string ResolveBinary(const std::string& path, std::string* error);

  // Creates the instance on the component whose input and output have
  // channels channels. False with a reason when no component fits.
  bool CreateInstance(int channels, float sampleRate, std::string* error);
  aaxhost::HostInstance& Instance() const noexcept { return *mInstance; }
  bool HasInstance() const noexcept { return static_cast<bool>(mInstance); }

  // Every host parameter of the instance, in the effect's order.
  std::vector<ParamInfo> Parameters() const;

  // The parameter whose name equals name without regard to case. Null with
  // a reason listing the valid names otherwise.
  const ParamInfo* FindParameter(const std::vector<ParamInfo>& params, const std::string& name,
                                 std::string* error) const;

  // The effect's own reading of a plain value typed by a user, as a
  // normalised host value. False with what the effect made of it when the
  // text is not a value of the parameter or lies outside its range.
  bool ParseValue(const ParamInfo& param, const std::string& text, double* normal,
                  std::string* error) const;

  // Applies "NAME=VALUE" settings as automation does: a set-value request
  // that the host grants with ApplyHostParamValue.
  bool ApplySettings(const std::vector<std::string>& settings, std::string* error);

  // The text the effect shows for a normalised value of the parameter.
  std::string TextFor(const std::string& id, double normal) const;

  // Shuts the module down; false with the reason if it still has live objects.
  bool Close(std::string* error);

private:
  ModuleSession() = default;

  std::string mBinary;
  std::unique_ptr<aaxhost::PluginModule> mModule;
  std::unique_ptr<aaxhost::HostInstance> mInstance;
};

} // namespace plughost
