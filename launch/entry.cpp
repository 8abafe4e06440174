/*
 * Reading a list entry: its program, its own arguments, its variables and
 * the documents' place.
 */
#include "launch/entry.h"

#include <wchar.h>

enum { NAME_MAX_UNITS = 255 }; /* longer than any variable's name */

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
static const wchar_t *const s_programFiles[] = {L"ProgramFiles", L"ProgramW6432",
                                                L"CommonProgramFiles", L"CommonProgramW6432"};

static size_t Lookup(LookupFn lookup, const wchar_t *name, wchar_t *value, size_t size)
{
    for (int i = 0; i < 4; i += 2)
        if (_wcsicmp(name, s_programFiles[i]) == 0) {
            size_t got = lookup(s_programFiles[i + 1], value, size);
            if (got)
                return got;
        }
    return lookup(name, value, size);
}

/* The variable %NAME% at p, if it is set: its value written to out. Gives
   the units it stands for, 0 when it is no variable that is set. */
static size_t Variable(TextBuf *out, const wchar_t *p, LookupFn lookup)
{
    const wchar_t *close = wcschr(p + 1, L'%');
    size_t n = close ? (size_t)(close - p - 1) : 0;
    if (n == 0 || n > NAME_MAX_UNITS)
        return 0;
    wchar_t name[NAME_MAX_UNITS + 1];
    wmemcpy(name, p + 1, n);
    name[n] = L'\0';
    size_t room = out->cut ? 0 : out->size - out->len;
    size_t got = Lookup(lookup, name, out->buf + out->len, room);
    if (got == 0)
        return 0;
    if (got >= room)
        out->cut = true;
    else
        out->len += got;
    out->buf[out->len] = L'\0'; /* whatever a value that did not fit left */
    return n + 2;
}

/* %1, %*, or %L that does not begin a name (%LOCALAPPDATA% that is not set
   stays as it is). */
static bool IsPlaceholder(const wchar_t *p)
{
    wchar_t next = p[2] | 0x20; /* lower case, for letters */
    bool nameGoesOn =
        (next >= L'a' && next <= L'z') || (p[2] >= L'0' && p[2] <= L'9') || p[2] == L'_';
    return p[1] == L'1' || p[1] == L'*' || ((p[1] | 0x20) == L'l' && !nameGoesOn);
}

/* How far the platform's programs read a command line as quoted: 2n
   backslashes and a quote are n backslashes and a quote that opens or
   closes, 2n + 1 and a quote a quote itself. Two quotes inside quotes read
   two ways: as a quote inside them by the C runtime of today, as a quote
   that ends them by the older one that many programs still use. */
struct QuoteReading {
    size_t scanned, backslashes;
    bool quoted, justClosed, twoWays;
};

static void ReadUpTo(QuoteReading *r, const wchar_t *text, size_t len)
{
    for (; r->scanned < len; r->scanned++) {
        wchar_t c = text[r->scanned];
        bool quote = c == L'"' && r->backslashes % 2 == 0;
        r->twoWays = r->twoWays || (quote && r->justClosed);
        r->justClosed = quote && r->quoted;
        r->quoted = r->quoted != quote;
        r->backslashes = c == L'\\' ? r->backslashes + 1 : 0;
    }
}

bool ReadsOneWay(const wchar_t *text)
{
    QuoteReading r = {0, 0, false, false, false};
    ReadUpTo(&r, text, wcslen(text));
    return !r.twoWays && !r.quoted;
}

/* Backslashes that end a document placed inside the entry's quotes (or
   come before an empty one): they are doubled once what follows them turns
   out to be a quote, after backslashes or not, so that both keep their
   meaning. */
struct Owed {
    size_t at, count;
};

static void Settle(TextBuf *out, Owed *owed)
{
    size_t i = owed->at;
    while (owed->count && i < out->len && out->buf[i] == L'\\')
        i++;
    if (!owed->count || i == out->len)
        return; /* nothing owed, or not known yet */
    if (out->buf[i] == L'"' && out->len + owed->count >= out->size) {
        out->cut = true;
    } else if (out->buf[i] == L'"') {
        wmemmove(out->buf + owed->at + owed->count, out->buf + owed->at, out->len - owed->at + 1);
        wmemset(out->buf + owed->at, L'\\', owed->count);
        out->len += owed->count;
    }
    owed->count = 0;
}

bool ExpandEntry(TextBuf *out, const wchar_t *p, LookupFn lookup, PlaceFn place, void *context)
{
    QuoteReading r = {out->len, 0, false, false, false};
    Owed owed = {0, 0};
    while (*p) {
        size_t n = *p == L'%' ? Variable(out, p, lookup) : 0;
        if (n > 0) {
            p += n;
        } else if (*p == L'%' && place && IsPlaceholder(p)) {
            /* The document stands apart from the text around it: C:\out\%1
               keeps its backslash before the document's own quotes. */
            bool quoted = r.quoted;
            for (size_t k = quoted ? 0 : TrailingBackslashes(out); k > 0; k--)
                PutChar(out, L'\\');
            if (!quoted)
                PutChar(out, L'"');
            place(context, out, !quoted);
            if (!quoted)
                PutChar(out, L'"');
            owed = Owed{out->len, quoted ? TrailingBackslashes(out) : 0};
            p += 2;
        } else {
            PutChar(out, *p++);
        }
        Settle(out, &owed);
        ReadUpTo(&r, out->buf, out->len);
    }
    return !r.twoWays && !r.quoted;
}
