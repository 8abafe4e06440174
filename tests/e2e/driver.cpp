/*
 * The helpers behind driver.h. Every wait polls a condition with a deadline;
 * nothing relies on a fixed sleep being long enough.
 */
#include "tests/e2e/driver.h"

#include <oleacc.h>
#include <shlobj.h>
#include <stdio.h>

static std::string s_workDir;

static std::string ReadWholeFile(const std::string &path)
{
    std::string data;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f)
        return data;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, n);
    fclose(f);
    return data;
}

void WriteWholeFile(const std::string &path, const std::string &bytes)
{
    FILE *f = fopen(path.c_str(), "wb");
    if (!f) {
        ok(false, "cannot write %s", path.c_str());
        return;
    }
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

void SetUpWorkDir(int argc, char **argv, const char *base)
{
    if (argc < 3) {
        printf("usage: %s runvo.exe probe.exe\n", argv[0]);
        exit(2);
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[64];
    snprintf(name, sizeof name, "runvo-e2e-%lu", GetCurrentProcessId());
    s_workDir = (base ? std::string(base) + "\\" : std::string(temp)) + name;
    CreateDirectoryA(s_workDir.c_str(), NULL);
    ok(CopyFileA(argv[1], WorkPath("runvo.exe").c_str(), FALSE), "copy %s", argv[1]);
    ok(CopyFileA(argv[2], ProbePath().c_str(), FALSE), "copy %s", argv[2]);
    SetEnvironmentVariableA("RUNVO_PROBE_OUT", WorkPath("probe.out").c_str());
}

void TearDownWorkDir(void)
{
    const char *names[] = {"runvo.exe", "probe.exe", "probe.out", "runvo.DAT"};
    for (const char *n : names)
        DeleteFileA(WorkPath(n).c_str());
    RemoveDirectoryA(s_workDir.c_str());
}

std::string WorkPath(const std::string &name)
{
    return s_workDir + "\\" + name;
}
std::string ProbePath(void)
{
    return WorkPath("probe.exe");
}
std::string ProbePathOfLength(size_t len)
{
    std::string dir = WorkPath(""), pad;
    size_t need = len - dir.size() - strlen("probe.exe");
    if (need % 2)
        pad = "\\"; /* a doubled separator is as good as one */
    while (pad.size() < need)
        pad += ".\\";
    return dir + pad + "probe.exe";
}

void WriteList(const std::string &bytes)
{
    WriteWholeFile(WorkPath("runvo.DAT"), bytes);
}

std::string ReadList(void)
{
    return ReadWholeFile(WorkPath("runvo.DAT"));
}
bool MakeShortcut(const std::string &lnk, const std::string &target, const std::string &args,
                  const std::string &dir, DWORD flags)
{
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IShellLinkW *link = NULL;
    IPersistFile *file = NULL;
    bool made =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link))) &&
        SUCCEEDED(link->SetPath(Widen(target, CP_UTF8).c_str())) &&
        SUCCEEDED(link->SetArguments(Widen(args, CP_UTF8).c_str())) &&
        SUCCEEDED(link->SetWorkingDirectory(Widen(dir, CP_UTF8).c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Save(Widen(lnk, CP_UTF8).c_str(), TRUE));
    if (file)
        file->Release();
    /* The flags go into the file's header, where Windows keeps them
       (Wine's IShellLinkDataList::SetFlags keeps nothing). */
    FILE *f = flags && made ? _wfopen(Widen(lnk, CP_UTF8).c_str(), L"r+b") : NULL;
    DWORD header = 0;
    if (f && fseek(f, 0x14, SEEK_SET) == 0 && fread(&header, 4, 1, f) == 1) {
        header |= flags;
        made = fseek(f, 0x14, SEEK_SET) == 0 && fwrite(&header, 4, 1, f) == 1;
    }
    if (f)
        fclose(f);
    if (link)
        link->Release();
    return ok(made, "cannot make the shortcut %s", lnk.c_str());
}

