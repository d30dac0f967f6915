#include "TestPlugin.h"

#include "IPlug/Base64.h"
#include "IPlug/PresetFileFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using iplug::ByteChunk;
using plugtest::PlainPlugin;
using plugtest::TestPlugin;

namespace
{
std::uint32_t BE32(const ByteChunk& c, int at)
{
  const std::uint8_t* d = c.GetData() + at;
  return std::uint32_t{d[0]} << 24 | std::uint32_t{d[1]} << 16 | std::uint32_t{d[2]} << 8 | d[3];
}

float BEFloat(const ByteChunk& c, int at)
{
  const std::uint32_t bits = BE32(c, at);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

std::string Code(const ByteChunk& c, int at)
{
  return std::string(reinterpret_cast<const char*>(c.GetData()) + at, 4);
}

// Everything a load may change: the state and every slot.
std::string Fingerprint(const iplug::IPluginBase& plug)
{
  ByteChunk state;
  plug.SerializeState(state);
  ByteChunk presets;
  plug.SerializePresets(presets);
  return std::string(reinterpret_cast<const char*>(state.GetData()), state.Size()) + "|" +
         std::string(reinterpret_cast<const char*>(presets.GetData()), presets.Size()) + "|" +
         std::to_string(plug.GetCurrentPresetIdx());
}

std::string TempPath(const std::string& leaf)
{
  return ::testing::TempDir() + "brasmire_" + leaf;
}

std::string ReadText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

ByteChunk Prefix(const ByteChunk& c, int n)
{
  ByteChunk out;
  out.PutBytes(c.GetData(), n);
  return out;
}
} // namespace

TEST(ProgramFile, ChunkFormLayout)
{
  TestPlugin plug(TestPlugin::Setup(true, 1));
  plug.SetValues({10, 20, 30, 4, 1, 0});
  plug.ModifyCurrentPreset("A name longer than the 28-byte field");
  ByteChunk file;
  ASSERT_TRUE(plug.MakeProgramFile(file));
  // 56-byte header, block size, then "tffp", 0x00010000 LE and the 60-byte state.
  ASSERT_EQ(file.Size(), 56 + 4 + 8 + 60);
  EXPECT_EQ(Code(file, 0), "CcnK");
  EXPECT_EQ(BE32(file, 4), 68u + 60u);
  EXPECT_EQ(Code(file, 8), "FPCh");
  EXPECT_EQ(BE32(file, 12), 1u);
  EXPECT_EQ(Code(file, 16), "Brm1");
  EXPECT_EQ(BE32(file, 20), 30000u);
  EXPECT_EQ(BE32(file, 24), 6u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.GetData()) + 28, 28),
            "A name longer than the 28-by");
  EXPECT_EQ(BE32(file, 56), 68u);
  EXPECT_EQ(Code(file, 60), "tffp");
  EXPECT_EQ(BE32(file, 64), 0x00000100u); // 0x00010000 stored little-endian
  ByteChunk state;
  plug.SerializeState(state);
  EXPECT_EQ(std::memcmp(file.GetData() + 68, state.GetData(), 60), 0);
}

TEST(ProgramFile, ParameterFormLayout)
{
  PlainPlugin plug(false, 1);
  plug.GetParam(0)->Set(10010); // normalised (10010 - 20) / 19980 = 0.5
  plug.GetParam(1)->Set(0);
  plug.GetParam(2)->Set(3);
  ByteChunk file;
  ASSERT_TRUE(plug.MakeProgramFile(file));
  ASSERT_EQ(file.Size(), 56 + 3 * 4);
  EXPECT_EQ(BE32(file, 4), 0u);
  EXPECT_EQ(Code(file, 8), "FxCk");
  EXPECT_EQ(Code(file, 16), "Pln1");
  EXPECT_EQ(BE32(file, 24), 3u);
  EXPECT_EQ(BEFloat(file, 56), 0.5f);
  EXPECT_EQ(BEFloat(file, 60), 0.0f);
  EXPECT_EQ(BEFloat(file, 64), 1.0f);
}

