#pragma once

#include "IPlug/ByteChunk.h"
#include "IPlug/IGEditorDelegate.h"
#include "IPlug/PlugSetup.h"
#include "IPlug/PluginApi.h"
#include "IPlug/PresetSlot.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace iplug
{

// The layer of the plug-in that owns its identity (names, IDs, version), its
// preset slots, and turns its state into bytes and back. Every host adapter
// saves and restores the project through SerializeState / UnserializeState.
//
// The base state is the parameter block alone: one float64 per parameter in
// index order, plain values. Effects override the state operations to put
// their own record (such as the editor's) in front of it.
//
// Threads: state and preset operations run on whatever non-audio thread the
// host calls them from; parameter values are atomic, so the audio thread may
// read them while a state is being restored. Nothing here takes a lock.
class IPluginBase : public IGEditorDelegate
{
public:
  IPluginBase(const PlugSetup& setup, PluginApi api);
  ~IPluginBase() override;

  // Identity [any-thread] ----------------------------------------------------

  const char* GetPluginName() const { return mPluginName.c_str(); }
  const char* GetProductName() const { return mProductName.c_str(); }
  const char* GetMfrName() const { return mMfrName.c_str(); }
  const char* GetBundleID() const { return mBundleID.c_str(); }
  std::uint32_t GetUniqueID() const { return mUniqueID; }
  std::uint32_t GetMfrID() const { return mMfrID; }
  // Packed (major << 16 | minor << 8 | bug-fix), or major * 10000 + minor * 100 + bug-fix.
  int GetPluginVersion(bool decimal) const;
  // "v%d.%d.%d"
  std::string GetPluginVersionStr() const;
  int GetHostVersion(bool decimal) const;
  std::string GetHostVersionStr() const;
  // The host code, -1 until the host is identified.
  int GetHost() const { return mHost; }
  PluginApi GetAPI() const { return mAPI; }
  const char* ApiName() const { return PluginApiName(mAPI); }
  bool HasEditor() const { return mHasEditor; }
  bool DoesStateChunks() const { return mStateChunks; }
  // "<version> <api> (x86-64), built on <date> at <hh:mm> ", at most 256 bytes.
  std::string BuildInfoString(const char* date, const char* time) const;

  // State --------------------------------------------------------------------

  // Base: the parameter block alone. [non-audio thread]
  virtual bool SerializeState(ByteChunk& chunk) const;
  // Base: the parameter block alone. Returns the position after what was
  // read, or -1 when the chunk was short. [non-audio thread]
  virtual int UnserializeState(const ByteChunk& chunk, int startPos);
  // Called after a preset file or bank was loaded. [non-audio thread]
  virtual void OnPresetsModified() {}
  // Called after a preset slot became current. [non-audio thread]
  virtual void OnPresetRecalled() {}

  // Appends every parameter's value as float64 in index order. [non-audio thread]
  bool SerializeParams(ByteChunk& chunk) const;
  // Reads one float64 per parameter from `startPos`; each parameter takes its
  // confined value. The parameter at which the chunk ran short is set to its
  // confined 0.0 and the rest keep their values; every parameter is then
  // announced as changed by a preset. Returns the next position or -1.
  // [non-audio thread]
  int UnserializeParams(const ByteChunk& chunk, int startPos);

  // Presets [non-audio thread] -----------------------------------------------

  int NPresets() const { return static_cast<int>(mPresets.size()); }
  int GetCurrentPresetIdx() const { return mCurrentPresetIdx; }
  // Null for an index outside the slots.
  const PresetSlot* GetPreset(int idx) const;
  // Restores an initialised slot, or fills an uninitialised one from the
  // current state under the name "user preset N". False for an index outside
  // the slots (nothing changes) or a failed restore.
  bool RecallPreset(int idx);
  // Restores the first slot with exactly this name; false for none.
  bool RecallPreset(const char* name);
  // The slot's name, or "" for an index outside the slots.
  const char* PresetNameAt(int idx) const;
  // Stores the current state into the current slot, renaming it when `name`
  // is not empty.
  void ModifyCurrentPreset(const char* name = nullptr);
  // Fills up to `count` uninitialised slots from the current state, named
  // `name` ("Empty" when null); count < 0 means every uninitialised slot.
  void FillPresetsFromState(const char* name = nullptr, int count = -1);
  // Per slot: int32 name length L, L name bytes, initialised byte, and the
  // slot's state if initialised.
  bool SerializePresets(ByteChunk& chunk) const;
  // Reads what SerializePresets wrote, slot by slot, then restores the current
  // slot. Names are bounded by the chunk and cut to 255 bytes; a name longer
  // than what is left makes the chunk short. Returns the next position or -1.
  int UnserializePresets(const ByteChunk& chunk, int startPos);

  // Making presets [main-thread, during construction] ------------------------
  // Each takes the first uninitialised slot (none: nothing happens, false) and
  // cuts the name to 255 bytes.

  // One value per parameter in index order; false (nothing changes) when the
  // count differs from the number of parameters.
  bool MakePreset(const char* name, std::initializer_list<double> values);
  // (index, value) pairs; parameters not named keep their current value.
  // Pairs with an index outside the parameters are ignored.
  bool MakePresetFromNamedParams(const char* name,
                                 std::initializer_list<std::pair<int, double>> values);
  bool MakePresetFromChunk(const char* name, const ByteChunk& chunk);
  // Decodes base64 text into a state of exactly `size` bytes (zero-filled
  // after where decoding stopped). Sizes outside 1..kMaxBlobBytes give false.
  bool MakePresetFromBlob(const char* name, const char* base64, int size);
  static constexpr int kMaxBlobBytes = 1 << 24;
  // Deletes every uninitialised slot, keeping the order of the others.
  void RemoveUnusedPresets();

  // Preset source dumps: append one line of source text to the file at the
  // UTF-8 `path`; false (nothing written) when it cannot be opened. ----------

  bool DumpPresetSource(const char* path) const;
  // `paramNames` holds `nNames` names for parameters 0, 1, ...; missing ones print empty.
  bool DumpNamedPresetSource(const char* path, const char* const* paramNames, int nNames) const;
  bool DumpBlobPresetSource(const char* path) const;

  // Program and bank files (big-endian containers; see PresetFileFormat.h) ---
  // Loading either accepts the whole file or changes nothing.

  bool SaveProgramFile(const char* path) const;
  bool SaveBankFile(const char* path) const;
  bool LoadProgramFile(const char* path);
  bool LoadBankFile(const char* path);
  // The same on bytes already in memory.
  bool MakeProgramFile(ByteChunk& file) const;
  bool MakeBankFile(ByteChunk& file) const;
  bool LoadProgramFromChunk(const ByteChunk& file);
  bool LoadBankFromChunk(const ByteChunk& file);

protected:
  void SetHostIdentity(int hostCode, int hostVersion)
  {
    mHost = hostCode;
    mHostVersion = hostVersion;
  }

private:
  PresetSlot* FirstUninitialisedPreset();
  // Everything a failed load must put back.
  struct Snapshot;
  bool TakeSnapshot(Snapshot& snapshot) const;
  void RestoreSnapshot(Snapshot& snapshot);
  bool MakeOpaqueBlock(ByteChunk& block, bool presets) const;
  void AppendProgramRecord(ByteChunk& file, const PresetSlot* slot, bool fromSlot) const;
  void SetParamsFromNormalised(const ByteChunk& file, int pos);
  // Hands the chunk form's opaque block at pos to `read` (the state or the
  // presets reader); a block that is malformed or refused changes nothing.
  bool ApplyOpaqueBlock(const ByteChunk& file, int pos,
                        int (IPluginBase::*read)(const ByteChunk&, int));

  std::vector<std::unique_ptr<PresetSlot>> mPresets;
  int mCurrentPresetIdx = 0;
  const bool mStateChunks;
  const std::string mPluginName;
  const std::string mProductName;
  const std::string mMfrName;
  const std::string mBundleID;
  const std::uint32_t mUniqueID;
  const std::uint32_t mMfrID;
  const int mVersion;
  int mHostVersion = 0; // written by the API base when the host is known
  int mHost = -1;       // written by the API base when the host is known
  const PluginApi mAPI;
  const bool mHasEditor;
};

} // namespace iplug
