/*
 * The list kept from the chooser, end to end: a program added with Insert
 * and the Open dialog, a row of a UTF-16 list removed with Delete, Always
 * with Ctrl+Enter (the rule written, the program started, and the next
 * document of that type preselecting it), a read-only list and one changed
 * on disk left as they are, and the row's menu with Shift+F10.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

/* UTF-16 LE bytes of text (ASCII). */
static std::string U16(const std::string &text)
{
    std::string b;
    for (char c : text) {
        b += c;
        b += '\0';
    }
    return b;
}

static LRESULT Selected(HWND list)
{
    return SendMessageW(list, LB_GETCURSEL, 0, 0);
}

/* Cancels the chooser and waits for its end. */
static void CloseChooser(HWND dlg, Launched *l, const char *what)
{
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(l, WAIT_EXIT_MS) == 0, "%s: exit code", what);
    CloseHandle(l->process);
}

/* Answers the chooser's message (Yes, No or OK) and gives its text. */
static std::string Answer(const Launched *l, int answer, const char *what)
{
    HWND box = WaitWindow(l->pid, "#32770", "Runvo");
    if (!ok(box != NULL, "%s: no message", what))
        return "";
    std::string text = MessageBoxText(box);
    PostMessageA(box, WM_COMMAND, answer, 0);
    WaitFor([&] { return !IsWindow(box); }, WAIT_STEP_MS);
    return text;
}

/* Insert, then the Open dialog: the program chosen there is the list's new
   last line (a path with blanks, as it stands), selected, and it starts. */
static void test_add_by_insert(void)
{
    const std::string program = WorkPath("My Tools\\My Tool.exe");
    CreateDirectoryA(WorkPath("My Tools").c_str(), NULL);
    ok(CopyFileA(ProbePath().c_str(), program.c_str(), FALSE), "copy the probe");
    WriteList("notepad\nnotepad\n");
    ClearProbe();
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    AddByInsert(&l, program, "Insert");
    ok(WaitFor([&] { return ListBoxTexts(list).size() == 2 && Selected(list) == 1; }, WAIT_EXIT_MS),
       "Insert: %lu rows, row %ld selected", (unsigned long)ListBoxTexts(list).size(),
       (long)Selected(list));
    ok(ReadList() == "notepad\nnotepad\n" + program + "\n", "Insert: the list [%s]",
       Shown(ReadList()).c_str());
    PressKey(VK_RETURN);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "Insert: exit code");
    CloseHandle(l.process);
    std::vector<ProbeRun> runs = WaitProbe(1);
    ok(runs.size() == 1 && runs[0].cmd == "\"" + program + "\" a.txt", "Insert: started [%s]",
       runs.empty() ? "" : runs[0].cmd.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(WorkPath("My Tools").c_str());
}

/* Delete and Yes: the row's line goes from a UTF-16 list, and only it. */
static void test_remove_utf16(void)
{
    WriteList("\xff\xfe" + U16("notepad\r\nregedit\r\nZ:\\gone.exe\r\nwrite\r\n"));
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    SendMessageW(list, LB_SETCURSEL, 1, 0); /* Z:\gone.exe */
    SetForegroundWindow(dlg);
    PressKey(VK_DELETE);
    std::string question = Answer(&l, IDYES, "Delete");
    ok(question == "Remove gone from the list?", "Delete: asked [%s]", question.c_str());
    std::vector<std::string> want = {"regedit", "write"};
    ok(WaitFor([&] { return ListBoxTexts(list) == want; }, WAIT_EXIT_MS),
       "Delete: rows not shown anew");
    ok(ReadList() == "\xff\xfe" + U16("notepad\r\nregedit\r\nwrite\r\n"), "Delete: the list [%s]",
       Shown(ReadList()).c_str());
    CloseChooser(dlg, &l, "Delete");
}

/* Ctrl+Enter: the rule for the document's type written into the first line,
   the program started; a second document of that type preselects it. */
