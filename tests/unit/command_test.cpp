/*
 * The command line unit by unit: the tail after the program's name, the
 * quick-launch option, the quick-launch command with its length check, what
 * an entry starts, arguments read back, the command that runs a batch file,
 * and where a program's file is found.
 */
#include "launch/arguments.h"
#include "launch/batch.h"
#include "launch/command.h"
#include "launch/launch.h"
#include "launch/tail.h"
#include "launch/text.h"
#include "platform/platform.h"
#include "tests/bestfit_dict.h"
#include "tests/harness.h"
#include "tests/interpreter_model.h"

#include <limits.h>
#include <string.h>
#include <wchar.h>

#include <set>
#include <string>

enum { MAX_PATH_FOR_TEST = 260 };

static StartTexts s_texts; /* what a start finds, kept as the launcher keeps it */

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

/* What an entry starts with a tail: the file, the command line, and when
   the start is refused, elevated or cancelled. The platform's stand-ins find
   the files below, know the variables below, and fail as a row says. */
static void test_launch(void)
{
    static const std::wstring big(40000, L'b');
    /* A shortcut's arguments past the 1,023 that older readers took, and
       ones that fill what a command line holds. */
    static const std::wstring longArgs = L"--x " + std::wstring(1500, L'x') + L" --last";
    static const std::wstring fullArgs(COMMAND_LINE_SIZE - 1, L'f');
    static const wchar_t *const files[] = {L"C:\\Program Files\\App\\app.exe",
                                           L"C:\\Program Files\\App\\app.exe",
                                           L"C:\\Users\\me\\Local\\Code.exe",
                                           L"C:\\Users\\me\\Local\\Code.exe",
                                           L"C:\\50%off%\\x.exe",
                                           L"C:\\50%off%\\x.exe",
                                           L"tools\\x.exe",
                                           L"D:\\Tools\\tools\\x.exe",
                                           L"regedit.exe",
                                           L"C:\\Windows\\regedit.exe",
                                           L"pass.cmd",
                                           L"C:\\bin\\pass.cmd",
                                           L"C:\\bin\\pass.cmd",
                                           L"C:\\bin\\pass.cmd",
                                           L"C:\\Menu\\App.lnk",
                                           L"C:\\Menu\\App.lnk",
                                           L"App.lnk",
                                           L"C:\\Menu\\App.lnk",
                                           L"C:\\Menu\\Doc.lnk",
                                           L"C:\\Menu\\Doc.lnk",
                                           L"C:\\Menu\\Gone.lnk",
                                           L"C:\\Menu\\Gone.lnk",
                                           L"Pass.lnk",
                                           L"C:\\Menu\\Pass.lnk",
                                           L"C:\\bin\\pass.cmd.",
                                           L"C:\\bin\\pass.cmd.",
                                           L"C:\\bin\\pass.cmd ",
                                           L"C:\\bin\\pass.cmd ",
                                           L"wsl.exe",
                                           L"C:\\Windows\\Sysnative\\wsl.exe",
                                           L"root.exe",
                                           L"C:\\root.exe",
                                           L"Here.lnk",
                                           L"C:\\Menu\\Here.lnk",
                                           L"Open.lnk",
                                           L"C:\\Menu\\Open.lnk",
                                           L"Long.lnk",
                                           L"C:\\Menu\\Long.lnk",
                                           L"Full.lnk",
                                           L"C:\\Menu\\Full.lnk",
                                           L"Temp.lnk",
                                           L"C:\\Menu\\Temp.lnk",
                                           NULL};
    /* Names that the ANSI code page makes quotes or backslashes of. */
    static const wchar_t *const shortNames[] = {
        L"C:\\D\\x\xff02 --evil \xff02.txt", L"C:\\D\\X__-~1.TXT",
        L"C:\\D\\a\x3000--evil=1\x3000b.txt", L"C:\\D\\A--EVI~1.TXT", NULL};
    /* Each: the shortcut, its target, its arguments, its Start in folder. */
    static const wchar_t *const shortcuts[] = {L"C:\\Menu\\App.lnk",
                                               L"C:\\Program Files\\App\\app.exe",
                                               L"--from \"a b\"",
                                               L"C:\\Work",
                                               L"C:\\Menu\\Doc.lnk",
                                               L"C:\\Docs\\a.txt",
                                               L"",
                                               L"",
                                               L"C:\\Menu\\Gone.lnk",
                                               L"C:\\Gone\\gone.exe",
                                               L"",
                                               L"",
                                               L"C:\\Menu\\Pass.lnk",
                                               L"C:\\bin\\pass.cmd",
                                               L"-x",
                                               L"",
                                               L"C:\\Menu\\Here.lnk",
                                               L"C:\\Program Files\\App\\app.exe",
                                               L"",
                                               L"",
                                               L"C:\\Menu\\Open.lnk",
                                               L"C:\\Program Files\\App\\app.exe",
                                               L"--title \"",
                                               L"",
                                               L"C:\\Menu\\Long.lnk",
                                               L"C:\\Program Files\\App\\app.exe",
                                               longArgs.c_str(),
                                               L"",
                                               L"C:\\Menu\\Full.lnk",
                                               L"C:\\Program Files\\App\\app.exe",
                                               fullArgs.c_str(),
                                               L"",
                                               L"C:\\Menu\\Temp.lnk",
                                               L"C:\\Program Files\\App\\app.exe",
                                               L"",
                                               L"%TEMP%\\w %UNSET%",
                                               NULL};
    static const wchar_t *const variables[] = {L"LOCALAPPDATA",
                                               L"C:\\Users\\me\\Local",
                                               L"off",
                                               L"ON",
                                               L"big",
                                               big.c_str(),
                                               L"ProgramFiles",
                                               L"C:\\Program Files (x86)",
                                               L"ProgramW6432",
                                               L"C:\\Program Files",
                                               L"Q",
                                               L"\" x",
                                               L"TEMP",
                                               L"C:\\Users\\me\\Temp",
                                               NULL};
    const std::wstring evil = L"C:\\D\\x\xff02 --evil \xff02.txt";
    const std::wstring app = L"\"C:\\Program Files\\App\\app.exe\"", doc = L"C:\\My Docs\\a.txt";
    const std::wstring cmd = L"cmd /d /e:on /v:off /s /c \"\"C:\\bin\\pass.cmd\" ";
    const std::wstring appFile = L"C:\\Program Files\\App\\app.exe";
    const std::wstring fromLnk = L"\"" + appFile + L"\" --from \"a b\"";
    /* command: what was started, or else what the user is shown; file: the
       file named to the user; dir: the folder the program starts in. */
    const struct {
        std::wstring entry, tail;
        TailForm form;
        DWORD startError, elevateError;
        StartResult result;
        std::wstring command, elevated = L"";
        DWORD error = 0;
        std::wstring file = L"", dir = L"";
    } rows[] = {
        {app, doc, TAIL_QUOTED, 0, 0, START_OK, app + L" \"" + doc + L"\""},
        {app + L" --new-window", doc, TAIL_VERBATIM, 0, 0, START_OK, app + L" --new-window " + doc},
        {app + L" --open \"%1\" -f", doc, TAIL_VERBATIM, 0, 0, START_OK,
         app + L" --open \"" + doc + L"\" -f"},
        {app + L" --open \"%1\" -f", L"\"" + doc + L"\"", TAIL_ARGUMENTS, 0, 0, START_OK,
         app + L" --open \"" + doc + L"\" -f"},
        {app + L" --open %L -f", doc, TAIL_QUOTED, 0, 0, START_OK,
         app + L" --open \"" + doc + L"\" -f"},
        {app + L" \"%1\"", L"\"a b.txt\" C:\\c\\", TAIL_ARGUMENTS, 0, 0, START_OK,
         app + L" \"a b.txt\" \"C:\\c\\\\\""},
        {app + L" %*", L"C:\\c\\", TAIL_VERBATIM, 0, 0, START_OK, app + L" \"C:\\c\\\\\""},
        {app + L" \"-o%1.bak\"", L"C:\\c\\", TAIL_VERBATIM, 0, 0, START_OK,
         app + L" \"-oC:\\c\\.bak\""},
        {app + L" \"%1%Q%", L"C:\\c\\", TAIL_VERBATIM, 0, 0, START_OK, app + L" \"C:\\c\\\\\" x"},
        {app + L" \"%1\\\"\"", L"C:\\c\\", TAIL_VERBATIM, 0, 0, START_OK,
         app + L" \"C:\\c\\\\\\\"\""},
        {L"%LOCALAPPDATA%\\Code.exe", L"a.txt", TAIL_QUOTED, 0, 0, START_OK,
         L"\"C:\\Users\\me\\Local\\Code.exe\" \"a.txt\"", L"", 0,
         L"C:\\Users\\me\\Local\\Code.exe"},
        {L"\"%LocalAppData%\\Code.exe\" %LOCALAPPDATA%\\y %UNSET% %LOCALX% %L", L"a", TAIL_VERBATIM,
         0, 0, START_OK,
         L"\"C:\\Users\\me\\Local\\Code.exe\" C:\\Users\\me\\Local\\y %UNSET% %LOCALX% \"a\"", L"",
         0, L"C:\\Users\\me\\Local\\Code.exe"},
        {L"C:\\50%off%\\x.exe", L"a", TAIL_VERBATIM, 0, 0, START_OK, L"\"C:\\50%off%\\x.exe\" a"},
        {L"tools\\x.exe", L"a", TAIL_VERBATIM, 0, 0, START_OK, L"\"D:\\Tools\\tools\\x.exe\" a",
         L"", 0, L"D:\\Tools\\tools\\x.exe"},
        {L"\"C:\\x.exe --opt", L"a", TAIL_VERBATIM, 0, 0, START_UNCLOSED, L""},
        {L"%LOCALAPPDATA%\\none.exe", L"a", TAIL_VERBATIM, 0, 0, START_REFUSED,
         L"\"C:\\Users\\me\\Local\\none.exe\" a", L"", ERROR_FILE_NOT_FOUND},
        {app + L" %big%", L"a", TAIL_VERBATIM, 0, 0, START_TOO_LONG, L""},
        {L"regedit.exe", L"a b", TAIL_QUOTED, 740, 0, START_OK, L"\"regedit.exe\" \"a b\"",
         L"C:\\Windows\\regedit.exe|\"a b\"", 0, L"C:\\Windows\\regedit.exe", L"C:\\Windows"},
        {L"regedit.exe", L"a", TAIL_QUOTED, 740, 1223, START_CANCELLED, L"\"regedit.exe\" \"a\"",
         L"C:\\Windows\\regedit.exe|\"a\"", 0, L"C:\\Windows\\regedit.exe", L"C:\\Windows"},
        {L"regedit.exe", L"a", TAIL_QUOTED, 740, 5, START_REFUSED, L"\"regedit.exe\" \"a\"",
         L"C:\\Windows\\regedit.exe|\"a\"", 5, L"C:\\Windows\\regedit.exe", L"C:\\Windows"},
        {L"regedit.exe", L"a", TAIL_QUOTED, 5, 0, START_REFUSED, L"\"regedit.exe\" \"a\"", L"", 5,
         L"C:\\Windows\\regedit.exe"},
        {L"pass.cmd", L"C:\\D\\a&pwn&.txt", TAIL_VERBATIM, 0, 0, START_OK,
         cmd + L"\"C:\\D\\a&pwn&.txt\"\"", L"", 0, L"C:\\bin\\pass.cmd"},
        {L"\"pass.cmd\" %big%", L"a", TAIL_VERBATIM, 0, 0, START_TOO_LONG, L""},
        {L"\"pass.cmd\" \"a\rb\"", L"a", TAIL_QUOTED, 0, 0, START_BATCH_ARGUMENT,
         L"\"pass.cmd\" \"a\rb\" \"a\"", L"", 0, L"C:\\bin\\pass.cmd"},
        {L"\"pass.cmd\" \"a\\\"b c\"", L"d", TAIL_QUOTED, 0, 0, START_BATCH_ARGUMENT,
         L"\"pass.cmd\" \"a\\\"b c\" \"d\"", L"", 0, L"C:\\bin\\pass.cmd"},
        {L"pass.cmd", L"a\"b|c", TAIL_QUOTED, 0, 0, START_BATCH_ARGUMENT,
         L"\"pass.cmd\" \"a\\\"b|c\"", L"", 0, L"C:\\bin\\pass.cmd"},
        /* A batch file by the name Windows opens it by. */
        {L"C:\\bin\\pass.cmd.", L"a&b", TAIL_QUOTED, 0, 0, START_OK, cmd + L"\"a&b\"\""},
        {L"\"C:\\bin\\pass.cmd \" %1", L"a&b", TAIL_VERBATIM, 0, 0, START_OK, cmd + L"\"a&b\"\""},
        /* Documents that programs reading the ANSI command line get whole:
           by their short names, or not at all. */
        {app + L" --open \"%1\" --readonly", evil, TAIL_VERBATIM, 0, 0, START_OK,
         app + L" --open \"C:\\D\\X__-~1.TXT\" --readonly"},
        {app + L" --open %1", L"C:\\D\\report\xff3c", TAIL_QUOTED, 0, 0, START_ANSI_NAME, L"", L"",
         0, L"C:\\D\\report\xff3c"},
        {app, L"\"C:\\D\\a b.txt\" \"" + evil + L"\"", TAIL_ARGUMENTS, 0, 0, START_OK,
         app + L" \"C:\\D\\a b.txt\" \"C:\\D\\X__-~1.TXT\""},
        {app, L"C:\\D\\\xe9t\xe9 \x65e5.txt", TAIL_QUOTED, 0, 0, START_OK,
         app + L" \"C:\\D\\\xe9t\xe9 \x65e5.txt\""},
        {app, L"\"" + evil + L"\" \"C:\\D\\b.txt\"", TAIL_ARGUMENTS, 0, 0, START_OK,
         app + L" \"C:\\D\\X__-~1.TXT\" \"C:\\D\\b.txt\""},
        /* Ideographic and other wide spaces are blanks to an ANSI program. */
        {app, L"C:\\D\\a\x3000--evil=1\x3000b.txt", TAIL_QUOTED, 0, 0, START_OK,
         app + L" \"C:\\D\\A--EVI~1.TXT\""},
        {app + L" %1", L"C:\\D\\a\x2002--evil\x2003b.txt", TAIL_VERBATIM, 0, 0, START_ANSI_NAME,
         L"", L"", 0, L"C:\\D\\a\x2002--evil\x2003b.txt"},
        /* A document that begins with a quote, after a backslash of the
           entry's own inside its quotes. */
        {app + L" --in \"C:\\dir\\%1\"", L"\"x", TAIL_VERBATIM, 0, 0, START_OK,
         app + L" --in \"C:\\dir\\\\\\\"x\""},
        {app + L" --in \"C:\\dir\\%1\"", L"\\\"x", TAIL_VERBATIM, 0, 0, START_OK,
         app + L" --in \"C:\\dir\\\\\\\\\\\"x\""},
        /* A tail that programs would read two ways, quoted anew. */
        {app, L"\"a\"\"b\" c", TAIL_ARGUMENTS, 0, 0, START_OK, app + L" \"a\\\"b\" \"c\""},
        {app, L"\"a b\" c", TAIL_ARGUMENTS, 0, 0, START_OK, app + L" \"a b\" c"},
        /* One reading of the entry's quotes. */
        {app + L" --in \"a\\\"b\" %1", L"C:\\docs\\a --exec=calc.txt", TAIL_VERBATIM, 0, 0,
         START_OK, app + L" --in \"a\\\"b\" \"C:\\docs\\a --exec=calc.txt\""},
        {app + L"--open \"%1\"", L"a", TAIL_VERBATIM, 0, 0, START_OK, app + L" --open \"a\""},
        {app + L" --x \"a\"\"b\" %1", L"a", TAIL_VERBATIM, 0, 0, START_AMBIGUOUS_QUOTES, L""},
        {app + L" --x \"a %1", L"a", TAIL_VERBATIM, 0, 0, START_AMBIGUOUS_QUOTES, L""},
        {app + L" \"\" %1", L"a", TAIL_VERBATIM, 0, 0, START_OK, app + L" \"\" \"a\""},
        /* The 64-bit Program Files from the 32-bit launcher; the 64-bit
           system folder's file elevated by its own name, in its folder. */
        {L"%ProgramFiles%\\App\\app.exe", L"a", TAIL_QUOTED, 0, 0, START_OK, app + L" \"a\"", L"",
         0, appFile},
        {L"root.exe", L"a", TAIL_QUOTED, 740, 0, START_OK, L"\"root.exe\" \"a\"",
         L"C:\\root.exe|\"a\"", 0, L"C:\\root.exe", L"C:\\"},
        {L"wsl.exe", L"a", TAIL_QUOTED, 740, 0, START_OK, L"\"wsl.exe\" \"a\"",
         L"C:\\Windows\\System32\\wsl.exe|\"a\"", 0, L"C:\\Windows\\System32\\wsl.exe",
         L"C:\\Windows\\System32"},
        /* Shortcuts: the target with the shortcut's arguments first, in its
           Start in folder. */
        {L"App.lnk", doc, TAIL_QUOTED, 0, 0, START_OK, fromLnk + L" \"" + doc + L"\"", L"", 0,
         appFile, L"C:\\Work"},
        {L"\"C:\\Menu\\App.lnk\" -n \"%1\"", L"\"" + doc + L"\" b", TAIL_ARGUMENTS, 0, 0, START_OK,
         fromLnk + L" -n \"" + doc + L"\" \"b\"", L"", 0, appFile, L"C:\\Work"},
        {L"App.lnk", L"a", TAIL_QUOTED, 740, 0, START_OK, fromLnk + L" \"a\"",
         appFile + L"|--from \"a b\" \"a\"", 0, appFile, L"C:\\Work"},
        {L"C:\\Menu\\Doc.lnk", L"a", TAIL_VERBATIM, 0, 0, START_NO_PROGRAM, L"", L"", 0,
         L"C:\\Menu\\Doc.lnk"},
        {L"C:\\Menu\\Gone.lnk", L"a", TAIL_VERBATIM, 0, 0, START_REFUSED,
         L"\"C:\\Gone\\gone.exe\" a", L"", ERROR_FILE_NOT_FOUND, L"C:\\Gone\\gone.exe"},
        {L"Pass.lnk", L"a&b", TAIL_QUOTED, 0, 0, START_OK,
         L"cmd /d /e:on /v:off /s /c \"\"C:\\bin\\pass.cmd\" -x \"a&b\"\"", L"", 0,
         L"C:\\bin\\pass.cmd"},
        /* No Start in folder: the launcher's own, not an empty one. */
        {L"Here.lnk", L"a", TAIL_QUOTED, 0, 0, START_OK, app + L" \"a\"", L"", 0, appFile},
        {L"Open.lnk", L"a b", TAIL_VERBATIM, 0, 0, START_SHORTCUT_QUOTES, L"", L"", 0,
         L"C:\\Menu\\Open.lnk"},
        {L"Long.lnk", L"a", TAIL_QUOTED, 0, 0, START_OK, app + L" " + longArgs + L" \"a\"", L"", 0,
         appFile},
        {L"Full.lnk", L"a", TAIL_QUOTED, 0, 0, START_TOO_LONG, L"", L"", 0, L"C:\\Menu\\Full.lnk"},
        {L"Temp.lnk", L"a", TAIL_QUOTED, 0, 0, START_OK, app + L" \"a\"", L"", 0, appFile,
         L"C:\\Users\\me\\Temp\\w %UNSET%"},
    };
    for (const auto &row : rows) {
        g_nativeLaunch =
            NativeLaunch{files, variables, row.startError, row.elevateError, shortcuts, shortNames};
        Start start = {row.entry.c_str(), row.tail.c_str(), row.form, false, NULL, &s_texts};
        StartResult result = StartEntry(&start);
        const wchar_t *shown = start.command;
        std::wstring ran = g_nativeLaunch.command ? g_nativeLaunch.command : shown ? shown : L"";
        std::wstring file = start.file ? start.file : L"";
        std::wstring dir = !g_nativeLaunch.dir   ? L""
                           : *g_nativeLaunch.dir ? g_nativeLaunch.dir
                                                 : L"(empty)";
        ok(file == row.file && dir == row.dir, "[%s]: file [%s], in [%s]", Shown(row.entry).c_str(),
           Shown(file).c_str(), Shown(dir).c_str());
        std::wstring elevated = g_nativeLaunch.elevated ? std::wstring(g_nativeLaunch.elevated) +
                                                              L"|" + g_nativeLaunch.parameters
                                                        : L"";
        ok(result == row.result && ran == row.command && elevated == row.elevated &&
               (result != START_REFUSED || start.error == row.error),
           "[%s]: %d, ran [%s], elevated [%s]", Shown(row.entry).c_str(), result,
           Shown(ran).c_str(), Shown(elevated).c_str());
    }
}

