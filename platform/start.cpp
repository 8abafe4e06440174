/*
 * Starting a program on Windows: CreateProcessW, the command interpreter of
 * the machine's own kind, Notepad for the list file, and the shell's
 * elevation prompt (SHELL32, loaded only when a program asks for
 * administrator rights: quick launch loads it not); and the environment's
 * variables that entries name.
 */
#include "launch/arguments.h"
#include "launch/search.h"
#include "platform/win32.h"

#include <shellapi.h>
#include <wchar.h>

size_t GetVariable(const WCHAR *name, WCHAR *value, size_t size)
{
    return GetEnvironmentVariableW(name, value, (DWORD)size);
}

DWORD StartProgram(const WCHAR *file, WCHAR *command, bool wait, const WCHAR *dir)
{
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(file, command, NULL, NULL, FALSE, 0, NULL, dir, &si, &pi))
        return GetLastError();
    if (wait)
        WaitForInputIdle(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ERROR_SUCCESS;
}

/* A program of the system's folder (SYSTEM_FOLDER, WINDOWS_FOLDER) by its
   name into file (PATH_SIZE), the 64-bit one's where the 32-bit launcher
   reaches it; 0, or why it is not found. */
static DWORD SystemProgram(SearchedFolder folder, const WCHAR *name, WCHAR *file)
{
    TextBuf t;
    PutText(OutStart(&t, file, PATH_SIZE), ProgramSearch()->folders[folder]);
    PutChar(&t, L'\\');
    PutText(&t, name);
    if (t.truncated)
        return ERROR_FILENAME_EXCED_RANGE;
    if (FindFile(file, ProgramSearch(), IsFile))
        return ERROR_SUCCESS;
    /* Why it is not there, as the system says of the file itself. */
    return GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES ? GetLastError()
                                                               : ERROR_FILE_NOT_FOUND;
}

DWORD StartInterpreter(WCHAR *command, bool wait, const WCHAR *dir)
{
    /* Its search for a batch file's own commands (python, say) looks in the
       current folder first unless this is set: set for it alone, as the
       launcher may yet start another program. */
    static const char noCurrent[] = "NoDefaultCurrentDirectoryInExePath";
    WCHAR file[PATH_SIZE];
    DWORD error = SystemProgram(SYSTEM_FOLDER, L"cmd.exe", file);
    if (error)
        return error;
    bool set =
        GetEnvironmentVariableA(noCurrent, NULL, 0) == 0 && SetEnvironmentVariableA(noCurrent, "1");
    error = StartProgram(file, command, wait, dir);
    if (set)
        SetEnvironmentVariableA(noCurrent, NULL);
    return error;
}

/* Starts a program of the system's with a path: "program" option"path",
   in the folder dir (NULL: the launcher's); 0 or the error. */
static DWORD StartWithPath(SearchedFolder folder, const WCHAR *name, const WCHAR *option,
                           const WCHAR *path, const WCHAR *dir)
{
    WCHAR program[PATH_SIZE], command[SYSTEM_COMMAND_SIZE];
    DWORD error = SystemProgram(folder, name, program);
    if (error)
        return error;
    TextBuf t;
    PutQuoted(OutStart(&t, command, SYSTEM_COMMAND_SIZE), program);
    PutChar(&t, L' ');
    PutText(&t, option);
    PutQuoted(&t, path);
    return t.truncated ? ERROR_FILENAME_EXCED_RANGE : StartProgram(program, command, false, dir);
}

DWORD OpenInNotepad(const WCHAR *document)
{
    /* Its Open and Save As begin in the list's folder, not in the one the
       launcher was started in (a document's). */
    WCHAR dir[PATH_SIZE];
    return StartWithPath(SYSTEM_FOLDER, L"notepad.exe", L"", document, FolderOf(document, dir));
}

DWORD ShowInFolder(const WCHAR *file)
{
    return StartWithPath(WINDOWS_FOLDER, L"explorer.exe", L"/select,", file, NULL);
}

DWORD ElevateProgram(const WCHAR *file, const WCHAR *parameters, const WCHAR *dir)
{
    WCHAR cwd[PATH_SIZE];
    DWORD n = dir ? 0 : GetCurrentDirectoryW(PATH_SIZE, cwd);
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof sei;
    /* No error boxes of the shell's; done before the launcher ends. */
    sei.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    sei.lpVerb = L"runas";
    sei.lpFile = file;
    sei.lpParameters = parameters;
    sei.lpDirectory = dir ? dir : FitsPath(n) ? cwd : NULL;
    sei.nShow = SW_SHOWNORMAL;
    auto execute = LATE("shell32.dll", ShellExecuteExW);
    if (!execute)
        return ERROR_PROC_NOT_FOUND; /* shell32.dll's, not to be had */
    return execute(&sei) ? ERROR_SUCCESS : GetLastError();
}
