// Writes the seed corpora of fuzz/plugin/ from what the plug-in core itself
// produces: make-plugin-fuzz-seeds <fuzz/plugin/corpus>
#include "fuzz/plugin/FuzzPlugin.h"

#include "IPlug/Base64.h"

#include <cstdio>
#include <string>

namespace
{
bool Write(const std::string& path, const std::uint8_t* prefix, int prefixSize,
           const iplug::ByteChunk& bytes)
{
  std::FILE* fp = std::fopen(path.c_str(), "wb");
  if (fp == nullptr) return false;
  bool ok = std::fwrite(prefix, 1, static_cast<std::size_t>(prefixSize), fp) ==
            static_cast<std::size_t>(prefixSize);
  ok = ok && std::fwrite(bytes.GetData(), 1, static_cast<std::size_t>(bytes.Size()), fp) ==
                 static_cast<std::size_t>(bytes.Size());
  return std::fclose(fp) == 0 && ok;
}

void Fill(plugfuzz::FuzzPlugin& plug)
{
  plug.SetSavedEditorState(1098, 312, 1.5f);
  const double values[3][6] = {
      {40, 70, 12, -3.5, 1, 0}, {100, 0, 50, 15, 0, 1}, {0, 100, 0, -15, 1, 1}};
  const char* names[3] = {"Warm", "Crunch \xE2\x82\xAC", "Clean"};
  for (int slot = 0; slot < 3; ++slot)
  {
    plug.RecallPreset(slot);
    for (int i = 0; i < 6; ++i)
      plug.GetParam(i)->Set(values[slot][i]);
    plug.ModifyCurrentPreset(names[slot]);
  }
  plug.RecallPreset(1);
}
} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const std::string root = argv[1];
  bool ok = true;
  for (bool chunks : {true, false})
  {
    plugfuzz::FuzzPlugin plug(chunks);
    Fill(plug);
    iplug::ByteChunk state, presets, program, bank;
    plug.SerializeState(state);
    plug.SerializePresets(presets);
    plug.MakeProgramFile(program);
    plug.MakeBankFile(bank);
    const std::string form = chunks ? "chunk" : "params";
    // The file fuzzer's selector byte: bit 0 bank, bit 1 parameter form.
    const std::uint8_t programSel = chunks ? 0 : 2;
    const std::uint8_t bankSel = chunks ? 1 : 3;
    ok = ok && Write(root + "/preset_file/program_" + form, &programSel, 1, program);
    ok = ok && Write(root + "/preset_file/bank_" + form, &bankSel, 1, bank);
    if (chunks)
    {
      ok = ok && Write(root + "/state/state_60", nullptr, 0, state);
      const std::uint8_t chunkSel = 0;
      ok = ok && Write(root + "/presets_chunk/presets", &chunkSel, 1, presets);
      iplug::ByteChunk text;
      const std::string b64 = iplug::Base64Encode(state.GetData(), state.Size());
      text.PutBytes(b64.data(), static_cast<int>(b64.size()));
      const std::uint8_t blobSel = 1 + 2 * 29; // odd: blob; decoded size 1 + 59 % 128 = 60
      ok = ok && Write(root + "/presets_chunk/blob", &blobSel, 1, text);
      iplug::ByteChunk header;
      header.PutBytes(state.GetData(), 12);
      ok = ok && Write(root + "/state/editor_record_only", nullptr, 0, header);
    }
  }
  if (!ok) std::fprintf(stderr, "could not write every seed under %s\n", root.c_str());
  return ok ? 0 : 1;
}