/* A command line read back by the platform's rules. */
static void test_arguments(void)
{
    static const struct {
        const wchar_t *line;
        Arguments argv;
    } rows[] = {
        {L"a b\tc ", {L"a", L"b", L"c"}},
        {L"\"C:\\My Docs\\a.txt\" \"\"", {L"C:\\My Docs\\a.txt", L""}},
        {L"a\\b \"c\\\\\" \\\\\\\"d", {L"a\\b", L"c\\", L"\\\"d"}},
        {L"\"a\"\"b\" x\"y z\"w", {L"a\"b", L"xy zw"}},
        {L"  ", {}},
    };
    for (const auto &row : rows)
        ok(ProgramArguments(row.line) == row.argv, "[%s]", Shown(row.line).c_str());
}

/* A batch file gets every name exactly in each of the interpreter's readings,
   and nothing of a name runs. */
static void test_batch_command(void)
{
    static const wchar_t *const files[] = {L"pass.cmd", L"C:\\b\\100%\\pass.cmd", NULL};
    static const struct {
        const wchar_t *tail;
        TailForm form;
        Arguments argv;
    } rows[] = {
        {L"C:\\D\\a&pwn&.txt C:\\D\\b.txt",
         TAIL_ARGUMENTS,
         {L"C:\\D\\a&pwn&.txt", L"C:\\D\\b.txt"}},
        {L"C:\\D\\a&pwn&.txt", TAIL_VERBATIM, {L"C:\\D\\a&pwn&.txt"}},
        {L"a^b.txt", TAIL_QUOTED, {L"a^b.txt"}},
        {L"a,b;c=d.txt", TAIL_QUOTED, {L"a,b;c=d.txt"}},
        {L"x%CD%y %PATH%.txt", TAIL_QUOTED, {L"x%CD%y %PATH%.txt"}},
        {L"!CD! (1).txt", TAIL_QUOTED, {L"!CD! (1).txt"}},
        {L"C:\\dir\\", TAIL_QUOTED, {L"C:\\dir\\"}},
        {L"", TAIL_QUOTED, {L""}},
        {L"\x65e5 \xff \xd83d\xde00", TAIL_QUOTED, {L"\x65e5 \xff \xd83d\xde00"}},
        {L"--opt=v -x", TAIL_ARGUMENTS, {L"--opt=v", L"-x"}},
    };
    for (const auto &row : rows) {
        std::wstring batch;
        g_nativeLaunch = NativeLaunch{files, NULL, 0, 0};
        Start start = {L"pass.cmd", row.tail, row.form, false, NULL, &s_texts};
        StartEntry(&start);
        std::wstring cmd = g_nativeLaunch.command ? g_nativeLaunch.command : L"";
        std::optional<std::wstring> all = BatchArguments(cmd, &batch);
        ok(all && batch == L"C:\\b\\100%\\pass.cmd" && PassedOn(*all, false) == row.argv &&
               PassedOn(*all, true) == row.argv,
           "[%s]: [%s]", Shown(row.tail).c_str(), Shown(cmd).c_str());
    }
    /* Cut anywhere: false, and never past the buffer. */
    for (size_t size = 1; size < 64; size += 9) {
        std::vector<wchar_t> out(size);
        TextBuf t;
        ok(!BatchCommand(OutStart(&t, &out[0], size), L"C:\\b\\x.bat", L"a&b&c&d&e&f&g&h",
                         s_texts.argument) &&
               t.truncated,
           "fits in %lu", (unsigned long)size);
    }
}

