#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"
#include "AAX_SDK/Libs/AAXLibrary/source/LibraryMutex.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_VController;
class AAX_IEffectParameters;

// Render data derived from parameters: packets registered per parameter
// identifier, marked dirty when the parameter changes and posted to their
// render-context field by the host's update pass.
// [any-thread except audio; serialised by its own mutex]
class PacketRegistry
{
public:
  struct Packet
  {
    AAX_CFieldIndex field = 0;
    std::vector<unsigned char> data;
    bool dirty = false;
  };
  // Fills the packet; 0 means post it.
  using Handler = std::function<AAX_Result(AAX_CParamID, Packet&)>;

  PacketRegistry() = default;
  PacketRegistry(const PacketRegistry&) = delete;
  PacketRegistry& operator=(const PacketRegistry&) = delete;

  // Not owned; null detaches.
  void SetOwner(AAX_VController* controller, AAX_IEffectParameters* effect);

  // One packet per field, shared by every identifier registered on it.
  void Register(const std::string& identifier, AAX_CFieldIndex field, std::uint32_t size,
                Handler handler);
  AAX_Result SetDirty(AAX_CParamID identifier, bool dirty);
  // Posts every dirty packet whose handler agrees; the result of the last post.
  AAX_Result Dispatch();

private:
  struct Registration
  {
    std::shared_ptr<Packet> packet;
    Handler handler;
  };

  LibraryMutex mMutex;
  std::multimap<std::string, Registration> mRegistrations;     // under mMutex
  std::map<AAX_CFieldIndex, std::shared_ptr<Packet>> mPackets; // under mMutex
  AAX_VController* mController = nullptr;                      // under mMutex
  AAX_IEffectParameters* mEffect = nullptr;                    // under mMutex
};
