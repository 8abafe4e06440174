/*
 * Recognising the quick-launch option, building commands, reading which
 * program a command names and where its file is, and the command that runs a
 * batch file. Only units 1 to 32 are blanks here; everything from 128 up
 * belongs to the text.
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

/* Whether each name that the blanks of tail separate exists; false for
   fewer than two names, or one longer than any command. */
static bool AllExist(const wchar_t *tail, ExistsFn exists)
{
    wchar_t name[COMMAND_SIZE];
    size_t names = 0;
    for (const wchar_t *p = SkipBlanks(tail); *p; p = SkipBlanks(p)) {
        size_t n = 0;
        while (p[n] && !IsBlank(p[n]))
            n++;
        if (n >= COMMAND_SIZE)
            return false;
        wmemcpy(name, p, n);
        name[n] = L'\0';
        if (!exists(name))
            return false;
        names++;
        p += n;
    }
    return names >= 2;
}

bool TailIsArguments(const wchar_t *tail, ExistsFn exists)
{
    if (wcschr(tail, L'"'))
        return true;
    const wchar_t *p = tail;
    while (*p && !IsBlank(*p))
        p++;
    if (!*SkipBlanks(p))
        return false; /* one name: nothing to ask the file system */
    return !exists(tail) && AllExist(tail, exists);
}

static size_t TrailingBackslashes(const wchar_t *tail, size_t len)
{
    size_t n = 0;
    while (n < len && tail[len - 1 - n] == L'\\')
        n++;
    return n;
}

bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail, bool asItIs)
{
    size_t len = wcslen(tail);
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

const wchar_t *ProgramName(const wchar_t *cmd, wchar_t *name)
{
    const wchar_t *p = cmd + (*cmd == L'"');
    size_t n = 0;
    for (; p[n] && p[n] != L'"' && n < COMMAND_SIZE - 1; n++)
        name[n] = p[n];
    name[n] = L'\0';
    p += n;
    while (*p && *p != L'"') /* past what did not fit */
        p++;
    return p + (*p == L'"');
}

bool NamesNoFolder(const wchar_t *name)
{
    return !wcspbrk(name, L"\\/:");
}

static bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

static bool IsDrive(const wchar_t *name)
{
    wchar_t letter = name[0] | 0x20; /* lower case, for letters */
    return letter >= L'a' && letter <= L'z' && name[1] == L':';
}

/* C:\tools or \\server\share; not tools, .\tools, \tools or C:tools, which
   are found from the current folder or the current drive's. */
static bool IsFullPath(const wchar_t *name)
{
    return (IsSeparator(name[0]) && IsSeparator(name[1])) ||
           (IsDrive(name) && IsSeparator(name[2]));
}

/* How much of a full path is its drive ("C:") or share ("\\server\share"). */
static size_t RootLength(const wchar_t *path)
{
    if (IsDrive(path))
        return 2;
    size_t n = 2, parts = 0; /* past the two separators: the server, the share */
    while (path[n] && !(IsSeparator(path[n]) && ++parts == 2))
        n++;
    return n;
}

bool ProgramFile(const wchar_t *name, const wchar_t *ownFolder, wchar_t *path, size_t size)
{
    path[0] = L'\0';
    if (IsFullPath(name))
        return AppendText(path, size, name);
    if (IsDrive(name)) {
        const wchar_t root[] = {name[0], L':', L'\\', L'\0'};
        return AppendText(path, size, root) && AppendText(path, size, name + 2);
    }
    if (!IsFullPath(ownFolder))
        return false;
    size_t base = IsSeparator(name[0]) ? RootLength(ownFolder) : wcslen(ownFolder);
    if (base >= size)
        return false;
    wmemcpy(path, ownFolder, base);
    path[base] = L'\0';
    return AppendText(path, size, name);
}

bool IsBatchFile(const wchar_t *path)
{
    const wchar_t *ext = wcsrchr(path, L'.');
    return ext && (_wcsicmp(ext, L".bat") == 0 || _wcsicmp(ext, L".cmd") == 0);
}

bool BatchCommand(wchar_t *out, size_t size, const wchar_t *cmdExe, const wchar_t *batch,
                  const wchar_t *rest)
{
    /* /s: the interpreter takes what follows /c as it is, less the outer
       quotes; the batch file is named by its full path, so that it is not
       looked up again (the current folder first). */
    out[0] = L'\0';
    bool fits = AppendText(out, size, L"\"") && AppendText(out, size, cmdExe) &&
                AppendText(out, size, L"\" /s /c \"\"") && AppendText(out, size, batch) &&
                AppendText(out, size, L"\"");
    size_t n = wcslen(out);
    bool quoted = false;
    for (const wchar_t *p = rest; fits && *p; p++) {
        quoted = quoted != (*p == L'"');
        bool escape = !quoted && wcschr(L"&|<>^", *p);
        if (n + escape + 1 >= size)
            return false;
        if (escape)
            out[n++] = L'^';
        out[n++] = *p;
    }
    out[n] = L'\0';
    return fits && AppendText(out, size, L"\"");
}

size_t KeepAbsoluteFolders(wchar_t *list, size_t most)
{
    wchar_t *out = list;
    for (const wchar_t *p = list; *p;) {
        const wchar_t *end = wcschr(p, L';');
        size_t len = end ? (size_t)(end - p) : wcslen(p);
        /* The ';' or the end after a folder is neither a separator nor a
           colon: the check ends with the folder. */
        if (IsFullPath(p)) {
            size_t sep = out != list;
            if ((size_t)(out - list) + sep + len > most)
                break; /* what does not fit is dropped, not all of the list */
            if (sep)
                *out++ = L';';
            wmemmove(out, p, len);
            out += len;
        }
        p += len + (end != NULL);
    }
    *out = L'\0';
    return (size_t)(out - list);
}
