/*
 * Starting a program on Windows: the places the search looks in, the names
 * the Run box knows from App Paths, the command interpreter of the machine's
 * own kind, CreateProcessW, and the shell's elevation prompt. The registry
 * (ADVAPI32) and the shell (SHELL32) are loaded only when a name is not
 * found, or a program asks for administrator rights: quick launch loads
 * neither.
 */
#include "launch/arguments.h"
#include "launch/entry.h"
#include "launch/search.h"
#include "platform/platform.h"

#include <shellapi.h>
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
    if (n == 0 || n >= PATH_SIZE) {
        dir[0] = L'\0';
        return;
    }
    TextBuf t = {dir, PATH_SIZE, n, false};
    PutText(&t, sub);
    if (t.truncated)
        dir[0] = L'\0';
}

FileStamp FileStampOf(const WCHAR *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return FileStamp{{0, 0}, 0, 0};
    return FileStamp{data.ftLastWriteTime, data.nFileSizeLow, data.nFileSizeHigh};
}

bool SameStamp(const FileStamp &a, const FileStamp &b)
{
    return a.written.dwLowDateTime == b.written.dwLowDateTime &&
           a.written.dwHighDateTime == b.written.dwHighDateTime && a.sizeLow == b.sizeLow &&
           a.sizeHigh == b.sizeHigh;
}

static bool IsFile(const WCHAR *name)
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

static const ProgramSearchPath *ProgramSearch(void)
{
    ProgramSearchPath *w = &s_searchPath;
    if (w->path)
        return w;
    WCHAR *own = w->folders[0];
    DWORD n = GetModuleFileNameW(NULL, own, PATH_SIZE);
    WCHAR *slash = n > 0 && n < PATH_SIZE ? wcsrchr(own, L'\\') : NULL;
    *(slash ? slash + 1 : own) = L'\0'; /* a drive's root keeps its separator */
    Folder(GetSystemDirectoryW, L"", w->folders[1]);
    Folder(GetWindowsDirectoryW, L"\\System", w->folders[2]);
    Folder(GetWindowsDirectoryW, L"", w->folders[3]);
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
    const WCHAR *ext = wcsrchr(name, L'.');
    WCHAR key[REGISTRY_KEY_SIZE], raw[PATH_SIZE], value[PATH_SIZE];
    if (!NamesNoFolder(name) || (ext && _wcsicmp(ext, L".exe") != 0))
        return NOT_FOUND;
    TextBuf t;
    PutText(OutStart(&t, key, REGISTRY_KEY_SIZE),
            L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");
    PutText(&t, name);
    PutText(&t, ext ? L"" : L".exe");
    auto get = LATE("advapi32.dll", RegGetValueW);
    if (!get || t.truncated)
        return NOT_FOUND;
    const HKEY hives[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    for (HKEY hive : hives) {
        DWORD bytes = sizeof raw;
        const WCHAR *args;
        /* Expanded as entries are: %ProgramFiles% the 64-bit one. */
        DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND | RRF_SUBKEY_WOW6464KEY;
        if (get(hive, key, NULL, types, NULL, raw, &bytes) != ERROR_SUCCESS)
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
        unsigned char bytes[16];
        BOOL unheld = FALSE; /* the default character, ?, for one the code page cannot hold */
        int got = WideCharToMultiByte(CP_ACP, 0, p, n, reinterpret_cast<char *>(bytes),
                                      sizeof bytes, NULL, &unheld);
        if (got > 0 && !unheld && !AnsiBytesReadAlike(bytes, (size_t)got, IsAnsiLeadByte))
            return false;
        p += n - 1;
    }
    return true;
}

/* What kind a drive is: asked of the system once for the drive of the
   rows before, as the chooser asks for each row in view. */
static unsigned DriveType(const WCHAR *root)
{
    static WCHAR s_root[4];
    static unsigned s_type;
    if (_wcsicmp(root, s_root) != 0) {
        s_type = GetDriveTypeW(root);
        wmemcpy(s_root, root, 4); /* "C:\\" and its end */
    }
    return s_type;
}

static unsigned long Attributes(const WCHAR *path)
{
    return GetFileAttributesW(path);
}

bool FileMayWait(const WCHAR *path)
{
    const WCHAR *own = ProgramSearch()->folders[0];
    const WaitAsks asks = {DriveType, Attributes, own[0] && own[1] == L':' ? own[0] : L'\0'};
    return LookingMayWait(path, &asks);
}

bool ShortName(const WCHAR *name, WCHAR *shortName)
{
    DWORD n = GetShortPathNameW(name, shortName, PATH_SIZE);
    return n > 0 && n < PATH_SIZE;
}

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

/* A program of the system folder by its name into file (PATH_SIZE), the
   64-bit one's where the 32-bit launcher reaches it; 0, or why it is not
   found. */
static DWORD SystemProgram(const WCHAR *name, WCHAR *file)
{
    TextBuf t;
    PutText(OutStart(&t, file, PATH_SIZE), ProgramSearch()->folders[1]);
    PutChar(&t, L'\\');
    PutText(&t, name);
    if (t.truncated)
        return ERROR_FILENAME_EXCED_RANGE;
    /* Not found: GetFileAttributesW says why. */
    return FindFile(file, ProgramSearch(), IsFile) ? ERROR_SUCCESS : GetLastError();
}

DWORD StartInterpreter(WCHAR *command, bool wait, const WCHAR *dir)
{
    /* Its search for a batch file's own commands (python, say) looks in the
       current folder first unless this is set: set for it alone, as the
       launcher may yet start another program. */
    static const char noCurrent[] = "NoDefaultCurrentDirectoryInExePath";
    WCHAR file[PATH_SIZE];
    DWORD error = SystemProgram(L"cmd.exe", file);
    if (error)
        return error;
    bool set =
        GetEnvironmentVariableA(noCurrent, NULL, 0) == 0 && SetEnvironmentVariableA(noCurrent, "1");
    error = StartProgram(file, command, wait, dir);
    if (set)
        SetEnvironmentVariableA(noCurrent, NULL);
    return error;
}

DWORD OpenInNotepad(const WCHAR *document)
{
    WCHAR notepad[PATH_SIZE], command[2 * PATH_SIZE + 8];
    DWORD error = SystemProgram(L"notepad.exe", notepad);
    if (error)
        return error;
    TextBuf t;
    PutQuoted(OutStart(&t, command, 2 * PATH_SIZE + 8), notepad);
    PutChar(&t, L' ');
    PutQuoted(&t, document);
    return t.truncated ? ERROR_FILENAME_EXCED_RANGE : StartProgram(notepad, command, false, NULL);
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
    sei.lpDirectory = dir ? dir : n > 0 && n < PATH_SIZE ? cwd : NULL;
    sei.nShow = SW_SHOWNORMAL;
    auto execute = LATE("shell32.dll", ShellExecuteExW);
    if (!execute)
        return GetLastError(); /* shell32.dll's, not to be had */
    return execute(&sei) ? ERROR_SUCCESS : GetLastError();
}
