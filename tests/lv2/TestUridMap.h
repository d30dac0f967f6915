#pragma once

// A host's URI map for tests that drive an LV2 instance themselves: URIs get
// the numbers 1, 2, ... in the order they are first seen.

#include "lv2/core/lv2.h"
#include "lv2/urid/urid.h"

#include <string>
#include <vector>

namespace lv2test
{

class TestUridMap
{
public:
  TestUridMap() : mFeature{LV2_URID__map, &mMap} {}
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

private:
  static LV2_URID MapCallback(LV2_URID_Map_Handle handle, const char* uri)
  {
    return static_cast<TestUridMap*>(handle)->Map(uri);
  }

  std::vector<std::string> mUris;
  LV2_URID_Map mMap{this, &MapCallback};
  LV2_Feature mFeature;
};

} // namespace lv2test
