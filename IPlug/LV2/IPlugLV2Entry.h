#pragma once

#include "IPlug/LV2/IPlugLV2.h"
#include "IPlug/LV2/LV2Bundle.h"

#include "lv2/core/lv2.h"
#include "lv2/state/state.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace iplug
{

// The C entry points of an LV2 bundle for the effect class `Effect` (an
// IPlugLV2 with `static Effect* CreateInstance(const InstanceInfo&) noexcept`).
// A product's `lv2_descriptor` returns Descriptor(index, bundle). Every
// callback catches what the framework might throw: nothing crosses into the host.
template <class Effect>
class IPlugLV2Entry
{
public:
  // The descriptor of variant `index`, null past the last. The bundle must
  // outlive the module (a constant). [any-thread] (the host's discovery)
  static const LV2_Descriptor* Descriptor(std::uint32_t index, const LV2Bundle& bundle) noexcept
  {
    if (index >= static_cast<std::uint32_t>(kLV2VariantCount)) return nullptr;
    try
    {
      return &TheTable(&bundle).descriptors[index];
    }
    catch (...)
    {
      return nullptr;
    }
  }

private:
  struct Table
  {
    explicit Table(const LV2Bundle& bundle) : product(bundle.uri != nullptr ? bundle.uri : "")
    {
      for (int i = 0; i < kLV2VariantCount; ++i)
      {
        uris[static_cast<std::size_t>(i)] = LV2VariantUri(bundle, kLV2Variants[i]);
        descriptors[static_cast<std::size_t>(i)] =
            LV2_Descriptor{uris[static_cast<std::size_t>(i)].c_str(),
                           &Instantiate,
                           &ConnectPort,
                           &Activate,
                           &Run,
                           &Deactivate,
                           &Cleanup,
                           &ExtensionData};
      }
    }
    std::string product;
    std::array<std::string, kLV2VariantCount> uris;
    std::array<LV2_Descriptor, kLV2VariantCount> descriptors;
  };

  // Made by the first call, which is Descriptor's: a host asks for a
  // descriptor before it instantiates one.
  static const Table& TheTable(const LV2Bundle* bundle)
  {
    static const Table table(bundle != nullptr ? *bundle : LV2Bundle{});
    return table;
  }

  static Effect* Self(LV2_Handle handle) noexcept { return static_cast<Effect*>(handle); }

  // [main-thread]
  static LV2_Handle Instantiate(const LV2_Descriptor* descriptor, double rate, const char*,
                                const LV2_Feature* const* features) noexcept
  {
    InstanceInfo info;
    info.sampleRate = rate;
    info.features = features;
    Effect* effect = nullptr;
    try
    {
      const Table& table = TheTable(nullptr);
      for (std::size_t i = 0; i < table.descriptors.size(); ++i)
        if (descriptor == &table.descriptors[i]) info.channels = kLV2Variants[i].channels;
      effect = Effect::CreateInstance(info);
      if (effect == nullptr) return nullptr;
      effect->SetStateKey(table.product.c_str());
      return effect;
    }
    catch (...)
    {
      delete effect;
      return nullptr;
    }
  }
  // [audio-thread] between runs, or before activation
  static void ConnectPort(LV2_Handle handle, std::uint32_t port, void* data) noexcept
  {
    Self(handle)->ConnectPort(port, data);
  }
  // [main-thread]
  static void Activate(LV2_Handle handle) noexcept
  {
    try
    {
      Self(handle)->Activate();
    }
    catch (...)
    {
    }
  }
  // [audio-thread]
  static void Run(LV2_Handle handle, std::uint32_t frames) noexcept { Self(handle)->Run(frames); }
  // [main-thread]
  static void Deactivate(LV2_Handle handle) noexcept { Self(handle)->Deactivate(); }
  // [main-thread]
  static void Cleanup(LV2_Handle handle) noexcept { delete Self(handle); }
  // [any-thread]
  static const void* ExtensionData(const char* uri) noexcept
  {
    static const LV2_State_Interface state{&Save, &Restore};
    if (uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0) return &state;
    return nullptr;
  }
  // [any-thread except audio]
  static LV2_State_Status Save(LV2_Handle handle, LV2_State_Store_Function store,
                               LV2_State_Handle state, std::uint32_t flags,
                               const LV2_Feature* const*) noexcept
  {
    try
    {
      return Self(handle)->SaveState(store, state, flags);
    }
    catch (...)
    {
      return LV2_STATE_ERR_UNKNOWN;
    }
  }
  // [main-thread]
  static LV2_State_Status Restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                                  LV2_State_Handle state, std::uint32_t,
                                  const LV2_Feature* const*) noexcept
  {
    try
    {
      return Self(handle)->RestoreState(retrieve, state);
    }
    catch (...)
    {
      return LV2_STATE_ERR_UNKNOWN;
    }
  }
};

} // namespace iplug
