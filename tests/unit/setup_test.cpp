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
         L"Runvo is in Send To and Open with now",
         {L"Show more options", L"More apps", L"Remove Runvo from Send To and Open with",
          L"--remove"},
         {L"Replaced"}},
        {"added again",
         SETUP_ADD,
         {L"C:\\Users\\me\\Tools\\runvo.exe", STEP_WRITE, 0},
         {L"C:\\Users\\me\\Tools\\runvo.exe", STEP_WRITE, 0},
         L"Runvo is in Send To",
         {},
         {L"Replaced"}},
        {"a moved copy",
         SETUP_ADD,
         {L"D:\\Old\\runvo.exe", STEP_REPLACE, 0},
         {L"", STEP_WRITE, 0},
         L"Runvo is in Send To",
         {L"Replaced: Send To of another copy, D:\\Old\\runvo.exe"},
         {L"Open with of another"}},
        {"not written",
         SETUP_ADD,
         {L"", STEP_WRITE, 0},
         {L"", STEP_WRITE, 5},
         L"Runvo could not be added to Send To and Open with in full.",
         {L"Not done: Open with: Access is denied."},
         {L"Show more options"}},
        {"removed",
         SETUP_REMOVE,
         {L"C:\\T\\runvo.exe", STEP_DELETE, 0},
         {L"", STEP_NONE, 0},
         L"Runvo is no longer in Send To and Open with.",
         {},
         {L"Left alone"}},
        {"another copy's",
         SETUP_REMOVE,
         {L"D:\\Old\\runvo.exe", STEP_LEAVE, 0},
         {L"D:\\Old\\runvo.exe", STEP_LEAVE, 0},
         L"Nothing removed",
         {L"Left alone: Send To of another copy, D:\\Old\\runvo.exe",
          L"Left alone: Open with of another copy, D:\\Old\\runvo.exe"},
         {}},
        {"nothing there",
         SETUP_REMOVE,
         {L"", STEP_NONE, 0},
         {L"", STEP_NONE, 0},
         L"Nothing removed",
         {},
         {L"Left alone"}},
        {"not deleted",
         SETUP_REMOVE,
         {L"C:\\T\\runvo.exe", STEP_DELETE, 5},
         {L"", STEP_NONE, 0},
         L"Runvo could not be removed from",
         {L"Not done: Send To: Access is denied."},
         {}},
    };
    for (const auto &row : rows) {
        const SetUpState places[PLACE_COUNT] = {row.sendTo, row.openWith};
        const wchar_t *words[PLACE_COUNT] = {row.sendTo.error ? L"Access is denied." : NULL,
                                             row.openWith.error ? L"Access is denied." : NULL};
        wchar_t buf[2048];
        TextBuf t;
        PutSetUpNote(OutStart(&t, buf, 2048), row.action, places, words);
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

int main()
{
    setlocale(LC_CTYPE, "C.UTF-8");
    test_steps();
    test_notes();
    return TestSummary("setup");
}
