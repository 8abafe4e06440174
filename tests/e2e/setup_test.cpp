/*
 * Set-up and its undo end to end: from the command line (--setup, --remove)
 * and from the chooser's system menu; the shortcut read back with the
 * shell's own object and the keys read back; another copy's set-up left
 * alone, and a moved copy's replaced; places that are not simply this
 * copy's; the Open with command, filled as Explorer fills it, bringing a
 * document with blanks to the chooser as one document; and the list shown
 * anew after an edit in Notepad.
 */
#include "tests/e2e/driver.h"
#include "ui/resource.h"

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

static std::wstring SendToShortcut(void)
{
    PWSTR folder = NULL;
    std::wstring lnk;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_SendTo, 0, NULL, &folder)))
        lnk = std::wstring(folder) + L"\\Runvo.lnk";
    CoTaskMemFree(folder);
    return lnk;
}

/* Runvo.lnk as the shell's own object reads it: its target, Start in
   folder, icon and arguments; all "" when there is none. */
struct Shortcut {
    std::string target, dir, icon, args;
};

static Shortcut ReadSendTo(void)
{
    Shortcut s;
    IShellLinkW *link = NULL;
    IPersistFile *file = NULL;
    WCHAR buf[MAX_PATH];
    int index = -1;
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    if (GetFileAttributesW(SendToShortcut().c_str()) != INVALID_FILE_ATTRIBUTES &&
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Load(SendToShortcut().c_str(), STGM_READ))) {
        if (SUCCEEDED(link->GetPath(buf, MAX_PATH, NULL, 0)))
            s.target = Utf8(buf);
        if (SUCCEEDED(link->GetWorkingDirectory(buf, MAX_PATH)))
            s.dir = Utf8(buf);
        if (SUCCEEDED(link->GetIconLocation(buf, MAX_PATH, &index)))
            s.icon = Utf8(buf) + "," + std::to_string(index);
        if (SUCCEEDED(link->GetArguments(buf, MAX_PATH)))
            s.args = Utf8(buf);
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    return s;
}

