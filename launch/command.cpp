/*
 * Assembling the commands that start a program, its arguments quoted as
 * programs read them back.
 */
#include "launch/command.h"

#include "launch/arguments.h"

#include <wchar.h>

bool CommandFits(size_t used, size_t argLen)
{
    return used + argLen + 3 <= COMMAND_LIMIT;
}

bool BuildQuickCommand(wchar_t *cmd, const wchar_t *line, const wchar_t *tail, TailForm form)
{
    TextBuf t;
    PutChar(OutStart(&t, cmd, COMMAND_SIZE), L'"');
    PutText(&t, line);
    PutText(&t, L"\" ");
    if (form == TAIL_ARGUMENTS)
        PutText(&t, tail);
    else
        PutQuoted(&t, tail);
    return !t.truncated && t.len <= QUICK_COMMAND_MAX;
}

/* The documents of a tail, and whether a placeholder took them. */
struct Documents {
    const wchar_t *tail;
    bool split, placed;
    wchar_t *argument; /* one of them at a time, read back */
};

/* Each document where a placeholder stands, as it reads inside quotes; more
   than one become arguments of their own there. */
static void PlaceDocuments(void *context, TextBuf *out, bool quoteFollows)
{
    Documents *docs = static_cast<Documents *>(context);
    docs->placed = true;
    if (!docs->split) {
        PutEscaped(out, docs->tail, quoteFollows);
        return;
    }
    TextBuf arg;
    const wchar_t *p = docs->tail;
    for (bool first = true;
         (p = NextArgument(p, OutStart(&arg, docs->argument, COMMAND_LINE_SIZE))); first = false) {
        if (!first)
            PutText(out, L"\" \"");
        const wchar_t *next = p;
        while (IsArgumentBlank(*next))
            next++;
        PutEscaped(out, docs->argument, quoteFollows || *next);
    }
}

/* A tail whose quotes are ambiguous, as the arguments that today's runtime
   reads in it, each quoted: one reading for every program. */
static void PutRequoted(TextBuf *out, const wchar_t *tail, wchar_t *argument)
{
    TextBuf arg;
    const wchar_t *p = tail;
    for (size_t n = 0; (p = NextArgument(p, OutStart(&arg, argument, COMMAND_LINE_SIZE))); n++) {
        if (n > 0)
            PutChar(out, L' ');
        PutQuoted(out, argument);
    }
}

BuildResult BuildCommand(TextBuf *out, const wchar_t *argv0, const wchar_t *leading,
                         const wchar_t *args, const wchar_t *tail, TailForm form,
                         VariableFn variable, wchar_t *argument)
{
    Documents docs = {tail, form == TAIL_ARGUMENTS, false, argument};
    PutChar(out, L'"');
    PutText(out, argv0);
    PutChar(out, L'"');
    if (*leading) {
        PutChar(out, L' ');
        PutText(out, leading);
    }
    /* The C runtime would fold "x.exe"--open into the program's name. */
    if (*args && !IsArgumentBlank(*args))
        PutChar(out, L' ');
    bool oneWay = ExpandEntry(out, args, variable, PlaceDocuments, &docs);
    if (!docs.placed) {
        PutChar(out, L' ');
        if (form == TAIL_QUOTED)
            PutQuoted(out, tail);
        else if (QuotesReadOneWay(tail))
            PutText(out, tail);
        else /* each argument as today's runtime reads it, quoted anew */
            PutRequoted(out, tail, argument);
    }
    if (out->truncated)
        return BUILD_TOO_LONG;
    return oneWay ? BUILD_OK : BUILD_AMBIGUOUS_QUOTES;
}
