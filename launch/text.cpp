/*
 * Building text in the launcher's fixed buffers, bounded.
 */
#include "launch/text.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

bool FormatText(char *buf, size_t size, const char *format, ...)
{
    va_list ap;
    va_start(ap, format);
#ifdef _WIN32
    /* msvcrt's own formatting: MinGW's C99 formatter, which its headers pick
       for C++, is larger than the rest of the launcher. This one leaves the
       text unterminated when it fills the buffer, and says -1 when cut. */
    int n = _vsnprintf(buf, size - 1, format, ap);
    buf[size - 1] = '\0';
#else
    int n = vsnprintf(buf, size, format, ap);
#endif
    va_end(ap);
    return n >= 0 && (size_t)n < size;
}

bool AppendText(char *buf, size_t size, const char *src)
{
    size_t used = strnlen(buf, size);
    if (used >= size)
        return false; /* no terminator: nothing can be added safely */
    size_t room = size - 1 - used;
    size_t len = strlen(src);
    bool whole = len <= room;
    if (!whole)
        len = room;
    memcpy(buf + used, src, len);
    buf[used + len] = '\0';
    return whole;
}