static bool KeyThere(HKEY hive, const std::string &key)
{
    HKEY h;
    if (RegOpenKeyExA(hive, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

/* A value of the user's classes; "(none)" when it is not there. */
static std::string ClassesValue(const std::string &key, const char *name)
{
    char buf[1024];
    DWORD bytes = sizeof buf;
    std::string path = "Software\\Classes\\" + key;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY, NULL, buf, &bytes) !=
        ERROR_SUCCESS)
        return "(none)";
    return std::string(buf, bytes > 0 ? bytes - 1 : 0);
}

/* Where set-up points, for each place: the shortcut's target and the
   program of Open with's command, for a copy of this file name. */
static void CheckPointsAt(const std::string &exe, const char *what,
                          const std::string &name = "runvo.exe")
{
    Shortcut s = ReadSendTo();
    std::string dir = exe.empty() ? "" : exe.substr(0, exe.rfind('\\'));
    if (dir.size() == 2) /* a drive's root: C:\, not C:, the drive's current folder */
        dir += "\\";
    ok(_stricmp(s.target.c_str(), exe.c_str()) == 0 && _stricmp(s.dir.c_str(), dir.c_str()) == 0 &&
           _stricmp(s.icon.c_str(), (exe.empty() ? "" : exe + ",0").c_str()) == 0,
       "%s: the shortcut [%s] in [%s], icon [%s]", what, s.target.c_str(), s.dir.c_str(),
       s.icon.c_str());
    /* The icon it points at is Runvo's own. */
    HICON icon = NULL;
    if (!exe.empty() &&
        ok(PrivateExtractIconsA(exe.c_str(), 0, 32, 32, &icon, NULL, 1, 0) == 1 && icon,
           "%s: no icon where the shortcut points", what)) {
        IsRunvoIcon(icon, 32);
        DestroyIcon(icon);
    }
    std::string command = ClassesValue("Applications\\" + name + "\\shell\\open\\command", NULL);
    std::string friendly = ClassesValue("Applications\\" + name, "FriendlyAppName");
    bool list = KeyThere(HKEY_CURRENT_USER, "Software\\Classes\\*\\OpenWithList\\" + name);
    if (exe.empty())
        ok(command == "(none)" && friendly == "(none)" && !list, "%s: keys left: [%s] [%s] %d",
           what, command.c_str(), friendly.c_str(), list);
    else
        ok(_stricmp(command.c_str(), ("\"" + exe + "\" \"%1\"").c_str()) == 0 &&
               friendly == "Runvo" && list,
           "%s: command [%s], FriendlyAppName [%s], OpenWithList %d", what, command.c_str(),
           friendly.c_str(), list);
}

/* Runs exe with the tail, answering the messages it shows in turn with
   answers (IDOK, IDYES, IDNO), and returns their texts, one after the
   other; *code: its exit code. */
static std::string RunAnswering(const std::string &exe, const char *tail,
                                const std::vector<int> &answers, int *code)
{
    Launched l;
    std::string text;
    *code = -999;
    if (!StartProgram(exe, "\"" + exe + "\" " + tail, NULL, &l))
        return text;
    for (int answer : answers) {
        HWND box = WaitWindow(l.pid, "#32770", "Runvo");
        if (!ok(box != NULL, "%s: no message after [%s]", tail, text.c_str()))
            break;
        text += (text.empty() ? "" : "\n----\n") + MessageBoxText(box);
        PostMessageA(box, WM_COMMAND, answer, 0);
        WaitFor([&] { return !IsWindow(box); }, WAIT_EXIT_MS);
    }
    *code = WaitExit(&l, WAIT_START_MS);
    CloseHandle(l.process);
    return text;
}

/* The same, saying OK to its one message. */
static std::string RunWholeTail(const std::string &exe, const char *tail, int *code)
{
    return RunAnswering(exe, tail, {IDOK}, code);
}

static bool Says(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

/* From the command line: set-up, set-up again, removal; another copy's
   set-up left alone, and replaced by this copy's. */
static void test_command_line(void)
{
    const std::string exe = WorkPath("runvo.exe"), moved = WorkPath("Moved\\runvo.exe");
    CreateDirectoryA(WorkPath("Moved").c_str(), NULL);
    ok(CopyFileA(exe.c_str(), moved.c_str(), FALSE), "copy the launcher");
    const struct {
        std::string exe;
        const char *tail;
        std::vector<std::string> says;
        std::string saysNot, pointsAt;
    } rows[] = {
        {exe,
         "--setup",
         {"Runvo is in Send To and Open with now, for you alone:\n" + exe, "Show more options",
          "\"" + exe + "\" --remove"},
         "",
         exe},
        {exe, "--setup", {"Runvo is in Send To"}, "another copy", exe},
        {exe, "--remove", {"Runvo is no longer in Send To and Open with:\n" + exe}, "left", ""},
        {exe, "--remove", {"Nothing was removed"}, "left", ""},
        {moved,
         "--setup",
         {"Runvo is in Send To and Open with now, for you alone:\n" + moved},
         "another copy",
         moved},
        {exe,
         "--remove",
         {"Nothing was removed",
          "Send To starts another copy of Runvo, " + moved + ". It was left as it is.",
          "Open with starts another copy of Runvo, " + moved + ". It was left as it is."},
         "",
         moved},
        {exe,
         "--setup",
         {"Send To started another copy of Runvo, " + moved + ". It starts this copy now.",
          "Open with started another copy of Runvo, " + moved + ". It starts this copy now."},
         "",
         exe},
    };
    for (const auto &row : rows) {
        int code;
        std::string text = RunWholeTail(row.exe, row.tail, &code);
        ok(code == 0, "%s %s: exit code %d", row.exe.c_str(), row.tail, code);
        for (const std::string &s : row.says)
            ok(Says(text, s), "%s %s: no [%s] in [%s]", row.exe.c_str(), row.tail, s.c_str(),
               Shown(text).c_str());
        ok(row.saysNot.empty() || !Says(text, row.saysNot), "%s %s: [%s]", row.exe.c_str(),
           row.tail, Shown(text).c_str());
        CheckPointsAt(row.pointsAt, (row.exe + " " + row.tail).c_str());
    }
    DeleteFileA(moved.c_str());
    RemoveDirectoryA(WorkPath("Moved").c_str());
}

/* Nothing of set-up for a copy of this file name: no Runvo.lnk, none of
   its keys. */
static void ClearPlaces(const std::string &name = "runvo.exe")
{
    DeleteFileW(SendToShortcut().c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Classes\\Applications\\" + name).c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Classes\\*\\OpenWithList\\" + name).c_str());
}

static void SetValue(HKEY hive, const std::string &key, const char *name, const std::string &value,
                     DWORD type = REG_SZ)
{
    RegSetKeyValueA(hive, key.c_str(), name, type, value.c_str(), (DWORD)value.size() + 1);
}

/* A value of the user's classes as it is written, not expanded, and its
   type after a colon. */
static std::string RawValue(const std::string &key, const char *name)
{
    char buf[1024];
    DWORD bytes = sizeof buf, type = 0;
    std::string path = "Software\\Classes\\" + key;
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, buf,
                     &bytes) != ERROR_SUCCESS)
        return "(none)";
    return std::string(buf, bytes > 0 ? bytes - 1 : 0) + ":" + std::to_string(type);
}

