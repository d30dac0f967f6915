// Build-time generator of the LV2 bundle's Turtle files: constructs the effect
// once per variant and writes manifest.ttl and Brasmire.ttl from its own
// parameter definitions into the bundle folder given as the one argument.

#include "Examples/Brasmire/Brasmire.h"
#include "Examples/Brasmire/BrasmireLV2Bundle.h"
#include "IPlug/LV2/LV2TurtleWriter.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Writes under a temporary name and renames, so a failed run leaves no half file.
bool WriteFile(const std::filesystem::path& path, const std::string& text)
{
  const std::filesystem::path temporary = path.string() + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}
} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s BUNDLE_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error)
  {
    std::fprintf(stderr, "%s: cannot create %s: %s\n", argv[0], argv[1], error.message().c_str());
    return 2;
  }

  std::vector<std::unique_ptr<brasmire::Brasmire>> instances;
  std::vector<const iplug::IPlugLV2*> variants;
  for (const iplug::LV2Variant& variant : iplug::kLV2Variants)
  {
    iplug::InstanceInfo info;
    info.channels = variant.channels;
    instances.emplace_back(brasmire::Brasmire::CreateInstance(info));
    if (instances.back() == nullptr)
    {
      std::fprintf(stderr, "%s: the effect could not be constructed\n", argv[0]);
      return 2;
    }
    variants.push_back(instances.back().get());
  }

  const iplug::LV2Bundle& bundle = brasmire::kLV2Bundle;
  if (!WriteFile(folder / "manifest.ttl", iplug::LV2TurtleWriter::Manifest(bundle)) ||
      !WriteFile(folder / bundle.description,
                 iplug::LV2TurtleWriter::Description(bundle, variants)))
  {
    std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], argv[1]);
    return 2;
  }
  return 0;
}
