#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "Host/HostInstance.h"
#include "Host/PlugHost/ModuleSession.h"
#include "Host/PluginModule.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plughost
{

// The module under validation, opened once for the checks that share it, and
// what those checks need to reach through the module boundary: instances at a
// sample rate, the parameter list, chunk saving and loading. [main-thread]
class ValidationSession
{
public:
  struct Parameter : ParamInfo
  {
    // Its display names at most kMaxListTexts settings (a switch or a
    // list): a text stands for a setting, not for a point within a step.
    bool list = false;
  };
  static constexpr std::size_t kMaxListTexts = 16;

  // Null with a reason when the module (a bundle folder or the binary inside
  // it) cannot be opened, started or described.
  static std::unique_ptr<ValidationSession> Open(const std::string& path, std::string& error);

  ValidationSession(const ValidationSession&) = delete;
  ValidationSession& operator=(const ValidationSession&) = delete;

  aaxhost::PluginModule& Module() noexcept { return mSession->Module(); }
  const std::string& Path() const noexcept { return mPath; }
  std::size_t ComponentCount() const;
  const std::vector<Parameter>& Parameters() const noexcept { return mParameters; }
  const std::string& MasterBypassId() const noexcept { return mMasterBypassId; }
  // The identifier of the parameter with that name, or empty.
  std::string IdOf(const std::string& name) const;
  // The module's state chunk identifier (its first chunk), 0 when it has none.
  AAX_CTypeID StateChunkId() const noexcept { return mChunkId; }

  // An instance of the first effect's component at the sample rate, or null
  // with a reason.
  std::unique_ptr<aaxhost::HostInstance> MakeInstance(std::size_t component, float sampleRate,
                                                      std::string& error);
  static std::size_t OutputChannels(aaxhost::HostInstance& instance);
  static std::size_t InputChannels(aaxhost::HostInstance& instance);

  // The instance's current state chunk bytes (header excluded).
  static AAX_Result SaveChunk(AAX_IEffectParameters& effect, AAX_CTypeID id,
                              std::vector<unsigned char>& data);
  // Hands bytes to the instance as a chunk record the way a host restores a session.
  static AAX_Result LoadChunk(AAX_IEffectParameters& effect, AAX_CTypeID id,
                              const std::vector<unsigned char>& data);
  // The normalised value of every parameter the state holds (all but the
  // host's master bypass), in list order; NaN where it is not answered.
  std::vector<double> Values(AAX_IEffectParameters& effect) const;

  // Module reports made since the session opened.
  std::size_t AssertionCount() const;
  std::string LastAssertion() const;

  // Releases, then requires the module to have no live objects and unloads it.
  bool Close(std::string& error);

private:
  ValidationSession() = default;

  std::string mPath;
  std::unique_ptr<ModuleSession> mSession; // holds the first instance, for the lists
  std::vector<Parameter> mParameters;
  std::string mMasterBypassId;
  AAX_CTypeID mChunkId = 0;
};

} // namespace plughost
