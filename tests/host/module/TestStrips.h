#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "tests/host/module/TestEffect.h"

#include <cstdint>
#include <vector>

// What the test module's editors show and how they are played, whatever
// they are drawn on: one vertical strip per parameter, lit from the bottom up
// to its value. A press on a strip offers the click to the host, then begins
// a gesture; a drag requests values, a release ends the gesture. Positions
// are editor points of a kWidth x kHeight editor. [main-thread]
class TestStrips
{
public:
  static constexpr int kWidth = 300; // points
  static constexpr int kHeight = 200;

  TestStrips(AAX_IEffectParameters* effect, AAX_VViewContainer* container, TestEffect::Fault fault)
      : mEffect(effect), mContainer(container), mFault(fault)
  {
  }
  // Ends a drag in progress, unless the fault "drag-left-open" forgets it.
  ~TestStrips();
  TestStrips(const TestStrips&) = delete;
  TestStrips& operator=(const TestStrips&) = delete;

  // True when the press began a drag.
  bool Press(float x, float y);
  void Move(float y);
  void Release();

  // The parameters' normalised values, in strip order.
  std::vector<double> Values() const;
  // The strip under column `x` of a picture `width` wide.
  static std::size_t StripOf(int x, int width, std::size_t strips);

private:
  int StripAt(float x) const;

  AAX_IEffectParameters* const mEffect; // the view's, alive while this is
  AAX_VViewContainer* const mContainer;
  const TestEffect::Fault mFault;
  int mDragging = -1; // the strip held, -1 for none
  float mLastY = 0.f;
};
