/*
 * The entry, and the quick launch: "-n N tail" starts the program on line N
 * of the list file at once, with the tail as one quoted argument (or as the
 * arguments it already is), and shows nothing. Anything that stops it falls
 * through to the chooser, but a command over the length limit, and an
 * elevation prompt that the user declined. The whole tails --setup and
 * --remove add Runvo to Send To and Open with, and take it away.
 */
#include "launch/interactive.h"
#include "launch/launch.h"
#include "launch/listfile.h"
#include "launch/rules.h"
#include "launch/runvo.h"
#include "launch/tail.h"
#include "ui/setup.h"

#include <wchar.h>

WCHAR g_szCommand[COMMAND_SIZE];
/* Written before the status window is first shown: kept out of the
   program's file (as an initial text it took more than all of its data). */
WCHAR g_szStatus[STATUS_SIZE];
HWND g_hwndMain;

StartTexts g_startTexts;

/* The tail comes in UTF-16, so that a document's name outside the system
   code page is passed on exactly, never as its nearest look-alike. */
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    /* Two whole tails that are no documents: set-up and its undo. */
    if (wcscmp(lpCmdLine, L"--setup") == 0)
        return RunSetUp(NULL, SETUP_ADD);
    if (wcscmp(lpCmdLine, L"--remove") == 0)
        return RunSetUp(NULL, SETUP_REMOVE);
    /* No document: a first start, as often as not. */
    if (!*SkipBlanks(lpCmdLine))
        OfferSetUp();
    int index;
    Tail tail;
    bool quick = ParseQuickOption(lpCmdLine, &index, &tail.text);
    tail.form = TailIsArguments(tail.text, PathExists) ? TAIL_ARGUMENTS : TAIL_VERBATIM;
    WCHAR line[PATH_SIZE], program[PATH_SIZE];
    bool cut;
    if (quick && ReadListLine(index, line, &cut)) {
        /* Line 0 is the default, its rules left out. */
        if (index == 0)
            FirstLineDefault(line, program, PATH_SIZE, cut);
        else
            wmemcpy(program, line, PATH_SIZE);
        /* One document goes as one quoted argument. */
        TailForm form = tail.form == TAIL_ARGUMENTS ? TAIL_ARGUMENTS : TAIL_QUOTED;
        if (!BuildQuickCommand(g_szCommand, program, tail.text, form))
            return ShowCommandTooLong();
        /* USER32 is not loaded, so nothing waits for the program to be ready. */
        Start start = {program, tail.text, form, false, NULL, NULL, &g_startTexts};
        int code;
        if (LaunchEndsWith(StartEntry(&start), 300, &code))
            return code;
        /* A refused start is not reported: the user chooses instead. */
    }
    return RunInteractive(hInstance, hPrevInstance, &tail, nCmdShow);
}
