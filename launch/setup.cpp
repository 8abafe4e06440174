/*
 * What set-up and removal do to each place, and what the user is told.
 */
#include "launch/setup.h"

#include "platform/platform.h"

#include <wchar.h>

bool SamePath(const wchar_t *a, const wchar_t *b)
{
    for (; *a && *b; a++, b++)
        if (UpperCase(*a) != UpperCase(*b))
            return false;
    return *a == *b;
}

SetUpStep StepFor(SetUpAction action, const wchar_t *program, const wchar_t *exe)
{
    bool ours = !program[0] || SamePath(program, exe);
    if (action == SETUP_ADD)
        return ours ? STEP_WRITE : STEP_REPLACE;
    if (!program[0])
        return STEP_NONE;
    return ours ? STEP_DELETE : STEP_LEAVE;
}

void PutOpenWithCommand(TextBuf *out, const wchar_t *exe)
{
    PutChar(out, L'"');
    PutText(out, exe);
    PutText(out, L"\" \"%1\"");
}

bool SetUpDone(const SetUpState places[PLACE_COUNT])
{
    for (int i = 0; i < PLACE_COUNT; i++)
        if (places[i].error)
            return false;
    return true;
}

static const StringId s_placeNames[PLACE_COUNT] = {IDS_SEND_TO, IDS_OPEN_WITH};

/* A place's name, loaded into name (PLACE_NAME_SIZE characters). */
static const wchar_t *PlaceName(int place, wchar_t *name)
{
    TextBuf t;
    PutString(OutStart(&t, name, PLACE_NAME_SIZE), s_placeNames[place]);
    return name;
}

/* What befell the places that were not this copy's, or failed: a
   paragraph each. */
static void PutExceptions(TextBuf *out, const SetUpState places[PLACE_COUNT],
                          const wchar_t *const words[PLACE_COUNT])
{
    wchar_t name[PLACE_NAME_SIZE];
    for (int i = 0; i < PLACE_COUNT; i++) {
        const SetUpState &p = places[i];
        const wchar_t *inserts[2] = {PlaceName(i, name), p.program};
        if (p.error) {
            inserts[1] = words[i] ? words[i] : L"";
            PutText(out, L"\n\n");
            PutString(out, IDS_PLACE_FAILED, inserts, 2);
        } else if (p.step == STEP_LEAVE || p.step == STEP_REPLACE) {
            PutText(out, L"\n\n");
            PutString(out, p.step == STEP_LEAVE ? IDS_PLACE_LEFT : IDS_PLACE_REPLACED, inserts, 2);
        }
    }
}

/* The note's first paragraph: what was done to this copy, exe. */
static StringId Headline(SetUpAction action, const SetUpState places[PLACE_COUNT])
{
    bool removed = false;
    for (int i = 0; i < PLACE_COUNT; i++)
        removed = removed || places[i].step == STEP_DELETE;
    if (!SetUpDone(places))
        return action == SETUP_ADD ? IDS_NOT_ADDED : IDS_NOT_REMOVED;
    if (action == SETUP_ADD)
        return IDS_ADDED;
    return removed ? IDS_REMOVED : IDS_NOTHING_REMOVED;
}

void PutSetUpNote(TextBuf *out, SetUpAction action, const wchar_t *exe,
                  const SetUpState places[PLACE_COUNT], const wchar_t *const words[PLACE_COUNT])
{
    StringId headline = Headline(action, places);
    PutString(out, headline, exe);
    if (headline == IDS_ADDED) {
        PutText(out, L"\n\n");
        PutString(out, IDS_WHERE_TO_FIND, exe);
    }
    PutExceptions(out, places, words);
}
