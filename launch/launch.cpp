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
static wchar_t s_szShown[FILE_SIZE]; /* the file found, as users see it */

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
    return true;
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

/* Starts the file found, by the route its kind takes. */
static StartResult StartFound(Start *s, const wchar_t *file, const wchar_t *dir)
{
    if (IsBatchFile(file)) {
        TextBuf out;
        OutStart(&out, s_szInterpreted, INTERPRETER_SIZE);
        if (!BatchCommand(&out, file, CommandLineTail(s_szStarted))) {
            SetLastError(ERROR_INVALID_PARAMETER); /* a line break in an argument */
            return out.cut ? START_TOO_LONG : START_REFUSED;
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
    if (ElevateProgram(file, CommandLineTail(s_szStarted), dir))
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
    TextBuf out;
    OutStart(&out, s_szStarted, STARTED_SIZE);
    if (!BuildCommand(&out, argv0, leading, p->args, s->tail, s->form, GetVariable))
        return START_TOO_LONG;
    s->command = s_szStarted;
    if (!p->exists) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return START_REFUSED;
    }
    s->program = p->found;
    /* Named, but for a full path that the entry names as it is written. */
    if (shortcut || p->name != p->written || !IsFullPath(p->written)) {
        wmemcpy(s_szShown, p->found, FILE_SIZE);
        ShowAsUsersSee(s_szShown);
        s->file = s_szShown;
    }
    return StartFound(s, p->found, dir);
}
