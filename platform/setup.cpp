/*
 * The places that set-up writes, for the current user: Runvo.lnk in the
 * Send To folder, and under HKCU\Software\Classes the keys by which Open
 * with offers the program for every file type (Applications\<name> with its
 * open command and FriendlyAppName, and *\OpenWithList\<name>); and what
 * set-up asks of files: whether two paths name one file, whether a file is
 * Runvo, whether this copy runs from a temporary folder. The registry's
 * functions and the shell's are loaded by name: only set-up and the
 * chooser's menu need them.
 */
#include "launch/entry.h"
#include "launch/search.h"
#include "launch/setup.h"
#include "launch/text.h"
#include "platform/win32.h"

#include <shlobj.h>
#include <wchar.h>

/* Runvo.lnk in the user's Send To folder, into lnk (PATH_SIZE); 0 or the
   error. */
static DWORD SendToShortcut(WCHAR *lnk)
{
    auto known = LATE("shell32.dll", SHGetKnownFolderPath);
    auto release = LATE("ole32.dll", CoTaskMemFree);
    PWSTR folder = NULL;
    if (!known || !release)
        return ERROR_PROC_NOT_FOUND;
    HRESULT hr = known(FOLDERID_SendTo, 0, NULL, &folder);
    if (FAILED(hr))
        return (DWORD)hr;
    TextBuf t;
    PutText(OutStart(&t, lnk, PATH_SIZE), folder);
    PutText(&t, L"\\Runvo.lnk");
    release(folder);
    return t.truncated ? ERROR_FILENAME_EXCED_RANGE : ERROR_SUCCESS;
}

/* A key under Software\Classes: prefix, the program's name, suffix. */
static bool ClassesKey(WCHAR *key, const WCHAR *prefix, const WCHAR *exeName, const WCHAR *suffix)
{
    TextBuf t;
    PutText(OutStart(&t, key, PATH_SIZE), L"Software\\Classes\\");
    PutText(&t, prefix);
    PutText(&t, exeName);
    PutText(&t, suffix);
    return !t.truncated;
}

static const WCHAR s_applications[] = L"Applications\\", s_openWithList[] = L"*\\OpenWithList\\",
                   s_command[] = L"\\shell\\open\\command";

/* A place as it is before it is read: empty. Field by field: an
   initializer would be a template of the whole record in the program. */
static void ClearPlace(SetUpState *place)
{
    place->program[0] = L'\0';
    place->foreign = false;
    place->holder = HOLDER_NONE;
    place->step = STEP_NONE;
    place->error = 0;
}

/* The key's own name under the hive, into name (PATH_SIZE): a place
   that is named by its key. */
static void PutKeyName(WCHAR *name, HKEY hive, const WCHAR *key)
{
    TextBuf t;
    PutText(OutStart(&t, name, PATH_SIZE),
            hive == HKEY_LOCAL_MACHINE ? L"HKEY_LOCAL_MACHINE\\" : L"HKEY_CURRENT_USER\\");
    PutText(&t, key);
}

/* The program of the open command of Applications\<name> under the hive's
   classes, read as an entry's program is (its quotes), into place's program
   ("" for none). A command longer than any set-up writes is another
   program's: the key is named, as foreign. False when the key is not there
   at all. */
