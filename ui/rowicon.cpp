/*
 * Which icon a row keeps, shares or destroys.
 */
#include "ui/rowicon.h"

#include "launch/text.h"

#include <wchar.h>

/* Takes the row's icon away: the row's own, to destroy, or NULL for none
   or for one it shares. */
static void *DropIcon(RowIcon *icon)
{
    void *owned = icon->owned ? icon->handle : NULL;
    *icon = RowIcon{NULL, 0, false};
    return owned;
}

/* Whether the row, about to show file at size, shares the last row's icon:
   another row that showed the same file at that size. */
static bool SharesLastIcon(const LastRow *last, const RowIcon *icon, const wchar_t *file, int size)
{
    return last->icon && last->icon != icon && last->icon->size == size &&
           wcscmp(last->file, file) == 0;
}

void *ShowRowIcon(LastRow *last, RowIcon *icon, const wchar_t *file, const wchar_t *name, int size,
                  IconLoad load, const void *row)
{
    void *replaced = NULL;
    if (size) {
        replaced = DropIcon(icon);
        icon->size = size; /* tried at this size, even where none is had */
    }
    if (!file)
        return replaced;
    if (size && SharesLastIcon(last, icon, file, size))
        *icon = RowIcon{last->icon->handle, size, false};
    else if (size)
        *icon = RowIcon{load(row, size), size, true};
    TextBuf t;
    PutText(OutStart(&t, last->file, PATH_SIZE), file);
    /* A file whose path does not fit is never shared. */
    last->icon = t.truncated ? NULL : icon;
    PutText(OutStart(&t, last->name, ROW_NAME_SIZE), name);
    return replaced;
}

void *ForgetRowIcon(LastRow *last, RowIcon *icon)
{
    if (last->icon == icon)
        last->icon = NULL;
    return DropIcon(icon);
}
