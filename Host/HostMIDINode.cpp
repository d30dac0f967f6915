#include "Host/HostMIDINode.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <algorithm>

namespace aaxhost
{

HostMIDINode::HostMIDINode(std::size_t capacity)
{
  mInput.reserve(capacity);
  mOutput.reserve(capacity);
  mStream.mBuffer = mInput.data();
}

AAX_Result HostMIDINode::PostMIDIPacket(const AAX_MIDIPacket* packet)
{
  if (packet == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (mOutput.size() == mOutput.capacity())
  {
    ++mDropped;
    return AAX_ERROR_FIFO_FULL;
  }
  mOutput.push_back(*packet);
  return AAX_SUCCESS;
}

void HostMIDINode::SetInput(const std::vector<AAX_MIDIPacket>& packets)
{
  const std::size_t n = std::min(packets.size(), mInput.capacity());
  mDropped += packets.size() - n;
  mInput.assign(packets.begin(), packets.begin() + static_cast<std::ptrdiff_t>(n));
  mStream.mBufferSize = static_cast<std::uint32_t>(mInput.size());
  mStream.mBuffer = mInput.data();
}

std::vector<AAX_MIDIPacket> HostMIDINode::TakeOutput()
{
  std::vector<AAX_MIDIPacket> taken(mOutput.begin(), mOutput.end());
  mOutput.clear();
  return taken;
}

} // namespace aaxhost
