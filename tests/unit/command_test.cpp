/*
 * The command line built for a program, unit by unit: quick launch's
 * command with its length check and its tail in the arguments' form or as
 * one, and what any command line holds.
 */
#include "launch/command.h"
#include "launch/tail.h"
#include "tests/harness.h"

#include <wchar.h>

#include <string>

/* The files that exist, for telling several files from one argument. */
static bool Exists(const wchar_t *name)
{
    static const wchar_t *files[] = {L"C:\\P\\a.jpg", L"C:\\P\\b.jpg", L"a",
                                     L"a b",          L"C:\\My",       L"C:\\"};
    for (const wchar_t *f : files)
        if (wcscmp(name, f) == 0)
            return true;
    return false;
}

static void test_quick_command(void)
{
    const std::wstring l200(200, L'L'), l256(256, L'M'), l259(259, L'N');
    const std::wstring t56(56, L't'), t57(57, L't');
    /* Two quoted files, 58 and 59 units in all: passed as they are. */
    const std::wstring a26(26, L'a'), two58 = L"\"" + a26 + L"\" \"" + a26 + L"a\"",
                                      two59 = L"\"a" + a26 + L"\" \"" + a26 + L"a\"";
    const struct {
        const char *name;
        std::wstring line, tail;
        bool fits;
        std::wstring cmd;
    } rows[] = {
        {"document", L"C:\\tools\\reader.exe", L"C:\\docs\\a.txt", true,
         L"\"C:\\tools\\reader.exe\" \"C:\\docs\\a.txt\""},
        {"empty tail", L"p", L"", true, L"\"p\" \"\""},
        {"blanks inside", L"p", L"C:\\My Docs\\a.txt", true, L"\"p\" \"C:\\My Docs\\a.txt\""},
        {"already one quoted argument", L"p", L"\"C:\\My Docs\\a.txt\"", true,
         L"\"p\" \"C:\\My Docs\\a.txt\""},
        {"two quoted files", L"p", L"\"C:\\My Docs\\a b.txt\" \"C:\\My Docs\\c d.txt\"", true,
         L"\"p\" \"C:\\My Docs\\a b.txt\" \"C:\\My Docs\\c d.txt\""},
        {"quoted and plain", L"p", L"\"a b.txt\" c.txt", true, L"\"p\" \"a b.txt\" c.txt"},
        {"quoted empty", L"p", L"\"\"", true, L"\"p\" \"\""},
        {"one quote alone", L"p", L"\"", true, L"\"p\" \""},
        {"quote inside", L"p", L"a\"b", true, L"\"p\" a\"b"},
        {"quoted, backslash at the end", L"p", L"\"C:\\\\\"", true, L"\"p\" \"C:\\\\\""},
        {"trailing backslash", L"p", L"C:\\", true, L"\"p\" \"C:\\\\\""},
        {"two trailing backslashes", L"p", L"a\\\\", true, L"\"p\" \"a\\\\\\\\\""},
        {"inner backslash", L"p", L"a\\b", true, L"\"p\" \"a\\b\""},
        {"outside the code page", L"\xe9.exe", L"\x65e5\x672c \x3a9 \xd83d\xde00.txt", true,
         L"\"\xe9.exe\" \"\x65e5\x672c \x3a9 \xd83d\xde00.txt\""},
        {"200 + 56: at the limit", l200, t56, true, L"\"" + l200 + L"\" \"" + t56 + L"\""},
        {"200 + 57: too long", l200, t57, false, L""},
        {"200 + quoted 56", l200, L"\"" + t56 + L"\"", true, L"\"" + l200 + L"\" \"" + t56 + L"\""},
        {"200 + quoted 57", l200, L"\"" + t57 + L"\"", false, L""},
        {"200 + two quoted, 58 in all", l200, two58, true, L"\"" + l200 + L"\" " + two58},
        {"200 + two quoted, 59 in all", l200, two59, false, L""},
        {"200 + 55 and a backslash", l200, t56.substr(1) + L"\\", false, L""},
        {"200 + 54 and a backslash", l200, t56.substr(2) + L"\\", true,
         L"\"" + l200 + L"\" \"" + t56.substr(2) + L"\\\\\""},
        {"256 and nothing", l256, L"", true, L"\"" + l256 + L"\" \"\""},
        {"259 and nothing", l259, L"", false, L""},
        {"259 and a quote", l259, L"\"", false, L""},
        {"two files without blanks", L"p", L"C:\\P\\a.jpg C:\\P\\b.jpg", true,
         L"\"p\" C:\\P\\a.jpg C:\\P\\b.jpg"},
        {"two files, one backslash at the end", L"p", L"C:\\ a", true, L"\"p\" C:\\ a"},
        {"two files, blanks between and after", L"p", L"C:\\P\\a.jpg  C:\\P\\b.jpg\ta ", true,
         L"\"p\" C:\\P\\a.jpg  C:\\P\\b.jpg\ta "},
        {"one of two is no file: one argument", L"p", L"C:\\P\\a.jpg C:\\P\\c.jpg", true,
         L"\"p\" \"C:\\P\\a.jpg C:\\P\\c.jpg\""},
        {"one file and a blank", L"p", L"C:\\P\\a.jpg ", true, L"\"p\" \"C:\\P\\a.jpg \""},
        {"itself a file", L"p", L"a b", true, L"\"p\" \"a b\""},
        /* A name of 260 characters among several: no file of it, and no
           name that long is copied to be asked about. */
        {"a name of 260 and another", L"p", std::wstring(260, L'n') + L" a", false, L""},
    };
    for (const auto &row : rows) {
        wchar_t *cmd = new wchar_t[COMMAND_SIZE]; /* exact size: ASan sees any overrun */
        TailForm form = TailIsArguments(row.tail.c_str(), Exists) ? TAIL_ARGUMENTS : TAIL_QUOTED;
        bool fits = BuildQuickCommand(cmd, row.line.c_str(), row.tail.c_str(), form);
        ok(fits == row.fits, "%s: fits %d", row.name, fits);
        if (fits && row.fits)
            ok(cmd == row.cmd, "%s: got [%s]", row.name, Shown(cmd).c_str());
        if (fits)
            ok(wcslen(cmd) <= QUICK_COMMAND_MAX, "%s: %lu units", row.name,
               (unsigned long)wcslen(cmd));
        delete[] cmd;
    }
}

/* What any command line holds, as the interactive launch measures it: the
   text so far, a closing quote, a blank and the argument. */
static void test_command_fits(void)
{
    static const struct {
        size_t used, argLen;
        bool fits;
    } rows[] = {
        {0, 0, true},
        {COMMAND_LIMIT - 3, 0, true},
        {COMMAND_LIMIT - 2, 0, false},
        {200, COMMAND_LIMIT - 203, true},
        {200, COMMAND_LIMIT - 202, false},
    };
    for (const auto &row : rows)
        ok(CommandFits(row.used, row.argLen) == row.fits, "%lu and %lu: fits %d",
           (unsigned long)row.used, (unsigned long)row.argLen, CommandFits(row.used, row.argLen));
}

int main()
{
    test_quick_command();
    test_command_fits();
    return TestSummary("command");
}
