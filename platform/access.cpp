/*
 * Who else may change a file or a folder: its access list read from the
 * system (ADVAPI32, loaded by name: only set-up asks) and judged by the core
 * (launch/access.h); a drive that keeps no permissions lets everyone.
 */
#include "launch/access.h"
#include "platform/win32.h"

#include <aclapi.h>
#include <sddl.h>

enum {
    /* The entries judged at a time: their identifiers' texts are the
       system's, given back after each batch. */
    ENTRIES_AT_A_TIME = 16
};

/* The user's own identifier in its text form, into sid (SID_TEXT_SIZE). */
static bool UserSid(WCHAR *sid)
{
    auto openToken = LATE("advapi32.dll", OpenProcessToken);
    auto tokenInfo = LATE("advapi32.dll", GetTokenInformation);
    auto toText = LATE("advapi32.dll", ConvertSidToStringSidW);
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    HANDLE token;
    DWORD n;
    WCHAR *text = NULL;
    if (!openToken || !tokenInfo || !toText || !openToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    bool got = tokenInfo(token, TokenUser, &info, sizeof info, &n) &&
               toText(info.user.User.Sid, &text) && wcslen(text) < SID_TEXT_SIZE;
    if (got)
        wcscpy(sid, text);
    LocalFree(text);
    CloseHandle(token);
    return got;
}

/* Whether the volume of the path keeps permissions: FAT32 and exFAT do
   not. Where it cannot be told, its access list alone says. */
static bool KeepsPermissions(const WCHAR *path)
{
    WCHAR root[PATH_SIZE];
    DWORD flags = 0;
    if (!GetVolumePathNameW(path, root, PATH_SIZE) ||
        !GetVolumeInformationW(root, NULL, 0, NULL, NULL, &flags, NULL, 0))
        return true;
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

/* The allow and deny entries of the list from *next on, at most
   ENTRIES_AT_A_TIME, into entries (their identifiers the system's texts, to
   be given back), *next moved past them; their number. */
static size_t ReadEntries(PACL dacl, DWORD *next, AccessEntry *entries)
{
    auto getAce = LATE("advapi32.dll", GetAce);
    auto toText = LATE("advapi32.dll", ConvertSidToStringSidW);
    size_t n = 0;
    for (; *next < dacl->AceCount && n < ENTRIES_AT_A_TIME; ++*next) {
        ACCESS_ALLOWED_ACE *ace; /* a deny entry has the same layout */
        WCHAR *sid = NULL;
        if (!getAce || !toText || !getAce(dacl, *next, reinterpret_cast<void **>(&ace)))
            continue;
        BYTE type = ace->Header.AceType;
        if ((type == ACCESS_ALLOWED_ACE_TYPE || type == ACCESS_DENIED_ACE_TYPE) &&
            toText(reinterpret_cast<PSID>(&ace->SidStart), &sid))
            entries[n++] = AccessEntry{type == ACCESS_ALLOWED_ACE_TYPE, sid, ace->Mask,
                                       (ace->Header.AceFlags & INHERIT_ONLY_ACE) != 0};
    }
    return n;
}

bool OthersMayWritePath(const WCHAR *path, bool folder)
{
    auto getInfo = LATE("advapi32.dll", GetNamedSecurityInfoW);
    WCHAR user[SID_TEXT_SIZE];
    PACL dacl = NULL;
    PSECURITY_DESCRIPTOR sd = NULL;
    /* Where its list cannot be read, nothing is said of it. */
    if (!getInfo || !UserSid(user) ||
        getInfo(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, NULL, NULL, &dacl, NULL, &sd) !=
            ERROR_SUCCESS)
        return false;
    AccessEntry entries[ENTRIES_AT_A_TIME];
    /* No list at all lets everyone do everything. */
    AccessList list = {dacl && KeepsPermissions(path), entries, 0};
    bool others = !list.kept && OthersMayWrite(&list, user, folder);
    for (DWORD next = 0; list.kept && !others && next < dacl->AceCount;) {
        list.count = ReadEntries(dacl, &next, entries);
        others = OthersMayWrite(&list, user, folder);
        for (size_t i = 0; i < list.count; i++)
            LocalFree(const_cast<WCHAR *>(entries[i].sid));
    }
    LocalFree(sd);
    return others;
}
