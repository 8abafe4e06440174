/*
 * The platform layer: the one place that declares the Win32 operations the
 * launcher calls (KERNEL32, USER32 and GDI32, single-byte forms only). Every
 * other file includes this header rather than <windows.h>.
 *
 * Outside Windows only the portable core is built, for its tests, benchmarks
 * and fuzzers. It needs one operation, the executable's own path, and
 * platform/native.cpp stands in for it there.
 */
#ifndef RUNVO_PLATFORM_H
#define RUNVO_PLATFORM_H

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#else /* !_WIN32 */

#include <stdint.h>

typedef uint32_t DWORD;
typedef void *HMODULE;

/* As on Windows: copies at most nSize - 1 bytes and a terminator; returns the
   length copied, nSize when the path was cut short, 0 when there is none. */
DWORD GetModuleFileNameA(HMODULE hModule, char *lpFilename, DWORD nSize);

/* Says what GetModuleFileNameA reports from now on; NULL restores the
   process's real path. */
void NativeSetModulePath(const char *path);

#endif /* _WIN32 */

#endif /* RUNVO_PLATFORM_H */
