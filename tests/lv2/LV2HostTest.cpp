// The bundle in real LV2 hosts that we did not write: lv2info describes it,
// lv2apply renders through it exactly as plughost renders the AAX module, and
// jalv runs it under a private JACK server on the dummy backend, sets a control
// and restores a saved state. The hosts see the build's bundle only (LV2_PATH
// is a scratch folder linking to it, plus the system's vocabulary bundles).
// In the sanitizer build the hosts load the runtime first (LD_PRELOAD).

#include "lv2/HostProcess.h"
#include "lv2/TestUridMap.h"

#include "lv2/core/lv2.h"
#include "lv2/state/state.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

using lv2test::FindProgram;
using lv2test::HostProcess;
using lv2test::HostResult;
using lv2test::RunHost;

namespace
{
const std::string kStereo = "urn:quillmarsh:brasmire:stereo";
const std::string kMono = "urn:quillmarsh:brasmire:mono";

// The product's controls as its documentation gives them, in port order.
struct ExpectedControl
{
  const char* symbol;
  const char* name; // also plughost's parameter name
  double minimum;
  double maximum;
  double defaultValue;
  std::vector<std::string> properties;
  std::vector<std::string> scalePoints;
  std::string designation;
};

const std::vector<ExpectedControl>& Controls()
{
  static const std::vector<ExpectedControl> controls = {
      {"mix", "Mix", 0, 100, 100, {}, {}, ""},
      {"tone", "Tone", 0, 100, 50, {}, {}, ""},
      {"drive", "Drive", 0, 50, 0, {}, {}, ""},
      {"output", "Output", -15, 15, 0, {}, {}, ""},
      {"oversampling",
       "Oversampling",
       0,
       1,
       0,
       {"lv2core#integer", "lv2core#enumeration"},
       {"0.0 = \"Oversampling Off\"", "1.0 = \"Oversampling On\""},
       ""},
      {"bypass", "Bypass", 0, 1, 1, {"lv2core#integer", "lv2core#toggled"}, {}, "lv2core#enabled"},
  };
  return controls;
}

// One "Port N:" block of lv2info's output.
struct DescribedPort
{
  std::map<std::string, std::vector<std::string>> fields; // "Symbol" -> {"mix"}
  std::vector<std::string> scalePoints;
  std::string First(const std::string& field) const
  {
    const auto it = fields.find(field);
    return it == fields.end() || it->second.empty() ? "" : it->second.front();
  }
};

std::vector<DescribedPort> ParsePorts(const std::string& text)
{
  std::vector<DescribedPort> ports;
  std::istringstream lines(text);
  std::string line;
  std::string field;
  while (std::getline(lines, line))
  {
    if (line.rfind("\tPort ", 0) == 0)
    {
      ports.emplace_back();
      continue;
    }
    if (ports.empty() || line.rfind("\t\t", 0) != 0) continue;
    if (line.rfind("\t\t\t", 0) == 0)
    {
      ports.back().scalePoints.push_back(line.substr(3));
      continue;
    }
    const std::string body = line.substr(2);
    const std::size_t colon = body.find(':');
    std::string value;
    if (body[0] != ' ' && colon != std::string::npos)
    {
      field = body.substr(0, colon);
      value = body.substr(colon + 1);
    }
    else
      value = body; // a continuation of the field above
    value.erase(0, value.find_first_not_of(' '));
    if (!value.empty()) ports.back().fields[field].push_back(value);
  }
  return ports;
}

std::string Ending(const std::string& uri)
{
  const std::size_t slash = uri.rfind('/');
  return slash == std::string::npos ? uri : uri.substr(slash + 1);
}

std::vector<std::string> Endings(const std::vector<std::string>& uris)
{
  std::vector<std::string> out;
  for (const std::string& u : uris)
    out.push_back(Ending(u));
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
  std::sort(v.begin(), v.end());
  return v;
}

// A float WAV file written and read with libsndfile.
bool WriteWav(const std::string& path, int channels, const std::vector<float>& interleaved)
{
  SF_INFO info{};
  info.samplerate = 48000;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  const sf_count_t frames = static_cast<sf_count_t>(interleaved.size()) / channels;
  const bool ok = sf_writef_float(file, interleaved.data(), frames) == frames;
  return sf_close(file) == 0 && ok;
}

std::vector<float> ReadWav(const std::string& path, int* channels)
{
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return {};
  std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
  sf_readf_float(file, samples.data(), info.frames);
  sf_close(file);
  *channels = info.channels;
  return samples;
}

// A quarter of a second of a chord with a fast attack: it reaches the curve's knee at
// every drive setting.
std::vector<float> TestSignal(int channels)
{
  constexpr int kFrames = 12000;
  std::vector<float> samples(static_cast<std::size_t>(kFrames * channels));
  for (int i = 0; i < kFrames; ++i)
  {
    const double t = i / 48000.0;
    const double envelope = std::min(1.0, t * 200.0) * std::exp(-3.0 * t);
    for (int ch = 0; ch < channels; ++ch)
      samples[static_cast<std::size_t>(i * channels + ch)] =
          static_cast<float>(envelope * (0.5 * std::sin(2 * M_PI * (220.0 + 110.0 * ch) * t) +
                                         0.25 * std::sin(2 * M_PI * 1375.0 * t + ch)));
  }
  return samples;
}

class LV2Hosts : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mScratch = std::filesystem::current_path() / ("lv2-hosts-" + std::to_string(getpid()));
    std::filesystem::remove_all(mScratch);
    std::filesystem::create_directories(mScratch / "lv2");
    std::filesystem::create_directory_symlink(LV2_TEST_BUNDLE, mScratch / "lv2" / "Brasmire.lv2");
  }
  void TearDown() override
  {
    if (!HasFailure()) std::filesystem::remove_all(mScratch);
  }

  // The environment every host runs with: only the build's bundle and the
  // system's vocabularies, never a user's plug-in folders.
  std::vector<std::string> HostEnvironment() const
  {
    std::vector<std::string> env = {"LV2_PATH=" + (mScratch / "lv2").string() + ":/usr/lib/lv2"};
    const std::string runtime = LV2_TEST_SANITIZER_RUNTIME;
    if (!runtime.empty())
    {
      // The host was not built with the sanitizer: its runtime must come first.
      // Leaks are the hosts' own business; ours are checked in-process.
      env.push_back("LD_PRELOAD=" + runtime);
      env.push_back("ASAN_OPTIONS=detect_leaks=0:abort_on_error=1");
      env.push_back("UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1");
    }
    return env;
  }

  // The path of a host program, or "" with the test skipped.
  std::string Host(const char* name, const char* package)
  {
    const std::string path = FindProgram(name);
    if (path.empty())
      mMissing =
          std::string(name) + " is not installed (scripts/bootstrap.sh installs " + package + ")";
    return path;
  }

  std::string Scratch() const { return mScratch.string(); }

  std::filesystem::path mScratch;
  std::string mMissing;
};

