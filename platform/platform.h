/*
 * The platform layer: the one place that declares the Win32 operations the
 * launcher calls (KERNEL32, USER32 and GDI32), and the one operation of its
 * own, starting a command. Every other file includes this header rather than
 * <windows.h>. Texts that can hold a document's name use the UTF-16 forms;
 * the rest the single-byte ones.
 *
 * Outside Windows only the portable core is built, for its tests, benchmarks
 * and fuzzers. It needs one operation, the executable's own path, and
 * platform/native.cpp stands in for it there.
 *
 * File names: PathChar, GetModulePath and OpenToRead name the executable
 * and open the list file beside it; in UTF-16 on Windows, so that a folder
 * of any name holds them. DecodeAnsi reads the list file's lines that are
 * in the system code page.
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
/* USER32 and GDI32 are loaded on first use: each call must go through the
   function's stub, whose import slot starts out pointing at the loader. Called
   through the slot directly (dllimport), i686 ld drops the unreferenced stubs
   and leaves the slots 0, so the first USER32 call jumps to address 0. */
#define _USER32_
#define _GDI32_
#include <windows.h>

#ifndef RC_INVOKED /* the resource compiler needs only the constants */

#include <stdio.h>

typedef WCHAR PathChar;

inline DWORD GetModulePath(PathChar *path, DWORD size)
{
    return GetModuleFileNameW(NULL, path, size);
}

inline FILE *OpenToRead(const PathChar *path)
{
    return _wfopen(path, L"rb");
}

/* Text in the system code page to UTF-16: at most size units. Returns the
   number of units. */
inline size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size)
{
    int got = n ? MultiByteToWideChar(CP_ACP, 0, bytes, (int)n, units, (int)size) : 0;
    return got > 0 ? (size_t)got : 0;
}

/* Whether a file or folder of this name exists. */
inline bool PathExists(const WCHAR *name)
{
    return GetFileAttributesW(name) != INVALID_FILE_ATTRIBUTES;
}

/* Starts a command text as WinExec does (the program shown normally), and,
   when waitUntilReady, waits as WinExec does once USER32 is loaded, until the
   program is ready for input or 30 s have passed. The program's file is
   found by the launcher, never in the current folder, where a document's
   folder may hold a program that nobody chose (platform/start.cpp says
   where). False when the start is refused; GetLastError() then says why. */
bool StartCommand(WCHAR *command, bool waitUntilReady);

#endif /* RC_INVOKED */

#else /* !_WIN32 */

#include <stddef.h>
#include <stdint.h>

typedef uint32_t DWORD;
typedef void *HMODULE;

/* As on Windows: copies at most nSize - 1 bytes and a terminator; returns the
   length copied, nSize when the path was cut short, 0 when there is none. */
DWORD GetModuleFileNameA(HMODULE hModule, char *lpFilename, DWORD nSize);

/* Says what GetModuleFileNameA reports from now on; NULL restores the
   process's real path. */
void NativeSetModulePath(const char *path);

#include <stdio.h>

typedef char PathChar;

inline DWORD GetModulePath(PathChar *path, DWORD size)
{
    return GetModuleFileNameA(NULL, path, size);
}

inline FILE *OpenToRead(const PathChar *path)
{
    return fopen(path, "rb");
}

/* The system code page's stand-in here is ISO 8859-1: each byte is the unit
   of the same value. */
size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size);

#endif /* _WIN32 */

#endif /* RUNVO_PLATFORM_H */