/* The folder made writable by everyone, as a folder under C:\ or a shared
   drive is (Wine gives it the Unix mode 0777). */
static bool OpenToEveryone(const std::string &folder)
{
    PSECURITY_DESCRIPTOR sd = NULL;
    PACL dacl = NULL;
    BOOL present = FALSE, defaulted = FALSE;
    bool done =
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;OICI;FA;;;WD)", SDDL_REVISION_1,
                                                             &sd, NULL) &&
        GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted) &&
        SetNamedSecurityInfoA(const_cast<char *>(folder.c_str()), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION, NULL, NULL, dacl, NULL) == ERROR_SUCCESS;
    LocalFree(sd);
    return ok(done, "%s not made writable by everyone", folder.c_str());
}

/* A copy of the launcher at path (its folder made); true when it is there. */
static bool CopyLauncher(const std::string &path)
{
    CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), NULL);
    return ok(CopyFileA(WorkPath("runvo.exe").c_str(), path.c_str(), FALSE), "copy to %s",
              path.c_str());
}

/* Places that are not simply this copy's, end to end: a path that the shell
   would fill in, a copy in a temporary folder, one at a drive's root, one
   named by a second spelling of its path; another program's verb beside
   set-up's, another program's Runvo.lnk or file of that name, and another
   program's key by the name of a renamed copy. Each row sets the places up
   as its what says, runs a copy with the tail, and reads the places back. */
