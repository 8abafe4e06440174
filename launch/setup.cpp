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

const char g_szSetUpItem[] = "Add Runvo to Send To and Open with",
           g_szRemoveItem[] = "Remove Runvo from Send To and Open with",
           g_szEditListItem[] = "Edit the program list";

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
    PutAscii(out, "\" \"%1\"");
}

bool SetUpDone(const SetUpState places[PLACE_COUNT])
{
    for (int i = 0; i < PLACE_COUNT; i++)
        if (places[i].error)
            return false;
    return true;
}

static const char *const s_placeNames[PLACE_COUNT] = {"Send To", "Open with"};

/* Where to find Runvo once it is added, and how to undo it. */
static void PutWhereToFind(TextBuf *out)
{
    PutAscii(out, "Runvo is in Send To and Open with now, for you alone.\n\n"
                  "Send To: right-click a file, Send to, Runvo (Windows 11: Show more "
                  "options first).\n"
                  "Open with: right-click a file, Open with, Choose another app (Windows 10: "
                  "More apps), Runvo.\n\n"
                  "To undo it: \"");
    PutAscii(out, g_szRemoveItem);
    PutAscii(out, "\" in the menu of the chooser's title bar, or runvo.exe --remove.");
}

/* What befell the places that were not this copy's, or failed. */
static void PutExceptions(TextBuf *out, const SetUpState places[PLACE_COUNT],
                          const wchar_t *const words[PLACE_COUNT])
{
    for (int i = 0; i < PLACE_COUNT; i++) {
        const SetUpState &p = places[i];
        if (p.error) {
            PutAscii(out, "\n\nNot done: ");
            PutAscii(out, s_placeNames[i]);
            PutAscii(out, ": ");
            if (words[i])
                PutText(out, words[i]);
        } else if (p.step == STEP_LEAVE || p.step == STEP_REPLACE) {
            PutAscii(out, p.step == STEP_LEAVE ? "\n\nLeft alone: " : "\n\nReplaced: ");
            PutAscii(out, s_placeNames[i]);
            PutAscii(out, " of another copy, ");
            PutText(out, p.program);
        }
    }
}

void PutSetUpNote(TextBuf *out, SetUpAction action, const SetUpState places[PLACE_COUNT],
                  const wchar_t *const words[PLACE_COUNT])
{
    bool removed = false;
    for (int i = 0; i < PLACE_COUNT; i++)
        removed = removed || places[i].step == STEP_DELETE;
    if (!SetUpDone(places)) {
        PutAscii(out, "Runvo could not be ");
        PutAscii(out, action == SETUP_ADD ? "added to" : "removed from");
        PutAscii(out, " Send To and Open with in full.");
    } else if (action == SETUP_ADD) {
        PutWhereToFind(out);
    } else if (removed) {
        PutAscii(out, "Runvo is no longer in Send To and Open with.");
    } else {
        PutAscii(out, "Nothing removed: this copy of Runvo was not in Send To or Open with.");
    }
    PutExceptions(out, places, words);
}
