/*
 * Recognising the quick-launch option, building commands, and reading which
 * program a command names. Only units 1 to 32 are blanks here; everything
 * from 128 up belongs to the text.
 */
#include "launch/command.h"

#include "launch/text.h"

#include <limits.h>
#include <wchar.h>

wchar_t *CommandLineTail(wchar_t *p)
{
    if (*p == L'"') {
        p++;
        while (*p && *p != L'"')
            p++;
        if (*p == L'"')
            p++;
    } else {
        while (*p && !IsBlank(*p))
            p++;
    }
    while (IsBlank(*p))
        p++;
    return p;
}

static bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool ParseQuickOption(const wchar_t *tail, int *index, const wchar_t **rest)
{
    *rest = tail;
    if (tail[0] != L'-' || tail[1] != L'n')
        return false;
    const wchar_t *p = SkipBlanks(tail + 2);
    *rest = p;
    if (!IsDigit(*p))
        return false;
    int value = 0;
    bool fits = true;
    for (; IsDigit(*p); p++) {
        int digit = *p - L'0';
        if (value > (INT_MAX - digit) / 10)
            fits = false; /* the digits are still passed over */
        if (fits)
            value = value * 10 + digit;
    }
    *rest = SkipBlanks(p);
    *index = value;
    return fits;
}

bool CommandFits(size_t used, size_t argLen)
{
    return used + argLen + 3 <= COMMAND_LIMIT;
}

static size_t TrailingBackslashes(const wchar_t *tail, size_t len)
{
    size_t n = 0;
    while (n < len && tail[len - 1 - n] == L'\\')
        n++;
    return n;
}

bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail)
{
    size_t len = wcslen(tail);
    /* A tail with quotes of its own is in the platform's command-line form:
       its caller quoted it, as Windows quotes several files with blanks in
       their names. Quoting it again could only split it wrongly. */
    bool asItIs = wcschr(tail, L'"') != NULL;
    /* Backslashes before the closing quote would escape it: each is doubled. */
    size_t backslashes = asItIs ? 0 : TrailingBackslashes(tail, len);
    size_t passed = asItIs ? len : len + backslashes + 2;

    cmd[0] = L'\0';
    AppendText(cmd, COMMAND_SIZE, L"\"");
    AppendText(cmd, COMMAND_SIZE, line);
    AppendText(cmd, COMMAND_SIZE, L"\" ");
    if (wcslen(cmd) + passed > QUICK_COMMAND_MAX)
        return false;
    if (!asItIs)
        AppendText(cmd, COMMAND_SIZE, L"\"");
    AppendText(cmd, COMMAND_SIZE, tail);
    if (!asItIs) {
        size_t end = wcslen(cmd);
        wmemset(cmd + end, L'\\', backslashes);
        cmd[end + backslashes] = L'\0';
        AppendText(cmd, COMMAND_SIZE, L"\"");
    }
    return true;
}

bool ProgramWithoutFolder(const wchar_t *cmd, wchar_t *name)
{
    const wchar_t *p = cmd + (*cmd == L'"');
    size_t n = 0;
    bool bare = true;
    for (; p[n] && p[n] != L'"' && n < COMMAND_SIZE - 1; n++) {
        name[n] = p[n];
        if (p[n] == L'\\' || p[n] == L'/' || p[n] == L':')
            bare = false;
    }
    name[n] = L'\0';
    return bare;
}

static bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

/* C:\tools or \\server\share; not tools, .\tools, \tools or C:tools, which
   are found from the current folder or the current drive's. */
static bool IsAbsoluteFolder(const wchar_t *folder, size_t len)
{
    if (len >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1]))
        return true;
    wchar_t drive = folder[0] | 0x20; /* lower case, for letters */
    return len >= 3 && drive >= L'a' && drive <= L'z' && folder[1] == L':' &&
           IsSeparator(folder[2]);
}

size_t KeepAbsoluteFolders(wchar_t *list)
{
    wchar_t *out = list;
    for (const wchar_t *p = list; *p;) {
        const wchar_t *end = wcschr(p, L';');
        size_t len = end ? (size_t)(end - p) : wcslen(p);
        if (IsAbsoluteFolder(p, len)) {
            if (out != list)
                *out++ = L';';
            wmemmove(out, p, len);
            out += len;
        }
        p += len + (end != NULL);
    }
    *out = L'\0';
    return (size_t)(out - list);
}
