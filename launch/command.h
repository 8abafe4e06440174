/*
 * The command line, byte by byte: the tail the launcher was given, the quick
 * launch option "-n N", and the command text that starts a program.
 */
#ifndef RUNVO_COMMAND_H
#define RUNVO_COMMAND_H

#include <stddef.h>

enum {
    COMMAND_SIZE = 264, /* the command text with its terminator */
    COMMAND_LIMIT = 263 /* what the length check measures against */
};

/* The tail of a process command line: past the program's name (quoted, or up
   to the first byte of 32 or less) and the blanks after it. */
char *CommandLineTail(char *cmdline);

/* Recognises "-n" and a line index at the start of tail. *rest is the tail
   as it stands afterwards: past "-n", its number and their blanks when they
   are there, the whole tail when the option is not. True only when a line
   index was read into *index; an index past INT_MAX names no line. */
bool ParseQuickOption(const char *tail, int *index, const char **rest);

/* The length check: does a command text of used bytes, to which an argument
   of argLen bytes is still to be added, stay within the limit? */
bool CommandFits(size_t used, size_t argLen);

/* Builds the quick-launch command into cmd (COMMAND_SIZE bytes): the line
   quoted, a blank, and the tail quoted as one argument. False when it would
   be too long; cmd is then of no use. */
bool BuildQuickCommand(char *cmd, const char *line, const char *tail);

#endif /* RUNVO_COMMAND_H */
