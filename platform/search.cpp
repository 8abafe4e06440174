/*
 * Where the platform looks for a program: the launcher's own folder, the
 * system's folders and PATH's, read once; the names the Run box knows from
 * App Paths; the name a file found is shown by; and which places looking at
 * may wait on, which the chooser's rows keep out of. The registry (ADVAPI32)
 * is loaded only when a name is found nowhere else: quick launch of a file
 * named outright loads it not.
 */
#include "launch/entry.h"
#include "launch/search.h"
#include "launch/waits.h"
#include "platform/win32.h"

#include <wchar.h>

/* Where programs are looked for, read once: the environment does not change
   while the launcher looks. */
static ProgramSearchPath s_searchPath;
static WCHAR s_szPath[COMMAND_LINE_SIZE], s_szPathExt[PATHEXT_SIZE];

/* A folder that the platform names, and sub in it; "" when unknown or too
   long. */
static void Folder(UINT(WINAPI *get)(LPWSTR, UINT), const WCHAR *sub, WCHAR *dir)
{
    UINT n = get(dir, PATH_SIZE);
    if (!FitsPath(n)) {
        dir[0] = L'\0';
        return;
    }
    TextBuf t = {dir, PATH_SIZE, n, false};
    PutText(&t, sub);
    if (t.truncated)
        dir[0] = L'\0';
}

bool IsFile(const WCHAR *name)
{
    DWORD attributes = GetFileAttributesW(name);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* A variable into value (size characters); "" when it is not set or too long. */
static void VariableOrEmpty(const WCHAR *name, WCHAR *value, DWORD size)
{
    if (GetEnvironmentVariableW(name, value, size) >= size)
        value[0] = L'\0';
}

const ProgramSearchPath *ProgramSearch(void)
{
    ProgramSearchPath *w = &s_searchPath;
    if (w->path)
        return w;
    WCHAR *own = w->folders[OWN_FOLDER];
    DWORD n = GetModuleFileNameW(NULL, own, PATH_SIZE);
    WCHAR *slash = FitsPath(n) ? wcsrchr(own, L'\\') : NULL;
    *(slash ? slash + 1 : own) = L'\0'; /* a drive's root keeps its separator */
    Folder(GetSystemDirectoryW, L"", w->folders[SYSTEM_FOLDER]);
    Folder(GetWindowsDirectoryW, L"\\System", w->folders[SYSTEM16_FOLDER]);
    Folder(GetWindowsDirectoryW, L"", w->folders[WINDOWS_FOLDER]);
    /* There only for a 32-bit program on 64-bit Windows. */
    Folder(GetWindowsDirectoryW, L"\\Sysnative", w->sysnative);
    if (GetFileAttributesW(w->sysnative) == INVALID_FILE_ATTRIBUTES)
        w->sysnative[0] = L'\0';
    VariableOrEmpty(L"PATH", s_szPath, COMMAND_LINE_SIZE);
    VariableOrEmpty(L"PATHEXT", s_szPathExt, PATHEXT_SIZE);
    w->path = s_szPath;
    w->pathext = s_szPathExt;
    return w;
}

/* A name that the Run box finds under App Paths (the user's key before the
   machine's, the 64-bit view from both builds): its default value names the
   file, quoted or not, its variables expanded as an entry's; the file must
   exist. The key's Path value is left alone: Windows looks for a program's
   DLLs in its own folder first, where that value points, and the launcher
   changes nothing else of a program's environment. */
static Found AppPath(const WCHAR *name, WCHAR *file, bool noWaiting)
{
    const WCHAR *ext = ExtensionOf(name);
    WCHAR key[REGISTRY_KEY_SIZE], raw[PATH_SIZE], value[PATH_SIZE];
    if (!NamesNoFolder(name) || (ext && !EqualCaseBlind(ext, L".exe")))
        return NOT_FOUND;
    TextBuf t;
    PutText(OutStart(&t, key, REGISTRY_KEY_SIZE),
            L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");
    PutText(&t, name);
    PutText(&t, ext ? L"" : L".exe");
    if (t.truncated)
        return NOT_FOUND;
    const HKEY hives[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    for (HKEY hive : hives) {
        DWORD bytes = sizeof raw;
        const WCHAR *args;
        /* Expanded as entries are: %ProgramFiles% the 64-bit one. */
        DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND | RRF_SUBKEY_WOW6464KEY;
        if (RegistryRead(hive, key, NULL, types, raw, &bytes) != ERROR_SUCCESS)
            continue;
        ExpandEntry(OutStart(&t, value, PATH_SIZE), raw, GetVariable, NULL, NULL);
        if (t.truncated || !SplitEntry(value, file, PATH_SIZE, &args) || !IsFullPath(file))
            continue;
        if (noWaiting && FileMayWait(file))
            return WOULD_WAIT;
        if (FindFile(file, ProgramSearch(), IsFile))
            return FOUND;
    }
    return NOT_FOUND;
}

Found FindProgram(const WCHAR *name, WCHAR *found, bool noWaiting)
{
    Found f = FindProgramFile(name, ProgramSearch(), IsFile, noWaiting ? FileMayWait : NULL, found);
    return f != NOT_FOUND ? f : AppPath(name, found, noWaiting);
}

void ShowAsUsersSee(WCHAR *file)
{
    SysnativeToSystem32(file, ProgramSearch());
}

/* What kind a drive is: asked of the system once for the drive of the
   rows before, as the chooser asks for each row in view. */
static DriveKind KindOfDrive(const WCHAR *root)
{
    static WCHAR s_root[DRIVE_ROOT_SIZE];
    static DriveKind s_kind;
    if (_wcsicmp(root, s_root) != 0) {
        s_kind = static_cast<DriveKind>(GetDriveTypeW(root));
        wmemcpy(s_root, root, DRIVE_ROOT_SIZE);
    }
    return s_kind;
}

static FileAttributes AttributesOf(const WCHAR *path)
{
    return GetFileAttributesW(path);
}

bool FileMayWait(const WCHAR *path)
{
    const WCHAR *own = ProgramSearch()->folders[OWN_FOLDER];
    const WaitAsks asks = {KindOfDrive, AttributesOf, IsDrivePath(own) ? own[0] : L'\0'};
    return LookingMayWait(path, &asks);
}
