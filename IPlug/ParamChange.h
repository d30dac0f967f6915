#pragma once

namespace iplug
{

// A parameter value travelling from the host or audio side to the editor.
struct ParamChange
{
  int paramIdx = 0;
  double value = 0.0; // plain, not normalised
};

} // namespace iplug
