#pragma once

#include "Host/HostCollection.h"
#include "Host/HostObject.h"
#include "Host/HostRef.h"
#include "Host/ModuleLibrary.h"

#include <memory>
#include <string>

namespace aaxhost
{

// A module as this host runs it: loaded, started with the host object, asked
// to describe itself, and at the end shut down and unloaded once it has no
// live objects. [main-thread]
class PluginModule
{
public:
  // Null with a reason when the file cannot be loaded. A module whose
  // registration fails stays open (its traces tell why); see RegistrationResult.
  static std::unique_ptr<PluginModule>
  Open(const std::string& path, std::string* error,
       std::shared_ptr<InterfacePolicy> policy = std::make_shared<InterfacePolicy>());

  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;
  // Closes the module if Close was not called.
  ~PluginModule();

  ACFRESULT StartupResult() const noexcept { return mStartupResult; }
  ACFRESULT RegistrationResult() const noexcept { return mRegistrationResult; }
  std::uint64_t SDKVersion() const noexcept { return mSDKVersion; }
  // The module's description, or null when registration failed.
  HostCollection* Description() const noexcept { return mDescription.Get(); }
  HostObject& Host() const noexcept { return *mHost.Get(); }
  HostRef<HostObject> HostReference() const { return mHost; }
  const ModuleLibrary::Exports& Exports() const noexcept { return mLibrary->Functions(); }

  // The module's count of live objects (0: it may be unloaded).
  ACFRESULT CanUnloadNow() const;

  // Shuts the module down and unloads it. Refused (false, with the reason)
  // while the module still has live objects, in which case it stays loaded.
  bool Close(std::string* error);
  bool IsOpen() const noexcept { return static_cast<bool>(mLibrary); }

private:
  PluginModule(std::unique_ptr<ModuleLibrary> library, HostRef<HostObject> host);

  std::unique_ptr<ModuleLibrary> mLibrary;
  HostRef<HostObject> mHost;
  HostRef<HostCollection> mDescription;
  ACFRESULT mStartupResult = ACF_OK;
  ACFRESULT mRegistrationResult = ACF_OK;
  std::uint64_t mSDKVersion = 0;
};

} // namespace aaxhost
