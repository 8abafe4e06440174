/*
 * Recognising the quick-launch option, and assembling the commands that
 * start a program: its arguments quoted as programs read them, and as the
 * command interpreter reads them for a batch file. Only units 1 to 32 are
 * blanks in the launcher's own tail; a program's arguments part at blanks
 * and tabs.
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

static void PutRepeat(TextBuf *out, wchar_t c, size_t n)
{
    while (n--)
        PutChar(out, c);
}

/* An argument as it reads inside quotes: a backslash that a quote follows,
   and the quote, escaped; backslashes at the end doubled when quoteFollows,
   with those that the text ended with before it. */
static void PutEscaped(TextBuf *out, const wchar_t *s, bool quoteFollows)
{
    size_t backslashes = TrailingBackslashes(out); /* the text's before it count too */
    for (; *s; s++) {
        if (*s == L'"')
            PutRepeat(out, L'\\', backslashes + 1);
        backslashes = *s == L'\\' ? backslashes + 1 : 0;
        PutChar(out, *s);
    }
    if (quoteFollows)
        PutRepeat(out, L'\\', backslashes);
}

void PutQuoted(TextBuf *out, const wchar_t *s)
{
    PutChar(out, L'"');
    PutEscaped(out, s, true);
    PutChar(out, L'"');
}

bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail, bool asItIs)
{
    TextBuf t;
    PutChar(OutStart(&t, cmd, COMMAND_SIZE), L'"');
    PutText(&t, line);
    PutText(&t, L"\" ");
    if (asItIs)
        PutText(&t, tail);
    else
        PutQuoted(&t, tail);
    return !t.cut && t.len <= QUICK_COMMAND_MAX;
}

static bool IsArgumentBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

const wchar_t *NextArgument(const wchar_t *p, TextBuf *arg)
{
    while (IsArgumentBlank(*p))
        p++;
    if (!*p)
        return NULL;
    bool quoted = false;
    while (*p && (quoted || !IsArgumentBlank(*p))) {
        size_t backslashes = 0;
        while (p[backslashes] == L'\\')
            backslashes++;
        if (p[backslashes] != L'"') {
            size_t n = backslashes ? backslashes : 1; /* they, or one other unit */
            Put(arg, p, n);
            p += n;
            continue;
        }
        PutRepeat(arg, L'\\', backslashes / 2);
        p += backslashes;
        if (backslashes % 2) {
            PutChar(arg, L'"');
        } else if (quoted && p[1] == L'"') {
            PutChar(arg, L'"');
            p++;
        } else {
            quoted = !quoted;
        }
        p++;
    }
    return p;
}

/* The documents of a tail, and whether a placeholder took them. */
struct Documents {
    const wchar_t *tail;
    bool split, placed;
};

static wchar_t s_szArgument[STARTED_SIZE]; /* one argument, read back */

/* Each document where a placeholder stands, as it reads inside quotes; more
   than one become arguments of their own there. */
static void PlaceDocuments(void *context, TextBuf *out, bool quoteFollows)
{
    Documents *docs = static_cast<Documents *>(context);
    docs->placed = true;
    if (!docs->split) {
        PutEscaped(out, docs->tail, quoteFollows);
        return;
    }
    TextBuf arg;
    const wchar_t *p = docs->tail;
    for (bool first = true; (p = NextArgument(p, OutStart(&arg, s_szArgument, STARTED_SIZE)));
         first = false) {
        if (!first)
            PutText(out, L"\" \"");
        const wchar_t *next = p;
        while (IsArgumentBlank(*next))
            next++;
        PutEscaped(out, s_szArgument, quoteFollows || *next);
    }
}

/* A tail whose quotes programs would read two ways, as the arguments that
   today's runtime reads in it, each quoted: one reading for every program. */
