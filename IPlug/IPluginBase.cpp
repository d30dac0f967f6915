#include "IPlug/IPluginBase.h"

#include "IPlug/Base64.h"
#include "IPlug/FileUtf8.h"
#include "IPlug/IPlugLogger.h"
#include "IPlug/IPlugUtilities.h"
#include "IPlug/IPlugVersion.h"
#include "IPlug/PresetFileFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace iplug
{

namespace pf = presetfile;

namespace
{
// Preset and bank files of this plug-in are small; refuse to read anything
// that could only be an attack on memory.
constexpr int kMaxPresetFileBytes = 64 << 20;

// The source-text form of a parameter value in preset dumps.
std::string DumpValue(const IParam& param)
{
  char text[64];
  const double value = param.Value();
  switch (param.Kind())
  {
  case IParam::Boolean:
    return value >= 0.5 ? "true" : "false";
  case IParam::Integer:
  case IParam::Enumerated:
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return text;
  default:
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
  }
}

// A fixed-size name field that need not be terminated: up to `capacity`
// bytes, cut at the first zero byte and at a UTF-8 boundary within 255 bytes.
void CopyNameField(char (&dst)[PresetSlot::kMaxNameBytes + 1], const std::uint8_t* src, int size)
{
  const char* text = reinterpret_cast<const char*>(src);
  const std::size_t length = strnlen(text, static_cast<std::size_t>(size));
  const std::size_t keep = Utf8PrefixLength(text, length, PresetSlot::kMaxNameBytes);
  std::memcpy(dst, text, keep);
  dst[keep] = '\0';
}

// A view of the payload of an opaque block: the "tffp" prefix is skipped when present.
bool CopyOpaqueBlock(const ByteChunk& file, int pos, std::uint32_t blockSize, ByteChunk& block,
                     int& start)
{
  if (pos < 0 || blockSize > static_cast<std::uint32_t>(file.Size() - pos)) return false;
  block.Clear();
  if (block.PutBytes(file.GetData() + pos, static_cast<int>(blockSize)) < 0) return false;
  start = 0;
  if (block.Size() >= pf::kOpaqueHeaderBytes &&
      std::memcmp(block.GetData(), pf::kOpaquePrefix, sizeof pf::kOpaquePrefix) == 0)
    start = pf::kOpaqueHeaderBytes;
  return true;
}
} // namespace

struct IPluginBase::Snapshot
{
  struct Slot
  {
    bool initialised = false;
    char name[PresetSlot::kMaxNameBytes + 1] = {};
    ByteChunk chunk;
  };
  std::vector<Slot> slots;
  int currentPresetIdx = 0;
  ByteChunk state;
  // Restored by hand: a zero record (no size known yet) is one a state never
  // applies, so reading the state back would keep a size the failed read set.
  int savedWidth = 0;
  int savedHeight = 0;
  float savedScale = 0.f;
};

IPluginBase::IPluginBase(const PlugSetup& setup, PluginApi api)
    : IGEditorDelegate(setup.paramCount), mStateChunks(setup.stateChunks),
      mPluginName(setup.pluginName), mProductName(setup.productName), mMfrName(setup.makerName),
      mBundleID(setup.bundleId), mUniqueID(static_cast<std::uint32_t>(setup.pluginId)),
      mMfrID(static_cast<std::uint32_t>(setup.makerId)), mVersion(setup.versionCode), mAPI(api),
      mHasEditor(setup.hasEditor)
{
  const int nPresets = setup.presetCount > 0 ? setup.presetCount : 0;
  mPresets.reserve(static_cast<std::size_t>(nPresets));
  for (int i = 0; i < nPresets; ++i)
    mPresets.push_back(std::make_unique<PresetSlot>());
}

IPluginBase::~IPluginBase() = default;

int IPluginBase::GetPluginVersion(bool decimal) const
{
  return decimal ? VersionDecimal(mVersion) : mVersion;
}

std::string IPluginBase::GetPluginVersionStr() const
{
  char text[32];
  VersionText(mVersion, text, sizeof text);
  return text;
}

int IPluginBase::GetHostVersion(bool decimal) const
{
  return decimal ? VersionDecimal(mHostVersion) : mHostVersion;
}

std::string IPluginBase::GetHostVersionStr() const
{
  char text[32];
  VersionText(mHostVersion, text, sizeof text);
  return text;
}

std::string IPluginBase::BuildInfoString(const char* date, const char* time) const
{
  char text[257];
  std::snprintf(text, sizeof text, "%s %s (%s), built on %s at %.5s ",
                GetPluginVersionStr().c_str(), ApiName(), "x86-64", date ? date : "",
                time ? time : "");
  return text;
}

// State ----------------------------------------------------------------------

bool IPluginBase::SerializeState(ByteChunk& chunk) const
{
  return SerializeParams(chunk);
}

int IPluginBase::UnserializeState(const ByteChunk& chunk, int startPos)
{
  return UnserializeParams(chunk, startPos);
}

bool IPluginBase::SerializeParams(ByteChunk& chunk) const
{
  if (NParams() == 0) return true;
  for (int i = 0; i < NParams(); ++i)
  {
    const IParam& param = *GetParam(i);
    LogTrace("iplug::IPluginBase::SerializeParams", __LINE__, "%d %s %f", i, param.Name(),
             param.Value());
    if (chunk.Put(param.Value()) < 0) return false;
  }
  return chunk.Size() > 0;
}

int IPluginBase::UnserializeParams(const ByteChunk& chunk, int startPos)
{
  int pos = startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i)
  {
    double value = 0.0;
    pos = chunk.Get(value, pos);
    IParam& param = *GetParam(i);
    param.Set(value); // Confine also turns a stored NaN into the minimum
    LogTrace("iplug::IPluginBase::UnserializeParams", __LINE__, "%d %s %f", i, param.Name(),
             param.Value());
  }
  AnnounceAllParams(kPresetRecall);
  return pos;
}

