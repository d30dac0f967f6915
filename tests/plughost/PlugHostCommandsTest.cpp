// plughost's commands and its handling of bad input, run as a user runs it.

#include "PlugHostFixture.h"

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_Types.h"

namespace plughosttest
{
namespace
{

bool Contains(const std::string& text, const std::string& part)
{
  return text.find(part) != std::string::npos;
}

// A saved state file: 56-byte chunk header, then the effect's bytes.
std::string StateBytes(AAX_CTypeID chunk, std::int32_t declared, std::size_t dataBytes)
{
  std::string bytes(AAX_CHUNK_HEADER_SIZE + dataBytes, '\0');
  AAX_ChunkRecord header{};
  header.mSize = declared;
  header.mChunkID = chunk;
  std::memcpy(bytes.data(), &header, sizeof header);
  return bytes;
}

TEST_F(PlugHostTest, VersionAndHelpOnEveryCommand)
{
  ProcessResult r = Run({"--version"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "plughost v" PLUGHOST_TEST_VERSION "\n");
  r = Run({"--help"});
  EXPECT_EQ(r.exitCode, 0);
  for (const char* command : {"describe", "params", "render", "state"})
  {
    EXPECT_TRUE(Contains(r.out, std::string("  ") + command)) << r.out;
    const ProcessResult help = Run({command, "--help"});
    EXPECT_EQ(help.exitCode, 0) << command;
    EXPECT_EQ(help.out.rfind(std::string("usage: plughost ") + command, 0), 0u) << help.out;
    EXPECT_TRUE(help.err.empty()) << help.err;
  }
  ExpectBadInput({}, "no command");
  ExpectBadInput({"rander", Bundle()}, "unknown command \"rander\"");
}

TEST_F(PlugHostTest, TheParserRefusesUnknownOptionsMissingValuesAndBadNumbers)
{
  WriteF32("in.f32", std::vector<float>(64, 0.25f));
  const std::vector<std::string> base = {"render", Bundle(), Path("in.f32"), Path("out.f32"),
                                         "--sr",   "48000",  "--channels",   "2"};
  auto with = [&](std::vector<std::string> extra)
  {
    std::vector<std::string> args = base;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  };
  ExpectBadInput(with({"--drive", "3"}), "unknown option --drive");
  ExpectBadInput(with({"--block"}), "option --block needs a value");
  ExpectBadInput(with({"--block", "many"}), "whole number, not \"many\"");
  ExpectBadInput(with({"--block", "0"}), "between 1 and 65536");
  ExpectBadInput(with({"--block", "65537"}), "between 1 and 65536");
  ExpectBadInput(with({"--quiet=yes"}), "takes no value");
  ExpectBadInput({"render", Bundle(), Path("in.f32")}, "missing arguments");
  ExpectBadInput({"describe", Bundle(), "extra"}, "unexpected argument \"extra\"");
  ExpectBadInput({"describe", Bundle(), "--json", "--json"}, "more than once");
}

TEST_F(PlugHostTest, DescribeShowsTheEffectItsComponentsAndPackage)
{
  for (const std::string& module : {Bundle(), Here(kModuleBinary)})
  {
    const ProcessResult r = Run({"describe", module});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "effect        com.Quillmarsh.aax.Brasmire")) << r.out;
    EXPECT_TRUE(Contains(r.out, "manufacturer  Quillmarsh")) << r.out;
    EXPECT_TRUE(Contains(r.out, "component 0  1 in, 1 out")) << r.out;
    EXPECT_TRUE(Contains(r.out, "component 1  2 in, 2 out")) << r.out;
    EXPECT_TRUE(Contains(r.out, "procedures  effect parameters: yes, view: yes")) << r.out;
    EXPECT_TRUE(Contains(r.out, "real-time render procedure")) << r.out;
  }
  const ProcessResult json = Run({"describe", Bundle(), "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_TRUE(Contains(json.out, "\"manufacturer\": \"Quillmarsh\"")) << json.out;
  EXPECT_TRUE(Contains(json.out, "\"id\": \"com.Quillmarsh.aax.Brasmire\"")) << json.out;
  EXPECT_TRUE(Contains(json.out, "\"inputChannels\": 1, \"outputChannels\": 1")) << json.out;
  EXPECT_TRUE(Contains(json.out, "\"inputChannels\": 2, \"outputChannels\": 2")) << json.out;
  // Balanced brackets outside strings: the cheapest structural check.
  int depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < json.out.size(); ++i)
  {
    const char c = json.out[i];
    if (inString)
    {
      if (c == '\\')
        ++i;
      else if (c == '"')
        inString = false;
      continue;
    }
    if (c == '"') inString = true;
    if (c == '{' || c == '[') ++depth;
    if (c == '}' || c == ']') --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);
  EXPECT_FALSE(inString);
}