static void PutRequoted(TextBuf *out, const wchar_t *tail)
{
    TextBuf arg;
    const wchar_t *p = tail;
    for (size_t n = 0; (p = NextArgument(p, OutStart(&arg, s_szArgument, STARTED_SIZE))); n++) {
        if (n > 0)
            PutChar(out, L' ');
        PutQuoted(out, s_szArgument);
    }
}

BuildResult BuildCommand(TextBuf *out, const wchar_t *argv0, const wchar_t *leading,
                         const wchar_t *args, const wchar_t *tail, TailForm form, LookupFn lookup)
{
    Documents docs = {tail, form == TAIL_ARGUMENTS, false};
    PutChar(out, L'"');
    PutText(out, argv0);
    PutChar(out, L'"');
    if (*leading) {
        PutChar(out, L' ');
        PutText(out, leading);
    }
    /* The C runtime would fold "x.exe"--open into the program's name. */
    if (*args && !IsArgumentBlank(*args))
        PutChar(out, L' ');
    bool oneWay = ExpandEntry(out, args, lookup, PlaceDocuments, &docs);
    if (!docs.placed) {
        PutChar(out, L' ');
        if (form == TAIL_QUOTED)
            PutQuoted(out, tail);
        else if (ReadsOneWay(tail))
            PutText(out, tail);
        else /* each argument as today's runtime reads it, quoted anew */
            PutRequoted(out, tail);
    }
    return out->cut ? BUILD_TOO_LONG : oneWay ? BUILD_OK : BUILD_TWO_WAYS;
}

/* ASCII letters, digits and #$*+-./:?@\_: the few marks that the
   interpreter never reads as its own, nor as a part between arguments. */
static bool IsPlainForInterpreter(wchar_t c)
{
    static const unsigned plain[4] = {0, 0x87FFEC18, 0x97FFFFFF, 0x07FFFFFE};
    return c < 128 && (plain[c >> 5] >> (c & 31)) & 1;
}

/* An argument as the interpreter passes it on to a batch file. Inside
   quotes, & | < > ^ ( ) , ; = and blanks are text in all three of its
   readings: of the /c line, of %* where the batch file passes it on, and
   of "%~1"; a backslash before a closing quote is doubled, as for any
   program. A % becomes %%cd:~,%: the /c line reads %cd:~,% as an empty
   part of the current folder's name and keeps the % before it, so that no
   %NAME% is ever formed there, and the batch file reads its arguments
   without expanding them again. */
static void PutForInterpreter(TextBuf *out, const wchar_t *arg, bool quote)
{
    size_t len = wcslen(arg);
    for (size_t i = 0; i < len; i++)
        quote = quote || !IsPlainForInterpreter(arg[i]);
    quote = quote || len == 0 || arg[len - 1] == L'\\';
    if (quote)
        PutChar(out, L'"');
    size_t backslashes = 0;
    for (; *arg; arg++) { /* it holds no quote: BatchCommand refuses one */
        if (*arg == L'%')
            PutAscii(out, "%%cd:~,");
        backslashes = *arg == L'\\' ? backslashes + 1 : 0;
        PutChar(out, *arg);
    }
    if (quote) {
        PutRepeat(out, L'\\', backslashes);
        PutChar(out, L'"');
    }
}

bool BatchCommand(TextBuf *out, const wchar_t *batch, const wchar_t *args)
{
    /* /d: no AutoRun; /e:on: extensions, for %cd:~,%; /v:off: ! is text;
       /s: what follows /c is taken as it is, less its outer quotes. */
    PutAscii(out, "cmd /d /e:on /v:off /s /c \"");
    PutForInterpreter(out, batch, true);
    TextBuf arg;
    while ((args = NextArgument(args, OutStart(&arg, s_szArgument, STARTED_SIZE)))) {
        if (wcspbrk(s_szArgument, L"\r\n\""))
            return false;
        PutChar(out, L' ');
        PutForInterpreter(out, s_szArgument, false);
    }
    PutChar(out, L'"');
    return !out->cut;
}
