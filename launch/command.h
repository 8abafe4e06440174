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

/* Says whether a file or folder of this name exists. */
typedef bool (*ExistsFn)(const wchar_t *name);

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

/* Copies the program that a command text names into name (COMMAND_SIZE
   units): what follows the opening quote, up to the next quote, as the
   platform reads it. Returns the rest: what follows the closing quote. */
const wchar_t *ProgramName(const wchar_t *cmd, wchar_t *name);

/* True when a program's name holds no folder (no \, / or :): it is to be
   looked for. */
bool NamesNoFolder(const wchar_t *name);

/* The file that a program named with a folder names, into path (size
   units). A full path names itself; every other form is taken from the
   launcher's own folder (ownFolder, a full path ending in a separator),
   never from the current one: tools\x.exe and ..\x.exe from there, \x.exe
   on its drive or share, and C:x.exe as C:\x.exe (from the drive's root, as
   in a process that has not moved on that drive). False when there is no
   such file name: it does not fit, or ownFolder is unknown (empty). */
bool ProgramFile(const wchar_t *name, const wchar_t *ownFolder, wchar_t *path, size_t size);

/* True for a file that the command interpreter runs (.bat, .cmd). */
bool IsBatchFile(const wchar_t *path);

/* The command that has the command interpreter cmdExe run the batch file
   at its full path, with the arguments that followed the program in the
   command text (rest), into out (size units). The interpreter's own
   characters outside quotes (& | < > ^) are escaped, so that each reaches
   the batch file as it stands in a document's name, never as a command of
   its own. False when it does not fit. */
bool BatchCommand(wchar_t *out, size_t size, const wchar_t *cmdExe, const wchar_t *batch,
                  const wchar_t *rest);

/* Keeps, in place, the folders of a PATH-style list (separated by ';') that
   do not depend on the current folder: those that begin with a drive and a
   separator, or with two separators (a network share); in order, as long as
   they fit in most units. Returns the length of what is kept. */
size_t KeepAbsoluteFolders(wchar_t *list, size_t most);

#endif /* RUNVO_COMMAND_H */
