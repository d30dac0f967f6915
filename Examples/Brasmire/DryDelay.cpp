#include "Examples/Brasmire/DryDelay.h"

namespace brasmire
{

DryDelay::DryDelay() noexcept
{
  for (double& v : mRing)
    v = 0.0;
}

} // namespace brasmire
