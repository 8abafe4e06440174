/*
 * Byte-level text rules shared by the launch core: what a blank is, and
 * building text in fixed buffers without ever writing past them.
 */
#ifndef RUNVO_TEXT_H
#define RUNVO_TEXT_H

#include <stddef.h>

/* A blank is any byte from 1 to 32. Bytes from 128 up are never blanks,
   whatever the signedness of char. */
inline bool IsBlank(char c)
{
    unsigned char b = (unsigned char)c;
    return b >= 1 && b <= 32;
}

inline const char *SkipBlanks(const char *p)
{
    while (IsBlank(*p))
        p++;
    return p;
}

/* printf-style formatting into buf (size bytes in all), cut short rather
   than written past it and always terminated. Returns false if cut. */
bool FormatText(char *buf, size_t size, const char *format, ...);

/* Appends src to the NUL-terminated text in buf (size bytes in all), cutting
   it short rather than writing past the buffer. Returns false if cut. */
bool AppendText(char *buf, size_t size, const char *src);

#endif /* RUNVO_TEXT_H */
