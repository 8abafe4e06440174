/*
 * The shell's view of a file, on the routes that need it: a shortcut read by
 * the shell's own shortcut object, and a program's icon and the name its
 * version information gives it, for the chooser's rows. OLE32, SHELL32,
 * VERSION and MSI are loaded by name when first needed: quick launch of an
 * entry that names no shortcut loads none of them.
 */
#include "launch/search.h"
#include "launch/text.h"
#include "platform/platform.h"

#include <msi.h>
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

/* An installer's advertised shortcut names the product's feature and
   component, not a file: the path that GetPath gives is only its icon's.
   The program is the component's file where the feature is installed on
   this PC; asked of no other state, as that would have the installer put
   the product in place. msi.dll is loaded only for such a shortcut. */
static void AdvertisedTarget(const WCHAR *lnk, WCHAR *target)
{
    auto shortcutTarget = LATE("msi.dll", MsiGetShortcutTargetW);
    auto featureState = LATE("msi.dll", MsiQueryFeatureStateW);
    auto componentPath = LATE("msi.dll", MsiGetComponentPathW);
    WCHAR product[39], feature[MAX_FEATURE_CHARS + 1], component[39];
    DWORD n = PATH_SIZE;
    target[0] = L'\0';
    if (!shortcutTarget || !featureState || !componentPath ||
        shortcutTarget(lnk, product, feature, component) != ERROR_SUCCESS ||
        featureState(product, feature) != INSTALLSTATE_LOCAL)
        return;
    if (componentPath(product, component, target, &n) != INSTALLSTATE_LOCAL)
        target[0] = L'\0';
}

/* The shortcut object's fields, once it is loaded. */
static ShortcutRead ReadFields(IShellLinkW *link, const WCHAR *lnk, WCHAR *target, WCHAR *args,
                               WCHAR *dir)
{
    /* GetPath says S_FALSE, and gives "", for a target that is no file. */
    if (FAILED(link->GetPath(target, PATH_SIZE, NULL, 0)) ||
        (args && FAILED(link->GetArguments(args, COMMAND_LINE_SIZE))) ||
        FAILED(link->GetWorkingDirectory(dir, PATH_SIZE)))
        return SHORTCUT_UNREADABLE;
    IShellLinkDataList *data = NULL;
    DWORD flags = 0;
    if (SUCCEEDED(link->QueryInterface(IID_IShellLinkDataList, reinterpret_cast<void **>(&data)))) {
        data->GetFlags(&flags);
        data->Release();
    }
    if (flags & SLDF_HAS_DARWINID)
        AdvertisedTarget(lnk, target);
    /* GetArguments truncates what does not fit, without saying so. */
    return args && wcslen(args) >= COMMAND_LINE_SIZE - 1 ? SHORTCUT_TOO_LONG : SHORTCUT_READ;
}

ShortcutRead ReadShortcut(const WCHAR *lnk, WCHAR *target, WCHAR *args, WCHAR *dir)
{
    auto create = LATE("ole32.dll", CoCreateInstance);
    IShellLinkW *link = NULL;
    IPersistFile *file = NULL;
    target[0] = dir[0] = L'\0';
    if (args)
        args[0] = L'\0';
    if (!ComReady() || !create ||
        FAILED(create(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                      reinterpret_cast<void **>(&link))))
        return SHORTCUT_UNREADABLE;
    ShortcutRead read = SHORTCUT_UNREADABLE;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Load(lnk, STGM_READ)))
        read = ReadFields(link, lnk, target, args, dir);
    if (file)
        file->Release();
    link->Release();
    return read;
}

DWORD WriteShortcut(const WCHAR *lnk, const WCHAR *target, const WCHAR *dir)
{
    auto create = LATE("ole32.dll", CoCreateInstance);
    IShellLinkW *link = NULL;
    IPersistFile *file = NULL;
    if (!ComReady() || !create)
        return ERROR_PROC_NOT_FOUND;
    HRESULT hr = create(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                        reinterpret_cast<void **>(&link));
    if (FAILED(hr))
        return (DWORD)hr;
    if (SUCCEEDED(hr = link->SetPath(target)) && SUCCEEDED(hr = link->SetWorkingDirectory(dir)) &&
        SUCCEEDED(hr = link->SetIconLocation(target, 0)) &&
        SUCCEEDED(hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))))
        hr = file->Save(lnk, TRUE);
    if (file)
        file->Release();
    link->Release();
    /* A system error comes back as itself; any other as the HRESULT, which
       the system's messages name too. */
    return FAILED(hr) ? (HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : (DWORD)hr)
                      : ERROR_SUCCESS;
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
       where the program has none. Shortcuts and other files: the shell's. */
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
