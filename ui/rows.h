/*
 * The chooser's rows as the chooser draws them: how a row looks, and when
 * its program's icon and name are loaded.
 */
#ifndef RUNVO_ROWS_H
#define RUNVO_ROWS_H

#include "platform/win32.h"
#include "ui/rowicon.h"
#include "ui/rowname.h"

struct Chooser;

/* The message the chooser posts itself to load what the rows need, and the
   timer that goes on with it after the user's input. */
enum { WM_APP_LOADROWS = WM_APP + 1, ROWS_TIMER = 1 };

/* What the rows keep between messages, in the chooser's state. */
struct Rows {
    bool loadPosted;  /* WM_APP_LOADROWS is on its way */
    LastRow last;     /* the program of the row loaded last, which the next may share */
    RowSearch search; /* a letter's search, while under way */
    int nextAhead;    /* the next row whose name is loaded ahead */
};

/* The rows' height at the list's DPI, for its font and its icons. */
void SetRowHeight(HWND hList);

/* Draws one row, as WM_DRAWITEM asks; a row in view whose icon and name are
   not loaded yet has them loaded soon after (WM_APP_LOADROWS). */
void DrawRow(Chooser *c, const DRAWITEMSTRUCT *item);

/* Loads what the rows need: first the names a type-ahead search under way
   needs, then the icons and names of the rows in view, then (ahead: on the
   ROWS_TIMER, which comes after the rows are drawn) the names of the rows
   ahead; until it is done, or the user's input waits, when it goes on on
   the ROWS_TIMER. */
void LoadRows(Chooser *c, bool ahead);

/* Selects the next row after the selection whose name begins with key,
   loading the names it meets that are not known yet; a new search takes
   the place of one under way. */
void SearchRows(Chooser *c, WCHAR key);

/* The user went on (a key that moves or acts in the list, a click, the
   wheel, another selection, the dialog's end): a search under way selects
   nothing more. */
void StopSearchingRows(Chooser *c);

/* Frees a row's information, as WM_DELETEITEM asks when the list lets the
   row go. */
void FreeRow(Chooser *c, const DELETEITEMSTRUCT *item);

/* The list is filled anew: nothing of the rows before is loaded or
   searched for any longer. */
void ForgetRows(Chooser *c);

/* The row's entry as written, one list line, into entry (PATH_SIZE
   characters); false past the last row. */
bool RowEntry(HWND hList, int row, WCHAR *entry);

/* The same, for a search of the rows by their entries (EntryAtFn): the
   context is the list. */
bool ListEntryAt(void *list, int row, WCHAR *entry);

/* The name a row shows, into name (size characters). */
void ShownRowName(HWND hList, int row, WCHAR *name, size_t size);

/* What a screen reader says of a row, into spoken (size characters). */
void SpokenRowName(HWND hList, int row, WCHAR *spoken, size_t size);

#endif /* RUNVO_ROWS_H */