static bool ReadOpenCommand(HKEY hive, const WCHAR *exeName, SetUpState *place)
{
    WCHAR key[PATH_SIZE], command[COMMAND_SIZE];
    const WCHAR *args;
    auto get = LATE("advapi32.dll", RegGetValueW);
    auto open = LATE("advapi32.dll", RegOpenKeyExW);
    auto close = LATE("advapi32.dll", RegCloseKey);
    HKEY h;
    place->program[0] = L'\0';
    if (!get || !open || !close || !ClassesKey(key, s_applications, exeName, L"") ||
        open(hive, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    close(h);
    DWORD bytes = sizeof command;
    LONG read = ClassesKey(key, s_applications, exeName, s_command)
                    ? get(hive, key, NULL, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                          NULL, command, &bytes)
                    : ERROR_FILE_NOT_FOUND;
    if (read == ERROR_MORE_DATA) {
        PutKeyName(place->program, hive, key);
        place->foreign = true;
    } else if (read != ERROR_SUCCESS || !SplitEntry(command, place->program, PATH_SIZE, &args)) {
        place->program[0] = L'\0';
    }
    return true;
}

/* The machine's own Applications\<name> key, where it is another
   program's: that program (or the key) is the place's, as foreign. Read on
   its own: the classes that programs see merge the user's over it, and
   would show Runvo's own key as if it were the machine's. */
static void ReadMachineKey(const WCHAR *exeName, const WCHAR *exe, SetUpState *place)
{
    SetUpState machine;
    ClearPlace(&machine);
    WCHAR key[PATH_SIZE];
    if (!ReadOpenCommand(HKEY_LOCAL_MACHINE, exeName, &machine))
        return;
    /* An administrator's set-up of Runvo for every user is Runvo's. */
    if (!machine.foreign && machine.program[0] &&
        (SameFile(machine.program, exe) || IsRunvo(machine.program)))
        return;
    *place = machine;
    place->foreign = true;
    if (!place->program[0] && ClassesKey(key, s_applications, exeName, L""))
        PutKeyName(place->program, HKEY_LOCAL_MACHINE, key);
}

void ReadSetUpPlaces(const WCHAR *exe, const WCHAR *exeName, SetUpAction action, SetUpState *places)
{
    WCHAR lnk[PATH_SIZE], dir[PATH_SIZE];
    for (int i = 0; i < PLACE_COUNT; i++)
        ClearPlace(&places[i]);
    SetUpState &sendTo = places[PLACE_SEND_TO], &openWith = places[PLACE_OPEN_WITH];
    if (SendToShortcut(lnk) == ERROR_SUCCESS && PathExists(lnk) &&
        (ReadShortcut(lnk, sendTo.program, NULL, dir) != SHORTCUT_READ || !sendTo.program[0])) {
        wcscpy(sendTo.program, lnk); /* no shortcut, or one to no file */
        sendTo.foreign = true;
    }
    ReadOpenCommand(HKEY_CURRENT_USER, exeName, &openWith);
    if (action == SETUP_ADD)
        ReadMachineKey(exeName, exe, &openWith);
}

/* Sets a value of text under HKCU, making its key; 0 or the error. */
static DWORD SetText(const WCHAR *key, const WCHAR *name, const WCHAR *value)
{
    auto create = LATE("advapi32.dll", RegCreateKeyExW);
    auto set = LATE("advapi32.dll", RegSetValueExW);
    auto close = LATE("advapi32.dll", RegCloseKey);
    HKEY h;
    if (!create || !set || !close)
        return ERROR_PROC_NOT_FOUND;
    LONG error = create(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_SET_VALUE, NULL, &h, NULL);
    if (error != ERROR_SUCCESS)
        return (DWORD)error;
    if (value)
        error = set(h, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                    (DWORD)((wcslen(value) + 1) * sizeof(WCHAR)));
    close(h);
    return (DWORD)error;
}

static DWORD WriteOpenWith(const WCHAR *target, const WCHAR *exeName)
{
    WCHAR key[PATH_SIZE], command[COMMAND_SIZE];
    TextBuf t;
    PutOpenWithCommand(OutStart(&t, command, COMMAND_SIZE), target);
    if (t.truncated || !ClassesKey(key, s_applications, exeName, s_command))
        return ERROR_FILENAME_EXCED_RANGE;
    DWORD error = SetText(key, NULL, command);
    if (!error && ClassesKey(key, s_applications, exeName, L""))
        error = SetText(key, L"FriendlyAppName", L"Runvo");
    if (!error && ClassesKey(key, s_openWithList, exeName, L""))
        error = SetText(key, NULL, NULL); /* the key alone */
    return error;
}

DWORD WriteSetUpPlace(SetUpPlace place, const WCHAR *target, const WCHAR *exeName)
{
    if (place == PLACE_OPEN_WITH)
        return WriteOpenWith(target, exeName);
    WCHAR lnk[PATH_SIZE], dir[PATH_SIZE];
    DWORD error = SendToShortcut(lnk);
    if (error)
        return error;
    return WriteShortcut(lnk, target, FolderOf(target, dir) ? dir : L"");
}

/* Deletes a value under HKCU; one that is not there is no error. */
static DWORD DeleteValue(const WCHAR *key, const WCHAR *name)
{
    auto remove = LATE("advapi32.dll", RegDeleteKeyValueW);
    if (!remove)
        return ERROR_PROC_NOT_FOUND;
    LONG error = remove(HKEY_CURRENT_USER, key, name);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : (DWORD)error;
}

/* Deletes a key under HKCU where nothing is left in it: no value, no key
   below it. One that is not there, or holds something, is no error. */
static DWORD DeleteIfEmpty(const WCHAR *key)
{
    auto open = LATE("advapi32.dll", RegOpenKeyExW);
    auto info = LATE("advapi32.dll", RegQueryInfoKeyW);
    auto close = LATE("advapi32.dll", RegCloseKey);
    auto remove = LATE("advapi32.dll", RegDeleteKeyW);
    HKEY h;
    DWORD keys = 0, values = 0;
    if (!open || !info || !close || !remove)
        return ERROR_PROC_NOT_FOUND;
    LONG error = open(HKEY_CURRENT_USER, key, 0, KEY_READ, &h);
    if (error != ERROR_SUCCESS)
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : (DWORD)error;
    error = info(h, NULL, NULL, NULL, &keys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    close(h);
    if (error != ERROR_SUCCESS || keys || values)
        return (DWORD)error;
    return (DWORD)remove(HKEY_CURRENT_USER, key);
}

/* Takes away what set-up wrote for Open with, and then each of its keys
   that nothing else is left in, from the deepest up: another program's
   verb or types under Applications\<name> stay, and their keys. */
static DWORD DeleteOpenWith(const WCHAR *exeName)
{
    static const WCHAR *const keys[] = {s_command, L"\\shell\\open", L"\\shell", L""};
    WCHAR key[PATH_SIZE];
    DWORD error = ClassesKey(key, s_applications, exeName, s_command) ? DeleteValue(key, NULL)
                                                                      : ERROR_FILENAME_EXCED_RANGE;
    if (!error && ClassesKey(key, s_applications, exeName, L""))
        error = DeleteValue(key, L"FriendlyAppName");
    for (const WCHAR *suffix : keys)
        if (!error && ClassesKey(key, s_applications, exeName, suffix))
            error = DeleteIfEmpty(key);
    if (!error && ClassesKey(key, s_openWithList, exeName, L""))
        error = DeleteIfEmpty(key);
    return error;
}

DWORD DeleteSetUpPlace(SetUpPlace place, const WCHAR *exeName)
{
    WCHAR lnk[PATH_SIZE];
    if (place == PLACE_OPEN_WITH)
        return DeleteOpenWith(exeName);
    DWORD error = SendToShortcut(lnk);
    if (error)
        return error;
    if (DeleteFileW(lnk))
        return ERROR_SUCCESS;
    error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

/* The file's identity: its volume and its number there. False when it
   cannot be opened. */
static bool FileIdentity(const WCHAR *path, BY_HANDLE_FILE_INFORMATION *info, WCHAR *final)
{
    HANDLE h = CreateFileW(path, FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool got = GetFileInformationByHandle(h, info);
    DWORD n = GetFinalPathNameByHandleW(h, final, PATH_SIZE, VOLUME_NAME_DOS);
    if (n == 0 || n >= PATH_SIZE)
        final[0] = L'\0';
    CloseHandle(h);
    return got;
}

bool SameFile(const WCHAR *a, const WCHAR *b)
{
    BY_HANDLE_FILE_INFORMATION ia, ib;
    WCHAR fa[PATH_SIZE], fb[PATH_SIZE];
    if (!FileIdentity(a, &ia, fa) || !FileIdentity(b, &ib, fb))
        return false;
    /* The path the system itself names each by (short names, \\?\, subst
       and mapped drives undone), or else the file's number on its volume. */
    if (fa[0] && _wcsicmp(fa, fb) == 0)
        return true;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow &&
           (ia.nFileIndexHigh || ia.nFileIndexLow);
}

bool IsRunvo(const WCHAR *path)
{
    WCHAR product[ROW_NAME_SIZE], internal[ROW_NAME_SIZE];
    return VersionText(path, L"ProductName", product, ROW_NAME_SIZE) &&
           VersionText(path, L"InternalName", internal, ROW_NAME_SIZE) &&
           wcscmp(product, L"Runvo") == 0 && _wcsicmp(internal, L"runvo") == 0;
}

/* A variable's folder in its long form, into folder (PATH_SIZE); false
   when it is not set. */
static bool LongFolder(const WCHAR *variable, WCHAR *folder)
{
    WCHAR value[PATH_SIZE];
    DWORD n = GetEnvironmentVariableW(variable, value, PATH_SIZE);
    if (n == 0 || n >= PATH_SIZE)
        return false;
    n = GetLongPathNameW(value, folder, PATH_SIZE);
    if (n == 0 || n >= PATH_SIZE)
        wcscpy(folder, value);
    return true;
}

bool InTemporaryFolder(const WCHAR *exe)
{
    WCHAR path[PATH_SIZE], folder[PATH_SIZE];
    DWORD n = GetLongPathNameW(exe, path, PATH_SIZE);
    if (n == 0 || n >= PATH_SIZE)
        wcscpy(path, exe);
    /* Explorer's Temp1_*.zip folders, where a program started out of a zip
       runs, are in TEMP too. */
    static const WCHAR *const variables[] = {L"TEMP", L"TMP"};
    for (const WCHAR *v : variables)
        if (LongFolder(v, folder) && InFolder(path, folder))
            return true;
    return false;
}

void NotifyAssociationsChanged(void)
{
    auto notify = LATE("shell32.dll", SHChangeNotify);
    if (notify)
        notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, NULL, NULL);
}
