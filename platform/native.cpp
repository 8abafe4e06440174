/*
 * The executable's own path outside Windows, the system code page's
 * stand-in, and the operations that start a program. Tests, benchmarks and
 * fuzzers place a list file where they like by naming the path that the
 * launcher should believe is its own, and say what a start finds and meets
 * in g_nativeLaunch.
 */
#include "launch/search.h"
#include "platform/platform.h"

#include <stdio.h>
#include <string.h>
#include <unistd.h>
#include <wchar.h>

#include <map>
#include <string>

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

NativeLaunch g_nativeLaunch;

/* The value that follows name in a list of names and values (compared as
   Windows compares variables' names, or exactly), or NULL. */
static const wchar_t *ValueOf(const wchar_t *const *pairs, const wchar_t *name, bool anyCase)
{
    for (; pairs && pairs[0]; pairs += 2)
        if ((anyCase ? wcscasecmp(pairs[0], name) : wcscmp(pairs[0], name)) == 0)
            return pairs[1];
    return NULL;
}

Found FindProgram(const wchar_t *name, wchar_t *found, bool)
{
    const wchar_t *file = ValueOf(g_nativeLaunch.files, name, false);
    if (file)
        wcscpy(found, file);
    return file ? FOUND : NOT_FOUND;
}

/* As the 32-bit launcher on 64-bit Windows sees it. */
void ShowAsUsersSee(wchar_t *file)
{
    static const ProgramSearchPath wow64 = {
        {L"", L"C:\\Windows\\System32", L"", L""}, L"C:\\Windows\\Sysnative", L"", L""};
    SysnativeToSystem32(file, &wow64);
}

/* The characters that the best fit of a common ANSI code page (1250 to
   1258, 874, 932, 936, 949, 950) makes a blank, a control character, a
   quote, a backslash or a wildcard of, as Wine's tables have them, and
   U+FF1F, which Windows' fit to ?; the command fuzzer's dictionary holds
   them too (bestfit_U...., windowsfit_U....), and a test under Wine checks
   the dictionary against the tables. The host stands in for every one of
   those code pages at once. */
static const wchar_t s_bestFitSplits[] = {
    0x00A5, 0x00A7, 0x00B6, 0x02BA, 0x030E, 0x2000, 0x2001, 0x2002, 0x2003, 0x2004,
    0x2005, 0x2006, 0x203C, 0x20A9, 0x2190, 0x2191, 0x2192, 0x2193, 0x2194, 0x2195,
    0x21A8, 0x2216, 0x2217, 0x221F, 0x25AC, 0x25B2, 0x25BA, 0x25BC, 0x25C4, 0x25CB,
    0x25D8, 0x25D9, 0x263A, 0x263B, 0x263C, 0x2640, 0x2642, 0x2660, 0x2663, 0x2665,
    0x2666, 0x266A, 0x266B, 0x3000, 0x301D, 0x301E, 0xFF02, 0xFF0A, 0xFF1F, 0xFF3C,
};

bool AnsiKeepsArguments(const wchar_t *name)
{
    for (const wchar_t *p = name; *p; p++)
        for (wchar_t c : s_bestFitSplits)
            if (*p == c)
                return false;
    return true;
}

bool ShortName(const wchar_t *name, wchar_t *shortName)
{
    const wchar_t *got = ValueOf(g_nativeLaunch.shortNames, name, false);
    if (got)
        wcscpy(shortName, got);
    return got != NULL;
}

size_t GetVariable(const wchar_t *name, wchar_t *value, size_t size)
{
    const wchar_t *v = ValueOf(g_nativeLaunch.variables, name, true);
    if (!v)
        return 0;
    size_t len = wcslen(v);
    if (len < size)
        wcscpy(value, v);
    return len < size ? len : len + 1;
}

DWORD StartProgram(const wchar_t *, wchar_t *command, bool, const wchar_t *dir)
{
    g_nativeLaunch.command = command;
    g_nativeLaunch.dir = dir;
    return g_nativeLaunch.startError;
}

DWORD StartInterpreter(wchar_t *command, bool wait, const wchar_t *dir)
{
    return StartProgram(L"cmd.exe", command, wait, dir);
}

DWORD ElevateProgram(const wchar_t *file, const wchar_t *parameters, const wchar_t *dir)
{
    g_nativeLaunch.elevated = file;
    g_nativeLaunch.parameters = parameters;
    g_nativeLaunch.dir = dir;
    return g_nativeLaunch.elevateError;
}

ShortcutRead ReadShortcut(const wchar_t *lnk, wchar_t *target, wchar_t *args, wchar_t *dir)
{
    for (const wchar_t *const *s = g_nativeLaunch.shortcuts; s && s[0]; s += 4)
        if (wcscmp(s[0], lnk) == 0) {
            if (wcslen(s[2]) >= COMMAND_LINE_SIZE - 1)
                return SHORTCUT_TOO_LONG;
            wcscpy(target, s[1]);
            wcscpy(args, s[2]);
            wcscpy(dir, s[3]);
            return SHORTCUT_READ;
        }
    return SHORTCUT_UNREADABLE;
}

/* The texts as the resource script has them (UTF-8), decoded once each. */
size_t LoadText(StringId id, const wchar_t **text)
{
    static const struct {
        StringId id;
        const char *utf8;
    } s_texts[] = {
#define RUNVO_TEXT_ROW(name, number, text) {name, text},
        RUNVO_TEXTS(RUNVO_TEXT_ROW)
#undef RUNVO_TEXT_ROW
    };
    static std::map<int, std::wstring> s_decoded;
    for (const auto &t : s_texts) {
        if (t.id != id)
            continue;
        std::wstring &w = s_decoded[id];
        if (w.empty())
            for (const unsigned char *p = (const unsigned char *)t.utf8; *p;) {
                unsigned c = *p++, more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
                c &= more ? 0x3F >> more : 0x7F;
                while (more-- && *p)
                    c = c << 6 | (*p++ & 0x3F);
                w += (wchar_t)c;
            }
        *text = w.c_str();
        return w.size();
    }
    *text = L"";
    return 0;
}