/* Where a program named without a folder, or with one, is found. */
static const wchar_t *const s_files[] = {L"C:\\Tools\\a;b\\tool.exe",
                                         L"C:\\Windows\\Sysnative\\OpenSSH\\ssh.exe",
                                         L"C:\\Windows\\Sysnative\\both.exe",
                                         L"C:\\Windows\\system32\\both.exe",
                                         L"C:\\bin\\both.exe",
                                         L"C:\\bin\\code.cmd",
                                         L"C:\\bin\\code.bat",
                                         L"C:\\Windows\\node.exe",
                                         L"C:\\bin\\node.cmd",
                                         L"C:\\Tools\\a;b\\sub\\x.exe",
                                         L"C:\\rel\\rel.exe",
                                         L"C:\\Windows\\Sysnative\\wsl.exe",
                                         L"C:\\Windows\\system32\\explorer.exe",
                                         L"C:\\Windows\\explorer.exe",
                                         L"C:\\Windows\\system32\\only32.exe",
                                         L"N:\\bin\\code.exe"};

/* A network drive, N:, where looking may wait. */
static bool OnNetwork(const wchar_t *path)
{
    return path[0] == L'N' && path[1] == L':';
}

static bool IsFakeFile(const wchar_t *name)
{
    for (const wchar_t *f : s_files)
        if (_wcsicmp(name, f) == 0)
            return true;
    return false;
}

