/*
 * Recognising the quick-launch option and building commands. Only bytes 1 to
 * 32 are blanks here; bytes from 128 up belong to the text.
 */
#include "launch/command.h"

#include "launch/text.h"

#include <limits.h>
#include <string.h>

char *CommandLineTail(char *p)
{
    if (*p == '"') {
        p++;
        while (*p && *p != '"')
            p++;
        if (*p == '"')
            p++;
    } else {
        while (*p && !IsBlank(*p))
            p++;
    }
    while (IsBlank(*p))
        p++;
    return p;
}

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool ParseQuickOption(const char *tail, int *index, const char **rest)
{
    *rest = tail;
    if (tail[0] != '-' || tail[1] != 'n')
        return false;
    const char *p = SkipBlanks(tail + 2);
    *rest = p;
    if (!IsDigit(*p))
        return false;
    int value = 0;
    bool fits = true;
    for (; IsDigit(*p); p++) {
        int digit = *p - '0';
        if (value > (INT_MAX - digit) / 10)
            fits = false; /* the digits are still passed over */
        if (fits)
            value = value * 10 + digit;
    }
    *rest = SkipBlanks(p);
    *index = value;
    return fits;
}

bool CommandFits(size_t used, size_t argLen)
{
    return used + argLen + 3 <= COMMAND_LIMIT;
}

/* A tail that already is one quoted argument, as Windows passes a path with
   blanks: quoting it again would split it into two. */
static bool IsOneQuotedArgument(const char *tail, size_t len)
{
    return len >= 2 && tail[0] == '"' && tail[len - 1] == '"' &&
           memchr(tail + 1, '"', len - 2) == NULL;
}

static size_t TrailingBackslashes(const char *tail, size_t len)
{
    size_t n = 0;
    while (n < len && tail[len - 1 - n] == '\\')
        n++;
    return n;
}

bool BuildQuickCommand(char *cmd, const char *line, const char *tail)
{
    size_t len = strlen(tail);
    bool quoted = IsOneQuotedArgument(tail, len);
    /* Backslashes before the closing quote would escape it: each is doubled,
       and the added bytes count in the length check. */
    size_t backslashes = quoted ? 0 : TrailingBackslashes(tail, len);
    size_t argLen = quoted ? len - 2 : len + backslashes;

    cmd[0] = '\0';
    AppendText(cmd, COMMAND_SIZE, "\"");
    AppendText(cmd, COMMAND_SIZE, line);
    AppendText(cmd, COMMAND_SIZE, "\" \"");
    if (!CommandFits(strlen(cmd), argLen))
        return false;
    AppendText(cmd, COMMAND_SIZE, quoted ? tail + 1 : tail);
    if (!quoted) {
        size_t end = strlen(cmd);
        memset(cmd + end, '\\', backslashes);
        cmd[end + backslashes] = '\0';
        AppendText(cmd, COMMAND_SIZE, "\"");
    }
    return true;
}
