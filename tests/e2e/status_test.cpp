/*
 * The status window end to end: what it paints (compared pixel for pixel
 * with the same text drawn here), the error display after a refused start,
 * its menu, the show state, and the length limit of the interactive launch.
 */
#include "tests/e2e/driver.h"

static const char MISSING[] = "Z:\\no\\such\\program.exe";

/* The starting text, painted before the program starts; an ampersand in the
   tail is shown as it is. The probe is held while the text is checked: the
   launcher then waits in WinExec, where nothing paints the window, so what it
   shows was painted before the start, and a slow machine has all the time it
   needs to see it. A window mapped after it was painted reads all black in
   that wait: the scenario runs again. */
static Showing StartingText(void)
{
    const std::string probe = ProbePath();
    WriteList(probe + "\n" + probe + "\n");
    HANDLE hold = CreateEventA(NULL, TRUE, FALSE, "RunvoProbeHold");
    SetEnvironmentVariableA("RUNVO_PROBE_HOLD", "RunvoProbeHold");
    Launched l;
    HWND status = ChooseAndShow("C:\\R&D\\a.txt", &l);
    SetEnvironmentVariableA("RUNVO_PROBE_HOLD", NULL);
    Showing shown = SHOWING_OTHER;
    if (status) {
        ok(GetMenu(status) != NULL, "no menu");
        shown =
            WaitShowing(status, Widen("Starting\n" + probe + "\nC:\\R&D\\a.txt\n\nPlease wait..."),
                        "starting", WAIT_EXIT_MS);
    }
    SetEvent(hold);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "starting: exit code");
    CloseHandle(l.process);
    CloseHandle(hold);
    return shown;
}

static void test_starting_text(void)
{
    UntilNotBlack("starting", 3, StartingText);
}