TEST(ProgramFile, SavedThenLoadedGivesTheSameStateByteForByte)
{
  for (bool chunks : {true, false})
  {
    TestPlugin a(TestPlugin::Setup(chunks, 2));
    a.SetSavedEditorState(900, 256, 1.25f);
    // Values whose normalised forms are exact in float32, so the parameter
    // form carries them without loss.
    a.SetValues({25, 50, 12.5, 7.5, 1, 0});
    a.ModifyCurrentPreset("Warm");
    const std::string path = TempPath(chunks ? "chunk.fxp" : "params.fxp");
    ASSERT_TRUE(a.SaveProgramFile(path.c_str()));

    TestPlugin b(TestPlugin::Setup(chunks, 2));
    if (!chunks) b.SetSavedEditorState(900, 256, 1.25f); // the parameter form has no editor record
    b.ClearRecords();
    ASSERT_TRUE(b.LoadProgramFile(path.c_str())) << chunks;
    ByteChunk sa, sb;
    a.SerializeState(sa);
    b.SerializeState(sb);
    EXPECT_TRUE(sa.IsEqual(sb)) << chunks;
    EXPECT_STREQ(b.PresetNameAt(0), "Warm");
    EXPECT_TRUE(b.GetPreset(0)->chunk.IsEqual(sb));
    EXPECT_EQ(b.log.back(), "presetsModified");
    std::remove(path.c_str());
  }
}

TEST(BankFile, SavedThenLoadedGivesTheSameStateAndSlots)
{
  for (bool chunks : {true, false})
  {
    TestPlugin a(TestPlugin::Setup(chunks, 3));
    a.SetValues({25, 50, 12.5, 7.5, 1, 0}); // exact in float32 when normalised
    a.ModifyCurrentPreset("One");
    a.RecallPreset(1);
    a.SetValues({75, 62.5, 50, -7.5, 0, 1});
    a.ModifyCurrentPreset("Two");
    a.RecallPreset(2);
    a.SetValues({0, 100, 25, 15, 1, 1});
    a.ModifyCurrentPreset("Three");
    a.RecallPreset(1);

    ByteChunk file;
    ASSERT_TRUE(a.MakeBankFile(file));
    EXPECT_EQ(Code(file, 0), "CcnK");
    EXPECT_EQ(Code(file, 8), chunks ? "FBCh" : "FxBk");
    EXPECT_EQ(BE32(file, 12), 2u);
    EXPECT_EQ(BE32(file, 24), 3u); // slots
    EXPECT_EQ(BE32(file, 28), 1u); // current
    for (int i = 32; i < 156; ++i)
      ASSERT_EQ(file.GetData()[i], 0) << i;
    if (!chunks)
    {
      ASSERT_EQ(file.Size(), 156 + 3 * (56 + 24));
      const int second = 156 + 80;
      EXPECT_EQ(Code(file, second + 8), "FxCk");
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.GetData()) + second + 28), "Two");
      EXPECT_EQ(BEFloat(file, second + 56), 0.75f);
      EXPECT_EQ(BEFloat(file, second + 56 + 12), 0.25f); // (-7.5 + 15) / 30
    }

    const std::string path = TempPath(chunks ? "chunk.fxb" : "params.fxb");
    ASSERT_TRUE(a.SaveBankFile(path.c_str()));
    TestPlugin b(TestPlugin::Setup(chunks, 3));
    ASSERT_TRUE(b.LoadBankFile(path.c_str())) << chunks;
    // A parameter bank names its current program; a chunk bank keeps the
    // loading instance's current slot.
    const int current = chunks ? 0 : 1;
    EXPECT_EQ(b.GetCurrentPresetIdx(), current);
    ByteChunk state;
    b.SerializeState(state);
    EXPECT_TRUE(state.IsEqual(a.GetPreset(current)->chunk));
    for (int i = 0; i < 3; ++i)
    {
      EXPECT_STREQ(b.PresetNameAt(i), a.PresetNameAt(i));
      EXPECT_TRUE(b.GetPreset(i)->chunk.IsEqual(a.GetPreset(i)->chunk)) << chunks << " " << i;
    }
    std::remove(path.c_str());
  }
}

