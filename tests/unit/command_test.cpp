/*
 * The command line byte by byte: the tail after the program's name, the
 * quick-launch option, and the quick-launch command with its length check.
 */
#include "launch/command.h"
#include "launch/text.h"
#include "tests/harness.h"

#include <limits.h>
#include <string.h>
#include <string>

static void test_command_line_tail(void)
{
    static const struct {
        const char *cmdline, *tail;
    } rows[] = {
        {"runvo.exe a b", "a b"},
        {"runvo.exe", ""},
        {"\"C:\\Program Files\\runvo.exe\"  x y", "x y"},
        {"\"C:\\Program Files\\runvo.exe\"x", "x"},
        {"\"unterminated name", ""},
        {"runvo.exe\t\x01\x1fx", "x"},
        {"runvo.exe \xe9x quit", "\xe9x quit"}, /* a high byte is no blank */
        {"runvo.exe  \xa0 z", "\xa0 z"},
        {"runvo\xe9.exe a", "a"},
        {"runvo.exe a  ", "a  "},
        {"", ""},
    };
    for (const auto &row : rows) {
        std::string buf = row.cmdline;
        const char *tail = CommandLineTail(&buf[0]);
        ok(strcmp(tail, row.tail) == 0, "[%s]: got [%s]", Shown(row.cmdline).c_str(),
           Shown(tail).c_str());
    }
}

static void test_quick_option(void)
{
    static const struct {
        const char *tail;
        bool found;
        int index;
        const char *rest;
    } rows[] = {
        {"-n 2 C:\\docs\\a.txt", true, 2, "C:\\docs\\a.txt"},
        {"-n0 report.txt", true, 0, "report.txt"},
        {"-n 12 x", true, 12, "x"},
        {"-n 3", true, 3, ""},
        {"-n 2 10.txt", true, 2, "10.txt"},
        {"-n 123.txt", true, 123, ".txt"},
        {"-n 007 y", true, 7, "y"},
        {"-n\t7\x01x", true, 7, "x"},
        {"-n 2147483647 a", true, INT_MAX, "a"},
        {"-n 2147483648 a", false, 0, "a"},
        {"-n 99999999999999999999999 a", false, 0, "a"},
        {"-n foo.txt", false, 0, "foo.txt"},
        {"-n", false, 0, ""},
        {"-n   ", false, 0, ""},
        {"-n \xa0 5", false, 0, "\xa0 5"},
        {"-nx", false, 0, "x"},
        {"-x foo.txt", false, 0, "-x foo.txt"},
        {"-N 2 foo.txt", false, 0, "-N 2 foo.txt"},
        {" -n 2 a", false, 0, " -n 2 a"},
        {"-", false, 0, "-"},
        {"", false, 0, ""},
    };
    for (const auto &row : rows) {
        int index = -7;
        const char *rest = NULL;
        bool found = ParseQuickOption(row.tail, &index, &rest);
        ok(found == row.found, "[%s]: found %d", Shown(row.tail).c_str(), found);
        if (found && row.found)
            ok(index == row.index, "[%s]: index %d", Shown(row.tail).c_str(), index);
        ok(rest && strcmp(rest, row.rest) == 0, "[%s]: rest [%s]", Shown(row.tail).c_str(),
           rest ? Shown(rest).c_str() : "(null)");
    }
}

static void test_quick_command(void)
{
    const std::string l200(200, 'L'), l256(256, 'M'), l259(259, 'N');
    const std::string t56(56, 't'), t57(57, 't');
    const struct {
        const char *name;
        std::string line, tail;
        bool fits;
        std::string cmd;
    } rows[] = {
        {"document", "C:\\tools\\reader.exe", "C:\\docs\\a.txt", true,
         "\"C:\\tools\\reader.exe\" \"C:\\docs\\a.txt\""},
        {"empty tail", "p", "", true, "\"p\" \"\""},
        {"already one quoted argument", "p", "\"C:\\My Docs\\a.txt\"", true,
         "\"p\" \"C:\\My Docs\\a.txt\""},
        {"quoted empty", "p", "\"\"", true, "\"p\" \"\""},
        {"one quote alone", "p", "\"", true, "\"p\" \"\"\""},
        {"two quoted arguments", "p", "\"a\" \"b\"", true, "\"p\" \"\"a\" \"b\"\""},
        {"quote inside", "p", "a\"b", true, "\"p\" \"a\"b\""},
        {"trailing backslash", "p", "C:\\", true, "\"p\" \"C:\\\\\""},
        {"two trailing backslashes", "p", "a\\\\", true, "\"p\" \"a\\\\\\\\\""},
        {"inner backslash", "p", "a\\b", true, "\"p\" \"a\\b\""},
        {"high bytes", "\xe9.exe", "\xff\x80", true, "\"\xe9.exe\" \"\xff\x80\""},
        {"200 + 56: at the limit", l200, t56, true, "\"" + l200 + "\" \"" + t56 + "\""},
        {"200 + 57: too long", l200, t57, false, ""},
        {"200 + quoted 56", l200, "\"" + t56 + "\"", true, "\"" + l200 + "\" \"" + t56 + "\""},
        {"200 + quoted 57", l200, "\"" + t57 + "\"", false, ""},
        {"200 + 55 and a backslash", l200, t56.substr(1) + "\\", false, ""},
        {"200 + 54 and a backslash", l200, t56.substr(2) + "\\", true,
         "\"" + l200 + "\" \"" + t56.substr(2) + "\\\\\""},
        {"256 and nothing", l256, "", true, "\"" + l256 + "\" \"\""},
        {"259 and nothing", l259, "", false, ""},
    };
    for (const auto &row : rows) {
        char *cmd = new char[COMMAND_SIZE]; /* exact size: ASan sees any overrun */
        bool fits = BuildQuickCommand(cmd, row.line.c_str(), row.tail.c_str());
        ok(fits == row.fits, "%s: fits %d", row.name, fits);
        if (fits && row.fits)
            ok(cmd == row.cmd, "%s: got [%s]", row.name, Shown(cmd).c_str());
        if (fits)
            ok(strlen(cmd) <= 261, "%s: %lu bytes", row.name, (unsigned long)strlen(cmd));
        delete[] cmd;
    }
}

static void test_bounded_text(void)
{
    char *fit = new char[8]; /* exact size: ASan sees any overrun */
    ok(FormatText(fit, 8, "%s-%d", "ab", 1234) && strcmp(fit, "ab-1234") == 0, "format: %s", fit);
    ok(!FormatText(fit, 8, "%s-%d", "abc", 1234) && strcmp(fit, "abc-123") == 0, "cut: %s", fit);
    ok(!FormatText(fit, 8, "Error %d running %s", -2147483647 - 1, "x") && strlen(fit) == 7,
       "cut: %s", fit);
    delete[] fit;

    char buf[8] = "abc";
    ok(AppendText(buf, sizeof buf, "de") && strcmp(buf, "abcde") == 0, "append: %s", buf);
    ok(!AppendText(buf, sizeof buf, "fghij") && strcmp(buf, "abcdefg") == 0, "cut: %s", buf);
    ok(!AppendText(buf, sizeof buf, "x") && strcmp(buf, "abcdefg") == 0, "full: %s", buf);
    char full[4] = {'w', 'x', 'y', 'z'};
    ok(!AppendText(full, sizeof full, "q") && full[3] == 'z', "unterminated buffer written");
}

int main()
{
    test_command_line_tail();
    test_quick_option();
    test_quick_command();
    test_bounded_text();
    return TestSummary("command");
}
