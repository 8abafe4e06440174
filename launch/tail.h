/*
 * The tail: what follows the launcher's own name on its command line (a
 * document's path, as a rule), the quick-launch option "-n N" at its start,
 * and whether it is already in the form of a command line's arguments.
 * Only characters 1 to 32 are blanks in the launcher's own tail.
 */
#ifndef RUNVO_TAIL_H
#define RUNVO_TAIL_H

#include "launch/search.h"

/* The tail of a process command line: past the program's name (quoted, or up
   to the first unit of 32 or less) and the blanks after it. */
wchar_t *CommandLineTail(wchar_t *cmdline);

/* Recognises "-n" and a line index at the start of tail. *rest is the tail
   as it stands afterwards: past "-n", its number and their blanks when they
   are there, the whole tail when the option is not. True only when a line
   index was read into *index; an index past INT_MAX names no line. */
bool ParseQuickOption(const wchar_t *tail, int *index, const wchar_t **rest);

/* True when the tail is in the platform's command-line form already, to be
   passed as it is: it holds quotes of its own (its caller quoted it, as
   Windows quotes files with blanks in their names), or it is not itself an
   existing file or folder but splits at blanks into names that each exist
   (as Windows passes several files without blanks). */
bool TailIsArguments(const wchar_t *tail, ExistsFn exists);

/* How the tail reaches the program: as the arguments it already is (it has
   quotes of its own, or is several files: TailIsArguments); else as one
   document, which quick launch passes as one quoted argument and the
   chooser's start as it stands (one document where %1 stands). */
enum TailForm { TAIL_QUOTED, TAIL_VERBATIM, TAIL_ARGUMENTS };

/* The tail and its form, decided once at the start (TAIL_ARGUMENTS or
   TAIL_VERBATIM): the rules, the quick launch and the chooser's start all
   read it the same way. */
struct Tail {
    const wchar_t *text;
    TailForm form;
};

#endif /* RUNVO_TAIL_H */
