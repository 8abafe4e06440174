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

#include <stddef.h>

/* The default of a first line into text (size characters, truncated to
   fit): the line itself, or, where it carries rules, what comes before its
   first '|', less the blanks before that. A line that the read cut short
   (cut) carries no rules: the rest of a rule's text would be read as a
   text that preselects another program. */
void FirstLineDefault(const wchar_t *line, wchar_t *text, size_t size, bool cut = false);

/* The text of the first rule of the line that applies to the documents of
   the tail into text (size characters): the tail's arguments where it is in
   that form already (arguments: TailIsArguments), else the whole tail, one
   document. False when none applies, or the line carries no rules (a line
   the read cut short carries none). */
bool RuleForTail(const wchar_t *line, const wchar_t *tail, bool arguments, wchar_t *text,
                 size_t size, bool cut = false);

#endif /* RUNVO_RULES_H */
