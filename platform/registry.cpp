/*
 * The registry, as one thin layer: its functions looked up once, in one
 * table, each call returning the system's error (0 when done). Reading comes
 * from KERNEL32 where it has it (Windows 8 and later), so that reading a
 * value loads nothing; the rest from ADVAPI32, loaded by name on the routes
 * that write (set-up) or find a name in App Paths.
 */
#include "platform/win32.h"

/* The registry's functions, NULL where the system has none. */
struct RegistryCalls {
    decltype(&RegGetValueW) get;
    decltype(&RegOpenKeyExW) open;
    decltype(&RegCloseKey) close;
    decltype(&RegCreateKeyExW) create;
    decltype(&RegSetValueExW) set;
    decltype(&RegDeleteKeyValueW) deleteValue;
    decltype(&RegQueryInfoKeyW) info;
    decltype(&RegDeleteKeyW) deleteKey;
};

/* Looked up when first needed: reading a value alone loads no DLL; keys
   opened, written or deleted (all) bring ADVAPI32's. */
static const RegistryCalls *Calls(bool all)
{
    static RegistryCalls s_calls;
    static bool s_read, s_all;
    if (!s_read) {
        s_calls.get = LATE("kernel32.dll", RegGetValueW);
        if (!s_calls.get)
            s_calls.get = LATE("advapi32.dll", RegGetValueW);
        s_read = true;
    }
    if (all && !s_all) {
        s_calls.open = LATE("advapi32.dll", RegOpenKeyExW);
        s_calls.close = LATE("advapi32.dll", RegCloseKey);
        s_calls.create = LATE("advapi32.dll", RegCreateKeyExW);
        s_calls.set = LATE("advapi32.dll", RegSetValueExW);
        s_calls.deleteValue = LATE("advapi32.dll", RegDeleteKeyValueW);
        s_calls.info = LATE("advapi32.dll", RegQueryInfoKeyW);
        s_calls.deleteKey = LATE("advapi32.dll", RegDeleteKeyW);
        s_all = true;
    }
    return &s_calls;
}

DWORD RegistryRead(HKEY hive, const WCHAR *key, const WCHAR *name, DWORD flags, void *data,
                   DWORD *bytes)
{
    const RegistryCalls *r = Calls(false);
    return r->get ? (DWORD)r->get(hive, key, name, flags, NULL, data, bytes) : ERROR_PROC_NOT_FOUND;
}

DWORD RegistryKeyCount(HKEY hive, const WCHAR *key, DWORD *subkeys, DWORD *values)
{
    const RegistryCalls *r = Calls(true);
    HKEY h;
    if (!r->open || !r->info || !r->close)
        return ERROR_PROC_NOT_FOUND;
    LONG error = r->open(hive, key, 0, KEY_READ, &h);
    if (error != ERROR_SUCCESS)
        return (DWORD)error;
    error = r->info(h, NULL, NULL, NULL, subkeys, NULL, NULL, values, NULL, NULL, NULL, NULL);
    r->close(h);
    return (DWORD)error;
}

DWORD RegistrySetText(const WCHAR *key, const WCHAR *name, const WCHAR *value)
{
    const RegistryCalls *r = Calls(true);
    HKEY h;
    if (!r->create || !r->set || !r->close)
        return ERROR_PROC_NOT_FOUND;
    LONG error = r->create(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_SET_VALUE, NULL, &h, NULL);
    if (error != ERROR_SUCCESS)
        return (DWORD)error;
    if (value)
        error = r->set(h, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                       (DWORD)((wcslen(value) + 1) * sizeof(WCHAR)));
    r->close(h);
    return (DWORD)error;
}

DWORD RegistryDeleteValue(const WCHAR *key, const WCHAR *name)
{
    const RegistryCalls *r = Calls(true);
    return r->deleteValue ? (DWORD)r->deleteValue(HKEY_CURRENT_USER, key, name)
                          : ERROR_PROC_NOT_FOUND;
}

DWORD RegistryDeleteKey(const WCHAR *key)
{
    const RegistryCalls *r = Calls(true);
    return r->deleteKey ? (DWORD)r->deleteKey(HKEY_CURRENT_USER, key) : ERROR_PROC_NOT_FOUND;
}
