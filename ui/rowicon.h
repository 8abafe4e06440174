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

/* Loads the icon of a row at size; NULL for none. */
typedef void *(*IconLoad)(const void *row, int size);

/* Shows a row at size (0: its name alone, the icon kept as it is): where
   the row shows file (NULL for none: its program is missing), the last
   row's icon where that showed the same file at that size, else the one
   load makes for row. A row that shows a file becomes the last row, with
   its name. Returns the icon that the row had at another size, for the
   caller to destroy: NULL for none, and for one it shared. */
void *ShowRowIcon(LastRow *last, RowIcon *icon, const wchar_t *file, const wchar_t *name, int size,
                  IconLoad load, const void *row);

/* A row that goes away: the last row is no longer it. Returns its own
   icon, for the caller to destroy (NULL for none, or one it shared). */
void *ForgetRowIcon(LastRow *last, RowIcon *icon);

#endif /* RUNVO_ROWICON_H */
