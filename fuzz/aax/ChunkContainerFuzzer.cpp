#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CChunkDataParser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

// Chunk records come from saved projects. Loading any bytes must stay inside
// the record; whatever loads with known types must write and load back to the
// same entries.
namespace
{
std::vector<unsigned char> MakeRecord(const std::uint8_t* data, std::size_t size)
{
  std::vector<unsigned char> bytes(AAX_CHUNK_HEADER_SIZE + size, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(bytes.data());
  record->mSize = static_cast<std::int32_t>(size);
  if (size) std::memcpy(bytes.data() + AAX_CHUNK_HEADER_SIZE, data, size);
  return bytes;
}

bool SameEntries(const AAX_CChunkDataParser& a, const AAX_CChunkDataParser& b)
{
  if (a.Entries().size() != b.Entries().size()) return false;
  for (std::size_t i = 0; i < a.Entries().size(); ++i)
  {
    const auto& x = a.Entries()[i];
    const auto& y = b.Entries()[i];
    if (x.type != y.type || x.name != y.name || x.numeric != y.numeric || x.text != y.text)
      return false;
  }
  return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size > (1u << 20)) return 0;
  std::vector<unsigned char> bytes = MakeRecord(data, size);
  AAX_CChunkDataParser parser;
  parser.LoadContainer(reinterpret_cast<AAX_ChunkRecord*>(bytes.data()));

  for (const auto& entry : parser.Entries())
    if (entry.type == AAX_CChunkDataParser::eType_Unknown) return 0; // no encoding to check

  const std::int32_t written = parser.ContainerSize();
  if (written < 4) std::abort();
  std::vector<unsigned char> out(AAX_CHUNK_HEADER_SIZE + static_cast<std::size_t>(written), 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(out.data());
  if (parser.GetChunkData(record, written) != 0 || record->mSize != written) std::abort();
  AAX_CChunkDataParser again;
  again.LoadContainer(record);
  if (!SameEntries(parser, again)) std::abort();
  return 0;
}