TEST_F(PlugHostTest, ParamsListsEveryHostParameterWithItsValues)
{
  ProcessResult r = Run({"params", Bundle()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* name :
       {"Master Bypass", "Mix", "Tone", "Drive", "Output", "Oversampling", "Bypass"})
    EXPECT_TRUE(Contains(r.out, name)) << name << "\n" << r.out;
  // Seven parameters and a header line.
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 8) << r.out;

  // Names are case-insensitive and values plain, as a user types them.
  r = Run({"params", Bundle(), "--json", "--param", "dRIVE=24", "--param", "Output=-3.5"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Contains(r.out, "\"id\": \"3\", \"name\": \"Drive\"")) << r.out;
  // Drive spans 0..50 dB and Output -15..15 dB linearly.
  EXPECT_TRUE(Contains(r.out, "\"value\": 0.48,")) << r.out;
  EXPECT_TRUE(Contains(r.out, "\"value\": " + std::to_string(11.5 / 30.0).substr(0, 8))) << r.out;
  EXPECT_TRUE(Contains(r.out, "\"id\": \"\", \"name\": \"Master Bypass\"")) << r.out;
}

TEST_F(PlugHostTest, StateSavesLoadsPrintsAndCompares)
{
  ProcessResult r = Run({"state", Bundle(), "--param", "Drive=24", "--param", "Oversampling=1",
                         "--save", Path("drive.state")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string saved = ReadBytes("drive.state");
  // The host's chunk header, then the 60-byte state: editor record (12
  // bytes) and six doubles in index order (Mix, Tone, Drive, Output, Bypass, Oversampling).
  ASSERT_EQ(saved.size(), AAX_CHUNK_HEADER_SIZE + 60);
  AAX_ChunkRecord header{};
  std::memcpy(&header, saved.data(), sizeof header);
  EXPECT_EQ(header.mSize, 60);
  EXPECT_EQ(header.mChunkID, AAX_FourCC("Brm1"));
  double values[6];
  std::memcpy(values, saved.data() + AAX_CHUNK_HEADER_SIZE + 12, sizeof values);
  EXPECT_EQ(values[0], 100.0);
  EXPECT_EQ(values[1], 50.0);
  EXPECT_DOUBLE_EQ(values[2], 24.0);
  EXPECT_EQ(values[3], 0.0);

  r = Run({"state", Bundle(), "--save", Path("default.state")});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  r = Run({"state", Bundle(), "--load", Path("drive.state"), "--print"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Contains(r.out, "Drive            24.00dB\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Oversampling     1\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Mix              100.00%\n")) << r.out;

  r = Run({"state", Bundle(), "--load", Path("drive.state"), "--compare", Path("drive.state")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "equal\n");
  r = Run({"state", Bundle(), "--compare", Path("drive.state")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out, "different\n");
  r = Run({"state", Bundle(), "--compare", Path("default.state")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  // Settings typed on the command line reach the compared state too.
  r = Run({"state", Bundle(), "--param", "drive=24", "--param", "oversampling=1", "--compare",
           Path("drive.state")});
  EXPECT_EQ(r.exitCode, 0) << r.err;

  // A state loaded into a fresh instance saves to the same bytes.
  r = Run({"state", Bundle(), "--load", Path("drive.state"), "--save", Path("again.state")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes("again.state"), saved);

  ExpectBadInput({"state", Bundle()}, "nothing to do");
}

TEST_F(PlugHostTest, BadModulesAreRefusedWithTheirReason)
{
  ExpectBadInput({"describe", Path("nowhere.aaxplugin")}, "module not found");
  WriteBytes("junk.so", "this is not a shared library\n");
  ExpectBadInput({"describe", Path("junk.so")}, "is not a module");
  std::filesystem::create_directories(scratch / "Empty.aaxplugin" / "Contents");
  ExpectBadInput({"params", Path("Empty.aaxplugin")}, "is not a module bundle");
  ExpectBadInput({"describe", Here(PLUGHOST_NO_EXPORTS_MODULE)}, "is not a module");
  // The module's own trace says why its description failed.
  ExpectBadInput({"describe", Here(PLUGHOST_FAILING_MODULE)},
                 "AAXRegisterPlugin exception caught: AAX_ERROR_NULL_OBJECT (-20004)");
}

TEST_F(PlugHostTest, BadParameterSettingsNameTheProblem)
{
  ExpectBadInput({"params", Bundle(), "--param", "Drvie=3"},
                 "unknown parameter \"Drvie\"; valid names: Master Bypass, Mix, Tone, Drive, "
                 "Output, Oversampling, Bypass");
  ExpectBadInput({"params", Bundle(), "--param", "Drive=loud"},
                 "Drive value \"loud\" is not a value the effect understands");
  ExpectBadInput({"params", Bundle(), "--param", "Drive=80"}, "Drive value \"80\" is out of range");
  ExpectBadInput({"params", Bundle(), "--param", "Output=-20"}, "is out of range");
  ExpectBadInput({"params", Bundle(), "--param", "Drive"}, "--param needs NAME=VALUE");
  // The effect's reading of an out-of-range value is shown.
  const ProcessResult r = Run({"params", Bundle(), "--param", "Mix=150"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Contains(r.err, "the effect made it \"100")) << r.err;
}

TEST_F(PlugHostTest, BadAudioFilesAreRefusedAndNothingIsWritten)
{
  const std::vector<float> stereo(2 * 100, 0.1f);
  WriteF32("in.f32", stereo);
  const std::string in = Path("in.f32");
  const std::string out = Path("out.f32");
  ExpectBadInput({"render", Bundle(), Path("missing.f32"), out, "--sr", "48000", "--channels", "2"},
                 "cannot read");
  ExpectBadInput({"render", Bundle(), in, out}, "give its rate and channel count");
  ExpectBadInput({"render", Bundle(), in, out, "--sr", "48000", "--channels", "3"},
                 "not a whole number of 3-channel float32 frames");
  // 200 floats read as 4 channels is 50 whole frames: no component for it.
  ExpectBadInput({"render", Bundle(), in, out, "--sr", "48000", "--channels", "4"},
                 "no component for 4-channel audio");
  ExpectBadInput({"render", Bundle(), in, out, "--sr", "100", "--channels", "2"},
                 "between 1000 and 768000");
  ExpectBadInput(
      {"render", Bundle(), in, Path("no-such-folder/out.f32"), "--sr", "48000", "--channels", "2"},
      "cannot write");
  WriteBytes("noise.wav", "RIFF....WAVEjunkjunkjunk");
#ifdef _WIN32
  ExpectBadInput({"render", Bundle(), Path("noise.wav"), out}, "reads only raw float32");
  ExpectBadInput({"render", Bundle(), in, Path("out.wav"), "--sr", "48000", "--channels", "2"},
                 "writes only raw float32");
#else
  ExpectBadInput({"render", Bundle(), Path("noise.wav"), out}, "cannot read");
  ExpectBadInput({"render", Bundle(), in, Path("out.mp3"), "--sr", "48000", "--channels", "2"},
                 "unknown audio format \".mp3\"");
  ExpectBadInput(
      {"render", Bundle(), in, Path("out.flac"), "--float", "--sr", "48000", "--channels", "2"},
      "FLAC holds whole-number samples only");
#endif
}

TEST_F(PlugHostTest, StateFilesTheEffectRejectsChangeNothing)
{
  WriteBytes("short.state", std::string(20, '\0'));
  ExpectBadInput({"state", Bundle(), "--load", Path("short.state")}, "shorter than a chunk header");
  WriteBytes("lying.state", StateBytes(AAX_FourCC("Brm1"), 60, 10));
  ExpectBadInput({"state", Bundle(), "--load", Path("lying.state")}, "header says 60 bytes");
  WriteBytes("foreign.state", StateBytes(AAX_FourCC("elck"), 60, 60));
  ExpectBadInput({"state", Bundle(), "--compare", Path("foreign.state")},
                 "holds chunk 'elck', which this effect does not use");
  // Our chunk, too short for six values: the effect itself refuses it.
  WriteBytes("truncated.state", StateBytes(AAX_FourCC("Brm1"), 20, 20));
  ExpectBadInput(
      {"state", Bundle(), "--load", Path("truncated.state"), "--save", Path("after.state")},
      "the effect rejected the state in");
  ExpectBadInput({"state", Bundle(), "--load", Path("missing.state")}, "no such file");
  ExpectBadInput({"state", Bundle(), "--save", Path("no-such-folder/x.state")}, "cannot write");
}

} // namespace
} // namespace plughosttest
