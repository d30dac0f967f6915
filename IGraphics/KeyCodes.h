#pragma once

// Virtual key codes of the keys the editor reacts to (the platform's numbering).

namespace igraphics
{

inline constexpr int kVK_BACK = 0x08;
inline constexpr int kVK_TAB = 0x09;
inline constexpr int kVK_RETURN = 0x0D;
inline constexpr int kVK_ESCAPE = 0x1B;
inline constexpr int kVK_SPACE = 0x20;
inline constexpr int kVK_PRIOR = 0x21; // page up
inline constexpr int kVK_NEXT = 0x22;  // page down
inline constexpr int kVK_END = 0x23;
inline constexpr int kVK_HOME = 0x24;
inline constexpr int kVK_LEFT = 0x25;
inline constexpr int kVK_UP = 0x26;
inline constexpr int kVK_RIGHT = 0x27;
inline constexpr int kVK_DOWN = 0x28;
inline constexpr int kVK_INSERT = 0x2D;
inline constexpr int kVK_DELETE = 0x2E;
inline constexpr int kVK_0 = 0x30; // the digits up to 0x39
inline constexpr int kVK_A = 0x41; // the letters up to 0x5A
inline constexpr int kVK_C = 0x43;
inline constexpr int kVK_V = 0x56;
inline constexpr int kVK_X = 0x58;
inline constexpr int kVK_Z = 0x5A;
inline constexpr int kVK_NUMPAD0 = 0x60; // up to 0x69

} // namespace igraphics
