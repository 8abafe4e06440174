/*
 * Where the file of a program that an entry names is found. Never in the
 * current folder: Explorer starts the launcher in the document's folder, and
 * a Downloads folder holds anything.
 *  - A name without a folder is looked for as Windows looks for it, less the
 *    current folder: the launcher's folder, the system folder, the 16-bit
 *    system folder, the Windows folder, then PATH's folders that do not
 *    depend on the current one. Each folder is one folder, whatever its name
 *    holds (a ';' too). A name without an extension is looked for as .exe
 *    first, then with each of PATHEXT's executable extensions.
 *  - A name with a folder that is not a full path is taken from the
 *    launcher's folder, where its list lies.
 *  - The 32-bit launcher on 64-bit Windows sees a 32-bit system folder in
 *    place of the 64-bit one: a file in or under the system folder is looked
 *    for in the 64-bit one, so that both builds find the same file (the
 *    32-bit folder holds an explorer.exe, say, that the Windows folder's
 *    should come before); only a path that the entry names outright is
 *    taken from the 32-bit one when the 64-bit one lacks it.
 */
#ifndef RUNVO_SEARCH_H
#define RUNVO_SEARCH_H

#include "launch/sizes.h"

#include <stddef.h>

/* Says whether a file (not a folder) of this name exists; or, where the
   caller says so, a file or a folder. */
typedef bool (*ExistsFn)(const wchar_t *name);

/* Where programs are looked for. */
struct ProgramSearchPath {
    /* In the search's order: the launcher's folder (ending in a separator),
       the system folder, the 16-bit system folder, the Windows folder; ""
       where one is unknown. */
    wchar_t folders[4][PATH_SIZE];
    /* The 64-bit system folder as the 32-bit launcher reaches it past WOW64
       file system redirection on 64-bit Windows (Sysnative); "" elsewhere. */
    wchar_t sysnative[PATH_SIZE];
    const wchar_t *path, *pathext; /* "" when not set */
};

/* True when a program's name holds no folder (no \, / or :): it is to be
   looked for. */
bool NamesNoFolder(const wchar_t *name);

/* C:\tools or \\server\share; not tools, .\tools, \tools or C:tools. */
bool IsFullPath(const wchar_t *name);

/* The folder of the file at its full path, into folder (PATH_SIZE
   characters): C:\ at a drive's root. NULL when the path has no folder. */
const wchar_t *FolderOf(const wchar_t *file, wchar_t *folder);

/* Whether the path lies in the folder or below it, case-blind (the folder
   with or without its last separator). */
bool InFolder(const wchar_t *path, const wchar_t *folder);

/* The file that a program named with a folder names, into path (size
   characters). A full path names itself; every other form is taken from the
   launcher's own folder (ownFolder, a full path ending in a separator),
   never from the current one: tools\x.exe and ..\x.exe from there, \x.exe
   on its drive or share, and C:x.exe as C:\x.exe (from the drive's root, as
   in a process that has not moved on that drive). False when there is no
   such file name: it does not fit, or ownFolder is unknown (empty). */
bool ProgramFile(const wchar_t *name, const wchar_t *ownFolder, wchar_t *path, size_t size);

/* True for a file that the command interpreter runs (.bat, .cmd). */
bool IsBatchFile(const wchar_t *path);

/* True for a file that starts as a program: .com, .exe, .bat or .cmd. */
bool IsProgramFile(const wchar_t *path);

/* Drops the dots and blanks that end a path, as Windows does when it opens
   the file. */
void DropTrailingDots(wchar_t *path);

/* True for a shortcut (.lnk). */
bool IsShortcut(const wchar_t *path);

/* Whether the file at its full path exists (PATH_SIZE characters), under the
   system folder the 64-bit one's (past redirection); file then names the
   one that does. */
bool FindFile(wchar_t *file, const ProgramSearchPath *where, ExistsFn isFile);

/* A file found under Sysnative named by its path under the system folder
   (PATH_SIZE characters, in place), as 64-bit programs and users see it; any
   other file as it is. */
void SysnativeToSystem32(wchar_t *file, const ProgramSearchPath *where);

/* Says whether looking at a path may wait (LookingMayWait). */
typedef bool (*WaitsFn)(const wchar_t *path);

/* Where a search ended. */
enum Found {
    FOUND,
    NOT_FOUND,
    WOULD_WAIT /* at a folder or a file that looking at may wait on */
};

/* The file of a program that an entry names, into found (PATH_SIZE
   characters). With waits (NULL: every place is looked in), the search
   stops at the first folder, or the file named outright, that waits says
   may wait: a program found after it would not be the one that starts. */
Found FindProgramFile(const wchar_t *name, const ProgramSearchPath *where, ExistsFn isFile,
                      WaitsFn waits, wchar_t *found);

/* What LookingMayWait asks of the system: what kind a drive is, as
   GetDriveTypeW says of its root ("C:\\"); a file's attributes; and the
   letter of the drive the launcher runs from (0 for none). */
struct WaitAsks {
    unsigned (*driveType)(const wchar_t *root);
    unsigned long (*attributes)(const wchar_t *path);
    wchar_t ownDrive;
};

/* Whether looking at a file or a folder (its attributes, icon or version)
   may wait on a network or a disc, or bring the cloud's copy down: a UNC
   path; a path on a network, CD or removable drive (a card reader, a
   stick) but the one the launcher runs from; a file whose attributes say
   that it is offline, or that opening or reading it recalls it from
   elsewhere (OneDrive's files on demand). Each is asked only where the
   answers before it do not settle it: a UNC path is never asked about, a
   network drive's file never looked at. */
bool LookingMayWait(const wchar_t *path, const WaitAsks *asks);

#endif /* RUNVO_SEARCH_H */
