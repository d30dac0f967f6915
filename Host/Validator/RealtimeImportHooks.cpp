#include "Host/Validator/RealtimeImportHooks.h"

#include "Host/Validator/RealtimeCounters.h"

#if defined(_WIN32)
#include "Host/Validator/ModuleImports.h"
#endif

#if defined(_WIN32)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#endif

namespace plughost
{

#if defined(_WIN32)
namespace
{
// The functions the module imported, as they were before patching. Written
// once, before the first armed render call; the thunks only read them.
using MallocFn = void*(__cdecl*)(std::size_t);
using CallocFn = void*(__cdecl*)(std::size_t, std::size_t);
using ReallocFn = void*(__cdecl*)(void*, std::size_t);
using AlignedMallocFn = void*(__cdecl*)(std::size_t, std::size_t);
using HeapAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
using LocalAllocFn = HLOCAL(WINAPI*)(UINT, SIZE_T);
using VirtualAllocFn = LPVOID(WINAPI*)(LPVOID, SIZE_T, DWORD, DWORD);
using CriticalSectionFn = void(WINAPI*)(LPCRITICAL_SECTION);
using TryCriticalSectionFn = BOOL(WINAPI*)(LPCRITICAL_SECTION);
using SRWLockFn = void(WINAPI*)(PSRWLOCK);
using WaitFn = DWORD(WINAPI*)(HANDLE, DWORD);
using WaitExFn = DWORD(WINAPI*)(HANDLE, DWORD, BOOL);
using WaitMultipleFn = DWORD(WINAPI*)(DWORD, const HANDLE*, BOOL, DWORD);
using SleepCSFn = BOOL(WINAPI*)(PCONDITION_VARIABLE, PCRITICAL_SECTION, DWORD);
using SleepSRWFn = BOOL(WINAPI*)(PCONDITION_VARIABLE, PSRWLOCK, DWORD, ULONG);
using FreeFn = void(__cdecl*)(void*);
using HeapFreeFn = BOOL(WINAPI*)(HANDLE, DWORD, LPVOID);
using LocalFreeFn = HLOCAL(WINAPI*)(HLOCAL);
using VirtualFreeFn = BOOL(WINAPI*)(LPVOID, SIZE_T, DWORD);
using CreateFileAFn = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                      HANDLE);
using CreateFileWFn = HANDLE(WINAPI*)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                      HANDLE);
using ReadFileFn = BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
using WriteFileFn = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
using SleepFn = void(WINAPI*)(DWORD);
using SleepExFn = DWORD(WINAPI*)(DWORD, BOOL);
using CreateThreadFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE,
                                       LPVOID, DWORD, LPDWORD);
using BeginThreadFn = std::uintptr_t(__cdecl*)(void*, unsigned, unsigned(__stdcall*)(void*), void*,
                                               unsigned, unsigned*);
using FopenFn = FILE*(__cdecl*)(const char*, const char*);

MallocFn gMalloc;
CallocFn gCalloc;
ReallocFn gRealloc;
AlignedMallocFn gAlignedMalloc;
HeapAllocFn gHeapAlloc;
HeapReAllocFn gHeapReAlloc;
LocalAllocFn gLocalAlloc;
LocalAllocFn gGlobalAlloc;
VirtualAllocFn gVirtualAlloc;
CriticalSectionFn gEnterCriticalSection;
TryCriticalSectionFn gTryEnterCriticalSection;
SRWLockFn gAcquireSRWLockExclusive;
SRWLockFn gAcquireSRWLockShared;
WaitFn gWaitForSingleObject;
WaitExFn gWaitForSingleObjectEx;
WaitMultipleFn gWaitForMultipleObjects;
SleepCSFn gSleepConditionVariableCS;
SleepSRWFn gSleepConditionVariableSRW;
FreeFn gFree;
FreeFn gAlignedFree;
HeapFreeFn gHeapFree;
LocalFreeFn gLocalFree;
LocalFreeFn gGlobalFree;
VirtualFreeFn gVirtualFree;
CreateFileAFn gCreateFileA;
CreateFileWFn gCreateFileW;
ReadFileFn gReadFile;
WriteFileFn gWriteFile;
SleepFn gSleep;
SleepExFn gSleepEx;
CreateThreadFn gCreateThread;
BeginThreadFn gBeginThreadEx;
FopenFn gFopen;

