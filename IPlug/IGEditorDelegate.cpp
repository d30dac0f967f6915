#include "IPlug/IGEditorDelegate.h"

#include <cstdint>

namespace iplug
{

IGEditorDelegate::IGEditorDelegate(int nParams) : IEditorDelegate(nParams) {}

IGEditorDelegate::~IGEditorDelegate() = default;

void IGEditorDelegate::RunLayout(igraphics::IGraphics* graphics)
{
  if (mLayoutFunc && graphics != nullptr) mLayoutFunc(graphics);
}

bool IGEditorDelegate::SerializeEditorState(ByteChunk& chunk) const
{
  const std::int32_t width = mSavedWidth;
  const std::int32_t height = mSavedHeight;
  const float scale = mSavedScale;
  const bool ok = chunk.Put(width) >= 0 && chunk.Put(height) >= 0 && chunk.Put(scale) >= 0;
  return ok && chunk.Size() > 0;
}

int IGEditorDelegate::UnserializeEditorState(const ByteChunk& chunk, int startPos)
{
  std::int32_t width = 0;
  std::int32_t height = 0;
  float scale = 0.f;
  int pos = chunk.Get(width, startPos);
  pos = chunk.Get(height, pos);
  pos = chunk.Get(scale, pos);
  // A truncated record says nothing about the editor: keep what was saved
  // rather than forgetting the user's size.
  if (pos < 0) return -1;
  SetSavedEditorState(width, height, scale);
  return pos;
}

} // namespace iplug
