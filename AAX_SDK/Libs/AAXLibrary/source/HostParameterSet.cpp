#include "AAX_SDK/Libs/AAXLibrary/source/HostParameterSet.h"

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VAutomationDelegate.h"

#include <algorithm>
#include <string_view>

HostParameterSet::~HostParameterSet()
{
  RemoveAll();
}

void HostParameterSet::SetAutomationDelegate(AAX_VAutomationDelegate* delegate)
{
  mDelegate = delegate;
  for (const auto& parameter : mList)
    parameter->SetAutomationDelegate(mDelegate);
}

AAX_IParameter* HostParameterSet::Add(std::unique_ptr<AAX_IParameter> parameter)
{
  if (!parameter) return nullptr;
  const std::string id = parameter->Identifier();
  if (mById.count(id) != 0) return nullptr;
  parameter->SetAutomationDelegate(mDelegate);
  AAX_IParameter* added = parameter.get();
  mList.push_back(std::move(parameter));
  mById.emplace(id, added);
  return added;
}

AAX_IParameter* HostParameterSet::Find(AAX_CParamID identifier) const
{
  if (identifier == nullptr) return nullptr;
  const auto found = mById.find(std::string_view(identifier));
  return found == mById.end() ? nullptr : found->second;
}

void HostParameterSet::Remove(AAX_CParamID identifier)
{
  if (identifier == nullptr) return;
  const std::string_view id(identifier);
  const auto it = std::find_if(mList.begin(), mList.end(),
                               [&](const auto& p) { return id == p->Identifier(); });
  if (it == mList.end()) return;
  mById.erase(mById.find(id));
  mList.erase(it);
}

void HostParameterSet::RemoveAll()
{
  mById.clear();
  mList.clear();
}

AAX_IParameter* HostParameterSet::At(std::size_t index) const
{
  return index < mList.size() ? mList[index].get() : nullptr;
}
