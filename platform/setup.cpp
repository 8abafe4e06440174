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
        return ErrorOf(hr);
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

/* A place as it is before it is read: not there. Field by field: an
   initializer would be a template of the whole record in the program. */
static void ClearPlace(PlaceRead *place)
{
    place->there = place->readable = place->arguments = false;
    place->program[0] = place->startIn[0] = place->name[0] = L'\0';
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

/* Applications\<name> under the hive's classes, into place: whether it is
   there, and the program of its open command, read as an entry's program is
   (its quotes), its variables expanded as the shell expands them. A command
   longer than any set-up writes reads as none. */
static void ReadOpenWithKey(HKEY hive, const WCHAR *exeName, PlaceRead *place)
{
    WCHAR key[PATH_SIZE], command[COMMAND_SIZE];
    const WCHAR *args;
    DWORD subkeys, values;
    ClearPlace(place);
    if (!ClassesKey(key, s_applications, exeName, L"") ||
        RegistryKeyCount(hive, key, &subkeys, &values) != ERROR_SUCCESS)
        return;
    place->there = true;
    PutKeyName(place->name, hive, key);
    DWORD bytes = sizeof command;
    /* RRF_RT_REG_SZ takes an expandable value too, and expands it. */
    place->readable =
        ClassesKey(key, s_applications, exeName, s_command) &&
        RegistryRead(hive, key, NULL, RRF_RT_REG_SZ, command, &bytes) == ERROR_SUCCESS &&
        SplitEntry(command, place->program, PATH_SIZE, &args);
    if (!place->readable)
        place->program[0] = L'\0';
}

/* Runvo.lnk in Send To, into place: whether it is there, and what it
   starts: its target, whether it gives arguments, and its Start in. */
static void ReadSendTo(PlaceRead *place)
{
    static WCHAR s_args[COMMAND_LINE_SIZE]; /* too big for a frame of the stack */
    ClearPlace(place);
    if (SendToShortcut(place->name) != ERROR_SUCCESS || !PathExists(place->name)) {
        place->name[0] = L'\0';
        return;
    }
    place->there = true;
    ShortcutRead read = ReadShortcut(place->name, place->program, s_args, place->startIn);
    place->readable = read != SHORTCUT_UNREADABLE;
    place->arguments = read == SHORTCUT_TOO_LONG || s_args[0];
}

void ReadSetUpPlaces(const WCHAR *exeName, SetUpAction action, PlacesRead *read)
{
    ReadSendTo(&read->sendTo);
    ReadOpenWithKey(HKEY_CURRENT_USER, exeName, &read->userKey);
    /* Read on its own: the classes that programs see merge the user's over
       it, and would show Runvo's own key as if it were the machine's. */
    if (action == SETUP_ADD)
        ReadOpenWithKey(HKEY_LOCAL_MACHINE, exeName, &read->machineKey);
    else
        ClearPlace(&read->machineKey);
}

bool OpenWithNamesThisCopy(const WCHAR *exe, const WCHAR *exeName)
{
    static PlaceRead s_key; /* too big for a frame of the stack */
    WCHAR target[PATH_SIZE];
    ReadOpenWithKey(HKEY_CURRENT_USER, exeName, &s_key);
    /* By its path as set-up writes it: no file is looked at. */
    return s_key.readable && (EqualCaseBlind(s_key.program, exe) ||
                              (SetUpPath(exe, target) && EqualCaseBlind(s_key.program, target)));
}

bool DriveAnswers(const WCHAR *path)
{
    if (!IsDrivePath(path))
        return false;
    /* The root first: a drive letter that names nothing says "path not
       found" of every file on it too. */
    const WCHAR root[DRIVE_ROOT_SIZE] = {path[0], L':', L'\\', L'\0'};
    return GetFileAttributesW(root) != INVALID_FILE_ATTRIBUTES && !FileMayWait(path);
}

static DWORD WriteOpenWith(const WCHAR *target, const WCHAR *exeName)
{
    WCHAR key[PATH_SIZE], command[COMMAND_SIZE];
    TextBuf t;
    PutOpenWithCommand(OutStart(&t, command, COMMAND_SIZE), target);
    if (t.truncated || !ClassesKey(key, s_applications, exeName, s_command))
        return ERROR_FILENAME_EXCED_RANGE;
    DWORD error = RegistrySetText(key, NULL, command);
    if (!error && ClassesKey(key, s_applications, exeName, L""))
        error = RegistrySetText(key, L"FriendlyAppName", L"Runvo");
    if (!error && ClassesKey(key, s_openWithList, exeName, L""))
        error = RegistrySetText(key, NULL, NULL); /* the key alone */
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
    DWORD error = RegistryDeleteValue(key, name);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

/* Deletes a key under HKCU where nothing is left in it: no value, no key
   below it. One that is not there, or holds something, is no error. */
static DWORD DeleteIfEmpty(const WCHAR *key)
{
    DWORD keys = 0, values = 0;
    DWORD error = RegistryKeyCount(HKEY_CURRENT_USER, key, &keys, &values);
    if (error != ERROR_SUCCESS)
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    return keys || values ? ERROR_SUCCESS : RegistryDeleteKey(key);
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
    if (!FitsPath(n))
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
    if (!FitsPath(n))
        return false;
    n = GetLongPathNameW(value, folder, PATH_SIZE);
    if (!FitsPath(n))
        wcscpy(folder, value);
    return true;
}

bool InTemporaryFolder(const WCHAR *exe)
{
    WCHAR path[PATH_SIZE], folder[PATH_SIZE];
    DWORD n = GetLongPathNameW(exe, path, PATH_SIZE);
    if (!FitsPath(n))
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
