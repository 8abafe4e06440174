/*
 * Which icon a row keeps, shares or destroys.
 */
#include "ui/rowicon.h"

#include "launch/text.h"

#include <wchar.h>

void *DropIcon(RowIcon *icon)
{
    void *owned = icon->owned ? icon->handle : NULL;
    *icon = RowIcon{NULL, 0, false};
    return owned;
}

bool SharesLastIcon(const LastRow *last, const RowIcon *icon, const wchar_t *file, int size)
{
    return last->icon && last->icon != icon && last->icon->size == size &&
           wcscmp(last->file, file) == 0;
}

void RememberLastRow(LastRow *last, const RowIcon *icon, const wchar_t *file, const wchar_t *name)
{
    TextBuf t;
    PutText(OutStart(&t, last->file, PATH_SIZE), file);
    /* A file whose path does not fit is never shared. */
    last->icon = t.truncated ? NULL : icon;
    PutText(OutStart(&t, last->name, ROW_NAME_SIZE), name);
}

void ForgetRow(LastRow *last, const RowIcon *icon)
{
    if (last->icon == icon)
        last->icon = NULL;
}
