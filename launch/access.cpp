/*
 * Who else may change a place, by its access list.
 */
#include "launch/access.h"

#include <wchar.h>

/* The system's own accounts, and CREATOR OWNER, which stands for whoever
   makes a file in a folder (and grants nothing on the folder itself). */
static const wchar_t *const s_system[] = {
    L"S-1-5-18",                                                       /* SYSTEM */
    L"S-1-5-32-544",                                                   /* Administrators */
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", /* TrustedInstaller */
    L"S-1-3-0",                                                        /* CREATOR OWNER */
};

static bool IsOther(const wchar_t *sid, const wchar_t *user)
{
    if (wcscmp(sid, user) == 0)
        return false;
    for (const wchar_t *s : s_system)
        if (wcscmp(sid, s) == 0)
            return false;
    return true;
}

bool OthersMayWrite(const AccessList *list, const wchar_t *user, bool folder)
{
    if (!list->kept)
        return true;
    AccessRights changes = RIGHT_WRITE_DATA | RIGHT_APPEND_DATA | RIGHT_DELETE | RIGHT_WRITE_DAC |
                           RIGHT_WRITE_OWNER | RIGHT_GENERIC_ALL | RIGHT_GENERIC_WRITE;
    if (folder)
        changes |= RIGHT_DELETE_CHILD;
    for (size_t i = 0; i < list->count; i++) {
        const AccessEntry &e = list->entries[i];
        if (e.allows && (e.rights & changes) && (folder || !e.inheritOnly) && IsOther(e.sid, user))
            return true;
    }
    return false;
}
