/*
 * The executable's own path outside Windows, and the system code page's
 * stand-in. Tests, benchmarks and fuzzers place a list file where they like
 * by naming the path that the launcher should believe is its own.
 */
#include "platform/platform.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>

static char s_modulePath[4096];
static bool s_modulePathSet; /* false: the real one */

void NativeSetModulePath(const char *path)
{
    s_modulePathSet = path != NULL;
    if (path)
        snprintf(s_modulePath, sizeof s_modulePath, "%s", path);
}

DWORD GetModuleFileNameA(HMODULE, char *lpFilename, DWORD nSize)
{
    char real[4096];
    const char *path = s_modulePath;
    if (!s_modulePathSet) {
        ssize_t n = readlink("/proc/self/exe", real, sizeof real - 1);
        if (n <= 0)
            return 0;
        real[n] = '\0';
        path = real;
    }
    if (nSize == 0 || !*path)
        return 0;
    size_t len = strlen(path);
    if (len >= nSize) {
        /* Cut short and terminated, and nSize says so, as Windows does. */
        memcpy(lpFilename, path, nSize - 1);
        lpFilename[nSize - 1] = '\0';
        return nSize;
    }
    memcpy(lpFilename, path, len + 1);
    return (DWORD)len;
}

size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size)
{
    size_t i = 0;
    for (; i < n && i < size; i++)
        units[i] = (unsigned char)bytes[i];
    return i;
}
