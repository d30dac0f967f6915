// A shared library that is not a module: it has none of the seven exports.
#ifdef _WIN32
#define EXPORTED __declspec(dllexport)
#else
#define EXPORTED __attribute__((visibility("default")))
#endif

extern "C" EXPORTED int NotAModule()
{
  return 42;
}