void RemoveList(void)
{
    DeleteFileA(WorkPath("runvo.DAT").c_str());
}
void ClearProbe(void)
{
    DeleteFileA(WorkPath("probe.out").c_str());
}

std::wstring Widen(const std::string &s, UINT codePage)
{
    std::wstring w(s.size() + 1, L'\0');
    int n = MultiByteToWideChar(codePage, 0, s.data(), (int)s.size(), &w[0], (int)w.size());
    w.resize(n > 0 ? (size_t)n : 0);
    return w;
}

std::string Utf8(const std::wstring &w)
{
    std::string s(w.size() * 3 + 1, '\0');
    int n =
        WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], (int)s.size(), NULL, NULL);
    s.resize(n > 0 ? (size_t)n : 0);
    return s;
}

bool StartProgramW(const std::wstring &exe, std::wstring cmdline, const char *dir, Launched *l,
                   int show)
{
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (show >= 0) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = (WORD)show;
    }
    PROCESS_INFORMATION pi;
    std::wstring wdir = dir ? Widen(dir) : L"";
    /* Wine now and then fails a start with an internal error (1359), seen
       after a process with a million list entries ended. The program has not
       run then, so starting it again hides nothing of its own. */
    for (int tries = 1;; tries++) {
        if (CreateProcessW(exe.c_str(), &cmdline[0], NULL, NULL, FALSE, 0, NULL,
                           dir ? wdir.c_str() : NULL, &si, &pi))
            break;
        DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || tries == 3) {
            ok(false, "starting %s failed: %lu", Utf8(exe).c_str(), error);
            return false;
        }
        printf("CreateProcess failed with error %lu; starting again\n", error);
        Sleep(500);
    }
    CloseHandle(pi.hThread);
    l->process = pi.hProcess;
    l->pid = pi.dwProcessId;
    l->tid = pi.dwThreadId;
    return true;
}

/* As CreateProcessA does: the command line in the system code page. */
bool StartProgram(const std::string &exe, const std::string &cmdline, const char *dir, Launched *l,
                  int show)
{
    return StartProgramW(Widen(exe), Widen(cmdline), dir, l, show);
}

bool StartRaw(const std::string &cmdline, Launched *l, int show)
{
    return StartProgram(WorkPath("runvo.exe"), cmdline, s_workDir.c_str(), l, show);
}

bool StartLauncher(const std::string &tail, Launched *l)
{
    return StartRaw("\"" + WorkPath("runvo.exe") + "\" " + tail, l);
}

bool StartLauncherUtf8(const std::string &tail, Launched *l, const char *dir, int show)
{
    std::wstring exe = Widen(WorkPath("runvo.exe"));
    return StartProgramW(exe, L"\"" + exe + L"\" " + Widen(tail, CP_UTF8),
                         dir ? dir : s_workDir.c_str(), l, show);
}

int WaitExit(Launched *l, DWORD timeoutMs)
{
    if (WaitForSingleObject(l->process, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(l->process, 99);
        WaitForSingleObject(l->process, WAIT_STEP_MS);
        return -999;
    }
    DWORD code = 0;
    GetExitCodeProcess(l->process, &code);
    return (int)code;
}

static ULONGLONG FileTimeValue(FILETIME ft)
{
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return u.QuadPart;
}

static ULONGLONG ProcessTime(const Launched *l, bool exit)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(l->process, &created, &exited, &kernel, &user))
        return 0;
    return FileTimeValue(exit ? exited : created);
}

ULONGLONG StartTime(const Launched *l)
{
    return ProcessTime(l, false);
}
ULONGLONG ExitTime(const Launched *l)
{
    return ProcessTime(l, true);
}

