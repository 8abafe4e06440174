/*
 * Where a program's file is found, unit by unit: the search folder by
 * folder with PATHEXT and the 64-bit system folder, the file named as users
 * see it, and the kinds of file.
 */
#include "launch/paths.h"
#include "launch/search.h"
#include "launch/text.h"
#include "tests/harness.h"

#include <string.h>
#include <wchar.h>

#include <string>
#include <vector>

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

int main()
{
    test_search();
    return TestSummary("search");
}