TEST(PresetFiles, ShortOversizedAndForeignFilesAreRejectedWithoutChange)
{
  TestPlugin source(TestPlugin::Setup(true, 2));
  source.SetValues({10, 20, 30, 4.5, 1, 0});
  ByteChunk program, bank;
  ASSERT_TRUE(source.MakeProgramFile(program));
  ASSERT_TRUE(source.MakeBankFile(bank));

  TestPlugin plug(TestPlugin::Setup(true, 2));
  plug.SetValues({90, 80, 5, -4, 0, 1});
  plug.ModifyCurrentPreset("Mine");
  const std::string before = Fingerprint(plug);

  // Every prefix of a good file is refused.
  for (int n = 0; n < program.Size(); ++n)
    EXPECT_FALSE(plug.LoadProgramFromChunk(Prefix(program, n))) << n;
  for (int n = 0; n < bank.Size(); ++n)
    EXPECT_FALSE(plug.LoadBankFromChunk(Prefix(bank, n))) << n;
  EXPECT_EQ(Fingerprint(plug), before);

  // A block size claiming more than the file holds.
  ByteChunk oversized;
  oversized.CopyFrom(program);
  oversized.GetData()[56] = 0x7F;
  EXPECT_FALSE(plug.LoadProgramFromChunk(oversized));
  // Foreign plug-in ID, wrong magic, wrong program version, unknown kind.
  for (int at : {0, 16, 15, 8})
  {
    ByteChunk bad;
    bad.CopyFrom(program);
    bad.GetData()[at] ^= 0x01;
    EXPECT_FALSE(plug.LoadProgramFromChunk(bad)) << at;
  }
  EXPECT_FALSE(plug.LoadProgramFile(""));
  EXPECT_FALSE(plug.LoadProgramFile(nullptr));
  EXPECT_FALSE(plug.LoadBankFile(TempPath("does_not_exist.fxb").c_str()));
  EXPECT_EQ(Fingerprint(plug), before);

  // A plug-in without state chunks refuses the chunk forms.
  TestPlugin paramsOnly(TestPlugin::Setup(false, 2));
  const std::string paramsBefore = Fingerprint(paramsOnly);
  EXPECT_FALSE(paramsOnly.LoadProgramFromChunk(program));
  EXPECT_FALSE(paramsOnly.LoadBankFromChunk(bank));
  EXPECT_EQ(Fingerprint(paramsOnly), paramsBefore);
}

TEST(PresetFiles, MalformedRecordInAParameterBankChangesNothing)
{
  TestPlugin source(TestPlugin::Setup(false, 3));
  source.SetValues({10, 20, 30, 4.5, 1, 0});
  source.FillPresetsFromState("Src");
  ByteChunk bank;
  ASSERT_TRUE(source.MakeBankFile(bank));

  TestPlugin plug(TestPlugin::Setup(false, 3));
  plug.SetValues({90, 80, 5, -4, 0, 1});
  plug.ModifyCurrentPreset("Mine");
  const std::string before = Fingerprint(plug);
  const int third = 156 + 2 * 80;
  for (int at : {third + 0, third + 8, third + 15, third + 27})
  {
    ByteChunk bad;
    bad.CopyFrom(bank);
    bad.GetData()[at] ^= 0x01;
    EXPECT_FALSE(plug.LoadBankFromChunk(bad)) << at;
    EXPECT_EQ(Fingerprint(plug), before) << at;
  }
  EXPECT_TRUE(plug.LoadBankFromChunk(bank));
  EXPECT_STREQ(plug.PresetNameAt(2), "Src");
}