std::vector<ProbeRun> ReadProbe(void)
{
    std::vector<ProbeRun> runs;
    std::string data = ReadWholeFile(WorkPath("probe.out"));
    ProbeRun run;
    size_t pos = 0, nl;
    while ((nl = data.find('\n', pos)) != std::string::npos) {
        std::string line = data.substr(pos, nl - pos);
        pos = nl + 1;
        if (line.compare(0, 5, "TIME ") == 0)
            run = ProbeRun{strtoull(line.c_str() + 5, NULL, 10), "", {}, {}, "", "", "", "", ""};
        else if (line.compare(0, 4, "CMD ") == 0)
            run.cmd = line.substr(4);
        else if (line.compare(0, 4, "ARG ") == 0)
            run.args.push_back(line.substr(4));
        else if (line.compare(0, 5, "AARG ") == 0)
            run.ansiArgs.push_back(line.substr(5));
        else if (line.compare(0, 5, "WCMD ") == 0)
            run.wcmd = line.substr(5);
        else if (line.compare(0, 4, "EXE ") == 0)
            run.exe = line.substr(4);
        else if (line.compare(0, 4, "CWD ") == 0)
            run.cwd = line.substr(4);
        else if (line.compare(0, 4, "DLL ") == 0)
            run.dll = line.substr(4);
        else if (line.compare(0, 6, "NOCWD ") == 0)
            run.nocwd = line.substr(6);
        else if (line == "END")
            runs.push_back(run);
    }
    return runs;
}

std::vector<ProbeRun> WaitProbe(size_t n, DWORD timeoutMs)
{
    std::vector<ProbeRun> runs;
    WaitFor([&] { return (runs = ReadProbe()).size() >= n; }, timeoutMs);
    return runs;
}

bool WaitFor(const std::function<bool()> &cond, DWORD timeoutMs)
{
    ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (cond())
            return true;
        if (GetTickCount64() > end)
            return false;
        Sleep(20);
    }
}

struct FindArgs {
    DWORD pid;
    const char *cls, *title;
    bool hidden;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    FindArgs *a = reinterpret_cast<FindArgs *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64];
    if (pid != a->pid || (!a->hidden && !IsWindowVisible(hwnd)) ||
        !GetClassNameA(hwnd, cls, sizeof cls))
        return TRUE;
    if (strcmp(cls, a->cls) != 0 || (a->title && GetText(hwnd) != a->title))
        return TRUE;
    a->found = hwnd;
    return FALSE;
}

HWND FindProcessWindow(DWORD pid, const char *cls, const char *title, bool hidden)
{
    FindArgs a = {pid, cls, title, hidden, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&a));
    return a.found;
}

HWND WaitWindow(DWORD pid, const char *cls, const char *title, DWORD timeoutMs)
{
    HWND hwnd = NULL;
    WaitFor([&] { return (hwnd = FindProcessWindow(pid, cls, title)) != NULL; }, timeoutMs);
    return hwnd;
}

HWND WaitDialog(const Launched *l)
{
    return WaitWindow(l->pid, "#32770", "Select Program");
}

HWND OpenChooser(const std::string &tail, Launched *l)
{
    if (!StartLauncher(tail, l))
        return NULL;
    HWND dlg = WaitDialog(l);
    ok(dlg != NULL, "[%s]: no dialog", Shown(tail).c_str());
    return dlg;
}

HWND ChooseAndShow(const std::string &tail, Launched *l, const char *dir, int show)
{
    if (!StartLauncherUtf8(tail, l, dir, show) ||
        !ok(WaitDialog(l) != NULL, "[%s]: no dialog", tail.c_str()))
        return NULL;
    PressKey(VK_RETURN);
    HWND status = WaitWindow(l->pid, "Runvo", "Runvo");
    ok(status != NULL, "[%s]: no status window", tail.c_str());
    return status;
}

std::string GetText(HWND hwnd)
{
    char buf[1024];
    /* Another process's window: GetWindowText would not ask it. */
    LRESULT n = SendMessageA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return std::string(buf, n > 0 ? (size_t)n : 0);
}

std::string GetTextUtf8(HWND hwnd)
{
    WCHAR buf[1024];
    LRESULT n = SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
    return Utf8(std::wstring(buf, n > 0 ? (size_t)n : 0));
}

