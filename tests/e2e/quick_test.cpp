/*
 * Quick launch end to end: "-n N tail" starts line N of the list file with
 * the tail as one quoted argument, waits 300 ms and ends with 0; a command
 * over the limit is refused with a message box and 1; everything else falls
 * back to the chooser with the tail that follows the option.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

static void test_quick_starts(void)
{
    const std::string probe = ProbePath(), probe200 = ProbePathOfLength(200);
    ok(probe200.size() == 200, "padded path of %lu bytes", (unsigned long)probe200.size());
    /* The first line's rules are no part of what -n 0 starts. */
    WriteList(probe + " \t| .txt = Z:\\other\r\nZ:\\no\\such\\program.exe\n" + probe + "\n" +
              probe + "\n" + probe200 + "\n");
    const std::string t56(56, 't');
    const struct {
        std::string tail, program, args; /* args: what follows the program */
        std::vector<std::string> argv;
    } rows[] = {
        {"-n 2 C:\\docs\\a.txt", probe, "\"C:\\docs\\a.txt\"", {"C:\\docs\\a.txt"}},
        {"-n0 report.txt", probe, "\"report.txt\"", {"report.txt"}},
        {"-n 3", probe, "\"\"", {""}},
        {"-n 2 10.txt", probe, "\"10.txt\"", {"10.txt"}},
        {"-n\t2 \t a b ", probe, "\"a b \"", {"a b "}},
        {"-n 2 C:\\My Docs\\a.txt", probe, "\"C:\\My Docs\\a.txt\"", {"C:\\My Docs\\a.txt"}},
        {"-n 2 \"C:\\My Docs\\a.txt\"", probe, "\"C:\\My Docs\\a.txt\"", {"C:\\My Docs\\a.txt"}},
        {"-n 2 C:\\", probe, "\"C:\\\\\"", {"C:\\"}},
        {"-n 2 \xe9t\xe9 \xff.txt", probe, "\"\xe9t\xe9 \xff.txt\"", {"\xe9t\xe9 \xff.txt"}},
        {"-n 4 " + t56, probe200, "\"" + t56 + "\"", {t56}}, /* 261 bytes: the most */
    };
    for (const auto &row : rows) {
        const char *tail = row.tail.c_str();
        std::string want = "\"" + row.program + "\" " + row.args;
        ClearProbe();
        Launched l;
        if (!StartLauncher(row.tail, &l))
            continue;
        int code = WaitExit(&l, WAIT_START_MS);
        std::vector<ProbeRun> runs = WaitProbe(1);
        ok(code == 0, "[%s]: exit code %d", Shown(tail).c_str(), code);
        if (!ok(runs.size() == 1, "[%s]: %lu starts", Shown(tail).c_str(),
                (unsigned long)runs.size()))
            continue;
        ok(runs[0].cmd == want, "[%s]: command [%s], want [%s]", Shown(tail).c_str(),
           Shown(runs[0].cmd).c_str(), Shown(want).c_str());
        ok(runs[0].args == row.argv, "[%s]: %lu arguments, first [%s]", Shown(tail).c_str(),
           (unsigned long)runs[0].args.size(),
           runs[0].args.empty() ? "" : Shown(runs[0].args[0]).c_str());
        /* The wait follows the start; the start need not wait for the probe
           to run, so the launcher's own life is what is measured. */
        LONGLONG lived = (LONGLONG)(ExitTime(&l) - StartTime(&l)) / 10000;
        ok(lived >= 300, "[%s]: ended %lld ms after it began", Shown(tail).c_str(), lived);
        CloseHandle(l.process);
    }
}

