/*
 * Starting a list entry: its program's file, found by the name as it is
 * written or else as its variables expand (a folder may be called 50%off%);
 * a shortcut's target in its place; its command line, with the documents in
 * their place; a batch file run by the command interpreter, each argument as
 * data; and a program that asks for administrator rights started through
 * the shell's elevation prompt, the same file with the same arguments.
 */
#include "launch/launch.h"

#include "platform/platform.h"

#include <wchar.h>

static wchar_t s_szStarted[STARTED_SIZE];
static wchar_t s_szInterpreted[INTERPRETER_SIZE];
/* What the entry names, and a shortcut's target, arguments and Start in
   folder: kept, as the start names them after it returns. */
static EntryProgram s_program;
static wchar_t s_szTarget[FILE_SIZE], s_szLinkArgs[SHORTCUT_ARGS_SIZE], s_szLinkDir[FILE_SIZE];
/* The file found as users and the elevation service see it, and its
   folder. */
static wchar_t s_szShown[FILE_SIZE], s_szFolder[FILE_SIZE];
/* The documents, one at a time and as the tail that carries them safe for
   programs that read the ANSI command line. */
static wchar_t s_szDocument[STARTED_SIZE], s_szShortName[FILE_SIZE], s_szDocuments[STARTED_SIZE];

bool FindEntryProgram(const wchar_t *entry, EntryProgram *p)
{
    p->exists = false;
    if (!SplitEntry(entry, p->written, COMMAND_SIZE, &p->args))
        return false;
    TextBuf out;
    ExpandEntry(OutStart(&out, p->expanded, COMMAND_SIZE), p->written, GetVariable, NULL, NULL);
    /* As written first, then as expanded, and so shown when neither is. */
    p->name = p->expanded;
    if (out.cut || wcscmp(p->expanded, p->written) == 0 ||
        (p->exists = FindProgram(p->written, p->found)))
        p->name = p->written;
    if (!p->exists)
        p->exists = FindProgram(p->name, p->found);
    /* Windows opens convert.bat. as convert.bat: so must the launch, which
       runs a batch file by another route. */
    if (p->exists)
        DropTrailingDots(p->found);
    return true;
}

/* The document as a program that reads the ANSI command line will read it
   whole: as it is, or by its short name. False when neither will do. */
static bool SafeDocument(const wchar_t *document, const wchar_t **safe)
{
    *safe = document;
    if (AnsiKeepsQuotes(document))
        return true;
    *safe = s_szShortName;
    return ShortName(document, s_szShortName) && AnsiKeepsQuotes(s_szShortName);
}

/* The tail with each document whose name the ANSI code page would turn into
   quotes or backslashes (U+FF02 is a best-fit quote) by its short name: the
   tail itself where none is. Several documents so become quoted arguments. */
static StartResult SafeTail(Start *s, const wchar_t **tail)
{
    *tail = s->tail;
    if (s->form != TAIL_ARGUMENTS)
        return SafeDocument(s->tail, tail) ? START_OK : (s->file = s->tail, START_ANSI_NAME);
    TextBuf all, one;
    OutStart(&all, s_szDocuments, STARTED_SIZE);
    bool changed = false;
    for (const wchar_t *p = s->tail;
         (p = NextArgument(p, OutStart(&one, s_szDocument, STARTED_SIZE)));) {
        const wchar_t *safe;
        if (!SafeDocument(s_szDocument, &safe))
            return s->file = s_szDocument, START_ANSI_NAME;
        changed = changed || safe != s_szDocument;
        if (all.len)
            PutChar(&all, L' ');
        PutQuoted(&all, safe);
    }
    if (changed)
        *tail = s_szDocuments;
    return all.cut ? START_TOO_LONG : START_OK;
}

/* The shortcut that p found, read: its target becomes the program, found as
   any named outright. False when it points to no program. */
static bool FollowShortcut(EntryProgram *p)
{
    if (!ReadShortcut(p->found, s_szTarget, s_szLinkArgs, s_szLinkDir) ||
        !IsProgramFile(s_szTarget))
        return false;
    p->exists = FindProgram(s_szTarget, p->found);
    return true;
}

/* Starts the file found, by the route its kind takes (s_szShown: the same
   file as users see it). */
static StartResult StartFound(Start *s, const wchar_t *file, const wchar_t *dir)
{
    if (IsBatchFile(file)) {
        TextBuf out;
        OutStart(&out, s_szInterpreted, INTERPRETER_SIZE);
        if (!BatchCommand(&out, file, CommandLineTail(s_szStarted))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return out.cut ? START_TOO_LONG : START_BATCH_ARGUMENT;
        }
        if (s->starting)
            s->starting(s);
        return StartInterpreter(s_szInterpreted, s->wait, dir) ? START_OK : START_REFUSED;
    }
    if (s->starting)
        s->starting(s);
    if (StartProgram(file, s_szStarted, s->wait, dir))
        return START_OK;
    if (GetLastError() != ERROR_ELEVATION_REQUIRED)
        return START_REFUSED;
    /* The file as the elevation service, a 64-bit process, sees it, started
       in its own folder unless a shortcut names one: the document's
       folder is where it would look for DLLs it lacks. */
    wmemcpy(s_szFolder, s_szShown, FILE_SIZE);
    wchar_t *slash = wcsrchr(s_szFolder, L'\\');
    if (slash) /* C:\ keeps its separator: C: alone is a folder on C: */
        slash[slash == s_szFolder + 2] = L'\0';
    if (ElevateProgram(s_szShown, CommandLineTail(s_szStarted),
                       dir     ? dir
                       : slash ? s_szFolder
                               : NULL))
        return START_OK;
    return GetLastError() == ERROR_CANCELLED ? START_CANCELLED : START_REFUSED;
}

StartResult StartEntry(Start *s)
{
    EntryProgram *p = &s_program;
    s->command = s->program = s->file = NULL;
    if (!FindEntryProgram(s->entry, p))
        return START_UNCLOSED;
    /* A relative path names a file in the launcher's folder: the program
       gets that file's path, which it would otherwise take from the
       current folder. */
    const wchar_t *argv0 =
        p->exists && !NamesNoFolder(p->name) && !IsFullPath(p->name) ? p->found : p->name;
    const wchar_t *leading = L"", *dir = NULL;
    bool shortcut = p->exists && IsShortcut(p->found);
    if (shortcut) {
        s->file = p->found; /* named when it starts nothing */
        if (!FollowShortcut(p))
            return START_NO_PROGRAM;
        s->file = argv0 = s_szTarget;
        leading = s_szLinkArgs;
        dir = s_szLinkDir[0] ? s_szLinkDir : NULL;
    }
    const wchar_t *tail;
    StartResult r = SafeTail(s, &tail);
    if (r != START_OK)
        return r;
    TextBuf out;
    OutStart(&out, s_szStarted, STARTED_SIZE);
    BuildResult built = BuildCommand(&out, argv0, leading, p->args, tail, s->form, GetVariable);
    if (built != BUILD_OK)
        return built == BUILD_TOO_LONG ? START_TOO_LONG : START_TWO_WAYS;
    s->command = s_szStarted;
    if (!p->exists) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return START_REFUSED;
    }
    s->program = p->found;
    wmemcpy(s_szShown, p->found, FILE_SIZE);
    ShowAsUsersSee(s_szShown);
    /* Named, but for a full path that the entry names as it is written. */
    if (shortcut || p->name != p->written || !IsFullPath(p->written))
        s->file = s_szShown;
    return StartFound(s, p->found, dir);
}
