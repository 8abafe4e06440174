/*
 * Text in the system code page: decoding it, upper case by the system's
 * own table, and whether a name survives the best fit of the ANSI command
 * line whole.
 */
#include "launch/arguments.h"
#include "platform/win32.h"

size_t DecodeAnsi(const char *bytes, size_t n, wchar_t *units, size_t size)
{
    int got = n ? MultiByteToWideChar(CP_ACP, 0, bytes, (int)n, units, (int)size) : 0;
    return got > 0 ? (size_t)got : 0;
}

size_t EncodeAnsi(const WCHAR *units, size_t n, char *bytes, size_t size)
{
    /* A code page of UTF-8 holds all: the caller writes UTF-8 itself. */
    if (n == 0 || GetACP() == CP_UTF8)
        return 0;
    BOOL unheld = FALSE;
    int got = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, (int)n, bytes, (int)size,
                                  NULL, &unheld);
    return got > 0 && !unheld ? (size_t)got : 0;
}

wchar_t UpperCase(wchar_t c)
{
    /* KERNEL32's table, not USER32's CharUpperW: quick launch compares
       paths and loads no USER32. */
    WCHAR upper = c;
    LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, &c, 1, &upper, 1);
    return upper;
}

static bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByteEx(CP_ACP, byte);
}

bool AnsiKeepsArguments(const WCHAR *name)
{
    /* UTF-8 holds every character: nothing is fitted to another. */
    if (GetACP() == CP_UTF8)
        return true;
    for (const WCHAR *p = name; *p; p++) {
        if (*p < 0x80)
            continue;
        int n = IS_HIGH_SURROGATE(*p) && IS_LOW_SURROGATE(p[1]) ? 2 : 1;
        unsigned char bytes[ANSI_CHARACTER_SIZE];
        BOOL unheld = FALSE; /* the default character, ?, for one the code page cannot hold */
        int got = WideCharToMultiByte(CP_ACP, 0, p, n, reinterpret_cast<char *>(bytes),
                                      sizeof bytes, NULL, &unheld);
        if (got > 0 && !unheld && !AnsiBytesReadAlike(bytes, (size_t)got, IsAnsiLeadByte))
            return false;
        p += n - 1;
    }
    return true;
}
