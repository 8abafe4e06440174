/*
 * Which icon a row of the chooser keeps, portable: a row whose program is
 * the row before's shares its icon (one program with other options on the
 * next line, as lists hold them), and an icon that a move to a monitor of
 * another DPI replaces is destroyed by the row that loaded it, once, never
 * by a row that shares it. Icons are the platform's handles, opaque here.
 */
#ifndef RUNVO_ROWICON_H
#define RUNVO_ROWICON_H

#include "launch/sizes.h"

/* A row's icon, as last loaded. */
struct RowIcon {
    void *handle; /* NULL for none */
    int size;     /* the size it was loaded at; 0 before it was */
    bool owned;   /* loaded by this row, not shared */
};

/* The row last loaded, the file it showed and the name it showed it by:
   the next row that shows the same file shares its icon and its name. */
struct LastRow {
    const RowIcon *icon;
    wchar_t file[PATH_SIZE], name[ROW_NAME_SIZE];
};

/* Takes the row's icon away before it is loaded anew: the handle to
   destroy, the row's own, or NULL for none or for one it shares. */
void *DropIcon(RowIcon *icon);

/* Whether the row, about to show file at size, shares the last row's icon:
   another row that showed the same file at that size. */
bool SharesLastIcon(const LastRow *last, const RowIcon *icon, const wchar_t *file, int size);

/* The row becomes the last row: its icon, the file it shows and its
   name. */
void RememberLastRow(LastRow *last, const RowIcon *icon, const wchar_t *file, const wchar_t *name);

/* A row that goes away: the last row is no longer it. */
void ForgetRow(LastRow *last, const RowIcon *icon);

#endif /* RUNVO_ROWICON_H */
