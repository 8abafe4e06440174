/*
 * How a list entry reads: the program it names, the arguments of its own
 * that follow, the environment variables it names and where the documents go.
 *  - An entry that begins with a double quote is a command: the program is
 *    what the quotes enclose (Explorer's Copy as path writes just that), and
 *    what follows is the program's own arguments, as a file association's
 *    command writes them. Any other entry is one program's path, blanks and
 *    all.
 *  - %NAME% is the environment variable's value, as Windows reads shortcut
 *    targets: a list kept in OneDrive names the programs installed under each
 *    user's profile. A name that is not set stays as it is written.
 *  - Among the arguments, %1 marks where the documents go; %L and %*, which
 *    associations also write, mean the same. An entry without one gets them
 *    at the end.
 * And the entry's program found, as the launch and the chooser's rows find
 * it (launch/search.h says where).
 */
#ifndef RUNVO_ENTRY_H
#define RUNVO_ENTRY_H

#include "launch/sizes.h"
#include "launch/text.h"

#include <stddef.h>

/* An environment variable's value into value (size characters with its
   terminator). Gives its length when it fits, size or more when it does not
   (nothing is written then), 0 when it is not set. */
typedef size_t (*VariableFn)(const wchar_t *name, wchar_t *value, size_t size);

/* Writes the documents where a placeholder stands, as they read inside
   quotes; quoteFollows: a double quote comes next. */
typedef void (*PlaceFn)(void *context, TextBuf *out, bool quoteFollows);

/* The program an entry names into program (size characters); *args: what follows
   it. False when the entry opens a quote it does not close, or the program
   does not fit. */
bool SplitEntry(const wchar_t *entry, wchar_t *program, size_t size, const wchar_t **args);

/* Writes text to out with its variables expanded. With place, each
   placeholder is replaced by what place writes: inside the entry's quotes as
   it stands, elsewhere between quotes of its own; whether it stands inside
   them is read as the program will read it. False when the expanded text's
   quotes are ambiguous (two quotes inside quotes) or one is left open. */
bool ExpandEntry(TextBuf *out, const wchar_t *text, VariableFn variable, PlaceFn place,
                 void *context);

/* The program that an entry names, found as the launch finds it. */
struct EntryProgram {
    wchar_t written[PATH_SIZE], expanded[PATH_SIZE];
    wchar_t found[PATH_SIZE]; /* its file, when there is one */
    const wchar_t *name;      /* as written, or as expanded when only so found */
    const wchar_t *args;      /* the entry's own arguments */
    bool exists;
    bool waits; /* the search stopped where looking may wait */
};

/* The program that the entry names, as written and as its variables
   expand, and its own arguments; nothing is looked at. False when the entry
   opens a quote it does not close, or its program does not fit. */
bool ReadEntryProgram(const wchar_t *entry, EntryProgram *p);

/* The full path that the program is named by, as written or else as
   expanded; NULL when it is named otherwise (to be searched for, or from
   the launcher's folder). */
const wchar_t *NamedPath(const EntryProgram *p);

/* Looks for the file of the program that ReadEntryProgram read: as written
   first, then as expanded; p->exists says whether it was found. noWaiting:
   the search stops where looking may wait (p->waits), as the chooser's rows
   look. */
void FindEntryFile(EntryProgram *p, bool noWaiting = false);

/* ReadEntryProgram, then FindEntryFile. */
bool FindEntryProgram(const wchar_t *entry, EntryProgram *p);

/* The entry that names the file (a full path) as its program, into entry
   (PATH_SIZE characters): the path as it stands, which the list reads whole
   (a line that begins with no quote is one path, blanks and all), or its
   short form where the path holds a % that reading would expand. False
   where neither reads back as the file. */
bool EntryForFile(const wchar_t *file, wchar_t *entry);

/* Whether the file is one to list as a program: a program's file (.exe,
   .com, .bat, .cmd), or a shortcut to one; not a document, nor a shortcut
   to a document, a folder or an app of the Store. */
bool IsProgramToList(const wchar_t *file);

#endif /* RUNVO_ENTRY_H */
