/*
 * Set-up and removal, unit by unit: whose each place is, what it holds
 * after each action, the path set-up writes, and what the user is told.
 */
#include "launch/setup.h"
#include "platform/native.h"
#include "tests/harness.h"

#include <locale.h>
#include <wchar.h>

#include <string>
#include <vector>

static const wchar_t EXE[] = L"C:\\Users\\me\\Tools\\runvo.exe";

/* The files as a test sets them up: the files there, those whose version
   information says Runvo, and paths under drives that name another's
   folder (a mapped drive, its share; subst T: C:\\Users\\me\\Tools). As on
   Windows, a path names its file in any case. (Other spellings of one
   file, the short form and \\?\, are read by the platform: the end-to-end
   set-up test removes by them.) */
static const wchar_t *const s_there[] = {EXE, L"D:\\Old\\runvo.exe", L"C:\\Windows\\notepad.exe",
                                         L"\\\\server\\share\\Tools\\runvo.exe",
                                         L"C:\\Users\\me\\Apps\\renamed.exe"};
static const wchar_t *const s_runvo[] = {EXE, L"D:\\Old\\runvo.exe",
                                         L"\\\\server\\share\\Tools\\runvo.exe",
                                         L"C:\\Users\\me\\Apps\\renamed.exe"};
static const wchar_t *const s_mapped[][2] = {
    {L"M:\\Tools\\runvo.exe", L"\\\\server\\share\\Tools\\runvo.exe"},
    {L"T:\\runvo.exe", EXE},
};

template <size_t N>
static const wchar_t *Among(const wchar_t *path, const wchar_t *const (&paths)[N])
{
    for (const wchar_t *p : paths)
        if (wcscasecmp(path, p) == 0)
            return p;
    return NULL;
}

/* The file a path names, spelt as the test keeps it; NULL for none. */
static const wchar_t *FileOf(const wchar_t *path)
{
    for (const auto &m : s_mapped)
        if (wcscasecmp(path, m[0]) == 0)
            return m[1];
    return Among(path, s_there);
}

static bool FakeSameFile(const wchar_t *a, const wchar_t *b)
{
    return FileOf(a) && FileOf(a) == FileOf(b);
}

static bool FakeExists(const wchar_t *path)
{
    return FileOf(path) != NULL;
}

static bool FakeIsRunvo(const wchar_t *path)
{
    return FileOf(path) && Among(FileOf(path), s_runvo);
}

/* The drives that answer, by their letters in either case, as Windows
   takes them: C:, D: and E: are fixed; U: is a stick that was pulled; M: and
   N: are network drives (looking at them may wait), N:'s away. A UNC path, or one that is no
   full path (a variable not expanded), names no drive. */
static bool FakeDriveAnswers(const wchar_t *path)
{
    return path[0] && path[1] == L':' && wcschr(L"CDEcde", path[0]);
}

static const FileFacts s_facts = {FakeSameFile, FakeExists, FakeIsRunvo, FakeDriveAnswers};

/* Whose a place is, by the file it names. */
static void test_holders(void)
{
    static const struct {
        const wchar_t *program, *exe;
        Holder holder;
    } rows[] = {
        {L"", EXE, HOLDER_NONE},
        {EXE, EXE, HOLDER_THIS},
        {L"c:\\users\\ME\\tools\\RUNVO.EXE", EXE, HOLDER_THIS},
        {L"T:\\runvo.exe", EXE, HOLDER_THIS},
        {L"\\\\server\\share\\Tools\\runvo.exe", L"M:\\Tools\\runvo.exe", HOLDER_THIS},
        {L"D:\\Old\\runvo.exe", EXE, HOLDER_COPY},
        {L"C:\\Users\\me\\Apps\\renamed.exe", EXE, HOLDER_COPY},
        {L"E:\\Moved\\RUNVO.exe", EXE, HOLDER_MOVED}, /* no longer there */
        {L"e:\\moved\\runvo.exe", EXE, HOLDER_MOVED},
        {L"E:\\Moved\\other.exe", EXE, HOLDER_OTHER},
        {L"E:\\Moved\\runvo.ex", EXE, HOLDER_OTHER}, /* a name that only begins as this one */
        {L"E:\\Moved\\runvo.exe.old", EXE, HOLDER_OTHER},
        {L"E:\\Moved\\runvo.exe", L"C:\\Tools\\runvo.ex", HOLDER_OTHER},
        {L"U:\\Tools\\runvo.exe", EXE, HOLDER_OTHER}, /* its stick pulled: not known */
        {L"N:\\Tools\\runvo.exe", EXE, HOLDER_OTHER}, /* a network away, or slow */
        {L"\\\\server\\gone\\runvo.exe", EXE, HOLDER_OTHER},
        {L"%SystemDrive%\\other\\runvo.exe", EXE, HOLDER_OTHER}, /* not expanded */
        {L"C:\\Windows\\notepad.exe", EXE, HOLDER_OTHER},
        {L"C:\\Windows\\notepad.exe", L"C:\\Users\\me\\notepad.exe", HOLDER_OTHER},
    };
    for (const auto &row : rows) {
        Holder got = HolderOf(row.program, row.exe, &s_facts);
        ok(got == row.holder, "[%s] of [%s]: %d", Shown(row.program).c_str(),
           Shown(row.exe).c_str(), got);
    }
}

