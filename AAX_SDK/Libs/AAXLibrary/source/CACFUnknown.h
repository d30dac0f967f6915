#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

#include <atomic>

// Base of every object the module hands to the host (effect parameters, view).
// Holds the reference count (starts at 0: the host takes the first reference
// through a query), the controlling unknown (the outer object when aggregated,
// else the object's own inner unknown) and counts live objects for
// ACFCanUnloadNow. Objects derive from their interfaces through AAX_CACFObject,
// which forwards the interfaces' own unknown operations to the controlling one.
class CACFUnknown
{
public:
  CACFUnknown(const CACFUnknown&) = delete;
  CACFUnknown& operator=(const CACFUnknown&) = delete;

  // Number of live objects in this module. [any-thread]
  static std::int32_t ObjectCount() noexcept;

  IACFUnknown* ControllingUnknown() const noexcept { return mOuter; }
  IACFUnknown* InnerUnknown() noexcept { return &mInner; }
  std::int32_t ReferenceCount() const noexcept { return mRefCount.load(); }

protected:
  // outer: the aggregating object, or null.
  explicit CACFUnknown(IACFUnknown* outer = nullptr);
  virtual ~CACFUnknown();

  // Runs once after construction by whoever creates the object; 0 means ready.
  virtual ACFRESULT InitializeObject() { return ACF_OK; }
  // Runs when the last reference goes, before deletion.
  virtual void FinalRelease() {}
  virtual void DeleteThis() { delete this; }
  // Derived objects answer their own interface IDs and pass everything else on
  // to this base, which answers the base unknown and refuses the rest.
  virtual ACFRESULT InternalQueryInterface(const ACF_ID& iid, void** out);
  virtual std::int32_t InternalAddRef();
  virtual std::int32_t InternalRelease();

  // Hands out iface with an added reference (through the controlling unknown).
  template <typename Interface>
  static ACFRESULT Provide(Interface* iface, void** out)
  {
    *out = iface;
    static_cast<IACFUnknown*>(iface)->AddRef();
    return ACF_OK;
  }

private:
  class PrivateUnknown final : public IACFUnknown
  {
  public:
    explicit PrivateUnknown(CACFUnknown& object) : mObject(object) {}
    ACFRESULT QueryInterface(const ACF_ID& iid, void** out) override
    {
      return mObject.InternalQueryInterface(iid, out);
    }
    std::int32_t AddRef() override { return mObject.InternalAddRef(); }
    std::int32_t Release() override { return mObject.InternalRelease(); }

  private:
    CACFUnknown& mObject;
  };

  std::atomic<std::int32_t> mRefCount{0};
  PrivateUnknown mInner;
  IACFUnknown* mOuter;
};

// An ACF object implementing the given interfaces (each derived from
// IACFUnknown): their query, add-reference and release all go to the
// controlling unknown.
template <typename... Interfaces>
class AAX_CACFObject : public Interfaces..., public CACFUnknown
{
public:
  ACFRESULT QueryInterface(const ACF_ID& iid, void** out) override
  {
    return ControllingUnknown()->QueryInterface(iid, out);
  }
  std::int32_t AddRef() override { return ControllingUnknown()->AddRef(); }
  std::int32_t Release() override { return ControllingUnknown()->Release(); }

protected:
  explicit AAX_CACFObject(IACFUnknown* outer = nullptr) : CACFUnknown(outer) {}
  ~AAX_CACFObject() override = default;
};
