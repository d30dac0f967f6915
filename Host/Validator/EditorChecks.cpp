// Group 10: the view and its editor. The view object's life (opened and
// closed 20 times while another thread renders, nothing of the host's kept
// afterwards, no gesture left open) is checked on every module with a view.
// The editor's own checks need an editor this host can drive on its platform
// (EditorDriver); where there is none, each says so as a SKIP.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostEventLoop.h"
#include "Host/HostRef.h"
#include "Host/HostRenderThread.h"
#include "Host/Validator/EditorDriver.h"
#include "Host/Validator/EditorImportHooks.h"
#include "Host/Validator/GlObjectCounts.h"
#include "Host/Validator/PictureDifference.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace plughost
{
namespace
{
constexpr int kGroup = 10;
constexpr int kOpenings = 20;

struct ViewLife
{
  FirstFailure calls;    // open or close answered an error
  FirstFailure kept;     // the container still referenced after closing
  FirstFailure gestures; // a parameter still touched after closing
  std::int64_t openings = 0;
  std::int64_t editorsShown = 0; // openings whose editor showed a picture
  std::int64_t blocksWhileOpen = 0;
  std::int64_t badSamples = 0;
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
  bool drivable = true; // an editor opened on this platform's parent so far
  for (int opening = 0; opening < kOpenings; ++opening)
  {
    // Each opening overlaps rendering: the audio thread has made a block since
    // the last one (or a second has gone by).
    const std::int64_t blocks = audio.Blocks();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (audio.Blocks() == blocks && std::chrono::steady_clock::now() < limit)
      std::this_thread::yield();
    // The editor shown on this platform's parent; where there is none to
    // drive, the view alone, with no native parent.
    std::string why;
    std::unique_ptr<EditorDriver> editor = drivable ? EditorDriver::Open(instance, why) : nullptr;
    if (!editor && life.editorsShown > 0)
      life.calls.Note("opening " + std::to_string(opening + 1) + ": " + why);
    drivable = editor != nullptr;
    if (editor)
      ++life.editorsShown;
    else if (const AAX_Result opened = instance.OpenView(nullptr); opened != AAX_SUCCESS)
    {
      life.calls.Note("opening the view answered " + std::to_string(opened));
      continue;
    }
    ++life.openings;
    auto container = aaxhost::HostRef<aaxhost::HostViewContainer>::Retain(instance.ViewContainer());
    if (const AAX_Result closed = editor ? editor->Close() : instance.CloseView();
        closed != AAX_SUCCESS)
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
}
} // namespace

// The editor's own checks, on an instance whose view this host opened on a
// parent of its platform (EditorDriver): automation reaching the controls,
// screen scales, the corner resizer, a resize by the host, closing during a
// drag, and nothing left behind. Each reads what a host can see from
// outside: the picture the editor shows, the view's size, the container's
// size requests, the automation delegate's gestures, the event loop's timers
// and the GL objects the process made.

namespace
{
constexpr int kSettleFrames = 3;

const char* const kAutomationCheck = "automation reaches the open editor's controls";
const char* const kScaleCheck = "screen scale 1, 1.5 and 2";
const char* const kCornerCheck = "resizing through the corner resizer";
const char* const kHostResizeCheck = "resizing through the host";
const char* const kDragCloseCheck = "closing while a drag is in progress sends End";
const char* const kLeftCheck = "no window, GL object or timer left after closing";

// A parameter's control as found on the picture, at editor points.
struct ControlSpot
{
  std::size_t parameter;
  float x;
  float y;
};

std::string SizeText(std::int32_t width, std::int32_t height)
{
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string NumberText(double value)
{
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string PointText(float x, float y)
{
  return "(" + std::to_string(static_cast<int>(std::lround(x))) + ", " +
         std::to_string(static_cast<int>(std::lround(y))) + ")";
}

// What an editor shows once the frames queued input needs have passed.
EditorDriver::Picture Settled(EditorDriver& driver)
{
  driver.RunFrames(kSettleFrames);
  return driver.Shown();
}

// Empty when the view's reported size and the container's last size request
// both match what the editor shows; else what disagrees.
std::string SizeDisagreement(aaxhost::HostInstance& instance, const EditorDriver::Picture& shown)
{
  AAX_Point size{};
  instance.View()->ViewSize(&size);
  if (size.horz != static_cast<float>(shown.width) || size.vert != static_cast<float>(shown.height))
    return "the view reports " +
           SizeText(static_cast<int>(size.horz), static_cast<int>(size.vert)) + " while it shows " +
           SizeText(shown.width, shown.height);
  const std::vector<AAX_Point> requests = instance.ViewContainer()->SizeRequests();
  if (requests.empty()) return "the container was never asked for a size";
  const AAX_Point& last = requests.back();
  if (last.horz != static_cast<float>(shown.width) || last.vert != static_cast<float>(shown.height))
    return "the container was last asked for " +
           SizeText(static_cast<int>(last.horz), static_cast<int>(last.vert)) +
           " while the editor shows " + SizeText(shown.width, shown.height);
  return {};
}

// Every parameter set through the automation path, the editor open: the
// picture changes, the value set back brings the first picture back, and a
// click at the middle of the change (taken by the host, so nothing moves)
// names that parameter to the container. The editor opened at its own size,
// one point a pixel at screen scale 1.
// False (the check skipped) when the picture does not reach the host.
bool CheckAutomationReachesControls(ValidationContext& context, aaxhost::HostInstance& instance,
                                    EditorDriver& driver, std::vector<ControlSpot>& spots)
{
  FirstFailure failure;
  AAX_IEffectParameters& effect = instance.Effect();
  aaxhost::HostViewContainer& container = *instance.ViewContainer();
  const auto& parameters = context.session.Parameters();
  std::int64_t changedPixels = 0;
  std::size_t tried = 0;
  for (std::size_t p = 0; p < parameters.size(); ++p)
  {
    const std::string& id = parameters[p].id;
    if (id == context.session.MasterBypassId()) continue; // the host's own switch
    ++tried;
    double first = 0.0;
    effect.ParamNormal(id.c_str(), &first);
    const double other = first < 0.5 ? 1.0 : 0.0;
    const EditorDriver::Picture before = Settled(driver);
    effect.RequestParamValue(id.c_str(), other);
    const PictureDifference change = PictureDifference::Between(before, Settled(driver));
    effect.RequestParamValue(id.c_str(), first);
    const PictureDifference back = PictureDifference::Between(before, Settled(driver));
    // Nothing changed on the first try: is it the editor, or a screen that
    // never shows what the editor draws?
    if (std::string why; tried == 1 && change.pixels == 0 && !driver.PictureReachesHost(why))
    {
      context.Skip(kGroup, kAutomationCheck,
                   "a parameter's change left the picture as it was, and " + why);
      return false;
    }
    const std::string what = parameters[p].name + " automated to " + NumberText(other);
    if (!change.sameSize || !back.sameSize)
    {
      failure.Note(what + ": the editor changed its size");
      continue;
    }
    if (change.pixels == 0)
    {
      failure.Note(what + ": nothing the editor shows changed");
      continue;
    }
    if (back.pixels != 0)
      failure.Note(parameters[p].name + " set back: " + std::to_string(back.pixels) +
                   " pixels still differ from the first picture");
    changedPixels += change.pixels;
    const float scale = driver.ScreenScale();
    const ControlSpot spot{p, change.CentreX() / scale, change.CentreY() / scale};
    const std::size_t seen = container.MouseEvents().size();
    container.SetMouseDownAnswer(0);
    driver.Press(spot.x, spot.y);
    driver.Release(spot.x, spot.y);
    driver.RunFrames(1);
    container.SetMouseDownAnswer(1);
    const auto clicks = container.MouseEvents();
    bool named = false;
    for (std::size_t i = seen; i < clicks.size(); ++i)
      named =
          named || (clicks[i].kind == aaxhost::HostViewContainer::ParameterMouseEvent::Kind::Down &&
                    clicks[i].id == id);
    if (!named)
    {
      failure.Note(what + ": the picture changed around " + PointText(spot.x, spot.y) +
                   ", but a click there does not name " + parameters[p].name + " to the host");
      continue;
    }
    spots.push_back(spot);
  }
  context.Check(kGroup, kAutomationCheck, failure.Empty() && tried > 0,
                failure.Or(tried ? "each parameter's change showed in its control, which a "
                                   "click names to the host; set back, the picture came back"
                                 : "the module has no parameters of its own"),
                {{"parameters", static_cast<double>(tried)},
                 {"controls found", static_cast<double>(spots.size())},
                 {"changed pixels", static_cast<double>(changedPixels)}});
  return true;
}

// Without a picture: the editor's controls found by where a click (taken by
// the host, so nothing moves) names a parameter, over a grid of the editor.
void FindControlsByClicking(ValidationContext& context, aaxhost::HostInstance& instance,
                            EditorDriver& driver, std::vector<ControlSpot>& spots)
{
  constexpr int kColumns = 12;
  constexpr float kRows[] = {0.5f, 0.35f, 0.65f};
  const EditorDriver::Picture shown = driver.Shown();
  const float width = static_cast<float>(shown.width) / driver.ScreenScale();
  const float height = static_cast<float>(shown.height) / driver.ScreenScale();
  aaxhost::HostViewContainer& container = *instance.ViewContainer();
  const auto& parameters = context.session.Parameters();
  container.SetMouseDownAnswer(0);
  for (const float row : kRows)
    for (int column = 0; column < kColumns; ++column)
    {
      const float x = width * (static_cast<float>(column) + 0.5f) / kColumns;
      const float y = height * row;
      const std::size_t seen = container.MouseEvents().size();
      driver.Press(x, y);
      driver.Release(x, y);
      driver.RunFrames(1);
      const auto clicks = container.MouseEvents();
      for (std::size_t i = seen; i < clicks.size(); ++i)
      {
        if (clicks[i].kind != aaxhost::HostViewContainer::ParameterMouseEvent::Kind::Down) continue;
        for (std::size_t p = 0; p < parameters.size(); ++p)
          if (parameters[p].id == clicks[i].id &&
              parameters[p].id != context.session.MasterBypassId() &&
              std::none_of(spots.begin(), spots.end(),
                           [p](const ControlSpot& spot) { return spot.parameter == p; }))
            spots.push_back({p, x, y});
      }
    }
  container.SetMouseDownAnswer(1);
}

// Screen scale 1 → 1.5 → 2 → 1: the editor shows int(size × scale) pixels,
// tells its container, draws a new frame and keeps its look (the mean colour
// within 8 of 255 per channel).
void CheckScreenScales(ValidationContext& context, aaxhost::HostInstance& instance,
                       EditorDriver& driver)
{
  if (std::string why; !driver.SetsScreenScale(why)) return context.Skip(kGroup, kScaleCheck, why);
  FirstFailure failure;
  const EditorDriver::Picture base = Settled(driver);
  const PictureMean baseMean = PictureMean::Of(base);
  ValidationContext::Numbers numbers{{"width at 1", base.width}, {"height at 1", base.height}};
  std::int64_t frames = base.frames;
  for (const float scale : {1.5f, 2.f, 1.f})
  {
    driver.SetScreenScale(scale);
    const EditorDriver::Picture shown = Settled(driver);
    const std::string at = "at screen scale " + NumberText(scale) + ": ";
    const auto expected = [scale](std::int32_t pixels)
    { return static_cast<std::int32_t>(static_cast<float>(pixels) * scale); };
    if (std::abs(shown.width - expected(base.width)) > 1 ||
        std::abs(shown.height - expected(base.height)) > 1)
      failure.Note(at + "the editor shows " + SizeText(shown.width, shown.height) + ", not " +
                   SizeText(expected(base.width), expected(base.height)));
    else if (const std::string why = SizeDisagreement(instance, shown); !why.empty())
      failure.Note(at + why);
    if (shown.frames <= frames) failure.Note(at + "no new frame was shown");
    frames = shown.frames;
    const PictureMean mean = PictureMean::Of(shown);
    for (int c = 0; c < 4; ++c)
      if (std::abs(mean.channel[c] - baseMean.channel[c]) > 8.0)
        failure.Note(at + "the picture's mean colour moved by " +
                     NumberText(mean.channel[c] - baseMean.channel[c]) + " in channel " +
                     std::to_string(c));
    if (scale != 1.f)
      numbers.push_back({"width at " + NumberText(scale), static_cast<double>(shown.width)});
  }
  context.Check(kGroup, kScaleCheck, failure,
                "the editor drew each scale at its size and told its container", numbers);
}

// The handle in the bottom-right corner dragged to 1.5 times its position:
// the editor grows by 1.5 (within the handle's few points), tells its
// container, and touches no parameter. True when it grew.
bool CheckCornerResizer(ValidationContext& context, aaxhost::HostInstance& instance,
                        EditorDriver& driver)
{
  if (!context.profile.editorResizer)
  {
    context.Skip(kGroup, kCornerCheck, "the profile names no corner resizer (\"editor-resizer\")");
    return false;
  }
  FirstFailure failure;
  const EditorDriver::Picture before = Settled(driver);
  const float scale = driver.ScreenScale();
  const float x = static_cast<float>(before.width) / scale - 3.f;
  const float y = static_cast<float>(before.height) / scale - 3.f;
  const std::size_t gestures = instance.Automation().Events().size();
  driver.Press(x, y);
  driver.Drag(1.5f * x, 1.5f * y);
  driver.Release(1.5f * x, 1.5f * y);
  const EditorDriver::Picture after = Settled(driver);
  const auto near = [](std::int32_t shown, std::int32_t from)
  {
    const double wanted = 1.5 * from;
    return std::abs(shown - wanted) <= 0.01 * wanted + 6.0;
  };
  if (!near(after.width, before.width) || !near(after.height, before.height))
    failure.Note("dragging the corner from " + PointText(x, y) + " to " +
                 PointText(1.5f * x, 1.5f * y) + " left the editor at " +
                 SizeText(after.width, after.height) + ", not about 1.5 times " +
                 SizeText(before.width, before.height));
  else if (const std::string why = SizeDisagreement(instance, after); !why.empty())
    failure.Note(why);
  const auto events = instance.Automation().Events();
  for (std::size_t i = gestures; i < events.size(); ++i)
    if (events[i].kind == aaxhost::HostAutomationDelegate::Event::Kind::Touch)
      failure.Note("the corner drag touched parameter " + events[i].id);
  context.Check(kGroup, kCornerCheck, failure,
                "the editor grew with the drag and told its container",
                {{"width before", before.width},
                 {"height before", before.height},
                 {"width after", after.width},
                 {"height after", after.height}});
  return failure.Empty();
}

// A host resizes a view of this kind by restoring a state saved at another
// size: restoring the state saved before the corner drag brings the editor
// back to that size, restoring the later one grows it again.
void CheckHostResize(ValidationContext& context, aaxhost::HostInstance& instance,
                     EditorDriver& driver, const std::vector<unsigned char>& firstState,
                     const EditorDriver::Picture& firstShown, bool grown)
{
  const AAX_CTypeID chunkId = context.session.StateChunkId();
  std::vector<unsigned char> grownState;
  if (!grown)
    return context.Skip(kGroup, kHostResizeCheck,
                        "needs the editor at a second size, which the corner resizer gives");
  if (chunkId == 0 ||
      ValidationSession::SaveChunk(instance.Effect(), chunkId, grownState) != AAX_SUCCESS)
    return context.Skip(kGroup, kHostResizeCheck, "the module saves no state chunk");
  if (grownState == firstState)
    return context.Skip(kGroup, kHostResizeCheck,
                        "the module's state does not hold the editor's size, the one way a "
                        "host of this format resizes a view");
  FirstFailure failure;
  const EditorDriver::Picture grownShown = driver.Shown();
  const std::pair<const std::vector<unsigned char>*, const EditorDriver::Picture*> steps[] = {
      {&firstState, &firstShown}, {&grownState, &grownShown}};
  for (const auto& [state, picture] : steps)
  {
    const EditorDriver::Picture& wanted = *picture;
    if (ValidationSession::LoadChunk(instance.Effect(), chunkId, *state) != AAX_SUCCESS)
    {
      failure.Note("the module refused its own state");
      break;
    }
    const EditorDriver::Picture shown = Settled(driver);
    if (shown.width != wanted.width || shown.height != wanted.height)
      failure.Note("restoring the state saved at " + SizeText(wanted.width, wanted.height) +
                   " left the editor at " + SizeText(shown.width, shown.height));
    else if (const std::string why = SizeDisagreement(instance, shown); !why.empty())
      failure.Note(why);
  }
  context.Check(kGroup, kHostResizeCheck, failure,
                "restored states sized the editor, which told its container",
                {{"first width", firstShown.width}, {"grown width", grownShown.width}});
}

// A control pressed and dragged, then the view closed before the release:
// the host saw the gesture begin and sees it end.
void CheckCloseDuringDrag(ValidationContext& context, aaxhost::HostInstance& instance,
                          EditorDriver& driver, const std::vector<ControlSpot>& spots)
{
  if (spots.empty())
  {
    driver.Close();
    return context.Skip(kGroup, kDragCloseCheck,
                        "no control of a parameter was found on the editor to drag");
  }
  const ControlSpot& spot = spots.front();
  const auto& parameter = context.session.Parameters()[spot.parameter];
  aaxhost::HostAutomationDelegate& automation = instance.Automation();
  driver.Press(spot.x, spot.y);
  driver.Drag(spot.x, spot.y - 8.f);
  driver.Drag(spot.x, spot.y - 16.f);
  driver.RunFrames(2);
  bool touched = false;
  automation.TouchState(parameter.id.c_str(), &touched);
  FirstFailure failure;
  if (!touched)
    failure.Note("pressing " + parameter.name + "'s control at " + PointText(spot.x, spot.y) +
                 " and dragging began no gesture");
  const std::size_t beforeClosing = automation.Events().size();
  if (const AAX_Result closed = driver.Close(); closed != AAX_SUCCESS)
    failure.Note("closing the view answered " + std::to_string(closed));
  // The End is the release the view sends while it closes; a touch left
  // open from elsewhere is the view-life check's business.
  bool ended = false;
  const auto events = automation.Events();
  for (std::size_t i = beforeClosing; i < events.size(); ++i)
    ended = ended || (events[i].kind == aaxhost::HostAutomationDelegate::Event::Kind::Release &&
                      events[i].id == parameter.id);
  if (touched && !ended)
    failure.Note(parameter.name + "'s gesture was not ended when the view closed mid-drag");
  context.Check(kGroup, kDragCloseCheck, failure,
                parameter.name + "'s gesture began with the drag and ended with the view");
}

// The main thread's timers as a host sees them: the loop's table natively,
// the modules' hooked thread timers on Windows; -1 when not seen.
int MainThreadTimers()
{
#ifdef _WIN32
  return EditorImportHooks::ThreadTimers();
#else
  return aaxhost::HostEventLoop::TimerCount();
#endif
}

// What the process had before the editor opened, to compare after it closed.
struct BeforeOpening
{
  int timers = 0;
  GlObjectCounts::Snapshot gl;
};

// The host's container is the view-life check's (released at each of its
// openings); here the editor's own: its parent, its timers, its GL objects.
void CheckNothingLeft(ValidationContext& context, EditorDriver& driver, const BeforeOpening& before,
                      int timersOpen)
{
  FirstFailure failure;
  if (std::string why; !driver.LetGoOfParent(why)) failure.Note("after closing, " + why);
  const int timers = MainThreadTimers();
  if (timers < 0 || before.timers < 0)
    failure.Note("the main thread's timers cannot be counted here");
  else if (timers != before.timers)
    failure.Note(std::to_string(timers) + " timers run on the main thread after closing, " +
                 std::to_string(before.timers) + " before opening");
  const GlObjectCounts::Snapshot gl = GlObjectCounts::Now();
  const std::int64_t made = gl.contextsMade - before.gl.contextsMade;
  if (!gl.watched)
    failure.Note("this executable cannot see GL objects (it lacks the hooks)");
  else if (gl.liveContexts != before.gl.liveContexts)
    failure.Note(std::to_string(gl.liveContexts - before.gl.liveContexts) +
                 " GL contexts left alive");
  else if (gl.objectsWatched && gl.objectsLeftBehind != before.gl.objectsLeftBehind)
    failure.Note(std::to_string(gl.objectsLeftBehind - before.gl.objectsLeftBehind) +
                 " GL objects were still alive when their context was destroyed");
  context.Check(
      kGroup, kLeftCheck, failure,
      gl.objectsWatched
          ? "the parent let go, timers and GL objects back to where they were"
          : "the parent let go, timers and GL contexts back to where they were (the objects "
            "inside contexts are not seen on this system)",
      {{"timers before", before.timers},
       {"timers while open", timersOpen},
       {"timers after", timers},
       {"GL contexts made", static_cast<double>(made)},
       {"GL objects made", static_cast<double>(gl.objectsMade - before.gl.objectsMade)},
       {"GL objects deleted", static_cast<double>(gl.objectsDeleted - before.gl.objectsDeleted)}});
}

void RunOpenEditorChecks(ValidationContext& context, aaxhost::HostInstance& instance,
                         EditorDriver& driver, const BeforeOpening& before)
{
  const int timersOpen = MainThreadTimers();
  std::vector<ControlSpot> spots;
  if (!CheckAutomationReachesControls(context, instance, driver, spots))
    FindControlsByClicking(context, instance, driver, spots);
  CheckScreenScales(context, instance, driver);
  std::vector<unsigned char> firstState;
  if (context.session.StateChunkId() != 0)
    ValidationSession::SaveChunk(instance.Effect(), context.session.StateChunkId(), firstState);
  const EditorDriver::Picture firstShown = Settled(driver);
  const bool grown = CheckCornerResizer(context, instance, driver);
  CheckHostResize(context, instance, driver, firstState, firstShown, grown);
  CheckCloseDuringDrag(context, instance, driver, spots);
  CheckNothingLeft(context, driver, before, timersOpen);
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
  }
  else
  {
    context.Check(kGroup, lifeChecks[0],
                  life.calls.Empty() && life.badSamples == 0 && life.blocksWhileOpen > 0,
                  life.calls.Or(life.badSamples ? "the audio thread saw failed calls or "
                                                  "non-finite samples"
                                                : "every call succeeded; the audio thread ran on"),
                  {{"openings", static_cast<double>(life.openings)},
                   {"editors shown", static_cast<double>(life.editorsShown)},
                   {"blocks rendered meanwhile", static_cast<double>(life.blocksWhileOpen)}});
    context.Check(kGroup, lifeChecks[1], life.kept, "the view container was released each time",
                  {{"openings", static_cast<double>(life.openings)}});
    context.Check(kGroup, lifeChecks[2], life.gestures,
                  "no parameter was left touched after any closing");
  }
  instance.reset();

  // The editor itself, on a fresh instance.
  std::unique_ptr<aaxhost::HostInstance> editorInstance =
      hasView ? session.MakeInstance(session.ComponentCount() - 1, 48000.0f, error) : nullptr;
#ifdef _WIN32
  // What the module's windows leave is seen through its imports.
  std::string hookDetail;
  EditorImportHooks::Install(session.Module(), hookDetail);
#endif
  BeforeOpening before{MainThreadTimers(), GlObjectCounts::Now()};
  std::string why = hasView ? error : "editor not available: the module has no view";
  std::unique_ptr<EditorDriver> driver =
      editorInstance ? EditorDriver::Open(*editorInstance, why) : nullptr;
  if (driver)
    RunOpenEditorChecks(context, *editorInstance, *driver, before);
  else
    for (const char* name : {kAutomationCheck, kScaleCheck, kCornerCheck, kHostResizeCheck,
                             kDragCloseCheck, kLeftCheck})
      context.Skip(kGroup, name, why);
  driver.reset();
  editorInstance.reset();
  context.CheckNoNewAssertion(kGroup, "with the view", assertionsBefore);
}

} // namespace plughost
