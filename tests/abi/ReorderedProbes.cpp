// Deliberately wrong interfaces: the layout check must report exactly these.

#include "tests/abi/AbiProbe.h"

#include <cstdint>

// The text interface as it once was: a virtual destructor (two slots for gcc,
// one for Microsoft's compiler) and two virtual overloads of one name (whose
// order Microsoft's compiler reverses). Both targets disagree.
class OldString
{
public:
  virtual ~OldString() = default;
  virtual std::uint32_t Length() const = 0;
  virtual void Set(const char* text) = 0;
  virtual OldString& operator=(const char* text) = 0;
  virtual OldString& operator=(const OldString& other) = 0;
};
ABI_PROBE(OldString)

// Both targets agree, but two slots are swapped against the published order.
class AAX_IString
{
public:
  virtual void* DeletingDestructor(unsigned int flags) = 0;
  virtual std::uint32_t Length() const = 0;
  virtual std::uint32_t MaxLength() const = 0;
  virtual const char* Get() const = 0;
  virtual void Set(const char* text) = 0;
  virtual AAX_IString& AssignString(const AAX_IString& other) = 0;
  virtual AAX_IString& AssignText(const char* text) = 0;

protected:
  ~AAX_IString() = default;
};
ABI_PROBE(AAX_IString)

// A record whose last field is 8 bytes for Microsoft's compiler and 16 for
// gcc: size, alignment and offsets differ.
struct WideFloatRecord
{
  char tag;
  long double value;
};
ABI_RECORD(WideFloatRecord)
