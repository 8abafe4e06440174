/*
 * Starting a program from a command text. The command is started as it
 * stands; only where its program is named without a folder does the
 * launcher find the file itself, in Windows' own order less the current
 * folder: Explorer starts the launcher in the document's folder, and a
 * program lying there (a Downloads folder holds anything) must not run in
 * place of the one the list names. The started program's environment and
 * working folder are the launcher's own.
 */
#include "launch/command.h"
#include "platform/platform.h"

#include <wchar.h>

enum { PATH_SIZE = 32768 }; /* the longest environment variable, terminated */

/* The folders, separated by ';': the launcher's own, the system folder, the
   16-bit system folder and the Windows folder, each shorter than MAX_PATH,
   then PATH's. */
static WCHAR s_szFolders[4 * MAX_PATH + PATH_SIZE];

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
    WCHAR dir[MAX_PATH], windows[MAX_PATH];
    WCHAR *p = s_szFolders;
    DWORD n = GetModuleFileNameW(NULL, dir, MAX_PATH);
    const WCHAR *slash = n < MAX_PATH ? wcsrchr(dir, L'\\') : NULL;
    p = AddFolder(p, dir, slash ? (DWORD)(slash - dir) : 0);
    p = AddFolder(p, dir, GetSystemDirectoryW(dir, MAX_PATH));
    n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n > 0 && n + 7 < MAX_PATH) {
        wmemcpy(dir, windows, n);
        wmemcpy(dir + n, L"\\System", 7);
        p = AddFolder(p, dir, n + 7);
    }
    p = AddFolder(p, windows, n);
    n = GetEnvironmentVariableW(L"PATH", p, PATH_SIZE);
    if (n == 0 || n >= PATH_SIZE || KeepAbsoluteFolders(p) == 0) {
        /* No empty entry at the end: it could stand for the current folder. */
        if (p > s_szFolders)
            p--;
        *p = L'\0';
    }
    return s_szFolders;
}

bool StartCommand(WCHAR *command, bool waitUntilReady)
{
    WCHAR name[COMMAND_SIZE], found[MAX_PATH];
    const WCHAR *program = NULL; /* the platform reads it from the command */
    if (ProgramWithoutFolder(command, name)) {
        const WCHAR *folders = ProgramFolders();
        DWORD n =
            name[0] && folders[0] ? SearchPathW(folders, name, L".exe", MAX_PATH, found, NULL) : 0;
        if (n == 0 || n >= MAX_PATH) {
            SetLastError(ERROR_FILE_NOT_FOUND); /* as the platform's own search says */
            return false;
        }
        program = found;
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