TEST_F(LV2Hosts, Lv2infoListsBothVariantsWithEveryPortAndItsProperties)
{
  const std::string lv2info = Host("lv2info", "lilv-utils");
  if (lv2info.empty()) GTEST_SKIP() << mMissing;

  for (const int channels : {2, 1})
  {
    SCOPED_TRACE(channels == 2 ? "stereo" : "mono");
    const HostResult r =
        RunHost(lv2info, {channels == 2 ? kStereo : kMono}, HostEnvironment(), Scratch());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "") << "lv2info complained";
    EXPECT_NE(r.out.find(channels == 2 ? "\tName:              Brasmire\n"
                                       : "\tName:              Brasmire Mono\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\tClass:             Distortion Plugin\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\tAuthor:            Quillmarsh\n"), std::string::npos);
    const int latencyPort = 2 * channels + 6;
    EXPECT_NE(r.out.find("\tHas latency:       yes, reported by port " +
                         std::to_string(latencyPort) + "\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\tExtension Data:    http://lv2plug.in/ns/ext/state#interface\n"),
              std::string::npos);
    EXPECT_EQ(r.out.find("Required Features"), std::string::npos) << "every feature is optional";

    const std::vector<DescribedPort> ports = ParsePorts(r.out);
    ASSERT_EQ(ports.size(), static_cast<std::size_t>(latencyPort + 1));
    const std::vector<std::string> audio =
        channels == 2 ? std::vector<std::string>{"in_l", "in_r", "out_l", "out_r"}
                      : std::vector<std::string>{"in", "out"};
    for (std::size_t i = 0; i < audio.size(); ++i)
    {
      EXPECT_EQ(ports[i].First("Symbol"), audio[i]);
      EXPECT_EQ(Endings(ports[i].fields.at("Type")),
                Sorted({"lv2core#AudioPort",
                        i < audio.size() / 2 ? "lv2core#InputPort" : "lv2core#OutputPort"}));
    }
    for (std::size_t k = 0; k < Controls().size(); ++k)
    {
      const ExpectedControl& c = Controls()[k];
      const DescribedPort& port = ports[audio.size() + k];
      SCOPED_TRACE(c.symbol);
      EXPECT_EQ(port.First("Symbol"), c.symbol);
      EXPECT_EQ(port.First("Name"), c.name);
      EXPECT_EQ(Endings(port.fields.at("Type")),
                Sorted({"lv2core#ControlPort", "lv2core#InputPort"}));
      EXPECT_DOUBLE_EQ(std::stod(port.First("Minimum")), c.minimum);
      EXPECT_DOUBLE_EQ(std::stod(port.First("Maximum")), c.maximum);
      EXPECT_DOUBLE_EQ(std::stod(port.First("Default")), c.defaultValue);
      EXPECT_EQ(Endings(port.fields.count("Properties") ? port.fields.at("Properties")
                                                        : std::vector<std::string>{}),
                Sorted(c.properties));
      EXPECT_EQ(Sorted(port.scalePoints), c.scalePoints);
      EXPECT_EQ(Ending(port.First("Designation")), c.designation);
    }
    const DescribedPort& latency = ports.back();
    EXPECT_EQ(latency.First("Symbol"), "latency");
    EXPECT_EQ(Endings(latency.fields.at("Type")),
              Sorted({"lv2core#ControlPort", "lv2core#OutputPort"}));
    EXPECT_EQ(Ending(latency.First("Designation")), "lv2core#latency");
  }
}

