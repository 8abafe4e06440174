/*
 * A shortcut as an entry's program.
 */
#include "launch/shortcut.h"

#include "launch/arguments.h"
#include "launch/entry.h"
#include "platform/platform.h"

#include <wchar.h>

bool IsShortcut(const wchar_t *path)
{
    const wchar_t *ext = ExtensionOf(path);
    return ext && EqualCaseBlind(ext, L".lnk");
}

void ShortcutProgram(ShortcutFlags flags, const wchar_t *lnk, wchar_t *target,
                     void (*installed)(const wchar_t *lnk, wchar_t *target))
{
    if (flags & SHORTCUT_OF_INSTALLER)
        installed(lnk, target);
}

ShortcutUse ReadShortcutStart(const wchar_t *lnk, ShortcutStart *s)
{
    switch (ReadShortcut(lnk, s->target, s->args, s->dir)) {
    case SHORTCUT_UNREADABLE:
        return SHORTCUT_STARTS_NOTHING;
    case SHORTCUT_TOO_LONG:
        return SHORTCUT_FILLS_ALL;
    case SHORTCUT_READ:
        break;
    }
    if (!IsProgramFile(s->target))
        return SHORTCUT_STARTS_NOTHING;
    /* Its arguments must read one way, as an entry's must. */
    if (!QuotesReadOneWay(s->args))
        return SHORTCUT_READS_TWO_WAYS;
    TextBuf dir;
    ExpandEntry(OutStart(&dir, s->startIn, PATH_SIZE), s->dir, GetVariable, NULL, NULL);
    if (dir.truncated)
        wmemcpy(s->startIn, s->dir, PATH_SIZE);
    return SHORTCUT_STARTS;
}

bool ShortcutMayWait(const wchar_t *lnk, bool (*waits)(const wchar_t *path))
{
    wchar_t target[PATH_SIZE], dir[PATH_SIZE], icon[PATH_SIZE], iconFile[PATH_SIZE];
    if (!IsShortcut(lnk) || ReadShortcut(lnk, target, NULL, dir, icon) != SHORTCUT_READ)
        return false;
    /* The icon's file as the shell reads it: %SystemRoot% and its kin
       expanded. */
    TextBuf t;
    ExpandEntry(OutStart(&t, iconFile, PATH_SIZE), icon, GetVariable, NULL, NULL);
    return (target[0] && waits(target)) || (iconFile[0] && waits(t.truncated ? icon : iconFile));
}
