/*
 * Every document reaches its program, end to end: several files, quoted or
 * not, names outside the system code page (the launcher started with a
 * UTF-16 command line, as Explorer starts programs), the program an entry
 * names found where Windows finds it but never in the folder the launcher
 * starts in, no DLL loaded from there either, a document opened through its
 * file type's association, and the launcher in a folder of any name.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

#include <shellapi.h>
#include <shlobj.h>

static const char NAME[] = "C:\\docs\\日本 Ω 😀.txt";
static const char LOOKALIKE[] = "C:\\docs\\?? O ??.txt"; /* what the code page makes of it */
static const char MISSING[] = "Z:\\no\\such\\program.exe";

enum Way { QUICK, CHOOSE, FALLBACK }; /* started at once; chosen; the chooser instead */

/* Starts the launcher with a UTF-8 tail in dir and sees it through: Enter in
   the chooser, or Cancel where it falls back. field: what the chooser must
   show. Returns what the probe received. */
static std::vector<ProbeRun> Launch(const std::string &tail, Way way, const std::string &field,
                                    const char *dir = NULL)
{
    ClearProbe();
    Launched l;
    if (!StartLauncherUtf8(tail, &l, dir))
        return {};
    if (way != QUICK) {
        HWND dlg = WaitDialog(&l);
        if (ok(dlg != NULL, "[%s]: no dialog", tail.c_str())) {
            std::string shown = GetTextUtf8(GetDlgItem(dlg, IDC_CMDLINE));
            ok(shown == field, "[%s]: the chooser shows [%s]", tail.c_str(), shown.c_str());
            if (way == CHOOSE)
                PressKey(VK_RETURN);
            else
                PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        }
    }
    /* Wine's CreateProcess returns once the new process has started up: a
       32-bit one that qemu emulates on a machine that another Wine session
       keeps busy may take most of this. */
    int code = WaitExit(&l, WAIT_LONG_MS);
    ok(code == 0, "[%s]: exit code %d", tail.c_str(), code);
    CloseHandle(l.process);
    return way == FALLBACK ? ReadProbe() : WaitProbe(1);
}

/* Several files and any name reach the program exactly: args is what
   follows the program in its UTF-16 command line. */
static void test_documents(void)
{
    const std::string probe = ProbePath();
    WriteList(probe + "\n" + probe + "\n");
    const std::string two = "\"C:\\My Docs\\a b.txt\" \"C:\\My Docs\\c d.txt\"";
    const std::string q = "\"" + std::string(NAME) + "\"";
    /* Two files without blanks, as Windows sends them. */
    const std::string a = WorkPath("a.jpg"), b = WorkPath("b.jpg"), ab = a + " " + b;
    const struct {
        std::string tail;
        Way way;
        std::string args;
        size_t argc;
    } rows[] = {
        {"-n 1 " + two, QUICK, two, 2},
        {"-n 1 " + ab, QUICK, ab, 2},
        {two, CHOOSE, two, 2},
        {"-n 1 " + std::string(NAME), QUICK, q, 1},
        {"-n 1 " + q, QUICK, q, 1},
        {"-n 1 " + q + " \"C:\\Ω\\😀 x.txt\"", QUICK, q + " \"C:\\Ω\\😀 x.txt\"", 2},
        {NAME, CHOOSE, NAME, 3},
        {q, CHOOSE, q, 1},
    };
    CopyFileA(probe.c_str(), a.c_str(), FALSE);
    CopyFileA(probe.c_str(), b.c_str(), FALSE);
    for (const auto &row : rows) {
        std::string field = row.way == QUICK ? "" : row.tail;
        std::vector<ProbeRun> runs = Launch(row.tail, row.way, field);
        if (!ok(runs.size() == 1, "[%s]: %lu starts", row.tail.c_str(), (unsigned long)runs.size()))
            continue;
        std::string want = "\"" + probe + "\" " + row.args;
        ok(runs[0].wcmd == want, "[%s]: the program got [%s]", row.tail.c_str(),
           runs[0].wcmd.c_str());
        ok(runs[0].args.size() == row.argc, "[%s]: %lu arguments", row.tail.c_str(),
           (unsigned long)runs[0].args.size());
    }
    DeleteFileA(a.c_str());
    DeleteFileA(b.c_str());
}