/* A place as read: there, with the program it starts. */
static PlaceRead Read(const wchar_t *name, const wchar_t *program, const wchar_t *startIn = L"",
                      bool arguments = false, bool readable = true)
{
    PlaceRead r = {true, readable, arguments, L"", L"", L""};
    wcscpy(r.name, name);
    wcscpy(r.program, program);
    wcscpy(r.startIn, startIn);
    return r;
}

static const PlaceRead NOTHING = {};
static const wchar_t LNK[] = L"C:\\Users\\me\\SendTo\\Runvo.lnk",
                     USER_KEY[] = L"HKEY_CURRENT_USER\\Software\\Classes\\Applications\\runvo.exe",
                     MACHINE_KEY[] =
                         L"HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\runvo.exe";

/* Send To's Runvo.lnk: set-up's only in the form set-up writes it. */
static void test_send_to_judged(void)
{
    static const struct {
        const char *what;
        PlaceRead read;
        Holder holder;
        const wchar_t *named;
    } rows[] = {
        {"none", NOTHING, HOLDER_NONE, L""},
        {"no shortcut", Read(LNK, L"", L"", false, false), HOLDER_OTHER, LNK},
        {"a shell item", Read(LNK, L""), HOLDER_OTHER, LNK},
        {"set-up's", Read(LNK, EXE, L"C:\\Users\\me\\Tools"), HOLDER_THIS, EXE},
        {"set-up's, Start in spelt otherwise", Read(LNK, EXE, L"c:\\users\\ME\\tools\\"),
         HOLDER_THIS, EXE},
        {"set-up's of old at a drive's root", Read(LNK, L"T:\\runvo.exe", L"T:"), HOLDER_THIS,
         L"T:\\runvo.exe"},
        {"with -n 1", Read(LNK, EXE, L"C:\\Users\\me\\Tools", true), HOLDER_YOURS, LNK},
        {"another Start in", Read(LNK, EXE, L"C:\\Users\\me\\Documents"), HOLDER_YOURS, LNK},
        {"no Start in", Read(LNK, EXE, L""), HOLDER_YOURS, LNK},
        {"a moved copy's", Read(LNK, L"E:\\Moved\\runvo.exe", L"E:\\Moved"), HOLDER_MOVED,
         L"E:\\Moved\\runvo.exe"},
        {"a moved copy's with options", Read(LNK, L"E:\\Moved\\runvo.exe", L"E:\\Moved", true),
         HOLDER_YOURS, LNK},
        {"another copy's", Read(LNK, L"D:\\Old\\runvo.exe", L"D:\\Old"), HOLDER_COPY,
         L"D:\\Old\\runvo.exe"},
        {"notepad with options", Read(LNK, L"C:\\Windows\\notepad.exe", L"", true), HOLDER_OTHER,
         L"C:\\Windows\\notepad.exe"},
    };
    for (const auto &row : rows) {
        PlacesRead read = {row.read, NOTHING, NOTHING};
        SetUpState places[PLACE_COUNT];
        JudgePlaces(SETUP_REMOVE, &read, EXE, &s_facts, places);
        const SetUpState &p = places[PLACE_SEND_TO];
        ok(p.holder == row.holder && wcscmp(p.program, row.named) == 0, "%s: %d [%s]", row.what,
           p.holder, Shown(p.program).c_str());
    }
}