// lv2apply and plughost (the AAX module) render the same file at the same
// settings; neither compensates latency, so the outputs line up sample for sample.
TEST_F(LV2Hosts, Lv2applyRendersWhatPlughostRendersFromTheAAXModule)
{
  const std::string lv2apply = Host("lv2apply", "lilv-utils");
  if (lv2apply.empty()) GTEST_SKIP() << mMissing;

  using Settings = std::vector<std::pair<int, const char*>>; // control index, value
  const std::vector<Settings> settings = {
      {},
      {{2, "24"}, {1, "30"}, {0, "70"}, {3, "-3"}},
      {{2, "40"}, {4, "1"}},
      {{2, "40"}, {5, "0"}}, // disengaged
  };
  float worst = 0.f;
  for (const int channels : {2, 1})
  {
    const std::string in = Scratch() + "/in" + std::to_string(channels) + ".wav";
    ASSERT_TRUE(WriteWav(in, channels, TestSignal(channels)));
    for (std::size_t s = 0; s < settings.size(); ++s)
    {
      SCOPED_TRACE("channels " + std::to_string(channels) + ", setting " + std::to_string(s));
      const std::string lv2Out =
          Scratch() + "/lv2-" + std::to_string(channels) + "-" + std::to_string(s) + ".wav";
      const std::string aaxOut =
          Scratch() + "/aax-" + std::to_string(channels) + "-" + std::to_string(s) + ".wav";
      std::vector<std::string> lv2Args = {"-i", in, "-o", lv2Out};
      std::vector<std::string> aaxArgs = {"render",  LV2_TEST_AAX_MODULE,         in,       aaxOut,
                                          "--float", "--no-latency-compensation", "--quiet"};
      for (const auto& [index, value] : settings[s])
      {
        lv2Args.insert(lv2Args.end(),
                       {"-c", Controls()[static_cast<std::size_t>(index)].symbol, value});
        aaxArgs.insert(aaxArgs.end(),
                       {"--param", std::string(Controls()[static_cast<std::size_t>(index)].name) +
                                       "=" + value});
      }
      lv2Args.push_back(channels == 2 ? kStereo : kMono);
      const HostResult lv2 = RunHost(lv2apply, lv2Args, HostEnvironment(), Scratch());
      ASSERT_EQ(lv2.exitCode, 0) << lv2.err;
      EXPECT_EQ(lv2.err, "") << "lv2apply complained";
      const HostResult aax = RunHost(LV2_TEST_PLUGHOST, aaxArgs, {}, Scratch());
      ASSERT_EQ(aax.exitCode, 0) << aax.err;

      int lv2Channels = 0;
      int aaxChannels = 0;
      const std::vector<float> a = ReadWav(lv2Out, &lv2Channels);
      const std::vector<float> b = ReadWav(aaxOut, &aaxChannels);
      ASSERT_EQ(lv2Channels, channels);
      ASSERT_EQ(aaxChannels, channels);
      ASSERT_EQ(a.size(), b.size());
      float most = 0.f;
      float peak = 0.f;
      for (std::size_t i = 0; i < a.size(); ++i)
      {
        most = std::max(most, std::fabs(a[i] - b[i]));
        peak = std::max(peak, std::fabs(b[i]));
      }
      EXPECT_LE(most, 1e-6f);
      EXPECT_GT(peak, 0.005f) << "the render is not silent";
      worst = std::max(worst, most);
    }
  }
  std::printf("lv2apply vs plughost: largest difference %.3g over 8 renders\n",
              static_cast<double>(worst));
  RecordProperty("max_difference", std::to_string(worst));
}

