/*
 * What an entry starts with a tail, route by route: a program and its own
 * arguments with the documents in their place, variables, batch files run
 * by the command interpreter, documents that programs reading the ANSI
 * command line would read otherwise, shortcuts, and elevation. Each route
 * has its table, and beside it what the platform's stand-ins find there.
 */
#include "launch/batch.h"
#include "launch/launch.h"
#include "platform/native.h"
#include "tests/harness.h"
#include "tests/interpreter_model.h"

#include <wchar.h>

#include <string>
#include <vector>

static StartTexts s_texts; /* what a start finds, kept as the launcher keeps it */

/* One start of an entry: what it is given and what the platform answers,
   and what it must start, elevate or refuse. */
struct LaunchRow {
    std::wstring entry, tail;
    TailForm form = TAIL_QUOTED;
    SystemError startError = 0;   /* what starting the program meets */
    SystemError elevateError = 0; /* what the elevation prompt meets */
    StartResult result = START_OK;
    std::wstring command = L"";  /* what was started, or else what the user is shown */
    std::wstring elevated = L""; /* the file elevated and its parameters: "file|parameters" */
    SystemError error = 0;       /* the error reported, for START_REFUSED */
    std::wstring file = L"";     /* the file named to the user */
    std::wstring dir = L"";      /* the folder the program starts in */
};

/* Starts each row's entry with the platform's stand-ins set up as given. */
static void RunLaunchRows(const char *route, const std::vector<LaunchRow> &rows, NativeLaunch setUp)
{
    for (const LaunchRow &row : rows) {
        g_nativeLaunch = setUp;
        g_nativeLaunch.startError = row.startError;
        g_nativeLaunch.elevateError = row.elevateError;
        Start start = {row.entry.c_str(), row.tail.c_str(), row.form, false, NULL, NULL, &s_texts};
        StartResult result = StartEntry(&start);
        const wchar_t *shown = start.command;
        std::wstring ran = g_nativeLaunch.command ? g_nativeLaunch.command : shown ? shown : L"";
        std::wstring file = start.file ? start.file : L"";
        std::wstring dir = !g_nativeLaunch.dir   ? L""
                           : *g_nativeLaunch.dir ? g_nativeLaunch.dir
                                                 : L"(empty)";
        ok(file == row.file && dir == row.dir, "%s [%s]: file [%s], in [%s]", route,
           Shown(row.entry).c_str(), Shown(file).c_str(), Shown(dir).c_str());
        std::wstring elevated = g_nativeLaunch.elevated ? std::wstring(g_nativeLaunch.elevated) +
                                                              L"|" + g_nativeLaunch.parameters
                                                        : L"";
        ok(result == row.result && ran == row.command && elevated == row.elevated &&
               (result != START_REFUSED || start.error == row.error),
           "%s [%s]: %d, ran [%s], elevated [%s]", route, Shown(row.entry).c_str(), result,
           Shown(ran).c_str(), Shown(elevated).c_str());
    }
}

static const std::wstring APP_FILE = L"C:\\Program Files\\App\\app.exe",
                          APP = L"\"" + APP_FILE + L"\"", DOC = L"C:\\My Docs\\a.txt";

