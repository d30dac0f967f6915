#pragma once

#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectParameters.h"
#include "IPlug/IParam.h"

// The parameter test module's effect: one host parameter of every kind the
// adapter makes (bool bypass, IParam-curved doubles with unit displays, int
// parameters with string and number displays) plus the edge cases the host
// must see reported (a 40-character identifier, zero steps, a duplicate).
class ParamsTestEffect final : public AAX_CEffectParameters
{
public:
  static IACFUnknown* Create();
  static void RenderCallback(AAX_RenderContext* const*, AAX_RenderContext* const*) {}

  // Identifier of the 40-character parameter as registered.
  static constexpr const char* kLongId = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";

  // Render-context fields of the packets registered for "1" and "2".
  static constexpr AAX_CFieldIndex kLevelField = 30;
  static constexpr AAX_CFieldIndex kModeField = 31;

  AAX_Result InitializeEffect() override;

private:
  ParamsTestEffect();
  ~ParamsTestEffect() override = default;
  double LevelNormal() const;

  iplug::IParam mLevel; // -100..200 linear, dB
  iplug::IParam mWidth; // 0..1 squared curve
};
