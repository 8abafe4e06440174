/*
 * The chooser's rows, unit by unit: the name a row shows before and without
 * its program's version information, the arguments shown after it, the row
 * a digit starts, and the row that typing a character selects.
 */
#include "platform/native.h"
#include "tests/harness.h"
#include "ui/rowname.h"

#include <locale.h>
#include <wchar.h>

#include <string>
#include <vector>

static void test_shown_names(void)
{
    static const NativeVariable variables[] = {{L"LOCALAPPDATA", L"C:\\Users\\me\\AppData\\Local"},
                                               {NULL, NULL}};
    g_nativeLaunch = NativeLaunch{.variables = variables};
    static const struct {
        const wchar_t *entry, *name, *args;
    } rows[] = {
        {L"C:\\Windows\\notepad.exe", L"notepad", L""},
        {L"\"C:\\Program Files\\Microsoft VS Code\\Code.exe\" --new-window", L"Code",
         L"--new-window"},
        {L"\"C:\\Apps\\viewer.exe\"\t --open \"%1\"", L"viewer", L"--open \"%1\""},
        {L"%LOCALAPPDATA%\\Programs\\Python\\python.exe", L"python", L""},
        {L"\"%UNSET%\\tool.v2.exe\"", L"tool.v2", L""},
        {L"C:\\Users\\me\\Start Menu\\Programs\\Visual Studio Code.lnk", L"Visual Studio Code",
         L""},
        {L"code", L"code", L""},
        {L"C:/tools/x.cmd", L"x", L""},
        {L"D:app.exe", L"app", L""},
        {L".hidden", L".hidden", L""},
        {L"\"C:\\unclosed\\x.exe -n", L"x", L""},
        {L"", L"", L""},
    };
    for (const auto &row : rows) {
        wchar_t name[8 + 1]; /* cut to fit, never past it */
        EntryShownName(row.entry, name, 9);
        std::wstring want = std::wstring(row.name).substr(0, 8);
        ok(name == want, "[%s]: name [%s]", Shown(row.entry).c_str(), Shown(name).c_str());
        ok(wcscmp(EntryShownArguments(row.entry), row.args) == 0, "[%s]: arguments [%s]",
           Shown(row.entry).c_str(), Shown(EntryShownArguments(row.entry)).c_str());
    }
}

static void test_digits(void)
{
    static const struct {
        wchar_t key;
        int rows, row;
    } rows[] = {
        {L'1', 3, 0},   {L'3', 3, 2},  {L'4', 3, -1}, {L'9', 12, 8},
        {L'0', 12, -1}, {L'1', 0, -1}, {L'a', 5, -1}, {L'\xff11', 5, -1}, /* a full-width 1 */
    };
    for (const auto &row : rows)
        ok(DigitRow(row.key, row.rows) == row.row, "[%s] of %d: %d",
           Shown(std::wstring(1, row.key)).c_str(), row.rows, DigitRow(row.key, row.rows));
}

static const std::vector<std::wstring> s_names = {L"Visual Studio Code",
                                                  L"notepad",
                                                  L"Paint",
                                                  L"Visual Studio Code",
                                                  L"",
                                                  L"\xc9"
                                                  L"diteur"};

/* The names, and which of them are not known until loaded. */
static std::vector<bool> s_unknown;
static int s_loads;

/* Goes on with a search as the chooser does: each row's name given as the
   search comes to it, a name not known yet loaded first; the row found,
   or -1. */
static int GoOn(RowSearch *search)
{
    while (RowSearchUnderWay(search)) {
        size_t row = (size_t)search->next;
        if (s_unknown[row]) {
            s_unknown[row] = false;
            s_loads++;
            continue;
        }
        int found = StepRowSearch(search, s_names[row].c_str());
        if (found >= 0)
            return found;
    }
    return -1;
}

/* A search to its end, loading the names it waits for. */
static int Search(wchar_t key, int current)
{
    RowSearch search;
    StartRowSearch(&search, key, current, (int)s_names.size());
    return GoOn(&search);
}

static void test_type_ahead(void)
{
    static const struct {
        wchar_t key;
        int current, row;
    } rows[] = {
        {L'v', -1, 0},   {L'V', 0, 3},  {L'v', 3, 0}, {L'p', 0, 2},
        {L'N', 4, 1},    {L'x', 2, -1}, {L'p', 2, 2}, /* the only one: itself again */
        {L'\xe9', 0, 5},                              /* case-blind beyond ASCII */
    };
    for (const auto &row : rows) {
        s_unknown.assign(s_names.size(), false);
        int got = Search(row.key, row.current);
        ok(got == row.row, "[%s] after %d: %d", Shown(std::wstring(1, row.key)).c_str(),
           row.current, got);
    }
    s_unknown.clear();
    RowSearch none;
    StartRowSearch(&none, L'v', -1, 0);
    ok(!RowSearchUnderWay(&none) && GoOn(&none) == -1, "an empty list");
}

