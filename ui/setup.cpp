/*
 * Set-up and removal as the user asks for them, and what the chooser's menu
 * asks of them.
 */
#include "ui/setup.h"

#include "launch/listfile.h"
#include "launch/paths.h"

#include <wchar.h>

/* This program's full path, and where its file name begins in it. */
static const WCHAR *ProgramPath(WCHAR *exe)
{
    size_t n = GetModulePath(exe, PATH_SIZE);
    return FitsPath(n) ? FileNameOf(exe) : NULL;
}

static const FileFacts s_facts = {SameFile, PathExists, IsRunvo, DriveAnswers};
static const PlaceWriter s_writer = {WriteSetUpPlace, DeleteSetUpPlace};

/* The places as they are, each judged: whose it is, and its step. */
static void ReadPlaces(SetUpAction action, const WCHAR *exe, const WCHAR *name, SetUpState *places)
{
    static PlacesRead s_read; /* too big for a frame of the stack */
    ReadSetUpPlaces(name, action, &s_read);
    JudgePlaces(action, &s_read, exe, &s_facts, places);
}

/* Why set-up would write nothing for this copy at all; the path it writes
   into target (PATH_SIZE) otherwise. */
static SetUpRefusal WhyRefused(SetUpAction action, const WCHAR *exe, WCHAR *target)
{
    wcscpy(target, exe);
    if (action != SETUP_ADD)
        return NOTHING_REFUSED;
    if (InTemporaryFolder(exe))
        return REFUSED_TEMPORARY;
    return SetUpPath(exe, target) ? NOTHING_REFUSED : REFUSED_PERCENT;
}

/* What set-up says or asks: too big for a stack frame of the 32-bit
   build, with the rest. */
static WCHAR s_szNote[SETUP_NOTE_SIZE];

/* The first of this copy, its folder and its list file that other people
   may change, into where (PATH_SIZE); false when none is. */
static bool OpenToOthers(const WCHAR *exe, WCHAR *where)
{
    WCHAR list[PATH_SIZE];
    if (OthersMayWritePath(exe, false)) {
        wcscpy(where, exe);
        return true;
    }
    if (FolderOf(exe, where) && OthersMayWritePath(where, true))
        return true;
    if (ListFilePath(list) && PathExists(list) && OthersMayWritePath(list, false)) {
        wcscpy(where, list);
        return true;
    }
    return false;
}

/* Asks whether to set up although others may change where; No is the
   default. True for Yes. */
static bool SetUpAnyway(HWND owner, const WCHAR *where)
{
    WCHAR own[PATH_SIZE];
    TextBuf t;
    /* Where a user's own programs go, which no one else may change. */
    DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", own, PATH_SIZE);
    OutStart(&t, own, PATH_SIZE);
    t.len = n < PATH_SIZE ? n : 0;
    own[t.len] = L'\0';
    PutText(&t, L"\\Programs\\Runvo");
    const WCHAR *inserts[] = {where, own};
    PutOwnText(OutStart(&t, s_szNote, SETUP_NOTE_SIZE), IDS_OTHERS_MAY_WRITE, inserts, 2);
    return MessageBoxW(owner, s_szNote, L"Runvo", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
           IDYES;
}

int RunSetUp(HWND owner, SetUpAction action)
{
    /* Too big for a stack frame of the 32-bit build, with the rest. */
    static WCHAR s_words[PLACE_COUNT][SYSTEM_WORDS_SIZE];
    WCHAR exe[PATH_SIZE], target[PATH_SIZE];
    const WCHAR *name = ProgramPath(exe);
    SetUpState places[PLACE_COUNT];
    SetUpRefusal refusal = name ? WhyRefused(action, exe, target) : NOTHING_REFUSED;
    WCHAR where[PATH_SIZE];
    /* Nothing is written unless the user says so. */
    if (name && action == SETUP_ADD && refusal == NOTHING_REFUSED && OpenToOthers(exe, where) &&
        !SetUpAnyway(owner, where))
        return 1;
    ReadPlaces(action, exe, name ? name : L"", places);
    if (!name) /* its own path too long to name */
        for (SetUpState &p : places)
            p.error = ERROR_FILENAME_EXCED_RANGE;
    else if (refusal == NOTHING_REFUSED && DoSetUpSteps(target, name, places, &s_writer))
        NotifyAssociationsChanged();
    const WCHAR *said[PLACE_COUNT];
    for (int i = 0; i < PLACE_COUNT; i++)
        said[i] =
            places[i].error
                ? (ErrorWords(places[i].error, NULL, s_words[i], SYSTEM_WORDS_SIZE), s_words[i])
                : NULL;
    TextBuf t;
    PutSetUpNote(OutStart(&t, s_szNote, SETUP_NOTE_SIZE), action, refusal, exe, places, said);
    bool done = refusal == NOTHING_REFUSED && SetUpDone(action, places);
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
        ReadPlaces(SETUP_REMOVE, exe, name, places);
        for (const SetUpState &p : places)
            here += p.holder == HOLDER_THIS;
    }
    return here;
}

void OfferSetUp(void)
{
    WCHAR exe[PATH_SIZE];
    const WCHAR *name = ProgramPath(exe);
    if (!name || OpenWithNamesThisCopy(exe, name))
        return;
    TextBuf t;
    PutOwnText(OutStart(&t, s_szNote, SETUP_NOTE_SIZE), IDS_OFFER_SETUP);
    if (MessageBoxW(NULL, s_szNote, L"Runvo", MB_YESNO | MB_ICONQUESTION) == IDYES)
        RunSetUp(NULL, SETUP_ADD);
}