/* Open with's keys: the user's, and on set-up the machine's, where it is
   another program's. */
static void test_open_with_judged(void)
{
    static const struct {
        const char *what;
        SetUpAction action;
        PlaceRead user, machine;
        Holder holder;
        const wchar_t *named;
    } rows[] = {
        {"none", SETUP_ADD, NOTHING, NOTHING, HOLDER_NONE, L""},
        {"set-up's", SETUP_ADD, Read(USER_KEY, EXE), NOTHING, HOLDER_THIS, EXE},
        {"a moved copy's", SETUP_REMOVE, Read(USER_KEY, L"E:\\Moved\\runvo.exe"), NOTHING,
         HOLDER_MOVED, L"E:\\Moved\\runvo.exe"},
        {"a key of no open command", SETUP_REMOVE, Read(USER_KEY, L"", L"", false, false), NOTHING,
         HOLDER_OTHER, USER_KEY},
        {"a command of no program", SETUP_ADD, Read(USER_KEY, L""), NOTHING, HOLDER_OTHER,
         USER_KEY},
        {"the machine's of no command", SETUP_ADD, Read(USER_KEY, EXE),
         Read(MACHINE_KEY, L"", L"", false, false), HOLDER_OTHER, MACHINE_KEY},
        {"the machine's of no command, on removal", SETUP_REMOVE, Read(USER_KEY, EXE),
         Read(MACHINE_KEY, L"", L"", false, false), HOLDER_THIS, EXE},
        {"the machine's, another copy's", SETUP_ADD, Read(USER_KEY, EXE),
         Read(MACHINE_KEY, L"D:\\Old\\runvo.exe"), HOLDER_THIS, EXE},
        {"the machine's, a moved one's", SETUP_ADD, NOTHING,
         Read(MACHINE_KEY, L"E:\\Moved\\runvo.exe"), HOLDER_OTHER, L"E:\\Moved\\runvo.exe"},
        {"the machine's, notepad", SETUP_ADD, NOTHING,
         Read(MACHINE_KEY, L"C:\\Windows\\notepad.exe"), HOLDER_OTHER, L"C:\\Windows\\notepad.exe"},
    };
    for (const auto &row : rows) {
        PlacesRead read = {NOTHING, row.user, row.machine};
        SetUpState places[PLACE_COUNT];
        JudgePlaces(row.action, &read, EXE, &s_facts, places);
        const SetUpState &p = places[PLACE_OPEN_WITH];
        ok(p.holder == row.holder && wcscmp(p.program, row.named) == 0, "%s: %d [%s]", row.what,
           p.holder, Shown(p.program).c_str());
    }
}

/* Send To's shortcut and Open with's key as a test keeps them: the
   program each starts, "" for nothing there; a write may fail. */
static std::wstring s_holds[PLACE_COUNT];
static SystemError s_writeFails;

static SystemError FakeWrite(SetUpPlace place, const wchar_t *target, const wchar_t *)
{
    if (!s_writeFails)
        s_holds[place] = target;
    return s_writeFails;
}

static SystemError FakeRemove(SetUpPlace place, const wchar_t *)
{
    s_holds[place] = L"";
    return 0;
}

/* What set-up and removal leave in each place, by what it held: this copy
   written anew, another copy's or a moved one's replaced, the rest left;
   only this copy's and a moved one's taken away. */
