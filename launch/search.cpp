/*
 * Finding the file of a program that an entry names, folder by folder.
 */
#include "launch/search.h"

#include "launch/paths.h"
#include "launch/text.h"

#include <wchar.h>

bool FindFile(wchar_t *file, const ProgramSearchPath *where, ExistsFn isFile)
{
    const wchar_t *system = where->folders[SYSTEM_FOLDER];
    if (*where->sysnative && InFolder(file, system)) {
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
    wchar_t name[PATH_SIZE];
    TextBuf t;
    if (!*where->sysnative || !InFolder(file, where->sysnative))
        return;
    PutText(OutStart(&t, name, PATH_SIZE), where->folders[SYSTEM_FOLDER]);
    PutText(&t, file + wcslen(where->sysnative));
    if (!t.truncated)
        wmemcpy(file, name, t.len + 1);
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
    while (NextInList(&list, &ext, &n)) {
        TextBuf t;
        Put(OutStart(&t, s->found, PATH_SIZE), folder, len);
        if (!IsPathSeparator(folder[len - 1]))
            PutChar(&t, L'\\');
        PutText(&t, s->name);
        Put(&t, ext, n);
        if ((!s->fromPathext || IsProgramExtension(ext, n)) && !t.truncated &&
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
    while (NextInList(&list, &folder, &len)) {
        Found f = IsFullPath(folder) ? TryIn(s, folder, len) : NOT_FOUND;
        if (f != NOT_FOUND)
            return f;
    }
    return NOT_FOUND;
}

Found FindProgramFile(const wchar_t *name, const ProgramSearchPath *where, ExistsFn isFile,
                      WaitsFn waits, wchar_t *found)
{
    bool ext = ExtensionOf(name) != NULL;
    if (!name[0])
        return NOT_FOUND;
    if (!NamesNoFolder(name)) {
        if (!ProgramFile(name, where->folders[OWN_FOLDER], found, PATH_SIZE))
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
    s.exts = where->pathext[0] ? where->pathext : PROGRAM_EXTENSIONS;
    s.fromPathext = true;
    return SearchEachFolder(&s);
}