// Presets --------------------------------------------------------------------

const PresetSlot* IPluginBase::GetPreset(int idx) const
{
  if (idx < 0 || idx >= NPresets()) return nullptr;
  return mPresets[static_cast<std::size_t>(idx)].get();
}

PresetSlot* IPluginBase::FirstUninitialisedPreset()
{
  for (auto& slot : mPresets)
    if (!slot->initialised) return slot.get();
  return nullptr;
}

bool IPluginBase::RecallPreset(int idx)
{
  if (idx < 0 || idx >= NPresets()) return false;
  PresetSlot& slot = *mPresets[static_cast<std::size_t>(idx)];
  bool ok = false;
  if (slot.initialised)
    ok = UnserializeState(slot.chunk, 0) > 0;
  else
  {
    int userPresets = 0;
    for (const auto& other : mPresets)
      if (std::strstr(other->name, "user preset") != nullptr) ++userPresets;
    ByteChunk state;
    ok = SerializeState(state);
    if (ok)
    {
      char name[64];
      std::snprintf(name, sizeof name, "%s %d", "user preset", userPresets + 1);
      slot.SetName(name);
      slot.chunk = std::move(state);
      slot.initialised = true;
    }
  }
  if (ok)
  {
    mCurrentPresetIdx = idx;
    OnPresetRecalled();
    AfterStateRestored();
  }
  return ok;
}

bool IPluginBase::RecallPreset(const char* name)
{
  if (name == nullptr || name[0] == '\0') return false;
  for (int i = 0; i < NPresets(); ++i)
    if (std::strcmp(mPresets[static_cast<std::size_t>(i)]->name, name) == 0) return RecallPreset(i);
  return false;
}

const char* IPluginBase::PresetNameAt(int idx) const
{
  const PresetSlot* slot = GetPreset(idx);
  return slot != nullptr ? slot->name : "";
}

