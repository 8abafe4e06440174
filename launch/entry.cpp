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
    size_t got = lookup(name, out->buf + out->len, room);
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

void ExpandEntry(TextBuf *out, const wchar_t *p, LookupFn lookup, PlaceFn place, void *context)
{
    bool quoted = false;
    while (*p) {
        size_t n = *p == L'%' ? Variable(out, p, lookup) : 0;
        if (n > 0) {
            p += n;
        } else if (*p == L'%' && place && IsPlaceholder(p)) {
            if (!quoted)
                PutChar(out, L'"');
            place(context, out, !quoted || p[2] == L'"');
            if (!quoted)
                PutChar(out, L'"');
            p += 2;
        } else {
            quoted = quoted != (*p == L'"');
            PutChar(out, *p++);
        }
    }
}
