/*
 * Set-up and removal, unit by unit: what each place does on each action,
 * by what it holds, and what the user is told of it.
 */
#include "launch/setup.h"
#include "tests/harness.h"

#include <locale.h>
#include <wchar.h>

#include <string>
#include <vector>

static const wchar_t EXE[] = L"C:\\Users\\me\\Tools\\runvo.exe";

static void test_steps(void)
{
    static const struct {
        SetUpAction action;
        const wchar_t *program;
        SetUpStep step;
    } rows[] = {
        {SETUP_ADD, L"", STEP_WRITE},
        {SETUP_ADD, L"c:\\users\\ME\\tools\\RUNVO.EXE", STEP_WRITE},
        {SETUP_ADD, L"D:\\Old\\runvo.exe", STEP_REPLACE},
        {SETUP_REMOVE, L"", STEP_NONE},
        {SETUP_REMOVE, L"C:\\Users\\me\\Tools\\runvo.exe", STEP_DELETE},
        {SETUP_REMOVE, L"D:\\Old\\runvo.exe", STEP_LEAVE},
        {SETUP_REMOVE, L"C:\\Users\\me\\Tools\\runvo.ex", STEP_LEAVE},
    };
    for (const auto &row : rows)
        ok(StepFor(row.action, row.program, EXE) == row.step, "%d [%s]: %d", row.action,
           Shown(row.program).c_str(), StepFor(row.action, row.program, EXE));
}

/* The note, after each place met its step. */
static void test_notes(void)
{
    static const struct {
        const char *what;
        SetUpAction action;
        SetUpState sendTo, openWith;
        const wchar_t *begins;
        std::vector<std::wstring> says, saysNot;
    } rows[] = {
        {"added",
         SETUP_ADD,
         {L"", STEP_WRITE, 0},
         {L"", STEP_WRITE, 0},
         L"Runvo is in Send To and Open with now, for you alone:\nC:\\Users\\me\\Tools\\runvo.exe",
         {L"Show more options", L"More apps", L"Remove Runvo from Send To and Open with",
          L"\"C:\\Users\\me\\Tools\\runvo.exe\" --remove"},
         {L"another copy"}},
        {"added again",
         SETUP_ADD,
         {L"C:\\Users\\me\\Tools\\runvo.exe", STEP_WRITE, 0},
         {L"C:\\Users\\me\\Tools\\runvo.exe", STEP_WRITE, 0},
         L"Runvo is in Send To",
         {},
         {L"another copy"}},
        {"a moved copy",
         SETUP_ADD,
         {L"D:\\Old\\runvo.exe", STEP_REPLACE, 0},
         {L"", STEP_WRITE, 0},
         L"Runvo is in Send To",
         {L"Send To started another copy of Runvo, D:\\Old\\runvo.exe. It starts this copy now."},
         {L"Open with started"}},
        {"not written",
         SETUP_ADD,
         {L"", STEP_WRITE, 0},
         {L"", STEP_WRITE, 5},
         L"Runvo could not be added to Send To and Open with in full:\nC:\\Users",
         {L"Open with could not be changed. Windows says: Access is denied.", L"choose Add again"},
         {L"Show more options"}},
        {"removed",
         SETUP_REMOVE,
         {L"C:\\T\\runvo.exe", STEP_DELETE, 0},
         {L"", STEP_NONE, 0},
         L"Runvo is no longer in Send To and Open with:",
         {},
         {L"left as it is"}},
        {"another copy's",
         SETUP_REMOVE,
         {L"D:\\Old\\runvo.exe", STEP_LEAVE, 0},
         {L"D:\\Old\\runvo.exe", STEP_LEAVE, 0},
         L"Nothing was removed",
         {L"Send To starts another copy of Runvo, D:\\Old\\runvo.exe. It was left as it is.",
          L"Open with starts another copy of Runvo, D:\\Old\\runvo.exe. It was left as it is."},
         {}},
        {"nothing there",
         SETUP_REMOVE,
         {L"", STEP_NONE, 0},
         {L"", STEP_NONE, 0},
         L"Nothing was removed",
         {},
         {L"left as it is"}},
        {"not deleted",
         SETUP_REMOVE,
         {L"C:\\T\\runvo.exe", STEP_DELETE, 5},
         {L"", STEP_NONE, 0},
         L"Runvo could not be removed from",
         {L"Send To could not be changed. Windows says: Access is denied.", L"choose Remove again"},
         {}},
    };
    for (const auto &row : rows) {
        const SetUpState places[PLACE_COUNT] = {row.sendTo, row.openWith};
        const wchar_t *words[PLACE_COUNT] = {row.sendTo.error ? L"Access is denied." : NULL,
                                             row.openWith.error ? L"Access is denied." : NULL};
        wchar_t buf[SETUP_NOTE_SIZE];
        TextBuf t;
        PutSetUpNote(OutStart(&t, buf, SETUP_NOTE_SIZE), row.action, EXE, places, words);
        std::wstring note = buf;
        ok(note.rfind(row.begins, 0) == 0, "%s: [%s]", row.what, Shown(note).c_str());
        for (const std::wstring &s : row.says)
            ok(note.find(s) != std::wstring::npos, "%s: no [%s]", row.what, Shown(s).c_str());
        for (const std::wstring &s : row.saysNot)
            ok(note.find(s) == std::wstring::npos, "%s: [%s]", row.what, Shown(s).c_str());
        ok(SetUpDone(places) == (!row.sendTo.error && !row.openWith.error), "%s: done", row.what);
    }
    wchar_t command[64];
    TextBuf t;
    PutOpenWithCommand(OutStart(&t, command, 64), L"C:\\My Tools\\runvo.exe");
    ok(wcscmp(command, L"\"C:\\My Tools\\runvo.exe\" \"%1\"") == 0, "Open with's command [%s]",
       Shown(command).c_str());
}

