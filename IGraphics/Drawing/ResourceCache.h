#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace igraphics
{

// Loaded bitmaps or fonts keyed by name and scale, owning what it holds.
// Entries keep their insertion order; lookup returns the first match. Not
// locked: its owner guards it.
template <typename T>
class ResourceCache
{
public:
  ResourceCache() = default;
  ResourceCache(const ResourceCache&) = delete;
  ResourceCache& operator=(const ResourceCache&) = delete;

  // 64-bit FNV-1a of the name followed by the scale as "-%.1fx".
  static std::uint64_t Hash(const char* name, double scale)
  {
    char suffix[64];
    std::snprintf(suffix, sizeof(suffix), "-%.1fx", scale);
    std::uint64_t hash = 0xcbf29ce484222325ull;
    auto mix = [&hash](const char* text)
    {
      for (; *text; ++text)
      {
        hash ^= static_cast<unsigned char>(*text);
        hash *= 0x100000001b3ull;
      }
    };
    mix(name);
    mix(suffix);
    return hash;
  }

  T* Find(const char* name, double scale) const
  {
    const std::uint64_t hash = Hash(name, scale);
    for (const Entry& e : mEntries)
      if (e.hash == hash && e.scale == scale && e.name == name) return e.object.get();
    return nullptr;
  }

  // Returns the stored object.
  T* Add(std::unique_ptr<T> object, const char* name, double scale)
  {
    T* raw = object.get();
    mEntries.push_back(Entry{Hash(name, scale), name, scale, std::move(object)});
    return raw;
  }

  // Destroys every object; they go in insertion order.
  void Clear()
  {
    std::vector<Entry> entries = std::move(mEntries);
    mEntries.clear();
    entries.clear();
  }

  int Size() const { return static_cast<int>(mEntries.size()); }

private:
  struct Entry
  {
    std::uint64_t hash;
    std::string name;
    double scale;
    std::unique_ptr<T> object;
  };
  std::vector<Entry> mEntries;
};

} // namespace igraphics
