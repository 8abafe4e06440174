/*
 * Whose each place is, what set-up and removal do to it, and what the user
 * is told.
 */
#include "launch/setup.h"

#include "launch/paths.h"
#include "platform/platform.h"

#include <wchar.h>

static bool SameName(const wchar_t *a, const wchar_t *b)
{
    for (; *a && *b; a++, b++)
        if (UpperCase(*a) != UpperCase(*b))
            return false;
    return *a == *b;
}

Holder HolderOf(const wchar_t *program, const wchar_t *exe, const FileFacts *facts)
{
    if (!program[0])
        return HOLDER_NONE;
    if (facts->sameFile(program, exe))
        return HOLDER_THIS;
    if (facts->exists(program))
        return facts->isRunvo(program) ? HOLDER_COPY : HOLDER_OTHER;
    return SameName(FileNameOf(program), FileNameOf(exe)) ? HOLDER_MOVED : HOLDER_OTHER;
}

SetUpStep StepFor(SetUpAction action, Holder holder)
{
    static const struct {
        Holder holder;
        SetUpStep add, remove;
    } steps[] = {
        {HOLDER_NONE, STEP_WRITE, STEP_NONE},    {HOLDER_THIS, STEP_WRITE, STEP_DELETE},
        {HOLDER_COPY, STEP_REPLACE, STEP_LEAVE}, {HOLDER_MOVED, STEP_REPLACE, STEP_DELETE},
        {HOLDER_OTHER, STEP_LEAVE, STEP_LEAVE},
    };
    for (const auto &s : steps)
        if (s.holder == holder)
            return action == SETUP_ADD ? s.add : s.remove;
    return STEP_NONE;
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
        {SETUP_REMOVE, HOLDER_COPY, {IDS_PLACE_LEFT, IDS_PLACE_LEFT}},
        {SETUP_REMOVE, HOLDER_MOVED, {IDS_PLACE_MOVED_REMOVED, IDS_PLACE_MOVED_REMOVED}},
        {SETUP_REMOVE, HOLDER_OTHER, {IDS_PLACE_OTHER_LEFT, IDS_PLACE_OTHER_LEFT}},
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
        PutString(OutStart(&t, name, PLACE_NAME_SIZE), s_placeNames[i]);
        const wchar_t *inserts[3] = {name, p.error ? (words[i] ? words[i] : L"") : p.program, exe};
        StringId note = p.error ? IDS_PLACE_FAILED : PlaceNote(action, i, p.holder);
        if (note == IDS_NONE)
            continue;
        PutText(out, L"\n\n");
        PutString(out, note, inserts, 3);
    }
}

/* The note's first paragraph. */
static StringId Headline(SetUpAction action, SetUpRefusal refusal,
                         const SetUpState places[PLACE_COUNT])
{
    if (refusal != REFUSED_NOT)
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
    PutString(out, headline, exe);
    if (refusal != REFUSED_NOT)
        return; /* nothing was written */
    if (headline == IDS_ADDED) {
        PutText(out, L"\n\n");
        PutString(out, IDS_WHERE_TO_FIND, exe);
    }
    PutExceptions(out, action, exe, places, words);
}