/* The longest notes fit their buffer whole: paths of 259 characters for
   this copy and for both places' other copies, or the system's longest
   words for both places' errors. */
static void test_longest_notes(void)
{
    const std::wstring exe = L"C:\\" + std::wstring(PATH_SIZE - 1 - 13, L'x') + L"\\runvo.exe",
                       other = L"D:\\" + std::wstring(PATH_SIZE - 1 - 13, L'y') + L"\\runvo.exe",
                       words(SYSTEM_WORDS_SIZE - 1, L'w');
    ok(exe.size() == PATH_SIZE - 1, "a path of %lu", (unsigned long)exe.size());
    static const struct {
        const char *what;
        SetUpAction action;
        SetUpStep step;
        unsigned long error;
    } rows[] = {
        {"both replaced", SETUP_ADD, STEP_REPLACE, 0},
        {"both failed", SETUP_ADD, STEP_REPLACE, 5},
        {"both left", SETUP_REMOVE, STEP_LEAVE, 0},
        {"both failed to go", SETUP_REMOVE, STEP_DELETE, 5},
    };
    for (const auto &row : rows) {
        SetUpState places[PLACE_COUNT];
        for (SetUpState &p : places) {
            wcscpy(p.program, other.c_str());
            p.step = row.step;
            p.error = row.error;
        }
        const wchar_t *said[PLACE_COUNT] = {words.c_str(), words.c_str()};
        std::vector<wchar_t> buf(SETUP_NOTE_SIZE);
        TextBuf t;
        PutSetUpNote(OutStart(&t, &buf[0], SETUP_NOTE_SIZE), row.action, exe.c_str(), places, said);
        std::wstring note = &buf[0];
        ok(!t.truncated && note.find(row.error ? words : other) != std::wstring::npos,
           "%s: cut short at %lu characters", row.what, (unsigned long)t.len);
    }
}

int main()
{
    setlocale(LC_CTYPE, "C.UTF-8");
    test_steps();
    test_notes();
    test_longest_notes();
    return TestSummary("setup");
}
