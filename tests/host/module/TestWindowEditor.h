#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "tests/host/module/TestEffect.h"
#include "tests/host/module/TestStrips.h"

#include <cstdint>
#include <memory>

// The test module's editor on Windows: its strips (TestStrips) painted with
// GDI in a child window of the host's window, one pixel a point, played by
// the window's mouse messages. A thread timer of the host's message loop
// repaints it. Faults: "drag-left-open" closes without ending a drag,
// "leak-timer" leaves its timer running (it then does nothing), "leak-window"
// leaves its window (hidden, inert) in the host's. [main-thread]
class TestWindowEditor
{
public:
  // Null unless `parent` is a window (or not on Windows).
  static std::unique_ptr<TestWindowEditor> Open(void* parent, AAX_IEffectParameters* effect,
                                                AAX_VViewContainer* container,
                                                TestEffect::Fault fault);
  // Ends a drag in progress (unless the fault forgets it), destroys the
  // window and, with the module's last one, its class.
  ~TestWindowEditor();
  TestWindowEditor(const TestWindowEditor&) = delete;
  TestWindowEditor& operator=(const TestWindowEditor&) = delete;

  float Width() const { return static_cast<float>(TestStrips::kWidth); }
  float Height() const { return static_cast<float>(TestStrips::kHeight); }

  // For its window procedure: the strips its mouse messages play, and painting.
  TestStrips& Strips() { return mStrips; }
  void* Window() const { return mWindow; }
  void Paint();

private:
  TestWindowEditor(AAX_IEffectParameters* effect, AAX_VViewContainer* container,
                   TestEffect::Fault fault);

  const TestEffect::Fault mFault;
  TestStrips mStrips;
  void* mWindow = nullptr; // HWND
  std::uintptr_t mTimer = 0;
};
