/*
 * The places that set-up writes, for the current user: Runvo.lnk in the
 * Send To folder, and under HKCU\Software\Classes the keys by which Open
 * with offers the program for every file type (Applications\<name> with its
 * open command and FriendlyAppName, and *\OpenWithList\<name>). The
 * registry's functions and the shell's are loaded by name: only set-up and
 * the chooser's menu need them.
 */
#include "launch/entry.h"
#include "launch/setup.h"
#include "launch/text.h"
#include "platform/platform.h"

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

/* A key under HKCU\Software\Classes: prefix, the program's name, suffix. */
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

void ReadSetUpPlaces(const WCHAR *exeName, SetUpState *places)
{
    WCHAR lnk[PATH_SIZE], dir[PATH_SIZE], key[PATH_SIZE], command[PATH_SIZE + 16];
    const WCHAR *args; /* the command's program is read as an entry's: its quotes */
    for (int i = 0; i < PLACE_COUNT; i++) {
        places[i].program[0] = L'\0';
        places[i].step = STEP_NONE;
        places[i].error = 0;
    }
    if (SendToShortcut(lnk) == ERROR_SUCCESS &&
        ReadShortcut(lnk, places[PLACE_SEND_TO].program, NULL, dir) != SHORTCUT_READ)
        places[PLACE_SEND_TO].program[0] = L'\0';
    auto get = LATE("advapi32.dll", RegGetValueW);
    DWORD bytes = sizeof command;
    if (get && ClassesKey(key, s_applications, exeName, s_command) &&
        get(HKEY_CURRENT_USER, key, NULL, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, NULL,
            command, &bytes) == ERROR_SUCCESS &&
        !SplitEntry(command, places[PLACE_OPEN_WITH].program, PATH_SIZE, &args))
        places[PLACE_OPEN_WITH].program[0] = L'\0';
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

static DWORD WriteOpenWith(const WCHAR *exe, const WCHAR *exeName)
{
    WCHAR key[PATH_SIZE], command[PATH_SIZE + 16];
    TextBuf t;
    PutOpenWithCommand(OutStart(&t, command, PATH_SIZE + 16), exe);
    if (t.truncated || !ClassesKey(key, s_applications, exeName, s_command))
        return ERROR_FILENAME_EXCED_RANGE;
    DWORD error = SetText(key, NULL, command);
    if (!error && ClassesKey(key, s_applications, exeName, L""))
        error = SetText(key, L"FriendlyAppName", L"Runvo");
    if (!error && ClassesKey(key, s_openWithList, exeName, L""))
        error = SetText(key, NULL, NULL); /* the key alone */
    return error;
}

DWORD WriteSetUpPlace(SetUpPlace place, const WCHAR *exe, const WCHAR *exeName)
{
    if (place == PLACE_OPEN_WITH)
        return WriteOpenWith(exe, exeName);
    WCHAR lnk[PATH_SIZE], dir[PATH_SIZE];
    DWORD error = SendToShortcut(lnk);
    if (error)
        return error;
    wmemcpy(dir, exe, PATH_SIZE);
    WCHAR *slash = wcsrchr(dir, L'\\');
    if (slash)
        *slash = L'\0';
    return WriteShortcut(lnk, exe, dir);
}

/* Deletes a key under HKCU and all below it; one that is not there is no
   error. */
static DWORD DeleteKey(const WCHAR *key)
{
    auto tree = LATE("advapi32.dll", RegDeleteTreeW);
    if (!tree)
        return ERROR_PROC_NOT_FOUND;
    LONG error = tree(HKEY_CURRENT_USER, key);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : (DWORD)error;
}

DWORD DeleteSetUpPlace(SetUpPlace place, const WCHAR *exeName)
{
    WCHAR path[PATH_SIZE];
    if (place == PLACE_SEND_TO) {
        DWORD error = SendToShortcut(path);
        if (error)
            return error;
        return DeleteFileW(path) || GetLastError() == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS
                                                                           : GetLastError();
    }
    DWORD error = ClassesKey(path, s_applications, exeName, L"") ? DeleteKey(path)
                                                                 : ERROR_FILENAME_EXCED_RANGE;
    if (!error)
        error = ClassesKey(path, s_openWithList, exeName, L"") ? DeleteKey(path)
                                                               : ERROR_FILENAME_EXCED_RANGE;
    return error;
}

void NotifyAssociationsChanged(void)
{
    auto notify = LATE("shell32.dll", SHChangeNotify);
    if (notify)
        notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, NULL, NULL);
}
