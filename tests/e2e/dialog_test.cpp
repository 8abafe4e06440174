/*
 * The chooser dialog end to end: its template as compiled into the program,
 * what it shows, where the focus is, and every way of ending it.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

static const WORD EN_US = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

/* A template string: text, or an ordinal shown as "#n". */
static std::string TemplateString(const WORD *&p)
{
    std::string s;
    if (*p == 0xFFFF) {
        s = "#" + std::to_string(p[1]);
        p += 2;
        return s;
    }
    for (; *p; p++)
        s += (char)*p;
    p++;
    return s;
}

static std::string ClassName(std::string cls)
{
    static const char *atoms[] = {"Button", "Edit", "Static", "ListBox"};
    for (int i = 0; i < 4; i++)
        if (cls == "#" + std::to_string(0x80 + i))
            return atoms[i];
    return cls;
}

/* The dialog's own part of the template; p is left at its first control. */
static void CheckDialogHeader(const BYTE *t, const WORD *&p)
{
    const DLGTEMPLATE *dt = reinterpret_cast<const DLGTEMPLATE *>(t);
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    ok(dt->style == style, "dialog style %08lx", dt->style);
    ok(dt->dwExtendedStyle == (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES) && dt->cdit == 7,
       "exstyle %lx, %d controls", dt->dwExtendedStyle, dt->cdit);
    ok(dt->cx == 236 && dt->cy == 175, "size %d x %d", dt->cx, dt->cy);
    p = reinterpret_cast<const WORD *>(t + 18);
    std::string menu = TemplateString(p), cls = TemplateString(p), title = TemplateString(p);
    ok(menu.empty() && cls.empty() && title == "Select Program", "menu [%s] class [%s] title [%s]",
       menu.c_str(), cls.c_str(), title.c_str());
    WORD points = *p++;
    std::string face = TemplateString(p);
    ok(points == 10 && face == "MS Sans Serif", "font %d %s", points, face.c_str());
}