std::vector<std::string> ListBoxTexts(HWND list, UINT codePage)
{
    /* The wide form: Wine's cross-process LB_GETTEXT in the A form writes
       UTF-16 into the buffer. */
    std::vector<std::string> texts;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        LRESULT len = SendMessageW(list, LB_GETTEXTLEN, (WPARAM)i, 0);
        std::wstring w((size_t)(len > 0 ? len : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, (WPARAM)i, reinterpret_cast<LPARAM>(&w[0]));
        char buf[1024];
        int n = WideCharToMultiByte(codePage, 0, w.c_str(), (int)len, buf, sizeof buf, NULL, NULL);
        texts.push_back(std::string(buf, n > 0 ? (size_t)n : 0));
    }
    return texts;
}

HWND FocusOf(DWORD tid)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(tid, &info) ? info.hwndFocus : NULL;
}

static BOOL CALLBACK FindStaticText(HWND hwnd, LPARAM lParam)
{
    char cls[32];
    GetClassNameA(hwnd, cls, sizeof cls);
    std::string text = GetText(hwnd);
    if (_stricmp(cls, "Static") == 0 && !text.empty()) {
        *reinterpret_cast<std::string *>(lParam) = text;
        return FALSE;
    }
    return TRUE;
}

std::string MessageBoxText(HWND box)
{
    std::string text;
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void PressKey(WORD vk)
{
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

void PressWith(WORD modifier, WORD vk)
{
    INPUT in[4] = {};
    for (INPUT &i : in)
        i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = modifier;
    in[1].ki.wVk = in[2].ki.wVk = vk;
    in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof in[0]);
}

static BOOL CALLBACK FindWritableEdit(HWND hwnd, LPARAM lParam)
{
    char cls[16];
    GetClassNameA(hwnd, cls, sizeof cls);
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if (_stricmp(cls, "Edit") != 0 || !IsWindowVisible(hwnd) || (style & ES_READONLY))
        return TRUE;
    *reinterpret_cast<HWND *>(lParam) = hwnd;
    return FALSE;
}

HWND FileNameBox(HWND dialog)
{
    HWND box = NULL;
    EnumChildWindows(dialog, FindWritableEdit, reinterpret_cast<LPARAM>(&box));
    return box;
}

void AddByInsert(const Launched *l, const std::string &file, const char *what)
{
    PressKey(VK_INSERT);
    HWND browse = WaitWindow(l->pid, "#32770", "Add a program to Runvo's list");
    HWND name = browse ? FileNameBox(browse) : NULL;
    if (ok(name != NULL, "%s: no Open dialog, or no file name in it", what)) {
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(file, CP_UTF8).c_str()));
        PostMessageA(browse, WM_COMMAND, IDOK, 0);
    }
}

HWND OpenSystemMenu(HWND hwnd)
{
    SetForegroundWindow(hwnd);
    INPUT in[4] = {};
    for (INPUT &i : in)
        i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = VK_MENU;
    in[1].ki.wVk = in[2].ki.wVk = VK_SPACE;
    in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof in[0]);
    HWND menu = NULL;
    WaitFor([&] { return (menu = FindWindowA("#32768", NULL)) && IsWindowVisible(menu); },
            WAIT_STEP_MS);
    return menu;
}

void CloseSystemMenu(HWND hwnd, HWND menu)
{
    PressKey(VK_ESCAPE);
    WaitFor([&] { return !IsWindowVisible(menu); }, WAIT_STEP_MS);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD tid = GetWindowThreadProcessId(hwnd, NULL);
    if (GetGUIThreadInfo(tid, &info) && (info.flags & GUI_INMENUMODE))
        PressKey(VK_ESCAPE);
    WaitFor([&] { return GetGUIThreadInfo(tid, &info) && !(info.flags & GUI_INMENUMODE); },
            WAIT_STEP_MS);
}

/* The window's client object, as a screen reader gets it; NULL for none. */
static IAccessible *ClientObject(HWND hwnd)
{
    IAccessible *acc = NULL;
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    /* Loaded by name: x86_64 MinGW's oleacc and uuid libraries both define
       IID_IAccessible. */
    auto fromWindow =
        reinterpret_cast<decltype(&AccessibleObjectFromWindow)>(reinterpret_cast<void (*)(void)>(
            GetProcAddress(LoadLibraryA("oleacc.dll"), "AccessibleObjectFromWindow")));
    if (!fromWindow || FAILED(fromWindow(hwnd, (DWORD)OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void **>(&acc))))
        return NULL;
    return acc;
}

