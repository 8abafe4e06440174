/*
 * The command line, unit by unit: the tail the launcher was given, the quick
 * launch option "-n N", the command text that starts a program, and which
 * program a command names. All of it is UTF-16 on Windows (wchar_t).
 */
#ifndef RUNVO_COMMAND_H
#define RUNVO_COMMAND_H

#include <stddef.h>

enum {
    COMMAND_SIZE = 264,     /* the command text with its terminator */
    COMMAND_LIMIT = 263,    /* what the length check measures against */
    QUICK_COMMAND_MAX = 261 /* the longest quick-launch command */
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

/* Builds the quick-launch command into cmd (COMMAND_SIZE units): the line
   quoted, a blank, and the tail as one quoted argument, or as it is when it
   holds quotes of its own. False when it would be longer than
   QUICK_COMMAND_MAX; cmd is then of no use. */
bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail);

/* Copies the program that a command text names into name (COMMAND_SIZE
   units): what follows the opening quote, up to the next quote, as the
   platform reads it. True when it names no folder (no \, / or :), so that
   the program is to be looked for. */
bool ProgramWithoutFolder(const wchar_t *cmd, wchar_t *name);

/* Keeps, in place, the folders of a PATH-style list (separated by ';') that
   do not depend on the current folder: those that begin with a drive and a
   separator, or with two separators (a network share). Returns the length
   of what is kept. */
size_t KeepAbsoluteFolders(wchar_t *list);

#endif /* RUNVO_COMMAND_H */