void IPluginBase::ModifyCurrentPreset(const char* name)
{
  if (mCurrentPresetIdx < 0 || mCurrentPresetIdx >= NPresets()) return;
  PresetSlot& slot = *mPresets[static_cast<std::size_t>(mCurrentPresetIdx)];
  slot.chunk.Clear();
  LogTrace("iplug::IPluginBase::ModifyCurrentPreset", __LINE__, "%d %s", mCurrentPresetIdx,
           name != nullptr ? name : "");
  SerializeState(slot.chunk);
  // The slot now holds a state: recalling it must restore that state, not
  // refill it from whatever is current then.
  slot.initialised = true;
  if (name != nullptr && name[0] != '\0') slot.SetName(name);
}

void IPluginBase::FillPresetsFromState(const char* name, int count)
{
  for (int filled = 0; count < 0 || filled < count; ++filled)
  {
    PresetSlot* slot = FirstUninitialisedPreset();
    if (slot == nullptr) return;
    slot->initialised = true;
    slot->SetName(name != nullptr ? name : "Empty");
    slot->chunk.Clear();
    SerializeState(slot->chunk);
  }
}

bool IPluginBase::SerializePresets(ByteChunk& chunk) const
{
  for (const auto& slot : mPresets)
  {
    LogTrace("iplug::IPluginBase::SerializePresets", __LINE__, "%d %s",
             static_cast<int>(&slot - mPresets.data()), slot->name);
    const std::int32_t length = static_cast<std::int32_t>(std::strlen(slot->name));
    const std::uint8_t initialised = slot->initialised ? 1 : 0;
    if (chunk.Put(length) < 0 || chunk.PutBytes(slot->name, length) < 0 ||
        chunk.Put(initialised) < 0)
      return false;
    if (slot->initialised && chunk.PutChunk(slot->chunk) < 0) return false;
  }
  return true;
}

int IPluginBase::UnserializePresets(const ByteChunk& chunk, int startPos)
{
  int pos = startPos;
  for (int i = 0; i < NPresets() && pos >= 0; ++i)
  {
    PresetSlot& slot = *mPresets[static_cast<std::size_t>(i)];
    std::int32_t length = 0;
    pos = chunk.Get(length, pos);
    if (pos < 0) break;
    const int nameBytes = length < 1 ? 0 : length;
    // A name that claims more bytes than the chunk holds makes the chunk short.
    if (nameBytes > chunk.Size() - pos)
    {
      pos = -1;
      break;
    }
    CopyNameField(slot.name, chunk.GetData() + pos, nameBytes);
    pos += nameBytes;
    LogTrace("iplug::IPluginBase::UnserializePresets", __LINE__, "%d %s", i, slot.name);

    std::uint8_t initialised = 0;
    pos = chunk.Get(initialised, pos);
    if (pos < 0) break;
    if (initialised != 0)
    {
      pos = UnserializeState(chunk, pos);
      if (pos > 0)
      {
        // The slot keeps the state as it is now current, not the bytes read.
        slot.chunk.Clear();
        SerializeState(slot.chunk);
        slot.initialised = true;
      }
    }
    else
    {
      slot.initialised = false;
      slot.chunk.Clear();
    }
  }
  RecallPreset(mCurrentPresetIdx);
  return pos;
}

// Making presets -------------------------------------------------------------

bool IPluginBase::MakePreset(const char* name, std::initializer_list<double> values)
{
  if (static_cast<int>(values.size()) != NParams()) return false;
  PresetSlot* slot = FirstUninitialisedPreset();
  if (slot == nullptr) return false;
  slot->initialised = true;
  slot->SetName(name);
  slot->chunk.Clear();
  for (double value : values)
    slot->chunk.Put(value);
  return true;
}

