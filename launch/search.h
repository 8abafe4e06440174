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

#include "launch/paths.h"
#include "launch/sizes.h"

/* The folders looked in before PATH's, in Windows' order. */
enum SearchedFolder {
    OWN_FOLDER, /* the launcher's, ending in a separator */
    SYSTEM_FOLDER,
    SYSTEM16_FOLDER, /* the 16-bit system folder */
    WINDOWS_FOLDER,
    SEARCHED_FOLDERS
};

/* Where programs are looked for; "" where a folder is unknown. */
struct ProgramSearchPath {
    wchar_t folders[SEARCHED_FOLDERS][PATH_SIZE];
    /* The 64-bit system folder as the 32-bit launcher reaches it past WOW64
       file system redirection on 64-bit Windows (Sysnative); "" elsewhere. */
    wchar_t sysnative[PATH_SIZE];
    const wchar_t *path, *pathext; /* "" when not set */
};

/* Whether the file at its full path exists (PATH_SIZE characters), under the
   system folder the 64-bit one's (past redirection); file then names the
   one that does. */
bool FindFile(wchar_t *file, const ProgramSearchPath *where, ExistsFn isFile);

/* A file found under Sysnative named by its path under the system folder
   (PATH_SIZE characters, in place), as 64-bit programs and users see it; any
   other file as it is. */
void SysnativeToSystem32(wchar_t *file, const ProgramSearchPath *where);

/* Says whether looking at a path may wait (launch/waits.h). */
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

#endif /* RUNVO_SEARCH_H */
