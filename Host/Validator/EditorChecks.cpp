// Group 10: the view and its editor. The view object's life (opened and
// closed 20 times while another thread renders, nothing of the host's kept
// afterwards, no gesture left open) is checked on every module with a view.
// The editor's own checks need an editor the view opened; where it opened
// none (this host gives no native window yet), each says so as a SKIP.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostRef.h"
#include "Host/HostRenderThread.h"
#include "Host/Validator/ValidationContext.h"

#include <chrono>
#include <thread>

namespace plughost
{
namespace
{
constexpr int kGroup = 10;
constexpr int kOpenings = 20;

// Whether the view opened an editor: it told its container a size.
struct EditorPresence
{
  bool available = false;
  std::string why;
};

struct ViewLife
{
  FirstFailure calls;    // open or close answered an error
  FirstFailure kept;     // the container still referenced after closing
  FirstFailure gestures; // a parameter still touched after closing
  std::int64_t openings = 0;
  std::int64_t blocksWhileOpen = 0;
  std::int64_t badSamples = 0;
  EditorPresence editor;
};

void OpenAndCloseWhileRendering(ValidationContext& context, aaxhost::HostInstance& instance,
                                ViewLife& life)
{
  const std::size_t channels = std::max(ValidationSession::InputChannels(instance),
                                        ValidationSession::OutputChannels(instance));
  std::vector<float> noise(509);
  for (float& x : noise)
    x = static_cast<float>(context.random.Uniform() - 0.5);
  aaxhost::HostRenderThread audio(instance, channels, 64, noise);
  for (int opening = 0; opening < kOpenings; ++opening)
  {
    // Each opening overlaps rendering: the audio thread has made a block since
    // the last one (or a second has gone by).
    const std::int64_t blocks = audio.Blocks();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (audio.Blocks() == blocks && std::chrono::steady_clock::now() < limit)
      std::this_thread::yield();
    // No native parent: this host has no window of its own to offer yet.
    if (const AAX_Result opened = instance.OpenView(nullptr); opened != AAX_SUCCESS)
    {
      life.calls.Note("opening the view answered " + std::to_string(opened));
      continue;
    }
    ++life.openings;
    auto container = aaxhost::HostRef<aaxhost::HostViewContainer>::Retain(instance.ViewContainer());
    if (container && !container->SizeRequests().empty()) life.editor.available = true;
    if (const AAX_Result closed = instance.CloseView(); closed != AAX_SUCCESS)
      life.calls.Note("closing the view answered " + std::to_string(closed));
    if (container && container->ReferenceCount() != 1)
      life.kept.Note("after closing, the view container still has " +
                     std::to_string(container->ReferenceCount() - 1) +
                     " references besides the host's");
    for (const auto& parameter : context.session.Parameters())
    {
      bool touched = false;
      if (instance.Automation().TouchState(parameter.id.c_str(), &touched) == AAX_SUCCESS &&
          touched)
        life.gestures.Note(parameter.name + " is still touched after the view closed");
    }
  }
  audio.Stop();
  life.blocksWhileOpen = audio.Blocks();
  life.badSamples = audio.BadSamples() + audio.FailedCalls();
  context.report.Work().renderCalls += audio.Blocks();
  context.report.Work().framesProcessed += audio.Blocks() * 64;
  if (!life.editor.available)
    life.editor.why = "editor not available: the view opened no editor (no size was asked of "
                      "its container; this host has no native window to give it yet)";
}

// The editor's own checks. Each needs an open editor and the editor's test
// drive (pointer, resize and scale events); without them it is a SKIP.
void EditorCheck(ValidationContext& context, const EditorPresence& editor, const char* name)
{
  if (!editor.available)
    context.Skip(kGroup, name, editor.why);
  else
    context.Skip(kGroup, name, "the editor opened, but this host cannot drive its events yet");
}
} // namespace

void RunEditorChecks(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const std::size_t assertionsBefore = session.AssertionCount();
  std::string error;
  auto instance = session.MakeInstance(session.ComponentCount() - 1, 48000.0f, error);
  ViewLife life;
  if (instance) OpenAndCloseWhileRendering(context, *instance, life);
  const bool hasView = instance && life.openings > 0;
  const char* lifeChecks[] = {"the view opens and closes 20 times while another thread renders",
                              "closing the view keeps none of the host's objects",
                              "closing the view during a drag ends the gesture"};
  if (!hasView)
  {
    for (const char* name : lifeChecks)
      context.Skip(kGroup, name, instance ? life.calls.Or("the module has no view") : error);
    life.editor.why = "editor not available: the module has no view";
  }
  else
  {
    context.Check(kGroup, lifeChecks[0],
                  life.calls.Empty() && life.badSamples == 0 && life.blocksWhileOpen > 0,
                  life.calls.Or(life.badSamples ? "the audio thread saw failed calls or "
                                                  "non-finite samples"
                                                : "every call succeeded; the audio thread ran on"),
                  {{"openings", static_cast<double>(life.openings)},
                   {"blocks rendered meanwhile", static_cast<double>(life.blocksWhileOpen)}});
    context.Check(kGroup, lifeChecks[1], life.kept, "the view container was released each time",
                  {{"openings", static_cast<double>(life.openings)}});
    context.Check(kGroup, lifeChecks[2], life.gestures,
                  "no parameter was left touched after any closing");
  }
  EditorCheck(context, life.editor, "resizing through the corner resizer");
  EditorCheck(context, life.editor, "resizing through the host");
  EditorCheck(context, life.editor, "screen scale 1, 1.5 and 2");
  EditorCheck(context, life.editor, "closing while a drag is in progress sends End");
  EditorCheck(context, life.editor, "automation reaches the open editor's controls");
  EditorCheck(context, life.editor, "no window, GL object or timer left after closing");
  instance.reset();
  context.CheckNoNewAssertion(kGroup, "with the view", assertionsBefore);
}

} // namespace plughost