static void test_steps(void)
{
    static const PlaceWriter writer = {FakeWrite, FakeRemove};
    static const wchar_t OLD[] = L"D:\\Old\\runvo.exe", MOVED[] = L"E:\\Moved\\runvo.exe",
                         NOTEPAD[] = L"C:\\Windows\\notepad.exe";
    static const struct {
        SetUpAction action;
        const wchar_t *held; /* by both places */
        SystemError writeFails;
        const wchar_t *holds; /* then */
        bool changed;         /* Windows told that Open with changed */
    } rows[] = {
        {SETUP_ADD, L"", 0, EXE, true},
        {SETUP_ADD, EXE, 0, EXE, true},
        {SETUP_ADD, OLD, 0, EXE, true},
        {SETUP_ADD, MOVED, 0, EXE, true},
        {SETUP_ADD, NOTEPAD, 0, NOTEPAD, false},
        {SETUP_ADD, OLD, 5, OLD, true},
        {SETUP_REMOVE, L"", 0, L"", false},
        {SETUP_REMOVE, EXE, 0, L"", true},
        {SETUP_REMOVE, OLD, 0, OLD, false},
        {SETUP_REMOVE, MOVED, 0, L"", true},
        {SETUP_REMOVE, NOTEPAD, 0, NOTEPAD, false},
    };
    for (const auto &row : rows) {
        std::wstring folder = row.held;
        folder.resize(folder.rfind(L'\\') + 1); /* set-up's Start in */
        PlacesRead read = {NOTHING, NOTHING, NOTHING};
        if (row.held[0])
            read = {Read(LNK, row.held, folder.c_str()), Read(USER_KEY, row.held), NOTHING};
        SetUpState places[PLACE_COUNT];
        JudgePlaces(row.action, &read, EXE, &s_facts, places);
        s_holds[PLACE_SEND_TO] = s_holds[PLACE_OPEN_WITH] = row.held;
        s_writeFails = row.writeFails;
        bool changed = DoSetUpSteps(EXE, L"runvo.exe", places, &writer);
        for (int i = 0; i < PLACE_COUNT; i++)
            ok(s_holds[i] == row.holds && places[i].error == row.writeFails,
               "%s of [%s], place %d: [%s], error %lu",
               row.action == SETUP_ADD ? "set-up" : "removal", Shown(row.held).c_str(), i,
               Shown(s_holds[i]).c_str(), places[i].error);
        ok(changed == row.changed, "%s of [%s]: changed %d",
           row.action == SETUP_ADD ? "set-up" : "removal", Shown(row.held).c_str(), changed);
    }
}

/* The path set-up writes: a % in it would be filled in by the shell. */
static void test_set_up_path(void)
{
    static const NativeShortName shortNames[] = {
        {L"D:\\Tools\\a%2b\\runvo.exe", L"D:\\Tools\\A2B~1\\runvo.exe"},
        {L"D:\\Tools\\a%2b%\\runvo.exe", L"D:\\Tools\\a%2b%\\runvo.exe"},
        {NULL, NULL}};
    static const struct {
        const wchar_t *exe, *target; /* NULL: refused */
    } rows[] = {
        {EXE, EXE},
        {L"D:\\Tools\\a%2b\\runvo.exe", L"D:\\Tools\\A2B~1\\runvo.exe"},
        {L"D:\\Tools\\a%2b%\\runvo.exe", NULL}, /* its own short form */
        {L"D:\\100%\\runvo.exe", NULL},         /* short names off on the drive */
    };
    for (const auto &row : rows) {
        g_nativeLaunch = NativeLaunch{.shortNames = shortNames};
        wchar_t target[PATH_SIZE] = L"";
        bool got = SetUpPath(row.exe, target);
        ok(got == (row.target != NULL) && (!got || wcscmp(target, row.target) == 0),
           "[%s]: %d [%s]", Shown(row.exe).c_str(), got, Shown(target).c_str());
    }
}

/* A place as set-up found and left it. */
static SetUpState Place(const wchar_t *program, Holder holder, SetUpStep step,
                        unsigned long error = 0)
{
    SetUpState p = {L"", holder, step, error};
    wcscpy(p.program, program);
    return p;
}

