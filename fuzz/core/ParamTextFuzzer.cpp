#include "IPlug/IParam.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// Hosts and the editor's text entry hand a parameter arbitrary text: it must read
// as a value inside the range (or a display text's own value) and whatever value
// results must format into a bounded text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  using iplug::IParam;
  if (size < 2) return 0;
  const std::uint8_t kind = data[0] % 4;
  const std::uint32_t flags = data[1] & 0x0F;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

  IParam p;
  switch (kind)
  {
  case 0:
    p.DefineReal("Real", 0, -15, 15, 0.1, "dB", flags);
    break;
  case 1:
    p.DefineInteger("Int", 0, -100, 100, "", flags);
    break;
  case 2:
    p.DefineEnumeratedFromList("Enum", 0, {"Oversampling Off", "Oversampling On"}, flags);
    break;
  default:
    p.DefineFrequency("Freq", 1000, 0, 20000, 0.001, flags);
    break;
  }
  // Texts as display texts too: cut at 31 bytes, they must still compare safely.
  p.AddDisplayText(p.Max(), text.c_str());

  const double value = p.ParseText(text.c_str());
  double shown = 0.0;
  const bool isDisplayText = p.ValueForDisplayText(text.c_str(), shown);
  if (!isDisplayText && !(value >= p.Min() && value <= p.Max())) std::abort();
  if (std::isnan(value)) std::abort();

  std::string out;
  p.FormatDisplay(value, false, out);
  if (out.size() > iplug::kMaxDisplayTextBytes) std::abort();
  p.FormatDisplay(value, true, out, false);
  if (out.size() > iplug::kMaxDisplayTextBytes) std::abort();
  p.Set(value);
  const double normal = p.NormalOfValue(value);
  if (!(normal >= 0.0 && normal <= 1.0)) std::abort();
  if (std::strlen(p.HostLabel()) >= iplug::kParamTextBytes) std::abort();
  return 0;
}
