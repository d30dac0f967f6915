#pragma once

// Runs the built plughost on files each test makes in its own scratch folder,
// with the product module built next to it.

#include "Host/ModuleLibrary.h"
#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace plughosttest
{

#ifdef _WIN32
inline constexpr const char* kPlugHost = "../../bin/plughost.exe";
inline constexpr const char* kModuleBinary =
    "../../Brasmire.aaxplugin/Contents/x64/Brasmire.aaxplugin";
#else
inline constexpr const char* kPlugHost = "../../bin/plughost";
inline constexpr const char* kModuleBinary =
    "../../Brasmire.aaxplugin/Contents/Linux-x86_64/Brasmire.so";
#endif
inline constexpr const char* kModuleBundle = "../../Brasmire.aaxplugin";

inline std::string Here(const std::string& relative)
{
  return aaxhost::ExecutableDirectory() + relative;
}

class PlugHostTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = std::filesystem::temp_directory_path() /
              (std::string("plughost-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
  }

  void TearDown() override
  {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
  }

  std::string Path(const std::string& name) const
  {
    const std::u8string text = (scratch / std::filesystem::u8path(name)).u8string();
    return std::string(text.begin(), text.end());
  }

  std::string Bundle() const { return Here(kModuleBundle); }

  ProcessResult Run(const std::vector<std::string>& args, long long fileSizeLimit = 0) const
  {
    // The runner's own capture files live one folder up, so that the
    // scratch folder holds only what plughost wrote.
    const std::u8string parent = scratch.parent_path().u8string();
    return RunProcess(Here(kPlugHost), args, std::string(parent.begin(), parent.end()),
                      fileSizeLimit);
  }

  // Expects the bad-input contract: status 2, one line on stderr starting
  // "plughost: " and containing `needle`, and nothing written in the scratch
  // folder besides the files the test made.
  void ExpectBadInput(const std::vector<std::string>& args, const std::string& needle)
  {
    const auto before = Listing();
    const ProcessResult r = Run(args);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.err.rfind("plughost: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(needle), std::string::npos) << "wanted \"" << needle << "\" in " << r.err;
    EXPECT_EQ(Listing(), before) << "plughost left files behind";
  }

  std::vector<std::string> Listing() const
  {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch))
    {
      const std::u8string name = entry.path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  void WriteBytes(const std::string& name, const std::string& bytes) const
  {
    std::ofstream file(scratch / std::filesystem::u8path(name), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::string ReadBytes(const std::string& name) const
  {
    std::ifstream file(scratch / std::filesystem::u8path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  void WriteF32(const std::string& name, const std::vector<float>& samples) const
  {
    std::string bytes(samples.size() * sizeof(float), '\0');
    if (!samples.empty()) std::memcpy(bytes.data(), samples.data(), bytes.size());
    WriteBytes(name, bytes);
  }

  std::vector<float> ReadF32(const std::string& name) const
  {
    const std::string bytes = ReadBytes(name);
    std::vector<float> samples(bytes.size() / sizeof(float));
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
  }

  bool Exists(const std::string& name) const
  {
    return std::filesystem::exists(scratch / std::filesystem::u8path(name));
  }

  std::filesystem::path scratch;
};

} // namespace plughosttest
