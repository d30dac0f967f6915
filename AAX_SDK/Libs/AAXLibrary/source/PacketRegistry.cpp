#include "AAX_SDK/Libs/AAXLibrary/source/PacketRegistry.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"

void PacketRegistry::SetOwner(AAX_VController* controller, AAX_IEffectParameters* effect)
{
  LibraryMutex::ScopedLock lock(mMutex);
  mController = controller;
  mEffect = effect;
}

void PacketRegistry::Register(const std::string& identifier, AAX_CFieldIndex field,
                              std::uint32_t size, Handler handler)
{
  LibraryMutex::ScopedLock lock(mMutex);
  std::shared_ptr<Packet>& packet = mPackets[field];
  if (!packet)
  {
    packet = std::make_shared<Packet>();
    packet->field = field;
    packet->data.assign(size, 0);
  }
  mRegistrations.emplace(identifier, Registration{packet, std::move(handler)});
}

AAX_Result PacketRegistry::SetDirty(AAX_CParamID identifier, bool dirty)
{
  if (identifier == nullptr) return AAX_SUCCESS;
  LibraryMutex::ScopedLock lock(mMutex);
  const auto [first, last] = mRegistrations.equal_range(identifier);
  for (auto it = first; it != last; ++it)
    it->second.packet->dirty = dirty;
  return AAX_SUCCESS;
}

AAX_Result PacketRegistry::Dispatch()
{
  LibraryMutex::ScopedLock lock(mMutex);
  AAX_Result result = AAX_SUCCESS;
  for (auto& [identifier, registration] : mRegistrations)
  {
    Packet& packet = *registration.packet;
    if (!packet.dirty) continue;
    if (registration.handler && registration.handler(identifier.c_str(), packet) == AAX_SUCCESS)
      result = mController ? mController->PostPacket(packet.field, packet.data.data(),
                                                     static_cast<std::uint32_t>(packet.data.size()))
                           : AAX_ERROR_NULL_OBJECT;
    packet.dirty = false;
  }
  return result;
}