static void test_places_not_ours(void)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string exe = WorkPath("runvo.exe"), percent = WorkPath("a%2b\\runvo.exe"),
                      zip = std::string(temp) + "Temp1_runvo-1.0.0-win32.zip\\runvo.exe",
                      root = "T:\\runvo.exe", renamed = WorkPath("othertool.exe"),
                      notepad = "C:\\windows\\notepad.exe", lnk = Utf8(SendToShortcut());
    const std::string appKey = "Software\\Classes\\Applications\\runvo.exe",
                      otherKey = "Software\\Classes\\Applications\\othertool.exe";
    /* The work folder under a second letter for the C: drive. */
    const std::string spelt = "S" + exe.substr(1);
    const std::string shared = WorkPath("Shared\\runvo.exe"), sharedDir = WorkPath("Shared");
    const std::string copies[] = {percent, zip, root, renamed, shared};
    for (const std::string &c : copies)
        CopyLauncher(c);
    OpenToEveryone(sharedDir);
    /* Another program of Runvo's file name, named by an expandable command. */
    const std::string otherDir = "C:\\runvo-other", other = otherDir + "\\runvo.exe";
    const std::string expandable = "\"%SystemDrive%\\runvo-other\\runvo.exe\" \"%1\"";
    CreateDirectoryA(otherDir.c_str(), NULL);
    ok(CopyFileA(ProbePath().c_str(), other.c_str(), FALSE), "copy the probe to %s", other.c_str());
    auto setExpandable = [&] {
        SetValue(HKEY_CURRENT_USER, appKey + "\\shell\\open\\command", NULL, expandable,
                 REG_EXPAND_SZ);
    };
    auto keptExpandable = [&](const char *what) {
        std::string raw = RawValue("Applications\\runvo.exe\\shell\\open\\command", NULL);
        ok(raw == expandable + ":" + std::to_string(REG_EXPAND_SZ), "%s: the command now [%s]",
           what, raw.c_str());
    };
    /* Another program's key of Runvo's file name with no open command. */
    auto setCommandless = [&] {
        SetValue(HKEY_CURRENT_USER, appKey, "FriendlyAppName", "Other Tool");
        SetValue(HKEY_CURRENT_USER, appKey + "\\shell\\edit\\command", NULL,
                 "\"" + notepad + "\" \"%1\"");
    };
    auto keptCommandless = [&](const char *what) {
        ok(ClassesValue("Applications\\runvo.exe", "FriendlyAppName") == "Other Tool" &&
               ClassesValue("Applications\\runvo.exe\\shell\\edit\\command", NULL) ==
                   "\"" + notepad + "\" \"%1\"",
           "%s: the other program's key changed", what);
    };
    /* A Send To shortcut of the user's own, as REFERENCE suggests. */
    auto setOwnShortcut = [&] { MakeShortcut(lnk, exe, "-n 1", WorkPath("")); };
    auto keptOwnShortcut = [&](const char *what) {
        Shortcut s = ReadSendTo();
        ok(_stricmp(s.target.c_str(), exe.c_str()) == 0 && s.args == "-n 1",
           "%s: the shortcut now [%s] [%s]", what, s.target.c_str(), s.args.c_str());
    };
    const std::string heldKey = "HKEY_CURRENT_USER\\Software\\Classes\\Applications\\runvo.exe";
    /* Set-up's own key, its command naming this copy by another spelling:
       upper case, the short form (on a drive without 8.3 names, the long
       name itself), the \\?\ prefix. */
    char shortExe[MAX_PATH] = "";
    GetShortPathNameA(exe.c_str(), shortExe, MAX_PATH);
    auto setSpelt = [&](const std::string &spelling) {
        return [&, spelling] {
            int code;
            RunWholeTail(exe, "--setup", &code);
            SetValue(HKEY_CURRENT_USER, appKey + "\\shell\\open\\command", NULL,
                     "\"" + spelling + "\" \"%1\"");
        };
    };
    auto noneLeft = [](const char *what) { CheckPointsAt("", what); };
    std::string upper = exe;
    for (char &c : upper)
        c = (char)toupper((unsigned char)c);
    const struct {
        const char *what;
        std::string exe;
        const char *tail;
        std::function<void()> before;
        int code;
        std::vector<std::string> says;
        std::function<void(const char *)> after; /* checks what the places hold */
        std::vector<int> answers = {IDOK};
    } rows[] = {
        {"another program's expandable command, on set-up",
         exe,
         "--setup",
         setExpandable,
         1,
         {"Open with already knows another program by this copy's file name: " + other},
         keptExpandable},
        {"another program's expandable command, on removal",
         exe,
         "--remove",
         setExpandable,
         0,
         {"Open with starts another program, " + other + ". It was left as it is."},
         keptExpandable},
        {"a key of no open command, on set-up",
         exe,
         "--setup",
         setCommandless,
         1,
         {"Open with already knows another program by this copy's file name: " + heldKey},
         keptCommandless},
        {"a key of no open command, on removal",
         exe,
         "--remove",
         setCommandless,
         0,
         {"Open with starts another program, " + heldKey + ". It was left as it is."},
         keptCommandless},
        {"a Runvo.lnk with -n 1, on removal",
         exe,
         "--remove",
         setOwnShortcut,
         0,
         {"Send To holds a Runvo.lnk of your own, with options or another Start in folder: " + lnk +
          ". It was left as it is."},
         keptOwnShortcut},
        {"a Runvo.lnk with -n 1, on set-up",
         exe,
         "--setup",
         setOwnShortcut,
         1,
         {"Send To holds a Runvo.lnk of your own, with options or another Start in folder: " + lnk +
          ". Runvo left it as it is."},
         keptOwnShortcut},
        {"a folder others may change, declined",
         shared,
         "--setup",
         [] {},
         1,
         {"Other people who use this PC can change this:\n" + sharedDir},
         [](const char *what) { CheckPointsAt("", what); },
         {IDNO}},
        {"a folder others may change, accepted",
         shared,
         "--setup",
         [] {},
         0,
         {"Other people who use this PC can change this:\n" + sharedDir,
          "Runvo is in Send To and Open with now, for you alone:\n" + shared},
         [&](const char *what) { CheckPointsAt(shared, what); },
         {IDYES, IDOK}},
        {"a % in the folder's path, its own short form",
         percent,
         "--setup",
         [] {},
         1,
         {"holds a %", percent},
         [](const char *what) { CheckPointsAt("", what); }},
        {"a copy in a temporary folder",
         zip,
         "--setup",
         [] {},
         1,
         {"temporary folder", zip, "Extract All"},
         [](const char *what) { CheckPointsAt("", what); }},
        {"a copy at a drive's root",
         root,
         "--setup",
         [] {},
         0,
         {"for you alone:\n" + root},
         [&](const char *what) { CheckPointsAt(root, what); }},
        {"removal by a second spelling of the path",
         spelt,
         "--remove",
         [&] {
             int code;
             RunWholeTail(exe, "--setup", &code);
         },
         0,
         {"Runvo is no longer in Send To and Open with"},
         [](const char *what) { CheckPointsAt("", what); }},
        {"removal of a command spelt in upper case",
         exe,
         "--remove",
         setSpelt(upper),
         0,
         {"Runvo is no longer in Send To and Open with"},
         noneLeft},
        {"removal of a command in the short form",
         exe,
         "--remove",
         setSpelt(shortExe),
         0,
         {"Runvo is no longer in Send To and Open with"},
         noneLeft},
        {"removal of a command with the \\\\?\\ prefix",
         exe,
         "--remove",
         setSpelt("\\\\?\\" + exe),
         0,
         {"Runvo is no longer in Send To and Open with"},
         noneLeft},
        {"removal beside another program's verb",
         exe,
         "--remove",
         [&] {
             int code;
             RunWholeTail(exe, "--setup", &code);
             SetValue(HKEY_CURRENT_USER, appKey + "\\shell\\edit\\command", NULL,
                      "\"" + notepad + "\" \"%1\"");
             SetValue(HKEY_CURRENT_USER, appKey + "\\SupportedTypes", ".txt", "");
         },
         0,
         {"Runvo is no longer in Send To and Open with"},
         [&](const char *what) {
             ok(ClassesValue("Applications\\runvo.exe\\shell\\open\\command", NULL) == "(none)" &&
                    ClassesValue("Applications\\runvo.exe", "FriendlyAppName") == "(none)" &&
                    !KeyThere(HKEY_CURRENT_USER, appKey + "\\shell\\open") &&
                    !KeyThere(HKEY_CURRENT_USER, "Software\\Classes\\*\\OpenWithList\\runvo.exe"),
                "%s: set-up's values or keys left", what);
             ok(ClassesValue("Applications\\runvo.exe\\shell\\edit\\command", NULL) ==
                        "\"" + notepad + "\" \"%1\"" &&
                    KeyThere(HKEY_CURRENT_USER, appKey + "\\SupportedTypes"),
                "%s: the other program's verb or types gone", what);
             RegDeleteTreeA(HKEY_CURRENT_USER, appKey.c_str());
         }},
        {"another program's Runvo.lnk",
         exe,
         "--setup",
         [&] { MakeShortcut(lnk, notepad, "", ""); },
         1,
         {"Send To holds a Runvo.lnk that does not start Runvo: " + notepad},
         [&](const char *what) {
             ok(_stricmp(ReadSendTo().target.c_str(), notepad.c_str()) == 0,
                "%s: the shortcut replaced", what);
             ok(_stricmp(
                    ClassesValue("Applications\\runvo.exe\\shell\\open\\command", NULL).c_str(),
                    ("\"" + exe + "\" \"%1\"").c_str()) == 0,
                "%s: Open with not set up", what);
         }},
        {"a Runvo.lnk that is no shortcut",
         exe,
         "--setup",
         [&] { WriteWholeFile(lnk, "not a shortcut"); },
         1,
         {"Send To holds a Runvo.lnk that does not start Runvo: " + lnk},
         [&](const char *what) {
             HANDLE f = CreateFileA(lnk.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
             char buf[32] = "";
             DWORD n = 0;
             ReadFile(f, buf, sizeof buf, &n, NULL);
             CloseHandle(f);
             ok(std::string(buf, n) == "not a shortcut", "%s: the file overwritten", what);
         }},
        {"a renamed copy beside another program's key",
         renamed,
         "--setup",
         [&] {
             SetValue(HKEY_LOCAL_MACHINE, otherKey + "\\shell\\open\\command", NULL,
                      "\"" + notepad + "\" \"%1\"");
         },
         1,
         {"Open with already knows another program by this copy's file name: " + notepad},
         [&](const char *what) {
             ok(!KeyThere(HKEY_CURRENT_USER, otherKey) &&
                    _stricmp(ReadSendTo().target.c_str(), renamed.c_str()) == 0,
                "%s: Open with written, or Send To not", what);
             RegDeleteTreeA(HKEY_LOCAL_MACHINE, otherKey.c_str());
         }},
    };
    for (const auto &row : rows) {
        ClearPlaces();
        ClearPlaces("othertool.exe");
        row.before();
        int code;
        std::string text = RunAnswering(row.exe, row.tail, row.answers, &code);
        ok(code == row.code, "%s: exit code %d", row.what, code);
        for (const std::string &said : row.says)
            ok(Says(text, said), "%s: no [%s] in [%s]", row.what, said.c_str(),
               Shown(text).c_str());
        row.after(row.what);
    }
    ClearPlaces();
    ClearPlaces("othertool.exe");
    for (const std::string &c : copies) {
        DeleteFileA(c.c_str());
        RemoveDirectoryA(c.substr(0, c.rfind('\\')).c_str());
    }
    DeleteFileA(other.c_str());
    RemoveDirectoryA(otherDir.c_str());
}

