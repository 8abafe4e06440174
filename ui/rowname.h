/*
 * How the chooser names its rows and answers keys, apart from drawing them:
 * the name shown for a program's file where its version information gives
 * none (the file's name without its extension, as the Start menu shows a
 * shortcut), the entry's own arguments shown after it, the row that a digit
 * starts (1 is the first entry, the line that -n 1 starts), the row that
 * typing a character selects (the next whose name begins with it, found
 * while names not yet known are loaded), and what a screen reader says of a
 * row.
 */
#ifndef RUNVO_ROWNAME_H
#define RUNVO_ROWNAME_H

#include "launch/text.h"

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

/* The rows that show a digit, the key that starts them: 1 to 9. */
enum { DIGIT_ROWS = 9 };

/* The digit the row shows, its key ('1' for the first row), into digit (2
   characters); false for a row that shows none. */
bool RowDigit(int row, wchar_t *digit);

/* Whether the key is a row's digit, '1' to '9'. */
inline bool IsDigitKey(wchar_t key)
{
    return key >= L'1' && key < L'1' + DIGIT_ROWS;
}

/* The row that key starts among rows rows: '1' to '9' for the first nine,
   -1 for any other key or a row past the last. */
int DigitRow(wchar_t key, int rows);

/* A type-ahead search: the key typed, the row it looks at (next) and how
   many rows are left to look at (0: none, the search is over). Its caller
   gives it each row's name as it comes to the row, loading the names not
   known yet; it asks nothing back. */
struct RowSearch {
    wchar_t key;
    int next, left, rows;
};

enum {
    ROW_SEARCH_ON = -1 /* the row's name does not begin with the key */
};

/* Starts a search for the first row after current (-1: before the first),
   going round, whose name begins with key, case-blind. */
void StartRowSearch(RowSearch *s, wchar_t key, int current, int rows);

/* Looks at the name of the row the search is at (s->next): gives that row
   where the name begins with the key, and the search ends; else
   ROW_SEARCH_ON, and the search goes on to the next row, or ends after the
   last it had to look at. */
int StepRowSearch(RowSearch *s, const wchar_t *name);

/* Whether the search is under way: it has not found its row, nor looked at
   every row. */
inline bool RowSearchUnderWay(const RowSearch *s)
{
    return s->left > 0;
}

/* Ends the search where it got to: it selects nothing more. The user went
   on before it found its row, and the row the user sees is the row that
   starts. */
inline void StopRowSearch(RowSearch *s)
{
    s->left = 0;
}

/* What a screen reader says of a row: its digit where it shows one (rows 0
   to 8), its name, then its own arguments, or for a program that is not
   found, "not found". Parts that are empty are left out. */
void PutSpokenRowName(TextBuf *t, int row, const wchar_t *name, const wchar_t *args, bool missing);

#endif /* RUNVO_ROWNAME_H */
