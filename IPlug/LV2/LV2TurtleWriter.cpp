#include "IPlug/LV2/LV2TurtleWriter.h"

#include "IPlug/IParam.h"
#include "IPlug/LV2/IPlugLV2.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace iplug
{

namespace
{
constexpr const char* kPrefixes = "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
                                  "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
                                  "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                                  "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                                  "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                                  "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                                  "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
                                  "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                                  "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                                  "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                                  "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                                  "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

// The unit vocabulary's term for a parameter's unit, or "" when it has none there.
const char* UnitTerm(const IParam& param)
{
  switch (param.Unit())
  {
  case IParam::UnitPercent:
    return "units:pc";
  case IParam::UnitSeconds:
    return "units:s";
  case IParam::UnitMilliseconds:
    return "units:ms";
  case IParam::UnitDecibels:
    return "units:db";
  case IParam::UnitDegrees:
    return "units:degree";
  case IParam::UnitHertz:
    return "units:hz";
  default:
    break;
  }
  // A custom unit often names a standard one by its label.
  static constexpr const char* kByLabel[][2] = {{"%", "units:pc"},  {"dB", "units:db"},
                                                {"s", "units:s"},   {"ms", "units:ms"},
                                                {"Hz", "units:hz"}, {"kHz", "units:khz"}};
  for (const auto& entry : kByLabel)
    if (std::strcmp(param.Label(), entry[0]) == 0) return entry[1];
  return "";
}

bool IsToggle(const IParam& param)
{
  return param.Kind() == IParam::Boolean ||
         (param.Kind() == IParam::Integer && param.Min() == 0.0 && param.Max() == 1.0 &&
          param.DisplayTextCount() == 0);
}

std::string ChannelSuffix(int channel, int channels, bool forSymbol)
{
  if (channels == 1) return "";
  if (channels == 2) return forSymbol ? (channel == 0 ? "_l" : "_r") : (channel == 0 ? " L" : " R");
  return (forSymbol ? "_" : " ") + std::to_string(channel + 1);
}

void AudioPort(std::string& out, const char* direction, std::uint32_t index, const char* symbol,
               const char* name, int channel, int channels)
{
  out += "  [\n    a lv2:" + std::string(direction) + " , lv2:AudioPort ;\n";
  out += "    lv2:index " + std::to_string(index) + " ;\n";
  out +=
      "    lv2:symbol \"" + std::string(symbol) + ChannelSuffix(channel, channels, true) + "\" ;\n";
  out += "    lv2:name " +
         LV2TurtleWriter::Literal((name + ChannelSuffix(channel, channels, false)).c_str()) +
         "\n  ]";
}

void ParamPort(std::string& out, const IParam& param, std::uint32_t index,
               const std::string& symbol, bool enabled)
{
  out += "  [\n    a lv2:InputPort , lv2:ControlPort ;\n";
  out += "    lv2:index " + std::to_string(index) + " ;\n";
  out += "    lv2:symbol \"" + symbol + "\" ;\n";
  out += "    lv2:name " + LV2TurtleWriter::Literal(param.Name()) + " ;\n";
  out += "    lv2:default " + LV2TurtleWriter::Decimal(param.Default()) + " ;\n";
  out += "    lv2:minimum " + LV2TurtleWriter::Decimal(param.Min()) + " ;\n";
  out += "    lv2:maximum " + LV2TurtleWriter::Decimal(param.Max());
  if (enabled) out += " ;\n    lv2:designation lv2:enabled";
  std::string properties;
  auto property = [&](const char* term)
  { properties += (properties.empty() ? "" : " , ") + std::string(term); };
  if (param.Kind() != IParam::Real) property("lv2:integer");
  if (IsToggle(param)) property("lv2:toggled");
  if (param.DisplayTextCount() > 0) property("lv2:enumeration");
  if (param.Kind() == IParam::Real && param.GetShape().CurveHint() == 1)
    property("pprops:logarithmic");
  if (!param.CanAutomate()) property("pprops:expensive");
  if (!properties.empty()) out += " ;\n    lv2:portProperty " + properties;
  const char* unit = UnitTerm(param);
  if (*unit != '\0')
    out += " ;\n    units:unit " + std::string(unit);
  else if (*param.Label() != '\0')
    out += " ;\n    units:unit [\n      a units:Unit ;\n      rdfs:label " +
           LV2TurtleWriter::Literal(param.Label()) + " ;\n      units:symbol " +
           LV2TurtleWriter::Literal(param.Label()) + " ;\n      units:render " +
           LV2TurtleWriter::Literal((std::string("%f ") + param.Label()).c_str()) + "\n    ]";
  for (int i = 0; i < param.DisplayTextCount(); ++i)
  {
    double value = 0.0;
    const char* text = param.DisplayTextAt(i, &value);
    out += std::string(i == 0 ? " ;\n    lv2:scalePoint " : " , ") + "[\n      rdfs:label " +
           LV2TurtleWriter::Literal(text) + " ;\n      rdf:value " +
           LV2TurtleWriter::Decimal(value) + "\n    ]";
  }
  out += "\n  ]";
}

void LatencyPort(std::string& out, std::uint32_t index)
{
  out += "  [\n    a lv2:OutputPort , lv2:ControlPort ;\n";
  out += "    lv2:index " + std::to_string(index) + " ;\n";
  out += "    lv2:symbol \"latency\" ;\n    lv2:name \"Latency\" ;\n";
  out += "    lv2:designation lv2:latency ;\n";
  out += "    lv2:portProperty lv2:reportsLatency , lv2:integer , pprops:notOnGUI ;\n";
  out += "    lv2:minimum 0.0 ;\n    lv2:maximum " +
         LV2TurtleWriter::Decimal(IPlugProcessor::kReservedLatencySamples) + " ;\n";
  out += "    units:unit units:frame\n  ]";
}

void Plugin(std::string& out, const LV2Bundle& bundle, const LV2Variant& variant,
            const IPlugLV2& plug)
{
  const int version = plug.GetPluginVersion(false);
  out += "<" + LV2VariantUri(bundle, variant) + ">\n";
  out += "  a lv2:Plugin , lv2:" + std::string(bundle.pluginClass) + " ;\n";
  out +=
      "  doap:name " +
      LV2TurtleWriter::Literal((std::string(plug.GetPluginName()) + variant.nameSuffix).c_str()) +
      " ;\n";
  out += "  doap:maintainer [\n    foaf:name " + LV2TurtleWriter::Literal(plug.GetMfrName()) +
         "\n  ] ;\n";
  out += "  lv2:minorVersion " + std::to_string((version >> 8) & 0xFF) + " ;\n";
  out += "  lv2:microVersion " + std::to_string(version & 0xFF) + " ;\n";
  // Every feature is optional: a host without urid:map still processes (the
  // state then stays unsaved), one without options gets pieces of the
  // prepared block size.
  out += "  lv2:optionalFeature lv2:hardRTCapable , urid:map , opts:options , "
         "bufsz:boundedBlockLength ;\n";
  out += "  opts:supportedOption bufsz:maxBlockLength , bufsz:nominalBlockLength ;\n";
  out += "  lv2:extensionData state:interface ;\n";
  out += "  lv2:port\n";
  const LV2PortLayout& ports = plug.Ports();
  for (int ch = 0; ch < ports.channels; ++ch)
  {
    AudioPort(out, "InputPort", ports.AudioIn(ch), "in", "Input", ch, ports.channels);
    out += " ,\n";
  }
  for (int ch = 0; ch < ports.channels; ++ch)
  {
    AudioPort(out, "OutputPort", ports.AudioOut(ch), "out", "Output", ch, ports.channels);
    out += " ,\n";
  }
  std::set<std::string> used{"latency"};
  for (int i = 0; i < ports.params; ++i)
  {
    const IParam& param = *plug.GetParam(i);
    std::string symbol = LV2TurtleWriter::Symbol(param.Name());
    for (int n = 2; used.count(symbol) > 0; ++n)
      symbol = LV2TurtleWriter::Symbol(param.Name()) + "_" + std::to_string(n);
    used.insert(symbol);
    ParamPort(out, param, ports.Param(i), symbol, i == bundle.enabledParam);
    out += " ,\n";
  }
  LatencyPort(out, ports.Latency());
  out += " .\n";
}
} // namespace

std::string LV2TurtleWriter::Manifest(const LV2Bundle& bundle)
{
  std::string out = kPrefixes;
  for (const LV2Variant& variant : kLV2Variants)
  {
    out += "<" + LV2VariantUri(bundle, variant) + ">\n  a lv2:Plugin ;\n";
    out += "  lv2:binary <" + std::string(bundle.binary) + "> ;\n";
    out += "  rdfs:seeAlso <" + std::string(bundle.description) + "> .\n\n";
  }
  return out;
}

std::string LV2TurtleWriter::Description(const LV2Bundle& bundle,
                                         std::span<const IPlugLV2* const> variants)
{
  std::string out = kPrefixes;
  for (std::size_t i = 0; i < variants.size() && i < std::size(kLV2Variants); ++i)
  {
    if (i > 0) out += "\n";
    Plugin(out, bundle, kLV2Variants[i], *variants[i]);
  }
  return out;
}

std::string LV2TurtleWriter::Symbol(const char* name)
{
  std::string symbol;
  for (const char* c = name; *c != '\0'; ++c)
  {
    const char ch = *c;
    if ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9'))
      symbol += ch;
    else if (ch >= 'A' && ch <= 'Z')
      symbol += static_cast<char>(ch - 'A' + 'a');
    else
      symbol += '_';
  }
  if (symbol.empty() || (symbol[0] >= '0' && symbol[0] <= '9')) symbol.insert(0, "_");
  return symbol;
}

std::string LV2TurtleWriter::Literal(const char* text)
{
  // The characters a Turtle string literal must escape, and their escapes.
  static constexpr const char* kEscapes[][2] = {
      {"\"", "\\\""}, {"\\", "\\\\"}, {"\n", "\\n"}, {"\r", "\\r"}, {"\t", "\\t"}};
  std::string out = "\"";
  for (const char* c = text; *c != '\0'; ++c)
  {
    const char* escape = nullptr;
    for (const auto& entry : kEscapes)
      if (*c == entry[0][0]) escape = entry[1];
    if (escape != nullptr)
      out += escape;
    else
      out += *c;
  }
  return out + "\"";
}

std::string LV2TurtleWriter::Decimal(double value)
{
  if (!std::isfinite(value)) value = 0.0;
  char text[64];
  std::snprintf(text, sizeof text, "%.9g", value);
  std::string out = text;
  // Exponent notation would read as xsd:double; hosts expect a plain decimal.
  if (out.find_first_of("e") != std::string::npos)
  {
    std::snprintf(text, sizeof text, "%.9f", value);
    out = text;
  }
  if (out.find('.') == std::string::npos) out += ".0";
  return out;
}

} // namespace iplug
