#include "Host/HostInstance.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <cstring>

namespace aaxhost
{

namespace
{
std::size_t Words(std::int64_t bytes)
{
  return static_cast<std::size_t>((bytes + 7) / 8);
}
} // namespace

std::unique_ptr<HostInstance> HostInstance::Create(PluginModule& module, std::size_t effectIndex,
                                                   std::size_t componentIndex, std::string* error,
                                                   float sampleRate)
{
  auto fail = [&](const std::string& reason) -> std::unique_ptr<HostInstance>
  {
    if (error) *error = reason;
    return nullptr;
  };
  HostCollection* description = module.Description();
  if (description == nullptr) return fail("the module has no description");
  const auto effects = description->Effects();
  if (effectIndex >= effects.size()) return fail("no effect " + std::to_string(effectIndex));
  const auto components = effects[effectIndex].descriptor->Components();
  if (componentIndex >= components.size())
    return fail("no component " + std::to_string(componentIndex));

  std::unique_ptr<HostInstance> instance(new HostInstance);
  instance->mEffectDescriptor = effects[effectIndex].descriptor;
  instance->mComponent = components[componentIndex];
  std::map<std::int32_t, AAX_CPropertyValue> properties;
  for (const ProcessProcRecord& proc : instance->mComponent->ProcessProcs())
    if (!proc.offline)
    {
      instance->mRenderProc = proc.proc;
      properties = proc.properties;
    }
  instance->mContext = HostRef<InstanceContext>::Adopt(
      NewHostObject<InstanceContext>(module.HostReference(), effects[effectIndex].id));
  // The component's stem formats (properties 51 and 52) set the instance's channels.
  const auto input = properties.find(kInputStemProperty);
  const auto output = properties.find(kOutputStemProperty);
  if (input != properties.end() && output != properties.end())
    instance->Controller().SetStemFormats(input->second, output->second);

  auto factory = reinterpret_cast<AAX_CreateObjectProc>(
      instance->mEffectDescriptor->Proc(AAX_eProcID_EffectParameters));
  if (factory == nullptr) return fail("the effect registered no effect factory");
  HostRef<IACFUnknown> created = HostRef<IACFUnknown>::Retain(factory());
  instance->mEffect = QueryRef<AAX_IEffectParameters>(created.Get(), AAX_IID_EffectParameters);
  created.Reset();
  if (!instance->mEffect) return fail("the effect factory gave no effect-parameters object");

  instance->Controller().SetSampleRate(sampleRate);
  instance->Automation().SetEffect(instance->mEffect.Get());
  instance->Context().SetEffect(instance->mEffect.Get());
  const AAX_Result connected = instance->mEffect->ConnectHost(&instance->Context());
  if (connected != AAX_SUCCESS) return fail("ConnectHost answered " + std::to_string(connected));
  const AAX_Result prepared = instance->PrepareFields();
  if (prepared != AAX_SUCCESS) return fail("InitFieldData answered " + std::to_string(prepared));
  return instance;
}

HostInstance::~HostInstance()
{
  CloseView();
  if (mEffect)
  {
    mEffect->DisconnectHost();
    if (mContext)
    {
      mContext->Automation().SetEffect(nullptr);
      mContext->SetEffect(nullptr);
    }
    mEffect.Reset();
  }
}

AAX_Result HostInstance::PrepareFields()
{
  mFieldRecords = mComponent->Fields();
  mPortSizes.fill(-1);
  for (const FieldRecord& field : mFieldRecords)
  {
    if (field.kind == FieldRecord::Kind::DataInPort)
      mPortSizes[static_cast<std::size_t>(field.field)] = field.size;
    void*& slot = mFields[static_cast<std::size_t>(field.field)];
    switch (field.kind)
    {
    case FieldRecord::Kind::AudioIn:
    case FieldRecord::Kind::AudioOut:
    case FieldRecord::Kind::SideChainIn:
    case FieldRecord::Kind::AuxOutputStem:
      break; // bound per render call
    case FieldRecord::Kind::BufferLength:
      slot = &mBufferLength;
      break;
    case FieldRecord::Kind::SampleRate:
      slot = &mSampleRate;
      break;
    case FieldRecord::Kind::Clock:
      slot = &mClock;
      break;
    case FieldRecord::Kind::Meters:
      mBlocks.emplace_back(
          Words(static_cast<std::int64_t>(field.meterIds.size() * sizeof(float*))) +
          Words(static_cast<std::int64_t>(field.meterIds.size() * sizeof(float))));
      slot = mBlocks.back().data();
      break;
    case FieldRecord::Kind::MIDINode:
      if (field.midiKind == AAX_eMIDINode_Transport)
        slot = static_cast<AAX_ITransport*>(&Transport());
      else
      {
        mMIDINodes.push_back(std::make_unique<HostMIDINode>());
        mMIDIByField.emplace_back(field.field, mMIDINodes.back().get());
        slot = static_cast<AAX_IMIDINode*>(mMIDINodes.back().get());
      }
      break;
    case FieldRecord::Kind::PrivateData:
    case FieldRecord::Kind::DataInPort:
    case FieldRecord::Kind::TemporaryData:
    {
      mBlocks.emplace_back(Words(field.size));
      void* block = mBlocks.back().data();
      slot = block;
      if (field.kind != FieldRecord::Kind::TemporaryData)
      {
        const AAX_Result result =
            mEffect->InitFieldData(field.field, block, static_cast<std::uint32_t>(field.size));
        if (result != AAX_SUCCESS) return result;
      }
      break;
    }
    }
  }
  return AAX_SUCCESS;
}

HostMIDINode* HostInstance::MIDINode(AAX_CFieldIndex field) const
{
  for (const auto& [index, node] : mMIDIByField)
    if (index == field) return node;
  return nullptr;
}

AAX_Result HostInstance::Render(const float* const* inputs, float* const* outputs,
                                std::int32_t frames)
{
  if (mRenderProc == nullptr) return AAX_ERROR_NULL_COMPONENT;
  if (frames < 0 || frames > kMaxFrames) return AAX_ERROR_INVALID_ARGUMENT;
  // The update pass runs on the host's parameter thread before the render
  // call it prepares; this synchronous form makes both calls from the
  // caller's thread.
  UpdatePass();
  return RenderOnly(inputs, outputs, frames);
}

AAX_Result HostInstance::UpdatePass()
{
  const AAX_Result result = mEffect->DispatchParamPackets();
  ++mUpdatePasses;
  return result;
}

AAX_Result HostInstance::RenderOnly(const float* const* inputs, float* const* outputs,
                                    std::int32_t frames)
{
  if (mRenderProc == nullptr) return AAX_ERROR_NULL_COMPONENT;
  if (frames < 0 || frames > kMaxFrames) return AAX_ERROR_INVALID_ARGUMENT;

  // Packets posted since the last call arrive before this one.
  const HostController::PacketBuffer& packets = Controller().SwapPackets();
  for (const HostController::PacketBuffer::Entry& packet : packets.entries)
  {
    if (packet.field < 0 || static_cast<std::size_t>(packet.field) >= mPortSizes.size()) continue;
    const std::int64_t portSize = mPortSizes[static_cast<std::size_t>(packet.field)];
    if (portSize < 0 || static_cast<std::int64_t>(packet.size) > portSize) continue;
    std::memcpy(mFields[static_cast<std::size_t>(packet.field)],
                packets.bytes.data() + packet.offset, packet.size);
  }

  std::int32_t inputStem = 0;
  std::int32_t outputStem = 0;
  Controller().InputStemFormat(&inputStem);
  Controller().OutputStemFormat(&outputStem);
  Controller().SampleRate(&mSampleRate);
  const std::size_t inChannels = static_cast<std::size_t>(inputStem & 0xFFFF);
  const std::size_t outChannels = static_cast<std::size_t>(outputStem & 0xFFFF);
  mInputs.assign(inputs, inputs + (inputs ? inChannels : 0));
  mOutputs.assign(outputs, outputs + (outputs ? outChannels : 0));
  for (const FieldRecord& field : mFieldRecords)
  {
    if (field.kind == FieldRecord::Kind::AudioIn)
      mFields[static_cast<std::size_t>(field.field)] = mInputs.data();
    else if (field.kind == FieldRecord::Kind::AudioOut)
      mFields[static_cast<std::size_t>(field.field)] = mOutputs.data();
    else if (field.kind == FieldRecord::Kind::SideChainIn)
      mFields[static_cast<std::size_t>(field.field)] = &mSideChainChannel;
  }
  mBufferLength = frames;

  AAX_RenderContext* context = reinterpret_cast<AAX_RenderContext*>(mFields.data());
  AAX_RenderContext* const contexts[] = {context};
  if (mProbe != nullptr) mProbe->Enter();
  mRenderProc(contexts, contexts + 1);
  if (mProbe != nullptr) mProbe->Leave();

  mClock += frames;
  Controller().CountRenderCall(frames);
  Transport().Advance(frames, mSampleRate);
  return AAX_SUCCESS;
}

std::int64_t HostInstance::CurrentStateNumber() const noexcept
{
  const void* port = mFields[AAX_eField_CurrentStateNumber];
  const std::optional<FieldRecord> record = mComponent->Field(AAX_eField_CurrentStateNumber);
  if (port == nullptr || !record || record->kind != FieldRecord::Kind::DataInPort ||
      record->size < static_cast<std::int64_t>(sizeof(std::int64_t)))
    return -1;
  std::int64_t number = 0;
  std::memcpy(&number, port, sizeof number);
  return number;
}

AAX_Result HostInstance::Idle()
{
  return mEffect->HostIdle();
}

AAX_Result HostInstance::OpenView(void* nativeParent)
{
  if (mView) return AAX_SUCCESS;
  auto factory =
      reinterpret_cast<AAX_CreateObjectProc>(mEffectDescriptor->Proc(AAX_eProcID_EffectGUI));
  if (factory == nullptr) return AAX_ERROR_NULL_OBJECT;
  HostRef<IACFUnknown> created = HostRef<IACFUnknown>::Retain(factory());
  mView = QueryRef<AAX_IEffectGUI>(created.Get(), AAX_IID_EffectGUI);
  created.Reset();
  if (!mView) return AAX_ERROR_NULL_OBJECT;
  const AAX_Result connected = mView->ConnectHost(&Context());
  if (connected != AAX_SUCCESS)
  {
    mView.Reset();
    return connected;
  }
  mViewContainer = HostRef<HostViewContainer>::Adopt(
      NewHostObject<HostViewContainer>(mContext->Host().SharedPolicy(), nativeParent));
  return mView->AttachViewContainer(static_cast<AAX_IViewContainer*>(mViewContainer.Get()));
}

AAX_Result HostInstance::CloseView()
{
  if (!mView) return AAX_SUCCESS;
  mView->AttachViewContainer(nullptr);
  const AAX_Result result = mView->DisconnectHost();
  mView.Reset();
  mViewContainer.Reset();
  return result;
}

} // namespace aaxhost
