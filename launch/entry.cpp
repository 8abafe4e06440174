/*
 * Reading a list entry: its program, its own arguments, its variables and
 * the documents' place; and finding its program's file.
 */
#include "launch/entry.h"

#include "launch/arguments.h"
#include "launch/paths.h"
#include "launch/sizes.h"
#include "platform/platform.h"

#include <wchar.h>

bool SplitEntry(const wchar_t *entry, wchar_t *program, size_t size, const wchar_t **args)
{
    const wchar_t *end = entry + wcslen(entry);
    if (*entry == L'"') {
        end = wcschr(++entry, L'"');
        if (!end)
            return false;
    }
    size_t n = (size_t)(end - entry);
    if (n >= size)
        return false;
    wmemcpy(program, entry, n);
    program[n] = L'\0';
    *args = end + (*end == L'"');
    return true;
}

/* The 64-bit Program Files folders where Windows has them: to the 32-bit
   launcher, ProgramFiles and CommonProgramFiles name the 32-bit ones, not
   those that Explorer and the 64-bit launcher expand. */
static const struct {
    const wchar_t *name, *native; /* the variable, and its 64-bit value's */
} s_programFiles[] = {
    {L"ProgramFiles", L"ProgramW6432"},
    {L"CommonProgramFiles", L"CommonProgramW6432"},
};

/* A variable's value as variable gives it; the Program Files folders the
   64-bit ones, where the 32-bit launcher sees those of its own kind. */
static size_t VariableValue(VariableFn variable, const wchar_t *name, wchar_t *value, size_t size)
{
    for (const auto &folder : s_programFiles)
        if (EqualCaseBlind(name, folder.name)) {
            size_t got = variable(folder.native, value, size);
            if (got)
                return got;
        }
    return variable(name, value, size);
}

/* The variable %NAME% at p, if it is set: its value written to out. Gives
   the characters it stands for, 0 when it is no variable that is set. */
static size_t Variable(TextBuf *out, const wchar_t *p, VariableFn variable)
{
    const wchar_t *close = wcschr(p + 1, L'%');
    size_t n = close ? (size_t)(close - p - 1) : 0;
    if (n == 0 || n >= VARIABLE_NAME_SIZE)
        return 0;
    wchar_t name[VARIABLE_NAME_SIZE];
    wmemcpy(name, p + 1, n);
    name[n] = L'\0';
    size_t room = out->truncated ? 0 : out->size - out->len;
    size_t got = VariableValue(variable, name, out->buf + out->len, room);
    if (got == 0)
        return 0;
    if (got >= room)
        out->truncated = true;
    else
        out->len += got;
    out->buf[out->len] = L'\0'; /* whatever a value that did not fit left */
    return n + 2;
}

/* %1, %*, or %L that does not begin a name (%LOCALAPPDATA% that is not set
   stays as it is). */
static bool IsPlaceholder(const wchar_t *p)
{
    bool nameGoesOn = IsAsciiLetter(p[2]) || IsAsciiDigit(p[2]) || p[2] == L'_';
    return p[1] == L'1' || p[1] == L'*' || ((p[1] == L'l' || p[1] == L'L') && !nameGoesOn);
}

/* Backslashes that end a document placed inside the entry's quotes (or
   come before an empty one): doubled once what follows them turns out to be
   a quote, after backslashes or not, so that both keep their meaning. */
struct PendingBackslashes {
    size_t at, count;
};

static void DoubleBeforeQuote(TextBuf *out, PendingBackslashes *pending)
{
    size_t i = pending->at;
    while (pending->count && i < out->len && out->buf[i] == L'\\')
        i++;
    if (!pending->count || i == out->len)
        return; /* none pending, or what follows them is not known yet */
    if (out->buf[i] == L'"' && out->len + pending->count >= out->size) {
        out->truncated = true;
    } else if (out->buf[i] == L'"') {
        wmemmove(out->buf + pending->at + pending->count, out->buf + pending->at,
                 out->len - pending->at + 1);
        wmemset(out->buf + pending->at, L'\\', pending->count);
        out->len += pending->count;
    }
    pending->count = 0;
}