/* Sets the client area's size by sizing the window around it. */
static void SizeClient(HWND hwnd, int w, int h)
{
    RECT win, client;
    GetWindowRect(hwnd, &win);
    GetClientRect(hwnd, &client);
    SetWindowPos(hwnd, NULL, 0, 0, w + (win.right - win.left) - client.right,
                 h + (win.bottom - win.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
}

/* A refused start: the error text stays, is laid out anew at every size, the
   About box leaves the window open, and File, Exit ends with 0. */
static void test_error_display(void)
{
    WriteList(std::string(MISSING) + "\n" + MISSING + "\n");
    Launched l;
    HWND status = ChooseAndShow("C:\\R&D\\b.txt", &l);
    if (!status)
        return;
    std::wstring text = ErrorText(2, "\"" + std::string(MISSING) + "\" C:\\R&D\\b.txt");
    ShowsText(status, text, "error", WAIT_STEP_MS);
    const int sizes[][2] = {{300, 299}, {640, 120}, {200, 400}}; /* 299: the top is 118 */
    for (const auto &size : sizes) {
        SizeClient(status, size[0], size[1]);
        RECT rc;
        GetClientRect(status, &rc);
        ok(rc.right == size[0] && rc.bottom == size[1], "client %ld x %ld", rc.right, rc.bottom);
        ShowsText(status, text, ("resized-" + std::to_string(size[1])).c_str(), WAIT_STEP_MS);
    }
    PostMessageA(status, WM_COMMAND, 2, 0); /* Help, About */
    HWND about = WaitWindow(l.pid, "#32770", "Runvo");
    if (ok(about != NULL, "no About box")) {
        std::string t = MessageBoxText(about);
        ok(t.rfind("Pass the command line to the chosen program.\n\n", 0) == 0 &&
               std::count(t.begin(), t.end(), '\n') == 3 && t.back() != '\n',
           "About text [%s]", Shown(t).c_str());
        ok(GetWindow(about, GW_OWNER) == status, "About box not owned by the window");
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        ok(WaitFor([&] { return !IsWindow(about); }, WAIT_STEP_MS), "About box stayed");
    }
    ok(WaitForSingleObject(l.process, 0) == WAIT_TIMEOUT && IsWindowVisible(status),
       "About ended the error display");
    PostMessageA(status, WM_COMMAND, 1, 0); /* File, Exit */
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "File, Exit: exit code");
    CloseHandle(l.process);
}

/* A start the launcher refuses of itself names why and what, in the status
   window, until it is closed. */
static void test_refusals(void)
{
    const std::string probe = ProbePath(), doc = WorkPath("doc.lnk"), open = WorkPath("open.lnk");
    MakeShortcut(doc, WorkPath("a.txt"), "", "");
    MakeShortcut(open, probe, "--title \"", "");
    const std::string unclosed = "\"C:\\x.exe --opt",
                      ambiguous = "\"" + probe + "\" --x \"a\"\"b\" %1";
    const struct {
        std::string entry, text;
    } rows[] = {
        {unclosed, "Runvo started nothing: this entry opens a quote\n"
                   "that it does not close. Close it in the program list:\n" +
                       unclosed},
        {ambiguous, "Runvo started nothing: programs would read the quotes\n"
                    "of this entry's arguments in two ways. Write them\n"
                    "with no two quotes together inside quotes:\n" +
                        ambiguous},
        {doc, "Runvo started nothing: this shortcut opens a document,\n"
              "a folder or an app of the Store, not a program.\n"
              "List the program itself instead:\n" +
                  doc},
        {open, "Runvo started nothing: programs would read the quotes\n"
               "of this shortcut's arguments in two ways. Change its\n"
               "Target, or list the program itself instead:\n" +
                   open},
    };
    int n = 0;
    for (const auto &row : rows) {
        WriteList(row.entry + "\n" + row.entry + "\n");
        ClearProbe();
        Launched l;
        HWND status = ChooseAndShow("a.txt", &l);
        if (!status)
            continue;
        ShowsText(status, Widen(row.text), ("refusal-" + std::to_string(++n)).c_str(),
                  WAIT_STEP_MS);
        PostMessageA(status, WM_CLOSE, 0, 0);
        ok(WaitExit(&l, WAIT_EXIT_MS) == 0 && ReadProbe().empty(), "%s: exit code, or started",
           row.entry.c_str());
        CloseHandle(l.process);
    }
    DeleteFileA(doc.c_str());
    DeleteFileA(open.c_str());
}

/* The window takes the show state the launcher was started with; its close
   box ends the error display with 0. */
static void test_show_state_and_close(void)
{
    WriteList(std::string(MISSING) + "\n" + MISSING + "\n");
    Launched l;
    HWND status = ChooseAndShow("x", &l, NULL, SW_SHOWMAXIMIZED);
    if (!status)
        return;
    ok(WaitFor([&] { return IsZoomed(status) != FALSE; }, WAIT_STEP_MS), "not maximized");
    PostMessageA(status, WM_SYSCOMMAND, SC_CLOSE, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "close box: exit code");
    CloseHandle(l.process);
}

/* An entry of 200 bytes with a tail of 59 is started; with 60 the launcher
   refuses, owned by the hidden status window, and ends with 1. */
static void test_length_limit(void)
{
    const std::string probe200 = ProbePathOfLength(200);
    ok(probe200.size() == 200, "padded path of %lu bytes", (unsigned long)probe200.size());
    WriteList(probe200 + "\n" + probe200 + "\n");
    for (int len : {59, 60}) {
        ClearProbe();
        Launched l;
        if (!StartLauncher(std::string((size_t)len, 't'), &l) ||
            !ok(WaitDialog(&l) != NULL, "no dialog"))
            continue;
        PressKey(VK_RETURN);
        if (len == 60) {
            HWND box = WaitWindow(l.pid, "#32770", "Error");
            HWND status = FindProcessWindow(l.pid, "Runvo", "Runvo", true);
            if (ok(box != NULL, "60: no message box")) {
                ok(MessageBoxText(box) == "Cmd line too long", "60: [%s]",
                   MessageBoxText(box).c_str());
                ok(GetWindow(box, GW_OWNER) == status && !IsWindowVisible(status),
                   "60: not owned by the hidden status window");
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
        }
        int code = WaitExit(&l, WAIT_START_MS);
        std::vector<ProbeRun> runs = len == 60 ? ReadProbe() : WaitProbe(1);
        ok(code == (len == 60 ? 1 : 0), "%d: exit code %d", len, code);
        ok(runs.size() == (len == 60 ? 0u : 1u), "%d: %lu starts", len, (unsigned long)runs.size());
        if (len == 59 && runs.size() == 1)
            ok(runs[0].cmd.size() == 262, "59: a command of %lu bytes",
               (unsigned long)runs[0].cmd.size());
        CloseHandle(l.process);
    }
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_starting_text();
    test_error_display();
    test_refusals();
    test_show_state_and_close();
    test_length_limit();
    TearDownWorkDir();
    return TestSummary("status");
}
