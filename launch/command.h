/*
 * Assembling the command line that starts a program: the quick-launch
 * command with its length limit, the chooser's length check, and the
 * command built from an entry, its own arguments and the documents. All of
 * it is UTF-16 on Windows (wchar_t).
 */
#ifndef RUNVO_COMMAND_H
#define RUNVO_COMMAND_H

#include "launch/entry.h"
#include "launch/sizes.h"
#include "launch/tail.h"
#include "launch/text.h"

#include <stddef.h>

enum {
    COMMAND_LIMIT = COMMAND_SIZE - 1, /* what the length check measures against */
    QUICK_COMMAND_MAX = 261           /* the longest quick-launch command */
};

/* The length check of the interactive launch: does a command text of used
   characters, to which the closing quote, a blank and an argument of argLen
   characters are still to be added, stay within the limit? */
bool CommandFits(size_t used, size_t argLen);

/* Builds the quick-launch command into cmd (COMMAND_SIZE characters): the line
   quoted, a blank, and the tail as the arguments it is (TAIL_ARGUMENTS) or
   as one quoted argument. False when it would be longer than
   QUICK_COMMAND_MAX; cmd is then of no use. */
bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail, TailForm form);

enum BuildResult { BUILD_OK, BUILD_TOO_LONG, BUILD_AMBIGUOUS_QUOTES };

/* The command line that starts a program: argv0 in quotes and a blank,
   then the arguments that come first whatever the entry (a shortcut's:
   leading, as they are), then the entry's own arguments (args) with their
   variables expanded and the documents where a placeholder stands, or
   after them. BUILD_AMBIGUOUS_QUOTES when the entry's arguments, expanded,
   have ambiguous quotes or leave one open, so that a document would not be
   one argument of its own. argument: room for one argument read back
   (COMMAND_LINE_SIZE characters). */
BuildResult BuildCommand(TextBuf *out, const wchar_t *argv0, const wchar_t *leading,
                         const wchar_t *args, const wchar_t *tail, TailForm form,
                         VariableFn variable, wchar_t *argument);

#endif /* RUNVO_COMMAND_H */