/* The starting text, shown while the probe holds the launcher in its
   unserviced wait (run again where the capture is all black). */
static Showing UnicodeStarting(const std::wstring &starting)
{
    const std::string probe = ProbePath();
    WriteList(probe + "\n" + probe + "\n");
    HANDLE hold = CreateEventA(NULL, TRUE, FALSE, "RunvoProbeHoldUnicode");
    SetEnvironmentVariableA("RUNVO_PROBE_HOLD", "RunvoProbeHoldUnicode");
    Launched l;
    HWND status = ChooseAndShow(NAME, &l);
    SetEnvironmentVariableA("RUNVO_PROBE_HOLD", NULL);
    Showing shown =
        status ? WaitShowing(status, starting, "unicode-starting", WAIT_EXIT_MS) : SHOWING_OTHER;
    SetEvent(hold);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "starting: exit code");
    CloseHandle(l.process);
    CloseHandle(hold);
    return shown;
}

/* The starting text and the error text show the name as it is. The check
   can tell: the name and its look-alike are drawn differently. */
static void test_status_texts(void)
{
    const std::string probe = ProbePath();
    std::wstring starting =
        Widen("Starting\n" + probe + "\n" + NAME + "\n\nPlease wait...", CP_UTF8);
    std::wstring lookalike =
        Widen("Starting\n" + probe + "\n" + LOOKALIKE + "\n\nPlease wait...", CP_UTF8);
    ok(DifferentPixels(RenderStatus(starting, 600, 300), RenderStatus(lookalike, 600, 300)) > 0,
       "the name and its look-alike look the same");
    UntilNotBlack("unicode-starting", 3, [&] { return UnicodeStarting(starting); });

    Launched l;
    WriteList(std::string(MISSING) + "\n" + MISSING + "\n");
    HWND status = ChooseAndShow(NAME, &l);
    if (status) {
        ShowsText(status, ErrorText(2, "\"" + std::string(MISSING) + "\" " + NAME), "unicode-error",
                  WAIT_STEP_MS);
        PostMessageA(status, WM_CLOSE, 0, 0);
    }
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "error: exit code");
    CloseHandle(l.process);
}

static void CopyProbe(const std::string &to)
{
    ok(CopyFileA(ProbePath().c_str(), to.c_str(), FALSE), "copy the probe to %s", to.c_str());
}

/* A file in the 64-bit system folder (sub: in a folder of its own there),
   where the 32-bit launcher sees another folder (remove: take it away
   again). */
static std::string SystemOnly(const std::string &sub, const char *name, bool remove)
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    std::string folder = std::string(dir) + sub, file = folder + "\\" + name;
    PVOID redirection = NULL;
    BOOL off = Wow64DisableWow64FsRedirection(&redirection); /* in a 32-bit driver */
    if (remove) {
        DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
    } else {
        CreateDirectoryA(folder.c_str(), NULL);
        CopyProbe(file);
    }
    if (off)
        Wow64RevertWow64FsRedirection(redirection);
    return file;
}

/* A name the Run box finds under App Paths, the user's, as an expandable
   value in quotes (remove: take it away again). */
static void AppPath(const char *name, const std::string &value, bool remove)
{
    std::string key =
        std::string("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + name;
    if (remove)
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    else
        RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), NULL, REG_EXPAND_SZ, value.c_str(),
                        (DWORD)value.size() + 1);
}

/* Where the program an entry names is found: a name without a folder in the
   launcher's folder, the system's and PATH's, never in the folder it was
   started in (a Downloads folder, with planted programs of the same names),
   nor in PATH's folders found from there; a name with a folder from the
   launcher's folder; a batch file by the file found, which gets each
   document whole; a program only in the 64-bit system folder, or in a PATH
   folder under it, from there; entries in each form a user writes. */
