/*
 * The chooser in the theme Windows asks for, read off its pixels: dark
 * where the apps' theme is dark (its background, its list, its rows' text
 * light), as before where it is light, and dark at once when the user
 * turns the theme dark while it is open.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

#include <map>

static const char PERSONALIZE[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

/* The apps' theme, as Settings writes it: light (1) or dark (0). */
static void SetAppsTheme(DWORD light)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, PERSONALIZE, "AppsUseLightTheme", REG_DWORD, &light,
                    sizeof light);
}

/* A pixel's lightness: the sum of its red, green and blue, 0 to 765. */
static int Lightness(DWORD c)
{
    return (int)((c >> 16 & 255) + (c >> 8 & 255) + (c & 255));
}

/* The colour that most pixels have. */
static DWORD MostCommon(const Pixels &p)
{
    std::map<DWORD, size_t> count;
    DWORD most = 0;
    for (DWORD c : p.px)
        if (++count[c] > count[most])
            most = c;
    return most;
}

/* What the chooser shows: its background (the dialog's face), the list's
   background, and the lightest ink of its first row (its name). */
struct Face {
    int dialog, list, rowInk;
};

static Face ReadFace(HWND dlg)
{
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    Pixels d = CaptureClient(dlg), l = CaptureControl(dlg, list);
    Face f = {Lightness(MostCommon(d)), Lightness(MostCommon(l)), 0};
    RECT row;
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)); /* not selected */
    for (int y = row.top; y < row.bottom && y < l.h; y++)
        for (int x = row.left; x < row.right && x < l.w; x++)
            f.rowInk = std::max(f.rowInk, Lightness(l.px[(size_t)y * l.w + x]));
    return f;
}

/* Whether the chooser shows the dark theme, or the light one: as read once
   it is painted (a window not painted yet reads black). */
static bool Shows(const Face &f, bool dark)
{
    return dark ? f.dialog < 150 && f.list < 150 && f.rowInk > 600 : f.dialog > 500 && f.list > 700;
}

/* Dark and light as the chooser opens in each. */
static void test_opens_in_theme(void)
{
    WriteList("notepad\nnotepad\nregedit\n");
    const struct {
        const char *what;
        DWORD light;
        bool dark;
    } rows[] = {{"dark", 0, true}, {"light", 1, false}};
    for (const auto &row : rows) {
        SetAppsTheme(row.light);
        Launched l;
        HWND dlg = OpenChooser("a.txt", &l);
        if (!dlg)
            continue;
        Face f;
        ok(WaitFor([&] { return Shows(f = ReadFace(dlg), row.dark); }, WAIT_STEP_MS),
           "%s: dialog %d, list %d, the row's lightest ink %d", row.what, f.dialog, f.list,
           f.rowInk);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "%s: exit code", row.what);
        CloseHandle(l.process);
    }
}

/* Turned dark while the chooser is open: it repaints dark. */
static void test_theme_change(void)
{
    SetAppsTheme(1);
    WriteList("notepad\nnotepad\nregedit\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    Face f;
    ok(WaitFor([&] { return Shows(f = ReadFace(dlg), false); }, WAIT_STEP_MS),
       "light at first: list %d", f.list);
    SetAppsTheme(0);
    DWORD_PTR answer;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>("ImmersiveColorSet"), SMTO_ABORTIFHUNG,
                        WAIT_STEP_MS, &answer);
    ok(WaitFor([&] { return Shows(f = ReadFace(dlg), true); }, WAIT_STEP_MS),
       "after the change: dialog %d, list %d, ink %d", f.dialog, f.list, f.rowInk);
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "change: exit code");
    CloseHandle(l.process);
}

int main(int argc, char **argv)
{
    SetUpWorkDir(argc, argv);
    test_opens_in_theme();
    test_theme_change();
    RegDeleteKeyValueA(HKEY_CURRENT_USER, PERSONALIZE, "AppsUseLightTheme");
    TearDownWorkDir();
    return TestSummary("theme");
}
