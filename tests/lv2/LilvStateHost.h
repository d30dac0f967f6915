#pragma once

// A real host's state store for the bundle: lilv, the library LV2 hosts save
// and restore state with, instantiates the plug-in, saves its state as a state
// folder (state.ttl) and restores such a folder into a fresh instance.

#include "lv2/TestUridMap.h"

#include <lilv/lilv.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lv2test
{

class LilvStateHost
{
public:
  // Sees only the bundles in `lv2Path`, never the system's or a user's. [main-thread]
  LilvStateHost(const std::string& lv2Path, const std::string& pluginUri);
  ~LilvStateHost();
  LilvStateHost(const LilvStateHost&) = delete;
  LilvStateHost& operator=(const LilvStateHost&) = delete;

  // A fresh instance, its control ports at their defaults except `controls`
  // (by symbol), run for one block so the plug-in takes them up. [main-thread]
  bool Start(const std::map<std::string, float>& controls);
  // A fresh instance with the state of `folder`/state.ttl restored, its
  // control ports at their defaults, run for one block. [main-thread]
  bool StartFrom(const std::string& folder);
  // Saves the instance's own state (no port values) as `folder`/state.ttl. [main-thread]
  bool Save(const std::string& folder);
  // The bytes the plug-in hands a host's store for its one property; empty
  // unless it is a single chunk. [main-thread]
  std::vector<std::uint8_t> Chunk();

  const std::string& Error() const { return mError; }

private:
  bool Instantiate(const std::map<std::string, float>& controls);
  void Run();
  void FreeInstance();
  bool Fail(const std::string& error);

  TestUridMap mUrids;
  LilvWorld* mWorld = nullptr;
  const LilvPlugin* mPlugin = nullptr; // owned by mWorld
  LilvInstance* mInstance = nullptr;
  bool mActive = false;                   // deactivated before it is freed
  std::vector<float> mControls;           // one value per port index
  std::vector<std::vector<float>> mAudio; // one block per port index
  std::string mError;
};

} // namespace lv2test
