/*
 * Whose each place is, what set-up and removal do to it, and what the user
 * is told.
 */
#include "launch/setup.h"

#include "launch/paths.h"
#include "platform/platform.h"

#include <wchar.h>

Holder HolderOf(const wchar_t *program, const wchar_t *exe, const FileFacts *facts)
{
    if (!program[0])
        return HOLDER_NONE;
    if (facts->sameFile(program, exe))
        return HOLDER_THIS;
    if (facts->exists(program))
        return facts->isRunvo(program) ? HOLDER_COPY : HOLDER_OTHER;
    return EqualCaseBlind(FileNameOf(program), FileNameOf(exe)) && facts->driveAnswers(program)
               ? HOLDER_MOVED
               : HOLDER_OTHER;
}

/* Two folders as one, case-blind, with or without a last separator (set-up
   once wrote a drive's root as C:). */
static bool SameFolder(const wchar_t *a, const wchar_t *b)
{
    size_t na = wcslen(a), nb = wcslen(b);
    na -= na > 0 && IsPathSeparator(a[na - 1]);
    nb -= nb > 0 && IsPathSeparator(b[nb - 1]);
    return na == nb && SameCaseBlind(a, b, na);
}

/* Whose a place is by what it holds (a shortcut: also by its form); into
   state, what the note names. */
static Holder JudgePlace(const PlaceRead *read, bool shortcut, const wchar_t *exe,
                         const FileFacts *facts, SetUpState *state)
{
    wchar_t folder[PATH_SIZE];
    /* No shortcut, one to no file, a key of no command: another program's. */
    Holder holder = !read->there                           ? HOLDER_NONE
                    : !read->readable || !read->program[0] ? HOLDER_OTHER
                                                           : HolderOf(read->program, exe, facts);
    bool runvo = holder == HOLDER_THIS || holder == HOLDER_COPY || holder == HOLDER_MOVED;
    if (shortcut && runvo &&
        (read->arguments || !FolderOf(read->program, folder) || !SameFolder(read->startIn, folder)))
        holder = HOLDER_YOURS; /* not in set-up's form: the user made it */
    bool byName = holder == HOLDER_YOURS || (holder == HOLDER_OTHER && !read->program[0]);
    wcscpy(state->program, holder == HOLDER_NONE ? L"" : byName ? read->name : read->program);
    return holder;
}

/* The step for a place of this holder. */
static SetUpStep StepFor(SetUpAction action, Holder holder)
{
    static const struct {
        Holder holder;
        SetUpStep add, remove;
    } steps[] = {
        {HOLDER_NONE, STEP_WRITE, STEP_NONE},    {HOLDER_THIS, STEP_WRITE, STEP_DELETE},
        {HOLDER_COPY, STEP_REPLACE, STEP_LEAVE}, {HOLDER_MOVED, STEP_REPLACE, STEP_DELETE},
        {HOLDER_YOURS, STEP_LEAVE, STEP_LEAVE},  {HOLDER_OTHER, STEP_LEAVE, STEP_LEAVE},
    };
    for (const auto &s : steps)
        if (s.holder == holder)
            return action == SETUP_ADD ? s.add : s.remove;
    return STEP_NONE;
}

void JudgePlaces(SetUpAction action, const PlacesRead *read, const wchar_t *exe,
                 const FileFacts *facts, SetUpState places[PLACE_COUNT])
{
    SetUpState &sendTo = places[PLACE_SEND_TO], &openWith = places[PLACE_OPEN_WITH];
    sendTo.holder = JudgePlace(&read->sendTo, true, exe, facts, &sendTo);
    openWith.holder = JudgePlace(&read->userKey, false, exe, facts, &openWith);
    if (action == SETUP_ADD) {
        /* An administrator's set-up of Runvo for every user is Runvo's;
           the machine's key of any other program stands in the way. */
        SetUpState machine;
        Holder h = JudgePlace(&read->machineKey, false, exe, facts, &machine);
        if (h != HOLDER_NONE && h != HOLDER_THIS && h != HOLDER_COPY) {
            wcscpy(openWith.program, machine.program);
            openWith.holder = HOLDER_OTHER;
        }
    }
    for (int i = 0; i < PLACE_COUNT; i++) {
        places[i].step = StepFor(action, places[i].holder);
        places[i].error = 0;
    }
}

bool DoSetUpSteps(const wchar_t *target, const wchar_t *exeName, SetUpState places[PLACE_COUNT],
                  const PlaceWriter *writer)
{
    bool changed = false;
    for (int i = 0; i < PLACE_COUNT; i++) {
        SetUpState &p = places[i];
        SetUpPlace place = static_cast<SetUpPlace>(i);
        if (p.step == STEP_WRITE || p.step == STEP_REPLACE)
            p.error = writer->write(place, target, exeName);
        else if (p.step == STEP_DELETE)
            p.error = writer->remove(place, exeName);
        changed = changed || (p.step != STEP_NONE && p.step != STEP_LEAVE);
    }
    return changed;
}

