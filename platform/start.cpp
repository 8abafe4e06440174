/*
 * Starting a program from a command text. The launcher finds the program's
 * file itself and names it to the platform, so that nothing is taken from
 * the current folder: Explorer starts the launcher in the document's folder,
 * and a program lying there (a Downloads folder holds anything) must not run
 * in place of the one the list names.
 *  - A name without a folder is looked for in Windows' order, less the
 *    current folder and PATH's folders found from it.
 *  - A name with a folder that is not a full path is taken from the
 *    launcher's own folder, where its list lies.
 *  - A batch file is run by the command interpreter by its full path.
 *  - The 32-bit launcher on 64-bit Windows sees a 32-bit system folder: a
 *    program that is found only in the 64-bit one, by its name or its path
 *    there, is started from there (as Sysnative).
 * The started program's environment and working folder are the launcher's.
 */
#include "launch/command.h"
#include "platform/platform.h"

#include <wchar.h>

enum {
    PATH_SIZE = 32768,  /* the longest environment variable, terminated */
    SEARCH_MAX = 32766, /* the longest list of folders that the search takes:
                           a counted string, of 16-bit byte lengths */
    BATCH_SIZE = 2 * MAX_PATH + 2 * COMMAND_SIZE + 16
};

static WCHAR s_szPath[PATH_SIZE];
static WCHAR s_szFolders[SEARCH_MAX + 1];

/* The launcher's own folder, with a separator at its end (so that a drive's
   root stays one); empty when its path is unknown. */
static void OwnFolder(WCHAR *dir)
{
    DWORD n = GetModuleFileNameW(NULL, dir, MAX_PATH);
    WCHAR *slash = n > 0 && n < MAX_PATH ? wcsrchr(dir, L'\\') : NULL;
    if (slash)
        slash[1] = L'\0';
    else
        dir[0] = L'\0';
}

/* A folder that the platform names (the system folder, the Windows folder),
   or a file or folder in it, into path (MAX_PATH units). Returns its length;
   0 when it is unknown or does not fit. */
static DWORD PlatformPath(UINT(WINAPI *folder)(LPWSTR, UINT), const WCHAR *name, WCHAR *path)
{
    DWORD n = folder(path, MAX_PATH), len = (DWORD)wcslen(name);
    if (n == 0 || n + 1 + len >= MAX_PATH)
        return 0;
    if (len > 0) {
        path[n++] = L'\\';
        wmemcpy(path + n, name, len + 1);
    }
    return n + len;
}

/* Appends a folder and a separator at p; one that is unknown (0) or did not
   fit (MAX_PATH or more) adds nothing. */
static WCHAR *AddFolder(WCHAR *p, const WCHAR *folder, DWORD len)
{
    if (len == 0 || len >= MAX_PATH)
        return p;
    wmemcpy(p, folder, len);
    p[len] = L';';
    return p + len + 1;
}

/* Where Windows looks for a program named without a folder, in its order,
   less the current folder and those of PATH's folders found from it. */
static const WCHAR *ProgramFolders(void)
{
    WCHAR dir[MAX_PATH];
    WCHAR *p = s_szFolders;
    OwnFolder(dir);
    p = AddFolder(p, dir, (DWORD)wcslen(dir));
    p = AddFolder(p, dir, PlatformPath(GetSystemDirectoryW, L"", dir));
    p = AddFolder(p, dir, PlatformPath(GetWindowsDirectoryW, L"System", dir));
    p = AddFolder(p, dir, PlatformPath(GetWindowsDirectoryW, L"", dir));
    DWORD n = GetEnvironmentVariableW(L"PATH", s_szPath, PATH_SIZE);
    size_t kept = 0;
    if (n > 0 && n < PATH_SIZE) {
        /* What of PATH fits the search. */
        kept = KeepAbsoluteFolders(s_szPath, (size_t)(s_szFolders + SEARCH_MAX - p));
        wmemcpy(p, s_szPath, kept);
        p += kept;
    }
    /* No empty entry at the end: it could stand for the current folder. */
    if (kept == 0 && p > s_szFolders)
        p--;
    *p = L'\0';
    return s_szFolders;
}

/* Looks for a file in the folders (NULL: where a full path points), with
   .exe added to a name without an extension, as the platform would start
   it. */
static bool Search(const WCHAR *folders, const WCHAR *name, WCHAR *found)
{
    DWORD n = SearchPathW(folders, name, L".exe", MAX_PATH, found, NULL);
    return n > 0 && n < MAX_PATH;
}

/* The 32-bit launcher on 64-bit Windows sees a 32-bit system folder in
   place of the 64-bit one, which it reaches as Sysnative: turns a file in
   the system folder into that form, in place (MAX_PATH units). */
static bool InSysnative(WCHAR *file)
{
    WCHAR system[MAX_PATH];
    DWORD n = GetSystemDirectoryW(system, MAX_PATH);
    WCHAR *last = n > 0 && n < MAX_PATH ? wcsrchr(system, L'\\') : NULL;
    if (!last || _wcsnicmp(file, system, n) != 0 || file[n] != L'\\')
        return false;
    size_t len = wcslen(file), at = (size_t)(last + 1 - system);
    if (len - (n - at) + 9 >= MAX_PATH)
        return false;
    wmemmove(file + at + 9, file + n, len - n + 1);
    wmemcpy(file + at, L"Sysnative", 9);
    return true;
}

/* The file to start for the program that a command names, into found
   (MAX_PATH units): found the usual way, or else in the 64-bit system
   folder. */
static bool FindProgram(const WCHAR *name, WCHAR *found)
{
    WCHAR file[MAX_PATH];
    if (!name[0])
        return false;
    if (NamesNoFolder(name)) {
        const WCHAR *folders = ProgramFolders();
        if (folders[0] && Search(folders, name, found))
            return true;
        if (!PlatformPath(GetSystemDirectoryW, name, file))
            return false;
    } else {
        WCHAR own[MAX_PATH];
        OwnFolder(own);
        if (!ProgramFile(name, own, file, MAX_PATH))
            return false;
        if (Search(NULL, file, found))
            return true;
    }
    return InSysnative(file) && Search(NULL, file, found);
}

bool StartCommand(WCHAR *command, bool waitUntilReady)
{
    WCHAR name[COMMAND_SIZE], found[MAX_PATH];
    const WCHAR *rest = ProgramName(command, name);
    if (!FindProgram(name, found)) {
        SetLastError(ERROR_FILE_NOT_FOUND); /* as the platform's own search says */
        return false;
    }
    const WCHAR *program = found;
    WCHAR interpreter[MAX_PATH], batch[BATCH_SIZE];
    if (IsBatchFile(found)) {
        if (!PlatformPath(GetSystemDirectoryW, L"cmd.exe", interpreter) ||
            !BatchCommand(batch, BATCH_SIZE, interpreter, found, rest)) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return false;
        }
        program = interpreter;
        command = batch;
    }
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(program, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    if (waitUntilReady)
        WaitForInputIdle(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}
