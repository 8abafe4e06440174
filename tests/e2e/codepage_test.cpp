/*
 * A double-byte code page end to end, in a session whose ANSI code page is
 * 932 (Japanese): what a program that reads the ANSI command line makes of
 * a document's name. A character of two bytes may end in 0x5C, the
 * backslash's byte (表 is 0x95 0x5C): whole, it is no backslash, and the
 * name goes as it is. The yen sign, which the code page has no place for,
 * is fitted to that backslash: the name goes by its short name. The wide
 * quote that 1252 fits to '"' is a character of 932's own. A program added
 * to the list is written in the code page's own bytes.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

static void test_ansi_names(void)
{
    ok(GetACP() == 932, "the session's ANSI code page is %u", GetACP());
    const std::string down = WorkPath("Downloads"), probe = ProbePath();
    CreateDirectoryA(down.c_str(), NULL);
    auto shortName = [](const std::string &name) {
        WCHAR buf[MAX_PATH] = L"";
        GetShortPathNameW(Widen(name, CP_UTF8).c_str(), buf, MAX_PATH);
        return Utf8(buf);
    };
    const std::string table = down + "\\表.txt", yen = down + "\\a¥b.txt",
                      quote = down + "\\x＂ --evil ＂.txt";
    for (const std::string &made : {table, yen, quote})
        CloseHandle(CreateFileW(Widen(made, CP_UTF8).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                0, NULL));
    const struct {
        const char *what;
        std::string document, ansi; /* as a program that reads ANSI gets it */
    } rows[] = {
        {"a trail byte of 0x5C", table, table},
        {"the yen sign", yen, shortName(yen)},
        {"a wide quote", quote, quote},
    };
    WriteList(probe + "\n" + probe + "\n");
    for (const auto &row : rows) {
        ClearProbe();
        Launched l;
        if (!StartLauncherUtf8("-n 1 \"" + row.document + "\"", &l, down.c_str()))
            continue;
        int code = WaitExit(&l, WAIT_LONG_MS);
        CloseHandle(l.process);
        std::vector<ProbeRun> runs = WaitProbe(1);
        if (!ok(code == 0 && runs.size() == 1, "%s: exit code %d, %lu starts", row.what, code,
                (unsigned long)runs.size()))
            continue;
        ok(runs[0].ansiArgs.size() == 1 && runs[0].ansiArgs[0] == row.ansi,
           "%s: %lu ANSI arguments, the first [%s]", row.what,
           (unsigned long)runs[0].ansiArgs.size(),
           runs[0].ansiArgs.empty() ? "" : runs[0].ansiArgs[0].c_str());
    }
    /* The short name is no name that the code page fits. */
    ok(!shortName(yen).empty() && shortName(yen).find("¥") == std::string::npos,
       "the short name [%s]", shortName(yen).c_str());
    for (const std::string &made : {table, yen, quote})
        DeleteFileW(Widen(made, CP_UTF8).c_str());
    RemoveDirectoryA(down.c_str());
}

/* A program added to a list without a mark, whose path the code page
   holds: written in the code page's two-byte characters (表 ends in the
   backslash's byte), as the list reads it back, and it starts. */
static void test_add_in_code_page(void)
{
    const std::string folder = WorkPath("表計算"), program = folder + "\\表.exe";
    CreateDirectoryW(Widen(folder, CP_UTF8).c_str(), NULL);
    ok(CopyFileW(Widen(ProbePath(), CP_UTF8).c_str(), Widen(program, CP_UTF8).c_str(), FALSE),
       "copy the probe to %s", program.c_str());
    WriteList("notepad\nnotepad\n");
    ClearProbe();
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    AddByInsert(&l, program, "932");
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    ok(WaitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 2; }, WAIT_EXIT_MS),
       "932: the row not added");
    std::wstring wide = Widen(program, CP_UTF8);
    char ansi[MAX_PATH * 2];
    int n =
        WideCharToMultiByte(932, 0, wide.c_str(), (int)wide.size(), ansi, sizeof ansi, NULL, NULL);
    ok(ReadList() == "notepad\nnotepad\n" + std::string(ansi, (size_t)n) + "\n",
       "932: the list [%s]", Shown(ReadList()).c_str());
    PressKey(VK_RETURN);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "932: exit code");
    CloseHandle(l.process);
    std::vector<ProbeRun> runs = WaitProbe(1);
    ok(runs.size() == 1 && _stricmp(runs[0].exe.c_str(), program.c_str()) == 0, "932: started [%s]",
       runs.empty() ? "" : runs[0].exe.c_str());
    DeleteFileW(wide.c_str());
    RemoveDirectoryW(Widen(folder, CP_UTF8).c_str());
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_ansi_names();
    test_add_in_code_page();
    TearDownWorkDir();
    return TestSummary("codepage");
}
