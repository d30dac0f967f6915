// Group 8: real-time safety. Counts heap allocations and releases, lock
// acquisitions and system calls (files, sleeps, thread creation) made inside
// the module's render procedure (and nowhere else) while it renders with
// block sizes that grow, parameter changes and HostIdle between calls and
// every component.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/RealtimeCounters.h"
#include "Host/Validator/RealtimeImportHooks.h"
#include "Host/Validator/RealtimeProbe.h"
#include "Host/Validator/ValidationContext.h"

namespace plughost
{

void RunRealtimeChecks(ValidationContext& context)
{
  constexpr int kGroup = 8;
  constexpr int kMaxBlock = 4096;
  ValidationSession& session = context.session;
  std::string hookDetail;
  // Windows: this module's own imports, patched now (the answer is about
  // this module, not any seen before).
  const bool imports = InstallImportHooks(session.Module(), hookDetail);
  const unsigned hooks = RealtimeCounters::Installed();
  const bool allocationHook =
      imports || (hooks & (RealtimeCounters::kMalloc | RealtimeCounters::kNew)) != 0;
  const bool lockHook = imports || (hooks & RealtimeCounters::kMutex) != 0;
  const bool freeHook = imports || (hooks & RealtimeCounters::kFree) != 0;
  const bool systemHook = imports || (hooks & RealtimeCounters::kSystem) != 0;

  const int calls = context.options.Full() ? 20000 : 3000;
  RealtimeProbe probe;
  const RealtimeCounters::Counts before = RealtimeCounters::Read();
  std::int64_t frames = 0;
  std::string failure;
  const auto& parameters = session.Parameters();
  for (std::size_t component = 0; component < session.ComponentCount(); ++component)
  {
    std::string error;
    auto instance = session.MakeInstance(component, 48000.0f, error);
    if (!instance)
    {
      failure = error;
      break;
    }
    const std::size_t channels = std::max(ValidationSession::InputChannels(*instance),
                                          ValidationSession::OutputChannels(*instance));
    AudioBlock block(channels, kMaxBlock);
    for (std::size_t c = 0; c < channels; ++c)
      for (int i = 0; i < kMaxBlock; ++i)
        block.In(c)[i] = static_cast<float>(context.random.Uniform() * 2.0 - 1.0);
    instance->SetRenderProbe(&probe);
    for (int call = 0; call < calls; ++call)
    {
      // Parameter changes reach the render call through the update pass.
      if (call % 3 == 0 && !parameters.empty())
      {
        const auto& parameter = parameters[context.random.Below(parameters.size())];
        instance->Effect().ApplyHostParamValue(parameter.id.c_str(), context.random.Uniform(), 1);
        ++context.report.Work().parameterChanges;
      }
      // Mostly small blocks, and now and then one that grows to the largest.
      const int size = call % 97 == 50 ? kMaxBlock : static_cast<int>(context.random.Below(600));
      if (instance->Render(block.Inputs(), block.Outputs(), size) != AAX_SUCCESS)
        failure = "a render call failed";
      frames += size;
      // The host's idle call between renders, as a DAW's main thread makes it.
      if (call % 16 == 0) instance->Idle();
    }
    instance->SetRenderProbe(nullptr);
  }
  const RealtimeCounters::Counts after = RealtimeCounters::Read();
  context.report.Work().framesProcessed += frames;
  context.report.Work().renderCalls += calls * static_cast<std::int64_t>(session.ComponentCount());
  const std::int64_t allocations = after.allocations - before.allocations;
  const std::int64_t locks = after.locks - before.locks;
  const std::int64_t deallocations = after.deallocations - before.deallocations;
  const std::int64_t systemCalls = after.systemCalls - before.systemCalls;
  const double renderCalls = static_cast<double>(calls) * session.ComponentCount();

  auto counted = [&](bool hooked, std::int64_t count, const char* what)
  {
    return !failure.empty() ? failure
           : !hooked        ? std::string("this executable has no ") + what + " hook" + hookDetail
           : count == 0     ? "none counted" + hookDetail
                            : std::to_string(count) + " " + what + "s counted";
  };
  context.Check(kGroup, "no allocation inside the render callback",
                failure.empty() && allocationHook && allocations == 0,
                counted(allocationHook, allocations, "allocation"),
                {{"render calls", renderCalls},
                 {"frames", static_cast<double>(frames)},
                 {"allocations", static_cast<double>(allocations)}});
  context.Check(
      kGroup, "no deallocation inside the render callback",
      failure.empty() && freeHook && deallocations == 0,
      counted(freeHook, deallocations, "deallocation"),
      {{"render calls", renderCalls}, {"deallocations", static_cast<double>(deallocations)}});
  context.Check(kGroup, "no lock taken inside the render callback",
                failure.empty() && lockHook && locks == 0,
                counted(lockHook, locks, "lock acquisition"),
                {{"render calls", renderCalls}, {"locks", static_cast<double>(locks)}});
  if (systemHook)
    context.Check(
        kGroup, "no file, sleep or thread call inside the render callback",
        failure.empty() && systemCalls == 0, counted(systemHook, systemCalls, "system call"),
        {{"render calls", renderCalls}, {"system calls", static_cast<double>(systemCalls)}});
  else
    context.Skip(kGroup, "no file, sleep or thread call inside the render callback",
                 "system calls are not counted here (a sanitizer intercepts them, or no hook)");
}

} // namespace plughost
