/*
 * The platform's operations outside Windows (platform/native.h): the
 * executable's own path, the list file opened, the system code page's
 * stand-in, upper case, and the operations that find and start a program.
 * Tests, benchmarks and fuzzers place a list file where they like by naming
 * the path that the launcher should believe is its own, and say what a
 * start finds and meets in g_nativeLaunch.
 */
#include "platform/native.h"

#include "launch/search.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wchar.h>
#include <wctype.h>

#include <map>
#include <string>

/* The longest path the host names a file by (Linux's PATH_MAX). */
enum { HOST_PATH_SIZE = 4096 };

static char s_modulePath[HOST_PATH_SIZE];
static bool s_modulePathSet; /* false: the real one */

void NativeSetModulePath(const char *path)
{
    s_modulePathSet = path != NULL;
    if (path)
        snprintf(s_modulePath, sizeof s_modulePath, "%s", path);
}

/* As Windows does: at most size - 1 bytes and a terminator; gives the length
   copied, size when the path was cut short, 0 when there is none. */
size_t GetModulePath(PathChar *path, size_t size)
{
    char real[HOST_PATH_SIZE];
    const char *own = s_modulePath;
    if (!s_modulePathSet) {
        ssize_t n = readlink("/proc/self/exe", real, sizeof real - 1);
        if (n <= 0)
            return 0;
        real[n] = '\0';
        own = real;
    }
    if (size == 0 || !*own)
        return 0;
    size_t len = strlen(own);
    if (len >= size) {
        memcpy(path, own, size - 1);
        path[size - 1] = '\0';
        return size;
    }
    memcpy(path, own, len + 1);
    return len;
}

FILE *OpenToRead(const PathChar *path)
{
    return fopen(path, "rb");
}

/* The C library's upper case, by the locale's table. */
wchar_t UpperCase(wchar_t c)
{
    return (wchar_t)towupper((wint_t)c);
}

/* A name of the host's own file system, in its bytes (UTF-8 as a rule). */
bool PathExists(const wchar_t *name)
{
    char bytes[4 * PATH_SIZE];
    struct stat st;
    return wcstombs(bytes, name, sizeof bytes) < sizeof bytes && stat(bytes, &st) == 0;
}

size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size)
{
    size_t i = 0;
    for (; i < n && i < size; i++)
        units[i] = (unsigned char)bytes[i];
    return i;
}

/* The host's code page is Latin-1, as DecodeAnsi reads it. */
size_t EncodeAnsi(const wchar_t *units, size_t n, char *bytes, size_t size)
{
    if (n == 0 || n > size)
        return 0;
    for (size_t i = 0; i < n; i++) {
        if ((unsigned)units[i] > 0xFF)
            return 0;
        bytes[i] = (char)units[i];
    }
    return n;
}

NativeLaunch g_nativeLaunch;

/* The row of a list (ended by a row whose key is NULL) whose key is name,
   compared as Windows compares variables' names or exactly; NULL for
   none. */
template <class Row>
static const Row *RowOf(const Row *rows, const wchar_t *const Row::*key, const wchar_t *name,
                        bool anyCase)
{
    for (; rows && rows->*key; rows++)
        if ((anyCase ? wcscasecmp(rows->*key, name) : wcscmp(rows->*key, name)) == 0)
            return rows;
    return NULL;
}

Found FindProgram(const wchar_t *name, wchar_t *found, bool)
{
    const NativeFile *file = RowOf(g_nativeLaunch.files, &NativeFile::name, name, false);
    if (file)
        wcscpy(found, file->file);
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
    const NativeShortName *got =
        RowOf(g_nativeLaunch.shortNames, &NativeShortName::name, name, false);
    if (got && !got->shortName)
        return false;
    wcscpy(shortName, got ? got->shortName : name);
    return true;
}

size_t GetVariable(const wchar_t *name, wchar_t *value, size_t size)
{
    const NativeVariable *v = RowOf(g_nativeLaunch.variables, &NativeVariable::name, name, true);
    if (!v)
        return 0;
    size_t len = wcslen(v->value);
    if (len < size)
        wcscpy(value, v->value);
    return len < size ? len : len + 1;
}

SystemError StartProgram(const wchar_t *, wchar_t *command, bool, const wchar_t *dir)
{
    g_nativeLaunch.command = command;
    g_nativeLaunch.dir = dir;
    return g_nativeLaunch.startError;
}

SystemError StartInterpreter(wchar_t *command, bool wait, const wchar_t *dir)
{
    return StartProgram(L"cmd.exe", command, wait, dir);
}

SystemError ElevateProgram(const wchar_t *file, const wchar_t *parameters, const wchar_t *dir)
{
    g_nativeLaunch.elevated = file;
    g_nativeLaunch.parameters = parameters;
    g_nativeLaunch.dir = dir;
    return g_nativeLaunch.elevateError;
}

ShortcutRead ReadShortcut(const wchar_t *lnk, wchar_t *target, wchar_t *args, wchar_t *dir,
                          wchar_t *icon)
{
    const NativeShortcut *s = RowOf(g_nativeLaunch.shortcuts, &NativeShortcut::lnk, lnk, false);
    if (!s)
        return SHORTCUT_UNREADABLE;
    if (wcslen(s->args) >= COMMAND_LINE_SIZE - 1)
        return SHORTCUT_TOO_LONG;
    wcscpy(target, s->target);
    if (args)
        wcscpy(args, s->args);
    wcscpy(dir, s->dir);
    if (icon)
        wcscpy(icon, s->icon ? s->icon : L"");
    return SHORTCUT_READ;
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