static void test_search(void)
{
    static const struct {
        const wchar_t *name, *path, *pathext, *found; /* found: "" for none */
        bool wow64;
        Found rows = NOT_FOUND; /* where the rows' search ends: FOUND, WOULD_WAIT;
                                   NOT_FOUND: the launch's search (every place) */
    } rows[] = {
        {L"tool.exe", L"", L"", L"C:\\Tools\\a;b\\tool.exe", false},
        {L"tool", L"C:\\bin", L"", L"C:\\Tools\\a;b\\tool.exe", false},
        {L"sub\\x", L"", L"", L"C:\\Tools\\a;b\\sub\\x.exe", false},
        {L"ssh.exe", L"C:\\bin;C:\\Windows\\System32\\OpenSSH", L"",
         L"C:\\Windows\\Sysnative\\OpenSSH\\ssh.exe", true},
        {L"ssh.exe", L"C:\\Windows\\System32\\OpenSSH", L"", L"", false},
        {L"both.exe", L"C:\\bin", L"", L"C:\\Windows\\Sysnative\\both.exe", true},
        {L"both", L"C:\\bin", L"", L"C:\\Windows\\system32\\both.exe", false},
        {L"C:\\Windows\\System32\\wsl.exe", L"", L"", L"C:\\Windows\\Sysnative\\wsl.exe", true},
        {L"explorer.exe", L"", L"", L"C:\\Windows\\explorer.exe", true},
        {L"explorer.exe", L"", L"", L"C:\\Windows\\system32\\explorer.exe", false},
        {L"only32.exe", L"", L"", L"", true},
        {L"C:\\Windows\\System32\\only32", L"", L"", L"C:\\Windows\\System32\\only32.exe", true},
        {L"code", L"C:\\bin", L".COM;.EXE;.BAT;.CMD", L"C:\\bin\\code.bat", false},
        {L"code", L"C:\\bin", L".CMD;.BAT", L"C:\\bin\\code.cmd", false},
        {L"code", L"C:\\bin", L".vbs;.Cmd", L"C:\\bin\\code.cmd", false},
        {L"code", L"C:\\bin", L".js", L"", false},
        {L"code", L"C:\\bin", L"", L"C:\\bin\\code.bat", false},
        {L"code.x", L"C:\\bin", L"", L"", false},
        {L"node", L"C:\\bin", L".CMD", L"C:\\Windows\\node.exe", false},
        {L"rel.exe", L".;rel;\\rel;C:rel;\"C:\\rel\";;C:\\rel", L"", L"C:\\rel\\rel.exe", false},
        {L"rel.exe", L".;rel;\\rel;C:rel;\"C:\\rel\"", L"", L"", false},
        /* As the chooser's rows look: a folder that may wait (N:, a network
           drive) ends the search before it, where the launch looks on. */
        {L"code", L"N:\\bin;C:\\bin", L"", L"N:\\bin\\code.exe", false},
        {L"code", L"N:\\bin;C:\\bin", L"", L"", false, WOULD_WAIT},
        {L"code", L"C:\\bin;N:\\bin", L"", L"", false, WOULD_WAIT}, /* N:'s .exe comes first */
        {L"node", L"N:\\bin", L"", L"C:\\Windows\\node.exe", false, FOUND},
        {L"N:\\bin\\code", L"", L"", L"", false, WOULD_WAIT},
    };
    for (const auto &row : rows) {
        ProgramSearchPath where = {
            {L"C:\\Tools\\a;b\\", L"C:\\Windows\\system32", L"C:\\Windows\\System", L"C:\\Windows"},
            L"",
            row.path,
            row.pathext};
        if (row.wow64)
            wcscpy(where.sysnative, L"C:\\Windows\\Sysnative");
        std::vector<wchar_t> found(PATH_SIZE);
        bool asRows = row.rows != NOT_FOUND;
        Found got =
            FindProgramFile(row.name, &where, IsFakeFile, asRows ? OnNetwork : NULL, &found[0]);
        Found want = asRows ? row.rows : row.found[0] ? FOUND : NOT_FOUND;
        ok(got == want && (got != FOUND || _wcsicmp(&found[0], row.found) == 0),
           "[%s] on [%s]: %d [%s]", Shown(row.name).c_str(), Shown(row.path).c_str(), got,
           Shown(&found[0]).c_str());
    }
    /* The 32-bit launcher's way to the 64-bit system folder, named as users
       and the elevation service know it. */
    static const struct {
        const wchar_t *found, *shown;
    } views[] = {
        {L"C:\\Windows\\Sysnative\\wsl.exe", L"C:\\Windows\\system32\\wsl.exe"},
        {L"C:\\WINDOWS\\SYSNATIVE\\OpenSSH\\ssh.exe", L"C:\\Windows\\system32\\OpenSSH\\ssh.exe"},
        {L"C:\\Windows\\SysnativeX\\a.exe", L"C:\\Windows\\SysnativeX\\a.exe"},
        {L"C:\\bin\\x.exe", L"C:\\bin\\x.exe"},
    };
    for (const auto &v : views) {
        ProgramSearchPath where = {
            {L"", L"C:\\Windows\\system32", L"", L""}, L"C:\\Windows\\Sysnative", L"", L""};
        std::vector<wchar_t> file(v.found, v.found + wcslen(v.found) + 1);
        file.resize(PATH_SIZE);
        SysnativeToSystem32(&file[0], &where);
        ok(wcscmp(&file[0], v.shown) == 0, "[%s] shown as [%s]", Shown(v.found).c_str(),
           Shown(&file[0]).c_str());
    }
    ok(IsBatchFile(L"C:\\b\\x.Bat") && IsBatchFile(L"C.CMD") && !IsBatchFile(L"C:\\a.bat\\x") &&
           !IsBatchFile(L"C:\\x.bats") && !IsBatchFile(L"C:\\bat"),
       "batch files");
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

    /* Text put into a buffer is whole, or not there and marked cut. */
    wchar_t buf[8];
    TextBuf t;
    PutText(OutStart(&t, buf, 8), L"abc");
    PutText(&t, L"de");
    ok(!t.truncated && wcscmp(buf, L"abcde") == 0, "put: %s", Shown(buf).c_str());
    PutText(&t, L"fghij");
    ok(t.truncated && wcscmp(buf, L"abcde") == 0, "cut: %s", Shown(buf).c_str());
    PutChar(&t, L'x');
    ok(t.truncated && wcscmp(buf, L"abcde") == 0, "after a cut: %s", Shown(buf).c_str());
    PutText(OutStart(&t, buf, 8), L"abcdefg");
    ok(!t.truncated && t.len == 7, "to the last unit: %lu", (unsigned long)t.len);
}

