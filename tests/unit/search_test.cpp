/*
 * Where a program's file is found, unit by unit: a name with a folder taken
 * from the launcher's folder, the search folder by folder with PATHEXT and
 * the 64-bit system folder, the file named as users see it, the kinds of
 * file, and which places looking at may wait on.
 */
#include "launch/paths.h"
#include "launch/search.h"
#include "launch/text.h"
#include "launch/waits.h"
#include "tests/harness.h"

#include <string.h>
#include <wchar.h>

#include <string>
#include <vector>

enum { MAX_PATH_FOR_TEST = 260 };

/* A name with a folder names a file from the launcher's folder, never from
   the current one. */
static void test_program_file(void)
{
    const std::wstring deep = L"C:\\" + std::wstring(250, L'd') + L"\\";
    static const struct {
        std::wstring name, own, path; /* empty path: none */
    } rows[] = {
        {L"C:\\Windows\\notepad.exe", L"D:\\Tools\\", L"C:\\Windows\\notepad.exe"},
        {L"c:/tools/x.exe", L"D:\\Tools\\", L"c:/tools/x.exe"},
        {L"\\\\srv\\share\\x.exe", L"D:\\Tools\\", L"\\\\srv\\share\\x.exe"},
        {L"tools\\x.exe", L"D:\\Tools\\", L"D:\\Tools\\tools\\x.exe"},
        {L".\\x.exe", L"D:\\Tools\\", L"D:\\Tools\\.\\x.exe"},
        {L"..\\x.exe", L"D:\\Tools\\", L"D:\\Tools\\..\\x.exe"},
        {L"\\x.exe", L"D:\\Tools\\", L"D:\\x.exe"},
        {L"/x.exe", L"D:\\Tools\\", L"D:/x.exe"},
        {L"\\x.exe", L"\\\\srv\\share\\Tools\\", L"\\\\srv\\share\\x.exe"},
        {L"x\\y.exe", L"\\\\srv\\share\\", L"\\\\srv\\share\\x\\y.exe"},
        {L"C:x.exe", L"D:\\Tools\\", L"C:\\x.exe"},
        {L"tools\\x.exe", L"D:\\", L"D:\\tools\\x.exe"},
        {L"tools\\x.exe", L"", L""},        /* the launcher's folder unknown */
        {L"tools\\x.exe", L"Tools\\", L""}, /* ... or not a full path */
        {L"tools\\x.exe", deep, L""},       /* too long for the buffer */
    };
    for (const auto &row : rows) {
        wchar_t *path = new wchar_t[MAX_PATH_FOR_TEST];
        bool got = ProgramFile(row.name.c_str(), row.own.c_str(), path, MAX_PATH_FOR_TEST);
        ok(got == !row.path.empty() && (!got || path == row.path), "[%s] from [%s]: %d [%s]",
           Shown(row.name).c_str(), Shown(row.own).c_str(), got, Shown(path).c_str());
        delete[] path;
    }
}

/* Where a program named without a folder, or with one, is found. */
static const wchar_t *const s_files[] = {L"C:\\Tools\\a;b\\tool.exe",
                                         L"C:\\Windows\\Sysnative\\OpenSSH\\ssh.exe",
                                         L"C:\\Windows\\Sysnative\\both.exe",
                                         L"C:\\Windows\\system32\\both.exe",
                                         L"C:\\bin\\both.exe",
                                         L"C:\\bin\\code.cmd",
                                         L"C:\\bin\\code.bat",
                                         L"C:\\Windows\\node.exe",
                                         L"C:\\bin\\node.cmd",
                                         L"C:\\Tools\\a;b\\sub\\x.exe",
                                         L"C:\\rel\\rel.exe",
                                         L"C:\\Windows\\Sysnative\\wsl.exe",
                                         L"C:\\Windows\\system32\\explorer.exe",
                                         L"C:\\Windows\\explorer.exe",
                                         L"C:\\Windows\\system32\\only32.exe",
                                         L"N:\\bin\\code.exe"};

/* A network drive, N:, where looking may wait. */
static bool OnNetwork(const wchar_t *path)
{
    return path[0] == L'N' && path[1] == L':';
}

static bool IsFakeFile(const wchar_t *name)
{
    for (const wchar_t *f : s_files)
        if (_wcsicmp(name, f) == 0)
            return true;
    return false;
}

