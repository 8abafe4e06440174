/*
 * Reading paths: folders, full paths, and files' kinds by extension.
 */
#include "launch/paths.h"

#include "launch/text.h"

#include <wchar.h>

bool NamesNoFolder(const wchar_t *name)
{
    return !wcspbrk(name, L"\\/:");
}

const wchar_t *FileNameOf(const wchar_t *path)
{
    const wchar_t *name = path;
    for (const wchar_t *p = path; *p; p++)
        if (IsPathSeparator(*p) || *p == L':')
            name = p + 1;
    return name;
}

bool IsDrivePath(const wchar_t *name)
{
    return IsAsciiLetter(name[0]) && name[1] == L':';
}

bool IsFullPath(const wchar_t *name)
{
    return (IsPathSeparator(name[0]) && IsPathSeparator(name[1])) ||
           (IsDrivePath(name) && IsPathSeparator(name[2]));
}

/* How much of a full path is its drive ("C:") or share ("\\server\share"). */
static size_t RootLength(const wchar_t *path)
{
    if (IsDrivePath(path))
        return 2;
    size_t n = 2, parts = 0; /* past the two separators: the server, the share */
    while (path[n] && !(IsPathSeparator(path[n]) && ++parts == 2))
        n++;
    return n;
}

bool ProgramFile(const wchar_t *name, const wchar_t *ownFolder, wchar_t *path, size_t size)
{
    TextBuf t;
    OutStart(&t, path, size);
    if (IsDrivePath(name) && !IsFullPath(name)) {
        Put(&t, name, 2);
        PutChar(&t, L'\\');
        name += 2;
    } else if (!IsFullPath(name)) {
        if (!IsFullPath(ownFolder))
            return false;
        Put(&t, ownFolder, IsPathSeparator(name[0]) ? RootLength(ownFolder) : wcslen(ownFolder));
    }
    PutText(&t, name);
    return !t.truncated;
}

const wchar_t *FolderOf(const wchar_t *file, wchar_t *folder)
{
    const wchar_t *slash = wcsrchr(file, L'\\');
    if (!slash)
        return NULL;
    size_t n = (size_t)(slash - file);
    if (n == 2 && file[1] == L':')
        n++; /* C:\ keeps its separator: C: alone is the current folder on C: */
    wmemcpy(folder, file, n);
    folder[n] = L'\0';
    return folder;
}

bool InFolder(const wchar_t *path, const wchar_t *folder)
{
    size_t n = wcslen(folder);
    while (n > 0 && IsPathSeparator(folder[n - 1]))
        n--;
    return n > 0 && wcslen(path) > n && SameCaseBlind(path, folder, n) && IsPathSeparator(path[n]);
}

/* The extensions of the files that start as programs, and of those among
   them that the command interpreter runs. */
const wchar_t PROGRAM_EXTENSIONS[] = L".COM;.EXE;.BAT;.CMD";
static const wchar_t s_batchExtensions[] = L".BAT;.CMD";

/* Whether ext (len characters) is one of the list's (PATHEXT's form),
   case-blind. */
static bool IsAmong(const wchar_t *ext, size_t len, const wchar_t *list)
{
    const wchar_t *one;
    size_t n;
    while (NextInList(&list, &one, &n))
        if (n == len && SameCaseBlind(ext, one, len))
            return true;
    return false;
}

const wchar_t *ExtensionOf(const wchar_t *name, const wchar_t *end)
{
    if (!end)
        end = name + wcslen(name);
    for (const wchar_t *p = end; p > name; p--) {
        if (IsPathSeparator(p[-1]) || p[-1] == L':')
            return NULL;
        if (p[-1] == L'.')
            return p - 1;
    }
    return NULL;
}

bool IsProgramExtension(const wchar_t *ext, size_t len)
{
    return IsAmong(ext, len, PROGRAM_EXTENSIONS);
}

bool IsBatchFile(const wchar_t *path)
{
    const wchar_t *ext = ExtensionOf(path);
    return ext && IsAmong(ext, wcslen(ext), s_batchExtensions);
}

bool IsProgramFile(const wchar_t *path)
{
    const wchar_t *ext = ExtensionOf(path);
    return ext && IsProgramExtension(ext, wcslen(ext));
}

void DropTrailingDots(wchar_t *path)
{
    size_t n = wcslen(path);
    while (n > 0 && (path[n - 1] == L'.' || path[n - 1] == L' '))
        path[--n] = L'\0';
}
