/*
 * Set-up and its undo, for the current user alone and without administrator
 * rights: Runvo.lnk in the user's Send To folder, and the keys by which Open
 * with offers this program for every file type. Each place is read first,
 * and what it holds is judged by the file it names, not by how its path is
 * spelt: this copy; another copy of Runvo (its version information says
 * so); a copy of this name that is no longer there (its folder moved); a
 * Runvo.lnk the user made; or another program. Set-up puts this copy in
 * place of another copy's or a moved one's, and leaves the user's and
 * another program's alone; removal takes only what set-up wrote for this
 * copy (or a moved one), and leaves the rest. Nothing
 * of these places is read when the launcher starts, and nothing of them
 * changes how it launches.
 */
#ifndef RUNVO_SETUP_H
#define RUNVO_SETUP_H

#include "launch/sizes.h"
#include "launch/text.h"
#include "platform/platform.h"

enum SetUpAction { SETUP_ADD, SETUP_REMOVE };

/* The two places, in the order they are written. */
enum SetUpPlace { PLACE_SEND_TO, PLACE_OPEN_WITH, PLACE_COUNT };

/* Whose a place is. */
enum Holder {
    HOLDER_NONE,  /* nothing there */
    HOLDER_THIS,  /* this copy */
    HOLDER_COPY,  /* another copy of Runvo */
    HOLDER_MOVED, /* a copy of this name that is no longer there */
    HOLDER_YOURS, /* a Runvo.lnk the user made: options, or another Start in */
    HOLDER_OTHER  /* another program, or a file there that is no shortcut */
};

/* What a place does on an action: written (nothing there, or this copy's,
   written anew), written in place of another copy's or a moved one's,
   deleted, left as it is, or nothing at all (empty, on removal). */
enum SetUpStep { STEP_NONE, STEP_WRITE, STEP_REPLACE, STEP_DELETE, STEP_LEAVE };

/* Why set-up writes nothing at all. */
enum SetUpRefusal {
    NOTHING_REFUSED,
    REFUSED_PERCENT,  /* the copy's path, and its short form, hold a % */
    REFUSED_TEMPORARY /* the copy is in a temporary folder */
};

/* A place as the platform read it, before it is judged: Send To's
   Runvo.lnk, or an Applications key of Open with. */
struct PlaceRead {
    bool there;                 /* a file or a key of that name is there */
    bool readable;              /* it reads as a shortcut, or as a key with an open command */
    bool arguments;             /* a shortcut that gives its program arguments */
    wchar_t program[PATH_SIZE]; /* the program it starts, variables expanded; "" for none */
    wchar_t startIn[PATH_SIZE]; /* a shortcut's Start in folder, "" for none */
    wchar_t name[PATH_SIZE];    /* the place itself: the shortcut's path, the key's */
};

/* The places as read: Send To's shortcut, the user's Open with key, and
   the machine's own key of this name (read on set-up alone). */
struct PlacesRead {
    PlaceRead sendTo, userKey, machineKey;
};

/* One place, judged: what the note names (the program it starts, or the
   place itself), whose it is, and what befell it. */
struct SetUpState {
    wchar_t program[PATH_SIZE];
    Holder holder;
    SetUpStep step;
    SystemError error; /* the system's error number, 0 when done */
};

/* What judging a place asks of the files it names. */
struct FileFacts {
    bool (*sameFile)(const wchar_t *a, const wchar_t *b); /* one file, however spelt */
    bool (*exists)(const wchar_t *path);
    bool (*isRunvo)(const wchar_t *path); /* its version information says so */
    /* The path's drive answers: its root is there, and looking at it waits
       on no network, disc or stick. */
    bool (*driveAnswers)(const wchar_t *path);
};

/* Whose the program is, where exe is this copy. A missing file is a moved
   copy only where its drive answers: an unplugged stick or a network that
   is away says nothing of the file. */
Holder HolderOf(const wchar_t *program, const wchar_t *exe, const FileFacts *facts);

/* Whose each place is, and its step on the action, into places: Send To
   by its shortcut, which is set-up's only in the form set-up writes (no
   arguments, Start in its program's folder); Open with by the user's key,
   or by the machine's where that is there and not Runvo's. A shortcut or a
   key that reads as no program is another program's. */
void JudgePlaces(SetUpAction action, const PlacesRead *read, const wchar_t *exe,
                 const FileFacts *facts, SetUpState places[PLACE_COUNT]);

/* What doing the steps asks of the platform: a place written for target
   (this copy's path, exeName its file name), or deleted; each gives the
   system's error number, 0 when done. */
struct PlaceWriter {
    SystemError (*write)(SetUpPlace place, const wchar_t *target, const wchar_t *exeName);
    SystemError (*remove)(SetUpPlace place, const wchar_t *exeName);
};

/* Does each judged place's step: written or written anew for target,
   deleted, or left; each place's error into it. True when anything was
   written or deleted (Windows is then told that Open with changed). */
bool DoSetUpSteps(const wchar_t *target, const wchar_t *exeName, SetUpState places[PLACE_COUNT],
                  const PlaceWriter *writer);

/* The path that set-up writes for this copy, exe, into target (PATH_SIZE
   characters): exe itself, or its short form where exe holds a %, which
   the shell fills in wherever it stands in an Open with command (quotes do
   not stop it) and a shortcut's target expands. False when the short form
   holds one too, or there is none. */
bool SetUpPath(const wchar_t *exe, wchar_t *target);

/* The command by which Open with starts target with a document. */
void PutOpenWithCommand(TextBuf *out, const wchar_t *target);

/* Whether an action did all it had to: no step failed, and set-up left no
   place to another program. */
bool SetUpDone(SetUpAction action, const SetUpState places[PLACE_COUNT]);

/* What the user is told of this copy, exe: what was added or removed, where
   to find it on Windows 10 and 11, how to undo it; what was replaced or
   left, and what could not be done, with words (the system's, for each
   place's error; NULL for none); or why nothing was written. SETUP_NOTE_SIZE
   holds the longest. */
void PutSetUpNote(TextBuf *out, SetUpAction action, SetUpRefusal refusal, const wchar_t *exe,
                  const SetUpState places[PLACE_COUNT], const wchar_t *const words[PLACE_COUNT]);

#endif /* RUNVO_SETUP_H */
