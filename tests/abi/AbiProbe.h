#pragma once

// Probes for the layout check. A probe derives one interface and defines its
// constructor out of line, so the target emits (and dumps) the probe's virtual
// table; the check reads it back by the probe's name.
#define ABI_PROBE_NAMED(name, ...)                                                                 \
  struct AbiProbe_##name : __VA_ARGS__                                                             \
  {                                                                                                \
    AbiProbe_##name();                                                                             \
  };                                                                                               \
  AbiProbe_##name::AbiProbe_##name() {}
#define ABI_PROBE(name) ABI_PROBE_NAMED(name, name)

// Asks for a record's layout, which the dump then prints.
#define ABI_RECORD(type) static_assert(sizeof(type) > 0);

// A function type that crosses: every parameter and the result must be a
// pointer, a fixed-width integer, a bool or void (nothing that the two targets
// might pass differently, such as a class by value or a long double).
template <typename T>
inline constexpr bool kAbiPlainScalar = __is_pointer(T) || __is_integral(T) || __is_enum(T) ||
                                        __is_same(T, void) || __is_lvalue_reference(T);
template <typename F>
struct AbiFunctionCheck;
template <typename R, typename... A>
struct AbiFunctionCheck<R (*)(A...)>
{
  static constexpr bool kPlain = kAbiPlainScalar<R> && (kAbiPlainScalar<A> && ...);
};
#define ABI_FUNCTION(type)                                                                         \
  static_assert(AbiFunctionCheck<type>::kPlain, #type " passes something other than scalars");