/* The note, after each place met its step. */
static void test_notes(void)
{
    static const struct {
        const char *what;
        SetUpAction action;
        SetUpRefusal refusal;
        SetUpState sendTo, openWith;
        const wchar_t *begins;
        std::vector<std::wstring> says, saysNot;
        bool done;
    } rows[] = {
        {"added",
         SETUP_ADD,
         NOTHING_REFUSED,
         Place(L"", HOLDER_NONE, STEP_WRITE),
         Place(L"", HOLDER_NONE, STEP_WRITE),
         L"Runvo is in Send To and Open with now, for you alone:\nC:\\Users\\me\\Tools\\runvo.exe",
         {L"Show more options", L"More apps", L"Remove Runvo from Send To and Open with",
          L"\"C:\\Users\\me\\Tools\\runvo.exe\" --remove"},
         {L"another copy"},
         true},
        {"added again",
         SETUP_ADD,
         NOTHING_REFUSED,
         Place(EXE, HOLDER_THIS, STEP_WRITE),
         Place(EXE, HOLDER_THIS, STEP_WRITE),
         L"Runvo is in Send To",
         {},
         {L"another copy"},
         true},
        {"another copy, and a moved one",
         SETUP_ADD,
         NOTHING_REFUSED,
         Place(L"D:\\Old\\runvo.exe", HOLDER_COPY, STEP_REPLACE),
         Place(L"E:\\Moved\\runvo.exe", HOLDER_MOVED, STEP_REPLACE),
         L"Runvo is in Send To",
         {L"Send To started another copy of Runvo, D:\\Old\\runvo.exe. It starts this copy now.",
          L"Open with started a copy of Runvo that is no longer there, E:\\Moved\\runvo.exe. It "
          L"starts this copy now."},
         {},
         true},
        {"another program's",
         SETUP_ADD,
         NOTHING_REFUSED,
         Place(L"C:\\Users\\me\\SendTo\\Runvo.lnk", HOLDER_OTHER, STEP_LEAVE),
         Place(L"C:\\Windows\\notepad.exe", HOLDER_OTHER, STEP_LEAVE),
         L"Runvo was added to Send To and Open with only in part, or not at all:\nC:\\Users",
         {L"Send To holds a Runvo.lnk that does not start Runvo: C:\\Users\\me\\SendTo\\Runvo.lnk.",
          L"Open with already knows another program by this copy's file name: "
          L"C:\\Windows\\notepad.exe."},
         {L"Show more options"},
         false},
        {"not written",
         SETUP_ADD,
         NOTHING_REFUSED,
         Place(L"", HOLDER_NONE, STEP_WRITE),
         Place(L"", HOLDER_NONE, STEP_WRITE, 5),
         L"Runvo was added to Send To and Open with only in part, or not at all:\nC:\\Users",
         {L"Open with could not be changed. Windows says: Access is denied.", L"choose Add again"},
         {L"Show more options"},
         false},
        {"a % in the path",
         SETUP_ADD,
         REFUSED_PERCENT,
         Place(L"", HOLDER_NONE, STEP_WRITE),
         Place(L"", HOLDER_NONE, STEP_WRITE),
         L"Runvo was not added to Send To and Open with:\nC:\\Users\\me\\Tools\\runvo.exe",
         {L"holds a %", L"choose Add again"},
         {L"Show more options", L"could not be changed"},
         false},
        {"a temporary folder",
         SETUP_ADD,
         REFUSED_TEMPORARY,
         Place(L"", HOLDER_NONE, STEP_WRITE),
         Place(L"", HOLDER_NONE, STEP_WRITE),
         L"Runvo was not added to Send To and Open with: it runs from a temporary folder",
         {L"Extract All", L"C:\\Users\\me\\Tools\\runvo.exe"},
         {L"Show more options"},
         false},
        {"removed, a moved one too",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(EXE, HOLDER_THIS, STEP_DELETE),
         Place(L"E:\\Moved\\runvo.exe", HOLDER_MOVED, STEP_DELETE),
         L"Runvo is no longer in Send To and Open with:",
         {L"Open with started a copy of Runvo that is no longer there, E:\\Moved\\runvo.exe. It "
          L"was removed too."},
         {L"left as it is"},
         true},
        {"another copy's, another program's",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(L"D:\\Old\\runvo.exe", HOLDER_COPY, STEP_LEAVE),
         Place(L"C:\\Windows\\notepad.exe", HOLDER_OTHER, STEP_LEAVE),
         L"Nothing was removed",
         {L"Send To starts another copy of Runvo, D:\\Old\\runvo.exe. It was left as it is.",
          L"Open with starts another program, C:\\Windows\\notepad.exe. It was left as it is."},
         {},
         true},
        {"nothing there",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(L"", HOLDER_NONE, STEP_NONE),
         Place(L"", HOLDER_NONE, STEP_NONE),
         L"Nothing was removed",
         {},
         {L"left as it is"},
         true},
        {"not deleted",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(EXE, HOLDER_THIS, STEP_DELETE, 5),
         Place(L"", HOLDER_NONE, STEP_NONE),
         L"Runvo was removed from Send To and Open with only in part",
         {L"Send To could not be changed. Windows says: Access is denied.", L"choose Remove again"},
         {},
         false},
        {"removed from Send To alone",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(EXE, HOLDER_THIS, STEP_DELETE),
         Place(L"", HOLDER_NONE, STEP_NONE),
         L"Runvo is no longer in Send To and Open with:",
         {},
         {L"Nothing was removed"},
         true},
        {"removed from Open with alone",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(L"", HOLDER_NONE, STEP_NONE),
         Place(EXE, HOLDER_THIS, STEP_DELETE),
         L"Runvo is no longer in Send To and Open with:",
         {},
         {L"Nothing was removed"},
         true},
        {"a Runvo.lnk of the user's, on set-up",
         SETUP_ADD,
         NOTHING_REFUSED,
         Place(L"C:\\Users\\me\\SendTo\\Runvo.lnk", HOLDER_YOURS, STEP_LEAVE),
         Place(EXE, HOLDER_THIS, STEP_WRITE),
         L"Runvo was added to Send To and Open with only in part, or not at all:",
         {L"Send To holds a Runvo.lnk of your own, with options or another Start in folder: "
          L"C:\\Users\\me\\SendTo\\Runvo.lnk. Runvo left it as it is."},
         {},
         false},
        {"a Runvo.lnk of the user's, on removal",
         SETUP_REMOVE,
         NOTHING_REFUSED,
         Place(L"C:\\Users\\me\\SendTo\\Runvo.lnk", HOLDER_YOURS, STEP_LEAVE),
         Place(EXE, HOLDER_THIS, STEP_DELETE),
         L"Runvo is no longer in Send To and Open with:",
         {L"Send To holds a Runvo.lnk of your own, with options or another Start in folder: "
          L"C:\\Users\\me\\SendTo\\Runvo.lnk. It was left as it is."},
         {},
         true},
    };
    for (const auto &row : rows) {
        const SetUpState places[PLACE_COUNT] = {row.sendTo, row.openWith};
        const wchar_t *words[PLACE_COUNT] = {row.sendTo.error ? L"Access is denied." : NULL,
                                             row.openWith.error ? L"Access is denied." : NULL};
        wchar_t buf[SETUP_NOTE_SIZE];
        TextBuf t;
        PutSetUpNote(OutStart(&t, buf, SETUP_NOTE_SIZE), row.action, row.refusal, EXE, places,
                     words);
        std::wstring note = buf;
        ok(note.rfind(row.begins, 0) == 0, "%s: [%s]", row.what, Shown(note).c_str());
        for (const std::wstring &s : row.says)
            ok(note.find(s) != std::wstring::npos, "%s: no [%s]", row.what, Shown(s).c_str());
        for (const std::wstring &s : row.saysNot)
            ok(note.find(s) == std::wstring::npos, "%s: [%s]", row.what, Shown(s).c_str());
        bool done = row.refusal == NOTHING_REFUSED && SetUpDone(row.action, places);
        ok(done == row.done, "%s: done %d", row.what, done);
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
        Holder holder;
        SetUpStep step;
        unsigned long error;
    } rows[] = {
        {"both replaced", SETUP_ADD, HOLDER_MOVED, STEP_REPLACE, 0},
        {"both another program's", SETUP_ADD, HOLDER_OTHER, STEP_LEAVE, 0},
        {"both failed", SETUP_ADD, HOLDER_COPY, STEP_REPLACE, 5},
        {"both left", SETUP_REMOVE, HOLDER_OTHER, STEP_LEAVE, 0},
        {"both failed to go", SETUP_REMOVE, HOLDER_MOVED, STEP_DELETE, 5},
    };
    for (const auto &row : rows) {
        SetUpState places[PLACE_COUNT];
        for (SetUpState &p : places)
            p = Place(other.c_str(), row.holder, row.step, row.error);
        const wchar_t *said[PLACE_COUNT] = {words.c_str(), words.c_str()};
        std::vector<wchar_t> buf(SETUP_NOTE_SIZE);
        TextBuf t;
        PutSetUpNote(OutStart(&t, &buf[0], SETUP_NOTE_SIZE), row.action, NOTHING_REFUSED,
                     exe.c_str(), places, said);
        std::wstring note = &buf[0];
        ok(!t.truncated && note.find(row.error ? words : other) != std::wstring::npos,
           "%s: cut short at %lu characters", row.what, (unsigned long)t.len);
    }
}

int main()
{
    setlocale(LC_CTYPE, "C.UTF-8");
    test_holders();
    test_send_to_judged();
    test_open_with_judged();
    test_steps();
    test_set_up_path();
    test_notes();
    test_longest_notes();
    return TestSummary("setup");
}
