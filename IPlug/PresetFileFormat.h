#pragma once

#include "IPlug/ByteChunk.h"

#include <cstdint>

// Program and bank files: every multi-byte field is big-endian, four-character
// codes are stored as their four characters. A program file is a 56-byte
// header (magic, byte size, kind, format version, plug-in ID, decimal
// version, parameter count, 28-byte name) and its payload; a bank file is a
// 156-byte header (magic, byte size, kind, format version, plug-in ID,
// decimal version, program count, current program, 124 zero bytes) and its
// payload. The chunk forms carry an opaque block: "tffp", int32 0x00010000
// little-endian, then the plug-in's own state or presets.
namespace iplug::presetfile
{

constexpr std::uint32_t FourCC(const char (&code)[5])
{
  return static_cast<std::uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(code[3]));
}

inline constexpr std::uint32_t kMagic = FourCC("CcnK");
inline constexpr std::uint32_t kProgramChunk = FourCC("FPCh");
inline constexpr std::uint32_t kProgramParams = FourCC("FxCk");
inline constexpr std::uint32_t kBankChunk = FourCC("FBCh");
inline constexpr std::uint32_t kBankParams = FourCC("FxBk");
inline constexpr char kOpaquePrefix[4] = {'t', 'f', 'f', 'p'};
inline constexpr std::int32_t kOpaqueVersion = 0x00010000; // stored little-endian
inline constexpr int kOpaqueHeaderBytes = 8;
inline constexpr int kProgramNameBytes = 28;
inline constexpr int kProgramHeaderBytes = 56;
inline constexpr int kBankHeaderBytes = 156;
inline constexpr int kBankReservedBytes = 124;

// Appends / reads a big-endian 32-bit field; reads return the next position or -1.
int PutBE32(ByteChunk& chunk, std::uint32_t value) noexcept;
int GetBE32(const ByteChunk& chunk, int pos, std::uint32_t& value) noexcept;
int PutBEFloat(ByteChunk& chunk, float value) noexcept;
int GetBEFloat(const ByteChunk& chunk, int pos, float& value) noexcept;

} // namespace iplug::presetfile