bool SetUpPath(const wchar_t *exe, wchar_t *target)
{
    if (!wcschr(exe, L'%')) {
        wcscpy(target, exe);
        return true;
    }
    return ShortName(exe, target) && !wcschr(target, L'%');
}

void PutOpenWithCommand(TextBuf *out, const wchar_t *target)
{
    PutChar(out, L'"');
    PutText(out, target);
    PutText(out, L"\" \"%1\"");
}

bool SetUpDone(SetUpAction action, const SetUpState places[PLACE_COUNT])
{
    for (int i = 0; i < PLACE_COUNT; i++)
        if (places[i].error || (action == SETUP_ADD && places[i].step == STEP_LEAVE))
            return false;
    return true;
}

static const StringId s_placeNames[PLACE_COUNT] = {IDS_SEND_TO, IDS_OPEN_WITH};

/* What the note says of a place that was not simply written or deleted
   for this copy. */
static StringId PlaceNote(SetUpAction action, int place, Holder holder)
{
    static const struct {
        SetUpAction action;
        Holder holder;
        StringId note[PLACE_COUNT]; /* Send To's, Open with's */
    } notes[] = {
        {SETUP_ADD, HOLDER_COPY, {IDS_PLACE_REPLACED, IDS_PLACE_REPLACED}},
        {SETUP_ADD, HOLDER_MOVED, {IDS_PLACE_REPLACED_MOVED, IDS_PLACE_REPLACED_MOVED}},
        {SETUP_ADD, HOLDER_OTHER, {IDS_SEND_TO_OTHER, IDS_OPEN_WITH_OTHER}},
        {SETUP_ADD, HOLDER_YOURS, {IDS_SEND_TO_YOURS, IDS_NONE}},
        {SETUP_REMOVE, HOLDER_COPY, {IDS_PLACE_LEFT, IDS_PLACE_LEFT}},
        {SETUP_REMOVE, HOLDER_MOVED, {IDS_PLACE_MOVED_REMOVED, IDS_PLACE_MOVED_REMOVED}},
        {SETUP_REMOVE, HOLDER_OTHER, {IDS_PLACE_OTHER_LEFT, IDS_PLACE_OTHER_LEFT}},
        {SETUP_REMOVE, HOLDER_YOURS, {IDS_SEND_TO_YOURS_LEFT, IDS_NONE}},
    };
    for (const auto &n : notes)
        if (n.action == action && n.holder == holder)
            return n.note[place];
    return IDS_NONE;
}

/* What befell the places that were not simply this copy's, or failed: a
   paragraph each. */
static void PutExceptions(TextBuf *out, SetUpAction action, const wchar_t *exe,
                          const SetUpState places[PLACE_COUNT],
                          const wchar_t *const words[PLACE_COUNT])
{
    wchar_t name[PLACE_NAME_SIZE];
    for (int i = 0; i < PLACE_COUNT; i++) {
        const SetUpState &p = places[i];
        TextBuf t;
        PutOwnText(OutStart(&t, name, PLACE_NAME_SIZE), s_placeNames[i]);
        const wchar_t *inserts[3] = {name, p.error ? (words[i] ? words[i] : L"") : p.program, exe};
        StringId note = p.error ? IDS_PLACE_FAILED : PlaceNote(action, i, p.holder);
        if (note == IDS_NONE)
            continue;
        PutText(out, L"\n\n");
        PutOwnText(out, note, inserts, 3);
    }
}

/* The note's first paragraph. */
static StringId Headline(SetUpAction action, SetUpRefusal refusal,
                         const SetUpState places[PLACE_COUNT])
{
    if (refusal != NOTHING_REFUSED)
        return refusal == REFUSED_PERCENT ? IDS_REFUSED_PERCENT : IDS_REFUSED_TEMPORARY;
    bool removed = false;
    for (int i = 0; i < PLACE_COUNT; i++)
        removed = removed || places[i].step == STEP_DELETE;
    if (!SetUpDone(action, places))
        return action == SETUP_ADD ? IDS_NOT_ADDED : IDS_NOT_REMOVED;
    if (action == SETUP_ADD)
        return IDS_ADDED;
    return removed ? IDS_REMOVED : IDS_NOTHING_REMOVED;
}

void PutSetUpNote(TextBuf *out, SetUpAction action, SetUpRefusal refusal, const wchar_t *exe,
                  const SetUpState places[PLACE_COUNT], const wchar_t *const words[PLACE_COUNT])
{
    StringId headline = Headline(action, refusal, places);
    PutOwnText(out, headline, exe);
    if (refusal != NOTHING_REFUSED)
        return; /* nothing was written */
    if (headline == IDS_ADDED) {
        PutText(out, L"\n\n");
        PutOwnText(out, IDS_WHERE_TO_FIND, exe);
    }
    PutExceptions(out, action, exe, places, words);
}
