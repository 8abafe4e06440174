/*
 * Paths, unit by unit: a name with a folder taken from the launcher's
 * folder, and whether a path lies in a folder.
 */
#include "launch/paths.h"
#include "tests/harness.h"

#include <wchar.h>

#include <string>

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

/* A copy in a temporary folder, or below one. */
static void test_in_folder(void)
{
    static const struct {
        const wchar_t *path, *folder;
        bool in;
    } rows[] = {
        {L"C:\\Users\\me\\AppData\\Local\\Temp\\Temp1_runvo-1.0.0-win32.zip\\runvo.exe",
         L"C:\\Users\\me\\AppData\\Local\\Temp", true},
        {L"c:\\users\\me\\appdata\\local\\temp\\runvo.exe",
         L"C:\\Users\\me\\AppData\\Local\\Temp\\", true},
        {L"C:\\Users\\me\\AppData\\Local\\Temporary\\runvo.exe",
         L"C:\\Users\\me\\AppData\\Local\\Temp", false},
        {L"C:\\Users\\me\\AppData\\Local\\Temp", L"C:\\Users\\me\\AppData\\Local\\Temp", false},
        {L"C:\\Tools\\runvo.exe", L"", false},
    };
    for (const auto &row : rows)
        ok(InFolder(row.path, row.folder) == row.in, "[%s] in [%s]", Shown(row.path).c_str(),
           Shown(row.folder).c_str());
}

int main()
{
    test_program_file();
    test_in_folder();
    return TestSummary("paths");
}
