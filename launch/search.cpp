/*
 * Finding the file of a program that an entry names, folder by folder.
 */
#include "launch/search.h"

#include "launch/text.h"
#include "platform/platform.h"

#include <wchar.h>

bool NamesNoFolder(const wchar_t *name)
{
    return !wcspbrk(name, L"\\/:");
}

static bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

static bool IsDrive(const wchar_t *name)
{
    wchar_t c = name[0];
    return IsAsciiLetter(c) && name[1] == L':';
}

bool IsFullPath(const wchar_t *name)
{
    return (IsSeparator(name[0]) && IsSeparator(name[1])) ||
           (IsDrive(name) && IsSeparator(name[2]));
}

/* How much of a full path is its drive ("C:") or share ("\\server\share"). */
static size_t RootLength(const wchar_t *path)
{
    if (IsDrive(path))
        return 2;
    size_t n = 2, parts = 0; /* past the two separators: the server, the share */
    while (path[n] && !(IsSeparator(path[n]) && ++parts == 2))
        n++;
    return n;
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
    while (n > 0 && IsSeparator(folder[n - 1]))
        n--;
    return n > 0 && _wcsnicmp(path, folder, n) == 0 && IsSeparator(path[n]);
}

bool ProgramFile(const wchar_t *name, const wchar_t *ownFolder, wchar_t *path, size_t size)
{
    TextBuf t;
    OutStart(&t, path, size);
    if (IsDrive(name) && !IsFullPath(name)) {
        Put(&t, name, 2);
        PutChar(&t, L'\\');
        name += 2;
    } else if (!IsFullPath(name)) {
        if (!IsFullPath(ownFolder))
            return false;
        Put(&t, ownFolder, IsSeparator(name[0]) ? RootLength(ownFolder) : wcslen(ownFolder));
    }
    PutText(&t, name);
    return !t.truncated;
}

/* The extensions of the files that start as programs, and of those among
   them that the command interpreter runs. */
static const wchar_t *const s_programExtensions[] = {L".COM", L".EXE", L".BAT", L".CMD"};
static const wchar_t *const s_batchExtensions[] = {L".BAT", L".CMD"};

/* PATHEXT where it is not set: the same extensions, in the platform's
   order. */
static const wchar_t s_defaultPathext[] = L".COM;.EXE;.BAT;.CMD";

/* Whether ext (len characters) is one of among, case-blind. */
template <size_t N>
static bool IsAmong(const wchar_t *ext, size_t len, const wchar_t *const (&among)[N])
{
    for (const wchar_t *e : among)
        if (len == wcslen(e) && _wcsnicmp(ext, e, len) == 0)
            return true;
    return false;
}

/* As the platform's own search decides: a dot in the file's own name. */
static const wchar_t *Extension(const wchar_t *name)
{
    const wchar_t *dot = wcsrchr(name, L'.');
    return dot && !wcspbrk(dot, L"\\/:") ? dot : NULL;
}

bool IsBatchFile(const wchar_t *path)
{
    const wchar_t *ext = Extension(path);
    return ext && IsAmong(ext, wcslen(ext), s_batchExtensions);
}

bool IsProgramFile(const wchar_t *path)
{
    const wchar_t *ext = Extension(path);
    return ext && IsAmong(ext, wcslen(ext), s_programExtensions);
}

void DropTrailingDots(wchar_t *path)
{
    size_t n = wcslen(path);
    while (n > 0 && (path[n - 1] == L'.' || path[n - 1] == L' '))
        path[--n] = L'\0';
}

bool IsShortcut(const wchar_t *path)
{
    const wchar_t *ext = Extension(path);
    return ext && _wcsicmp(ext, L".lnk") == 0;
}

static bool IsUnder(const wchar_t *path, const wchar_t *folder, size_t n)
{
    return n > 0 && _wcsnicmp(path, folder, n) == 0 && (!path[n] || IsSeparator(path[n]));
}

bool FindFile(wchar_t *file, const ProgramSearchPath *where, ExistsFn isFile)
{
    const wchar_t *system = where->folders[1];
    if (*where->sysnative && IsUnder(file, system, wcslen(system))) {
        wchar_t other[PATH_SIZE];
        TextBuf t;
        PutText(OutStart(&t, other, PATH_SIZE), where->sysnative);
        PutText(&t, file + wcslen(system));
        if (t.truncated || !isFile(other))
            return false;
        wmemcpy(file, other, t.len + 1);
        return true;
    }
    return isFile(file);
}

void SysnativeToSystem32(wchar_t *file, const ProgramSearchPath *where)
{
    size_t n = wcslen(where->sysnative);
    wchar_t name[PATH_SIZE];
    TextBuf t;
    if (!IsUnder(file, where->sysnative, n))
        return;
    PutText(OutStart(&t, name, PATH_SIZE), where->folders[1]);
    PutText(&t, file + n);
    if (!t.truncated)
        wmemcpy(file, name, t.len + 1);
}