bool IPluginBase::MakePresetFromNamedParams(const char* name,
                                            std::initializer_list<std::pair<int, double>> values)
{
  PresetSlot* slot = FirstUninitialisedPreset();
  if (slot == nullptr) return false;
  // Whether a parameter was named is kept apart from its value, so any value,
  // including a would-be marker, can be given.
  std::vector<double> entries(static_cast<std::size_t>(NParams()));
  std::vector<bool> named(static_cast<std::size_t>(NParams()), false);
  for (const auto& [idx, value] : values)
  {
    if (idx < 0 || idx >= NParams()) continue;
    entries[static_cast<std::size_t>(idx)] = value;
    named[static_cast<std::size_t>(idx)] = true;
  }
  slot->initialised = true;
  slot->SetName(name);
  slot->chunk.Clear();
  for (int i = 0; i < NParams(); ++i)
  {
    const auto k = static_cast<std::size_t>(i);
    slot->chunk.Put(named[k] ? entries[k] : GetParam(i)->Value());
  }
  return true;
}

bool IPluginBase::MakePresetFromChunk(const char* name, const ByteChunk& chunk)
{
  PresetSlot* slot = FirstUninitialisedPreset();
  if (slot == nullptr) return false;
  ByteChunk copy;
  if (!copy.CopyFrom(chunk)) return false;
  slot->initialised = true;
  slot->SetName(name);
  slot->chunk = std::move(copy);
  return true;
}

bool IPluginBase::MakePresetFromBlob(const char* name, const char* base64, int size)
{
  if (size < 1 || size > kMaxBlobBytes) return false;
  ByteChunk decoded;
  if (decoded.Resize(size, false) < 0) return false;
  Base64Decode(base64, decoded.GetData(), size);
  return MakePresetFromChunk(name, decoded);
}

void IPluginBase::RemoveUnusedPresets()
{
  std::erase_if(mPresets,
                [](const std::unique_ptr<PresetSlot>& slot) { return !slot->initialised; });
}

// Dumps ----------------------------------------------------------------------

bool IPluginBase::DumpPresetSource(const char* path) const
{
  std::FILE* fp = OpenFileUtf8(path, "ab"); // binary: a line ends in a line feed on every platform
  if (fp == nullptr) return false;
  std::string line = "MakePreset(\"";
  line += PresetNameAt(mCurrentPresetIdx);
  line += "\"";
  for (int i = 0; i < NParams(); ++i)
    line += ", " + DumpValue(*GetParam(i));
  line += ");\n";
  const bool ok = std::fputs(line.c_str(), fp) >= 0;
  return std::fclose(fp) == 0 && ok;
}

bool IPluginBase::DumpNamedPresetSource(const char* path, const char* const* paramNames,
                                        int nNames) const
{
  std::FILE* fp = OpenFileUtf8(path, "ab"); // binary: a line ends in a line feed on every platform
  if (fp == nullptr) return false;
  char head[64];
  std::snprintf(head, sizeof head, "\", %d", NParams());
  std::string line = "  MakePresetFromNamedParams(\"";
  line += PresetNameAt(mCurrentPresetIdx);
  line += head;
  for (int i = 0; i < NParams(); ++i)
  {
    const char* paramName = (paramNames != nullptr && i < nNames) ? paramNames[i] : nullptr;
    line += ",\n    ";
    line += paramName != nullptr ? paramName : "";
    line += ", " + DumpValue(*GetParam(i));
  }
  line += ");\n";
  const bool ok = std::fputs(line.c_str(), fp) >= 0;
  return std::fclose(fp) == 0 && ok;
}

bool IPluginBase::DumpBlobPresetSource(const char* path) const
{
  std::FILE* fp = OpenFileUtf8(path, "ab"); // binary: a line ends in a line feed on every platform
  if (fp == nullptr) return false;
  const PresetSlot* slot = GetPreset(mCurrentPresetIdx);
  const std::uint8_t* data = slot != nullptr ? slot->chunk.GetData() : nullptr;
  const int size = slot != nullptr ? slot->chunk.Size() : 0;
  // The whole chunk is written however long it is: a cut blob would restore
  // a different preset.
  std::string line = "MakePresetFromBlob(\"";
  line += PresetNameAt(mCurrentPresetIdx);
  line += "\", \"";
  line += Base64Encode(data, size);
  char tail[32];
  std::snprintf(tail, sizeof tail, "\", %i);\n", size);
  line += tail;
  const bool ok = std::fputs(line.c_str(), fp) >= 0;
  return std::fclose(fp) == 0 && ok;
}

