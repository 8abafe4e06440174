/*
 * The launcher's own command line, unit by unit: the tail after the
 * program's name, and the quick-launch option.
 */
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

int main()
{
    test_command_line_tail();
    test_quick_option();
    return TestSummary("tail");
}