/* The next part of a list parted by ';' (PATH's, PATHEXT's) at *p: its
   start and *n characters; *p moves past it. False when none is left. */
static bool NextPart(const wchar_t **p, const wchar_t **part, size_t *n)
{
    if (!**p)
        return false;
    *part = *p;
    *n = wcscspn(*p, L";");
    *p += *n;
    if (**p == L';')
        (*p)++;
    return true;
}

/* One round of the search for a name: the extensions to add (a list as
   PATHEXT's, of which only the platform's own count when fromPathext), each
   tried in a folder before the next folder; a folder that waits says
   (where waits is given) ends it. */
struct Search {
    const ProgramSearchPath *where;
    ExistsFn isFile;
    WaitsFn waits;
    const wchar_t *name, *exts;
    bool fromPathext;
    wchar_t *found;
};

/* Whether looking in the folder (len characters) may wait. */
static bool FolderWaits(const Search *s, const wchar_t *folder, size_t len)
{
    wchar_t path[PATH_SIZE];
    TextBuf t;
    Put(OutStart(&t, path, PATH_SIZE), folder, len);
    return s->waits && !t.truncated && s->waits(path);
}

static Found TryIn(const Search *s, const wchar_t *folder, size_t len)
{
    if (len == 0)
        return NOT_FOUND;
    if (FolderWaits(s, folder, len))
        return WOULD_WAIT;
    const wchar_t *list = s->exts[0] ? s->exts : L";", *ext; /* "": the name alone */
    size_t n;
    while (NextPart(&list, &ext, &n)) {
        TextBuf t;
        Put(OutStart(&t, s->found, PATH_SIZE), folder, len);
        if (!IsSeparator(folder[len - 1]))
            PutChar(&t, L'\\');
        PutText(&t, s->name);
        Put(&t, ext, n);
        if ((!s->fromPathext || IsAmong(ext, n, s_programExtensions)) && !t.truncated &&
            FindFile(s->found, s->where, s->isFile))
            return FOUND;
    }
    return NOT_FOUND;
}

static Found SearchEachFolder(const Search *s)
{
    for (const wchar_t *folder : s->where->folders) {
        Found f = TryIn(s, folder, wcslen(folder));
        if (f != NOT_FOUND)
            return f;
    }
    /* PATH's folders that are full paths: the others are found from the
       current folder. */
    const wchar_t *list = s->where->path, *folder;
    size_t len;
    while (NextPart(&list, &folder, &len)) {
        Found f = IsFullPath(folder) ? TryIn(s, folder, len) : NOT_FOUND;
        if (f != NOT_FOUND)
            return f;
    }
    return NOT_FOUND;
}

Found FindProgramFile(const wchar_t *name, const ProgramSearchPath *where, ExistsFn isFile,
                      WaitsFn waits, wchar_t *found)
{
    bool ext = Extension(name) != NULL;
    if (!name[0])
        return NOT_FOUND;
    if (!NamesNoFolder(name)) {
        if (!ProgramFile(name, where->folders[0], found, PATH_SIZE))
            return NOT_FOUND;
        TextBuf t = {found, PATH_SIZE, wcslen(found), false};
        PutText(&t, ext ? L"" : L".exe");
        if (!t.truncated && waits && waits(found))
            return WOULD_WAIT;
        /* Named outright, a file only the 32-bit view holds starts too. */
        return !t.truncated && (FindFile(found, where, isFile) || isFile(found)) ? FOUND
                                                                                 : NOT_FOUND;
    }
    Search s = {where, isFile, waits, name, ext ? L"" : L".exe", false, found};
    Found f = SearchEachFolder(&s);
    if (f != NOT_FOUND || ext)
        return f;
    /* As the command prompt and the Run box find code for code.cmd. */
    s.exts = where->pathext[0] ? where->pathext : s_defaultPathext;
    s.fromPathext = true;
    return SearchEachFolder(&s);
}

bool LookingMayWait(const wchar_t *path, const WaitAsks *asks)
{
    if (IsSeparator(path[0]) && IsSeparator(path[1]))
        return true; /* \\server\share, and \\?\ and \\.\ forms alike */
    if (!IsDrive(path))
        return false; /* no file of a place of its own: the search's to find */
    const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
    unsigned drive = asks->driveType(root);
    /* A card or a stick that Runvo runs from holds its own programs. */
    bool own = UpperCase(path[0]) == UpperCase(asks->ownDrive);
    if (drive == DRIVE_REMOTE || drive == DRIVE_CDROM || (drive == DRIVE_REMOVABLE && !own))
        return true;
    unsigned long a = asks->attributes(path);
    const unsigned long elsewhere = FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_RECALL_ON_OPEN |
                                    FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS;
    return a != INVALID_FILE_ATTRIBUTES && (a & elsewhere);
}
