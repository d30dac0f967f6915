#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

#include <cstddef>

// The host's chunk record: a 56-byte header followed by mSize data bytes. The
// host allocates the record; the data area is as long as the header says, so
// reach it through AAX_ChunkData rather than by indexing a member array.
struct AAX_ChunkRecord
{
  std::int32_t mSize; // number of data bytes
  std::int32_t mVersion;
  AAX_CTypeID mManufacturerID;
  AAX_CTypeID mProductID;
  AAX_CTypeID mPlugInID;
  AAX_CTypeID mChunkID;
  char mName[32]; // zero-filled
};

inline constexpr std::size_t AAX_CHUNK_HEADER_SIZE = 56;

static_assert(offsetof(AAX_ChunkRecord, mSize) == 0);
static_assert(offsetof(AAX_ChunkRecord, mVersion) == 4);
static_assert(offsetof(AAX_ChunkRecord, mChunkID) == 20);
static_assert(offsetof(AAX_ChunkRecord, mName) == 24);
static_assert(sizeof(AAX_ChunkRecord) == AAX_CHUNK_HEADER_SIZE);

inline unsigned char* AAX_ChunkData(AAX_ChunkRecord* record)
{
  return reinterpret_cast<unsigned char*>(record) + AAX_CHUNK_HEADER_SIZE;
}

inline const unsigned char* AAX_ChunkData(const AAX_ChunkRecord* record)
{
  return reinterpret_cast<const unsigned char*>(record) + AAX_CHUNK_HEADER_SIZE;
}
