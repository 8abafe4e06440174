/*
 * The list kept from the chooser, on the user's command alone: a program
 * added (from the Open dialog, or dropped on the chooser), a row's line
 * removed, and Always: a rule for the document's type written into the
 * first line. The list is read again just before it is written, and
 * written whole, in its own form, or not at all; whatever stops a change is
 * told in words that name the list's path, and the chooser stays open.
 */
#ifndef RUNVO_LISTEDIT_H
#define RUNVO_LISTEDIT_H

#include "launch/listwrite.h"
#include "ui/chooser.h"

/* Makes the change to the list file, as the user asked: read again (where
   it changed since the chooser showed it, shown anew and left as it is),
   changed and written whole; then its rows shown anew, row selected (past
   the last: the last). False where the list was left as it was: told in
   words, and of Always (starting), that the program starts all the same. */
bool ChangeListFile(Chooser *c, const ListChange *change, int row, bool starting = false);

/* Tells the user a text of the list's, owned by the chooser: inserts after
   %1, which is the list's path; starting: the program starts all the
   same. */
void TellOfList(const Chooser *c, StringId text, const WCHAR *const *more = NULL, size_t n = 0,
                bool starting = false);

/* Asks, then removes the line that the row came from. */
void RemoveRow(Chooser *c, int row);

/* The one type of the tail's documents (.pdf, https:) into type (size
   characters); false for none: Always does not apply. */
bool AlwaysType(const Chooser *c, WCHAR *type, size_t size);

/* Writes the rule that makes the row's program the one for documents of
   the tail's type; tells the user why where it is not written (before the
   program starts: the caller starts it either way). */
void WriteAlways(Chooser *c, int row);

#endif /* RUNVO_LISTEDIT_H */