// Program and bank files -----------------------------------------------------

bool IPluginBase::MakeOpaqueBlock(ByteChunk& block, bool presets) const
{
  block.PutBytes(pf::kOpaquePrefix, sizeof pf::kOpaquePrefix);
  block.Put(pf::kOpaqueVersion);
  return presets ? SerializePresets(block) : SerializeState(block);
}

void IPluginBase::AppendProgramRecord(ByteChunk& file, const PresetSlot* slot, bool fromSlot) const
{
  pf::PutBE32(file, pf::kMagic);
  pf::PutBE32(file, 0);
  pf::PutBE32(file, pf::kProgramParams);
  pf::PutBE32(file, 1);
  pf::PutBE32(file, mUniqueID);
  pf::PutBE32(file, static_cast<std::uint32_t>(GetPluginVersion(true)));
  pf::PutBE32(file, static_cast<std::uint32_t>(NParams()));
  char name[pf::kProgramNameBytes] = {};
  if (slot != nullptr)
  {
    const std::size_t n = Utf8PrefixLength(slot->name, std::strlen(slot->name), sizeof name);
    std::memcpy(name, slot->name, n);
  }
  file.PutBytes(name, sizeof name);
  // A slot's state ends with its parameter block, whatever record precedes it.
  const int n = NParams();
  const int blockStart = fromSlot && slot != nullptr ? slot->chunk.Size() - 8 * n : 0;
  for (int i = 0; i < n; ++i)
  {
    const IParam& param = *GetParam(i);
    double value = param.Value();
    if (fromSlot)
    {
      value = 0.0;
      if (slot != nullptr && blockStart >= 0) slot->chunk.Get(value, blockStart + 8 * i);
    }
    const double normal = std::clamp(param.NormalOfValue(param.Confine(value)), 0.0, 1.0);
    pf::PutBEFloat(file, static_cast<float>(normal));
  }
}

bool IPluginBase::MakeProgramFile(ByteChunk& file) const
{
  file.Clear();
  const PresetSlot* slot = GetPreset(mCurrentPresetIdx);
  if (!mStateChunks)
  {
    AppendProgramRecord(file, slot, false);
    return file.Size() == pf::kProgramHeaderBytes + 4 * NParams();
  }
  ByteChunk block;
  if (!MakeOpaqueBlock(block, false)) return false;
  pf::PutBE32(file, pf::kMagic);
  pf::PutBE32(file, static_cast<std::uint32_t>(block.Size() + 60));
  pf::PutBE32(file, pf::kProgramChunk);
  pf::PutBE32(file, 1);
  pf::PutBE32(file, mUniqueID);
  pf::PutBE32(file, static_cast<std::uint32_t>(GetPluginVersion(true)));
  pf::PutBE32(file, static_cast<std::uint32_t>(NParams()));
  char name[pf::kProgramNameBytes] = {};
  if (slot != nullptr)
    std::memcpy(name, slot->name,
                Utf8PrefixLength(slot->name, std::strlen(slot->name), sizeof name));
  file.PutBytes(name, sizeof name);
  pf::PutBE32(file, static_cast<std::uint32_t>(block.Size()));
  return file.PutChunk(block) == pf::kProgramHeaderBytes + 4 + block.Size();
}

