/*
 * The shell's view of a file, on the routes that need it: a shortcut read by
 * the shell's own shortcut object, and a program's icon and the name its
 * version information gives it, for the chooser's rows. OLE32, SHELL32 and
 * VERSION are loaded by name when first needed: quick launch of an entry
 * that names no shortcut loads none of them.
 */
#include "launch/text.h"
#include "platform/platform.h"

#include <shellapi.h>
#include <shlobj.h>

/* The shell's objects need COM in this thread, set up once. */
static bool ComReady(void)
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

bool ReadShortcut(const WCHAR *lnk, WCHAR *target, WCHAR *args, WCHAR *dir)
{
    auto create = LATE("ole32.dll", CoCreateInstance);
    IShellLinkW *link = NULL;
    IPersistFile *file = NULL;
    if (!ComReady() || !create ||
        FAILED(create(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                      reinterpret_cast<void **>(&link))))
        return false;
    target[0] = args[0] = dir[0] = L'\0';
    /* GetPath says S_FALSE, and gives "", for a target that is no file. */
    bool read =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Load(lnk, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, NULL, 0)) &&
        SUCCEEDED(link->GetArguments(args, SHORTCUT_ARGS_SIZE)) &&
        SUCCEEDED(link->GetWorkingDirectory(dir, MAX_PATH));
    if (file)
        file->Release();
    link->Release();
    return read;
}

HICON ProgramIcon(const WCHAR *file, int size)
{
    auto info = LATE("shell32.dll", SHGetFileInfoW);
    SHFILEINFOW sfi = {};
    if (!ComReady() || !info)
        return NULL;
    /* The icon drawn at the size asked, from where the shell says it is;
       else the shell's own icon, which drawing stretches. */
    HICON icon = NULL;
    if (info(file, 0, &sfi, sizeof sfi, SHGFI_ICONLOCATION) && sfi.szDisplayName[0] &&
        PrivateExtractIconsW(sfi.szDisplayName, sfi.iIcon, size, size, &icon, NULL, 1, 0) == 1 &&
        icon)
        return icon;
    UINT which = size > 16 ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    return info(file, 0, &sfi, sizeof sfi, SHGFI_ICON | which) ? sfi.hIcon : NULL;
}

/* The FileDescription of version information in data, in its first
   language or else US English. */
static bool Description(const void *data, WCHAR *name, size_t size)
{
    auto query = LATE("version.dll", VerQueryValueW);
    WORD *lang;
    WCHAR *text, key[64];
    UINT n = 0;
    DWORD code = 0x040904B0;
    if (!query)
        return false;
    if (query(data, L"\\VarFileInfo\\Translation", reinterpret_cast<void **>(&lang), &n) && n >= 4)
        code = MAKELONG(lang[1], lang[0]);
    FormatText(key, 64, L"\\StringFileInfo\\%08lx\\FileDescription", (unsigned long)code);
    if (!query(data, key, reinterpret_cast<void **>(&text), &n) || n == 0 || !*SkipBlanks(text))
        return false;
    size_t len = wcsnlen(text, n < size - 1 ? n : size - 1); /* up to its terminator */
    TextBuf t;
    Put(OutStart(&t, name, size), text, len);
    return true;
}

bool ProgramDescription(const WCHAR *file, WCHAR *name, size_t size)
{
    auto getSize = LATE("version.dll", GetFileVersionInfoSizeW);
    auto getInfo = LATE("version.dll", GetFileVersionInfoW);
    DWORD handle = 0, bytes = getSize ? getSize(file, &handle) : 0;
    void *data = bytes && getInfo ? HeapAlloc(GetProcessHeap(), 0, bytes) : NULL;
    bool found = data && getInfo(file, 0, bytes, data) && Description(data, name, size);
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
    return found;
}
