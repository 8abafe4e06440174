/*
 * Paths as the launcher reads them: whether a name holds a folder, full
 * paths, a name with a folder taken from the launcher's own folder, a
 * file's folder, a path within a folder, and the kinds of file that start
 * as programs, by their extensions.
 */
#ifndef RUNVO_PATHS_H
#define RUNVO_PATHS_H

#include "launch/sizes.h"

#include <stddef.h>
#include <wchar.h>

/* Says whether a file (not a folder) of this name exists; or, where the
   caller says so, a file or a folder. */
typedef bool (*ExistsFn)(const wchar_t *name);

inline bool IsPathSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

/* Whether a path's length, as the platform gives it, names a whole path:
   0 is none, PATH_SIZE or more one that was cut short. */
inline bool FitsPath(size_t n)
{
    return n > 0 && n < PATH_SIZE;
}

/* The next item of a list parted by ';' (PATH's, PATHEXT's) at *p: its
   start and *n characters; *p moves past it. False when none is left. */
inline bool NextInList(const wchar_t **p, const wchar_t **item, size_t *n)
{
    if (!**p)
        return false;
    *item = *p;
    *n = wcscspn(*p, L";");
    *p += *n;
    if (**p == L';')
        (*p)++;
    return true;
}

/* True when a program's name holds no folder (no \, / or :): it is to be
   looked for. */
bool NamesNoFolder(const wchar_t *name);

/* A path's last name, past its folder or its drive. */
const wchar_t *FileNameOf(const wchar_t *path);

/* C: and what follows it. */
bool IsDrivePath(const wchar_t *name);

/* C:\tools or \\server\share; not tools, .\tools, \tools or C:tools. */
bool IsFullPath(const wchar_t *name);

/* The file that a program named with a folder names, into path (size
   characters). A full path names itself; every other form is taken from the
   launcher's own folder (ownFolder, a full path ending in a separator),
   never from the current one: tools\x.exe and ..\x.exe from there, \x.exe
   on its drive or share, and C:x.exe as C:\x.exe (from the drive's root, as
   in a process that has not moved on that drive). False when there is no
   such file name: it does not fit, or ownFolder is unknown (empty). */
bool ProgramFile(const wchar_t *name, const wchar_t *ownFolder, wchar_t *path, size_t size);

/* The folder of the file at its full path, into folder (PATH_SIZE
   characters): C:\ at a drive's root. NULL when the path has no folder. */
const wchar_t *FolderOf(const wchar_t *file, wchar_t *folder);

/* Whether the path lies in the folder or below it, case-blind (the folder
   with or without its last separator). */
bool InFolder(const wchar_t *path, const wchar_t *folder);

/* The extension of the file's own name (of the text from name to end; NULL
   end: to its terminator), with its dot, as the platform's search decides:
   after the last dot that no \, / or : follows. NULL for none. */
const wchar_t *ExtensionOf(const wchar_t *name, const wchar_t *end = NULL);

/* The extensions of the files that start as programs, in the platform's
   order and in PATHEXT's form: PATHEXT where it is not set. */
extern const wchar_t PROGRAM_EXTENSIONS[];

/* Whether ext (len characters) is one of a program's: .com, .exe, .bat or
   .cmd, case-blind. */
bool IsProgramExtension(const wchar_t *ext, size_t len);

/* True for a file that the command interpreter runs (.bat, .cmd). */
bool IsBatchFile(const wchar_t *path);

/* True for a file that starts as a program: .com, .exe, .bat or .cmd. */
bool IsProgramFile(const wchar_t *path);

/* Drops the dots and blanks that end a path, as Windows does when it opens
   the file. */
void DropTrailingDots(wchar_t *path);

#endif /* RUNVO_PATHS_H */
