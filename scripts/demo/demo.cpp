/*
 * The launcher at work, for a machine without a display of its own: starts
 * runvo.exe with a document as its tail (quoted, as Send To passes it),
 * says what a screen reader hears of the chooser's rows, takes pictures of
 * the chooser, of its title bar's menu, of a row's menu, of the Open dialog
 * of Add a program, of the chooser and a row's menu in the dark theme, and
 * of the status window, accepts the preselected entry, and says what was
 * started.
 *   demo runvo.exe document picture-folder
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

static void Picture(HWND hwnd, const std::string &path)
{
    SavePixels(CaptureWindow(hwnd), path);
    printf("picture: %s\n", path.c_str());
}

/* A menu open over the chooser, both as the screen shows them. */
static void PictureOver(HWND dlg, HWND menu, const std::string &path)
{
    RECT d, m, both;
    GetWindowRect(dlg, &d);
    GetWindowRect(menu, &m);
    UnionRect(&both, &d, &m);
    Sleep(300);
    SavePixels(CaptureScreen(both), path);
    printf("picture: %s\n", path.c_str());
}

/* The apps' theme, as Settings sets it (1 light, 0 dark, -1 none), and
   the windows told so. */
static void SetAppsTheme(int light)
{
    static const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    DWORD value = (DWORD)light;
    if (light < 0)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "AppsUseLightTheme");
    else
        RegSetKeyValueA(HKEY_CURRENT_USER, key, "AppsUseLightTheme", REG_DWORD, &value,
                        sizeof value);
    DWORD_PTR answer;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                        reinterpret_cast<LPARAM>("ImmersiveColorSet"), SMTO_ABORTIFHUNG, 5000,
                        &answer);
    Sleep(300);
}

/* A row's menu (Shift+F10), closed again. */
static void PictureRowMenu(HWND dlg, const std::string &path)
{
    HWND menu = NULL;
    SetForegroundWindow(dlg);
    PressWith(VK_SHIFT, VK_F10);
    if (WaitFor([&] { return (menu = FindWindowA("#32768", NULL)) && IsWindowVisible(menu); },
                5000)) {
        PictureOver(dlg, menu, path);
        PressKey(VK_ESCAPE);
        WaitFor([&] { return !IsWindowVisible(menu); }, 5000);
    }
}

/* A row's menu (Shift+F10), and the Open dialog of Add a program (Insert),
   each closed again. */
static void PictureRowMenuAndBrowse(const Launched *l, HWND dlg, const std::string &out)
{
    PictureRowMenu(dlg, out + "\\row-menu.bmp");
    PressKey(VK_INSERT);
    HWND browse = WaitWindow(l->pid, "#32770", "Add a program to Runvo's list");
    if (browse) {
        Sleep(500);
        Picture(browse, out + "\\add-program.bmp");
        PostMessageA(browse, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&] { return !IsWindow(browse); }, 5000);
    }
}

int main(int argc, char **argv)
{
    if (argc < 4) {
        printf("usage: %s runvo.exe document picture-folder\n", argv[0]);
        return 2;
    }
    std::string exe = argv[1], tail = "\"" + std::string(argv[2]) + "\"", out = argv[3];
    Launched l;
    if (!StartProgram(exe, "\"" + exe + "\" " + tail, NULL, &l))
        return 1;
    HWND dlg = WaitDialog(&l);
    if (!dlg) {
        printf("the chooser did not open\n");
        return 1;
    }
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    std::vector<std::string> entries = ListBoxTexts(list);
    LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    std::string entry = sel >= 0 && (size_t)sel < entries.size() ? entries[(size_t)sel] : "";
    printf("chooser: %lu entries, preselected: %s\n", (unsigned long)entries.size(),
           entry.empty() ? "none" : entry.c_str());
    WaitFor([&] { return FocusOf(l.tid) == list; }, 5000);
    /* What a screen reader hears, once the rows are loaded: the names keep
       still. */
    std::vector<std::string> names, before;
    WaitFor(
        [&] {
            before = names;
            Sleep(200);
            names = AccessibleNames(list);
            return !names.empty() && names == before;
        },
        5000);
    for (size_t i = 0; i < names.size(); i++)
        printf("%s %s\n", i ? "  row:" : "a screen reader hears the list:", names[i].c_str());
    Sleep(300); /* the window manager's frame is drawn by another process */
    Picture(dlg, out + "\\chooser.bmp");

    /* Its title bar's menu, open over it. */
    HWND menu = OpenSystemMenu(dlg);
    if (menu) {
        PictureOver(dlg, menu, out + "\\chooser-menu.bmp");
        CloseSystemMenu(dlg, menu);
    }
    PictureRowMenuAndBrowse(&l, dlg, out);

    /* In the dark theme, turned on while it is open; then light again. */
    SetAppsTheme(0);
    Picture(dlg, out + "\\chooser-dark.bmp");
    PictureRowMenu(dlg, out + "\\row-menu-dark.bmp");
    SetAppsTheme(-1);

    SetForegroundWindow(dlg);
    PressKey(VK_RETURN);
    HWND status = WaitWindow(l.pid, "Runvo", "Runvo");
    std::string text = "Starting\n" + entry + "\n" + tail + "\n\nPlease wait...";
    if (status && WaitFor(
                      [&] {
                          Pixels got = CaptureClient(status);
                          return DifferentPixels(got, RenderStatus(Widen(text), got.w, got.h)) == 0;
                      },
                      900))
        Picture(status, out + "\\status.bmp");
    else
        printf("the status window was not seen in time\n");
    int code = WaitExit(&l, 60000);
    printf("started: \"%s\" %s\nrunvo.exe ended with exit code %d\n", entry.c_str(), tail.c_str(),
           code);
    return code;
}
