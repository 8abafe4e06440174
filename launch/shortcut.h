/*
 * Shortcuts (.lnk) as entries name them, the Start menu's above all: read
 * whole by the shell's own shortcut object (platform/shortcut.cpp, which
 * also resolves an installer's advertised shortcut), a shortcut starts its
 * target with its own arguments first, in its Start in folder as Windows
 * expands it. One to a document, a folder or a Store app starts nothing, as
 * does one whose arguments programs would read two ways. Its row shows the
 * shell's icon for it: the one it names, or its target's, under the arrow.
 */
#ifndef RUNVO_SHORTCUT_H
#define RUNVO_SHORTCUT_H

#include "launch/paths.h"
#include "launch/sizes.h"

/* How the shell's object read a shortcut. */
enum ShortcutRead {
    SHORTCUT_READ,
    SHORTCUT_UNREADABLE,
    SHORTCUT_TOO_LONG /* its arguments fill what any command line holds */
};

/* True for a shortcut (.lnk). */
bool IsShortcut(const wchar_t *path);

/* A shortcut's flags as its file holds them (the platform's own bits): one
   made by an installer, advertised, names the product's feature and
   component, not a file; one may also ask to run as administrator. */
typedef unsigned long ShortcutFlags;
const ShortcutFlags SHORTCUT_OF_INSTALLER = 0x1000, SHORTCUT_AS_ADMINISTRATOR = 0x2000;

/* The program a shortcut with these flags starts, into target (PATH_SIZE
   characters), which holds the path the shortcut names: that path; or, for
   an installer's advertised shortcut alone (its own flag says so, not any
   other), the file the installer gives through installed ("" where the
   feature is not on this PC), as that path is only its icon's. */
void ShortcutProgram(ShortcutFlags flags, const wchar_t *lnk, wchar_t *target,
                     void (*installed)(const wchar_t *lnk, wchar_t *target));

/* A shortcut as it starts its program: its target, its arguments, and its
   Start in folder as written and as Windows expands it ("" for none). */
struct ShortcutStart {
    wchar_t target[PATH_SIZE], args[COMMAND_LINE_SIZE], dir[PATH_SIZE], startIn[PATH_SIZE];
};

/* What a shortcut does as an entry's program. */
enum ShortcutUse {
    SHORTCUT_STARTS,         /* its target, a program's file */
    SHORTCUT_STARTS_NOTHING, /* a document's, a folder's, a Store app's, or unreadable */
    SHORTCUT_READS_TWO_WAYS, /* its arguments' quotes read two ways, or one is open */
    SHORTCUT_FILLS_ALL       /* its arguments fill what any command line holds */
};

/* Reads the shortcut lnk as it starts its program, into s. */
ShortcutUse ReadShortcutStart(const wchar_t *lnk, ShortcutStart *s);

/* Whether the file is a shortcut whose target, or the file it takes its
   icon from, lies where looking may wait, as waits says: its icon would be
   asked of that file. */
bool ShortcutMayWait(const wchar_t *lnk, bool (*waits)(const wchar_t *path));

#endif /* RUNVO_SHORTCUT_H */
