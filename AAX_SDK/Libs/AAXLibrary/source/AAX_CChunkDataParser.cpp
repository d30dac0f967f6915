#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CChunkDataParser.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_IHostServices.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace
{
constexpr unsigned char kMarker[4] = {1, 1, 1, 1};

constexpr std::int64_t RoundUp4(std::int64_t n)
{
  return (n + 3) & ~std::int64_t{3};
}

const char* PrefixOf(std::int32_t type)
{
  switch (type)
  {
  case AAX_CChunkDataParser::eType_Float:
    return "f_";
  case AAX_CChunkDataParser::eType_Int32:
    return "l_";
  case AAX_CChunkDataParser::eType_Double:
    return "d_";
  case AAX_CChunkDataParser::eType_Int16:
    return "s_";
  case AAX_CChunkDataParser::eType_Text:
    return "r_";
  default:
    return nullptr;
  }
}

// Bytes of the value as stored, including the padding after it.
std::int64_t StoredValueSize(const AAX_CChunkDataParser::Entry& entry)
{
  switch (entry.type)
  {
  case AAX_CChunkDataParser::eType_Float:
  case AAX_CChunkDataParser::eType_Int32:
  case AAX_CChunkDataParser::eType_Int16:
    return 4;
  case AAX_CChunkDataParser::eType_Double:
    return 8;
  case AAX_CChunkDataParser::eType_Text:
    return RoundUp4(static_cast<std::int64_t>(entry.text.size()) + 1);
  default:
    return 0;
  }
}

// Bytes of the value before padding.
std::int64_t RawValueSize(const AAX_CChunkDataParser::Entry& entry)
{
  switch (entry.type)
  {
  case AAX_CChunkDataParser::eType_Float:
  case AAX_CChunkDataParser::eType_Int32:
    return 4;
  case AAX_CChunkDataParser::eType_Double:
    return 8;
  case AAX_CChunkDataParser::eType_Int16:
    return 2;
  case AAX_CChunkDataParser::eType_Text:
    return static_cast<std::int64_t>(entry.text.size()) + 1;
  default:
    return 0;
  }
}

void WriteBigEndian(unsigned char* dst, std::uint64_t value, int bytes)
{
  for (int i = 0; i < bytes; ++i)
    dst[i] = static_cast<unsigned char>(value >> (8 * (bytes - 1 - i)));
}

std::uint64_t ReadBigEndian(const unsigned char* src, int bytes)
{
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i)
    value = (value << 8) | src[i];
  return value;
}
} // namespace

void AAX_CChunkDataParser::ClearEntries()
{
  mEntries.clear();
  mLastHit = -1;
  mVersion = -1;
}

void AAX_CChunkDataParser::Append(std::int32_t type, const char* name, std::uint64_t numeric,
                                  const char* text)
{
  Entry entry;
  entry.type = type;
  entry.name = name ? name : "";
  entry.numeric = numeric;
  if (text) entry.text = text;
  mEntries.push_back(std::move(entry));
}

void AAX_CChunkDataParser::AppendFloat(const char* name, float value)
{
  Append(eType_Float, name, std::bit_cast<std::uint32_t>(value), nullptr);
}

void AAX_CChunkDataParser::AppendInt32(const char* name, std::int32_t value)
{
  Append(eType_Int32, name, static_cast<std::uint32_t>(value), nullptr);
}

void AAX_CChunkDataParser::AppendDouble(const char* name, double value)
{
  Append(eType_Double, name, std::bit_cast<std::uint64_t>(value), nullptr);
}

void AAX_CChunkDataParser::AppendInt16(const char* name, std::int16_t value)
{
  Append(eType_Int16, name, static_cast<std::uint16_t>(value), nullptr);
}

void AAX_CChunkDataParser::AppendText(const char* name, const char* text)
{
  Append(eType_Text, name, 0, text ? text : "");
}

