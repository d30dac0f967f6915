#include "tests/aax_params/module/ParamsTestEffect.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CBinaryDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CBinaryTaperDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CLinearTaperDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CNumberDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CParameter.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CStringDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CUnitDisplayDelegateDecorator.h"
#include "IPlug/AAX/AAX_CIPlugTaperDelegate.h"

#include <cstring>
#include <memory>

IACFUnknown* ParamsTestEffect::Create()
{
  return static_cast<AAX_IEffectParametersV4*>(new ParamsTestEffect);
}

ParamsTestEffect::ParamsTestEffect()
{
  mLevel.DefineReal("Level", 0.0, -100.0, 200.0, 0.0001, "dB");
  mWidth.DefineReal("Width", 0.25, 0.0, 1.0, 0.0001, "", 0, "", iplug::IParam::ShapePowCurve(2.0));
}

AAX_Result ParamsTestEffect::InitializeEffect()
{
  HostParameterSet& set = Parameters();

  AAX_CBinaryDisplayDelegate<bool> bypassTexts("bypass", "on");
  bypassTexts.AddShortenedStrings("byp", "on", 3);
  bypassTexts.AddShortenedStrings("b", "o", 1);
  auto bypass = std::make_unique<AAX_CParameter<bool>>(
      "", "Master Bypass", false, AAX_CBinaryTaperDelegate<bool>(), bypassTexts, true);
  bypass->SetNumberOfSteps(2);
  bypass->SetType(0);
  set.Add(std::move(bypass));

  const AAX_CNumberDisplayDelegate<double, 2, 0> twoDecimals;
  auto level = std::make_unique<AAX_CParameter<double>>(
      "1", "Level", mLevel.Default(), AAX_CIPlugTaperDelegate<double>(mLevel),
      AAX_CUnitDisplayDelegateDecorator<double>(twoDecimals, "dB"), true);
  level->AddShortenedName(AAX_CString("Lvl"));
  level->AddShortenedName(AAX_CString("L"));
  set.Add(std::move(level));

  auto mode = std::make_unique<AAX_CParameter<std::int32_t>>(
      "2", "Mode", 0, AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 2),
      AAX_CStringDisplayDelegate<std::int32_t>({{0, "Low"}, {1, "Mid"}}), true);
  mode->SetNumberOfSteps(3);
  mode->SetType(0);
  set.Add(std::move(mode));

  const AAX_CNumberDisplayDelegate<std::int32_t, 0, 0> wholeNumbers;
  set.Add(std::make_unique<AAX_CParameter<std::int32_t>>(
      "3", "Switch", 0, AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 1),
      AAX_CUnitDisplayDelegateDecorator<std::int32_t>(wholeNumbers, ""), true));

  // A range of one value; asking for no steps is reported and ignored.
  auto fixed = std::make_unique<AAX_CParameter<std::int32_t>>(
      "4", "Fixed", 3, AAX_CLinearTaperDelegate<std::int32_t, 1>(3, 3),
      AAX_CUnitDisplayDelegateDecorator<std::int32_t>(wholeNumbers, " st"), true);
  fixed->SetNumberOfSteps(0);
  set.Add(std::move(fixed));

  auto width = std::make_unique<AAX_CParameter<double>>(
      "5", "Output Gain\nOut Gain\nOut", mWidth.Default(), AAX_CIPlugTaperDelegate<double>(mWidth),
      AAX_CUnitDisplayDelegateDecorator<double>(twoDecimals, "%"), true);
  set.Add(std::move(width));

  set.Add(std::make_unique<AAX_CParameter<std::int32_t>>(
      kLongId, "Long", 7, AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 10), wholeNumbers, false));

  set.Add(std::make_unique<AAX_CParameter<bool>>(
      kPreviewParameterID, "Preview", false, AAX_CBinaryTaperDelegate<bool>(),
      AAX_CBinaryDisplayDelegate<bool>("off", "on"), true));

  // Identifiers at the limit: 31 characters are kept, 32 are cut (reported).
  set.Add(std::make_unique<AAX_CParameter<std::int32_t>>(
      "abcdefghijklmnopqrstuvwxyzABCDE", "Edge 31", 0,
      AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 1), wholeNumbers, true));
  set.Add(std::make_unique<AAX_CParameter<std::int32_t>>(
      "0123456789012345678901234567890X", "Edge 32", 0,
      AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 1), wholeNumbers, true));

  // Render data: Level's plain value goes to field 30; Mode's handler declines.
  Packets().Register("1", kLevelField, sizeof(double),
                     [this](AAX_CParamID, PacketRegistry::Packet& packet)
                     {
                       const double plain = mLevel.ValueOfNormal(LevelNormal());
                       std::memcpy(packet.data.data(), &plain, sizeof plain);
                       return AAX_SUCCESS;
                     });
  Packets().Register("2", kModeField, 4,
                     [](AAX_CParamID, PacketRegistry::Packet&) { return AAX_ERROR_UNIMPLEMENTED; });

  // Refused: the identifier is taken.
  set.Add(std::make_unique<AAX_CParameter<std::int32_t>>(
      "2", "Duplicate", 1, AAX_CLinearTaperDelegate<std::int32_t, 1>(0, 9), wholeNumbers, true));
  return AAX_SUCCESS;
}

double ParamsTestEffect::LevelNormal() const
{
  double normal = 0.0;
  ParamNormal("1", &normal);
  return normal;
}