/* The darkest ink of each of the last n lines of text in a menu's picture,
   from the bottom up (a sum of red, green and blue); the menu's left margin
   is left out. */
static std::vector<int> LastLinesInk(const Pixels &p, size_t n)
{
    std::vector<int> darkest;
    bool inLine = false;
    for (int y = p.h - 4; y >= 0 && darkest.size() <= n; y--) {
        DWORD bg = p.px[(size_t)y * p.w + p.w - 6];
        int least = 765;
        for (int x = 24; x < p.w - 24; x++) {
            DWORD c = p.px[(size_t)y * p.w + x];
            if (c != bg)
                least = std::min(least, (int)((c >> 16 & 255) + (c >> 8 & 255) + (c & 255)));
        }
        if (least < 700 && !inLine)
            darkest.push_back(least);
        else if (least < 700)
            darkest.back() = std::min(darkest.back(), least);
        inLine = least < 700;
    }
    darkest.resize(n, 765);
    return darkest;
}

/* Opens the chooser's system menu as a user does (Alt+Space), and reads
   from its picture whether the set-up and removal items are grey (the last
   four items are set-up, removal, editing the list and adding a program);
   the menu is closed again. */
static bool ReadGrey(HWND dlg, bool *setUpGrey, bool *removeGrey)
{
    HWND menu = OpenSystemMenu(dlg);
    Pixels p, before;
    /* Read once the menu is drawn whole and keeps still (it may fade in). */
    bool open = menu && WaitFor(
                            [&] {
                                before = p;
                                p = CaptureWindow(menu);
                                return p.w > 0 && LastLinesInk(p, 4)[0] < 200 &&
                                       DifferentPixels(p, before) == 0;
                            },
                            WAIT_STEP_MS);
    std::vector<int> ink = LastLinesInk(p, 4); /* adding, editing, removal, set-up */
    *removeGrey = ink[2] > 250;
    *setUpGrey = ink[3] > 250;
    CloseSystemMenu(dlg, menu);
    return ok(open && ink[0] < 200 && ink[1] < 200, "no system menu, or not read: ink %d %d %d %d",
              ink[0], ink[1], ink[2], ink[3]);
}