static void test_too_long(void)
{
    WriteList("d\n" + std::string(200, 'x') + "\n");
    ClearProbe();
    Launched l;
    if (!StartLauncher("-n 1 " + std::string(57, 't'), &l))
        return;
    HWND box = WaitWindow(l.pid, "#32770", NULL);
    if (ok(box != NULL, "no message box")) {
        ok(GetText(box) == "Error", "caption [%s]", GetText(box).c_str());
        ok(MessageBoxText(box) == "Cmd line too long", "text [%s]", MessageBoxText(box).c_str());
        ok(GetWindow(box, GW_OWNER) == NULL, "the box has an owner");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    int code = WaitExit(&l, WAIT_EXIT_MS);
    ok(code == 1, "exit code %d", code);
    ok(ReadProbe().empty(), "something was started");
    CloseHandle(l.process);
}

/* Falls back to the chooser: the field holds what follows the option. */
static void test_fallbacks(void)
{
    const struct {
        bool list;
        const char *tail, *field;
    } rows[] = {
        {true, "-n foo.txt", "foo.txt"},
        {true, "-N 2 foo.txt", "-N 2 foo.txt"},
        {true, "-x foo.txt", "-x foo.txt"},
        {true, "-n", ""},
        {true, "-n 5", ""},
        {true, "-n 9 a.txt", "a.txt"},
        {true, "-n 1 refused.txt", "refused.txt"},
        {true, "-n 2147483648 big.txt", "big.txt"},
        {true, "-n 123.txt", ".txt"},
        {false, "-n 1 a.txt", "a.txt"},
    };
    for (const auto &row : rows) {
        if (row.list)
            WriteList("d\nZ:\\no\\such\\program.exe\nb\nc\nd\n");
        else
            RemoveList();
        Launched l;
        if (!StartLauncher(row.tail, &l))
            continue;
        HWND dlg = WaitDialog(&l);
        if (ok(dlg != NULL, "[%s]: no dialog", row.tail)) {
            std::string field = GetText(GetDlgItem(dlg, IDC_CMDLINE));
            ok(field == row.field, "[%s]: field [%s]", row.tail, Shown(field).c_str());
            PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        }
        int code = WaitExit(&l, WAIT_EXIT_MS);
        ok(code == 0, "[%s]: exit code %d", row.tail, code);
        CloseHandle(l.process);
    }
}

/* The DLLs a program loads, as its debugger is told of them, up to its exit;
   and its exit code. */
static std::vector<std::string> LoadedDlls(const std::wstring &exe, std::wstring cmdline,
                                           DWORD *code)
{
    std::vector<std::string> dlls;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!ok(CreateProcessW(exe.c_str(), &cmdline[0], NULL, NULL, FALSE, DEBUG_ONLY_THIS_PROCESS,
                           NULL, NULL, &si, &pi),
            "cannot debug %s: %lu", Utf8(exe).c_str(), GetLastError()))
        return dlls;
    for (DEBUG_EVENT ev; WaitForDebugEvent(&ev, WAIT_START_MS);) {
        DWORD status = DBG_CONTINUE;
        HANDLE file = NULL;
        if (ev.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT)
            file = ev.u.LoadDll.hFile;
        else if (ev.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT)
            file = ev.u.CreateProcessInfo.hFile;
        else if (ev.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                 ev.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
            status = DBG_EXCEPTION_NOT_HANDLED; /* the program's own to handle */
        WCHAR path[MAX_PATH];
        if (file && GetFinalPathNameByHandleW(file, path, MAX_PATH, 0))
            dlls.push_back(Utf8(path));
        if (file)
            CloseHandle(file);
        bool exited = ev.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        if (exited)
            *code = ev.u.ExitProcess.dwExitCode;
        ContinueDebugEvent(ev.dwProcessId, ev.dwThreadId, status);
        if (exited)
            break;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dlls;
}

/* Quick launch loads no USER32, which would cost more than all the rest of
   it: it starts as fast as a bare WinExec. */
static void test_no_user32(void)
{
    WriteList(ProbePath() + "\n");
    ClearProbe();
    std::wstring exe = Widen(WorkPath("runvo.exe"));
    DWORD code = 99;
    std::vector<std::string> dlls = LoadedDlls(exe, L"\"" + exe + L"\" -n 0 a.txt", &code);
    ok(code == 0 && WaitProbe(1).size() == 1, "the quick launch did not start: %lu", code);
    bool kernel32 = false;
    for (std::string dll : dlls) {
        _strlwr(&dll[0]);
        kernel32 = kernel32 || dll.find("\\kernel32.dll") != std::string::npos;
        /* Nor the registry's, the shell's, COM's or the version reader's,
           which only some routes need. */
        for (const char *late : {"\\user32.dll", "\\advapi32.dll", "\\shell32.dll", "\\ole32.dll",
                                 "\\version.dll", "\\msi.dll"})
            ok(dll.find(late) == std::string::npos, "quick launch loaded %s", dll.c_str());
    }
    ok(kernel32, "%lu DLLs seen loaded, but not KERNEL32", (unsigned long)dlls.size());
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_no_user32();
    test_quick_starts();
    test_too_long();
    test_fallbacks();
    TearDownWorkDir();
    return TestSummary("quick");
}