void __cdecl CountFree(void* pointer)
{
  if (pointer) RealtimeCounters::CountDeallocation();
  gFree(pointer);
}
void __cdecl CountAlignedFree(void* pointer)
{
  if (pointer) RealtimeCounters::CountDeallocation();
  gAlignedFree(pointer);
}
BOOL WINAPI CountHeapFree(HANDLE heap, DWORD flags, LPVOID pointer)
{
  if (pointer) RealtimeCounters::CountDeallocation();
  return gHeapFree(heap, flags, pointer);
}
HLOCAL WINAPI CountLocalFree(HLOCAL memory)
{
  if (memory) RealtimeCounters::CountDeallocation();
  return gLocalFree(memory);
}
HLOCAL WINAPI CountGlobalFree(HLOCAL memory)
{
  if (memory) RealtimeCounters::CountDeallocation();
  return gGlobalFree(memory);
}
BOOL WINAPI CountVirtualFree(LPVOID address, SIZE_T size, DWORD type)
{
  RealtimeCounters::CountDeallocation();
  return gVirtualFree(address, size, type);
}
HANDLE WINAPI CountCreateFileA(LPCSTR name, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model)
{
  RealtimeCounters::CountSystemCall();
  return gCreateFileA(name, access, share, security, disposition, flags, model);
}
HANDLE WINAPI CountCreateFileW(LPCWSTR name, DWORD access, DWORD share,
                               LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                               HANDLE model)
{
  RealtimeCounters::CountSystemCall();
  return gCreateFileW(name, access, share, security, disposition, flags, model);
}
BOOL WINAPI CountReadFile(HANDLE file, LPVOID data, DWORD size, LPDWORD done, LPOVERLAPPED overlap)
{
  RealtimeCounters::CountSystemCall();
  return gReadFile(file, data, size, done, overlap);
}
BOOL WINAPI CountWriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD done,
                           LPOVERLAPPED overlap)
{
  RealtimeCounters::CountSystemCall();
  return gWriteFile(file, data, size, done, overlap);
}
void WINAPI CountSleep(DWORD ms)
{
  RealtimeCounters::CountSystemCall();
  gSleep(ms);
}
DWORD WINAPI CountSleepEx(DWORD ms, BOOL alertable)
{
  RealtimeCounters::CountSystemCall();
  return gSleepEx(ms, alertable);
}
HANDLE WINAPI CountCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack,
                                LPTHREAD_START_ROUTINE start, LPVOID argument, DWORD flags,
                                LPDWORD id)
{
  RealtimeCounters::CountSystemCall();
  return gCreateThread(security, stack, start, argument, flags, id);
}
std::uintptr_t __cdecl CountBeginThreadEx(void* security, unsigned stack,
                                          unsigned(__stdcall* start)(void*), void* argument,
                                          unsigned flags, unsigned* id)
{
  RealtimeCounters::CountSystemCall();
  return gBeginThreadEx(security, stack, start, argument, flags, id);
}
FILE* __cdecl CountFopen(const char* name, const char* mode)
{
  RealtimeCounters::CountSystemCall();
  return gFopen(name, mode);
}

