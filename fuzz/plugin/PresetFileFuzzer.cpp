#include "FuzzPlugin.h"

#include <cstdint>
#include <cstdlib>

// Program and bank files: the first byte picks the loader and whether the
// plug-in keeps its state in chunks; the rest is the file. A refused file
// must leave the state and every preset slot exactly as they were.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  if (size < 1 || size > (1u << 20)) return 0;
  plugfuzz::FuzzPlugin plug((data[0] & 2) == 0);
  plug.GetParam(0)->Set(33);
  plug.GetParam(3)->Set(-4.2);
  plug.ModifyCurrentPreset("before");
  const std::string before = plug.Fingerprint();

  iplug::ByteChunk file;
  file.PutBytes(data + 1, static_cast<int>(size - 1));
  const bool loaded =
      (data[0] & 1) ? plug.LoadBankFromChunk(file) : plug.LoadProgramFromChunk(file);
  plug.CheckInvariants();
  if (!loaded && plug.Fingerprint() != before) std::abort();
  return 0;
}