/* A program, its own arguments, and the documents where they go. */
static void test_plain(void)
{
    static const NativeFile files[] = {{APP_FILE.c_str(), APP_FILE.c_str()},
                                       {L"tools\\x.exe", L"D:\\Tools\\tools\\x.exe"},
                                       {NULL, NULL}};
    const std::vector<LaunchRow> rows = {
        {.entry = APP, .tail = DOC, .command = APP + L" \"" + DOC + L"\""},
        {.entry = APP + L" --new-window",
         .tail = DOC,
         .form = TAIL_VERBATIM,
         .command = APP + L" --new-window " + DOC},
        {.entry = APP + L" --open \"%1\" -f",
         .tail = DOC,
         .form = TAIL_VERBATIM,
         .command = APP + L" --open \"" + DOC + L"\" -f"},
        {.entry = APP + L" --open \"%1\" -f",
         .tail = L"\"" + DOC + L"\"",
         .form = TAIL_ARGUMENTS,
         .command = APP + L" --open \"" + DOC + L"\" -f"},
        {.entry = APP + L" --open %L -f",
         .tail = DOC,
         .command = APP + L" --open \"" + DOC + L"\" -f"},
        {.entry = APP + L" \"%1\"",
         .tail = L"\"a b.txt\" C:\\c\\",
         .form = TAIL_ARGUMENTS,
         .command = APP + L" \"a b.txt\" \"C:\\c\\\\\""},
        {.entry = APP + L" %*",
         .tail = L"C:\\c\\",
         .form = TAIL_VERBATIM,
         .command = APP + L" \"C:\\c\\\\\""},
        {.entry = APP + L" \"-o%1.bak\"",
         .tail = L"C:\\c\\",
         .form = TAIL_VERBATIM,
         .command = APP + L" \"-oC:\\c\\.bak\""},
        {.entry = APP + L" \"%1\\\"\"",
         .tail = L"C:\\c\\",
         .form = TAIL_VERBATIM,
         .command = APP + L" \"C:\\c\\\\\\\"\""},
        /* A relative path names a file in the launcher's folder. */
        {.entry = L"tools\\x.exe",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .command = L"\"D:\\Tools\\tools\\x.exe\" a",
         .file = L"D:\\Tools\\tools\\x.exe"},
        {.entry = L"\"C:\\x.exe --opt",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_UNCLOSED},
        /* A document that begins with a quote, after a backslash of the
           entry's own inside its quotes. */
        {.entry = APP + L" --in \"C:\\dir\\%1\"",
         .tail = L"\"x",
         .form = TAIL_VERBATIM,
         .command = APP + L" --in \"C:\\dir\\\\\\\"x\""},
        {.entry = APP + L" --in \"C:\\dir\\%1\"",
         .tail = L"\\\"x",
         .form = TAIL_VERBATIM,
         .command = APP + L" --in \"C:\\dir\\\\\\\\\\\"x\""},
        /* A tail that programs would read two ways, quoted anew. */
        {.entry = APP,
         .tail = L"\"a\"\"b\" c",
         .form = TAIL_ARGUMENTS,
         .command = APP + L" \"a\\\"b\" \"c\""},
        {.entry = APP,
         .tail = L"\"a b\" c",
         .form = TAIL_ARGUMENTS,
         .command = APP + L" \"a b\" c"},
        /* One reading of the entry's quotes. */
        {.entry = APP + L" --in \"a\\\"b\" %1",
         .tail = L"C:\\docs\\a --exec=calc.txt",
         .form = TAIL_VERBATIM,
         .command = APP + L" --in \"a\\\"b\" \"C:\\docs\\a --exec=calc.txt\""},
        {.entry = APP + L"--open \"%1\"",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .command = APP + L" --open \"a\""},
        {.entry = APP + L" --x \"a\"\"b\" %1",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_AMBIGUOUS_QUOTES},
        {.entry = APP + L" --x \"a %1",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_AMBIGUOUS_QUOTES},
        {.entry = APP + L" \"\" %1",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .command = APP + L" \"\" \"a\""},
    };
    RunLaunchRows("plain", rows, NativeLaunch{.files = files});
}

/* Variables in the entry: in its program's path and its arguments. */
static void test_variables(void)
{
    static const std::wstring big(40000, L'b');
    static const NativeFile files[] = {
        {APP_FILE.c_str(), APP_FILE.c_str()},
        {L"C:\\Users\\me\\Local\\Code.exe", L"C:\\Users\\me\\Local\\Code.exe"},
        {L"C:\\50%off%\\x.exe", L"C:\\50%off%\\x.exe"},
        {NULL, NULL}};
    static const NativeVariable variables[] = {{L"LOCALAPPDATA", L"C:\\Users\\me\\Local"},
                                               {L"off", L"ON"},
                                               {L"big", big.c_str()},
                                               {L"ProgramFiles", L"C:\\Program Files (x86)"},
                                               {L"ProgramW6432", L"C:\\Program Files"},
                                               {L"Q", L"\" x"},
                                               {NULL, NULL}};
    const std::vector<LaunchRow> rows = {
        {.entry = L"%LOCALAPPDATA%\\Code.exe",
         .tail = L"a.txt",
         .command = L"\"C:\\Users\\me\\Local\\Code.exe\" \"a.txt\"",
         .file = L"C:\\Users\\me\\Local\\Code.exe"},
        {.entry = L"\"%LocalAppData%\\Code.exe\" %LOCALAPPDATA%\\y %UNSET% %LOCALX% %L",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .command =
             L"\"C:\\Users\\me\\Local\\Code.exe\" C:\\Users\\me\\Local\\y %UNSET% %LOCALX% \"a\"",
         .file = L"C:\\Users\\me\\Local\\Code.exe"},
        /* A folder may be called 50%off%: as written first. */
        {.entry = L"C:\\50%off%\\x.exe",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .command = L"\"C:\\50%off%\\x.exe\" a"},
        {.entry = L"%LOCALAPPDATA%\\none.exe",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_REFUSED,
         .command = L"\"C:\\Users\\me\\Local\\none.exe\" a",
         .error = ERROR_FILE_NOT_FOUND},
        {.entry = APP + L" %big%", .tail = L"a", .form = TAIL_VERBATIM, .result = START_TOO_LONG},
        {.entry = APP + L" \"%1%Q%",
         .tail = L"C:\\c\\",
         .form = TAIL_VERBATIM,
         .command = APP + L" \"C:\\c\\\\\" x"},
        /* The 64-bit Program Files from the 32-bit launcher. */
        {.entry = L"%ProgramFiles%\\App\\app.exe",
         .tail = L"a",
         .command = APP + L" \"a\"",
         .file = APP_FILE},
    };
    RunLaunchRows("variables", rows, NativeLaunch{.files = files, .variables = variables});
}

