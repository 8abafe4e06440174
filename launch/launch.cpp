/*
 * Starting a list entry: its program's file, found by the name as it is
 * written or else as its variables expand (a folder may be called 50%off%);
 * a shortcut's target in its place; its command line, with the documents in
 * their place; a batch file run by the command interpreter, each argument as
 * data; and a program that asks for administrator rights started through
 * the shell's elevation prompt, the same file with the same arguments.
 */
#include "launch/launch.h"

#include "launch/arguments.h"
#include "launch/batch.h"
#include "launch/shortcut.h"
#include "launch/tail.h"
#include "platform/platform.h"

#include <wchar.h>

/* The document as a program that reads the ANSI command line will read it
   whole: as it is, or by its short name. False when neither will do. */
static bool SafeDocument(const wchar_t *document, wchar_t *shortName, const wchar_t **safe)
{
    *safe = document;
    if (AnsiKeepsArguments(document))
        return true;
    *safe = shortName;
    return ShortName(document, shortName) && AnsiKeepsArguments(shortName);
}

/* The tail with each document whose name the ANSI code page would turn into
   quotes or backslashes (U+FF02 is a best-fit quote) by its short name: the
   tail itself where none is. Several documents so become quoted arguments. */
static StartResult SafeTail(Start *s, const wchar_t **tail)
{
    StartTexts *t = s->texts;
    *tail = s->tail;
    if (s->form != TAIL_ARGUMENTS) {
        if (SafeDocument(s->tail, t->shortName, tail))
            return START_OK;
        s->file = s->tail;
        return START_ANSI_NAME;
    }
    TextBuf all, one;
    OutStart(&all, t->documents, COMMAND_LINE_SIZE);
    bool changed = false;
    for (const wchar_t *p = s->tail;
         (p = NextArgument(p, OutStart(&one, t->document, COMMAND_LINE_SIZE)));) {
        const wchar_t *safe;
        if (!SafeDocument(t->document, t->shortName, &safe)) {
            s->file = t->document;
            return START_ANSI_NAME;
        }
        changed = changed || safe != t->document;
        if (all.len)
            PutChar(&all, L' ');
        PutQuoted(&all, safe);
    }
    if (changed)
        *tail = t->documents;
    return all.truncated ? START_TOO_LONG : START_OK;
}

/* The shortcut that p found: its target becomes the program, found as any
   named outright. */
static StartResult FollowShortcut(EntryProgram *p, ShortcutStart *link)
{
    switch (ReadShortcutStart(p->found, link)) {
    case SHORTCUT_STARTS_NOTHING:
        return START_NO_PROGRAM;
    case SHORTCUT_READS_TWO_WAYS:
        return START_SHORTCUT_QUOTES;
    case SHORTCUT_FILLS_ALL:
        return START_TOO_LONG; /* arguments no command line can hold */
    case SHORTCUT_STARTS:
        break;
    }
    p->exists = FindProgram(link->target, p->found) == FOUND;
    return START_OK;
}

/* Starts the command interpreter on the batch file found. */
static StartResult StartBatch(Start *s, const wchar_t *file, const wchar_t *dir)
{
    StartTexts *t = s->texts;
    TextBuf out;
    OutStart(&out, t->interpreted, INTERPRETER_LINE_SIZE);
    if (!BatchCommand(&out, file, CommandLineTail(t->command), t->argument)) {
        s->error = SYSTEM_INVALID_PARAMETER;
        return out.truncated ? START_TOO_LONG : START_BATCH_ARGUMENT;
    }
    if (s->starting)
        s->starting(s->context, s);
    s->error = StartInterpreter(t->interpreted, s->wait, dir);
    return s->error ? START_REFUSED : START_OK;
}

/* Starts the file found, by the route its kind takes (t->shown: the same
   file as users see it). */
static StartResult StartFound(Start *s, const wchar_t *file, const wchar_t *dir)
{
    StartTexts *t = s->texts;
    if (IsBatchFile(file))
        return StartBatch(s, file, dir);
    if (s->starting)
        s->starting(s->context, s);
    s->error = StartProgram(file, t->command, s->wait, dir);
    if (s->error != SYSTEM_ELEVATION_REQUIRED)
        return s->error ? START_REFUSED : START_OK;
    /* The file as the elevation service, a 64-bit process, sees it, started
       in its own folder unless a shortcut names one: the document's
       folder is where it would look for DLLs it lacks. */
    if (!dir)
        dir = FolderOf(t->shown, t->folder);
    s->error = ElevateProgram(t->shown, CommandLineTail(t->command), dir);
    if (s->error == SYSTEM_CANCELLED)
        return START_CANCELLED;
    return s->error ? START_REFUSED : START_OK;
}

StartResult StartEntry(Start *s)
{
    StartTexts *t = s->texts;
    EntryProgram *p = &t->program;
    s->command = s->program = s->file = NULL;
    s->error = 0;
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
        StartResult followed = FollowShortcut(p, &t->link);
        if (followed != START_OK)
            return followed;
        s->file = argv0 = t->link.target;
        leading = t->link.args;
        dir = t->link.startIn[0] ? t->link.startIn : NULL;
    }
    const wchar_t *tail;
    StartResult r = SafeTail(s, &tail);
    if (r != START_OK)
        return r;
    TextBuf out;
    OutStart(&out, t->command, COMMAND_LINE_SIZE);
    BuildResult built =
        BuildCommand(&out, argv0, leading, p->args, tail, s->form, GetVariable, t->argument);
    if (built == BUILD_TOO_LONG)
        return START_TOO_LONG;
    if (built == BUILD_AMBIGUOUS_QUOTES)
        return START_AMBIGUOUS_QUOTES;
    s->command = t->command;
    if (!p->exists) {
        s->error = SYSTEM_FILE_NOT_FOUND;
        return START_REFUSED;
    }
    s->program = p->found;
    wmemcpy(t->shown, p->found, PATH_SIZE);
    ShowAsUsersSee(t->shown);
    /* Named, but for a full path that the entry names as it is written. */
    if (shortcut || p->name != p->written || !IsFullPath(p->written))
        s->file = t->shown;
    return StartFound(s, p->found, dir);
}
