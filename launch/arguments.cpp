/*
 * Argument splitting, and quoting an argument so that it reads back whole.
 */
#include "launch/arguments.h"

const wchar_t *SplitStep(const wchar_t *p, Splitting *s, TextBuf *arg)
{
    size_t backslashes = 0;
    while (p[backslashes] == L'\\')
        backslashes++;
    if (p[backslashes] != L'"') {
        size_t n = backslashes ? backslashes : 1; /* they, or one other unit */
        if (arg)
            Put(arg, p, n);
        return p + n;
    }
    if (arg)
        PutRepeat(arg, L'\\', backslashes / 2);
    p += backslashes;
    if (backslashes % 2) {
        if (arg)
            PutChar(arg, L'"');
    } else if (s->quoted && p[1] == L'"') {
        s->ambiguous = true;
        if (arg)
            PutChar(arg, L'"');
        p++;
    } else {
        s->quoted = !s->quoted;
    }
    return p + 1;
}

Splitting SplitWhole(const wchar_t *text)
{
    Splitting s = {false, false};
    while (*text)
        text = SplitStep(text, &s, NULL);
    return s;
}

bool QuotesReadOneWay(const wchar_t *text)
{
    Splitting s = SplitWhole(text);
    return !s.ambiguous && !s.quoted;
}

const wchar_t *NextArgument(const wchar_t *p, TextBuf *arg)
{
    while (IsArgumentBlank(*p))
        p++;
    if (!*p)
        return NULL;
    Splitting s = {false, false};
    while (*p && (s.quoted || !IsArgumentBlank(*p)))
        p = SplitStep(p, &s, arg);
    return p;
}

void PutEscaped(TextBuf *out, const wchar_t *s, bool quoteFollows)
{
    size_t backslashes = TrailingBackslashes(out);
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

bool AnsiBytesReadAlike(const unsigned char *bytes, size_t n, bool (*isLead)(unsigned char))
{
    for (size_t i = 0; i < n; i++) {
        if (isLead(bytes[i]) && i + 1 < n)
            i++; /* the trail byte is no character of its own */
        else if (IsBlank(bytes[i]) || wcschr(L"\"\\*?", bytes[i]))
            return false;
    }
    return true;
}
