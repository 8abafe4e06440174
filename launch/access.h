/*
 * Who else may change a place: whether a file's or a folder's access list
 * lets anyone but the user and the system's own accounts write it, so that
 * set-up can warn before it points Send To and Open with at a program that
 * other people who use the PC could replace. Groups the user is in (Users,
 * Authenticated Users, Everyone) count as others: other people are in them
 * too.
 */
#ifndef RUNVO_ACCESS_H
#define RUNVO_ACCESS_H

#include <stddef.h>

/* Rights an entry grants, as far as changing a place goes (the platform's
   own bits). On a folder, writing data adds a file and appending adds a
   folder. */
typedef unsigned long AccessRights;
const AccessRights RIGHT_WRITE_DATA = 0x2, RIGHT_APPEND_DATA = 0x4, RIGHT_DELETE_CHILD = 0x40,
                   RIGHT_DELETE = 0x10000, RIGHT_WRITE_DAC = 0x40000, RIGHT_WRITE_OWNER = 0x80000,
                   RIGHT_GENERIC_ALL = 0x10000000, RIGHT_GENERIC_WRITE = 0x40000000;

/* One entry of an access list: whether it allows or denies, whom it names
   (a security identifier in its text form, S-1-5-18), its rights, and
   whether it is only handed down to what a folder holds (and so grants
   nothing on the object itself). */
struct AccessEntry {
    bool allows;
    const wchar_t *sid;
    AccessRights rights;
    bool inheritOnly;
};

/* An access list. kept is false where there is none at all: a drive that
   keeps no permissions (FAT32, exFAT: most sticks and cards), or an object
   without a list, which lets everyone do everything. */
struct AccessList {
    bool kept;
    const AccessEntry *entries;
    size_t count;
};

/* Whether the list lets anyone but the user (user: the user's identifier),
   SYSTEM, Administrators and TrustedInstaller write the object, append to
   it, delete it or change its owner or permissions; of a folder, also
   delete what it holds, or change the files made in it later (an entry
   handed down to them: the list file that Runvo may make there). Entries
   inherited from above count as the object's own. A deny entry grants nothing, and is not weighed
   against the allow entries: where it would stop others, the user is asked
   once too often rather than once too few. */
bool OthersMayWrite(const AccessList *list, const wchar_t *user, bool folder);

#endif /* RUNVO_ACCESS_H */
