#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_VAutomationDelegate;

// The host parameters of one effect, in registration order and by identifier.
// Owns them; each one is attached to the set's automation delegate.
// [any-thread except audio; the host does not call structural operations concurrently]
class HostParameterSet
{
public:
  HostParameterSet() = default;
  HostParameterSet(const HostParameterSet&) = delete;
  HostParameterSet& operator=(const HostParameterSet&) = delete;
  ~HostParameterSet();

  // Null detaches; parameters already held are moved to the new delegate.
  void SetAutomationDelegate(AAX_VAutomationDelegate* delegate);

  // Takes ownership. Answers the parameter, or null when it was refused (no
  // parameter, or its identifier is already held) and destroyed.
  AAX_IParameter* Add(std::unique_ptr<AAX_IParameter> parameter);
  AAX_IParameter* Find(AAX_CParamID identifier) const;
  void Remove(AAX_CParamID identifier);
  void RemoveAll();

  std::size_t Count() const noexcept { return mList.size(); }
  // Null when index is out of range.
  AAX_IParameter* At(std::size_t index) const;

private:
  AAX_VAutomationDelegate* mDelegate = nullptr; // not owned
  std::vector<std::unique_ptr<AAX_IParameter>> mList;
  std::map<std::string, AAX_IParameter*, std::less<>> mById;
};