/* Shift-JIS's lead bytes, for the ANSI reading in code page 932. */
static bool IsLead932(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

static bool NoLead(unsigned char)
{
    return false;
}

/* A character's bytes in an ANSI code page read as it does in UTF-16,
   unless a byte of its own is a quote, a backslash, a blank or a control
   character; the trail byte of a double-byte character is none of them. */
static void test_ansi_bytes(void)
{
    static const struct {
        const char *what, *bytes;
        bool lead932, alike;
    } rows[] = {
        {"U+8868 in 932, its trail 0x5C", "\x95\x5c", true, true},
        {"U+30BD in 932, its trail 0x5C", "\x83\x5c", true, true},
        {"U+3000 in 932, a double-byte space", "\x81\x40", true, true},
        {"U+00A5 in 932: a backslash", "\x5c", true, false},
        {"U+3000 in 1252: a blank", " ", false, false},
        {"U+2190 in 874: a control character", "\x1b", false, false},
        {"U+FF02 in 1252: a quote", "\"", false, false},
        {"U+00E9 in 1252", "\xe9", false, true},
        {"a lone lead byte at the end", "\x95", true, true},
        {"a trail byte read alone", "\x5c\x95", true, false},
    };
    for (const auto &row : rows) {
        const unsigned char *b = reinterpret_cast<const unsigned char *>(row.bytes);
        bool alike = AnsiBytesReadAlike(b, strlen(row.bytes), row.lead932 ? IsLead932 : NoLead);
        ok(alike == row.alike, "%s: %d", row.what, alike);
    }
}

/* The host stands in for the ANSI code pages with the characters that the
   command fuzzer's dictionary names: each of them, and none other, makes a
   name unsafe. */
static void test_best_fit_stand_in(void)
{
    std::set<unsigned> named = BestFitNamed(RUNVO_SOURCE_DIR "/fuzz/command.dict", true);
    ok(named.size() > 20, "the dictionary names %lu characters", (unsigned long)named.size());
    size_t refused = 0;
    for (unsigned c = 1; c <= 0xFFFF; c++) {
        wchar_t name[] = {L'a', (wchar_t)c, L'b', L'\0'};
        bool keeps = AnsiKeepsArguments(name);
        refused += !keeps;
        if (keeps == (named.count(c) == 1))
            ok(false, "U+%04X: kept %d", c, keeps);
    }
    ok(refused == named.size(), "%lu refused", (unsigned long)refused);
}

/* What a drive and a file's attributes say of a path, for LookingMayWait:
   C: is a fixed disk, N: a network drive, E: a DVD drive, R: and U: card
   readers or sticks (the launcher runs from U:); a file whose name holds
   "cloud" is OneDrive's, on demand; "gone" none. */
static unsigned s_driveAsked, s_attributesAsked;

static unsigned FakeDriveType(const wchar_t *root)
{
    s_driveAsked++;
    switch (root[0]) {
    case L'N':
        return DRIVE_REMOTE;
    case L'E':
        return DRIVE_CDROM;
    case L'R':
    case L'U':
        return DRIVE_REMOVABLE;
    }
    return DRIVE_FIXED;
}

static unsigned long FakeAttributes(const wchar_t *path)
{
    s_attributesAsked++;
    if (wcsstr(path, L"gone"))
        return INVALID_FILE_ATTRIBUTES;
    if (wcsstr(path, L"cloud"))
        return 0x20 | FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS;
    return wcsstr(path, L"offline") ? FILE_ATTRIBUTE_OFFLINE : 0x20;
}

static void test_looking_may_wait(void)
{
    static const struct {
        const wchar_t *path;
        bool waits;
        unsigned driveAsked, attributesAsked;
    } rows[] = {
        {L"\\\\server\\share\\app.exe", true, 0, 0},
        {L"//server/share/app.exe", true, 0, 0},
        {L"\\\\?\\UNC\\server\\share\\app.exe", true, 0, 0},
        {L"N:\\Tools\\app.exe", true, 1, 0},
        {L"N:\\Tools", true, 1, 0}, /* a folder of PATH */
        {L"E:\\setup.exe", true, 1, 0},
        {L"R:\\Tools\\app.exe", true, 1, 0},
        {L"u:\\Tools\\app.exe", false, 1, 1}, /* the stick the launcher runs from */
        {L"C:\\Tools\\app.exe", false, 1, 1},
        {L"C:\\OneDrive\\cloud.exe", true, 1, 1},
        {L"C:\\Tools\\offline.exe", true, 1, 1},
        {L"C:\\Tools\\gone.exe", false, 1, 1},
        {L"tools\\app.exe", false, 0, 0},
    };
    const WaitAsks asks = {FakeDriveType, FakeAttributes, L'U'};
    for (const auto &row : rows) {
        s_driveAsked = s_attributesAsked = 0;
        bool waits = LookingMayWait(row.path, &asks);
        ok(waits == row.waits && s_driveAsked == row.driveAsked &&
               s_attributesAsked == row.attributesAsked,
           "[%s]: %d, asked the drive %u times, the file %u times", Shown(row.path).c_str(), waits,
           s_driveAsked, s_attributesAsked);
    }
}

/* %ProgramFiles% is the 64-bit folder where Windows has one (ProgramW6432),
   and ProgramFiles itself on 32-bit Windows, which has no ProgramW6432. */
static const wchar_t *const *s_variables;

static size_t LookUp(const wchar_t *name, wchar_t *value, size_t size)
{
    for (const wchar_t *const *v = s_variables; v[0]; v += 2)
        if (wcscasecmp(v[0], name) == 0 && wcslen(v[1]) < size) {
            wcscpy(value, v[1]);
            return wcslen(v[1]);
        }
    return 0;
}

static void test_program_files(void)
{
    static const wchar_t *const windows64[] = {
        L"ProgramFiles", L"C:\\PF86",           L"ProgramW6432", L"C:\\PF", L"CommonProgramFiles",
        L"C:\\CF86",     L"CommonProgramW6432", L"C:\\CF",       NULL};
    static const wchar_t *const windows32[] = {L"ProgramFiles", L"C:\\PF", L"CommonProgramFiles",
                                               L"C:\\CF", NULL};
    static const struct {
        const wchar_t *const *variables;
        const wchar_t *text, *expanded;
    } rows[] = {
        {windows64, L"%ProgramFiles%\\a %programfiles% %CommonProgramFiles%",
         L"C:\\PF\\a C:\\PF C:\\CF"},
        {windows32, L"%ProgramFiles%\\a %programfiles% %CommonProgramFiles%",
         L"C:\\PF\\a C:\\PF C:\\CF"},
        {windows64, L"%ProgramFiles(x86)%", L"%ProgramFiles(x86)%"},
    };
    for (const auto &row : rows) {
        s_variables = row.variables;
        wchar_t out[64];
        TextBuf t;
        ExpandEntry(OutStart(&t, out, 64), row.text, LookUp, NULL, NULL);
        ok(wcscmp(out, row.expanded) == 0, "[%s]: [%s]", Shown(row.text).c_str(),
           Shown(out).c_str());
    }
}

int main()
{
    test_command_line_tail();
    test_quick_option();
    test_quick_command();
    test_launch();
    test_arguments();
    test_program_file();
    test_batch_command();
    test_search();
    test_bounded_text();
    test_ansi_bytes();
    test_best_fit_stand_in();
    test_looking_may_wait();
    test_program_files();
    return TestSummary("command");
}
