/*
 * The command line unit by unit: the tail after the program's name, the
 * quick-launch option, the quick-launch command with its length check, the
 * program a command names and its file, the command that runs a batch file,
 * and which of PATH's folders are kept.
 */
#include "launch/command.h"
#include "launch/text.h"
#include "tests/harness.h"

#include <limits.h>
#include <wchar.h>
#include <string>

enum { MAX_PATH_FOR_TEST = 260 };

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
    };
    for (const auto &row : rows) {
        wchar_t *cmd = new wchar_t[COMMAND_SIZE]; /* exact size: ASan sees any overrun */
        bool asItIs = TailIsArguments(row.tail.c_str(), Exists);
        bool fits = BuildQuickCommand(cmd, row.line.c_str(), row.tail.c_str(), asItIs);
        ok(fits == row.fits, "%s: fits %d", row.name, fits);
        if (fits && row.fits)
            ok(cmd == row.cmd, "%s: got [%s]", row.name, Shown(cmd).c_str());
        if (fits)
            ok(wcslen(cmd) <= QUICK_COMMAND_MAX, "%s: %lu units", row.name,
               (unsigned long)wcslen(cmd));
        delete[] cmd;
    }
}

/* The program is looked for only when it is named without a folder; a quote
   inside an entry ends the program's name, as the platform reads it. */
static void test_program_name(void)
{
    const std::wstring long262 = L"\"" + std::wstring(300, L'x');
    static const struct {
        std::wstring cmd, name, rest;
        bool bare;
    } rows[] = {
        {L"\"notepad.exe\" a.txt", L"notepad.exe", L" a.txt", true},
        {L"\"notepad\" a.txt", L"notepad", L" a.txt", true},
        {L"\"\" a.txt", L"", L" a.txt", true},
        {L"\"C:\\Windows\\notepad.exe\" a", L"C:\\Windows\\notepad.exe", L" a", false},
        {L"\"tools\\x.exe\" a", L"tools\\x.exe", L" a", false},
        {L"\".\\x.exe\" a", L".\\x.exe", L" a", false},
        {L"\"tools/x.exe\" a", L"tools/x.exe", L" a", false},
        {L"\"C:x.exe\" a", L"C:x.exe", L" a", false},
        {L"\"\\\\server\\share\\x.exe\"", L"\\\\server\\share\\x.exe", L"", false},
        {L"\"x.exe\" -o \"C:\\out\"", L"x.exe", L" -o \"C:\\out\"", true},
        {L"\"a\"b\" \"c\"", L"a", L"b\" \"c\"", true},
        {L"\"\x65e5\x672c.exe\" a", L"\x65e5\x672c.exe", L" a", true},
        {L"\"unterminated", L"unterminated", L"", true},
        {long262, std::wstring(COMMAND_SIZE - 1, L'x'), L"", true},
    };
    for (const auto &row : rows) {
        wchar_t *name = new wchar_t[COMMAND_SIZE];
        const wchar_t *rest = ProgramName(row.cmd.c_str(), name);
        bool bare = NamesNoFolder(name);
        ok(bare == row.bare && name == row.name && rest == row.rest, "[%s]: %s [%s] [%s]",
           Shown(row.cmd).c_str(), bare ? "bare" : "folder", Shown(name).c_str(),
           Shown(rest).c_str());
        delete[] name;
    }
}

/* A name with a folder names a file from the launcher's folder, never from
   the current one. */
