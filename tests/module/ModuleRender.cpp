// Renders a fixed signal through the Brasmire module with fixed settings and
// writes the stereo result as little-endian float32 pairs, so that the native
// module and the Windows DLL can be compared on the same work.
// Usage: brasmire_module_render <output file>

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostInstance.h"
#include "Host/ModuleLibrary.h"
#include "Host/PluginModule.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
    return 2;
  }
  std::string error;
  auto module = aaxhost::PluginModule::Open(
      aaxhost::ExecutableDirectory() + BRASMIRE_MODULE_RELATIVE_PATH, &error);
  if (!module || module->RegistrationResult() != AAX_SUCCESS)
  {
    std::fprintf(stderr, "cannot open the module: %s\n", error.c_str());
    return 1;
  }
  std::vector<float> result;
  {
    auto instance = aaxhost::HostInstance::Create(*module, 0, 1, &error);
    if (!instance)
    {
      std::fprintf(stderr, "cannot create an instance: %s\n", error.c_str());
      return 1;
    }
    // Mix 80 %, Tone 30 %, Drive 30 dB, Output -3 dB, oversampled, engaged.
    const std::pair<const char*, double> settings[] = {{"1", 0.8}, {"2", 0.3}, {"3", 0.6},
                                                       {"4", 0.4}, {"5", 1.0}, {"6", 1.0}};
    for (const auto& [id, value] : settings)
      instance->Effect().ApplyHostParamValue(id, value, 1);

    // A rising sine with noise; block sizes that vary as a host's do.
    std::uint32_t seed = 12345;
    int n = 0;
    const int sizes[] = {480, 256, 1000, 33, 512};
    for (int block = 0; block < 40; ++block)
    {
      const int frames = sizes[block % 5];
      std::vector<float> left(static_cast<std::size_t>(frames));
      std::vector<float> right(static_cast<std::size_t>(frames));
      for (int i = 0; i < frames; ++i, ++n)
      {
        seed = seed * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.1;
        const double f = 100.0 + 2.0 * n;
        left[static_cast<std::size_t>(i)] =
            static_cast<float>(0.6 * std::sin(2.0 * std::numbers::pi * f * n / 48000.0) + noise);
        right[static_cast<std::size_t>(i)] =
            static_cast<float>(0.5 * left[static_cast<std::size_t>(i)] - noise);
      }
      std::vector<float> outLeft(static_cast<std::size_t>(frames));
      std::vector<float> outRight(static_cast<std::size_t>(frames));
      const float* inputs[] = {left.data(), right.data()};
      float* outputs[] = {outLeft.data(), outRight.data()};
      if (instance->Render(inputs, outputs, frames) != AAX_SUCCESS) return 1;
      for (int i = 0; i < frames; ++i)
      {
        result.push_back(outLeft[static_cast<std::size_t>(i)]);
        result.push_back(outRight[static_cast<std::size_t>(i)]);
      }
    }
  }
  if (!module->Close(&error))
  {
    std::fprintf(stderr, "cannot close the module: %s\n", error.c_str());
    return 1;
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) return 1;
  const bool written =
      std::fwrite(result.data(), sizeof(float), result.size(), file) == result.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}
