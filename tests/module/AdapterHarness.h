#pragma once

// The adapter in this process, connected to the host library's objects the
// way HostInstance connects a loaded module.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"
#include "Examples/Brasmire/Brasmire.h"
#include "Host/HostObject.h"
#include "Host/InstanceContext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace moduletest
{

using aaxhost::HostRef;

// A small plug-in on the adapter that records what reaches its editor and its
// render call, and can mark its first parameter as synchronised.
class RecordingPlug final : public iplug::IPlugAAX
{
public:
  static iplug::PlugSetup Setup()
  {
    iplug::PlugSetup setup = brasmire::Brasmire::MakeSetup();
    setup.pluginName = "Recording";
    setup.midiOut = true;
    return setup;
  }

  RecordingPlug() : IPlugAAX(iplug::InstanceInfo{}, Setup())
  {
    for (int i = 0; i < 4; ++i)
      GetParam(i)->DefineReal(("P" + std::to_string(i)).c_str(), 0.0, 0.0, 1.0, 0.001);
    GetParam(4)->DefineInteger("I4", 0, 0, 1);
    GetParam(5)->DefineInteger("I5", 1, 0, 1);
  }

  AAX_Result InitializeEffect() override
  {
    const AAX_Result result = IPlugAAX::InitializeEffect();
    RegisterSynchronizedParameter(*Parameters().Find("1"));
    return result;
  }

  // The synchronised entry that IPlugAAX replaces.
  AAX_Result ApplySynchronised(const char* id, double normalised)
  {
    return AAX_CIPlugParameters::ApplyHostParamValue(id, normalised, 0);
  }

  void DeliverParamToEditor(int paramIdx, double value, bool isNormalised) override
  {
    delivered.push_back({paramIdx, value, isNormalised});
  }

  void RenderAudio(AAX_RenderContext* context, const iplug::AAX_SyncValuePair* const* values,
                   std::int32_t count) noexcept override
  {
    lastIdentifiers.clear();
    for (std::int32_t i = 0; i < count; ++i)
      lastIdentifiers.push_back(values[i]->identifier);
    IPlugAAX::RenderAudio(context, values, count);
  }

  struct Delivered
  {
    int index;
    double value;
    bool normalised;
  };
  std::vector<Delivered> delivered;
  std::vector<std::string> lastIdentifiers;
};

// Connects an instance to the host library's context, as HostInstance does
// for a loaded module.
template <typename Plug>
class Connected
{
public:
  explicit Connected(Plug* plug) : plug(plug)
  {
    host = HostRef<aaxhost::HostObject>::Adopt(
        aaxhost::NewHostObject<aaxhost::HostObject>(std::make_shared<aaxhost::InterfacePolicy>()));
    context = HostRef<aaxhost::InstanceContext>::Adopt(
        aaxhost::NewHostObject<aaxhost::InstanceContext>(host, "com.Quillmarsh.aax.Test"));
    effect = aaxhost::QueryRef<AAX_IEffectParameters>(static_cast<AAX_IEffectParametersV4*>(plug),
                                                      AAX_IID_EffectParameters);
    context->Automation().SetEffect(effect.Get());
    context->SetEffect(effect.Get());
    EXPECT_EQ(effect->ConnectHost(context.Get()), AAX_SUCCESS);
    std::memset(&render, 0, sizeof render);
    EXPECT_EQ(effect->InitFieldData(AAX_eField_PrivateData, &privateData, sizeof privateData),
              AAX_SUCCESS);
    render.mPrivateData = &privateData;
    render.mCurrentStateNumber = &stateNumber;
    render.mBufferLength = &frames;
  }
  ~Connected()
  {
    effect->DisconnectHost();
    context->Automation().SetEffect(nullptr);
    context->SetEffect(nullptr);
    effect.Reset(); // the last reference deletes the instance
  }

  void RenderCall()
  {
    AAX_RenderContext* const contexts[] = {&render};
    iplug::AAX_CIPlugParameters::RenderCallback(contexts, contexts + 1);
  }

  Plug* plug;
  HostRef<aaxhost::HostObject> host;
  HostRef<aaxhost::InstanceContext> context;
  HostRef<AAX_IEffectParameters> effect;
  AAX_RenderContext render;
  iplug::AAX_SIPlugPrivateData privateData{};
  std::int64_t stateNumber = 0;
  std::int32_t frames = 0;
};

} // namespace moduletest
