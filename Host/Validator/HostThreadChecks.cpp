// Group 7, with a DAW's threads: every component's instance (and a second
// one of the first) renders on an audio thread of its own that only renders;
// an editor thread drags a parameter (touch, set-value requests, release) and
// an automation thread plays values back, all granted later on the host's
// automation thread, which also runs the update passes; the main thread runs
// the event loop (the plug-in's timer) and HostIdle between renders.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostAutomationThread.h"
#include "Host/HostEventLoop.h"
#include "Host/HostRenderThread.h"
#include "Host/Validator/ValidationContext.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace plughost
{
namespace
{
constexpr int kGroup = 7;
constexpr std::int32_t kBlock = 64;

struct Live
{
  std::unique_ptr<aaxhost::HostInstance> instance;
  std::unique_ptr<aaxhost::HostRenderThread> audio;
  double lastRequest = -1.0; // editor thread while it runs; main thread after
};

// The parameter the editor drags: the first continuous one that is not the
// host's bypass, so its last request can be compared exactly.
const ValidationSession::Parameter* DraggedParameter(ValidationSession& session)
{
  for (const auto& parameter : session.Parameters())
    if (!parameter.list && parameter.id != session.MasterBypassId()) return &parameter;
  return nullptr;
}
} // namespace

void RunHostThreadChecks(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const std::size_t assertionsBefore = session.AssertionCount();
  const auto duration = std::chrono::milliseconds(context.options.Full() ? 2000 : 300);
  const ValidationSession::Parameter* dragged = DraggedParameter(session);
  const auto& parameters = session.Parameters();

  aaxhost::HostAutomationThread grants;
  std::vector<Live> live;
  FirstFailure setup;
  std::vector<float> noise(997);
  for (float& x : noise)
    x = static_cast<float>(0.5 * (context.random.Uniform() * 2.0 - 1.0));
  for (std::size_t k = 0; k <= session.ComponentCount(); ++k)
  {
    std::string error;
    const std::size_t component = k % session.ComponentCount();
    auto instance = session.MakeInstance(component, 48000.0f, error);
    if (!instance)
    {
      setup.Note(error);
      continue;
    }
    instance->Automation().SetGrantThread(&grants);
    live.push_back({std::move(instance), nullptr, -1.0});
  }
  for (Live& one : live)
  {
    const std::size_t channels = std::max(ValidationSession::InputChannels(*one.instance),
                                          ValidationSession::OutputChannels(*one.instance));
    one.audio = std::make_unique<aaxhost::HostRenderThread>(*one.instance, channels, kBlock, noise);
  }

  std::atomic<bool> stop{false};
  std::atomic<std::int64_t> requests{0};
  std::thread editor(
      [&, random = ValidationRandom(context.random.Next())]() mutable
      {
        while (!stop.load() && dragged)
        {
          for (Live& one : live)
          {
            AAX_IEffectParameters& effect = one.instance->Effect();
            effect.TouchParam(dragged->id.c_str());
            for (int step = 0; step < 4; ++step)
            {
              one.lastRequest = random.Uniform();
              effect.RequestParamValue(dragged->id.c_str(), one.lastRequest);
              requests.fetch_add(1);
            }
            effect.ReleaseParam(dragged->id.c_str());
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
      });
  std::thread automation(
      [&, random = ValidationRandom(context.random.Next())]() mutable
      {
        while (!stop.load())
        {
          for (Live& one : live)
          {
            const auto& parameter = parameters[random.Below(parameters.size())];
            if (dragged == nullptr || parameter.id != dragged->id)
              grants.Post(&one.instance->Effect(), parameter.id, random.Uniform(),
                          aaxhost::HostAutomationDelegate::kHostSource);
            grants.PostUpdatePass(*one.instance);
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
      });

  // The main thread: the event loop and HostIdle while the others run.
  std::int64_t idles = 0;
  std::int64_t dispatches = 0;
  FirstFailure idleFailure;
  const auto end = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < end)
  {
    dispatches += aaxhost::HostEventLoop::RunFor(5);
    for (Live& one : live)
    {
      const AAX_Result idle = one.instance->Idle();
      ++idles;
      if (idle != AAX_SUCCESS) idleFailure.Note("HostIdle answered " + std::to_string(idle));
    }
  }
  stop.store(true);
  editor.join();
  automation.join();
  grants.Flush();

  // Every instance rendered; every last request of the drag arrived.
  FirstFailure renderFailure;
  FirstFailure lastValue;
  std::int64_t fewestBlocks = -1;
  for (Live& one : live)
  {
    one.audio->Stop();
    const std::int64_t blocks = one.audio->Blocks();
    fewestBlocks = fewestBlocks < 0 ? blocks : std::min(fewestBlocks, blocks);
    if (one.audio->FailedCalls() > 0 || one.audio->BadSamples() > 0 || blocks < 10)
      renderFailure.Note(std::to_string(blocks) + " blocks, " +
                         std::to_string(one.audio->FailedCalls()) + " failed calls, " +
                         std::to_string(one.audio->BadSamples()) +
                         " non-finite or subnormal samples on one instance's audio thread");
    context.report.Work().renderCalls += blocks;
    context.report.Work().framesProcessed += blocks * kBlock;
    if (dragged && one.lastRequest >= 0.0)
    {
      double value = -1.0;
      one.instance->Effect().ParamNormal(dragged->id.c_str(), &value);
      if (!(std::abs(value - one.lastRequest) <= 1e-6))
        lastValue.Note(dragged->name + " is " + std::to_string(value) +
                       " after the last request for " + std::to_string(one.lastRequest));
    }
    one.instance->Automation().SetGrantThread(nullptr);
  }
  context.report.Work().parameterChanges += grants.Granted();

  context.Check(kGroup,
                "instances render on audio threads of their own while editor and automation "
                "threads change parameters",
                setup.Empty() && renderFailure.Empty() && !live.empty(),
                setup.Or(renderFailure.Or("every audio thread rendered finite, normal output")),
                {{"instances", static_cast<double>(live.size())},
                 {"fewest blocks", static_cast<double>(fewestBlocks)},
                 {"milliseconds", static_cast<double>(duration.count())}});
  if (dragged)
    context.Check(kGroup, "requests granted later on the automation thread arrive", lastValue,
                  "each instance holds the last value its drag requested",
                  {{"requests", static_cast<double>(requests.load())},
                   {"grants and update passes", static_cast<double>(grants.Granted())}});
  else
    context.Skip(kGroup, "requests granted later on the automation thread arrive",
                 "the module has no continuous parameter to drag");
  context.Check(kGroup, "HostIdle and the event loop run on the main thread between renders",
                idleFailure.Empty() && idles > 0, idleFailure.Or("every idle call succeeded"),
                {{"idle calls", static_cast<double>(idles)},
                 {"event dispatches", static_cast<double>(dispatches)}});
  live.clear();
  context.CheckNoNewAssertion(kGroup, "with a DAW's threads", assertionsBefore);
}

} // namespace plughost
