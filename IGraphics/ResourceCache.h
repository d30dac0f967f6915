#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace igraphics
{

// The key text of a cached resource: the name, a hyphen, the scale with one decimal and "x"
// ("BKNOB.png-2.0x"). [any-thread]
std::string ResourceCacheKey(std::string_view name, double scale);

// 64-bit FNV-1a of the text. [any-thread]
std::uint64_t Fnv1a64(std::string_view text);

// A keyed store of loaded bitmaps or fonts that owns them. An entry matches a lookup when its
// hash, scale (exactly) and name are all equal; the hash only speeds the scan up. Every
// operation takes the cache's lock, so caches shared between editors may be used from each
// editor's thread. Pointers handed out stay valid until the entry is removed or the cache
// cleared. [any-thread]
template <typename T>
class ResourceCache
{
public:
  ResourceCache() = default;
  ResourceCache(const ResourceCache&) = delete;
  ResourceCache& operator=(const ResourceCache&) = delete;

  T* Find(std::string_view name, double scale) const
  {
    const std::uint64_t hash = Fnv1a64(ResourceCacheKey(name, scale));
    std::lock_guard lock(mMutex);
    for (const Entry& entry : mEntries)
      if (entry.hash == hash && entry.scale == scale && entry.name == name)
        return entry.object.get();
    return nullptr;
  }

  // Takes `object` under (name, scale); when an entry of that key exists already (another
  // editor loaded it meanwhile), `object` is dropped and the cached one returned.
  T* Add(std::string_view name, double scale, std::unique_ptr<T> object)
  {
    if (!object) return nullptr;
    const std::uint64_t hash = Fnv1a64(ResourceCacheKey(name, scale));
    std::lock_guard lock(mMutex);
    for (const Entry& entry : mEntries)
      if (entry.hash == hash && entry.scale == scale && entry.name == name)
        return entry.object.get();
    mEntries.push_back({hash, std::string(name), scale, std::move(object)});
    return mEntries.back().object.get();
  }

  // Deletes the entry owning `object`; false when no entry does.
  bool Remove(const T* object)
  {
    std::lock_guard lock(mMutex);
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it)
    {
      if (it->object.get() != object) continue;
      mEntries.erase(it);
      return true;
    }
    return false;
  }

  void Clear()
  {
    std::vector<Entry> doomed;
    {
      std::lock_guard lock(mMutex);
      doomed.swap(mEntries);
    }
    // Destroyed outside the lock: a destructor may reach for the cache.
  }

  int Size() const
  {
    std::lock_guard lock(mMutex);
    return static_cast<int>(mEntries.size());
  }

  // Editors that share this cache: while any holds it, entries stay; the last one to let go
  // clears it.
  void Retain()
  {
    std::lock_guard lock(mMutex);
    ++mUsers;
  }
  void Release()
  {
    std::vector<Entry> doomed;
    {
      std::lock_guard lock(mMutex);
      if (mUsers > 0 && --mUsers == 0) doomed.swap(mEntries);
    }
  }
  int Users() const
  {
    std::lock_guard lock(mMutex);
    return mUsers;
  }

private:
  struct Entry
  {
    std::uint64_t hash;
    std::string name;
    double scale;
    std::unique_ptr<T> object;
  };

  mutable std::mutex mMutex;
  std::vector<Entry> mEntries; // under mMutex
  int mUsers = 0;              // under mMutex
};

} // namespace igraphics