/* From the chooser's system menu: each item greyed where it does not
   apply, set-up and removal with their message owned by the chooser, which
   stays open. */
static void test_system_menu(void)
{
    /* A set-up half done: Open with set up, Send To's shortcut gone. Both
       items apply, and Add mends it. */
    int code;
    RunWholeTail(WorkPath("runvo.exe"), "--setup", &code);
    DeleteFileW(SendToShortcut().c_str());
    WriteList("a\na\n");
    Launched l;
    HWND dlg = OpenChooser("a.txt", &l);
    if (!dlg)
        return;
    bool setUpGrey, removeGrey;
    if (ReadGrey(dlg, &setUpGrey, &removeGrey))
        ok(!setUpGrey && !removeGrey, "half done: set-up grey %d, removal grey %d", setUpGrey,
           removeGrey);
    /* Each item by its access key, as a user chooses it from the keyboard. */
    const struct {
        WORD key;
        const char *says;
        bool setUpGrey, removeGrey;
    } rows[] = {
        {'D', "Runvo is in Send To and Open with now", true, false},
        {'V', "Runvo is no longer in Send To and Open with:", false, true},
        {'D', "Runvo is in Send To and Open with now", true, false},
    };
    for (const auto &row : rows) {
        HWND menu = OpenSystemMenu(dlg);
        ok(menu != NULL, "%c: no menu", row.key);
        PressKey(row.key);
        HWND box = WaitWindow(l.pid, "#32770", "Runvo");
        if (ok(box != NULL, "%c: no message", row.key)) {
            ok(Says(MessageBoxText(box), row.says) && GetWindow(box, GW_OWNER) == dlg,
               "%c: [%s], owner", row.key, MessageBoxText(box).c_str());
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !IsWindow(box); }, WAIT_STEP_MS);
        }
        if (ReadGrey(dlg, &setUpGrey, &removeGrey))
            ok(setUpGrey == row.setUpGrey && removeGrey == row.removeGrey,
               "%c: set-up grey %d, removal grey %d", row.key, setUpGrey, removeGrey);
        ok(IsWindowVisible(dlg), "%c: the chooser closed", row.key);
    }
    CheckPointsAt(WorkPath("runvo.exe"), "after the menu's set-up");
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    code = WaitExit(&l, WAIT_EXIT_MS);
    ok(code == 0, "menu: exit code %d, the dialog %s", code,
       IsWindow(dlg) ? "still there" : "gone");
    CloseHandle(l.process);
}

