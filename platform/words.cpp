/*
 * The system's own words for an error number, as FormatMessageW gives them,
 * its line end left out; where it has none, the number itself.
 */
#include "launch/text.h"
#include "platform/win32.h"

#include <wchar.h>

/* A message may insert %1 to %99. */
enum { MESSAGE_INSERTS_MOST = 99 };

bool SystemWords(DWORD error, const WCHAR *insert, WCHAR *words, size_t size)
{
    /* Every insert (%1 and any other) names the same: messages of the
       system's use them for the file concerned. */
    DWORD_PTR inserts[MESSAGE_INSERTS_MOST];
    for (DWORD_PTR &each : inserts)
        each = reinterpret_cast<DWORD_PTR>(insert ? insert : L"");
    if (!FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY, NULL, error, 0,
                        words, (DWORD)size, reinterpret_cast<va_list *>(inserts)))
        return false;
    size_t n = wcslen(words);
    while (n > 0 && IsBlank(words[n - 1]))
        words[--n] = L'\0';
    return true;
}

void ErrorWords(DWORD error, const WCHAR *insert, WCHAR *words, size_t size)
{
    if (!SystemWords(error, insert, words, size))
        FormatText(words, size, L"error %lu.", (unsigned long)error);
}

DWORD ErrorOf(HRESULT hr)
{
    if (SUCCEEDED(hr))
        return ERROR_SUCCESS;
    return HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : (DWORD)hr;
}