bool ExpandEntry(TextBuf *out, const wchar_t *p, VariableFn variable, PlaceFn place, void *context)
{
    const wchar_t *expanded = out->buf + out->len; /* its quotes are read from here */
    PendingBackslashes pending = {0, 0};
    while (*p) {
        size_t n = *p == L'%' ? Variable(out, p, variable) : 0;
        if (n > 0) {
            p += n;
        } else if (*p == L'%' && place && IsPlaceholder(p)) {
            /* The document stands apart from the text around it: C:\out\%1
               keeps its backslash before the document's own quotes. */
            bool quoted = SplitWhole(expanded).quoted;
            if (!quoted) {
                PutRepeat(out, L'\\', TrailingBackslashes(out));
                PutChar(out, L'"');
            }
            place(context, out, !quoted);
            if (!quoted)
                PutChar(out, L'"');
            pending = PendingBackslashes{out->len, quoted ? TrailingBackslashes(out) : 0};
            p += 2;
        } else {
            PutChar(out, *p++);
        }
        DoubleBeforeQuote(out, &pending);
    }
    return QuotesReadOneWay(expanded);
}

bool ReadEntryProgram(const wchar_t *entry, EntryProgram *p)
{
    p->exists = p->waits = false;
    if (!SplitEntry(entry, p->written, PATH_SIZE, &p->args))
        return false;
    TextBuf out;
    ExpandEntry(OutStart(&out, p->expanded, PATH_SIZE), p->written, GetVariable, NULL, NULL);
    /* Shown as written where the variables change nothing or do not fit. */
    p->name = out.truncated || wcscmp(p->expanded, p->written) == 0 ? p->written : p->expanded;
    return true;
}

const wchar_t *NamedPath(const EntryProgram *p)
{
    if (IsFullPath(p->written))
        return p->written;
    return IsFullPath(p->name) ? p->name : NULL;
}

void FindEntryFile(EntryProgram *p, bool noWaiting)
{
    /* As written first (a folder may be called 50%off%), then as expanded,
       and so shown when neither is found. */
    Found f = NOT_FOUND;
    if (p->name != p->written && (f = FindProgram(p->written, p->found, noWaiting)) != NOT_FOUND)
        p->name = p->written;
    if (f == NOT_FOUND)
        f = FindProgram(p->name, p->found, noWaiting);
    p->exists = f == FOUND;
    p->waits = f == WOULD_WAIT;
    /* Windows opens convert.bat. as convert.bat: so must the launch, which
       runs a batch file by another route. */
    if (p->exists)
        DropTrailingDots(p->found);
}

bool FindEntryProgram(const wchar_t *entry, EntryProgram *p)
{
    if (!ReadEntryProgram(entry, p))
        return false;
    FindEntryFile(p);
    return true;
}

/* Whether the entry reads as the file, its one program: nothing of it is
   taken for arguments, or expanded. */
static bool ReadsAsFile(const wchar_t *entry, const wchar_t *file)
{
    EntryProgram p;
    return ReadEntryProgram(entry, &p) && !p.args[0] && wcscmp(p.written, file) == 0 &&
           wcscmp(p.expanded, file) == 0;
}

bool EntryForFile(const wchar_t *file, wchar_t *entry)
{
    if (wcslen(file) >= PATH_SIZE)
        return false;
    if (ReadsAsFile(file, file)) {
        wcscpy(entry, file);
        return true;
    }
    wchar_t shortName[PATH_SIZE];
    if (!ShortName(file, shortName) || !ReadsAsFile(shortName, shortName))
        return false;
    wcscpy(entry, shortName);
    return true;
}

bool IsProgramToList(const wchar_t *file)
{
    wchar_t target[PATH_SIZE], dir[PATH_SIZE];
    if (IsProgramFile(file))
        return true;
    return IsShortcut(file) && ReadShortcut(file, target, NULL, dir) == SHORTCUT_READ &&
           IsProgramFile(target);
}
