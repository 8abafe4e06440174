/*
 * Set-up and removal as the user asks for them, and what the chooser's menu
 * asks of them.
 */
#include "ui/setup.h"

#include <wchar.h>

/* This program's full path, and where its file name begins in it. */
static const WCHAR *ProgramPath(WCHAR *exe)
{
    DWORD n = GetModuleFileNameW(NULL, exe, PATH_SIZE);
    if (n == 0 || n >= PATH_SIZE)
        return NULL;
    const WCHAR *slash = wcsrchr(exe, L'\\');
    return slash ? slash + 1 : exe;
}

/* Does each place's step; true when anything was written or deleted. */
static bool DoSteps(SetUpAction action, const WCHAR *exe, const WCHAR *name, SetUpState *places)
{
    bool changed = false;
    for (int i = 0; i < PLACE_COUNT; i++) {
        SetUpState &p = places[i];
        SetUpPlace place = static_cast<SetUpPlace>(i);
        p.step = StepFor(action, p.program, exe);
        if (p.step == STEP_WRITE || p.step == STEP_REPLACE)
            p.error = WriteSetUpPlace(place, exe, name);
        else if (p.step == STEP_DELETE)
            p.error = DeleteSetUpPlace(place, name);
        changed =
            changed || p.step == STEP_WRITE || p.step == STEP_REPLACE || p.step == STEP_DELETE;
    }
    return changed;
}

int RunSetUp(HWND owner, SetUpAction action)
{
    /* Too big for a stack frame of the 32-bit build, with the rest. */
    static WCHAR s_szNote[SETUP_NOTE_SIZE];
    WCHAR exe[PATH_SIZE], words[PLACE_COUNT][SYSTEM_WORDS_SIZE];
    const WCHAR *name = ProgramPath(exe);
    SetUpState places[PLACE_COUNT];
    ReadSetUpPlaces(name ? name : L"", places);
    if (!name) /* its own path too long to name */
        for (SetUpState &p : places)
            p.error = ERROR_FILENAME_EXCED_RANGE;
    else if (DoSteps(action, exe, name, places))
        NotifyAssociationsChanged();
    const WCHAR *said[PLACE_COUNT];
    for (int i = 0; i < PLACE_COUNT; i++)
        said[i] = places[i].error && SystemWords(places[i].error, NULL, words[i], SYSTEM_WORDS_SIZE)
                      ? words[i]
                      : NULL;
    TextBuf t;
    PutSetUpNote(OutStart(&t, s_szNote, SETUP_NOTE_SIZE), action, exe, places, said);
    bool done = SetUpDone(places);
    MessageBoxW(owner, s_szNote, L"Runvo", MB_OK | (done ? MB_ICONINFORMATION : MB_ICONWARNING));
    return done ? 0 : 1;
}

int SetUpPlacesHere(void)
{
    WCHAR exe[PATH_SIZE];
    const WCHAR *name = ProgramPath(exe);
    SetUpState places[PLACE_COUNT];
    int here = 0;
    if (name) {
        ReadSetUpPlaces(name, places);
        for (const SetUpState &p : places)
            here += SamePath(p.program, exe);
    }
    return here;
}
