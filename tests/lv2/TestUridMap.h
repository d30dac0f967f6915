#pragma once

// A host's URI map and unmap for tests that drive an LV2 instance themselves:
// URIs get the numbers 1, 2, ... in the order they are first seen.

#include "lv2/core/lv2.h"
#include "lv2/urid/urid.h"

#include <deque>
#include <string>

namespace lv2test
{

class TestUridMap
{
public:
  TestUridMap() : mFeature{LV2_URID__map, &mMap}, mUnmapFeature{LV2_URID__unmap, &mUnmap} {}
  TestUridMap(const TestUridMap&) = delete;
  TestUridMap& operator=(const TestUridMap&) = delete;

  LV2_URID Map(const char* uri)
  {
    for (std::size_t i = 0; i < mUris.size(); ++i)
      if (mUris[i] == uri) return static_cast<LV2_URID>(i + 1);
    mUris.emplace_back(uri);
    return static_cast<LV2_URID>(mUris.size());
  }
  // The URI of a number Map gave; "" for any other.
  std::string Unmap(LV2_URID urid) const
  {
    return urid >= 1 && urid <= mUris.size() ? mUris[urid - 1] : std::string();
  }
  const LV2_Feature* Feature() const { return &mFeature; }
  const LV2_Feature* UnmapFeature() const { return &mUnmapFeature; }
  LV2_URID_Map* MapInterface() { return &mMap; }
  LV2_URID_Unmap* UnmapInterface() { return &mUnmap; }

private:
  static LV2_URID MapCallback(LV2_URID_Map_Handle handle, const char* uri)
  {
    return static_cast<TestUridMap*>(handle)->Map(uri);
  }
  static const char* UnmapCallback(LV2_URID_Unmap_Handle handle, LV2_URID urid)
  {
    const auto* self = static_cast<const TestUridMap*>(handle);
    return urid >= 1 && urid <= self->mUris.size() ? self->mUris[urid - 1].c_str() : nullptr;
  }

  std::deque<std::string> mUris; // a deque: the unmapped strings never move
  LV2_URID_Map mMap{this, &MapCallback};
  LV2_URID_Unmap mUnmap{this, &UnmapCallback};
  LV2_Feature mFeature;
  LV2_Feature mUnmapFeature;
};

} // namespace lv2test
