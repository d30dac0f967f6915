#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"

#include <gtest/gtest.h>

namespace
{
constexpr ACF_ID kProbeIID = ACF_MakeID("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");

class IProbe : public IACFUnknown
{
public:
  virtual int Value() = 0;

protected:
  ~IProbe() = default;
};

struct Log
{
  int finalReleases = 0;
  int destroyed = 0;
};

class Probe final : public AAX_CACFObject<IProbe>
{
public:
  Probe(Log& log, IACFUnknown* outer = nullptr) : AAX_CACFObject(outer), mLog(log) {}
  int Value() override { return 7; }

protected:
  ACFRESULT InternalQueryInterface(const ACF_ID& iid, void** out) override
  {
    if (iid == kProbeIID) return Provide(static_cast<IProbe*>(this), out);
    return CACFUnknown::InternalQueryInterface(iid, out);
  }
  void FinalRelease() override
  {
    ++mLog.finalReleases;
    EXPECT_EQ(mLog.destroyed, 0);
  }

private:
  ~Probe() override { ++mLog.destroyed; }
  Log& mLog;
};

// An outer object that counts what reaches it.
class Outer final : public IACFUnknown
{
public:
  ACFRESULT QueryInterface(const ACF_ID&, void** out) override
  {
    ++queries;
    *out = nullptr;
    return ACF_E_NOINTERFACE;
  }
  std::int32_t AddRef() override { return ++references; }
  std::int32_t Release() override { return --references; }
  int queries = 0;
  std::int32_t references = 0;
};
} // namespace

TEST(CACFUnknown, CountsReferencesAndLiveObjects)
{
  const std::int32_t before = CACFUnknown::ObjectCount();
  Log log;
  auto* probe = new Probe(log);
  EXPECT_EQ(CACFUnknown::ObjectCount(), before + 1);
  EXPECT_EQ(probe->ReferenceCount(), 0);
  EXPECT_EQ(probe->AddRef(), 1);
  EXPECT_EQ(probe->AddRef(), 2);
  EXPECT_EQ(probe->Release(), 1);
  EXPECT_EQ(log.finalReleases, 0);
  EXPECT_EQ(probe->Release(), 0);
  EXPECT_EQ(log.finalReleases, 1);
  EXPECT_EQ(log.destroyed, 1);
  EXPECT_EQ(CACFUnknown::ObjectCount(), before);
}

TEST(CACFUnknown, AnswersItsOwnIdsTheBaseUnknownAndNothingElse)
{
  Log log;
  auto* probe = new Probe(log);
  probe->AddRef();
  void* out = nullptr;
  ASSERT_EQ(probe->QueryInterface(kProbeIID, &out), ACF_OK);
  EXPECT_EQ(static_cast<IProbe*>(out)->Value(), 7);
  EXPECT_EQ(probe->ReferenceCount(), 2);
  static_cast<IProbe*>(out)->Release();

  ASSERT_EQ(probe->QueryInterface(IID_IACFUnknown, &out), ACF_OK);
  EXPECT_EQ(out, probe->InnerUnknown());
  EXPECT_EQ(probe->ReferenceCount(), 2);
  static_cast<IACFUnknown*>(out)->Release();

  out = probe;
  EXPECT_EQ(probe->QueryInterface(AAX_IID_EffectGUI, &out), ACF_E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(probe->ReferenceCount(), 1);
  probe->Release();
  EXPECT_EQ(log.destroyed, 1);
}

TEST(CACFUnknown, AnAggregatedObjectForwardsItsInterfacesToTheOuterObject)
{
  Log log;
  Outer outer;
  auto* probe = new Probe(log, &outer);
  EXPECT_EQ(probe->ControllingUnknown(), &outer);
  probe->AddRef();
  EXPECT_EQ(outer.references, 1);
  void* out = nullptr;
  probe->QueryInterface(kProbeIID, &out);
  EXPECT_EQ(outer.queries, 1);
  probe->Release();
  EXPECT_EQ(outer.references, 0);
  // The outer object owns the aggregate through its inner unknown.
  IACFUnknown* inner = probe->InnerUnknown();
  EXPECT_EQ(inner->AddRef(), 1);
  ASSERT_EQ(inner->QueryInterface(kProbeIID, &out), ACF_OK);
  EXPECT_EQ(outer.references, 1); // the handed-out interface counts on the outer object
  static_cast<IProbe*>(out)->Release();
  EXPECT_EQ(inner->Release(), 0);
  EXPECT_EQ(log.destroyed, 1);
}
