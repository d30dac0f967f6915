#include "FuzzPlugin.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Host chunks: the state reader and the state comparison read bytes from the
// host's project. Nothing may read out of bounds, every value must end inside
// its range, and a complete state must write back with the same editor record.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size > (1u << 20)) return 0;
  static plugfuzz::FuzzPlugin plug;
  const int n = static_cast<int>(size);
  iplug::ByteChunk chunk;
  chunk.PutBytes(data, n);
  plug.StateMatches(data, n, 0);
  plug.StateMatches(data, n, n % 13);
  const int pos = plug.UnserializeState(chunk, 0);
  plug.CheckInvariants();
  if (pos > n || (pos >= 0 && pos != 60)) std::abort();
  iplug::ByteChunk again;
  if (!plug.SerializeState(again) || again.Size() != 60) std::abort();
  if (!plug.StateMatches(again.GetData(), again.Size(), 0)) std::abort();
  if (pos >= 0 && std::memcmp(again.GetData(), data, 12) != 0) std::abort();
  return 0;
}
