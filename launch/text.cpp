/*
 * Building text in the launcher's fixed buffers, bounded.
 */
#include "launch/text.h"

#include "platform/platform.h"

#include <stdarg.h>
#include <wchar.h>

bool FormatText(wchar_t *buf, size_t size, const wchar_t *format, ...)
{
    va_list ap;
    va_start(ap, format);
#ifdef _WIN32
    /* msvcrt's own formatting: MinGW's C99 formatter, which its headers pick
       for C++, is larger than the rest of the launcher. This one leaves the
       text unterminated when it fills the buffer, and says -1 when it is
       truncated. */
    int n = _vsnwprintf(buf, size - 1, format, ap);
    buf[size - 1] = L'\0';
#else
    int n = vswprintf(buf, size, format, ap);
    if (n < 0)
        buf[size - 1] = L'\0'; /* truncated: the C library says only that */
#endif
    va_end(ap);
    return n >= 0 && (size_t)n < size;
}

void Put(TextBuf *t, const wchar_t *s, size_t n)
{
    if (t->truncated || n >= t->size - t->len) {
        t->truncated = true;
        return;
    }
    wmemcpy(t->buf + t->len, s, n);
    t->len += n;
    t->buf[t->len] = L'\0';
}

void PutOwnText(TextBuf *t, StringId id, const wchar_t *const *inserts, size_t count)
{
    const wchar_t *text;
    size_t len = LoadText(id, &text);
    for (size_t i = 0; i < len; i++) {
        size_t n = i + 1 < len && text[i] == L'%' ? (size_t)(text[i + 1] - L'1') : count;
        if (n < count) {
            PutText(t, inserts[n]);
            i++;
        } else {
            PutChar(t, text[i]);
        }
    }
}

bool SameCaseBlind(const wchar_t *a, const wchar_t *b, size_t n)
{
    for (size_t i = 0; i < n; i++)
        if (a[i] != b[i] && UpperCase(a[i]) != UpperCase(b[i]))
            return false;
    return true;
}