bool IPluginBase::MakeBankFile(ByteChunk& file) const
{
  file.Clear();
  ByteChunk block;
  if (mStateChunks && !MakeOpaqueBlock(block, true)) return false;
  pf::PutBE32(file, pf::kMagic);
  pf::PutBE32(file, mStateChunks ? static_cast<std::uint32_t>(block.Size() + 160) : 0);
  pf::PutBE32(file, mStateChunks ? pf::kBankChunk : pf::kBankParams);
  pf::PutBE32(file, 2);
  pf::PutBE32(file, mUniqueID);
  pf::PutBE32(file, static_cast<std::uint32_t>(GetPluginVersion(true)));
  pf::PutBE32(file, static_cast<std::uint32_t>(NPresets()));
  pf::PutBE32(file, static_cast<std::uint32_t>(mCurrentPresetIdx));
  const std::uint8_t reserved[pf::kBankReservedBytes] = {};
  file.PutBytes(reserved, sizeof reserved);
  if (mStateChunks)
  {
    pf::PutBE32(file, static_cast<std::uint32_t>(block.Size()));
    return file.PutChunk(block) == pf::kBankHeaderBytes + 4 + block.Size();
  }
  for (const auto& slot : mPresets)
    AppendProgramRecord(file, slot.get(), true);
  return file.Size() ==
         pf::kBankHeaderBytes + NPresets() * (pf::kProgramHeaderBytes + 4 * NParams());
}

namespace
{
bool WriteFile(const char* path, const ByteChunk& bytes)
{
  std::FILE* fp = OpenFileUtf8(path, "wb");
  if (fp == nullptr) return false;
  const bool ok = std::fwrite(bytes.GetData(), 1, static_cast<std::size_t>(bytes.Size()), fp) ==
                  static_cast<std::size_t>(bytes.Size());
  return std::fclose(fp) == 0 && ok;
}
} // namespace

bool IPluginBase::SaveProgramFile(const char* path) const
{
  ByteChunk file;
  return MakeProgramFile(file) && WriteFile(path, file);
}

bool IPluginBase::SaveBankFile(const char* path) const
{
  ByteChunk file;
  return MakeBankFile(file) && WriteFile(path, file);
}

bool IPluginBase::LoadProgramFile(const char* path)
{
  ByteChunk file;
  return ReadFileUtf8(path, file, kMaxPresetFileBytes) && LoadProgramFromChunk(file);
}

bool IPluginBase::LoadBankFile(const char* path)
{
  ByteChunk file;
  return ReadFileUtf8(path, file, kMaxPresetFileBytes) && LoadBankFromChunk(file);
}

bool IPluginBase::TakeSnapshot(Snapshot& snapshot) const
{
  snapshot.slots.clear();
  snapshot.slots.resize(mPresets.size());
  for (std::size_t i = 0; i < mPresets.size(); ++i)
  {
    snapshot.slots[i].initialised = mPresets[i]->initialised;
    std::memcpy(snapshot.slots[i].name, mPresets[i]->name, sizeof mPresets[i]->name);
    if (!snapshot.slots[i].chunk.CopyFrom(mPresets[i]->chunk)) return false;
  }
  snapshot.currentPresetIdx = mCurrentPresetIdx;
  snapshot.savedWidth = GetSavedWidth();
  snapshot.savedHeight = GetSavedHeight();
  snapshot.savedScale = GetSavedScale();
  snapshot.state.Clear();
  return SerializeState(snapshot.state);
}

void IPluginBase::RestoreSnapshot(Snapshot& snapshot)
{
  for (std::size_t i = 0; i < mPresets.size() && i < snapshot.slots.size(); ++i)
  {
    mPresets[i]->initialised = snapshot.slots[i].initialised;
    std::memcpy(mPresets[i]->name, snapshot.slots[i].name, sizeof mPresets[i]->name);
    mPresets[i]->chunk = std::move(snapshot.slots[i].chunk);
  }
  mCurrentPresetIdx = snapshot.currentPresetIdx;
  UnserializeState(snapshot.state, 0);
  SetSavedEditorState(snapshot.savedWidth, snapshot.savedHeight, snapshot.savedScale);
  AfterStateRestored();
}

void IPluginBase::SetParamsFromNormalised(const ByteChunk& file, int pos)
{
  for (int i = 0; i < NParams(); ++i)
  {
    float normal = 0.f;
    pos = pf::GetBEFloat(file, pos, normal);
    GetParam(i)->SetFromNormal(normal);
  }
}

