#include "IGraphics/ValueSteps.h"

#include "IPlug/IParam.h"

#include <algorithm>

namespace igraphics
{

bool IsQuantised(const iplug::IParam* param)
{
  return param != nullptr && (param->Flags() & iplug::IParam::QuantiseToStep) != 0 &&
         param->Step() > 0.0;
}

double DragChange(double moved, double span, double gearing, bool fine)
{
  if (span == 0.0 || gearing == 0.0) return 0.0;
  if (fine) gearing *= 10.0;
  return moved / span / gearing;
}

double QuantiseNormal(const iplug::IParam* param, double normal)
{
  if (!IsQuantised(param)) return normal;
  return param->NormalOfValue(param->ValueOfNormal(normal));
}

double WheelValue(const iplug::IParam* param, double current, float delta, bool fine)
{
  if (IsQuantised(param) && delta != 0.f)
  {
    double plain = param->ValueOfNormal(current);
    plain += delta > 0.f ? param->Step() : -param->Step();
    return std::clamp(param->NormalOfValue(plain), 0.0, 1.0);
  }
  return current + static_cast<double>(delta) * (fine ? 0.001 : 0.01);
}

} // namespace igraphics