static void test_search(void)
{
    static const struct {
        const wchar_t *name, *path, *pathext, *found; /* found: "" for none */
        bool wow64;
        Found rows = NOT_FOUND; /* where the rows' search ends: FOUND, WOULD_WAIT;
                                   NOT_FOUND: the launch's search (every place) */
    } rows[] = {
        {L"tool.exe", L"", L"", L"C:\\Tools\\a;b\\tool.exe", false},
        {L"tool", L"C:\\bin", L"", L"C:\\Tools\\a;b\\tool.exe", false},
        {L"sub\\x", L"", L"", L"C:\\Tools\\a;b\\sub\\x.exe", false},
        {L"ssh.exe", L"C:\\bin;C:\\Windows\\System32\\OpenSSH", L"",
         L"C:\\Windows\\Sysnative\\OpenSSH\\ssh.exe", true},
        {L"ssh.exe", L"C:\\Windows\\System32\\OpenSSH", L"", L"", false},
        {L"both.exe", L"C:\\bin", L"", L"C:\\Windows\\Sysnative\\both.exe", true},
        {L"both", L"C:\\bin", L"", L"C:\\Windows\\system32\\both.exe", false},
        {L"C:\\Windows\\System32\\wsl.exe", L"", L"", L"C:\\Windows\\Sysnative\\wsl.exe", true},
        {L"explorer.exe", L"", L"", L"C:\\Windows\\explorer.exe", true},
        {L"explorer.exe", L"", L"", L"C:\\Windows\\system32\\explorer.exe", false},
        {L"only32.exe", L"", L"", L"", true},
        {L"C:\\Windows\\System32\\only32", L"", L"", L"C:\\Windows\\System32\\only32.exe", true},
        {L"code", L"C:\\bin", L".COM;.EXE;.BAT;.CMD", L"C:\\bin\\code.bat", false},
        {L"code", L"C:\\bin", L".CMD;.BAT", L"C:\\bin\\code.cmd", false},
        {L"code", L"C:\\bin", L".vbs;.Cmd", L"C:\\bin\\code.cmd", false},
        {L"code", L"C:\\bin", L".js", L"", false},
        {L"code", L"C:\\bin", L"", L"C:\\bin\\code.bat", false},
        {L"code.x", L"C:\\bin", L"", L"", false},
        {L"node", L"C:\\bin", L".CMD", L"C:\\Windows\\node.exe", false},
        {L"rel.exe", L".;rel;\\rel;C:rel;\"C:\\rel\";;C:\\rel", L"", L"C:\\rel\\rel.exe", false},
        {L"rel.exe", L".;rel;\\rel;C:rel;\"C:\\rel\"", L"", L"", false},
        /* As the chooser's rows look: a folder that may wait (N:, a network
           drive) ends the search before it, where the launch looks on. */
        {L"code", L"N:\\bin;C:\\bin", L"", L"N:\\bin\\code.exe", false},
        {L"code", L"N:\\bin;C:\\bin", L"", L"", false, WOULD_WAIT},
        {L"code", L"C:\\bin;N:\\bin", L"", L"", false, WOULD_WAIT}, /* N:'s .exe comes first */
        {L"node", L"N:\\bin", L"", L"C:\\Windows\\node.exe", false, FOUND},
        {L"N:\\bin\\code", L"", L"", L"", false, WOULD_WAIT},
    };
    for (const auto &row : rows) {
        /* The launcher's folder, the system, 16-bit system and Windows folders. */
        ProgramSearchPath where = {.folders = {L"C:\\Tools\\a;b\\", L"C:\\Windows\\system32",
                                               L"C:\\Windows\\System", L"C:\\Windows"},
                                   .sysnative = L"",
                                   .path = row.path,
                                   .pathext = row.pathext};
        if (row.wow64)
            wcscpy(where.sysnative, L"C:\\Windows\\Sysnative");
        std::vector<wchar_t> found(PATH_SIZE);
        bool asRows = row.rows != NOT_FOUND;
        Found got =
            FindProgramFile(row.name, &where, IsFakeFile, asRows ? OnNetwork : NULL, &found[0]);
        Found want = asRows ? row.rows : row.found[0] ? FOUND : NOT_FOUND;
        ok(got == want && (got != FOUND || _wcsicmp(&found[0], row.found) == 0),
           "[%s] on [%s]: %d [%s]", Shown(row.name).c_str(), Shown(row.path).c_str(), got,
           Shown(&found[0]).c_str());
    }
    /* The 32-bit launcher's way to the 64-bit system folder, named as users
       and the elevation service know it. */
    static const struct {
        const wchar_t *found, *shown;
    } views[] = {
        {L"C:\\Windows\\Sysnative\\wsl.exe", L"C:\\Windows\\system32\\wsl.exe"},
        {L"C:\\WINDOWS\\SYSNATIVE\\OpenSSH\\ssh.exe", L"C:\\Windows\\system32\\OpenSSH\\ssh.exe"},
        {L"C:\\Windows\\SysnativeX\\a.exe", L"C:\\Windows\\SysnativeX\\a.exe"},
        {L"C:\\bin\\x.exe", L"C:\\bin\\x.exe"},
    };
    for (const auto &v : views) {
        ProgramSearchPath where = {.folders = {L"", L"C:\\Windows\\system32", L"", L""},
                                   .sysnative = L"C:\\Windows\\Sysnative",
                                   .path = L"",
                                   .pathext = L""};
        std::vector<wchar_t> file(v.found, v.found + wcslen(v.found) + 1);
        file.resize(PATH_SIZE);
        SysnativeToSystem32(&file[0], &where);
        ok(wcscmp(&file[0], v.shown) == 0, "[%s] shown as [%s]", Shown(v.found).c_str(),
           Shown(&file[0]).c_str());
    }
    ok(IsBatchFile(L"C:\\b\\x.Bat") && IsBatchFile(L"C.CMD") && !IsBatchFile(L"C:\\a.bat\\x") &&
           !IsBatchFile(L"C:\\x.bats") && !IsBatchFile(L"C:\\bat"),
       "batch files");
}

