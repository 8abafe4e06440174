/*
 * Argument splitting: how the platform's programs split a command line into
 * arguments (the C runtime's rules), and how an argument is quoted so that
 * they read it back whole. Outside quotes, blanks and tabs part arguments;
 * 2n backslashes and a quote are n backslashes and a quote that opens or
 * closes quotes; 2n + 1 backslashes and a quote are n backslashes and a
 * quote itself; any other backslash is itself.
 *
 * Two quotes inside quotes are ambiguous: today's C runtime reads a quote
 * and stays inside, the older one that msvcrt.dll still is (and that many
 * programs use) reads a quote that ends them. The launcher never hands on a
 * command line whose quotes are ambiguous.
 */
#ifndef RUNVO_ARGUMENTS_H
#define RUNVO_ARGUMENTS_H

#include "launch/text.h"

/* Where splitting a text has got to. */
struct Splitting {
    bool quoted;    /* inside quotes */
    bool ambiguous; /* two quotes inside quotes were read */
};

/* One step of splitting at p, which is not at the text's end: a run of
   backslashes and the quote after them, or one other unit. What it means
   goes to arg (NULL: nowhere), as today's runtime reads it; returns where
   the next step starts. */
const wchar_t *SplitStep(const wchar_t *p, Splitting *s, TextBuf *arg);

/* How the quotes of the whole text read. */
Splitting SplitWhole(const wchar_t *text);

/* Whether programs read the text's quotes one way: none ambiguous, and
   none left open. */
bool QuotesReadOneWay(const wchar_t *text);

/* True for the characters that part arguments outside quotes. */
inline bool IsArgumentBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

/* The next argument of a command line at p, into arg. Returns where it
   ends, NULL when no argument is left. */
const wchar_t *NextArgument(const wchar_t *p, TextBuf *arg);

/* An argument as it reads inside quotes: a quote, and the backslashes
   before it, escaped; the backslashes at its end doubled when quoteFollows.
   Backslashes that out ends with count as the argument's own. */
void PutEscaped(TextBuf *out, const wchar_t *s, bool quoteFollows);

/* An argument in quotes, as programs read it back whole. */
void PutQuoted(TextBuf *out, const wchar_t *s);

/* Whether a character beyond ASCII, as its bytes in an ANSI code page
   (WideCharToMultiByte's best fit), splits and escapes there as it does in
   UTF-16, and matches no other files: none of its single-byte characters
   is a quote, a backslash, a blank, a control character or a wildcard (*
   and ?, which runtimes that expand wildcards in arguments read so). The
   caller leaves out a ? that stands for a character the code page cannot
   hold at all. The trail byte of a double-byte character is part of it
   whatever its value (0x5C in Shift-JIS): isLead says which bytes lead one
   in that code page. */
bool AnsiBytesReadAlike(const unsigned char *bytes, size_t n, bool (*isLead)(unsigned char));

#endif /* RUNVO_ARGUMENTS_H */
