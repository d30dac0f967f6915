// The host's state chunk as the adapter reads it: ApplyChunk and CompareChunk
// on arbitrary bytes. Input: byte 0 chooses the call (even: apply, odd:
// compare), byte 1 the chunk identifier (0: the plug-in's, else a foreign
// one), the rest is the chunk's data. Afterwards the state must still be
// whole: 60 bytes that read back.

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Examples/Brasmire/Brasmire.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  // One instance for the run; the host holds none, so nothing releases it.
  static brasmire::Brasmire* const plug = brasmire::Brasmire::CreateInstance({});
  if (plug == nullptr || size < 2) return 0;
  const bool apply = (data[0] & 1) == 0;
  const AAX_CTypeID id = data[1] == 0 ? plug->GetUniqueID() : AAX_FourCC("elck");
  const std::size_t bytes = size - 2;

  std::vector<std::uint64_t> buffer((AAX_CHUNK_HEADER_SIZE + bytes + 7) / 8 + 1, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(buffer.data());
  record->mSize = static_cast<std::int32_t>(bytes);
  record->mChunkID = id;
  if (bytes > 0) std::memcpy(AAX_ChunkData(record), data + 2, bytes);

  if (apply)
    plug->ApplyChunk(id, record);
  else
  {
    bool equal = false;
    plug->CompareChunk(record, &equal);
  }

  std::uint32_t stateSize = 0;
  if (plug->ChunkSize(plug->GetUniqueID(), &stateSize) != AAX_SUCCESS ||
      stateSize != brasmire::Brasmire::kStateBytes)
    std::abort();
  std::vector<std::uint64_t> out((AAX_CHUNK_HEADER_SIZE + stateSize + 7) / 8, 0);
  auto* written = reinterpret_cast<AAX_ChunkRecord*>(out.data());
  written->mSize = static_cast<std::int32_t>(stateSize);
  if (plug->WriteChunk(plug->GetUniqueID(), written) != AAX_SUCCESS) std::abort();
  return 0;
}
