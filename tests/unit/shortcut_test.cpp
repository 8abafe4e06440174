/*
 * Shortcuts as the chooser's rows look at them: whether a shortcut's
 * target, or the file its icon is taken from, lies where looking may wait.
 */
#include "launch/shortcut.h"
#include "platform/native.h"
#include "tests/harness.h"

#include <wchar.h>

/* Where looking waits: a network drive (N:, in either case) and UNC
   paths. */
static bool Waits(const wchar_t *path)
{
    return (path[1] == L':' && (path[0] == L'N' || path[0] == L'n')) ||
           (path[0] == L'\\' && path[1] == L'\\');
}

static void test_shortcut_may_wait(void)
{
    static const NativeShortcut shortcuts[] = {
        {L"C:\\Menu\\Net.lnk", L"N:\\Apps\\app.exe", L"", L""},
        {L"C:\\Menu\\Share.lnk", L"\\\\server\\apps\\app.exe", L"", L""},
        {L"C:\\Menu\\Local.lnk", L"C:\\Apps\\app.exe", L"", L"", L"C:\\Apps\\app.exe"},
        {L"C:\\Menu\\IconShared.lnk", L"C:\\Apps\\app.exe", L"", L"",
         L"\\\\server\\icons\\app.ico"},
        {L"C:\\Menu\\IconNet.lnk", L"C:\\Apps\\app.exe", L"", L"", L"n:\\icons\\app.ico"},
        {L"C:\\Menu\\IconVariable.lnk", L"C:\\Apps\\app.exe", L"", L"", L"%ICONS%\\app.ico"},
        {L"C:\\Menu\\IconSystem.lnk", L"C:\\Apps\\app.exe", L"", L"",
         L"%SystemRoot%\\system32\\shell32.dll"},
        {L"C:\\Menu\\Item.lnk", L"", L"", L""}, /* a shell item: no file */
        {L"N:\\Menu\\OnNet.lnk", L"C:\\Apps\\app.exe", L"", L""},
        {NULL, NULL, NULL, NULL}};
    static const NativeVariable variables[] = {
        {L"ICONS", L"\\\\server\\icons"}, {L"SystemRoot", L"C:\\Windows"}, {NULL, NULL}};
    static const struct {
        const wchar_t *lnk;
        bool waits;
    } rows[] = {
        {L"C:\\Menu\\Net.lnk", true},         {L"C:\\Menu\\Share.lnk", true},
        {L"C:\\Menu\\Local.lnk", false},      {L"C:\\Menu\\IconShared.lnk", true},
        {L"C:\\Menu\\IconNet.lnk", true},     {L"C:\\Menu\\IconVariable.lnk", true},
        {L"C:\\Menu\\IconSystem.lnk", false}, {L"C:\\Menu\\Item.lnk", false},
        {L"N:\\Menu\\OnNet.lnk", false}, /* the .lnk itself is asked by its caller */
        {L"C:\\Menu\\Unreadable.lnk", false}, {L"C:\\Apps\\app.exe", false}, /* no shortcut */
    };
    g_nativeLaunch = NativeLaunch{.variables = variables, .shortcuts = shortcuts};
    for (const auto &row : rows)
        ok(ShortcutMayWait(row.lnk, Waits) == row.waits, "[%s]: %d", Shown(row.lnk).c_str(),
           !row.waits);
    g_nativeLaunch = NativeLaunch{};
}

/* The program a shortcut starts, by its flags: an installer's advertised
   one starts the file the installer gives, or nothing where its feature is
   not on this PC; any other, one to run as administrator too, its path. */
static const wchar_t *s_installed; /* by the installer; "" for not on this PC */

static void Installed(const wchar_t *, wchar_t *target)
{
    wcscpy(target, s_installed);
}

static void test_shortcut_program(void)
{
    const ShortcutFlags ID_LIST = 0x1, ARGUMENTS = 0x20;
    static const wchar_t ICON[] = L"C:\\Windows\\Installer\\{1234}\\app.ico",
                         APP[] = L"C:\\Program Files\\App\\app.exe";
    static const struct {
        ShortcutFlags flags;
        const wchar_t *installed, *program;
    } rows[] = {
        {ID_LIST | ARGUMENTS, APP, ICON},
        {ID_LIST | SHORTCUT_AS_ADMINISTRATOR, APP, ICON},
        {ID_LIST | SHORTCUT_OF_INSTALLER, APP, APP},
        {SHORTCUT_OF_INSTALLER | SHORTCUT_AS_ADMINISTRATOR, APP, APP},
        {ID_LIST | SHORTCUT_OF_INSTALLER, L"", L""},
    };
    for (const auto &row : rows) {
        wchar_t target[PATH_SIZE];
        wcscpy(target, ICON);
        s_installed = row.installed;
        ShortcutProgram(row.flags, L"C:\\Menu\\App.lnk", target, Installed);
        ok(wcscmp(target, row.program) == 0, "flags %#lx: [%s]", row.flags, Shown(target).c_str());
    }
}

int main()
{
    test_shortcut_may_wait();
    test_shortcut_program();
    return TestSummary("shortcut");
}