// jalv under a private JACK server on the dummy backend (no sound card).
class JalvUnderJack : public LV2Hosts
{
protected:
  void SetUp() override
  {
    LV2Hosts::SetUp();
    mJackd = Host("jackd", "jackd2");
    mJalv = Host("jalv", "jalv");
    mJackLsp = Host("jack_lsp", "jackd2");
    if (!mMissing.empty()) return;
    mServer = "brasmire-lv2-" + std::to_string(getpid());
    mJack = std::make_unique<HostProcess>(
        mJackd,
        std::vector<std::string>{"--no-realtime", "-d", "dummy", "-r", "48000", "-p", "256"},
        JackEnvironment({}), Scratch());
    // Up once a client can list its ports.
    for (int tries = 0; tries < 100 && !mServerUp; ++tries)
    {
      mServerUp = RunHost(mJackLsp, {}, JackEnvironment({}), Scratch(), 5000).exitCode == 0;
      if (!mServerUp) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  void TearDown() override
  {
    mJack.reset();
    LV2Hosts::TearDown();
  }

  // The server's name is this test's own; clients never start a server themselves.
  std::vector<std::string> JackEnvironment(std::vector<std::string> env) const
  {
    env.push_back("JACK_DEFAULT_SERVER=" + mServer);
    env.push_back("JACK_NO_START_SERVER=1");
    env.push_back("JACK_NO_AUDIO_RESERVATION=1");
    return env;
  }

  // Polls JACK until the client's first output port shows `frames` of
  // latency; false after five seconds.
  bool WaitForLatency(const std::string& client, int frames, std::string* seen)
  {
    const std::string wanted =
        "port playback latency = [ " + std::to_string(frames) + " " + std::to_string(frames) + " ]";
    for (int tries = 0; tries < 100; ++tries)
    {
      *seen =
          RunHost(mJackLsp, {"-l", client + ":out_l"}, JackEnvironment({}), Scratch(), 5000).out;
      if (seen->find(wanted) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  std::unique_ptr<HostProcess> StartJalv(const std::string& client, std::vector<std::string> extra)
  {
    std::vector<std::string> args = {"-x", "-n", client};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(kStereo);
    return std::make_unique<HostProcess>(mJalv, args, JackEnvironment(HostEnvironment()),
                                         Scratch());
  }

  // jalv's complaints: every "error" or "warning" line it printed.
  static std::string Complaints(const std::string& text)
  {
    std::string found;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
      if (line.find("error") != std::string::npos || line.find("warning") != std::string::npos ||
          line.find("ERROR") != std::string::npos)
        found += line + "\n";
    return found;
  }

  std::string mJackd, mJalv, mJackLsp, mServer;
  std::unique_ptr<HostProcess> mJack;
  bool mServerUp = false;
};

TEST_F(JalvUnderJack, SetsAControlAndJackSeesTheLatencyItReports)
{
  if (!mMissing.empty()) GTEST_SKIP() << mMissing;
  ASSERT_TRUE(mServerUp) << "jackd (dummy backend) did not start: " << mJack->Err();

  auto jalv = StartJalv("brasmire", {});
  ASSERT_TRUE(jalv->Started());
  std::string seen;
  EXPECT_TRUE(WaitForLatency("brasmire", 0, &seen)) << seen << jalv->Err();
  jalv->Send("set oversampling 1\n");
  EXPECT_TRUE(WaitForLatency("brasmire", 64, &seen)) << seen << jalv->Err();
  jalv->Send("oversampling = 0\n");
  EXPECT_TRUE(WaitForLatency("brasmire", 0, &seen)) << seen << jalv->Err();
  jalv->Send("set drive 24\ncontrols\n");
  jalv->CloseInput(); // jalv quits at the end of its input
  EXPECT_EQ(jalv->Wait(10000), 0) << jalv->Err();
  const std::string out = jalv->Out();
  EXPECT_NE(out.find("drive = 24.000000"), std::string::npos) << out;
  EXPECT_NE(out.find("oversampling = 0.000000"), std::string::npos) << out;
  EXPECT_EQ(Complaints(out + jalv->Err()), "") << "jalv complained";
}

// What a host's state store keeps of the one property the plug-in saves.
struct SavedProperty
{
  std::uint32_t key = 0;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

LV2_State_Status StoreProperty(LV2_State_Handle handle, std::uint32_t key, const void* value,
                               std::size_t size, std::uint32_t type, std::uint32_t)
{
  auto* saved = static_cast<SavedProperty*>(handle);
  saved->key = key;
  saved->type = type;
  saved->bytes.assign(static_cast<const std::uint8_t*>(value),
                      static_cast<const std::uint8_t*>(value) + size);
  return LV2_STATE_SUCCESS;
}

std::string Base64(const std::vector<std::uint8_t>& bytes)
{
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3)
  {
    const std::uint32_t n = (bytes[i] << 16) | (i + 1 < bytes.size() ? bytes[i + 1] << 8 : 0) |
                            (i + 2 < bytes.size() ? bytes[i + 2] : 0);
    out += kAlphabet[(n >> 18) & 63];
    out += kAlphabet[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[n & 63] : '=';
  }
  return out;
}

// Saves a state from the bundle's own library, as a host saves one, and
// writes it as a state folder (state.ttl) for jalv -l. The folder names no
// port values, so what jalv shows at the ports stays at the defaults and only
// the plug-in's restored state can turn oversampling on.
bool SaveStateFolder(const std::string& folder, std::string* error)
{
  const std::string library = std::string(LV2_TEST_BUNDLE) + "/Brasmire.so";
  void* module = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr)
  {
    *error = dlerror();
    return false;
  }
  using DescriptorFunction = const LV2_Descriptor* (*)(std::uint32_t);
  const auto entry = reinterpret_cast<DescriptorFunction>(dlsym(module, "lv2_descriptor"));
  const LV2_Descriptor* descriptor = entry != nullptr ? entry(0) : nullptr;
  lv2test::TestUridMap map;
  const LV2_Feature* features[] = {map.Feature(), nullptr};
  LV2_Handle instance = descriptor != nullptr
                            ? descriptor->instantiate(descriptor, 48000, LV2_TEST_BUNDLE, features)
                            : nullptr;
  bool saved = false;
  SavedProperty property;
  if (instance != nullptr)
  {
    float in[64] = {}, out[2][64] = {};
    float controls[6] = {70.f, 50.f, 24.f, 0.f, 1.f, 1.f}; // Mix 70, Drive 24, Oversampling on
    float latency = 0.f;
    for (std::uint32_t p = 0; p < 2; ++p)
    {
      descriptor->connect_port(instance, p, in);
      descriptor->connect_port(instance, 2 + p, out[p]);
    }
    for (std::uint32_t p = 0; p < 6; ++p)
      descriptor->connect_port(instance, 4 + p, &controls[p]);
    descriptor->connect_port(instance, 10, &latency);
    descriptor->activate(instance);
    descriptor->run(instance, 64);
    const auto* state =
        static_cast<const LV2_State_Interface*>(descriptor->extension_data(LV2_STATE__interface));
    saved = state != nullptr &&
            state->save(instance, &StoreProperty, &property,
                        LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr) == LV2_STATE_SUCCESS;
    descriptor->deactivate(instance);
    descriptor->cleanup(instance);
  }
  dlclose(module);
  if (!saved || property.bytes.size() != 60 ||
      property.type != map.Map("http://lv2plug.in/ns/ext/atom#Chunk"))
  {
    *error = "the plug-in saved no 60-byte chunk";
    return false;
  }
  std::filesystem::create_directories(folder);
  std::ofstream file(folder + "/state.ttl");
  file << "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
          "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
          "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
          "@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .\n\n"
          "<>\n  a pset:Preset ;\n  lv2:appliesTo <"
       << kStereo << "> ;\n  state:state [\n    <" << map.Unmap(property.key) << "> \""
       << Base64(property.bytes) << "\"^^xsd:base64Binary\n  ] .\n";
  return static_cast<bool>(file.flush());
}

TEST_F(JalvUnderJack, RestoresASavedStateFolder)
{
  if (!mMissing.empty()) GTEST_SKIP() << mMissing;
  ASSERT_TRUE(mServerUp) << "jackd (dummy backend) did not start: " << mJack->Err();
  std::string error;
  const std::string folder = Scratch() + "/saved";
  ASSERT_TRUE(SaveStateFolder(folder, &error)) << error;

  auto jalv = StartJalv("restored", {"-l", folder});
  ASSERT_TRUE(jalv->Started());
  std::string seen;
  EXPECT_TRUE(WaitForLatency("restored", 64, &seen)) << seen << jalv->Out() << jalv->Err();
  jalv->Send("controls\n");
  jalv->CloseInput();
  EXPECT_EQ(jalv->Wait(10000), 0) << jalv->Err();
  EXPECT_NE(jalv->Out().find("oversampling = 0.000000"), std::string::npos)
      << "the port stayed at its default; the restored state turned oversampling on\n"
      << jalv->Out();
  EXPECT_EQ(Complaints(jalv->Out() + jalv->Err()), "") << "jalv complained";
}

} // namespace
