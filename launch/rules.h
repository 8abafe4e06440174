/*
 * The first line of the list file: the default, the text that preselects an
 * entry, and after a '|' the rules that preselect by what is opened:
 *
 *     notepad | .jpg .png = "C:\Program Files\Viewer | https: mailto: = firefox
 *
 * Each rule is one or more types, '=', and its text, matched as the default
 * is. A type is an extension with its dot (.jpg, any case) or a scheme with
 * its colon (https:, two characters or more before it: C: is a drive). A
 * rule applies when the tail holds at least one document and every document
 * has one of its types; the first that applies wins. Blanks around '|' and
 * '=' are no part of the texts. A first line whose parts after a '|' do not
 * all read as rules is the default as it stands, whole, as it always was.
 */
#ifndef RUNVO_RULES_H
#define RUNVO_RULES_H

#include "launch/tail.h"

#include <stddef.h>

/* The default of a first line into text (size characters, truncated to
   fit): the line itself, or, where it carries rules, what comes before its
   first '|', less the blanks before that. A line that the read cut short
   (cut) carries no rules: the rest of a rule's text would be read as a
   text that preselects another program. */
void FirstLineDefault(const wchar_t *line, wchar_t *text, size_t size, bool cut = false);

/* The text of the first rule of the line that applies to the documents of
   the tail into text (size characters): the tail's arguments where it is in
   that form already (TAIL_ARGUMENTS), else the whole tail, one document.
   False when none applies, or the line carries no rules (a line the read
   cut short carries none). */
bool RuleForTail(const wchar_t *line, const wchar_t *tail, TailForm form, wchar_t *text,
                 size_t size, bool cut = false);

/* The one type of the tail's documents, as a rule names it (.pdf, in
   lower case where ASCII; https:), into type (size characters): the type
   that every document has. False for none: no document, a folder
   (isFolder), a name without an extension, documents of several types, or
   a type that a rule could not name. */
bool TailType(const wchar_t *tail, TailForm form, bool (*isFolder)(const wchar_t *path),
              wchar_t *type, size_t size);

/* The first line with a rule that takes documents of the type to text, into
   out (size characters): the default and every other rule as they are, but
   for the type, taken out of any rule that had it (a rule left with no type
   goes). False where the line cannot carry it: the read cut it (cut), its
   parts after a '|' are not all rules, the text is not one that a rule
   keeps whole (empty, blanks at its ends, a '|'), or out is too small. */
bool LineWithRule(const wchar_t *line, bool cut, const wchar_t *type, const wchar_t *text,
                  wchar_t *out, size_t size);

/* An entry of the chooser's rows, by its index, into entry (PATH_SIZE);
   false past the last. */
typedef bool (*EntryAtFn)(void *context, int index, wchar_t *entry);

/* The row that a text preselects, as the chooser does: the first whose
   entry begins with it, case-blind; -1 for none. */
int RowBeginningWith(const wchar_t *text, EntryAtFn entryAt, void *context);

/* The row the chooser opens on, for the list's first line (cut: the read
   cut it short) and the tail: the one the first rule that the tail's
   documents meet begins, else (and where that text begins no row) the one
   the default begins; the first row for an empty default; -1 for none. */
int PreselectedRow(const wchar_t *first, bool cut, const wchar_t *tail, TailForm form,
                   EntryAtFn entryAt, void *context);

#endif /* RUNVO_RULES_H */
