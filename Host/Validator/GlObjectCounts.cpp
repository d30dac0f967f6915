#include "Host/Validator/GlObjectCounts.h"

#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace plughost
{
namespace
{
// The live objects of each context, by kind and name: a name is only
// counted deleted once, and deleting a name never made (or 0) counts nothing,
// as GL itself ignores it.
struct Ledger
{
  std::mutex lock;
  GlObjectCounts::Snapshot totals; // under lock
  std::map<const void*, std::set<std::pair<GlObjectCounts::Kind, std::uint32_t>>>
      live; // under lock; a context's entry exists from its making to its destruction
};

Ledger& TheLedger()
{
  static Ledger ledger;
  return ledger;
}
} // namespace

GlObjectCounts::Snapshot GlObjectCounts::Now()
{
  Ledger& ledger = TheLedger();
  std::lock_guard<std::mutex> guard(ledger.lock);
  Snapshot now = ledger.totals;
  now.liveContexts = static_cast<std::int64_t>(ledger.live.size());
  now.liveObjects = 0;
  for (const auto& [context, objects] : ledger.live)
    now.liveObjects += static_cast<std::int64_t>(objects.size());
  return now;
}

void GlObjectCounts::Watching(bool objects)
{
  Ledger& ledger = TheLedger();
  std::lock_guard<std::mutex> guard(ledger.lock);
  ledger.totals.watched = true;
  ledger.totals.objectsWatched = ledger.totals.objectsWatched || objects;
}

void GlObjectCounts::ContextMade(const void* context)
{
  if (context == nullptr) return;
  Ledger& ledger = TheLedger();
  std::lock_guard<std::mutex> guard(ledger.lock);
  ++ledger.totals.contextsMade;
  ledger.live[context];
}

void GlObjectCounts::ContextDestroyed(const void* context)
{
  Ledger& ledger = TheLedger();
  std::lock_guard<std::mutex> guard(ledger.lock);
  const auto it = ledger.live.find(context);
  if (it == ledger.live.end()) return;
  ++ledger.totals.contextsDestroyed;
  ledger.totals.objectsLeftBehind += static_cast<std::int64_t>(it->second.size());
  ledger.live.erase(it);
}

void GlObjectCounts::ObjectsMade(const void* context, Kind kind, std::int32_t count,
                                 const std::uint32_t* names)
{
  if (names == nullptr || count <= 0) return;
  Ledger& ledger = TheLedger();
  std::lock_guard<std::mutex> guard(ledger.lock);
  const auto it = ledger.live.find(context);
  if (it == ledger.live.end()) return; // a context the hooks did not see made
  for (std::int32_t i = 0; i < count; ++i)
    if (names[i] != 0 && it->second.insert({kind, names[i]}).second) ++ledger.totals.objectsMade;
}

void GlObjectCounts::ObjectsDeleted(const void* context, Kind kind, std::int32_t count,
                                    const std::uint32_t* names)
{
  if (names == nullptr || count <= 0) return;
  Ledger& ledger = TheLedger();
  std::lock_guard<std::mutex> guard(ledger.lock);
  const auto it = ledger.live.find(context);
  if (it == ledger.live.end()) return;
  for (std::int32_t i = 0; i < count; ++i)
    if (it->second.erase({kind, names[i]}) != 0) ++ledger.totals.objectsDeleted;
}

} // namespace plughost