static void test_program_search(void)
{
    const std::string down = WorkPath("Downloads"), bin = WorkPath("bin"),
                      tools = WorkPath("tools");
    const std::string dirs[] = {down, down + "\\tools", bin, tools};
    for (const std::string &d : dirs)
        CreateDirectoryA(d.c_str(), NULL);
    const std::string files[] = {down + "\\tool.exe",    down + "\\probe.exe",
                                 down + "\\cwdonly.exe", down + "\\tools\\tool.exe",
                                 bin + "\\tool.exe",     tools + "\\tool.exe",
                                 down + "\\pwn.exe",     down + "\\a&pwn&.txt"};
    for (const std::string &f : files)
        CopyProbe(f);
    const std::string batches[] = {down + "\\convert.bat", bin + "\\convert.bat",
                                   WorkPath("beside.bat"), bin + "\\quoting.bat",
                                   bin + "\\pass.cmd",     bin + "\\arch.cmd"};
    WriteWholeFile(batches[0], "@\"%~dp0tool.exe\" %*\r\n");
    WriteWholeFile(batches[1], "@\"%~dp0tool.exe\" %*\r\n");
    WriteWholeFile(batches[2], "@\"%~dp0tools\\tool.exe\" %*\r\n");
    WriteWholeFile(batches[3], "@\"%~dp0tool.exe\" \"%~1\"\r\n");
    WriteWholeFile(batches[4], "@\"%~dp0tool.exe\" %*\r\n");
    WriteWholeFile(batches[5], "@\"%~dp0tool.exe\" %PROCESSOR_ARCHITECTURE% %*\r\n");
    /* The 64-bit Program Files, as the 32-bit driver finds it too. */
    char pf[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("ProgramW6432", pf, MAX_PATH))
        GetEnvironmentVariableA("ProgramFiles", pf, MAX_PATH);
    const std::string pfDir = std::string(pf) + "\\RunvoTest", pfTool = pfDir + "\\tool.exe";
    CreateDirectoryA(pfDir.c_str(), NULL);
    CopyProbe(pfTool);
    const std::string system = SystemOnly("", "runvo64only.exe", false),
                      sub = SystemOnly("\\RunvoSub", "runvosub.exe", false);
    SetEnvironmentVariableA("RUNVO_BIN", bin.c_str());
    AppPath("runvoapp.exe", "\"%RUNVO_BIN%\\tool.exe\"", false);
    const std::string quoted = "\"" + bin + "\\tool.exe\"", pwn = down + "\\a&pwn&.txt";
    /* Shortcuts as the Start menu holds them: to a program, and to a
       document, which starts nothing. */
    const std::string app = bin + "\\App.lnk", doc = bin + "\\Doc.lnk";
    const std::string fromLnk = "\"" + tools + "\\tool.exe\" --from-lnk \"a b\"";
    MakeShortcut(app, tools + "\\tool.exe", "--from-lnk \"a b\"", bin);
    MakeShortcut(doc, pwn, "", "");
    /* Arguments past the 1,023 characters that were once all read of them,
       and a Start in folder written with a variable. */
    const std::string longLnk = bin + "\\Long.lnk", varLnk = bin + "\\Var.lnk";
    const std::string longArgs = "--x " + std::string(1500, 'x') + " --last";
    MakeShortcut(longLnk, tools + "\\tool.exe", longArgs, bin);
    MakeShortcut(varLnk, tools + "\\tool.exe", "", "%RUNVO_BIN%");
    /* Run as administrator: a flag of the shortcut's that is not the
       installer's (Wine's shortcut object reports neither: which flag
       takes the installer's route is the unit tests' to see). */
    const std::string adminLnk = bin + "\\Admin.lnk";
    MakeShortcut(adminLnk, tools + "\\tool.exe", "", bin, SLDF_RUNAS_USER);
    char oldPath[32768];
    DWORD n = GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    std::string path = n > 0 && n < sizeof oldPath ? oldPath : "";
    /* PATH near the longest an environment variable may be (32,767 with its
       end), longer than the search takes with the launcher's own folders. */
    std::string longest = bin;
    while (longest.size() + 204 + path.size() < 32700)
        longest += ";C:\\" + std::string(200, 'p');
    const struct {
        std::string entry, pathFirst;
        Way way;
        std::string ran;      /* empty: nothing */
        std::string cmd = ""; /* empty: the entry's */
        std::string doc = "doc.txt";
        std::string cwd = ""; /* empty: the launcher's */
    } rows[] = {
        {"tool.exe", bin, QUICK, bin + "\\tool.exe"},
        {"tool", bin, QUICK, bin + "\\tool.exe"},
        {"tool.exe", bin, CHOOSE, bin + "\\tool.exe"},
        {"probe.exe", bin, QUICK, ProbePath()},
        {"tool.exe", ".;Downloads;.\\;" + bin, QUICK, bin + "\\tool.exe"},
        {"tool.exe", longest, QUICK, bin + "\\tool.exe"},
        {"cwdonly.exe", bin, FALLBACK, ""},
        {"tools\\tool.exe", bin, QUICK, tools + "\\tool.exe",
         "\"" + tools + "\\tool.exe\" \"doc.txt\""},
        {".\\tools\\tool.exe", bin, CHOOSE, tools + "\\tool.exe",
         "\"" + WorkPath(".\\tools\\tool.exe") + "\" doc.txt"},
        {"convert.bat", bin, QUICK, bin + "\\tool.exe", quoted + " doc.txt"},
        {"beside.bat", bin, CHOOSE, tools + "\\tool.exe", "\"" + tools + "\\tool.exe\" doc.txt"},
        {"quoting.bat", bin, CHOOSE, bin + "\\tool.exe", "\"" + bin + "\\tool.exe\" \"R&D.txt\"",
         "R&D.txt"},
        {system, bin, QUICK, system},
        {"runvosub.exe", sub.substr(0, sub.rfind('\\')), QUICK, sub},
        {quoted, bin, QUICK, bin + "\\tool.exe", quoted + " \"doc.txt\""},
        {quoted + " --new-window", bin, CHOOSE, bin + "\\tool.exe",
         quoted + " --new-window doc.txt"},
        {quoted + " --open \"%1\" -f", bin, CHOOSE, bin + "\\tool.exe",
         quoted + " --open \"a b.txt\" -f", "\"a b.txt\""},
        {"%RUNVO_BIN%\\tool.exe", bin, QUICK, bin + "\\tool.exe", quoted + " \"doc.txt\""},
        {"pass", bin, CHOOSE, bin + "\\tool.exe", quoted + " doc.txt"},
        {"runvoapp", bin, CHOOSE, bin + "\\tool.exe", "\"runvoapp\" doc.txt"},
        {"pass.cmd", bin, CHOOSE, bin + "\\tool.exe", quoted + " \"a&pwn&.txt\"", "a&pwn&.txt"},
        {"pass.cmd", bin, QUICK, bin + "\\tool.exe", quoted + " \"" + pwn + "\" " + bin,
         pwn + " " + bin},
        {"pass.cmd", bin, QUICK, bin + "\\tool.exe", quoted + " \"a^b,c;d=e!(1).txt\"",
         "a^b,c;d=e!(1).txt"},
        {"quoting.bat", bin, CHOOSE, bin + "\\tool.exe", quoted + " \"a^b,c;d=e!(1).txt\"",
         "a^b,c;d=e!(1).txt"},
        {"arch.cmd", bin, CHOOSE, bin + "\\tool.exe", quoted + " AMD64 doc.txt"},
        {"runvo64only.exe", bin, CHOOSE, system},
        {app, bin, QUICK, tools + "\\tool.exe", fromLnk + " \"doc.txt\"", "doc.txt", bin},
        {"\"" + app + "\" --open \"%1\"", bin, CHOOSE, tools + "\\tool.exe",
         fromLnk + " --open \"a b.txt\"", "a b.txt", bin},
        {"App.lnk", bin, QUICK, tools + "\\tool.exe", fromLnk + " \"doc.txt\"", "doc.txt", bin},
        {doc, bin, FALLBACK, ""},
        {longLnk, bin, QUICK, tools + "\\tool.exe",
         "\"" + tools + "\\tool.exe\" " + longArgs + " \"doc.txt\"", "doc.txt", bin},
        {varLnk, bin, CHOOSE, tools + "\\tool.exe", "\"" + tools + "\\tool.exe\" doc.txt",
         "doc.txt", bin},
        {adminLnk, bin, QUICK, tools + "\\tool.exe", "\"" + tools + "\\tool.exe\" \"doc.txt\"",
         "doc.txt", bin},
        {"%ProgramFiles%\\RunvoTest\\tool.exe", bin, QUICK, pfTool,
         "\"" + pfTool + "\" \"doc.txt\""},
    };
    for (const auto &row : rows) {
        WriteList(row.entry + "\n" + row.entry + "\n");
        SetEnvironmentVariableA("PATH", (row.pathFirst + ";" + path).c_str());
        std::string tail = row.way == CHOOSE ? row.doc : "-n 1 " + row.doc;
        std::vector<ProbeRun> runs = Launch(tail, row.way, row.doc, down.c_str());
        const char *name = row.entry.c_str();
        if (!ok(runs.size() == (row.ran.empty() ? 0u : 1u), "%s: %lu starts", name,
                (unsigned long)runs.size()) ||
            runs.empty())
            continue;
        ok(_stricmp(runs[0].exe.c_str(), row.ran.c_str()) == 0, "%s: ran %s", name,
           runs[0].exe.c_str());
        std::string args = row.way == QUICK ? "\"doc.txt\"" : "doc.txt";
        std::string cmd = row.cmd.empty() ? "\"" + row.entry + "\" " + args : row.cmd;
        ok(runs[0].wcmd == cmd, "%s: command [%s]", name, runs[0].wcmd.c_str());
        const std::string &cwd = row.cwd.empty() ? down : row.cwd;
        ok(_stricmp(runs[0].cwd.c_str(), cwd.c_str()) == 0, "%s: working folder %s", name,
           runs[0].cwd.c_str());
        /* The interpreter's own search leaves the current folder out. */
        bool batch = row.entry.find(".bat") != std::string::npos ||
                     row.entry.find(".cmd") != std::string::npos || row.entry == "pass";
        ok(runs[0].nocwd == (batch ? "1" : "0"), "%s: NoDefaultCurrentDirectoryInExePath %s", name,
           runs[0].nocwd.c_str());
    }

    /* Not found by the chooser either: the error display says so. */
    WriteList("cwdonly.exe\ncwdonly.exe\n");
    Launched l;
    HWND status = ChooseAndShow("doc.txt", &l, down.c_str());
    if (status) {
        ShowsText(status, ErrorText(2, "\"cwdonly.exe\" doc.txt"), "not-found", WAIT_STEP_MS);
        PostMessageA(status, WM_CLOSE, 0, 0);
    }
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "not found: exit code");
    CloseHandle(l.process);

    SetEnvironmentVariableA("PATH", path.c_str());
    SetEnvironmentVariableA("RUNVO_BIN", NULL);
    AppPath("runvoapp.exe", "", true);
    SystemOnly("", "runvo64only.exe", true);
    SystemOnly("\\RunvoSub", "runvosub.exe", true);
    for (const std::string &f : files)
        DeleteFileA(f.c_str());
    for (const std::string &f : batches)
        DeleteFileA(f.c_str());
    for (const std::string &lnk : {app, doc, longLnk, varLnk})
        DeleteFileA(lnk.c_str());
    DeleteFileA(pfTool.c_str());
    RemoveDirectoryA(pfDir.c_str());
    for (int i = 3; i >= 0; i--)
        RemoveDirectoryA(dirs[i].c_str());
}

