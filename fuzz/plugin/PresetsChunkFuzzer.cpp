#include "FuzzPlugin.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// Preset chunks (from banks) and base64 preset text: names and states are
// read from untrusted bytes. Names must stay bounded and every value in range.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size < 1 || size > (1u << 20)) return 0;
  plugfuzz::FuzzPlugin plug;
  if (data[0] & 1)
  {
    // Base64 text after the first byte; the decoded size comes from that byte.
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int decodedSize = 1 + data[0] % 128;
    if (!plug.MakePresetFromBlob("fuzz", text.c_str(), decodedSize)) std::abort();
    if (plug.GetPreset(0)->chunk.Size() != decodedSize) std::abort();
    plug.RecallPreset(0);
  }
  else
  {
    iplug::ByteChunk chunk;
    chunk.PutBytes(data + 1, static_cast<int>(size - 1));
    const int pos = plug.UnserializePresets(chunk, 0);
    if (pos > chunk.Size()) std::abort();
  }
  plug.CheckInvariants();
  iplug::ByteChunk again;
  if (!plug.SerializePresets(again)) std::abort();
  return 0;
}