bool IPluginBase::ApplyOpaqueBlock(const ByteChunk& file, int pos,
                                   int (IPluginBase::*read)(const ByteChunk&, int))
{
  if (!mStateChunks) return false;
  std::uint32_t blockSize = 0;
  pos = pf::GetBE32(file, pos, blockSize);
  ByteChunk block;
  int start = 0;
  if (!CopyOpaqueBlock(file, pos, blockSize, block, start)) return false;
  Snapshot snapshot;
  if (!TakeSnapshot(snapshot)) return false;
  if ((this->*read)(block, start) < 0)
  {
    RestoreSnapshot(snapshot);
    return false;
  }
  return true;
}

bool IPluginBase::LoadProgramFromChunk(const ByteChunk& file)
{
  if (file.Size() < pf::kProgramHeaderBytes) return false;
  pf::FileHeader header;
  int pos = pf::GetFileHeader(file, 0, header);
  if (pos < 0 || header.magic != pf::kMagic || header.id != mUniqueID || header.version != 1)
    return false;
  const std::uint32_t kind = header.kind;
  const std::uint32_t numParams = header.count;
  char name[PresetSlot::kMaxNameBytes + 1];
  CopyNameField(name, file.GetData() + pos, pf::kProgramNameBytes);
  pos += pf::kProgramNameBytes;

  if (kind == pf::kProgramChunk)
  {
    if (!ApplyOpaqueBlock(file, pos, &IPluginBase::UnserializeState)) return false;
  }
  else if (kind == pf::kProgramParams)
  {
    if (numParams != static_cast<std::uint32_t>(NParams()) ||
        file.Size() - pos < 4 * static_cast<long long>(NParams()))
      return false;
    SetParamsFromNormalised(file, pos);
  }
  else
    return false;

  ModifyCurrentPreset(name);
  RecallPreset(mCurrentPresetIdx);
  OnPresetsModified();
  return true;
}

bool IPluginBase::LoadBankFromChunk(const ByteChunk& file)
{
  if (file.Size() < pf::kBankHeaderBytes) return false;
  pf::FileHeader header;
  std::uint32_t currentProgram = 0;
  int pos = pf::GetFileHeader(file, 0, header);
  pos = pf::GetBE32(file, pos, currentProgram);
  if (pos < 0 || header.magic != pf::kMagic || header.id != mUniqueID) return false;
  const std::uint32_t kind = header.kind;
  const std::uint32_t numPrograms = header.count;
  pos = pf::kBankHeaderBytes;

  if (kind == pf::kBankChunk)
  {
    if (!ApplyOpaqueBlock(file, pos, &IPluginBase::UnserializePresets)) return false;
  }
  else if (kind == pf::kBankParams)
  {
    const long long recordBytes = pf::kProgramHeaderBytes + 4LL * NParams();
    const int nPrograms = static_cast<int>(
        std::min<std::uint32_t>(numPrograms, static_cast<std::uint32_t>(NPresets())));
    // Check every record before touching anything, so a malformed bank
    // changes nothing.
    for (int k = 0; k < nPrograms; ++k)
    {
      const long long at = pf::kBankHeaderBytes + k * recordBytes;
      if (at + recordBytes > file.Size()) return false;
      pf::FileHeader record;
      const int p = pf::GetFileHeader(file, static_cast<int>(at), record);
      if (p < 0 || record.magic != pf::kMagic || record.kind != pf::kProgramParams ||
          record.version != 1 || record.count != static_cast<std::uint32_t>(NParams()))
        return false;
    }
    for (int k = 0; k < nPrograms; ++k)
    {
      const int at = static_cast<int>(pf::kBankHeaderBytes + k * recordBytes);
      char name[PresetSlot::kMaxNameBytes + 1];
      CopyNameField(name, file.GetData() + at + 28, pf::kProgramNameBytes);
      RecallPreset(k);
      SetParamsFromNormalised(file, at + pf::kProgramHeaderBytes);
      ModifyCurrentPreset(name);
    }
    RecallPreset(static_cast<int>(currentProgram & 0x7FFFFFFF));
  }
  else
    return false;

  OnPresetsModified();
  return true;
}

} // namespace iplug