int AAX_CChunkDataParser::Find(const char* name)
{
  if (name == nullptr) return -1;
  const int n = static_cast<int>(mEntries.size());
  if (mLastHit >= n - 1) mLastHit = -1;
  for (int i = mLastHit + 1; i < n; ++i)
  {
    if (mEntries[static_cast<std::size_t>(i)].name == name)
    {
      mLastHit = i;
      return i;
    }
  }
  for (int i = 0; i <= mLastHit; ++i)
  {
    if (mEntries[static_cast<std::size_t>(i)].name == name)
    {
      mLastHit = i;
      return i;
    }
  }
  return -1;
}

bool AAX_CChunkDataParser::SetDoubleValue(const char* name, double value)
{
  const int i = Find(name);
  if (i < 0 || mEntries[static_cast<std::size_t>(i)].type != eType_Double) return false;
  mEntries[static_cast<std::size_t>(i)].numeric = std::bit_cast<std::uint64_t>(value);
  return true;
}

bool AAX_CChunkDataParser::ReadFloat(const char* name, float* out)
{
  const int i = Find(name);
  if (i < 0 || mEntries[static_cast<std::size_t>(i)].type != eType_Float || !out) return false;
  *out = std::bit_cast<float>(
      static_cast<std::uint32_t>(mEntries[static_cast<std::size_t>(i)].numeric));
  return true;
}

bool AAX_CChunkDataParser::ReadInt32(const char* name, std::int32_t* out)
{
  const int i = Find(name);
  if (i < 0 || mEntries[static_cast<std::size_t>(i)].type != eType_Int32 || !out) return false;
  *out = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(mEntries[static_cast<std::size_t>(i)].numeric));
  return true;
}

bool AAX_CChunkDataParser::ReadDouble(const char* name, double* out)
{
  const int i = Find(name);
  if (i < 0 || mEntries[static_cast<std::size_t>(i)].type != eType_Double || !out) return false;
  *out = std::bit_cast<double>(mEntries[static_cast<std::size_t>(i)].numeric);
  return true;
}

bool AAX_CChunkDataParser::ReadInt16(const char* name, std::int16_t* out)
{
  const int i = Find(name);
  if (i < 0 || mEntries[static_cast<std::size_t>(i)].type != eType_Int16 || !out) return false;
  *out = static_cast<std::int16_t>(
      static_cast<std::uint16_t>(mEntries[static_cast<std::size_t>(i)].numeric));
  return true;
}

bool AAX_CChunkDataParser::ReadText(const char* name, std::string* out)
{
  const int i = Find(name);
  if (i < 0 || mEntries[static_cast<std::size_t>(i)].type != eType_Text || !out) return false;
  *out = mEntries[static_cast<std::size_t>(i)].text;
  return true;
}

std::int32_t AAX_CChunkDataParser::ContainerSize() const
{
  std::int64_t size = 4;
  for (const Entry& entry : mEntries)
  {
    size += RoundUp4(static_cast<std::int64_t>(entry.name.size()) + 3) + StoredValueSize(entry);
    if (size > std::numeric_limits<std::int32_t>::max()) return -1;
  }
  return static_cast<std::int32_t>(size);
}

