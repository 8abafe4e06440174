/*
 * Runvo's own texts, from the program's string table, where the resource
 * script puts them in UTF-16.
 */
#include "platform/win32.h"

size_t LoadText(StringId id, const WCHAR **text)
{
    /* A buffer size of 0 gives the string table's own units, read-only. */
    int n = LoadStringW(GetModuleHandleW(NULL), (UINT)id, reinterpret_cast<LPWSTR>(text), 0);
    return n > 0 ? (size_t)n : 0;
}
