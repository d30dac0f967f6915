#include "tests/host/module/TestStrips.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <algorithm>
#include <cmath>
#include <string>

TestStrips::~TestStrips()
{
  if (mDragging >= 0 && mFault != TestEffect::Fault::DragLeftOpen)
    mEffect->ReleaseParam(std::to_string(mDragging + 1).c_str());
}

int TestStrips::StripAt(float x) const
{
  std::int32_t count = 0;
  mEffect->ParamCount(&count);
  if (count <= 0 || !(x >= 0.f && x < static_cast<float>(kWidth))) return -1;
  return std::min(count - 1, static_cast<int>(x * static_cast<float>(count) / kWidth));
}

bool TestStrips::Press(float x, float y)
{
  const int strip = StripAt(x);
  if (strip < 0) return false;
  const std::string id = std::to_string(strip + 1);
  // The host may take the click (its automation menus): then nothing moves.
  if (mContainer && mContainer->HandleParameterMouseDown(id.c_str(), 0) == 0) return false;
  if (mEffect->TouchParam(id.c_str()) != AAX_SUCCESS) return false;
  mDragging = strip;
  mLastY = y;
  return true;
}

void TestStrips::Move(float y)
{
  if (mDragging < 0 || !std::isfinite(y)) return;
  const std::string id = std::to_string(mDragging + 1);
  double value = 0.0;
  mEffect->ParamNormal(id.c_str(), &value);
  value = std::clamp(value + (mLastY - y) / kHeight, 0.0, 1.0);
  mEffect->RequestParamValue(id.c_str(), value);
  mLastY = y;
}

void TestStrips::Release()
{
  if (mDragging >= 0) mEffect->ReleaseParam(std::to_string(mDragging + 1).c_str());
  mDragging = -1;
}

std::vector<double> TestStrips::Values() const
{
  std::int32_t count = 0;
  mEffect->ParamCount(&count);
  std::vector<double> values(static_cast<std::size_t>(std::max(count, 0)));
  for (std::int32_t p = 0; p < count; ++p)
    mEffect->ParamNormal(std::to_string(p + 1).c_str(), &values[static_cast<std::size_t>(p)]);
  return values;
}

std::size_t TestStrips::StripOf(int x, int width, std::size_t strips)
{
  return width > 0 ? static_cast<std::size_t>(x) * strips / static_cast<std::size_t>(width) : 0;
}
