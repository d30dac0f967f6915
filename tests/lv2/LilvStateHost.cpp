#include "lv2/LilvStateHost.h"

#include "lv2/atom/atom.h"
#include "lv2/state/state.h"

namespace lv2test
{
namespace
{
constexpr std::uint32_t kBlock = 64;
constexpr const char* kStateFile = "state.ttl";

struct StoredChunk
{
  LV2_URID chunkType = 0;
  int properties = 0;
  std::vector<std::uint8_t> bytes;
};

LV2_State_Status StoreChunk(LV2_State_Handle handle, std::uint32_t, const void* value,
                            std::size_t size, std::uint32_t type, std::uint32_t)
{
  auto* stored = static_cast<StoredChunk*>(handle);
  ++stored->properties;
  if (type == stored->chunkType)
    stored->bytes.assign(static_cast<const std::uint8_t*>(value),
                         static_cast<const std::uint8_t*>(value) + size);
  return LV2_STATE_SUCCESS;
}
} // namespace

LilvStateHost::LilvStateHost(const std::string& lv2Path, const std::string& pluginUri)
    : mWorld(lilv_world_new())
{
  LilvNode* path = lilv_new_string(mWorld, lv2Path.c_str());
  lilv_world_set_option(mWorld, LILV_OPTION_LV2_PATH, path);
  lilv_node_free(path);
  lilv_world_load_all(mWorld);
  LilvNode* uri = lilv_new_uri(mWorld, pluginUri.c_str());
  mPlugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(mWorld), uri);
  lilv_node_free(uri);
  if (mPlugin == nullptr) Fail("lilv found no " + pluginUri + " in " + lv2Path);
}

LilvStateHost::~LilvStateHost()
{
  FreeInstance();
  lilv_world_free(mWorld);
}

void LilvStateHost::FreeInstance()
{
  if (mInstance == nullptr) return;
  if (mActive) lilv_instance_deactivate(mInstance);
  mActive = false;
  lilv_instance_free(mInstance);
  mInstance = nullptr;
}

bool LilvStateHost::Fail(const std::string& error)
{
  mError = error;
  return false;
}

bool LilvStateHost::Instantiate(const std::map<std::string, float>& controls)
{
  if (mPlugin == nullptr) return false;
  FreeInstance();
  const LV2_Feature* features[] = {mUrids.Feature(), mUrids.UnmapFeature(), nullptr};
  mInstance = lilv_plugin_instantiate(mPlugin, 48000, features);
  if (mInstance == nullptr) return Fail("lilv could not instantiate the plug-in");

  // Connected as a host connects them: audio ports to blocks, control ports
  // to values starting at the defaults the plug-in's description gives.
  const std::uint32_t ports = lilv_plugin_get_num_ports(mPlugin);
  mControls.assign(ports, 0.f);
  mAudio.assign(ports, std::vector<float>(kBlock, 0.f));
  lilv_plugin_get_port_ranges_float(mPlugin, nullptr, nullptr, mControls.data());
  LilvNode* audioPort = lilv_new_uri(mWorld, LV2_CORE__AudioPort);
  for (std::uint32_t i = 0; i < ports; ++i)
  {
    const LilvPort* port = lilv_plugin_get_port_by_index(mPlugin, i);
    const bool audio = lilv_port_is_a(mPlugin, port, audioPort);
    lilv_instance_connect_port(mInstance, i, audio ? mAudio[i].data() : &mControls[i]);
  }
  lilv_node_free(audioPort);
  for (const auto& [symbol, value] : controls)
  {
    LilvNode* name = lilv_new_string(mWorld, symbol.c_str());
    const LilvPort* port = lilv_plugin_get_port_by_symbol(mPlugin, name);
    lilv_node_free(name);
    if (port == nullptr) return Fail("the plug-in has no port " + symbol);
    mControls[lilv_port_get_index(mPlugin, port)] = value;
  }
  return true;
}

void LilvStateHost::Run()
{
  lilv_instance_activate(mInstance);
  mActive = true;
  lilv_instance_run(mInstance, kBlock);
}

bool LilvStateHost::Start(const std::map<std::string, float>& controls)
{
  if (!Instantiate(controls)) return false;
  Run();
  return true;
}

bool LilvStateHost::StartFrom(const std::string& folder)
{
  if (!Instantiate({})) return false;
  const std::string file = folder + "/" + kStateFile;
  LilvState* state = lilv_state_new_from_file(mWorld, mUrids.MapInterface(), nullptr, file.c_str());
  if (state == nullptr) return Fail("lilv could not load " + file);
  lilv_state_restore(state, mInstance, nullptr, nullptr, 0, nullptr);
  lilv_state_free(state);
  Run();
  return true;
}

bool LilvStateHost::Save(const std::string& folder)
{
  if (mInstance == nullptr) return Fail("no instance to save");
  // No port values: only the plug-in's own state goes into the folder, so
  // whatever a host restores from it came through the plug-in.
  LilvState* state = lilv_state_new_from_instance(
      mPlugin, mInstance, mUrids.MapInterface(), nullptr, nullptr, nullptr, folder.c_str(), nullptr,
      nullptr, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
  if (state == nullptr) return Fail("lilv saved no state");
  const int status = lilv_state_save(mWorld, mUrids.MapInterface(), mUrids.UnmapInterface(), state,
                                     nullptr, folder.c_str(), kStateFile);
  lilv_state_free(state);
  return status == 0 || Fail("lilv could not save the state in " + folder);
}

std::vector<std::uint8_t> LilvStateHost::Chunk()
{
  if (mInstance == nullptr) return {};
  const auto* state = static_cast<const LV2_State_Interface*>(
      lilv_instance_get_extension_data(mInstance, LV2_STATE__interface));
  StoredChunk stored;
  stored.chunkType = mUrids.Map(LV2_ATOM__Chunk);
  if (state == nullptr ||
      state->save(lilv_instance_get_handle(mInstance), &StoreChunk, &stored,
                  LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr) != LV2_STATE_SUCCESS ||
      stored.properties != 1)
    return {};
  return stored.bytes;
}

} // namespace lv2test
