#pragma once

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "tests/host/module/TestEffect.h"
#include "tests/host/module/TestStrips.h"

#include <cstdint>
#include <memory>

// The test module's editor on a host surface (hosts without windows): its
// strips (TestStrips), so a validator can see automation arrive, find a
// parameter's control and drag it. It draws every tick of
// a thread timer of the host's loop, at the surface's screen scale. Faults:
// "drag-left-open" closes without ending a drag, "leak-timer" leaves its
// timer running (it then does nothing). [main-thread]
class TestSurfaceEditor
{
public:
  // Null unless `parent` is a host surface of the known version and the
  // host's loop runs timers.
  static std::unique_ptr<TestSurfaceEditor> Open(void* parent, AAX_IEffectParameters* effect,
                                                 AAX_VViewContainer* container,
                                                 TestEffect::Fault fault);
  // Ends a drag in progress (unless the fault forgets it) and stops drawing.
  ~TestSurfaceEditor();
  TestSurfaceEditor(const TestSurfaceEditor&) = delete;
  TestSurfaceEditor& operator=(const TestSurfaceEditor&) = delete;

  // The size it shows, in pixels.
  float Width() const { return static_cast<float>(mWidth); }
  float Height() const { return static_cast<float>(mHeight); }

  static constexpr int kWidth = TestStrips::kWidth; // points
  static constexpr int kHeight = TestStrips::kHeight;

private:
  TestSurfaceEditor(AAX_HostSurface* surface, AAX_IEffectParameters* effect,
                    AAX_VViewContainer* container, TestEffect::Fault fault);
  static void TimerProc(std::uintptr_t id);
  void Tick();
  void Handle(const AAX_HostSurfaceEvent& event);
  void Draw();

  AAX_HostSurface* const mSurface; // the host's, alive while this is
  AAX_VViewContainer* const mContainer;
  const TestEffect::Fault mFault;
  TestStrips mStrips;
  std::uintptr_t mTimer = 0;
  int mWidth = kWidth;
  int mHeight = kHeight;
};
