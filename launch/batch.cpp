/*
 * Arguments as the command interpreter passes them on to a batch file.
 */
#include "launch/batch.h"

#include "launch/arguments.h"
#include "launch/sizes.h"

#include <wchar.h>

/* ASCII letters, digits and #$*+-./:?@\_: the few characters that the
   interpreter never reads as its own, nor as a part between arguments. */
static bool IsPlainForInterpreter(wchar_t c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || (c != L'\0' && wcschr(L"#$*+-./:?@\\_", c));
}

/* An argument as the interpreter passes it on to a batch file. Inside
   quotes, & | < > ^ ( ) , ; = and blanks are text in all three of its
   readings: of the /c line, of %* where the batch file passes it on, and
   of "%~1"; a backslash before a closing quote is doubled, as for any
   program. A % becomes %%cd:~,%: the /c line reads %cd:~,% as an empty
   part of the current folder's name and keeps the % before it, so that no
   %NAME% is ever formed there, and the batch file reads its arguments
   without expanding them again. */
static void PutForInterpreter(TextBuf *out, const wchar_t *arg, bool quote)
{
    size_t len = wcslen(arg);
    for (size_t i = 0; i < len; i++)
        quote = quote || !IsPlainForInterpreter(arg[i]);
    quote = quote || len == 0 || arg[len - 1] == L'\\';
    if (quote)
        PutChar(out, L'"');
    size_t backslashes = 0;
    for (; *arg; arg++) { /* it holds no quote: BatchCommand refuses one */
        if (*arg == L'%')
            PutText(out, L"%%cd:~,");
        backslashes = *arg == L'\\' ? backslashes + 1 : 0;
        PutChar(out, *arg);
    }
    if (quote) {
        PutRepeat(out, L'\\', backslashes);
        PutChar(out, L'"');
    }
}

bool BatchCommand(TextBuf *out, const wchar_t *batch, const wchar_t *args, wchar_t *argument)
{
    /* /d: no AutoRun; /e:on: extensions, for %cd:~,%; /v:off: ! is text;
       /s: what follows /c is taken as it is, less its outer quotes. */
    PutText(out, L"cmd /d /e:on /v:off /s /c \"");
    PutForInterpreter(out, batch, true);
    TextBuf arg;
    while ((args = NextArgument(args, OutStart(&arg, argument, COMMAND_LINE_SIZE)))) {
        if (wcspbrk(argument, L"\r\n\""))
            return false;
        PutChar(out, L' ');
        PutForInterpreter(out, argument, false);
    }
    PutChar(out, L'"');
    return !out->truncated;
}