static void test_always(void)
{
    const std::string probe = ProbePath();
    WriteList("notepad\nnotepad\n" + probe + "\n");
    ClearProbe();
    Launched l;
    HWND dlg = OpenChooser("C:\\Docs\\a.pdf", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    ok(Selected(list) == 0, "Always: row %ld preselected", (long)Selected(list));
    PressKey(VK_DOWN);
    WaitFor([&] { return Selected(list) == 1; }, WAIT_STEP_MS);
    PressWith(VK_CONTROL, VK_RETURN);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "Always: exit code");
    CloseHandle(l.process);
    std::vector<ProbeRun> runs = WaitProbe(1);
    ok(runs.size() == 1 && runs[0].cmd == "\"" + probe + "\" C:\\Docs\\a.pdf",
       "Always: started [%s]", runs.empty() ? "" : runs[0].cmd.c_str());
    ok(ReadList() == "notepad | .pdf = " + probe + "\nnotepad\n" + probe + "\n",
       "Always: the list [%s]", Shown(ReadList()).c_str());
    const struct {
        const char *tail;
        LRESULT row;
    } rows[] = {{"C:\\Docs\\b.PDF", 1}, {"C:\\Docs\\c.txt", 0}};
    for (const auto &row : rows) {
        dlg = OpenChooser(row.tail, &l);
        if (!dlg)
            continue;
        list = GetDlgItem(dlg, IDC_PROGLIST);
        ok(Selected(list) == row.row, "Always, then [%s]: row %ld", row.tail, (long)Selected(list));
        CloseChooser(dlg, &l, row.tail);
    }
}

/* A read-only list: Add is refused in words that name it, the list is as it
   was, the chooser stays open. */
static void test_read_only(void)
{
    const std::string bytes = "notepad\nnotepad\n", path = WorkPath("runvo.DAT");
    WriteList(bytes);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (dlg) {
        AddByInsert(&l, ProbePath(), "read-only");
        std::string said = Answer(&l, IDOK, "read-only");
        ok(said.find("read-only:\n" + path) != std::string::npos, "read-only: said [%s]",
           said.c_str());
        ok(ReadList() == bytes && IsWindowVisible(dlg), "read-only: the list [%s], chooser %d",
           Shown(ReadList()).c_str(), IsWindowVisible(dlg));
        CloseChooser(dlg, &l, "read-only");
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

/* A list saved by another program after the chooser showed it: Delete
   keeps it, says so, and shows it as it is now. */
static void test_changed_meanwhile(void)
{
    WriteList("notepad\nnotepad\nregedit\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    const std::string saved = "notepad\nnotepad\nwrite\nwordpad\n";
    WriteList(saved); /* as Notepad saves it, the chooser still open */
    SetForegroundWindow(dlg);
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    PressKey(VK_DELETE);
    std::string said = Answer(&l, IDOK, "changed");
    ok(said.find("was changed since Runvo showed it") != std::string::npos, "changed: said [%s]",
       said.c_str());
    std::vector<std::string> want = {"notepad", "write", "wordpad"};
    ok(ReadList() == saved && ListBoxTexts(list) == want, "changed: the list [%s]",
       Shown(ReadList()).c_str());
    CloseChooser(dlg, &l, "changed");
}

/* Shift+F10 opens the row's menu; its access key R asks to remove the row. */
static void test_row_menu(void)
{
    WriteList("notepad\nnotepad\nregedit\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    SetForegroundWindow(dlg);
    PressWith(VK_SHIFT, VK_F10);
    HWND menu = NULL;
    ok(WaitFor([&] { return (menu = FindWindowA("#32768", NULL)) && IsWindowVisible(menu); },
               WAIT_STEP_MS),
       "Shift+F10: no menu");
    PressKey('R');
    std::string question = Answer(&l, IDNO, "the menu's Remove");
    ok(question == "Remove notepad from the list?", "the menu's Remove: asked [%s]",
       question.c_str());
    ok(ReadList() == "notepad\nnotepad\nregedit\n", "the menu's Remove, No: the list [%s]",
       Shown(ReadList()).c_str());
    CloseChooser(dlg, &l, "row menu");
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_add_by_insert();
    test_remove_utf16();
    test_always();
    test_read_only();
    test_changed_meanwhile();
    test_row_menu();
    TearDownWorkDir();
    return TestSummary("listedit");
}