/* %ProgramFiles% is the 64-bit folder where Windows has one (ProgramW6432),
   and ProgramFiles itself on 32-bit Windows, which has no ProgramW6432. */
static const NativeVariable *s_variables;

static size_t FindRowProgram(const wchar_t *name, wchar_t *value, size_t size)
{
    for (const NativeVariable *v = s_variables; v->name; v++)
        if (wcscasecmp(v->name, name) == 0 && wcslen(v->value) < size) {
            wcscpy(value, v->value);
            return wcslen(v->value);
        }
    return 0;
}

static void test_program_files(void)
{
    static const NativeVariable windows64[] = {{L"ProgramFiles", L"C:\\PF86"},
                                               {L"ProgramW6432", L"C:\\PF"},
                                               {L"CommonProgramFiles", L"C:\\CF86"},
                                               {L"CommonProgramW6432", L"C:\\CF"},
                                               {NULL, NULL}};
    static const NativeVariable windows32[] = {
        {L"ProgramFiles", L"C:\\PF"}, {L"CommonProgramFiles", L"C:\\CF"}, {NULL, NULL}};
    static const struct {
        const NativeVariable *variables;
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
        ExpandEntry(OutStart(&t, out, 64), row.text, FindRowProgram, NULL, NULL);
        ok(wcscmp(out, row.expanded) == 0, "[%s]: [%s]", Shown(row.text).c_str(),
           Shown(out).c_str());
    }
}

/* Batch files: run by the command interpreter, each argument as data. */
static const std::wstring CMD = L"cmd /d /e:on /v:off /s /c \"\"C:\\bin\\pass.cmd\" ";

static void test_batch_files(void)
{
    static const std::wstring big(40000, L'b');
    static const NativeFile files[] = {{L"pass.cmd", L"C:\\bin\\pass.cmd"},
                                       {L"C:\\bin\\pass.cmd", L"C:\\bin\\pass.cmd"},
                                       {L"C:\\bin\\pass.cmd.", L"C:\\bin\\pass.cmd."},
                                       {L"C:\\bin\\pass.cmd ", L"C:\\bin\\pass.cmd "},
                                       {NULL, NULL}};
    static const NativeVariable variables[] = {{L"big", big.c_str()}, {NULL, NULL}};
    const std::vector<LaunchRow> rows = {
        {.entry = L"pass.cmd",
         .tail = L"C:\\D\\a&pwn&.txt",
         .form = TAIL_VERBATIM,
         .command = CMD + L"\"C:\\D\\a&pwn&.txt\"\"",
         .file = L"C:\\bin\\pass.cmd"},
        {.entry = L"\"pass.cmd\" %big%",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_TOO_LONG},
        {.entry = L"\"pass.cmd\" \"a\rb\"",
         .tail = L"a",
         .result = START_BATCH_ARGUMENT,
         .command = L"\"pass.cmd\" \"a\rb\" \"a\"",
         .file = L"C:\\bin\\pass.cmd"},
        {.entry = L"\"pass.cmd\" \"a\\\"b c\"",
         .tail = L"d",
         .result = START_BATCH_ARGUMENT,
         .command = L"\"pass.cmd\" \"a\\\"b c\" \"d\"",
         .file = L"C:\\bin\\pass.cmd"},
        {.entry = L"pass.cmd",
         .tail = L"a\"b|c",
         .result = START_BATCH_ARGUMENT,
         .command = L"\"pass.cmd\" \"a\\\"b|c\"",
         .file = L"C:\\bin\\pass.cmd"},
        /* A batch file by the name Windows opens it by. */
        {.entry = L"C:\\bin\\pass.cmd.", .tail = L"a&b", .command = CMD + L"\"a&b\"\""},
        {.entry = L"\"C:\\bin\\pass.cmd \" %1",
         .tail = L"a&b",
         .form = TAIL_VERBATIM,
         .command = CMD + L"\"a&b\"\""},
    };
    RunLaunchRows("batch", rows, NativeLaunch{.files = files, .variables = variables});
}