/* Has the process load a DLL by this name, as Windows loads some DLLs by
   name on a program's behalf; true when it did. */
static bool LoadsDll(HANDLE process, const std::wstring &name)
{
    size_t bytes = (name.size() + 1) * sizeof(WCHAR);
    void *remote = VirtualAllocEx(process, NULL, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (!ok(remote && WriteProcessMemory(process, remote, name.c_str(), bytes, NULL),
            "cannot write into the launcher: %lu", GetLastError()))
        return false;
    FARPROC load = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryW");
    HANDLE thread = CreateRemoteThread(
        process, NULL, 0,
        reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)(void)>(load)), remote, 0,
        NULL);
    DWORD module = 0;
    if (ok(thread != NULL, "no thread in the launcher: %lu", GetLastError())) {
        WaitForSingleObject(thread, WAIT_EXIT_MS);
        GetExitCodeThread(thread, &module);
        CloseHandle(thread);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return module != 0;
}

/* A DLL in the folder the launcher starts in is not loaded by name in the
   launcher; the program it starts searches for DLLs as ever. */
static void test_dll_search(const char *dll)
{
    const std::string down = WorkPath("Downloads"), planted = down + "\\runvoplant.dll";
    CreateDirectoryA(down.c_str(), NULL);
    ok(CopyFileA(dll, planted.c_str(), FALSE), "copy %s", dll);
    WriteList(ProbePath() + "\n" + ProbePath() + "\n");
    ClearProbe();
    SetEnvironmentVariableA("RUNVO_PROBE_DLL", "runvoplant.dll");
    Launched l;
    if (StartLauncherUtf8("doc.txt", &l, down.c_str()) && ok(WaitDialog(&l) != NULL, "no dialog")) {
        /* By name first: once loaded by its path, the name finds it loaded. */
        ok(!LoadsDll(l.process, L"runvoplant.dll"),
           "the launcher loaded a DLL of the document's folder");
        ok(LoadsDll(l.process, Widen(planted)), "the launcher cannot load the DLL by its path");
        PressKey(VK_RETURN);
        ok(WaitExit(&l, WAIT_START_MS) == 0, "dll: exit code");
        CloseHandle(l.process);
        std::vector<ProbeRun> runs = WaitProbe(1);
        ok(runs.size() == 1 && runs[0].dll == "1", "the program's own DLL search changed: [%s]",
           runs.empty() ? "not started" : runs[0].dll.c_str());
    }
    SetEnvironmentVariableA("RUNVO_PROBE_DLL", NULL);
    DeleteFileA(planted.c_str());
    RemoveDirectoryA(down.c_str());
}

