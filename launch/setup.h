/*
 * Set-up and its undo, for the current user alone and without administrator
 * rights: Runvo.lnk in the user's Send To folder, and the keys by which Open
 * with offers this program for every file type. Each place is read first:
 * set-up puts this runvo.exe there, in place of another copy's (a folder
 * moved), and names what it replaced; removal takes away only what points at
 * this one, and names another copy's, which it leaves. Nothing of these
 * places is read when the launcher starts, and nothing of them changes how
 * it launches.
 */
#ifndef RUNVO_SETUP_H
#define RUNVO_SETUP_H

#include "launch/sizes.h"
#include "launch/text.h"

enum SetUpAction { SETUP_ADD, SETUP_REMOVE };

/* The two places, in the order they are written. */
enum SetUpPlace : int { PLACE_SEND_TO, PLACE_OPEN_WITH, PLACE_COUNT };

/* What a place does on an action: written (nothing there, or this one's,
   written anew), written in place of another copy's, deleted (this
   one's), left (another copy's, on removal), or nothing at all (empty, on
   removal). */
enum SetUpStep { STEP_NONE, STEP_WRITE, STEP_REPLACE, STEP_DELETE, STEP_LEAVE };

/* One place: the program it starts now ("" for none), and what befell it. */
struct SetUpState {
    wchar_t program[PATH_SIZE];
    SetUpStep step;
    unsigned long error; /* the system's error number, 0 when done */
};

/* The step for a place that starts program ("" for none). */
SetUpStep StepFor(SetUpAction action, const wchar_t *program, const wchar_t *exe);

/* Whether two paths name the same file as Windows compares names: case
   aside. */
bool SamePath(const wchar_t *a, const wchar_t *b);

/* The command by which Open with starts exe with a document. */
void PutOpenWithCommand(TextBuf *out, const wchar_t *exe);

/* Whether an action did all it had to: no step failed. */
bool SetUpDone(const SetUpState places[PLACE_COUNT]);

/* What the user is told of this copy, exe: what was added or removed,
   where to find it on Windows 10 and 11, how to undo it; what was replaced
   or left, and what could not be done, with words (the system's, for each
   place's error; NULL for none). SETUP_NOTE_SIZE holds the longest. */
void PutSetUpNote(TextBuf *out, SetUpAction action, const wchar_t *exe,
                  const SetUpState places[PLACE_COUNT], const wchar_t *const words[PLACE_COUNT]);

#endif /* RUNVO_SETUP_H */