void* __cdecl CountMalloc(std::size_t size)
{
  RealtimeCounters::CountAllocation();
  return gMalloc(size);
}
void* __cdecl CountCalloc(std::size_t count, std::size_t size)
{
  RealtimeCounters::CountAllocation();
  return gCalloc(count, size);
}
void* __cdecl CountRealloc(void* pointer, std::size_t size)
{
  RealtimeCounters::CountAllocation();
  return gRealloc(pointer, size);
}
void* __cdecl CountAlignedMalloc(std::size_t size, std::size_t alignment)
{
  RealtimeCounters::CountAllocation();
  return gAlignedMalloc(size, alignment);
}
LPVOID WINAPI CountHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size)
{
  RealtimeCounters::CountAllocation();
  return gHeapAlloc(heap, flags, size);
}
LPVOID WINAPI CountHeapReAlloc(HANDLE heap, DWORD flags, LPVOID pointer, SIZE_T size)
{
  RealtimeCounters::CountAllocation();
  return gHeapReAlloc(heap, flags, pointer, size);
}
HLOCAL WINAPI CountLocalAlloc(UINT flags, SIZE_T size)
{
  RealtimeCounters::CountAllocation();
  return gLocalAlloc(flags, size);
}
HLOCAL WINAPI CountGlobalAlloc(UINT flags, SIZE_T size)
{
  RealtimeCounters::CountAllocation();
  return gGlobalAlloc(flags, size);
}
LPVOID WINAPI CountVirtualAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect)
{
  RealtimeCounters::CountAllocation();
  return gVirtualAlloc(address, size, type, protect);
}
void WINAPI CountEnterCriticalSection(LPCRITICAL_SECTION section)
{
  RealtimeCounters::CountLock();
  gEnterCriticalSection(section);
}
BOOL WINAPI CountTryEnterCriticalSection(LPCRITICAL_SECTION section)
{
  RealtimeCounters::CountLock();
  return gTryEnterCriticalSection(section);
}
void WINAPI CountAcquireSRWLockExclusive(PSRWLOCK lock)
{
  RealtimeCounters::CountLock();
  gAcquireSRWLockExclusive(lock);
}
void WINAPI CountAcquireSRWLockShared(PSRWLOCK lock)
{
  RealtimeCounters::CountLock();
  gAcquireSRWLockShared(lock);
}
DWORD WINAPI CountWaitForSingleObject(HANDLE handle, DWORD ms)
{
  RealtimeCounters::CountLock();
  return gWaitForSingleObject(handle, ms);
}
DWORD WINAPI CountWaitForSingleObjectEx(HANDLE handle, DWORD ms, BOOL alertable)
{
  RealtimeCounters::CountLock();
  return gWaitForSingleObjectEx(handle, ms, alertable);
}
DWORD WINAPI CountWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL all, DWORD ms)
{
  RealtimeCounters::CountLock();
  return gWaitForMultipleObjects(count, handles, all, ms);
}
BOOL WINAPI CountSleepConditionVariableCS(PCONDITION_VARIABLE variable, PCRITICAL_SECTION section,
                                          DWORD ms)
{
  RealtimeCounters::CountLock();
  return gSleepConditionVariableCS(variable, section, ms);
}
BOOL WINAPI CountSleepConditionVariableSRW(PCONDITION_VARIABLE variable, PSRWLOCK lock, DWORD ms,
                                           ULONG flags)
{
  RealtimeCounters::CountLock();
  return gSleepConditionVariableSRW(variable, lock, ms, flags);
}

template <typename F>
void** Slot(F& function)
{
  return reinterpret_cast<void**>(&function);
}

