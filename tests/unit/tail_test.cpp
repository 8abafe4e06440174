/*
 * The launcher's own command line, unit by unit: the tail after the
 * program's name, the quick-launch option, and the quick-launch command
 * with its length check and its tail in the arguments' form or as one.
 */
#include "launch/command.h"
#include "launch/tail.h"
#include "tests/harness.h"

#include <limits.h>
#include <wchar.h>

#include <string>

static void test_command_line_tail(void)
{
    static const struct {
        const wchar_t *cmdline, *tail;
    } rows[] = {
        {L"runvo.exe a b", L"a b"},
        {L"runvo.exe", L""},
        {L"\"C:\\Program Files\\runvo.exe\"  x y", L"x y"},
        {L"\"C:\\Program Files\\runvo.exe\"x", L"x"},
        {L"\"unterminated name", L""},
        {L"runvo.exe\t\x01\x1fx", L"x"},
        {L"runvo.exe \xe9x quit", L"\xe9x quit"}, /* a high unit is no blank */
        {L"runvo.exe  \xa0 z", L"\xa0 z"},
        {L"runvo.exe \x3000\xd83d\xde00 z", L"\x3000\xd83d\xde00 z"}, /* ideographic space */
        {L"runvo\xe9.exe a", L"a"},
        {L"runvo.exe a  ", L"a  "},
        {L"", L""},
    };
    for (const auto &row : rows) {
        std::wstring buf = row.cmdline;
        const wchar_t *tail = CommandLineTail(&buf[0]);
        ok(wcscmp(tail, row.tail) == 0, "[%s]: got [%s]", Shown(row.cmdline).c_str(),
           Shown(tail).c_str());
    }
}

static void test_quick_option(void)
{
    static const struct {
        const wchar_t *tail;
        bool found;
        int index;
        const wchar_t *rest;
    } rows[] = {
        {L"-n 2 C:\\docs\\a.txt", true, 2, L"C:\\docs\\a.txt"},
        {L"-n0 report.txt", true, 0, L"report.txt"},
        {L"-n 12 x", true, 12, L"x"},
        {L"-n 3", true, 3, L""},
        {L"-n 2 10.txt", true, 2, L"10.txt"},
        {L"-n 123.txt", true, 123, L".txt"},
        {L"-n 007 y", true, 7, L"y"},
        {L"-n\t7\x01x", true, 7, L"x"},
        {L"-n 2147483647 a", true, INT_MAX, L"a"},
        {L"-n 2147483648 a", false, 0, L"a"},
        {L"-n 99999999999999999999999 a", false, 0, L"a"},
        {L"-n foo.txt", false, 0, L"foo.txt"},
        {L"-n", false, 0, L""},
        {L"-n   ", false, 0, L""},
        {L"-n \xa0 5", false, 0, L"\xa0 5"},
        {L"-n \xff12 a", false, 0, L"\xff12 a"}, /* a full-width 2 is no digit */
        {L"-nx", false, 0, L"x"},
        {L"-x foo.txt", false, 0, L"-x foo.txt"},
        {L"-N 2 foo.txt", false, 0, L"-N 2 foo.txt"},
        {L" -n 2 a", false, 0, L" -n 2 a"},
        {L"-", false, 0, L"-"},
        {L"", false, 0, L""},
    };
    for (const auto &row : rows) {
        int index = -7;
        const wchar_t *rest = NULL;
        bool found = ParseQuickOption(row.tail, &index, &rest);
        ok(found == row.found, "[%s]: found %d", Shown(row.tail).c_str(), found);
        if (found && row.found)
            ok(index == row.index, "[%s]: index %d", Shown(row.tail).c_str(), index);
        ok(rest && wcscmp(rest, row.rest) == 0, "[%s]: rest [%s]", Shown(row.tail).c_str(),
           rest ? Shown(rest).c_str() : "(null)");
    }
}

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

int main()
{
    test_command_line_tail();
    test_quick_option();
    test_quick_command();
    return TestSummary("tail");
}
