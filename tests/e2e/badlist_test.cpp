/*
 * Bad list files end to end, and lists in each encoding that Windows' editors
 * write: for each, the chooser lists what the line rules give and selects by
 * the first line, quick launch counts lines the same way, and the launcher
 * neither crashes nor hangs.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

/* How a row's text is written: bytes as they stand (in the code page, or
   UTF-8 as Notepad saves it), UTF-8 with its mark, UTF-16 LE with its mark
   (as PowerShell 5 writes it). */
enum Encoding { CODE_PAGE, UTF8, UTF8_MARK, UTF16 };

/* In bytes and entries, "@" stands for the probe's path, "%" for a copy of
   it in a folder named in several scripts, "^" for that path in lower case
   (its ASCII letters: how list boxes fold the others varies). */
struct BadList {
    const char *name;
    std::string bytes;
    std::vector<std::string> entries; /* the first and last entries, if many */
    size_t count;
    int selected;
    int index;   /* a quick launch of this line ... */
    bool starts; /* ... starts the probe, or falls back */
    Encoding encoding = CODE_PAGE;
};

/* The copy of the probe in a folder named in several scripts (UTF-8). */
static std::string Editor(void)
{
    return WorkPath("Editor Jos\u00e9 \u03a9\u03bc\u03ad\u03b3\u03b1 \u65e5\u672c") +
           "\\editor.exe";
}

static std::string WithProbe(std::string s)
{
    std::string lower = Editor();
    for (char &c : lower)
        c = c >= 'A' && c <= 'Z' ? (char)(c + 32) : c;
    const std::string with[] = {ProbePath(), Editor(), lower};
    for (size_t at; (at = s.find_first_of("@%^")) != std::string::npos;)
        s.replace(at, 1, with[s[at] == '@' ? 0 : s[at] == '%' ? 1 : 2]);
    return s;
}

/* The row's text as its file holds it. */
static std::string Encoded(const std::string &text, Encoding encoding)
{
    if (encoding == CODE_PAGE || encoding == UTF8)
        return text;
    if (encoding == UTF8_MARK)
        return "\xef\xbb\xbf" + text;
    std::wstring w = Widen(text, CP_UTF8);
    return "\xff\xfe" + std::string(reinterpret_cast<const char *>(w.data()), w.size() * 2);
}

static std::string Million(void)
{
    std::string s = "@\n";
    for (int i = 0; i < 999998; i++)
        s += "entry " + std::to_string(i) + "\n";
    return s + "@\n";
}

/* The chooser shows the entries and the selection the rules give. */
static void CheckChooser(const BadList &row)
{
    Launched l;
    ULONGLONG t0 = GetTickCount64();
    if (!StartLauncher("t.txt", &l))
        return;
    HWND dlg = WaitWindow(l.pid, "#32770", "Select Program", 120000);
    if (ok(dlg != NULL, "%s: no dialog", row.name)) {
        HWND list = GetDlgItem(dlg, IDC_PROGLIST);
        size_t count = (size_t)SendMessageA(list, LB_GETCOUNT, 0, 0);
        ok(count == row.count, "%s: %lu entries", row.name, (unsigned long)count);
        if (count < 100) {
            std::vector<std::string> got = ListBoxTexts(list, CP_UTF8);
            ok(got == row.entries, "%s: entries %s", row.name,
               got.empty() ? "none" : Shown(got[0]).c_str());
        } else {
            printf("%s: %lu entries listed in %llu ms\n", row.name, (unsigned long)count,
                   GetTickCount64() - t0);
        }
        LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
        ok(sel == row.selected, "%s: selected %ld", row.name, (long)sel);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    }
    ok(WaitExit(&l, WAIT_LONG_MS) == 0, "%s: exit code", row.name);
    CloseHandle(l.process);
}

