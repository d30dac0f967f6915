#include "Host/PluginModule.h"

#include "IPlug/RunLoop.h"

namespace aaxhost
{

PluginModule::PluginModule(std::unique_ptr<ModuleLibrary> library, HostRef<HostObject> host)
    : mLibrary(std::move(library)), mHost(std::move(host))
{
}

std::unique_ptr<PluginModule> PluginModule::Open(const std::string& path, std::string* error,
                                                 std::shared_ptr<InterfacePolicy> policy)
{
  std::unique_ptr<ModuleLibrary> library = ModuleLibrary::Load(path, error);
  if (!library) return nullptr;
  auto host = HostRef<HostObject>::Adopt(NewHostObject<HostObject>(std::move(policy)));
  std::unique_ptr<PluginModule> module(new PluginModule(std::move(library), std::move(host)));

  const ModuleLibrary::Exports& exports = module->Exports();
  IACFUnknown* hostObject = static_cast<AAX_IHostFactory*>(module->mHost.Get());
  if (exports.getSDKVersion(&module->mSDKVersion) != ACF_OK) module->mSDKVersion = 0;
  module->mStartupResult = exports.startup(hostObject);

  IACFUnknown* definition = nullptr;
  module->mRegistrationResult = exports.registerPlugin(hostObject, &definition);
  if (definition)
  {
    // The definition is the collection this host made; anything else is refused.
    module->mDescription = QueryRef<HostCollection>(definition, kHostSelfCollection);
    definition->Release();
  }
  if (module->mRegistrationResult == ACF_OK && !module->mDescription)
    module->mRegistrationResult = ACF_E_UNEXPECTED;
  return module;
}

PluginModule::~PluginModule()
{
  if (!mLibrary) return;
  std::string ignored;
  if (!Close(&ignored))
  {
    // Live objects remain (a caller leaked them): shut down anyway but keep the
    // code mapped, since those objects' code must stay callable.
    mDescription.Reset();
    mLibrary->Functions().shutdown();
    static_cast<void>(mLibrary.release());
  }
}

ACFRESULT PluginModule::CanUnloadNow() const
{
  return mLibrary ? mLibrary->Functions().canUnloadNow() : 0;
}

bool PluginModule::Close(std::string* error)
{
  if (!mLibrary) return true;
  const ACFRESULT live = mLibrary->Functions().canUnloadNow();
  if (live != 0)
  {
    if (error) *error = "the module still has " + std::to_string(live) + " live objects";
    return false;
  }
  // The description refers to the module's procedures: it goes with the code.
  mDescription.Reset();
  mLibrary->Functions().shutdown();
  mLibrary.reset();
  return true;
}

} // namespace aaxhost

#ifndef _WIN32
// The process's thread timers, for every module this host loads: a module's
// timer then fires from this host's event loop on the thread that created it,
// as Windows thread timers fire from the host's message loop.
extern "C" __attribute__((visibility("default"))) const iplug::RunLoop::ThreadTimerService*
IPlugProcessThreadTimers()
{
  return iplug::RunLoop::LocalService();
}
#endif