const ImportHook kHooks[] = {
    {"malloc", reinterpret_cast<void*>(&CountMalloc), Slot(gMalloc)},
    {"calloc", reinterpret_cast<void*>(&CountCalloc), Slot(gCalloc)},
    {"realloc", reinterpret_cast<void*>(&CountRealloc), Slot(gRealloc)},
    {"_aligned_malloc", reinterpret_cast<void*>(&CountAlignedMalloc), Slot(gAlignedMalloc)},
    {"HeapAlloc", reinterpret_cast<void*>(&CountHeapAlloc), Slot(gHeapAlloc)},
    {"HeapReAlloc", reinterpret_cast<void*>(&CountHeapReAlloc), Slot(gHeapReAlloc)},
    {"LocalAlloc", reinterpret_cast<void*>(&CountLocalAlloc), Slot(gLocalAlloc)},
    {"GlobalAlloc", reinterpret_cast<void*>(&CountGlobalAlloc), Slot(gGlobalAlloc)},
    {"VirtualAlloc", reinterpret_cast<void*>(&CountVirtualAlloc), Slot(gVirtualAlloc)},
    {"EnterCriticalSection", reinterpret_cast<void*>(&CountEnterCriticalSection),
     Slot(gEnterCriticalSection)},
    {"TryEnterCriticalSection", reinterpret_cast<void*>(&CountTryEnterCriticalSection),
     Slot(gTryEnterCriticalSection)},
    {"AcquireSRWLockExclusive", reinterpret_cast<void*>(&CountAcquireSRWLockExclusive),
     Slot(gAcquireSRWLockExclusive)},
    {"AcquireSRWLockShared", reinterpret_cast<void*>(&CountAcquireSRWLockShared),
     Slot(gAcquireSRWLockShared)},
    {"WaitForSingleObject", reinterpret_cast<void*>(&CountWaitForSingleObject),
     Slot(gWaitForSingleObject)},
    {"WaitForSingleObjectEx", reinterpret_cast<void*>(&CountWaitForSingleObjectEx),
     Slot(gWaitForSingleObjectEx)},
    {"WaitForMultipleObjects", reinterpret_cast<void*>(&CountWaitForMultipleObjects),
     Slot(gWaitForMultipleObjects)},
    {"SleepConditionVariableCS", reinterpret_cast<void*>(&CountSleepConditionVariableCS),
     Slot(gSleepConditionVariableCS)},
    {"SleepConditionVariableSRW", reinterpret_cast<void*>(&CountSleepConditionVariableSRW),
     Slot(gSleepConditionVariableSRW)},
    {"free", reinterpret_cast<void*>(&CountFree), Slot(gFree)},
    {"_aligned_free", reinterpret_cast<void*>(&CountAlignedFree), Slot(gAlignedFree)},
    {"HeapFree", reinterpret_cast<void*>(&CountHeapFree), Slot(gHeapFree)},
    {"LocalFree", reinterpret_cast<void*>(&CountLocalFree), Slot(gLocalFree)},
    {"GlobalFree", reinterpret_cast<void*>(&CountGlobalFree), Slot(gGlobalFree)},
    {"VirtualFree", reinterpret_cast<void*>(&CountVirtualFree), Slot(gVirtualFree)},
    {"CreateFileA", reinterpret_cast<void*>(&CountCreateFileA), Slot(gCreateFileA)},
    {"CreateFileW", reinterpret_cast<void*>(&CountCreateFileW), Slot(gCreateFileW)},
    {"ReadFile", reinterpret_cast<void*>(&CountReadFile), Slot(gReadFile)},
    {"WriteFile", reinterpret_cast<void*>(&CountWriteFile), Slot(gWriteFile)},
    {"Sleep", reinterpret_cast<void*>(&CountSleep), Slot(gSleep)},
    {"SleepEx", reinterpret_cast<void*>(&CountSleepEx), Slot(gSleepEx)},
    {"CreateThread", reinterpret_cast<void*>(&CountCreateThread), Slot(gCreateThread)},
    {"_beginthreadex", reinterpret_cast<void*>(&CountBeginThreadEx), Slot(gBeginThreadEx)},
    {"fopen", reinterpret_cast<void*>(&CountFopen), Slot(gFopen)},
};
} // namespace

bool InstallImportHooks(aaxhost::PluginModule& module, std::string& detail)
{
  const int patched = PatchModuleImports(module, kHooks, detail);
  if (patched >= 0)
    detail += " (" + std::to_string(patched) +
              " imported heap, lock, file, sleep and thread functions counted)";
  return patched > 0;
}

#else

bool InstallImportHooks(aaxhost::PluginModule&, std::string&)
{
  return false;
}

#endif

} // namespace plughost
