/*
 * Reading the tail: the launcher's own name passed over, the quick-launch
 * option, and whether the tail is several files.
 */
#include "launch/tail.h"

#include "launch/sizes.h"
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
    return const_cast<wchar_t *>(SkipBlanks(p));
}

bool ParseQuickOption(const wchar_t *tail, int *index, const wchar_t **rest)
{
    *rest = tail;
    if (tail[0] != L'-' || tail[1] != L'n')
        return false;
    const wchar_t *p = SkipBlanks(tail + 2);
    *rest = p;
    if (!IsAsciiDigit(*p))
        return false;
    int value = 0;
    bool fits = true;
    for (; IsAsciiDigit(*p); p++) {
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

/* Whether each name that the blanks of tail separate exists; false for
   fewer than two names, or one longer than any path. */
static bool AllExist(const wchar_t *tail, ExistsFn exists)
{
    wchar_t name[PATH_SIZE];
    size_t names = 0;
    for (const wchar_t *p = SkipBlanks(tail); *p; p = SkipBlanks(p)) {
        size_t n = 0;
        while (p[n] && !IsBlank(p[n]))
            n++;
        if (n >= PATH_SIZE)
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