bool AccessibleAnswersItself(HWND hwnd)
{
    IAccessible *acc = ClientObject(hwnd);
    IEnumVARIANT *children = NULL;
    IOleWindow *window = NULL;
    HWND named = NULL;
    if (!acc)
        return false;
    HRESULT enumerator =
        acc->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void **>(&children));
    if (SUCCEEDED(acc->QueryInterface(IID_IOleWindow, reinterpret_cast<void **>(&window))))
        window->GetWindow(&named);
    if (children)
        children->Release();
    if (window)
        window->Release();
    acc->Release();
    return enumerator == E_NOINTERFACE && named == hwnd;
}

std::vector<std::string> AccessibleNames(HWND hwnd)
{
    std::vector<std::string> names;
    IAccessible *acc = ClientObject(hwnd);
    if (!acc)
        return names;
    LONG children = 0;
    acc->get_accChildCount(&children);
    for (LONG i = 0; i <= children; i++) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = i;
        BSTR name = NULL;
        names.push_back(SUCCEEDED(acc->get_accName(child, &name)) && name ? Utf8(name) : "");
        SysFreeString(name);
    }
    acc->Release();
    return names;
}

/* Copies what dc shows in a w x h area at x, y into 32-bit pixels. */
static Pixels ReadPixels(HDC src, int x, int y, int w, int h)
{
    Pixels p;
    p.w = w;
    p.h = h;
    p.px.resize((size_t)w * h);
    HDC mem = CreateCompatibleDC(src);
    HBITMAP bmp = CreateCompatibleBitmap(src, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, src, x, y, SRCCOPY);
    SelectObject(mem, old);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    GetDIBits(mem, bmp, 0, h, p.px.data(), &bi, DIB_RGB_COLORS);
    for (DWORD &c : p.px)
        c &= 0xFFFFFF;
    DeleteObject(bmp);
    DeleteDC(mem);
    return p;
}

IconInk RunvoIconInk(const Pixels &p, const RECT &area)
{
    IconInk ink;
    for (int y = std::max(0L, area.top); y < area.bottom && y < p.h; y++)
        for (int x = std::max(0L, area.left); x < area.right && x < p.w; x++) {
            DWORD c = p.px[(size_t)y * p.w + x];
            int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
            ink.blue += b > 0xC0 && b > r + 0x60 && g > 0x50 && g < 0xA0;
            ink.orange += r > 0xE0 && g > 0x50 && g < 0x90 && b < 0x40;
        }
    return ink;
}

bool IsRunvoIcon(HICON icon, int size)
{
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all = {0, 0, size, size};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    bool drawn = DrawIconEx(mem, 0, 0, icon, size, size, 0, NULL, DI_NORMAL);
    Pixels p = ReadPixels(mem, 0, 0, size, size);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    IconInk ink = RunvoIconInk(p, all);
    /* The tile covers most of the picture, the arrow a tenth of it. */
    return ok(drawn && ink.blue > size * size / 4 && ink.orange > size * size / 20,
              "not Runvo's icon at %d: %ld blue and %ld orange pixels", size, ink.blue, ink.orange);
}

Pixels CaptureClient(HWND hwnd)
{
    RECT rc;
    GetClientRect(hwnd, &rc);
    HDC dc = GetDC(hwnd);
    Pixels p = ReadPixels(dc, 0, 0, rc.right, rc.bottom);
    ReleaseDC(hwnd, dc);
    return p;
}

