/*
 * How the chooser names its rows and answers keys, apart from drawing them:
 * the name shown for a program's file where its version information gives
 * none (the file's name without its extension, as the Start menu shows a
 * shortcut), the entry's own arguments shown after it, the row that a digit
 * starts (1 is the first entry, the line that -n 1 starts), and the row that
 * typing a character selects (the next whose name begins with it).
 */
#ifndef RUNVO_ROWNAME_H
#define RUNVO_ROWNAME_H

#include <stddef.h>

/* The file's name without its folder and its extension, into name (size
   characters, truncated to fit). */
void FileShownName(const wchar_t *file, wchar_t *name, size_t size);

/* The name an entry shows before its program is looked at: its program's
   file name, its variables expanded. */
void EntryShownName(const wchar_t *entry, wchar_t *name, size_t size);

/* The entry's own arguments as shown after its name: past the blanks that
   part them from the program; "" for none. */
const wchar_t *EntryShownArguments(const wchar_t *entry);

/* The row that key starts among rows rows: '1' to '9' for the first nine,
   -1 for any other key or a row past the last. */
int DigitRow(wchar_t key, int rows);

/* A row's shown name, into name (size characters). */
typedef void (*RowNameFn)(void *context, int row, wchar_t *name, size_t size);

/* The first row after current (-1: before the first), going round, whose
   name begins with key, case-blind; -1 when none does. */
int NextRowByName(wchar_t key, int current, int rows, RowNameFn name, void *context);

#endif /* RUNVO_ROWNAME_H */
