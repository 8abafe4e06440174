/*
 * The shell's view of a file, for the chooser's rows: a program's icon and
 * the texts of its version information (the name Windows shows it by), and
 * COM for the shell's objects. OLE32, SHELL32 and VERSION are loaded by
 * name when first needed: quick launch loads none of them.
 */
#include "launch/paths.h"
#include "launch/text.h"
#include "platform/win32.h"

#include <shellapi.h>
#include <shlobj.h>

bool ComReady(void)
{
    static int s_state; /* 0: not tried; 1: ready; -1: not to be had */
    if (s_state == 0) {
        auto init = LATE("ole32.dll", CoInitializeEx);
        s_state = init && SUCCEEDED(init(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))
                      ? 1
                      : -1;
    }
    return s_state > 0;
}

HRESULT NewObject(REFCLSID clsid, REFIID iid, void **object)
{
    auto create = LATE("ole32.dll", CoCreateInstance);
    *object = NULL;
    if (!ComReady() || !create)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    return create(clsid, NULL, CLSCTX_INPROC_SERVER, iid, object);
}

/* The shell's icon for the file, from where the shell says it is, drawn at
   size; else its icon at its own size, which drawing stretches. */
static HICON ShellIcon(const WCHAR *file, int size)
{
    auto info = LATE("shell32.dll", SHGetFileInfoW);
    SHFILEINFOW sfi = {};
    HICON icon = NULL;
    if (!ComReady() || !info)
        return NULL;
    if (info(file, 0, &sfi, sizeof sfi, SHGFI_ICONLOCATION) && sfi.szDisplayName[0] &&
        PrivateExtractIconsW(sfi.szDisplayName, sfi.iIcon, size, size, &icon, NULL, 1, 0) == 1 &&
        icon)
        return icon;
    UINT which = size > 16 ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    return info(file, 0, &sfi, sizeof sfi, SHGFI_ICON | which) ? sfi.hIcon : NULL;
}

HICON GenericProgramIcon(int size)
{
    /* Where the shell keeps its icon of a program, drawn at size: no file
       is opened for it, nor the shell's list of icons made (which takes
       longer than loading a row). */
    auto stock = LATE("shell32.dll", SHGetStockIconInfo);
    SHSTOCKICONINFO sii = {};
    sii.cbSize = sizeof sii;
    HICON icon = NULL;
    if (stock && SUCCEEDED(stock(SIID_APPLICATION, SHGSI_ICONLOCATION, &sii)) &&
        PrivateExtractIconsW(sii.szPath, sii.iIcon, size, size, &icon, NULL, 1, 0) == 1)
        return icon;
    return NULL;
}

HICON ProgramIcon(const WCHAR *file, int size)
{
    /* A program's own first icon, at the size asked (the shell names its
       own generic icon for every program on some systems); the generic one
       where the program has none. Other files: the shell's, which for a
       shortcut is the icon it names, or its target's, under the arrow. */
    if (IsProgramFile(file) && !IsBatchFile(file)) {
        HICON icon = NULL;
        UINT got = PrivateExtractIconsW(file, 0, size, size, &icon, NULL, 1, 0);
        if (got == 1 && icon)
            return icon;
        if (got == 0)
            return GenericProgramIcon(size);
    }
    return ShellIcon(file, size);
}

/* A text of version information in data, in its first language or else
   US English, into text (size characters); false for none, or only
   blanks. */
static bool TextOf(const void *data, const WCHAR *name, WCHAR *text, size_t size)
{
    auto query = LATE("version.dll", VerQueryValueW);
    WORD *lang;
    WCHAR *value, key[VERSION_KEY_SIZE];
    UINT n = 0;
    DWORD code = 0x040904B0;
    if (!query)
        return false;
    if (query(data, L"\\VarFileInfo\\Translation", reinterpret_cast<void **>(&lang), &n) && n >= 4)
        code = MAKELONG(lang[1], lang[0]);
    if (!FormatText(key, VERSION_KEY_SIZE, L"\\StringFileInfo\\%08lx\\%ls", (unsigned long)code,
                    name) ||
        !query(data, key, reinterpret_cast<void **>(&value), &n) || n == 0 || !*SkipBlanks(value))
        return false;
    /* Up to its terminator, within the value's n characters. */
    size_t limit = n < size - 1 ? n : size - 1;
    const WCHAR *end = wmemchr(value, L'\0', limit);
    size_t len = end ? (size_t)(end - value) : limit;
    TextBuf t;
    Put(OutStart(&t, text, size), value, len);
    return true;
}

bool VersionText(const WCHAR *file, const WCHAR *name, WCHAR *text, size_t size)
{
    auto getSize = LATE("version.dll", GetFileVersionInfoSizeW);
    auto getInfo = LATE("version.dll", GetFileVersionInfoW);
    DWORD handle = 0, bytes = getSize ? getSize(file, &handle) : 0;
    void *data = bytes && getInfo ? HeapAlloc(GetProcessHeap(), 0, bytes) : NULL;
    bool found = data && getInfo(file, 0, bytes, data) && TextOf(data, name, text, size);
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
    return found;
}