/* Writes a registry value of the classes the shell reads, and returns the
   key's name for deleting it. */
static std::wstring SetClassValue(const std::wstring &name, const std::wstring &value)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) ==
        ERROR_SUCCESS) {
        RegSetValueExW(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                       (DWORD)(value.size() + 1) * sizeof(WCHAR));
        RegCloseKey(key);
    }
    return name.substr(0, name.find(L'\\'));
}

/* A file type associated with the launcher as Open with, Always does: the
   shell opens a document with blanks and any characters in its name, and the
   launcher shows that name, preselects the program of the type's rule, and
   passes the name on exactly. (Windows reads a user's
   own association through the classes root too; Wine 8 reads only the
   machine's classes there.) */
static void test_association(void)
{
    const std::wstring command = L"\"" + Widen(WorkPath("runvo.exe")) + L"\" \"%1\"";
    std::wstring ext = SetClassValue(L".runvotest", L"RunvoTest.Document");
    std::wstring cls = SetClassValue(L"RunvoTest.Document\\shell\\open\\command", command);

    std::wstring folder = Widen(WorkPath("My Docs")) + Widen(" Ω", CP_UTF8);
    std::wstring doc = folder + Widen("\\a b 😀.runvotest", CP_UTF8);
    CreateDirectoryW(folder.c_str(), NULL);
    HANDLE f = CreateFileW(doc.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(f);
    /* Preselected by the first line's rule for the type: the default
       selects nothing, and OK with nothing selected starts nothing. */
    WriteList("Z:\\none | .RunvoTest = " + ProbePath() + "\nZ:\\other.exe\n" + ProbePath() + "\n");
    ClearProbe();

    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.lpVerb = L"open";
    sei.lpFile = doc.c_str();
    sei.nShow = SW_SHOWNORMAL;
    if (ok(ShellExecuteExW(&sei) && sei.hProcess, "the shell did not open the document: %lu",
           GetLastError())) {
        Launched l = {sei.hProcess, GetProcessId(sei.hProcess), 0};
        HWND dlg = WaitDialog(&l);
        std::string quoted = "\"" + Utf8(doc) + "\"";
        if (ok(dlg != NULL, "association: no dialog")) {
            std::string shown = GetTextUtf8(GetDlgItem(dlg, IDC_CMDLINE));
            ok(shown == quoted, "association: the chooser shows [%s]", shown.c_str());
            PostMessageA(dlg, WM_COMMAND, IDOK, 0);
        }
        ok(WaitExit(&l, WAIT_START_MS) == 0, "association: exit code");
        CloseHandle(l.process);
        std::vector<ProbeRun> runs = WaitProbe(1);
        ok(runs.size() == 1 && runs[0].wcmd == "\"" + ProbePath() + "\" " + quoted,
           "association: the program got [%s]", runs.empty() ? "" : runs[0].wcmd.c_str());
    }
    DeleteFileW(doc.c_str());
    RemoveDirectoryW(folder.c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, ext.c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, cls.c_str());
}

/* Every name whole, for programs that read the ANSI command line too: a
   document whose name the code page's best fit turns into quotes, a
   backslash or a wildcard (U+FF02, U+FF3C, U+FF0A) goes by its short name,
   one that merely loses its accents as it is; an entry's quotes read as the
   program reads them, and a blank follows the program's own quote. */
static void test_names_whole(void)
{
    const std::string down = WorkPath("Downloads"), probe = ProbePath();
    CreateDirectoryA(down.c_str(), NULL);
    const std::string evil = down + "\\x＂ --evil ＂.txt", report = down + "\\report＼",
                      accents = down + "\\őé.txt", wide = down + "\\a　--evil=1　b.txt",
                      star = down + "\\b＊.txt";
    const std::string made[] = {evil, report, accents, wide, star};
    for (const std::string &m : made)
        CloseHandle(
            CreateFileW(Widen(m, CP_UTF8).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    auto shortName = [](const std::string &name) {
        WCHAR buf[MAX_PATH] = L"";
        GetShortPathNameW(Widen(name, CP_UTF8).c_str(), buf, MAX_PATH);
        return Utf8(buf);
    };
    const std::string open = "\"" + probe + "\" --open \"%1\" --readonly";
    const struct {
        std::string entry, tail;
        Way way;
        std::vector<std::string> ansi; /* as a program that reads ANSI gets them */
    } rows[] = {
        {open, "-n 1 \"" + evil + "\"", QUICK, {"--open", shortName(evil), "--readonly"}},
        {open, report, CHOOSE, {"--open", shortName(report), "--readonly"}},
        {open, "-n 1 \"" + accents + "\"", QUICK, {"--open", down + "\\oé.txt", "--readonly"}},
        {open, "-n 1 \"" + wide + "\"", QUICK, {"--open", shortName(wide), "--readonly"}},
        /* A wildcard in ANSI: a runtime that expands them would open other
           files (b1.txt, b2.txt, ...). */
        {open, star, CHOOSE, {"--open", shortName(star), "--readonly"}},
        {"\"" + probe + "\"--open \"%1\"", "a b.txt", CHOOSE, {"--open", "a b.txt"}},
        {"\"" + probe + "\" --in \"a\\\"b\" %1",
         "C:\\docs\\a --exec=calc.txt",
         CHOOSE,
         {"--in", "a\"b", "C:\\docs\\a --exec=calc.txt"}},
    };
    for (const auto &row : rows) {
        WriteList(row.entry + "\n" + row.entry + "\n");
        std::string field = row.way == QUICK ? "" : row.tail;
        std::vector<ProbeRun> runs = Launch(row.tail, row.way, field, down.c_str());
        const char *name = row.entry.c_str();
        if (!ok(runs.size() == 1, "%s: %lu starts", name, (unsigned long)runs.size()))
            continue;
        ok(runs[0].ansiArgs == row.ansi, "%s [%s]: %lu ANSI arguments, the second [%s]", name,
           row.tail.c_str(), (unsigned long)runs[0].ansiArgs.size(),
           runs[0].ansiArgs.size() > 1 ? runs[0].ansiArgs[1].c_str() : "");
    }
    /* The short names open the files themselves; the accents are only lost
       in ANSI: the UTF-16 line keeps the name. */
    HANDLE f = CreateFileA(shortName(evil).c_str(), 0, 0, NULL, OPEN_EXISTING, 0, NULL);
    ok(shortName(evil).find("＂") == std::string::npos && f != INVALID_HANDLE_VALUE,
       "the short name [%s] opens no file", shortName(evil).c_str());
    CloseHandle(f);
    for (const std::string &m : made)
        DeleteFileW(Widen(m, CP_UTF8).c_str());
    RemoveDirectoryA(down.c_str());
}

/* The launcher in a folder of any name (a user's own, say) finds the list
   file beside it, and the programs beside it: the folder is one folder,
   though a ';' in its name parts the folders of a search list (where b\
   would be found from the current folder, which has a b\tool.exe). */
static void test_folder_of_any_name(void)
{
    std::wstring folder = Widen(WorkPath("Tools")) + Widen(" Ω 日本;b", CP_UTF8);
    std::wstring exe = folder + L"\\runvo.exe", list = folder + L"\\runvo.DAT";
    std::wstring tool = folder + L"\\tool.exe", plant = Widen(WorkPath("Plant"));
    const std::wstring dirs[] = {folder, plant, plant + L"\\b"};
    for (const std::wstring &d : dirs)
        CreateDirectoryW(d.c_str(), NULL);
    ok(CopyFileW(Widen(WorkPath("runvo.exe")).c_str(), exe.c_str(), FALSE), "copy the launcher");
    ok(CopyFileW(Widen(ProbePath()).c_str(), tool.c_str(), FALSE) &&
           CopyFileW(Widen(ProbePath()).c_str(), (plant + L"\\b\\tool.exe").c_str(), FALSE),
       "copy the programs");
    std::string bytes = "tool.exe\ntool.exe\n";
    HANDLE f = CreateFileW(list.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(f);
    ClearProbe();
    Launched l;
    if (StartProgramW(exe, L"\"" + exe + L"\" -n 1 a.txt", Utf8(plant).c_str(), &l)) {
        int code = WaitExit(&l, WAIT_START_MS);
        std::vector<ProbeRun> runs = WaitProbe(1);
        ok(code == 0 && runs.size() == 1 && runs[0].exe == Utf8(tool),
           "a folder of any name: exit code %d, %lu starts, ran [%s]", code,
           (unsigned long)runs.size(), runs.empty() ? "" : runs[0].exe.c_str());
        CloseHandle(l.process);
    }
    const std::wstring made[] = {list, exe, tool, plant + L"\\b\\tool.exe"};
    for (const std::wstring &m : made)
        DeleteFileW(m.c_str());
    for (int i = 2; i >= 0; i--)
        RemoveDirectoryW(dirs[i].c_str());
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_documents();
    test_status_texts();
    test_program_search();
    if (argc > 3)
        test_dll_search(argv[3]);
    else
        ok(false, "no DLL to plant was given");
    test_association();
    test_names_whole();
    test_folder_of_any_name();
    TearDownWorkDir();
    return TestSummary("handover");
}