TEST(PresetFiles, StateThatFailsInsideAWellFormedFileIsRolledBack)
{
  TestPlugin plug(TestPlugin::Setup(true, 2));
  plug.SetValues({90, 80, 5, -4, 0, 1});
  plug.ModifyCurrentPreset("Mine");
  const std::string before = Fingerprint(plug);

  // A consistent container whose state holds only the editor record and two values.
  ByteChunk file;
  iplug::presetfile::PutBE32(file, iplug::presetfile::kMagic);
  iplug::presetfile::PutBE32(file, 0);
  iplug::presetfile::PutBE32(file, iplug::presetfile::kProgramChunk);
  iplug::presetfile::PutBE32(file, 1);
  iplug::presetfile::PutBE32(file, plug.GetUniqueID());
  iplug::presetfile::PutBE32(file, 30000);
  iplug::presetfile::PutBE32(file, 6);
  const char name[28] = "Short";
  file.PutBytes(name, 28);
  iplug::presetfile::PutBE32(file, 8 + 12 + 16);
  file.PutBytes("tffp", 4);
  file.Put(std::int32_t{0x00010000});
  file.Put(std::int32_t{700});
  file.Put(std::int32_t{200});
  file.Put(1.0f);
  file.Put(1.0);
  file.Put(2.0);
  EXPECT_FALSE(plug.LoadProgramFromChunk(file));
  EXPECT_EQ(Fingerprint(plug), before);
}

TEST(PresetDumps, SourceLinesInThreeForms)
{
  TestPlugin plug(TestPlugin::Setup(true, 1));
  plug.SetValues({40, 70, 12, -3.5, 1, 0});
  plug.ModifyCurrentPreset("Dumped");
  const std::string path = TempPath("dump.txt");
  std::remove(path.c_str());

  ASSERT_TRUE(plug.DumpPresetSource(path.c_str()));
  EXPECT_EQ(ReadText(path),
            "MakePreset(\"Dumped\", 40.000000, 70.000000, 12.000000, -3.500000, 1, 0);\n");

  const char* names[] = {"kMix", "kTone", "kDrive", "kOutput", "kOversampling"};
  ASSERT_TRUE(plug.DumpNamedPresetSource(path.c_str(), names, 5));
  EXPECT_EQ(ReadText(path),
            "MakePreset(\"Dumped\", 40.000000, 70.000000, 12.000000, -3.500000, 1, 0);\n"
            "  MakePresetFromNamedParams(\"Dumped\", 6,\n"
            "    kMix, 40.000000,\n    kTone, 70.000000,\n    kDrive, 12.000000,\n"
            "    kOutput, -3.500000,\n    kOversampling, 1,\n    , 0);\n");
  std::remove(path.c_str());

  ASSERT_TRUE(plug.DumpBlobPresetSource(path.c_str()));
  const ByteChunk& chunk = plug.GetPreset(0)->chunk;
  const std::string expected = "MakePresetFromBlob(\"Dumped\", \"" +
                               iplug::Base64Encode(chunk.GetData(), chunk.Size()) + "\", 60);\n";
  EXPECT_EQ(ReadText(path), expected);
  std::remove(path.c_str());

  EXPECT_FALSE(plug.DumpPresetSource(""));
  EXPECT_FALSE(plug.DumpPresetSource((::testing::TempDir() + "no/such/dir/x.txt").c_str()));
}

TEST(PresetDumps, BooleanValuesPrintAsWords)
{
  PlainPlugin plug(false, 1);
  plug.GetParam(0)->Set(440);
  plug.GetParam(1)->Set(1);
  plug.GetParam(2)->Set(2);
  const std::string path = TempPath("dump_bool.txt");
  std::remove(path.c_str());
  ASSERT_TRUE(plug.DumpPresetSource(path.c_str()));
  EXPECT_EQ(ReadText(path), "MakePreset(\"empty\", 440.000000, true, 2);\n");
  std::remove(path.c_str());
}
