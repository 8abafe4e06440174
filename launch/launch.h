/*
 * Starting a list entry with the tail: the program it names found, its
 * command built, the program started, and, where it asks for administrator
 * rights, started again through the shell's elevation prompt. An entry that
 * names a shortcut (.lnk) starts what the shortcut points to, with the
 * shortcut's own arguments first and in its Start in folder, by the same
 * route as any other program.
 */
#ifndef RUNVO_LAUNCH_H
#define RUNVO_LAUNCH_H

#include "launch/command.h"
#include "launch/entry.h"
#include "launch/shortcut.h"
#include "launch/sizes.h"
#include "platform/platform.h"

enum StartResult {
    START_OK,
    START_CANCELLED, /* the user declined the elevation prompt */
    START_TOO_LONG,  /* over the platform's limits once expanded */
    /* Not started, for the launch to say why: */
    START_REFUSED,          /* by the system: Start's error says why */
    START_UNCLOSED,         /* the entry opens a quote it does not close */
    START_NO_PROGRAM,       /* a shortcut to a document, a folder or a Store app */
    START_AMBIGUOUS_QUOTES, /* the entry's quotes are ambiguous, or one is left open */
    START_SHORTCUT_QUOTES,  /* the same of a shortcut's arguments */
    START_ANSI_NAME,        /* a document's name reads as other arguments in ANSI,
                               and has no short name that does not */
    START_BATCH_ARGUMENT    /* an argument a batch file cannot take whole: it
                               holds a quote or a line break (error 87) */
};

/* What one start finds and builds, kept by its caller for as long as it
   shows them: too big for a stack frame of the 32-bit build. */
struct StartTexts {
    EntryProgram program;
    wchar_t command[COMMAND_LINE_SIZE];         /* the command line built */
    wchar_t interpreted[INTERPRETER_LINE_SIZE]; /* the interpreter's, for a batch file */
    ShortcutStart link;        /* a shortcut's target, arguments and Start in folder */
    wchar_t shown[PATH_SIZE];  /* the file found as users see it */
    wchar_t folder[PATH_SIZE]; /* its folder, where it is elevated */
    /* The documents safe for programs that read the ANSI command line, and
       one of them at a time with its short name. */
    wchar_t documents[COMMAND_LINE_SIZE], document[COMMAND_LINE_SIZE], shortName[PATH_SIZE];
    wchar_t argument[COMMAND_LINE_SIZE]; /* one argument read back */
};

/* One start of an entry. */
struct Start {
    const wchar_t *entry, *tail;
    TailForm form;
    bool wait; /* until the program is ready for input, as WinExec waits once
                  USER32 is loaded */
    /* Called with context once the command is built, just before the
       program starts; NULL for none. */
    void (*starting)(void *context, const Start *start);
    void *context;
    StartTexts *texts; /* where what the start finds is kept */
    /* What StartEntry found: the command line built for the program (NULL
       when none was); the file that starts (NULL when none was found); and
       that file again when it is not the entry as written (a name searched
       for, a variable, a shortcut's target), else NULL; a shortcut that
       starts no program is that shortcut, a document of START_ANSI_NAME
       that document. */
    const wchar_t *command = NULL, *program = NULL, *file = NULL;
    SystemError error = 0; /* the system's error number, for START_REFUSED */
};

StartResult StartEntry(Start *start);

#endif /* RUNVO_LAUNCH_H */
