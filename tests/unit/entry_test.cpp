/*
 * Entries written for programs the user adds: which files are listed as
 * programs (chosen in the Open dialog or dropped on the chooser), and the
 * entry that reads back as the file.
 */
#include "launch/entry.h"
#include "platform/native.h"
#include "tests/harness.h"

#include <wchar.h>

#include <string>

/* Dropped or chosen: programs and shortcuts to programs are listed;
   documents, and shortcuts to anything else, are not. */
static void test_programs_to_list(void)
{
    static const NativeShortcut shortcuts[] = {
        {L"C:\\Menu\\App.lnk", L"C:\\Apps\\app.exe", L"--x", L""},
        {L"C:\\Menu\\Script.lnk", L"C:\\Apps\\run.CMD", L"", L""},
        {L"C:\\Menu\\Doc.lnk", L"C:\\Docs\\a.txt", L"", L""},
        {L"C:\\Menu\\Folder.lnk", L"C:\\Docs", L"", L""},
        {L"C:\\Menu\\Store.lnk", L"", L"", L""},
        {NULL, NULL, NULL, NULL}};
    static const struct {
        const wchar_t *file;
        bool listed;
    } rows[] = {
        {L"C:\\Apps\\tool.exe", true},    {L"C:\\Apps\\TOOL.EXE", true},
        {L"C:\\Apps\\old.com", true},     {L"C:\\Apps\\run.bat", true},
        {L"C:\\Apps\\run.cmd", true},     {L"C:\\Menu\\App.lnk", true},
        {L"C:\\Menu\\Script.lnk", true},  {L"C:\\Docs\\a.txt", false},
        {L"C:\\Docs\\README", false},     {L"C:\\Docs\\a.exe.txt", false},
        {L"C:\\Docs.exe\\a", false},      {L"C:\\Menu\\Doc.lnk", false},
        {L"C:\\Menu\\Folder.lnk", false}, {L"C:\\Menu\\Store.lnk", false},
        {L"C:\\Menu\\Broken.lnk", false},
    };
    g_nativeLaunch = NativeLaunch{.shortcuts = shortcuts};
    for (const auto &row : rows)
        ok(IsProgramToList(row.file) == row.listed, "[%s]: %d", Shown(row.file).c_str(),
           !row.listed);
    g_nativeLaunch = NativeLaunch{};
}

/* The entry written for a file reads back as that file. */
static void test_entry_for_file(void)
{
    static const NativeVariable variables[] = {{L"TEMP", L"C:\\Users\\me\\Temp"}, {NULL, NULL}};
    static const NativeShortName shortNames[] = {
        {L"D:\\Tools\\%TEMP%\\x.exe", L"D:\\Tools\\TEMP~1\\x.exe"},
        {L"D:\\None\\%TEMP%\\z.exe", NULL},
        {NULL, NULL}};
    const std::wstring longest = L"C:\\" + std::wstring(PATH_SIZE - 8, L'p') + L".exe",
                       tooLong = L"C:\\" + std::wstring(PATH_SIZE - 7, L'p') + L".exe";
    static const struct {
        std::wstring file, entry; /* empty: refused */
    } rows[] = {
        {L"C:\\Program Files\\App\\app.exe", L"C:\\Program Files\\App\\app.exe"},
        {L"C:\\Tools\\100%\\x.exe", L"C:\\Tools\\100%\\x.exe"},
        {L"C:\\Tools\\%UNSET%\\x.exe", L"C:\\Tools\\%UNSET%\\x.exe"},
        {L"D:\\Tools\\%TEMP%\\x.exe", L"D:\\Tools\\TEMP~1\\x.exe"},
        {L"D:\\Own\\%TEMP%\\y.exe", L""},  /* its short name is itself */
        {L"D:\\None\\%TEMP%\\z.exe", L""}, /* no short name */
        {longest, longest},
        {tooLong, L""},
    };
    g_nativeLaunch = NativeLaunch{.variables = variables, .shortNames = shortNames};
    for (const auto &row : rows) {
        wchar_t entry[PATH_SIZE] = L"";
        bool got = EntryForFile(row.file.c_str(), entry);
        ok(got == !row.entry.empty() && (!got || entry == row.entry), "[%s]: %d [%s]",
           Shown(row.file).c_str(), got, Shown(entry).c_str());
    }
    g_nativeLaunch = NativeLaunch{};
}

int main()
{
    test_programs_to_list();
    test_entry_for_file();
    return TestSummary("entry");
}