static void test_template(const char *exe)
{
    HMODULE mod = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC res = FindResourceExA(mod, RT_DIALOG, "IDD_RUNVO", EN_US);
    if (!ok(res != NULL, "no IDD_RUNVO dialog in English (United States)"))
        return;
    const BYTE *t = static_cast<const BYTE *>(LockResource(LoadResource(mod, res)));
    const WORD *p;
    CheckDialogHeader(t, p);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const struct {
        const char *cls;
        WORD id;
        const char *text; /* NULL: the implementer's label */
        short x, y, cx, cy;
        DWORD style;
    } items[] = {
        {"Static", 0xFFFF, NULL, 7, 7, 20, 8, SS_LEFT | WS_GROUP},
        {"Edit", 10, "", 28, 7, 186, 12, ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP},
        {"Static", 0xFFFF, NULL, 212, 7, 17, 8, SS_RIGHT | WS_GROUP},
        {"ListBox", 11, "", 7, 23, 222, 130,
         LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
             WS_BORDER | WS_TABSTOP},
        {"Button", IDOK, "OK", 73, 156, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {"Button", IDCANCEL, "Cancel", 126, 156, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
        {"Button", 12, "Help", 179, 156, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    };
    for (int i = 0; i < 7 && i < reinterpret_cast<const DLGTEMPLATE *>(t)->cdit; i++) {
        p = reinterpret_cast<const WORD *>(((UINT_PTR)p + 3) & ~(UINT_PTR)3);
        const DLGITEMTEMPLATE *it = reinterpret_cast<const DLGITEMTEMPLATE *>(p);
        p = reinterpret_cast<const WORD *>(reinterpret_cast<const BYTE *>(p) + 18);
        std::string icls = ClassName(TemplateString(p)), text = TemplateString(p);
        p += 1 + (*p + 1) / 2;
        const auto &want = items[i];
        ok(_stricmp(icls.c_str(), want.cls) == 0 && it->id == want.id, "control %d: %s id %d",
           i + 1, icls.c_str(), it->id);
        ok(it->style == (want.style | child) && it->dwExtendedStyle == 0,
           "control %d: style %08lx exstyle %lx", i + 1, it->style, it->dwExtendedStyle);
        ok(it->x == want.x && it->y == want.y && it->cx == want.cx && it->cy == want.cy,
           "control %d: at %d,%d size %d x %d", i + 1, it->x, it->y, it->cx, it->cy);
        ok(want.text ? text == want.text : !text.empty() && text.find(' ') == std::string::npos,
           "control %d: text [%s]", i + 1, text.c_str());
    }
    FreeLibrary(mod);
}

/* The program's icon: its first icon group holds each size from 16 to 256
   pixels, up to 64 as 32-bit bitmaps (drawn without decoding), 256 as a
   PNG image; and the shell takes it from the file in its colours. */
static void test_icon(const char *exe)
{
    HMODULE mod = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC group = FindResourceA(mod, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
    if (!ok(group != NULL, "no icon group 1"))
        return;
    const BYTE *dir = static_cast<const BYTE *>(LockResource(LoadResource(mod, group)));
    WORD count = *reinterpret_cast<const WORD *>(dir + 4);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; i++) {
        const BYTE *entry = dir + 6 + 14 * i; /* GRPICONDIRENTRY, packed */
        sizes.push_back(entry[0] ? entry[0] : 256);
        WORD id = *reinterpret_cast<const WORD *>(entry + 12);
        HRSRC image = FindResourceA(mod, MAKEINTRESOURCEA(id), RT_ICON);
        const char *data =
            image ? static_cast<const char *>(LockResource(LoadResource(mod, image))) : NULL;
        const BITMAPINFOHEADER *bmp = reinterpret_cast<const BITMAPINFOHEADER *>(data);
        bool png = data && memcmp(data, "\x89PNG", 4) == 0;
        bool bitmap = data && !png && bmp->biSize == sizeof *bmp && bmp->biBitCount == 32 &&
                      bmp->biWidth == sizes.back() && bmp->biHeight == 2 * sizes.back();
        ok(sizes.back() == 256 ? png : bitmap, "the %d-pixel image: PNG %d, a 32-bit bitmap %d",
           sizes.back(), png, bitmap);
    }
    const std::vector<int> want = {16, 20, 24, 32, 40, 48, 64, 256};
    ok(sizes == want, "%lu sizes in the icon group", (unsigned long)sizes.size());
    FreeLibrary(mod);
    HICON icon = NULL;
    ok(PrivateExtractIconsA(exe, 0, 32, 32, &icon, NULL, 1, 0) == 1 && icon, "no icon extracted");
    if (icon) {
        IsRunvoIcon(icon, 32);
        DestroyIcon(icon);
    }
}

/* The chooser cannot get lost: it has a taskbar button, is the foreground
   window, and shows Runvo's icon, which the window manager draws in its
   title bar (at its top left, as openbox does; Wine answers WM_GETICON
   from another process with none). */
static void test_chooser_window(void)
{
    WriteList("a\na\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    ok(GetWindowLongW(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW, "no taskbar button");
    ok(WaitFor([&] { return GetForegroundWindow() == dlg; }, WAIT_STEP_MS),
       "not the foreground window");
    IconInk ink;
    bool shown = WaitFor(
        [&] {
            ink = RunvoIconInk(CaptureWindow(dlg), RECT{0, 0, 32, 32});
            return ink.blue > 40 && ink.orange > 8;
        },
        WAIT_STEP_MS);
    ok(shown, "no icon in the title bar: %ld blue and %ld orange pixels", ink.blue, ink.orange);
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "chooser window: exit code");
    CloseHandle(l.process);
}

/* The status window's menu: File, Exit and Help, About. */
static void test_menu(const char *exe)
{
    HMODULE mod = LoadLibraryExA(exe, NULL, LOAD_LIBRARY_AS_DATAFILE);
    ok(FindResourceExA(mod, RT_MENU, "MENU", EN_US) != NULL, "no MENU in English (United States)");
    HMENU menu = LoadMenuA(mod, "Menu"); /* as the class names it */
    if (!ok(menu != NULL, "the class's menu name finds no menu"))
        return;
    const struct {
        const char *popup, *item;
        UINT id;
    } rows[] = {{"&File", "E&xit", 1}, {"&Help", "&About...", 2}};
    ok(GetMenuItemCount(menu) == 2, "%d popups", GetMenuItemCount(menu));
    for (int i = 0; i < 2; i++) {
        char popup[32] = "", item[32] = "";
        GetMenuStringA(menu, i, popup, sizeof popup, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        GetMenuStringA(sub, 0, item, sizeof item, MF_BYPOSITION);
        ok(strcmp(popup, rows[i].popup) == 0 && strcmp(item, rows[i].item) == 0 &&
               GetMenuItemCount(sub) == 1 && GetMenuItemID(sub, 0) == rows[i].id,
           "menu %d: %s / %s (%u)", i, popup, item, GetMenuItemID(sub, 0));
    }
    DestroyMenu(menu);
    FreeLibrary(mod);
}

/* A first line of rules that is longer than one read (259 characters):
   types, then a rule's text that the read cuts after "C:\Apps\Ar". */
static std::string CutRulesLine(void)
{
    const std::string text = " = C:\\Apps\\Archiver.exe";
    std::string line = "notepad | .txt";
    while (line.size() + 3 + 10 < 259 - 13)
        line += " .x";
    line += " ." + std::string(259 - 13 - line.size() - 2, 'y');
    return line + text + "\n";
}

static void test_contents(void)
{
    const struct {
        const char *name;
        bool hasList;
        std::string list;
        std::vector<std::string> entries;
        int selected;
    } rows[] = {
        {"case-blind prefix",
         true,
         "c:\\tools\\reader\r\nC:\\tools\\editor.exe\r\nC:\\Tools\\Reader.exe\r\n",
         {"C:\\tools\\editor.exe", "C:\\Tools\\Reader.exe"},
         1},
        {"the earlier of two",
         true,
         "ed\nvi.exe\nedit.exe\nedlin.exe\n",
         {"vi.exe", "edit.exe", "edlin.exe"},
         1},
        {"file order, no sorting", true, "zz\nc\nb\na\n", {"c", "b", "a"}, -1},
        {"empty first line", true, "\nb\na\n", {"b", "a"}, 0},
        {"empty entries, high bytes", true, "\xe9\n\n\xe9t\xe9.exe  \n", {"", "\xe9t\xe9.exe"}, 1},
        {"only a first line", true, "first\n", {}, -1},
        /* Its rule's text cut: the whole first piece is the default, which
           begins no entry, and the rest is an entry of its own. */
        {"a first line cut by the read",
         true,
         CutRulesLine() + "C:\\Apps\\Ar.exe\nC:\\Apps\\Archiver.exe\n",
         {"chiver.exe", "C:\\Apps\\Ar.exe", "C:\\Apps\\Archiver.exe"},
         -1},
        {"empty file", true, "", {}, -1},
        {"no list file", false, "", {}, -1},
    };
    for (const auto &row : rows) {
        if (row.hasList)
            WriteList(row.list);
        else
            RemoveList();
        Launched l;
        HWND dlg = OpenChooser("C:\\docs\\a.txt", &l);
        if (!dlg)
            continue;
        HWND list = GetDlgItem(dlg, IDC_PROGLIST);
        std::vector<std::string> got = ListBoxTexts(list);
        ok(got == row.entries, "%s: %lu entries", row.name, (unsigned long)got.size());
        LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
        ok(sel == row.selected, "%s: selected %ld", row.name, (long)sel);
        ok(GetText(GetDlgItem(dlg, IDC_CMDLINE)) == "C:\\docs\\a.txt", "%s: field", row.name);
        ok(WaitFor([&] { return FocusOf(l.tid) == list; }, WAIT_STEP_MS),
           "%s: focus not in the list", row.name);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "%s: exit code", row.name);
        CloseHandle(l.process);
    }
}

/* The first line's rules preselect by what is opened, by each route a
   document arrives: Send To's quoted paths, and what follows -n when quick
   launch falls back. A rule whose text begins no entry, mixed types and a
   name without an extension select as the default does. */
static void test_rules(void)
{
    WriteList("editor | .jpg .png = viewer | .pdf = reader | .gif = nothing\n"
              "editor.exe\nviewer.exe\nreader.exe\n");
    const struct {
        std::string tail;
        LRESULT selected;
    } rows[] = {
        {"\"C:\\My Docs\\a b.JPG\"", 1},
        {"\"C:\\My Docs\\a.jpg\" \"C:\\My Docs\\b.png\"", 1},
        {"\"C:\\My Docs\\a.jpg\" \"C:\\My Docs\\b.pdf\"", 0},
        {"-n 9 C:\\docs\\b.pdf", 2},
        {"C:\\docs\\c.gif", 0},
        {"C:\\docs\\readme", 0},
    };
    for (const auto &row : rows) {
        Launched l;
        HWND dlg = OpenChooser(row.tail, &l);
        if (!dlg)
            continue;
        LRESULT sel = SendMessageA(GetDlgItem(dlg, IDC_PROGLIST), LB_GETCURSEL, 0, 0);
        ok(sel == row.selected, "[%s]: selected %ld", row.tail.c_str(), (long)sel);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "[%s]: exit code", row.tail.c_str());
        CloseHandle(l.process);
    }
}

/* Enter starts the selected entry with the tail unquoted, 1000 ms before the
   end; every byte of the tail arrives, also a high one after the name. */
static void test_enter_starts(void)
{
    const std::string probe = ProbePath();
    WriteList(probe + "\n" + "Z:\\other.exe\n" + probe + "\n");
    const struct {
        std::string cmdline, args;
    } rows[] = {
        {"runvo.exe C:\\docs\\a.txt", " C:\\docs\\a.txt"},
        {"runvo.exe", " "},
        {"runvo.exe \xe9t\xe9 x.txt", " \xe9t\xe9 x.txt"},
        {"\"runvo.exe\"\t\"C:\\My Docs\\b.txt\" x", " \"C:\\My Docs\\b.txt\" x"},
    };
    for (const auto &row : rows) {
        ClearProbe();
        Launched l;
        if (!StartRaw(row.cmdline, &l))
            continue;
        /* Without a document, the question of a first start comes first. */
        HWND offer = row.cmdline == "runvo.exe" ? WaitWindow(l.pid, "#32770", "Runvo") : NULL;
        if (offer)
            PostMessageA(offer, WM_COMMAND, IDNO, 0);
        const char *name = row.cmdline.c_str();
        HWND dlg = WaitDialog(&l);
        if (ok(dlg != NULL, "[%s]: no dialog", Shown(name).c_str()))
            PressKey(VK_RETURN);
        int code = WaitExit(&l, WAIT_START_MS);
        ok(code == 0, "[%s]: exit code %d", Shown(name).c_str(), code);
        std::vector<ProbeRun> runs = WaitProbe(1);
        std::string want = "\"" + probe + "\"" + row.args;
        if (ok(runs.size() == 1, "[%s]: %lu starts", Shown(name).c_str(),
               (unsigned long)runs.size())) {
            ok(runs[0].cmd == want, "[%s]: command [%s]", Shown(name).c_str(),
               Shown(runs[0].cmd).c_str());
            LONGLONG waited = (LONGLONG)(ExitTime(&l) - runs[0].time) / 10000;
            ok(waited >= 1000, "[%s]: ended %lld ms after the start", Shown(name).c_str(), waited);
        }
        CloseHandle(l.process);
    }
}

/* Escape, Cancel and the close box: exit code 0, nothing started, and the
   status window never shown. */
static void test_cancel(void)
{
    WriteList(ProbePath() + "\n" + ProbePath() + "\n");
    const char *ways[] = {"Escape", "Cancel", "close box"};
    for (const char *way : ways) {
        ClearProbe();
        Launched l;
        HWND dlg = OpenChooser("a.txt", &l);
        if (!dlg)
            continue;
        if (way[0] == 'E')
            PressKey(VK_ESCAPE);
        else if (way[0] == 'C')
            PostMessageA(GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
        else
            PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        bool shown = false;
        WaitFor(
            [&] {
                shown = shown || FindProcessWindow(l.pid, "Runvo", NULL) != NULL;
                return WaitForSingleObject(l.process, 0) == WAIT_OBJECT_0;
            },
            WAIT_EXIT_MS);
        ok(WaitExit(&l, 1000) == 0, "%s: exit code", way);
        ok(!shown, "%s: the status window was shown", way);
        ok(ReadProbe().empty(), "%s: something was started", way);
        CloseHandle(l.process);
    }
}

/* F1 and the Help button show the Help box, owned by the dialog; afterwards
   the focus is back in the list. */
static void test_help(void)
{
    WriteList("x\na\nb\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    for (const char *way : {"F1", "Help button"}) {
        if (way[0] == 'F')
            PressKey(VK_F1);
        else
            PostMessageA(GetDlgItem(dlg, IDC_HELPBTN), BM_CLICK, 0, 0);
        HWND box = WaitWindow(l.pid, "#32770", "Help with Runvo");
        if (!ok(box != NULL, "%s: no Help box", way))
            continue;
        ok(MessageBoxText(box) == "Help", "%s: text [%s]", way, MessageBoxText(box).c_str());
        ok(GetWindow(box, GW_OWNER) == dlg, "%s: not owned by the dialog", way);
        PressKey(VK_RETURN);
        ok(WaitFor([&] { return !IsWindow(box); }, WAIT_STEP_MS), "%s: the box stayed", way);
        ok(WaitFor([&] { return FocusOf(l.tid) == list; }, WAIT_STEP_MS),
           "%s: focus not in the list", way);
        ok(IsWindowVisible(dlg), "%s: the dialog closed", way);
    }
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "help: exit code");
    CloseHandle(l.process);
}

/* OK with nothing selected keeps the dialog open, even where a refused quick
   launch left its command behind; a choice made afterwards is started. */
static void test_ok_without_selection(void)
{
    const std::string probe = ProbePath();
    WriteList("nothing begins so\nZ:\\no\\such\\program.exe\n" + probe + "\n");
    ClearProbe();
    Launched l;
    HWND dlg = OpenChooser("-n 1 a.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    ok(SendMessageA(list, LB_GETCURSEL, 0, 0) == LB_ERR, "an entry is selected");
    PressKey(VK_RETURN);
    PressKey(VK_F1); /* keys arrive in order: the Help box shows Enter was handled */
    HWND box = WaitWindow(l.pid, "#32770", "Help with Runvo");
    ok(box != NULL && IsWindowVisible(dlg), "OK with no selection ended the dialog");
    if (box)
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    ok(WaitFor([&] { return FocusOf(l.tid) == list; }, WAIT_STEP_MS), "focus not back in the list");
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    PressKey(VK_RETURN);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "exit code");
    std::vector<ProbeRun> runs = WaitProbe(1);
    ok(runs.size() == 1 && runs[0].cmd == "\"" + probe + "\" a.txt", "started [%s]",
       runs.empty() ? "" : Shown(runs[0].cmd).c_str());
    CloseHandle(l.process);
}

/* The rows of a list's picture, h pixels each, as the chooser draws them:
   what differs from the background in the columns [left, right) of a row,
   and the darkest of it (a sum of red, green and blue). */
struct Ink {
    long pixels = 0;
    int darkest = 765;
};

static Ink InkIn(const Pixels &p, int row, int h, int left, int right)
{
    Ink ink;
    for (int y = row * h; y < (row + 1) * h && y < p.h; y++)
        for (int x = left; x < right && x < p.w; x++) {
            DWORD c = p.px[(size_t)y * p.w + x];
            int sum = (c >> 16 & 255) + (c >> 8 & 255) + (c & 255);
            if (c != p.px[(size_t)y * p.w + p.w - 1]) {
                ink.pixels++;
                ink.darkest = std::min(ink.darkest, sum);
            }
        }
    return ink;
}

/* Where a missing entry's row has its digit and its text: the gap between
   them is where the other rows have their icons. */
static void IconColumns(const Pixels &p, int row, int h, int *left, int *right)
{
    int x = 0;
    while (x < p.w && InkIn(p, row, h, x, x + 1).pixels == 0)
        x++; /* to the digit */
    while (x < p.w && InkIn(p, row, h, x, x + 1).pixels > 0)
        x++;
    *left = x;
    while (x < p.w && InkIn(p, row, h, x, x + 1).pixels == 0)
        x++;
    *right = x; /* the text */
}

/* The pixels of a row's columns [left, right) that are coloured (not grey),
   and how many pixel rows of it hold any ink. */
static void Colour(const Pixels &p, int row, int h, int left, int right, long *coloured,
                   int *inkRows)
{
    *coloured = 0;
    *inkRows = 0;
    for (int y = row * h; y < (row + 1) * h && y < p.h; y++) {
        bool ink = false;
        for (int x = left; x < right && x < p.w; x++) {
            DWORD c = p.px[(size_t)y * p.w + x];
            int r = c >> 16 & 255, g = c >> 8 & 255, b = c & 255;
            *coloured += std::max({r, g, b}) - std::min({r, g, b}) > 40;
            ink = ink || c != p.px[(size_t)y * p.w + p.w - 1];
        }
        *inkRows += ink;
    }
}

/* Each row shows its program's icon and name, a program's own icon in its
   colours, at 16 pixels in a row of 20 at 96 DPI; an entry whose program is
   missing shows none; a character selects by the names shown, a digit
   starts its entry, and one past the last row does nothing. */
static void test_rows(const char *exe)
{
    const std::string other = WorkPath("other.exe"), probe = ProbePath();
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    ok(CopyFileA(exe, other.c_str(), FALSE), "copy the launcher as other.exe");
    WriteList("no default\n\"" + other + "\" --x\n\"" + probe +
              "\" --second\nZ:\\no\\such\\program.exe\n" + windows + "\\regedit.exe\n");
    ClearProbe();
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    int h = (int)SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    ok(h == 20, "rows of %d pixels at 96 DPI", h);
    Pixels p;
    int left = 0, right = 0;
    Ink icon[4], text[2];
    if (!ok(WaitFor(
                [&] {
                    p = CaptureControl(dlg, list);
                    IconColumns(p, 2, h, &left, &right);
                    for (int row = 0; row < 4; row++)
                        icon[row] = InkIn(p, row, h, left, right);
                    return icon[0].pixels > 20 && icon[1].pixels > 20 && icon[3].pixels > 20;
                },
                WAIT_EXIT_MS),
            "no icons: %ld %ld %ld pixels in columns %d to %d", icon[0].pixels, icon[1].pixels,
            icon[3].pixels, left, right))
        SavePixels(p, "rows-got.bmp");
    ok(right - left >= 16 && icon[2].pixels == 0, "the icon column: %d to %d, %ld in the missing",
       left, right, icon[2].pixels);
    long coloured = 0;
    int inkRows = 0;
    Colour(p, 3, h, left, right, &coloured, &inkRows);
    ok(coloured > 20 && inkRows <= 16, "regedit's icon: %ld coloured pixels, %d pixels high",
       coloured, inkRows);
    /* The missing one's text is grey, the others' names black. */
    text[0] = InkIn(p, 1, h, right, p.w);
    text[1] = InkIn(p, 2, h, right, p.w);
    ok(text[0].pixels > 0 && text[1].pixels > 0 && text[1].darkest > text[0].darkest + 150,
       "the missing entry is not drawn apart: darkest %d against %d", text[1].darkest,
       text[0].darkest);
    /* By name: other.exe is "Runvo"; the missing one's file is "program". */
    const struct {
        WORD key;
        LRESULT selected;
    } keys[] = {{'R', 0}, {'P', 1}, {'P', 2}, {'O', 2}, {'P', 1}};
    for (const auto &k : keys) {
        PressKey(k.key);
        ok(WaitFor([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == k.selected; },
                   WAIT_STEP_MS),
           "%c: selected %ld", k.key, (long)SendMessageA(list, LB_GETCURSEL, 0, 0));
    }
    /* A digit past the last row: nothing, even with the missing one chosen.
       The keys arrive in order: the Help box shows the digit was handled. */
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    PressKey('9');
    PressKey(VK_F1);
    HWND box = WaitWindow(l.pid, "#32770", "Help with Runvo");
    ok(box != NULL && IsWindowVisible(dlg) && SendMessageA(list, LB_GETCURSEL, 0, 0) == 2 &&
           !FindProcessWindow(l.pid, "Runvo", "Runvo"),
       "9 of 4 rows did something");
    if (box)
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    ok(WaitFor([&] { return FocusOf(l.tid) == list; }, WAIT_STEP_MS), "focus not back in the list");
    PressKey('2');
    ok(WaitExit(&l, WAIT_START_MS) == 0, "2: exit code");
    std::vector<ProbeRun> runs = WaitProbe(1);
    ok(runs.size() == 1 && runs[0].cmd == "\"" + probe + "\" --second a.txt", "2 started [%s]",
       runs.empty() ? "" : Shown(runs[0].cmd).c_str());
    CloseHandle(l.process);
    DeleteFileA(other.c_str());
}

/* What a screen reader hears: the list's name, and each row's as it shows
   it, a missing program's with "not found", once the rows are loaded. A
   program found along PATH on a network drive (N:, as Wine is told) is
   not opened before it is chosen: its row shows the name it goes by, not
   the one its version information gives. */
static void test_accessible_names(const char *exe)
{
    const std::string other = WorkPath("other.exe"), probe = ProbePath();
    const std::string netBin = "N:\\bin", netApp = netBin + "\\netapp.exe";
    ok(CopyFileA(exe, other.c_str(), FALSE), "copy the launcher as other.exe");
    CreateDirectoryA(netBin.c_str(), NULL);
    ok(CopyFileA(exe, netApp.c_str(), FALSE), "copy the launcher to %s", netApp.c_str());
    ok(GetDriveTypeA("N:\\") == DRIVE_REMOTE, "N: is of kind %u", GetDriveTypeA("N:\\"));
    char oldPath[32768];
    DWORD n = GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    std::string path = n > 0 && n < sizeof oldPath ? oldPath : "";
    SetEnvironmentVariableA("PATH", (netBin + ";" + path).c_str());
    WriteList("none\n\"" + other + "\" --x\n" + probe + "\nZ:\\no\\such\\program.exe\nnetapp\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    SetEnvironmentVariableA("PATH", path.c_str());
    if (!dlg)
        return;
    const std::vector<std::string> want = {"Programs", "1, Runvo, --x", "2, probe",
                                           "3, Z:\\no\\such\\program.exe, not found", "4, netapp"};
    std::vector<std::string> names;
    bool named =
        WaitFor([&] { return (names = AccessibleNames(GetDlgItem(dlg, IDC_PROGLIST))) == want; },
                WAIT_EXIT_MS);
    ok(named, "%lu names; the last [%s]", (unsigned long)names.size(),
       names.empty() ? "" : names.back().c_str());
    ok(AccessibleAnswersItself(GetDlgItem(dlg, IDC_PROGLIST)),
       "the list's object hands out the platform's enumerator, or names another window");
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "names: exit code");
    CloseHandle(l.process);
    DeleteFileA(other.c_str());
    DeleteFileA(netApp.c_str());
}

/* A letter finds a row by the name it shows where the row was never in
   view, nor among the rows whose names are loaded ahead: the 1,501st. */
static void test_letter_finds_far_row(const char *exe)
{
    const std::string other = WorkPath("other.exe");
    ok(CopyFileA(exe, other.c_str(), FALSE), "copy the launcher as other.exe");
    std::string list = "none\n";
    for (int i = 0; i < 1500; i++)
        list += "Z:\\no\\such\\app.exe\n";
    WriteList(list + other + "\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND hList = GetDlgItem(dlg, IDC_PROGLIST);
    PressKey('R'); /* "Runvo" */
    ok(WaitFor([&] { return SendMessageW(hList, LB_GETCURSEL, 0, 0) == 1500; }, WAIT_START_MS),
       "R: selected %ld", (long)SendMessageW(hList, LB_GETCURSEL, 0, 0));
    PressKey('A'); /* "app", the next after it, round the list */
    ok(WaitFor([&] { return SendMessageW(hList, LB_GETCURSEL, 0, 0) == 0; }, WAIT_STEP_MS),
       "A: selected %ld", (long)SendMessageW(hList, LB_GETCURSEL, 0, 0));
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "far row: exit code");
    CloseHandle(l.process);
    DeleteFileA(other.c_str());
}

/* A letter's search over 1,500 rows whose names are not loaded yet, and
   Home pressed at once: the search stops there, row 0 stays selected, and
   Enter starts row 0's program. */
static void test_letter_then_home(void)
{
    const std::string probe = ProbePath();
    std::string list = "none\n" + probe + "\n";
    for (int i = 0; i < 1500; i++)
        list += "Z:\\no\\such\\app" + std::to_string(i) + ".exe\n";
    WriteList(list + "Z:\\no\\such\\quit.exe\n");
    ClearProbe();
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    HWND hList = GetDlgItem(dlg, IDC_PROGLIST);
    PressKey('Q'); /* "quit", the last row: the search loads every name before it */
    PressKey(VK_HOME);
    ok(WaitFor([&] { return SendMessageW(hList, LB_GETCURSEL, 0, 0) == 0; }, WAIT_STEP_MS),
       "Home: row %ld selected", (long)SendMessageW(hList, LB_GETCURSEL, 0, 0));
    /* Longer than the search takes to get to the last row where it goes on. */
    bool moved =
        WaitFor([&] { return SendMessageW(hList, LB_GETCURSEL, 0, 0) != 0; }, WAIT_STEP_MS);
    ok(!moved, "Q, Home: row %ld selected", (long)SendMessageW(hList, LB_GETCURSEL, 0, 0));
    PressKey(VK_RETURN);
    ok(WaitExit(&l, WAIT_START_MS) == 0, "Q, Home, Enter: exit code");
    CloseHandle(l.process);
    std::vector<ProbeRun> runs = WaitProbe(1);
    ok(runs.size() == 1 && runs[0].cmd == "\"" + probe + "\" a.txt", "Q, Home, Enter: started [%s]",
       runs.empty() ? "" : Shown(runs[0].cmd).c_str());
}

/* A dialog that cannot be created is reported like the other set-up failures:
   a copy of the program whose template has another name. */
static void test_dialog_missing(const char *exe)
{
    std::string bytes;
    FILE *f = fopen(exe, "rb");
    char buf[4096];
    for (size_t n; f && (n = fread(buf, 1, sizeof buf, f)) > 0;)
        bytes.append(buf, n);
    if (f)
        fclose(f);
    const char name[] = "I\0D\0D\0_\0R\0U\0N\0V\0O\0"; /* as resources store it */
    size_t at = bytes.find(std::string(name, sizeof name - 1));
    if (!ok(at != std::string::npos, "no IDD_RUNVO in %s", exe))
        return;
    bytes[at + 16] = 'X';
    f = fopen(WorkPath("runvo.exe").c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    Launched l;
    if (StartLauncher("a.txt", &l)) {
        HWND box = WaitWindow(l.pid, "#32770", "Err! - Runvo");
        ok(box && MessageBoxText(box) == "WinMain(): DialogBox() failed",
           "no DialogBox() failure box");
        ok(box && GetWindow(box, GW_OWNER) == NULL, "the failure box has an owner");
        if (box)
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        int code = WaitExit(&l, WAIT_EXIT_MS);
        ok(code == -1, "exit code %d", code);
        CloseHandle(l.process);
    }
    CopyFileA(exe, WorkPath("runvo.exe").c_str(), FALSE);
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_template(argv[1]);
    test_icon(argv[1]);
    test_menu(argv[1]);
    test_chooser_window();
    test_contents();
    test_rules();
    test_enter_starts();
    test_cancel();
    test_help();
    test_ok_without_selection();
    test_rows(argv[1]);
    test_accessible_names(argv[1]);
    test_letter_finds_far_row(argv[1]);
    test_letter_then_home();
    test_dialog_missing(argv[1]);
    TearDownWorkDir();
    return TestSummary("dialog");
}
