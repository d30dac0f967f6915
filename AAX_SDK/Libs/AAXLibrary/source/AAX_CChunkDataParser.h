#pragma once

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// A flat list of named, typed values that travels as the data of a host chunk
// record: a 4-byte marker, then one 4-byte-aligned entry per value (two-letter
// type prefix, name, zero byte, padding, big-endian value). Not thread-safe:
// the owner serialises structural calls.
// [any-thread except audio, one at a time]
class AAX_CChunkDataParser
{
public:
  enum EType : std::int32_t
  {
    eType_Unknown = 0,
    eType_Float = 1,  // "f_"
    eType_Int32 = 2,  // "l_"
    eType_Double = 3, // "d_"
    eType_Int16 = 4,  // "s_"
    eType_Text = 5,   // "r_"
  };

  struct Entry
  {
    std::int32_t type = eType_Unknown;
    std::string name;
    std::uint64_t numeric = 0; // the value's bits for the numeric types
    std::string text;
  };

  AAX_CChunkDataParser() = default;

  void ClearEntries();

  // Names are not checked for duplicates.
  void AppendFloat(const char* name, float value);
  void AppendInt32(const char* name, std::int32_t value);
  void AppendDouble(const char* name, double value);
  void AppendInt16(const char* name, std::int16_t value);
  void AppendText(const char* name, const char* text);

  // false when no entry of that name exists or it has another type.
  bool SetDoubleValue(const char* name, double value);

  // true and the value when an entry of that name and type exists; otherwise
  // false and out untouched. The search starts after the last entry found.
  bool ReadFloat(const char* name, float* out);
  bool ReadInt32(const char* name, std::int32_t* out);
  bool ReadDouble(const char* name, double* out);
  bool ReadInt16(const char* name, std::int16_t* out);
  bool ReadText(const char* name, std::string* out);

  // Number of data bytes GetChunkData writes; -1 when it would not fit an int32.
  std::int32_t ContainerSize() const;

  // Writes the container into the record's data area, which must hold
  // ContainerSize() bytes, or capacity bytes when that is smaller (then the
  // write stops where the room ends). 0 and the record's size set on success;
  // -333 (traced) when the data would overflow.
  std::int32_t GetChunkData(AAX_ChunkRecord* record,
                            std::int32_t capacity = std::numeric_limits<std::int32_t>::max());

  // Replaces the entries by those of the record. The record's size field gives
  // the number of data bytes that follow its header; no byte outside them is
  // read. Loading stops at the first entry that does not fit, keeping the
  // entries before it. A record without the marker loads as empty.
  void LoadContainer(const AAX_ChunkRecord* record);

  std::int32_t ContainerVersion() const noexcept { return mVersion; }
  const std::vector<Entry>& Entries() const noexcept { return mEntries; }

  static constexpr std::int32_t kMaxLoadedNameLength = 255;

private:
  // Index of the entry found, or -1. Updates the last hit.
  int Find(const char* name);
  void Append(std::int32_t type, const char* name, std::uint64_t numeric, const char* text);

  std::vector<Entry> mEntries;
  int mLastHit = -1;
  std::int32_t mVersion = -1;
};