Pixels CaptureWindow(HWND hwnd)
{
    RECT rc;
    GetWindowRect(hwnd, &rc);
    HDC screen = GetDC(NULL);
    Pixels p = ReadPixels(screen, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    ReleaseDC(NULL, screen);
    return p;
}

Pixels CaptureScreen(const RECT &rc)
{
    HDC screen = GetDC(NULL);
    Pixels p = ReadPixels(screen, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    ReleaseDC(NULL, screen);
    return p;
}

Pixels CaptureControl(HWND dlg, HWND control)
{
    RECT rc;
    GetClientRect(control, &rc);
    MapWindowPoints(control, dlg, reinterpret_cast<POINT *>(&rc), 2);
    Pixels all = CaptureClient(dlg), p;
    p.w = rc.right - rc.left;
    p.h = rc.bottom - rc.top;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            p.px.push_back(x < all.w && y < all.h ? all.px[(size_t)y * all.w + x] : 0);
    return p;
}

Pixels RenderStatus(const std::wstring &text, int w, int h)
{
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    HGDIOBJ oldFont = SelectObject(mem, GetStockObject(SYSTEM_FONT));
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(mem, RGB(0, 0, 0));
    SetBkColor(mem, RGB(255, 255, 255));
    RECT rc = {0, h / 5 * 2, w, h};
    DrawTextW(mem, text.c_str(), -1, &rc, DT_CENTER | DT_NOPREFIX);
    SelectObject(mem, oldFont);
    Pixels p = ReadPixels(mem, 0, 0, w, h);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return p;
}

std::wstring ErrorText(DWORD error, const std::string &command)
{
    WCHAR words[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0,
                   words, 512, NULL);
    std::wstring text =
        L"Error " + std::to_wstring(error) + L" running " + Widen(command, CP_UTF8) + L"\n" + words;
    while (!text.empty() && (unsigned)text.back() <= 32)
        text.pop_back();
    return text;
}

static bool AllBlack(const Pixels &p)
{
    return p.w > 0 && std::all_of(p.px.begin(), p.px.end(), [](DWORD c) { return c == 0; });
}

Showing WaitShowing(HWND hwnd, const std::wstring &text, const char *name, DWORD timeoutMs)
{
    Pixels got, want;
    if (WaitFor(
            [&] {
                got = CaptureClient(hwnd);
                want = RenderStatus(text, got.w, got.h);
                return got.w > 0 && DifferentPixels(got, want) == 0;
            },
            timeoutMs))
        return SHOWING_TEXT;
    if (AllBlack(got))
        return SHOWING_BLACK;
    printf("%s: %ld pixels differ in %d x %d\n", name, DifferentPixels(got, want), got.w, got.h);
    SavePixels(got, std::string(name) + "-got.bmp");
    SavePixels(want, std::string(name) + "-want.bmp");
    return SHOWING_OTHER;
}

bool ShowsText(HWND hwnd, const std::wstring &text, const char *name, DWORD timeoutMs)
{
    Showing shown = WaitShowing(hwnd, text, name, timeoutMs);
    return ok(shown == SHOWING_TEXT, "%s: %s", name,
              shown == SHOWING_BLACK ? "all black" : "another picture");
}

bool UntilNotBlack(const char *name, int tries, const std::function<Showing()> &scenario)
{
    for (int i = 1; i <= tries; i++) {
        Showing shown = scenario();
        if (shown != SHOWING_BLACK)
            return ok(shown == SHOWING_TEXT, "%s: try %d of %d showed another picture", name, i,
                      tries);
        printf("%s: try %d of %d captured all black (mapped after it was painted, while the "
               "launcher waited); running it again\n",
               name, i, tries);
    }
    return ok(false, "%s: all %d tries captured all black", name, tries);
}

long DifferentPixels(const Pixels &a, const Pixels &b)
{
    if (a.w != b.w || a.h != b.h)
        return -1;
    long n = 0;
    for (size_t i = 0; i < a.px.size(); i++)
        n += a.px[i] != b.px[i];
    return n;
}

void SavePixels(const Pixels &p, const std::string &path)
{
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = p.w;
    ih.biHeight = -p.h;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + (DWORD)(p.px.size() * 4);
    FILE *f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(p.px.data(), 4, p.px.size(), f);
    fclose(f);
}