static void test_program_file(void)
{
    const std::wstring deep = L"C:\\" + std::wstring(250, L'd') + L"\\";
    static const struct {
        std::wstring name, own, path; /* empty path: none */
    } rows[] = {
        {L"C:\\Windows\\notepad.exe", L"D:\\Tools\\", L"C:\\Windows\\notepad.exe"},
        {L"c:/tools/x.exe", L"D:\\Tools\\", L"c:/tools/x.exe"},
        {L"\\\\srv\\share\\x.exe", L"D:\\Tools\\", L"\\\\srv\\share\\x.exe"},
        {L"tools\\x.exe", L"D:\\Tools\\", L"D:\\Tools\\tools\\x.exe"},
        {L".\\x.exe", L"D:\\Tools\\", L"D:\\Tools\\.\\x.exe"},
        {L"..\\x.exe", L"D:\\Tools\\", L"D:\\Tools\\..\\x.exe"},
        {L"\\x.exe", L"D:\\Tools\\", L"D:\\x.exe"},
        {L"/x.exe", L"D:\\Tools\\", L"D:/x.exe"},
        {L"\\x.exe", L"\\\\srv\\share\\Tools\\", L"\\\\srv\\share\\x.exe"},
        {L"x\\y.exe", L"\\\\srv\\share\\", L"\\\\srv\\share\\x\\y.exe"},
        {L"C:x.exe", L"D:\\Tools\\", L"C:\\x.exe"},
        {L"tools\\x.exe", L"D:\\", L"D:\\tools\\x.exe"},
        {L"tools\\x.exe", L"", L""},        /* the launcher's folder unknown */
        {L"tools\\x.exe", L"Tools\\", L""}, /* ... or not a full path */
        {L"tools\\x.exe", deep, L""},       /* too long for the buffer */
    };
    for (const auto &row : rows) {
        wchar_t *path = new wchar_t[MAX_PATH_FOR_TEST];
        bool got = ProgramFile(row.name.c_str(), row.own.c_str(), path, MAX_PATH_FOR_TEST);
        ok(got == !row.path.empty() && (!got || path == row.path), "[%s] from [%s]: %d [%s]",
           Shown(row.name).c_str(), Shown(row.own).c_str(), got, Shown(path).c_str());
        delete[] path;
    }
}

/* A batch file runs by its full path, its arguments as they came, the
   interpreter's own characters escaped where it would act on them. */
static void test_batch_command(void)
{
    static const struct {
        const wchar_t *file;
        bool batch;
    } files[] = {
        {L"C:\\bin\\convert.bat", true}, {L"C:\\bin\\C.CMD", true}, {L"x.Bat", true},
        {L"C:\\bin\\x.exe", false},      {L"C:\\a.bat\\x", false},  {L"C:\\bat", false},
        {L"C:\\x.bats", false},
    };
    for (const auto &f : files)
        ok(IsBatchFile(f.file) == f.batch, "[%s]: batch %d", Shown(f.file).c_str(), !f.batch);

    const std::wstring head = L"\"C:\\W\\cmd.exe\" /s /c \"\"C:\\b\\x.bat\"";
    static const struct {
        const wchar_t *rest, *args; /* args: what follows the batch file */
    } rows[] = {
        {L" \"doc.txt\"", L" \"doc.txt\""},
        {L" C:\\R&D\\a.txt", L" C:\\R^&D\\a.txt"},
        {L" \"C:\\R&D x\\a.txt\" b&c", L" \"C:\\R&D x\\a.txt\" b^&c"},
        {L" a|b<c>d^e", L" a^|b^<c^>d^^e"},
        {L" \"a&b c&d", L" \"a&b c&d"}, /* an open quote: the interpreter leaves the rest */
        {L" 100%.txt (1)", L" 100%.txt (1)"},
        {L"", L""},
    };
    for (const auto &row : rows) {
        wchar_t *out = new wchar_t[COMMAND_SIZE];
        bool fits = BatchCommand(out, COMMAND_SIZE, L"C:\\W\\cmd.exe", L"C:\\b\\x.bat", row.rest);
        std::wstring want = head + row.args + L"\"";
        ok(fits && out == want, "[%s]: %d [%s]", Shown(row.rest).c_str(), fits, Shown(out).c_str());
        delete[] out;
    }
    /* Cut anywhere: false, and never past the buffer. */
    for (size_t size = 1; size < 48; size += 7) {
        wchar_t *out = new wchar_t[size];
        ok(!BatchCommand(out, size, L"C:\\W\\cmd.exe", L"C:\\b\\x.bat", L" a&b&c&d"), "fits in %lu",
           (unsigned long)size);
        delete[] out;
    }
}

