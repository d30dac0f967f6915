#pragma once

#include "AAX_SDK/Interfaces/AAX_IMIDINode.h"
#include "AAX_SDK/Interfaces/AAX_ITransport.h"

#include <cstddef>

// Field indexes of the render context, as the description registers them.
enum AAX_ERenderField : AAX_CFieldIndex
{
  AAX_eField_AudioIn = 0,
  AAX_eField_AudioOut = 1,
  AAX_eField_BufferLength = 2,
  AAX_eField_Clock = 3,
  AAX_eField_MIDIIn = 4,
  AAX_eField_MIDIOut = 5,
  AAX_eField_MIDIGlobal = 6,
  AAX_eField_Transport = 7,
  AAX_eField_AdditionalMIDIFirst = 8, // 8 ... 22
  AAX_eField_PrivateData = 23,
  AAX_eField_Meters = 24,
  AAX_eField_CurrentStateNumber = 25,
  AAX_eField_SideChainIn = 26,
  AAX_eField_Count = 27,
};

inline constexpr int AAX_ADDITIONAL_MIDI_NODES = 15;

// The host's per-instance field block for one render call: every field is one
// pointer-sized entry at index × pointer size.
struct AAX_RenderContext
{
  float** mInputs;             // one array of samples per input channel
  float** mOutputs;            // one array of samples per output channel
  std::int32_t* mBufferLength; // number of samples in this call
  void* mClock;                // registered, not read by the render path
  AAX_IMIDINode* mMIDIIn;
  AAX_IMIDINode* mMIDIOut;
  AAX_IMIDINode* mMIDIGlobal;
  AAX_ITransport* mTransport;
  AAX_IMIDINode* mAdditionalMIDIIn[AAX_ADDITIONAL_MIDI_NODES];
  void* mPrivateData; // the module's private block
  float* const* mMeters;
  std::int64_t* mCurrentStateNumber; // last number posted to field 25 that was delivered
  std::int32_t* mSideChainChannel;
};

static_assert(offsetof(AAX_RenderContext, mBufferLength) ==
              AAX_eField_BufferLength * sizeof(void*));
static_assert(offsetof(AAX_RenderContext, mTransport) == AAX_eField_Transport * sizeof(void*));
static_assert(offsetof(AAX_RenderContext, mPrivateData) == AAX_eField_PrivateData * sizeof(void*));
static_assert(offsetof(AAX_RenderContext, mCurrentStateNumber) ==
              AAX_eField_CurrentStateNumber * sizeof(void*));
static_assert(sizeof(AAX_RenderContext) == AAX_eField_Count * sizeof(void*));