/* What a drive and a file's attributes say of a path, for LookingMayWait:
   C: is a fixed disk, N: a network drive, E: a DVD drive, R: and U: card
   readers or sticks (the launcher runs from U:); a file whose name holds
   "cloud" is OneDrive's, on demand, "recall" one a cloud filter brings down
   when it is opened; "gone" none. */
static unsigned s_driveAsked, s_attributesAsked;

static DriveKind FakeDriveKind(const wchar_t *root)
{
    s_driveAsked++;
    switch (root[0]) {
    case L'N':
        return DRIVE_KIND_REMOTE;
    case L'E':
        return DRIVE_KIND_DISC;
    case L'R':
    case L'U':
        return DRIVE_KIND_REMOVABLE;
    }
    return DRIVE_KIND_FIXED;
}

static FileAttributes FakeAttributes(const wchar_t *path)
{
    s_attributesAsked++;
    if (wcsstr(path, L"gone"))
        return NO_SUCH_FILE;
    if (wcsstr(path, L"cloud"))
        return 0x20 | ATTRIBUTE_RECALL_ON_DATA_ACCESS;
    if (wcsstr(path, L"recall")) /* as a cloud filter driver marks one */
        return 0x20 | ATTRIBUTE_RECALL_ON_OPEN;
    return wcsstr(path, L"offline") ? ATTRIBUTE_OFFLINE : 0x20;
}

static void test_looking_may_wait(void)
{
    static const struct {
        const wchar_t *path;
        bool waits;
        unsigned driveAsked, attributesAsked;
    } rows[] = {
        {L"\\\\server\\share\\app.exe", true, 0, 0},
        {L"//server/share/app.exe", true, 0, 0},
        {L"\\\\?\\UNC\\server\\share\\app.exe", true, 0, 0},
        {L"N:\\Tools\\app.exe", true, 1, 0},
        {L"N:\\Tools", true, 1, 0}, /* a folder of PATH */
        {L"E:\\setup.exe", true, 1, 0},
        {L"R:\\Tools\\app.exe", true, 1, 0},
        {L"u:\\Tools\\app.exe", false, 1, 1}, /* the stick the launcher runs from */
        {L"C:\\Tools\\app.exe", false, 1, 1},
        {L"C:\\OneDrive\\cloud.exe", true, 1, 1},
        {L"C:\\OneDrive\\recall.exe", true, 1, 1}, /* recalled as soon as it is opened */
        {L"C:\\Tools\\offline.exe", true, 1, 1},
        {L"C:\\Tools\\gone.exe", false, 1, 1},
        {L"tools\\app.exe", false, 0, 0},
    };
    const WaitAsks asks = {FakeDriveKind, FakeAttributes, L'U'};
    for (const auto &row : rows) {
        s_driveAsked = s_attributesAsked = 0;
        bool waits = LookingMayWait(row.path, &asks);
        ok(waits == row.waits && s_driveAsked == row.driveAsked &&
               s_attributesAsked == row.attributesAsked,
           "[%s]: %d, asked the drive %u times, the file %u times", Shown(row.path).c_str(), waits,
           s_driveAsked, s_attributesAsked);
    }
}

int main()
{
    test_program_file();
    test_search();
    test_looking_may_wait();
    return TestSummary("search");
}