/* Open with's command, its %1 filled as Explorer fills it with a document
   whose path has blanks: the chooser gets it as one document, and so does
   the program chosen. */
static void test_open_with_command(void)
{
    const std::string exe = WorkPath("runvo.exe"), probe = ProbePath();
    int code;
    RunWholeTail(exe, "--setup", &code);
    std::string command = ClassesValue("Applications\\runvo.exe\\shell\\open\\command", NULL);
    const std::string doc = "C:\\My Docs\\a b.txt";
    size_t at = command.find("%1");
    if (!ok(at != std::string::npos, "no %%1 in [%s]", command.c_str()))
        return;
    command.replace(at, 2, doc);
    WriteList(probe + "\n" + probe + "\n");
    ClearProbe();
    Launched l;
    if (StartProgram(exe, command, NULL, &l)) {
        HWND dlg = WaitDialog(&l);
        if (ok(dlg != NULL, "Open with: no chooser")) {
            std::string field = GetText(GetDlgItem(dlg, IDC_CMDLINE));
            ok(field == "\"" + doc + "\"", "Open with: the chooser shows [%s]", field.c_str());
            PressKey(VK_RETURN);
        }
        ok(WaitExit(&l, WAIT_START_MS) == 0, "Open with: exit code");
        CloseHandle(l.process);
        std::vector<ProbeRun> runs = WaitProbe(1);
        ok(runs.size() == 1 && runs[0].args.size() == 1 && runs[0].args[0] == doc,
           "Open with: the program got %lu arguments, the first [%s]",
           runs.empty() ? 0ul : (unsigned long)runs[0].args.size(),
           runs.empty() || runs[0].args.empty() ? "" : runs[0].args[0].c_str());
    }
    RunWholeTail(exe, "--remove", &code);
}

/* A first start, without a document: where this copy is not set up, Runvo
   asks first (No: nothing written; Yes: set up, its note said), then shows
   the chooser; once set up, or with a document, it asks nothing. */