/* Names not known yet are loaded as the search meets them, and only
   those: the search finds the row it would find with every name known. */
/* A search held open while its names load, as a long list keeps it: the
   user goes on meanwhile (Home, a click) and the search stops, selecting
   nothing once the names come; a new letter searches from the row the user
   went to. */
static void test_search_stopped(void)
{
    static const struct {
        const char *what;
        bool stopped;         /* the user went on while it waited */
        wchar_t again;        /* a new letter, typed then (0: none) */
        int wentTo, selected; /* the row the user went to; the row selected in the end */
    } rows[] = {
        {"left to end", false, 0, 0, 3},
        {"stopped by Home", true, 0, 0, 0},
        {"stopped at another row", true, 0, 2, 2},
        {"stopped, then a new letter", true, L'n', 0, 1},
    };
    for (const auto &row : rows) {
        s_unknown.assign(s_names.size(), true);
        RowSearch search;
        StartRowSearch(&search, L'v', 0, (int)s_names.size());
        /* Held: its next row's name is not known, and is not loaded yet. */
        ok(RowSearchUnderWay(&search) && s_unknown[(size_t)search.next], "%s: not held", row.what);
        int selected = row.wentTo;
        if (row.stopped)
            StopRowSearch(&search);
        s_unknown.assign(s_names.size(), false); /* the names come */
        if (row.again)
            StartRowSearch(&search, row.again, selected, (int)s_names.size());
        int got = GoOn(&search);
        if (got >= 0)
            selected = got;
        ok(selected == row.selected && !RowSearchUnderWay(&search), "%s: row %d selected", row.what,
           selected);
    }
}

static void test_type_ahead_loading(void)
{
    static const struct {
        const char *what;
        wchar_t key;
        int current;
        std::vector<bool> unknown; /* a row each */
        int row, loads;
    } rows[] = {
        {"a row never in view", L'v', 0, {false, false, false, true, true, true}, 3, 1},
        {"past rows not known", L'v', 3, {false, false, false, false, true, true}, 0, 2},
        {"known first, none loaded", L'n', -1, {false, false, true, true, true, true}, 1, 0},
        {"none begins so: all loaded", L'x', -1, {true, true, true, true, true, true}, -1, 6},
        {"round to the start", L'p', 3, {true, true, true, false, true, true}, 2, 5},
    };
    for (const auto &row : rows) {
        s_unknown = row.unknown;
        s_loads = 0;
        int got = Search(row.key, row.current);
        ok(got == row.row && s_loads == row.loads, "%s: row %d after %d loads", row.what, got,
           s_loads);
    }
}

/* What a screen reader says of a row. */
static void test_spoken_names(void)
{
    static const struct {
        int row;
        const wchar_t *name, *args;
        bool missing;
        const wchar_t *spoken;
    } rows[] = {
        {0, L"Notepad", L"/w", false, L"1, Notepad, /w"},
        {3, L"C:\\Tools\\old.exe", L"", true, L"4, C:\\Tools\\old.exe, not found"},
        {3, L"C:\\Tools\\old.exe", L"--x", true, L"4, C:\\Tools\\old.exe, not found"},
        {8, L"Visual Studio Code", L"", false, L"9, Visual Studio Code"},
        {9, L"Paint", L"--x", false, L"Paint, --x"}, /* no digit past 9 */
        {1, L"", L"", false, L"2"},
    };
    for (const auto &row : rows) {
        wchar_t spoken[SPOKEN_ROW_SIZE];
        TextBuf t;
        PutSpokenRowName(OutStart(&t, spoken, SPOKEN_ROW_SIZE), row.row, row.name, row.args,
                         row.missing);
        ok(wcscmp(spoken, row.spoken) == 0, "row %d: [%s]", row.row, Shown(spoken).c_str());
    }
}

int main()
{
    setlocale(LC_CTYPE, "C.UTF-8"); /* upper case beyond ASCII, as Windows has it */
    test_shown_names();
    test_digits();
    test_type_ahead();
    test_type_ahead_loading();
    test_search_stopped();
    test_spoken_names();
    return TestSummary("rowname");
}