/* Quick launch of row.index: the probe with "q.txt", or the chooser. */
static void CheckQuick(const BadList &row)
{
    ClearProbe();
    Launched l;
    if (!StartLauncher("-n " + std::to_string(row.index) + " q.txt", &l))
        return;
    if (!row.starts) {
        HWND dlg = WaitWindow(l.pid, "#32770", "Select Program", 120000);
        ok(dlg && GetText(GetDlgItem(dlg, IDC_CMDLINE)) == "q.txt", "%s: no fallback", row.name);
        if (dlg)
            PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    }
    ok(WaitExit(&l, WAIT_LONG_MS) == 0, "%s: quick launch exit code", row.name);
    std::vector<ProbeRun> runs = row.starts ? WaitProbe(1) : ReadProbe();
    bool started = runs.size() == 1 && (runs[0].wcmd == "\"" + ProbePath() + "\" \"q.txt\"" ||
                                        runs[0].wcmd == "\"" + Editor() + "\" \"q.txt\"");
    ok(started == row.starts && runs.size() == (row.starts ? 1u : 0u), "%s: quick launch %s",
       row.name, row.starts ? "did not start the probe" : "started something");
    CloseHandle(l.process);
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    std::wstring editor = Widen(Editor(), CP_UTF8);
    CreateDirectoryW(editor.substr(0, editor.rfind(L'\\')).c_str(), NULL);
    ok(CopyFileW(Widen(ProbePath()).c_str(), editor.c_str(), FALSE), "copy the probe");
    const std::string x258(258, 'x'), x259(259, 'y'), x300(300, 'z');
    const BadList rows[] = {
        {"NUL bytes", B("d\0junk\n@\0junk\na\0\n\0b\n"), {"@", "a", ""}, 3, -1, 1, true},
        {"Ctrl-Z", "d\na\n@\x1a\n@\n", {"a", "@"}, 2, -1, 3, false},
        {"lone CR", "d\r\na\rb\r\nc\r\r\n@\r", {"a\rb", "c", "@"}, 3, -1, 3, true},
        {"CR LF just inside 259", "d\r\n" + x258 + "\r\n@\r\n", {x258, "@"}, 2, -1, 2, true},
        {"CR LF just past 259", "d\r\n" + x259 + "\r\n@\r\n", {x259, "", "@"}, 3, -1, 3, true},
        {"a line of 300",
         "z\n" + x300 + "\n@\n",
         {x300.substr(0, 259), x300.substr(259), "@"},
         3,
         0,
         3,
         true},
        {"high bytes at the ends",
         "\xe9"
         "d\xff \n\xa0"
         "a\xe9\n\xe9"
         "d\xff.exe\t\n@\n",
         {"\xa0"
          "a\xe9",
          "\xe9"
          "d\xff.exe",
          "@"},
         3,
         1,
         3,
         true},
        {"1,000,000 lines", Million(), {}, 999999, 999998, 999999, true},
        {"zero bytes", "", {}, 0, -1, 0, false},
        {"a directory", "", {}, 0, -1, 0, false},
        {"UTF-8, as Notepad saves it", "%\r\n@\r\n%\r\n", {"@", "%"}, 2, 1, 2, true, UTF8},
        {"UTF-8 with its mark", "%\r\n@\r\n%\r\n", {"@", "%"}, 2, 1, 0, true, UTF8_MARK},
        {"UTF-16 with its mark", "^\r\n@\r\n%\r\n", {"@", "%"}, 2, 1, 2, true, UTF16},
        /* A first line's rule, whose text holds a name in several scripts:
           the tail t.txt meets it; -n 0 starts the default. */
        {"rules in UTF-8", "@ | .txt = ^\r\n@\r\n%\r\n", {"@", "%"}, 2, 1, 0, true, UTF8},
        {"rules in UTF-16", "@ | .txt = ^\r\n@\r\n%\r\n", {"@", "%"}, 2, 1, 0, true, UTF16},
        {"two lists joined, each with its mark",
         "%\r\n@\r\n\xef\xbb\xbf%\r\n",
         {"@", "%"},
         2,
         1,
         2,
         true,
         UTF8_MARK},
    };
    for (BadList row : rows) {
        row.bytes = Encoded(WithProbe(row.bytes), row.encoding);
        for (std::string &e : row.entries)
            e = row.encoding == CODE_PAGE ? Utf8(Widen(WithProbe(e))) : WithProbe(e);
        RemoveList();
        RemoveDirectoryA(WorkPath("runvo.DAT").c_str());
        if (strcmp(row.name, "a directory") == 0)
            CreateDirectoryA(WorkPath("runvo.DAT").c_str(), NULL);
        else
            WriteList(row.bytes);
        CheckChooser(row);
        CheckQuick(row);
    }
    RemoveDirectoryA(WorkPath("runvo.DAT").c_str());
    DeleteFileW(editor.c_str());
    RemoveDirectoryW(editor.substr(0, editor.rfind(L'\\')).c_str());
    TearDownWorkDir();
    return TestSummary("badlist");
}