/* A batch file gets every name exactly in each of the interpreter's readings,
   and nothing of a name runs. */
static void test_batch_arguments(void)
{
    static const NativeFile files[] = {{L"pass.cmd", L"C:\\b\\100%\\pass.cmd"}, {NULL, NULL}};
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
        g_nativeLaunch = NativeLaunch{.files = files};
        Start start = {L"pass.cmd", row.tail, row.form, false, NULL, NULL, &s_texts};
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

/* Documents that programs reading the ANSI command line get whole: by
   their short names, or not at all. */
static void test_ansi_names(void)
{
    const std::wstring evil = L"C:\\D\\x\xff02 --evil \xff02.txt";
    static const NativeFile files[] = {{APP_FILE.c_str(), APP_FILE.c_str()}, {NULL, NULL}};
    static const NativeShortName shortNames[] = {
        {L"C:\\D\\x\xff02 --evil \xff02.txt", L"C:\\D\\X__-~1.TXT"},
        {L"C:\\D\\a\x3000--evil=1\x3000b.txt", L"C:\\D\\A--EVI~1.TXT"},
        {L"C:\\D\\b\xff0a.txt", L"C:\\D\\B_~1.TXT"},
        {NULL, NULL}};
    const std::vector<LaunchRow> rows = {
        {.entry = APP + L" --open \"%1\" --readonly",
         .tail = evil,
         .form = TAIL_VERBATIM,
         .command = APP + L" --open \"C:\\D\\X__-~1.TXT\" --readonly"},
        {.entry = APP + L" --open %1",
         .tail = L"C:\\D\\report\xff3c",
         .result = START_ANSI_NAME,
         .file = L"C:\\D\\report\xff3c"},
        {.entry = APP,
         .tail = L"\"C:\\D\\a b.txt\" \"" + evil + L"\"",
         .form = TAIL_ARGUMENTS,
         .command = APP + L" \"C:\\D\\a b.txt\" \"C:\\D\\X__-~1.TXT\""},
        {.entry = APP,
         .tail = L"C:\\D\\\xe9t\xe9 \x65e5.txt",
         .command = APP + L" \"C:\\D\\\xe9t\xe9 \x65e5.txt\""},
        {.entry = APP,
         .tail = L"\"" + evil + L"\" \"C:\\D\\b.txt\"",
         .form = TAIL_ARGUMENTS,
         .command = APP + L" \"C:\\D\\X__-~1.TXT\" \"C:\\D\\b.txt\""},
        /* Ideographic and other wide spaces are blanks to an ANSI program. */
        {.entry = APP,
         .tail = L"C:\\D\\a\x3000--evil=1\x3000b.txt",
         .command = APP + L" \"C:\\D\\A--EVI~1.TXT\""},
        {.entry = APP + L" %1",
         .tail = L"C:\\D\\a\x2002--evil\x2003b.txt",
         .form = TAIL_VERBATIM,
         .result = START_ANSI_NAME,
         .file = L"C:\\D\\a\x2002--evil\x2003b.txt"},
        /* A fullwidth asterisk is a wildcard to a program that expands them. */
        {.entry = APP, .tail = L"C:\\D\\b\xff0a.txt", .command = APP + L" \"C:\\D\\B_~1.TXT\""},
        {.entry = APP,
         .tail = L"C:\\D\\c\xff1f.txt",
         .result = START_ANSI_NAME,
         .file = L"C:\\D\\c\xff1f.txt"},
    };
    RunLaunchRows("ANSI", rows, NativeLaunch{.files = files, .shortNames = shortNames});
}

/* Shortcuts: the target with the shortcut's arguments first, in its Start
   in folder. */
static void test_shortcuts(void)
{
    static const std::wstring longArgs = L"--x " + std::wstring(1500, L'x') + L" --last";
    static const std::wstring fullArgs(COMMAND_LINE_SIZE - 1, L'f');
    static const NativeFile files[] = {{APP_FILE.c_str(), APP_FILE.c_str()},
                                       {L"C:\\bin\\pass.cmd", L"C:\\bin\\pass.cmd"},
                                       {L"C:\\Menu\\App.lnk", L"C:\\Menu\\App.lnk"},
                                       {L"App.lnk", L"C:\\Menu\\App.lnk"},
                                       {L"C:\\Menu\\Doc.lnk", L"C:\\Menu\\Doc.lnk"},
                                       {L"C:\\Menu\\Gone.lnk", L"C:\\Menu\\Gone.lnk"},
                                       {L"Pass.lnk", L"C:\\Menu\\Pass.lnk"},
                                       {L"Here.lnk", L"C:\\Menu\\Here.lnk"},
                                       {L"Open.lnk", L"C:\\Menu\\Open.lnk"},
                                       {L"Long.lnk", L"C:\\Menu\\Long.lnk"},
                                       {L"Full.lnk", L"C:\\Menu\\Full.lnk"},
                                       {L"Temp.lnk", L"C:\\Menu\\Temp.lnk"},
                                       {NULL, NULL}};
    static const NativeShortcut shortcuts[] = {
        {L"C:\\Menu\\App.lnk", APP_FILE.c_str(), L"--from \"a b\"", L"C:\\Work"},
        {L"C:\\Menu\\Doc.lnk", L"C:\\Docs\\a.txt", L"", L""},
        {L"C:\\Menu\\Gone.lnk", L"C:\\Gone\\gone.exe", L"", L""},
        {L"C:\\Menu\\Pass.lnk", L"C:\\bin\\pass.cmd", L"-x", L""},
        {L"C:\\Menu\\Here.lnk", APP_FILE.c_str(), L"", L""},
        {L"C:\\Menu\\Open.lnk", APP_FILE.c_str(), L"--title \"", L""},
        {L"C:\\Menu\\Long.lnk", APP_FILE.c_str(), longArgs.c_str(), L""},
        {L"C:\\Menu\\Full.lnk", APP_FILE.c_str(), fullArgs.c_str(), L""},
        {L"C:\\Menu\\Temp.lnk", APP_FILE.c_str(), L"", L"%TEMP%\\w %UNSET%"},
        {NULL, NULL, NULL, NULL}};
    static const NativeVariable variables[] = {{L"TEMP", L"C:\\Users\\me\\Temp"}, {NULL, NULL}};
    const std::wstring fromLnk = APP + L" --from \"a b\"";
    const std::vector<LaunchRow> rows = {
        {.entry = L"App.lnk",
         .tail = DOC,
         .command = fromLnk + L" \"" + DOC + L"\"",
         .file = APP_FILE,
         .dir = L"C:\\Work"},
        {.entry = L"\"C:\\Menu\\App.lnk\" -n \"%1\"",
         .tail = L"\"" + DOC + L"\" b",
         .form = TAIL_ARGUMENTS,
         .command = fromLnk + L" -n \"" + DOC + L"\" \"b\"",
         .file = APP_FILE,
         .dir = L"C:\\Work"},
        /* Elevated: the target with the shortcut's arguments. */
        {.entry = L"App.lnk",
         .tail = L"a",
         .startError = ERROR_ELEVATION_REQUIRED,
         .command = fromLnk + L" \"a\"",
         .elevated = APP_FILE + L"|--from \"a b\" \"a\"",
         .file = APP_FILE,
         .dir = L"C:\\Work"},
        {.entry = L"C:\\Menu\\Doc.lnk",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_NO_PROGRAM,
         .file = L"C:\\Menu\\Doc.lnk"},
        {.entry = L"C:\\Menu\\Gone.lnk",
         .tail = L"a",
         .form = TAIL_VERBATIM,
         .result = START_REFUSED,
         .command = L"\"C:\\Gone\\gone.exe\" a",
         .error = ERROR_FILE_NOT_FOUND,
         .file = L"C:\\Gone\\gone.exe"},
        {.entry = L"Pass.lnk",
         .tail = L"a&b",
         .command = L"cmd /d /e:on /v:off /s /c \"\"C:\\bin\\pass.cmd\" -x \"a&b\"\"",
         .file = L"C:\\bin\\pass.cmd"},
        /* No Start in folder: the launcher's own, not an empty one. */
        {.entry = L"Here.lnk", .tail = L"a", .command = APP + L" \"a\"", .file = APP_FILE},
        {.entry = L"Open.lnk",
         .tail = L"a b",
         .form = TAIL_VERBATIM,
         .result = START_SHORTCUT_QUOTES,
         .file = L"C:\\Menu\\Open.lnk"},
        {.entry = L"Long.lnk",
         .tail = L"a",
         .command = APP + L" " + longArgs + L" \"a\"",
         .file = APP_FILE},
        {.entry = L"Full.lnk",
         .tail = L"a",
         .result = START_TOO_LONG,
         .file = L"C:\\Menu\\Full.lnk"},
        {.entry = L"Temp.lnk",
         .tail = L"a",
         .command = APP + L" \"a\"",
         .file = APP_FILE,
         .dir = L"C:\\Users\\me\\Temp\\w %UNSET%"},
    };
    RunLaunchRows("shortcuts", rows,
                  NativeLaunch{.files = files, .variables = variables, .shortcuts = shortcuts});
}

/* A program that asks for administrator rights: the same file with the
   same arguments through the elevation prompt, in its own folder; the
   64-bit system folder's file by its own name. */
static void test_elevation(void)
{
    static const NativeFile files[] = {{L"regedit.exe", L"C:\\Windows\\regedit.exe"},
                                       {L"wsl.exe", L"C:\\Windows\\Sysnative\\wsl.exe"},
                                       {L"root.exe", L"C:\\root.exe"},
                                       {NULL, NULL}};
    const std::vector<LaunchRow> rows = {
        {.entry = L"regedit.exe",
         .tail = L"a b",
         .startError = ERROR_ELEVATION_REQUIRED,
         .command = L"\"regedit.exe\" \"a b\"",
         .elevated = L"C:\\Windows\\regedit.exe|\"a b\"",
         .file = L"C:\\Windows\\regedit.exe",
         .dir = L"C:\\Windows"},
        {.entry = L"regedit.exe",
         .tail = L"a",
         .startError = ERROR_ELEVATION_REQUIRED,
         .elevateError = ERROR_CANCELLED,
         .result = START_CANCELLED,
         .command = L"\"regedit.exe\" \"a\"",
         .elevated = L"C:\\Windows\\regedit.exe|\"a\"",
         .file = L"C:\\Windows\\regedit.exe",
         .dir = L"C:\\Windows"},
        {.entry = L"regedit.exe",
         .tail = L"a",
         .startError = ERROR_ELEVATION_REQUIRED,
         .elevateError = ERROR_ACCESS_DENIED,
         .result = START_REFUSED,
         .command = L"\"regedit.exe\" \"a\"",
         .elevated = L"C:\\Windows\\regedit.exe|\"a\"",
         .error = ERROR_ACCESS_DENIED,
         .file = L"C:\\Windows\\regedit.exe",
         .dir = L"C:\\Windows"},
        {.entry = L"regedit.exe",
         .tail = L"a",
         .startError = ERROR_ACCESS_DENIED,
         .result = START_REFUSED,
         .command = L"\"regedit.exe\" \"a\"",
         .error = ERROR_ACCESS_DENIED,
         .file = L"C:\\Windows\\regedit.exe"},
        /* At a drive's root: C:\, not C:, the drive's current folder. */
        {.entry = L"root.exe",
         .tail = L"a",
         .startError = ERROR_ELEVATION_REQUIRED,
         .command = L"\"root.exe\" \"a\"",
         .elevated = L"C:\\root.exe|\"a\"",
         .file = L"C:\\root.exe",
         .dir = L"C:\\"},
        {.entry = L"wsl.exe",
         .tail = L"a",
         .startError = ERROR_ELEVATION_REQUIRED,
         .command = L"\"wsl.exe\" \"a\"",
         .elevated = L"C:\\Windows\\System32\\wsl.exe|\"a\"",
         .file = L"C:\\Windows\\System32\\wsl.exe",
         .dir = L"C:\\Windows\\System32"},
    };
    RunLaunchRows("elevation", rows, NativeLaunch{.files = files});
}

int main()
{
    test_plain();
    test_variables();
    test_program_files();
    test_batch_files();
    test_batch_arguments();
    test_ansi_names();
    test_shortcuts();
    test_elevation();
    return TestSummary("launch");
}