std::int32_t AAX_CChunkDataParser::GetChunkData(AAX_ChunkRecord* record, std::int32_t capacity)
{
  const std::int32_t size = ContainerSize();
  if (record == nullptr || size <= 3) return AAX_RESULT_CHUNK_WRITE_FAILED;
  const std::int64_t room = std::min<std::int64_t>(size, std::max<std::int32_t>(capacity, 0));
  unsigned char* data = AAX_ChunkData(record);
  try
  {
    if (room < 4) throw std::out_of_range("aborting: chunk data will overflow buffer");
    std::memset(data, 0, static_cast<std::size_t>(room));
    std::memcpy(data, kMarker, sizeof kMarker);
    std::int64_t p = 4;
    for (const Entry& entry : mEntries)
    {
      const std::int64_t n = static_cast<std::int64_t>(entry.name.size());
      const std::int64_t q = RoundUp4(p + 2 + n + 1);
      // The per-entry check, and the true end of what this entry writes.
      if (room < RawValueSize(entry) + n + p + 3 || q + StoredValueSize(entry) > room)
        throw std::out_of_range("aborting: chunk data will overflow buffer");
      if (const char* prefix = PrefixOf(entry.type)) std::memcpy(data + p, prefix, 2);
      std::memcpy(data + p + 2, entry.name.data(), static_cast<std::size_t>(n));
      switch (entry.type)
      {
      case eType_Float:
      case eType_Int32:
        WriteBigEndian(data + q, entry.numeric, 4);
        break;
      case eType_Double:
        WriteBigEndian(data + q, entry.numeric, 8);
        break;
      case eType_Int16:
        WriteBigEndian(data + q, entry.numeric, 2);
        break;
      case eType_Text:
        std::memcpy(data + q, entry.text.data(), entry.text.size());
        break;
      default:
        break;
      }
      p = q + StoredValueSize(entry);
    }
    record->mSize = size;
    return AAX_SUCCESS;
  }
  catch (const std::exception& e)
  {
    const char* text = e.what();
    AAX_TraceMessage(AAX_TRACE_PRIORITY_CRITICAL, "AAX_CChunkDataParser::GetChunkData ERROR: %s",
                     (text && *text) ? text : "Unknown exception");
  }
  catch (...)
  {
  }
  return AAX_RESULT_CHUNK_WRITE_FAILED;
}

void AAX_CChunkDataParser::LoadContainer(const AAX_ChunkRecord* record)
{
  ClearEntries();
  if (record == nullptr) return;
  mVersion = record->mVersion;
  const std::int64_t size = record->mSize;
  const unsigned char* data = AAX_ChunkData(record);
  if (size <= 4 || std::memcmp(data, kMarker, sizeof kMarker) != 0) return;

  std::int64_t p = 4;
  while (p < size)
  {
    // The name runs to its zero byte, which must lie inside the record.
    const std::int64_t limit = std::min<std::int64_t>(size - p, kMaxLoadedNameLength);
    std::int64_t length = 0;
    while (length < limit && data[p + length] != 0)
      ++length;
    if (p + length >= size) break; // no terminator before the end of the record
    const std::int64_t q = RoundUp4(p + length + 1);
    const char* copied = reinterpret_cast<const char*>(data + p);

    Entry entry;
    entry.name.assign(copied + std::min<std::int64_t>(length, 2),
                      static_cast<std::size_t>(length - std::min<std::int64_t>(length, 2)));
    const char kind = length > 0 ? copied[0] : '\0';
    std::int64_t valueBytes = 0;
    std::int64_t next = q;
    switch (kind)
    {
    case 'd':
      entry.type = eType_Double;
      valueBytes = 8;
      next = q + 8;
      break;
    case 'f':
      entry.type = eType_Float;
      valueBytes = 4;
      next = q + 4;
      break;
    case 'l':
      entry.type = eType_Int32;
      valueBytes = 4;
      next = q + 4;
      break;
    case 's':
      entry.type = eType_Int16;
      valueBytes = 2;
      next = q + 4;
      break;
    case 'r':
    {
      entry.type = eType_Text;
      if (q >= size) return;
      const void* end = std::memchr(data + q, 0, static_cast<std::size_t>(size - q));
      if (end == nullptr) return; // the text runs past the record
      const std::int64_t t = static_cast<const unsigned char*>(end) - (data + q);
      entry.text.assign(reinterpret_cast<const char*>(data + q), static_cast<std::size_t>(t));
      next = RoundUp4(q + t + 1);
      break;
    }
    default:
      entry.type = eType_Unknown;
      break;
    }
    if (valueBytes > 0)
    {
      if (q + valueBytes > size) return; // the value runs past the record
      entry.numeric = ReadBigEndian(data + q, static_cast<int>(valueBytes));
    }
    mEntries.push_back(std::move(entry));
    p = next;
  }
}