static void test_first_start(void)
{
    const std::string exe = WorkPath("runvo.exe");
    WriteList("a\na\n");
    const struct {
        const char *what, *tail;
        bool setUp;               /* set up before it starts */
        std::vector<int> answers; /* to the messages before the chooser */
        std::string pointsAt;
    } rows[] = {
        {"not set up, No", "", false, {IDNO}, ""},
        {"not set up, Yes", "", false, {IDYES, IDOK}, exe},
        {"set up", "", true, {}, exe},
        {"not set up, with a document", "a.txt", false, {}, ""},
        {"not set up, with -n", "-n 9 a.txt", false, {}, ""},
    };
    for (const auto &row : rows) {
        ClearPlaces();
        int code;
        if (row.setUp)
            RunWholeTail(exe, "--setup", &code);
        Launched l;
        if (!StartProgram(exe, "\"" + exe + "\" " + row.tail, NULL, &l))
            continue;
        std::string said;
        for (int answer : row.answers) {
            HWND box = WaitWindow(l.pid, "#32770", "Runvo");
            if (!ok(box != NULL, "%s: no message after [%s]", row.what, said.c_str()))
                break;
            said += MessageBoxText(box) + "\n";
            PostMessageA(box, WM_COMMAND, answer, 0);
            WaitFor([&] { return !IsWindow(box); }, WAIT_STEP_MS);
        }
        HWND dlg = WaitDialog(&l);
        ok(dlg != NULL && !FindProcessWindow(l.pid, "#32770", "Runvo"),
           "%s: no chooser, or a message before it", row.what);
        ok(row.answers.empty() == said.empty() &&
               (said.empty() || said.rfind("Add Runvo to Send To and Open with?\n\n", 0) == 0),
           "%s: asked [%s]", row.what, said.c_str());
        if (dlg)
            PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "%s: exit code", row.what);
        CloseHandle(l.process);
        CheckPointsAt(row.pointsAt, row.what);
    }
    ClearPlaces();
}

/* "Edit the program list" opens the list in Notepad; saved, it is read
   again when the user comes back to the chooser, its default preselected
   again. */
static void test_edit_list(void)
{
    WriteList("b\na.exe\nb.exe\n");
    Launched l;
    HWND dlg = OpenChooser("x.txt", &l);
    if (!dlg)
        return;
    HWND list = GetDlgItem(dlg, IDC_PROGLIST);
    ok(SendMessageA(list, LB_GETCURSEL, 0, 0) == 1, "before: selected %ld",
       (long)SendMessageA(list, LB_GETCURSEL, 0, 0));
    OpenSystemMenu(dlg);
    PressKey('E'); /* Edit the program list */
    HWND notepad = NULL;
    WaitFor([&] { return (notepad = FindWindowA("Notepad", NULL)) != NULL; }, WAIT_START_MS);
    if (ok(notepad != NULL, "no Notepad")) {
        std::string title = GetText(notepad);
        ok(Says(title, "runvo"), "Notepad's title [%s]", title.c_str());
        WriteList("e\nc.exe\nd.exe\ne.exe\n"); /* as Notepad saves it */
        PostMessageA(notepad, WM_CLOSE, 0, 0);
        WaitFor([&] { return !IsWindow(notepad); }, WAIT_EXIT_MS);
    }
    SetForegroundWindow(dlg); /* the user comes back */
    std::vector<std::string> want = {"c.exe", "d.exe", "e.exe"};
    ok(WaitFor([&] { return ListBoxTexts(list) == want; }, WAIT_EXIT_MS),
       "the list not read again");
    ok(SendMessageA(list, LB_GETCURSEL, 0, 0) == 2, "after: selected %ld",
       (long)SendMessageA(list, LB_GETCURSEL, 0, 0));
    PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    ok(WaitExit(&l, WAIT_EXIT_MS) == 0, "edit: exit code");
    CloseHandle(l.process);
}

int main(int argc, char **argv)
{
    /* Outside the temporary folder, where set-up refuses to run. */
    char profile[MAX_PATH];
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    SetUpWorkDir(argc, argv, profile);
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    test_command_line();
    test_places_not_ours();
    test_system_menu();
    test_open_with_command();
    test_first_start();
    test_edit_list();
    int code;
    RunWholeTail(WorkPath("runvo.exe"), "--remove", &code);
    TearDownWorkDir();
    return TestSummary("setup");
}