static void test_path_folders(void)
{
    static const struct {
        const wchar_t *path, *kept;
        size_t most;
    } rows[] = {
        {L"C:\\Windows\\system32;C:\\Windows", L"C:\\Windows\\system32;C:\\Windows", 32766},
        {L".;C:\\bin", L"C:\\bin", 32766},
        {L"C:\\bin;.;bin;..\\bin;\\bin;C:bin;D:/tools", L"C:\\bin;D:/tools", 32766},
        {L"\\\\server\\share\\bin;//server/tools", L"\\\\server\\share\\bin;//server/tools", 32766},
        {L";;C:\\a;;C:\\b;", L"C:\\a;C:\\b", 32766},
        {L"\"C:\\Program Files\\x\";c:\\y", L"c:\\y",
         32766}, /* a quoted folder is found by no one */
        {L"1:\\x;@:\\y;z:\\w", L"z:\\w", 32766},
        {L"bin;tools", L"", 32766},
        {L"", L"", 32766},
        {L"C:\\a;x;C:\\bb;C:\\c", L"C:\\a;C:\\bb", 10}, /* what does not fit is dropped */
        {L"C:\\a;x;C:\\bb;C:\\c", L"C:\\a", 9},
        {L"C:\\long;C:\\a", L"", 4},
    };
    for (const auto &row : rows) {
        std::wstring list = row.path;
        size_t len = KeepAbsoluteFolders(&list[0], row.most);
        ok(wcscmp(list.c_str(), row.kept) == 0 && len == wcslen(row.kept), "[%s]: [%s] %lu",
           Shown(row.path).c_str(), Shown(list.c_str()).c_str(), (unsigned long)len);
    }
}

static void test_bounded_text(void)
{
    static const struct {
        const wchar_t *format, *text;
        int number;
        bool whole;
        const wchar_t *want; /* NULL: cut, by the C library's rule */
    } rows[] = {
        {L"%ls-%d", L"ab", 1234, true, L"ab-1234"},
        {L"%ls-%d", L"abc", 1234, false, NULL},
        {L"Error %d running %ls", L"x", -2147483647 - 1, false, NULL},
        {L"%ls", L"\xd83d\xde00", 0, true, L"\xd83d\xde00"},
    };
    for (const auto &row : rows) {
        wchar_t *fit = new wchar_t[8]; /* exact size: ASan sees any overrun */
        bool whole = FormatText(fit, 8, row.format, row.text, row.number);
        ok(whole == row.whole && wcslen(fit) < 8 && (!row.want || wcscmp(fit, row.want) == 0),
           "[%s]: %d [%s]", Shown(row.format).c_str(), whole, Shown(fit).c_str());
        delete[] fit;
    }

    wchar_t buf[8] = L"abc";
    ok(AppendText(buf, 8, L"de") && wcscmp(buf, L"abcde") == 0, "append: %s", Shown(buf).c_str());
    ok(!AppendText(buf, 8, L"fghij") && wcscmp(buf, L"abcdefg") == 0, "cut: %s",
       Shown(buf).c_str());
    ok(!AppendText(buf, 8, L"x") && wcscmp(buf, L"abcdefg") == 0, "full: %s", Shown(buf).c_str());
    wchar_t full[4] = {L'w', L'x', L'y', L'z'};
    ok(!AppendText(full, 4, L"q") && full[3] == L'z', "unterminated buffer written");
}

int main()
{
    test_command_line_tail();
    test_quick_option();
    test_quick_command();
    test_program_name();
    test_program_file();
    test_batch_command();
    test_path_folders();
    test_bounded_text();
    return TestSummary("command");
}
