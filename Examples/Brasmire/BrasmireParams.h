#pragma once

namespace brasmire
{

// The effect's parameters by index, in the order the host and the state see them.
enum EParams
{
  ParamMix = 0,      // 0 .. 100 %, wet share
  ParamTone,         // 0 .. 100 %, tilt from bass to treble
  ParamDrive,        // 0 .. 50 dB into the drive curve
  ParamOutput,       // -15 .. 15 dB on the wet path
  ParamOversampling, // 0 off, 1 on (2x, 64 samples of latency)
  ParamBypass,       // an engage switch: 1 runs the effect, 0 passes the input through
  kNumParams
};

} // namespace brasmire
