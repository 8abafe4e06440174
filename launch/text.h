/*
 * Text rules shared by the launch core: what a blank is, and building text in
 * fixed buffers without ever writing past them. List lines are bytes in the
 * system code page; the tail, the commands and the status texts are UTF-16
 * (wchar_t), so that a document's name reaches its program whatever its
 * script. Lengths count their characters (UTF-16 code units on Windows).
 */
#ifndef RUNVO_TEXT_H
#define RUNVO_TEXT_H

#include "launch/texts.h"

#include <stddef.h>
#include <wchar.h>

#include <type_traits>

#ifndef _WIN32
#define _wcsicmp wcscasecmp /* the C library's names for msvcrt's */
#define _wcsnicmp wcsncasecmp
#endif

/* A blank is any unit from 1 to 32. Units from 128 up are never blanks,
   whatever the signedness of the type. */
template <class Ch>
inline bool IsBlank(Ch c)
{
    typename std::make_unsigned<Ch>::type u = c;
    return u >= 1 && u <= 32;
}

/* The letters and digits of ASCII alone, as names of commands, variables
   and schemes have them, whatever the locale. */
inline bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

inline bool IsAsciiDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

/* Whether n units of a and b are the same text, upper and lower case alike,
   by the system's own table (any script), as Windows compares file names. */
bool SameCaseBlind(const wchar_t *a, const wchar_t *b, size_t n);

/* The same for two whole texts. */
inline bool EqualCaseBlind(const wchar_t *a, const wchar_t *b)
{
    size_t n = wcslen(a);
    return n == wcslen(b) && SameCaseBlind(a, b, n);
}

inline const wchar_t *SkipBlanks(const wchar_t *p)
{
    while (IsBlank(*p))
        p++;
    return p;
}

/* printf-style formatting into buf (size characters in all), truncated rather
   than written past it and always terminated. Returns false if truncated.
   %ls stands for a text of wchar_t. */
bool FormatText(wchar_t *buf, size_t size, const wchar_t *format, ...);

/* Text written unit by unit into a fixed buffer, kept terminated. What does
   not fit is left out and marks the text truncated: a truncated command is
   never started. */
struct TextBuf {
    wchar_t *buf;
    size_t size, len;
    bool truncated;
};

inline TextBuf *OutStart(TextBuf *t, wchar_t *buf, size_t size)
{
    *t = TextBuf{buf, size, 0, false};
    buf[0] = L'\0';
    return t;
}

void Put(TextBuf *t, const wchar_t *s, size_t n);

inline void PutText(TextBuf *t, const wchar_t *s)
{
    Put(t, s, wcslen(s));
}

inline void PutChar(TextBuf *t, wchar_t c)
{
    Put(t, &c, 1);
}

inline void PutRepeat(TextBuf *t, wchar_t c, size_t n)
{
    while (n--)
        PutChar(t, c);
}

/* How many backslashes the text ends with: a quote put next is escaped by
   an odd number of them. */
inline size_t TrailingBackslashes(const TextBuf *t)
{
    size_t n = 0;
    while (n < t->len && t->buf[t->len - n - 1] == L'\\')
        n++;
    return n;
}

/* A text of Runvo's own (launch/texts.h), with each %1 to %9 in it replaced
   by inserts[0] to inserts[8] (count of them; a number past them stays as
   it is written). */
void PutOwnText(TextBuf *t, StringId id, const wchar_t *const *inserts = NULL, size_t count = 0);

/* The same with one insert. */
inline void PutOwnText(TextBuf *t, StringId id, const wchar_t *insert)
{
    PutOwnText(t, id, &insert, 1);
}

#endif /* RUNVO_TEXT_H */
