#include "AAX_SDK/Interfaces/AAX_Properties.h"
#include "Host/PlugHost/CommandLine.h"
#include "Host/PlugHost/Commands.h"
#include "Host/PlugHost/JsonText.h"
#include "Host/PlugHost/ModuleSession.h"

#include "AAX_SDK/Interfaces/AAX_IEffectDescriptor.h"
#include "IPlug/IPlugVersion.h"

#include <algorithm>
#include <cstdio>

namespace plughost
{

namespace
{
constexpr const char* kUsage =
    "usage: plughost describe MODULE [--json]\n\n"
    "Loads the module and shows what it describes: each effect with its names,\n"
    "categories and procedures, each component with its stem formats, render\n"
    "procedures, properties and render-context fields; manufacturer and package.\n\n"
    "  --json   print one JSON object instead of text\n";

const char* FieldKindName(aaxhost::FieldRecord::Kind kind)
{
  using Kind = aaxhost::FieldRecord::Kind;
  switch (kind)
  {
  case Kind::AudioIn:
    return "audio in";
  case Kind::AudioOut:
    return "audio out";
  case Kind::BufferLength:
    return "buffer length";
  case Kind::SampleRate:
    return "sample rate";
  case Kind::Clock:
    return "clock";
  case Kind::SideChainIn:
    return "side-chain in";
  case Kind::Meters:
    return "meters";
  case Kind::AuxOutputStem:
    return "aux output stem";
  case Kind::PrivateData:
    return "private data";
  case Kind::DataInPort:
    return "data in port";
  case Kind::MIDINode:
    return "MIDI node";
  case Kind::TemporaryData:
    return "temporary data";
  }
  return "?";
}

// Property values are often four-character type IDs: shown as such when printable.
std::string PropertyText(std::int32_t value)
{
  const auto u = static_cast<std::uint32_t>(value);
  std::string code;
  for (int shift = 24; shift >= 0; shift -= 8)
  {
    const char c = static_cast<char>((u >> shift) & 0xFF);
    if (c < 0x20 || c > 0x7E) return std::to_string(value);
    code += c;
  }
  return std::to_string(value) + " '" + code + "'";
}

// What the properties this host reads mean; others are shown by number only.
const char* PropertyName(std::int32_t key)
{
  switch (key)
  {
  case AAX_eProperty_ManufacturerID:
    return "manufacturer ID";
  case AAX_eProperty_ProductID:
    return "product ID";
  case AAX_eProperty_PlugInID_Native:
    return "native plug-in ID";
  case AAX_eProperty_PlugInID_AudioSuite:
    return "AudioSuite plug-in ID";
  case AAX_eProperty_InputStemFormat:
    return "input stem format";
  case AAX_eProperty_OutputStemFormat:
    return "output stem format";
  case AAX_eProperty_HybridOutputStemFormat:
    return "hybrid output stem format";
  case AAX_eProperty_HybridInputStemFormat:
    return "hybrid input stem format";
  case AAX_eProperty_SupportsSideChainInput:
    return "side-chain input";
  case AAX_eProperty_UsesTransport:
    return "uses transport";
  }
  return nullptr;
}

std::string PropertyLine(std::int32_t key, std::int32_t value)
{
  std::string line = std::to_string(key) + " = " + PropertyText(value);
  if (const char* name = PropertyName(key)) line += std::string("  (") + name + ")";
  return line;
}

std::string Hex(std::uint32_t value)
{
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", value);
  return text;
}

std::string Version(std::uint32_t packed)
{
  char text[32];
  iplug::VersionText(static_cast<int>(packed), text, sizeof text);
  return text;
}

struct ComponentView
{
  std::int32_t inputStem = 0;
  std::int32_t outputStem = 0;
  std::vector<aaxhost::ProcessProcRecord> procs;
  std::vector<aaxhost::FieldRecord> fields;
};

ComponentView ViewOf(const aaxhost::HostComponentDescriptor& component)
{
  ComponentView view;
  view.procs = component.ProcessProcs();
  view.fields = component.Fields();
  std::sort(view.fields.begin(), view.fields.end(),
            [](const auto& a, const auto& b) { return a.field < b.field; });
  for (const auto& proc : view.procs)
  {
    if (auto in = proc.properties.find(aaxhost::HostInstance::kInputStemProperty);
        in != proc.properties.end())
      view.inputStem = in->second;
    if (auto out = proc.properties.find(aaxhost::HostInstance::kOutputStemProperty);
        out != proc.properties.end())
      view.outputStem = out->second;
  }
  return view;
}

void PrintText(const ModuleSession& session)
{
  const aaxhost::HostCollection& d = *session.Module().Description();
  std::printf("module        %s\n", session.BinaryPath().c_str());
  std::printf("manufacturer  %s\n", d.ManufacturerName().c_str());
  std::string packages;
  for (const std::string& name : d.PackageNames())
    packages += (packages.empty() ? "" : ", ") + name;
  std::printf("package       %s\n", packages.c_str());
  std::printf("version       %s (%s)\n", Version(d.PackageVersion()).c_str(),
              Hex(d.PackageVersion()).c_str());
  for (const auto& effect : d.Effects())
  {
    const aaxhost::HostEffectDescriptor& e = *effect.descriptor.Get();
    std::printf("\neffect        %s\n", effect.id.c_str());
    std::string names;
    for (const std::string& name : e.Names())
      names += (names.empty() ? "\"" : ", \"") + name + "\"";
    std::printf("  names       %s\n", names.c_str());
    std::string categories;
    for (const std::uint32_t c : e.Categories())
      categories += (categories.empty() ? "" : ", ") + Hex(c);
    std::printf("  categories  %s\n", categories.c_str());
    std::printf("  procedures  effect parameters: %s, view: %s\n",
                e.Proc(AAX_eProcID_EffectParameters) ? "yes" : "no",
                e.Proc(AAX_eProcID_EffectGUI) ? "yes" : "no");
    for (const auto& [key, value] : e.Properties())
      std::printf("  property    %s\n", PropertyLine(key, value).c_str());
    int index = 0;
    for (const auto& component : e.Components())
    {
      const ComponentView view = ViewOf(*component.Get());
      std::printf("  component %d  %d in, %d out (stem formats %s -> %s)\n", index++,
                  view.inputStem & 0xFFFF, view.outputStem & 0xFFFF,
                  Hex(static_cast<std::uint32_t>(view.inputStem)).c_str(),
                  Hex(static_cast<std::uint32_t>(view.outputStem)).c_str());
      for (const auto& proc : view.procs)
      {
        std::printf("    %s render procedure\n", proc.offline ? "offline" : "real-time");
        for (const auto& [key, value] : proc.properties)
          std::printf("      property %s\n", PropertyLine(key, value).c_str());
      }
      for (const auto& field : view.fields)
      {
        std::printf("    field %2d  %s", field.field, FieldKindName(field.kind));
        if (field.size > 0) std::printf(", %lld bytes", static_cast<long long>(field.size));
        if (!field.name.empty()) std::printf(", \"%s\"", field.name.c_str());
        std::printf("\n");
      }
    }
  }
}

std::string PropertiesJson(const std::map<std::int32_t, AAX_CPropertyValue>& properties)
{
  std::string out = "{";
  bool first = true;
  for (const auto& [key, value] : properties)
  {
    out += (first ? "" : ", ") + JsonString(std::to_string(key)) + ": " + std::to_string(value);
    first = false;
  }
  return out + "}";
}

void PrintJson(const ModuleSession& session)
{
  const aaxhost::HostCollection& d = *session.Module().Description();
  std::string out = "{\n  \"module\": " + JsonString(session.BinaryPath()) + ",\n";
  out += "  \"manufacturer\": " + JsonString(d.ManufacturerName()) + ",\n";
  out += "  \"packageNames\": [";
  bool first = true;
  for (const std::string& name : d.PackageNames())
  {
    out += (first ? "" : ", ") + JsonString(name);
    first = false;
  }
  out += "],\n  \"packageVersion\": " + std::to_string(d.PackageVersion()) +
         ",\n  \"packageVersionText\": " + JsonString(Version(d.PackageVersion())) +
         ",\n  \"effects\": [";
  bool firstEffect = true;
  for (const auto& effect : d.Effects())
  {
    const aaxhost::HostEffectDescriptor& e = *effect.descriptor.Get();
    out += std::string(firstEffect ? "" : ",") + "\n    {\"id\": " + JsonString(effect.id) +
           ", \"names\": [";
    firstEffect = false;
    first = true;
    for (const std::string& name : e.Names())
    {
      out += (first ? "" : ", ") + JsonString(name);
      first = false;
    }
    out += "], \"categories\": [";
    first = true;
    for (const std::uint32_t c : e.Categories())
    {
      out += (first ? "" : ", ") + std::to_string(c);
      first = false;
    }
    out += "], \"procedures\": {\"effectParameters\": ";
    out += e.Proc(AAX_eProcID_EffectParameters) ? "true" : "false";
    out += ", \"view\": ";
    out += e.Proc(AAX_eProcID_EffectGUI) ? "true" : "false";
    out += "}, \"properties\": " + PropertiesJson(e.Properties()) + ",\n     \"components\": [";
    bool firstComponent = true;
    for (const auto& component : e.Components())
    {
      const ComponentView view = ViewOf(*component.Get());
      out += std::string(firstComponent ? "" : ",") +
             "\n      {\"inputChannels\": " + std::to_string(view.inputStem & 0xFFFF) +
             ", \"outputChannels\": " + std::to_string(view.outputStem & 0xFFFF) +
             ", \"inputStemFormat\": " + std::to_string(view.inputStem) +
             ", \"outputStemFormat\": " + std::to_string(view.outputStem) +
             ",\n       \"renderProcedures\": [";
      firstComponent = false;
      first = true;
      for (const auto& proc : view.procs)
      {
        out += std::string(first ? "" : ", ") +
               "{\"offline\": " + (proc.offline ? "true" : "false") +
               ", \"properties\": " + PropertiesJson(proc.properties) + "}";
        first = false;
      }
      out += "],\n       \"fields\": [";
      first = true;
      for (const auto& field : view.fields)
      {
        out += std::string(first ? "" : ", ") + "{\"index\": " + std::to_string(field.field) +
               ", \"kind\": " + JsonString(FieldKindName(field.kind)) +
               ", \"size\": " + std::to_string(field.size) + "}";
        first = false;
      }
      out += "]}";
    }
    out += "]}";
  }
  out += "\n  ]\n}\n";
  std::fputs(out.c_str(), stdout);
}
} // namespace

int DescribeCommand(const std::vector<std::string>& args)
{
  if (PrintedHelp(args, kUsage)) return kExitOk;
  CommandLine line;
  std::string error;
  if (!line.Parse(args, {{"--json"}}, 1, 1, &error)) return Fail("describe: " + error);
  auto session = ModuleSession::Open(line.Positional()[0], &error);
  if (!session) return Fail(error);
  if (line.Has("--json"))
    PrintJson(*session);
  else
    PrintText(*session);
  return kExitOk;
}

} // namespace plughost
