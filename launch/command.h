/*
 * The command line, unit by unit: the tail the launcher was given, the quick
 * launch option "-n N", and the commands that start a program, as the
 * program reads its arguments and as the command interpreter reads them for
 * a batch file. All of it is UTF-16 on Windows (wchar_t).
 */
#ifndef RUNVO_COMMAND_H
#define RUNVO_COMMAND_H

#include "launch/entry.h"
#include "launch/search.h"
#include "launch/text.h"

#include <stddef.h>

enum {
    COMMAND_SIZE = 264,      /* the command text with its terminator */
    COMMAND_LIMIT = 263,     /* what the length check measures against */
    QUICK_COMMAND_MAX = 261, /* the longest quick-launch command */
    /* The platform's own limits, with their terminators: of a command
       line, and of what the command interpreter reads. */
    STARTED_SIZE = 32767,
    INTERPRETER_SIZE = 8192
};

/* The tail of a process command line: past the program's name (quoted, or up
   to the first unit of 32 or less) and the blanks after it. */
wchar_t *CommandLineTail(wchar_t *cmdline);

/* Recognises "-n" and a line index at the start of tail. *rest is the tail
   as it stands afterwards: past "-n", its number and their blanks when they
   are there, the whole tail when the option is not. True only when a line
   index was read into *index; an index past INT_MAX names no line. */
bool ParseQuickOption(const wchar_t *tail, int *index, const wchar_t **rest);

/* The length check of the interactive launch: does a command text of used
   units, to which the closing quote, a blank and an argument of argLen units
   are still to be added, stay within the limit? */
bool CommandFits(size_t used, size_t argLen);

/* True when the tail is in the platform's command-line form already, to be
   passed as it is: it holds quotes of its own (its caller quoted it, as
   Windows quotes files with blanks in their names), or it is not itself an
   existing file or folder but splits at blanks into names that each exist
   (as Windows passes several files without blanks). */
bool TailIsArguments(const wchar_t *tail, ExistsFn exists);

/* Builds the quick-launch command into cmd (COMMAND_SIZE units): the line
   quoted, a blank, and the tail as it is (asItIs) or as one quoted argument.
   False when it would be longer than QUICK_COMMAND_MAX; cmd is then of no
   use. */
bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail, bool asItIs);

/* The next argument of a command line at p, by the rules of the platform's
   programs (blanks and tabs part arguments outside quotes; 2n backslashes
   and a quote are n backslashes and a quote that opens or closes; 2n + 1 and
   a quote, n and a quote itself; two quotes inside quotes, one quote), into
   arg. Returns where it ends, NULL when no argument is left. */
const wchar_t *NextArgument(const wchar_t *p, TextBuf *arg);

/* How the tail reaches the program: as one quoted argument (quick launch),
   as it is but one document where %1 stands (the chooser), or as the
   arguments it already is (it has quotes of its own, or is several files). */
enum TailForm { TAIL_QUOTED, TAIL_TYPED, TAIL_ARGUMENTS };

/* An argument in quotes, as programs read it back whole. */
void PutQuoted(TextBuf *out, const wchar_t *s);

enum BuildResult { BUILD_OK, BUILD_TOO_LONG, BUILD_TWO_WAYS };

/* The command line that starts a program: argv0 in quotes and a blank,
   then the arguments that come first whatever the entry (a shortcut's:
   leading, as they are), then the entry's own arguments (args) with their
   variables expanded and the documents where a placeholder stands, or
   after them. BUILD_TWO_WAYS when the entry's arguments, expanded, read two
   ways or leave a quote open, so that a document would not be one
   argument of its own. */
BuildResult BuildCommand(TextBuf *out, const wchar_t *argv0, const wchar_t *leading,
                         const wchar_t *args, const wchar_t *tail, TailForm form, LookupFn lookup);

/* The command line that has the command interpreter run the batch file at
   its full path with the arguments of a command line (args), each as data:
   quoted unless it is only ASCII letters, digits and #$*+-./:?@\_, so that
   the batch file gets it whole through %*, %1 and "%~1", and with every %
   written so that no variable can be formed. The interpreter runs no
   AutoRun command, expands no !NAME! and has its extensions, which that
   needs. False when it does not fit (out is then cut) or an argument holds
   a line break, which would end the interpreter's command, or a quote,
   which the interpreter and the programs it starts read differently. */
bool BatchCommand(TextBuf *out, const wchar_t *batch, const wchar_t *args);

#endif /* RUNVO_COMMAND_H */
