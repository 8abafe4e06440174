/*
 * Which places looking at may wait on.
 */
#include "launch/waits.h"

#include "launch/paths.h"
#include "platform/platform.h"

bool LookingMayWait(const wchar_t *path, const WaitAsks *asks)
{
    if (IsPathSeparator(path[0]) && IsPathSeparator(path[1]))
        return true; /* \\server\share, and \\?\ and \\.\ forms alike */
    if (!IsDrivePath(path))
        return false; /* no file of a place of its own: the search's to find */
    const wchar_t root[DRIVE_ROOT_SIZE] = {path[0], L':', L'\\', L'\0'};
    DriveKind drive = asks->driveKind(root);
    /* A card or a stick that Runvo runs from holds its own programs. */
    bool own = UpperCase(path[0]) == UpperCase(asks->ownDrive);
    if (drive == DRIVE_KIND_REMOTE || drive == DRIVE_KIND_DISC ||
        (drive == DRIVE_KIND_REMOVABLE && !own))
        return true;
    FileAttributes a = asks->attributes(path);
    const FileAttributes elsewhere =
        ATTRIBUTE_OFFLINE | ATTRIBUTE_RECALL_ON_OPEN | ATTRIBUTE_RECALL_ON_DATA_ACCESS;
    return a != NO_SUCH_FILE && (a & elsewhere);
}
