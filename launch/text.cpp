/*
 * Building text in the launcher's fixed buffers, bounded.
 */
#include "launch/text.h"

#include <stdarg.h>
#include <wchar.h>

bool FormatText(wchar_t *buf, size_t size, const wchar_t *format, ...)
{
    va_list ap;
    va_start(ap, format);
#ifdef _WIN32
    /* msvcrt's own formatting: MinGW's C99 formatter, which its headers pick
       for C++, is larger than the rest of the launcher. This one leaves the
       text unterminated when it fills the buffer, and says -1 when cut. */
    int n = _vsnwprintf(buf, size - 1, format, ap);
    buf[size - 1] = L'\0';
#else
    int n = vswprintf(buf, size, format, ap);
    if (n < 0)
        buf[size - 1] = L'\0'; /* cut: the C library says only that */
#endif
    va_end(ap);
    return n >= 0 && (size_t)n < size;
}

bool AppendText(wchar_t *buf, size_t size, const wchar_t *src)
{
    size_t used = 0;
    while (used < size && buf[used]) /* wcsnlen, which msvcrt.dll lacks */
        used++;
    if (used >= size)
        return false; /* no terminator: nothing can be added safely */
    size_t room = size - 1 - used;
    size_t len = wcslen(src);
    bool whole = len <= room;
    if (!whole)
        len = room;
    wmemcpy(buf + used, src, len);
    buf[used + len] = L'\0';
    return whole;
}
