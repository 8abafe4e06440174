/*
 * Text rules shared by the launch core: what a blank is, and building text in
 * fixed buffers without ever writing past them. List lines are bytes in the
 * system code page; the tail, the commands and the status texts are UTF-16
 * (wchar_t), so that a document's name reaches its program whatever its
 * script. Lengths count the units of their type.
 */
#ifndef RUNVO_TEXT_H
#define RUNVO_TEXT_H

#include <stddef.h>
#include <wchar.h>

#include <type_traits>

#ifndef _WIN32
#define _wcsicmp wcscasecmp /* the C library's name for msvcrt's */
#endif

/* A blank is any unit from 1 to 32. Units from 128 up are never blanks,
   whatever the signedness of the type. */
template <class Ch>
inline bool IsBlank(Ch c)
{
    typename std::make_unsigned<Ch>::type u = c;
    return u >= 1 && u <= 32;
}

inline const wchar_t *SkipBlanks(const wchar_t *p)
{
    while (IsBlank(*p))
        p++;
    return p;
}

/* printf-style formatting into buf (size units in all), cut short rather
   than written past it and always terminated. Returns false if cut. %ls
   stands for a text of wchar_t. */
bool FormatText(wchar_t *buf, size_t size, const wchar_t *format, ...);

/* Appends src to the NUL-terminated text in buf (size units in all), cutting
   it short rather than writing past the buffer. Returns false if cut. */
bool AppendText(wchar_t *buf, size_t size, const wchar_t *src);

#endif /* RUNVO_TEXT_H */
