#include "Host/PlugHost/AtomicFileWriter.h"
#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/ModuleSession.h"

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace plughost
{

namespace
{
constexpr const char* kUsage =
    "usage: plughost state MODULE [--load FILE] [--param NAME=VALUE]...\n"
    "                      [--print] [--save FILE] [--compare FILE]\n\n"
    "Works on the state a host stores with a project: the effect's chunk, kept in a\n"
    "file as the host's chunk record (56-byte header, then the effect's bytes).\n"
    "Steps run in this order on one stereo instance:\n\n"
    "  --load FILE          apply a saved state\n"
    "  --param NAME=VALUE   set a parameter as a user types it (repeatable)\n"
    "  --print              print every parameter's value text\n"
    "  --save FILE          write the current state\n"
    "  --compare FILE       exit 0 if FILE equals the current state, 1 if not\n";

// The largest state this host accepts from a file.
constexpr std::size_t kMaxStateBytes = 16u << 20;

std::string FourCC(AAX_CTypeID id)
{
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8)
  {
    const char c = static_cast<char>((id >> shift) & 0xFF);
    text += (c >= 0x20 && c <= 0x7E) ? c : '?';
  }
  return "'" + text + "'";
}

std::filesystem::path PathOf(const std::string& utf8)
{
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A chunk record read from a file, kept 8-byte aligned like a host's.
struct StateFile
{
  std::vector<std::uint64_t> words;
  AAX_ChunkRecord* Record() { return reinterpret_cast<AAX_ChunkRecord*>(words.data()); }
};

bool ReadState(const std::string& path, aaxhost::HostInstance& instance, StateFile* state,
               std::string* error)
{
  std::error_code code;
  if (!std::filesystem::is_regular_file(PathOf(path), code))
  {
    *error = "cannot read state " + path + ": no such file";
    return false;
  }
#ifdef _WIN32
  std::FILE* file = _wfopen(PathOf(path).c_str(), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (file == nullptr)
  {
    *error = "cannot read state " + path + ": " + std::strerror(errno);
    return false;
  }
  std::vector<unsigned char> bytes;
  unsigned char chunk[4096];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= kMaxStateBytes)
    bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  if (bytes.size() > kMaxStateBytes)
  {
    *error = path + " is too large to be a state file";
    return false;
  }
  if (bytes.size() < AAX_CHUNK_HEADER_SIZE)
  {
    *error = path + " is not a state file: " + std::to_string(bytes.size()) +
             " bytes, shorter than a chunk header";
    return false;
  }
  state->words.assign((bytes.size() + 7) / 8, 0);
  std::memcpy(state->words.data(), bytes.data(), bytes.size());
  AAX_ChunkRecord* record = state->Record();
  const std::size_t data = bytes.size() - AAX_CHUNK_HEADER_SIZE;
  if (record->mSize < 0 || static_cast<std::size_t>(record->mSize) != data)
  {
    *error = path + " is not a state file: its header says " + std::to_string(record->mSize) +
             " bytes of data but " + std::to_string(data) + " follow";
    return false;
  }
  std::int32_t count = 0;
  instance.Effect().ChunkCount(&count);
  for (std::int32_t i = 0; i < count; ++i)
  {
    AAX_CTypeID id = 0;
    if (instance.Effect().ChunkIdAt(i, &id) == AAX_SUCCESS && id == record->mChunkID) return true;
  }
  *error = path + " holds chunk " + FourCC(record->mChunkID) + ", which this effect does not use";
  return false;
}

bool SaveState(const std::string& path, aaxhost::HostInstance& instance, std::string* error)
{
  AAX_IEffectParameters& effect = instance.Effect();
  AAX_CTypeID id = 0;
  std::uint32_t size = 0;
  if (effect.ChunkIdAt(0, &id) != AAX_SUCCESS || effect.ChunkSize(id, &size) != AAX_SUCCESS ||
      size > kMaxStateBytes)
  {
    *error = "the effect offers no state chunk";
    return false;
  }
  StateFile state;
  state.words.assign((AAX_CHUNK_HEADER_SIZE + size + 7) / 8, 0);
  AAX_ChunkRecord* record = state.Record();
  record->mSize = static_cast<std::int32_t>(size);
  record->mChunkID = id;
  const AAX_Result written = effect.WriteChunk(id, record);
  if (written != AAX_SUCCESS || record->mSize < 0 ||
      static_cast<std::uint32_t>(record->mSize) > size)
  {
    *error = "the effect could not write its state (result " + std::to_string(written) + ")";
    return false;
  }
  record->mChunkID = id;
  return AtomicFileWriter::WriteWhole(
      path, state.words.data(), AAX_CHUNK_HEADER_SIZE + static_cast<std::size_t>(record->mSize),
      error);
}
} // namespace

int StateCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, kUsage)) return kExitOk;
  CommandLine line;
  std::string error;
  if (!line.Parse(args,
                  {{"--save", true},
                   {"--load", true},
                   {"--compare", true},
                   {"--print"},
                   {"--param", true, true}},
                  1, 1, &error))
    return Fail("state: " + error);
  if (!line.Has("--save") && !line.Has("--load") && !line.Has("--compare") && !line.Has("--print"))
    return Fail("state: nothing to do: give --save, --load, --print or --compare");

  auto session = ModuleSession::Open(line.Positional()[0], &error);
  if (!session) return Fail(error);
  if (!session->CreateInstance(2, 48000.0f, &error)) return Fail(error);
  aaxhost::HostInstance& instance = session->Instance();

  // Files are read before anything changes, so a bad one stops the run cleanly.
  StateFile loaded;
  StateFile compared;
  if (const auto path = line.Value("--load"); path && !ReadState(*path, instance, &loaded, &error))
    return Fail(error);
  if (const auto path = line.Value("--compare");
      path && !ReadState(*path, instance, &compared, &error))
    return Fail(error);

  if (const auto path = line.Value("--load"))
  {
    const AAX_Result applied =
        instance.Effect().ApplyChunk(loaded.Record()->mChunkID, loaded.Record());
    if (applied != AAX_SUCCESS)
      return Fail("the effect rejected the state in " + *path + " (result " +
                  std::to_string(applied) + ")");
  }
  if (!session->ApplySettings(line.Values("--param"), &error)) return Fail(error);
  if (line.Has("--print"))
    for (const ParamInfo& p : session->Parameters())
      std::printf("%-16s %s\n", p.name.c_str(), p.valueText.c_str());
  if (const auto path = line.Value("--save"); path && !SaveState(*path, instance, &error))
    return Fail(error);
  if (const auto path = line.Value("--compare"))
  {
    bool equal = false;
    const AAX_Result result = instance.Effect().CompareChunk(compared.Record(), &equal);
    if (result != AAX_SUCCESS)
      return Fail("the effect could not compare the state in " + *path + " (result " +
                  std::to_string(result) + ")");
    std::printf("%s\n", equal ? "equal" : "different");
    return equal ? kExitOk : kExitDifferent;
  }
  return kExitOk;
}

} // namespace plughost
