/*
 * Writing the program list file, on the user's command alone: a new entry
 * as its last line, the line a row came from taken away, or its first line
 * anew. The file keeps its own form: its encoding (the system code page,
 * UTF-8 with or without its mark, UTF-16 LE with its mark), its line ends,
 * and every line that is not changed, byte for byte: lines longer than one
 * read, bytes that the code page cannot show, a last line without its line
 * feed, and a Ctrl-Z with whatever follows it (a new line goes before it,
 * or the reading would never see it). A line that is written reads back as
 * its text: in UTF-16 in a UTF-16 list; in a list without a mark, in the
 * code page where that holds the text and its bytes do not also read as
 * UTF-8, else in UTF-8, as the reader decides line by line.
 *
 * The change is made in memory and read back by the list's own reader
 * before anything is written: the new bytes must read as the old lines with
 * exactly that change, or there are none.
 */
#ifndef RUNVO_LISTWRITE_H
#define RUNVO_LISTWRITE_H

#include <stddef.h>

#include "launch/listfile.h"

enum {
    /* The units of a line that one read takes whole, as a line is written:
       its line feed counts among a read's units. */
    LIST_LINE_UNITS = LIST_PIECE_MAX - 1,
    /* The most bytes of a list that is changed: a million lines and more,
       held twice in the 32-bit program's memory. */
    LIST_WRITABLE_BYTES = 256 << 20
};

/* A change that the chooser asks of the list. */
enum ListEdit {
    EDIT_ADD,       /* a new entry as the last line; in a list of no lines, the default too */
    EDIT_REMOVE,    /* the line that a row came from, all of it */
    EDIT_FIRST_LINE /* the first line anew */
};

struct ListChange {
    ListEdit edit;
    int row;             /* EDIT_REMOVE: the chooser's row, 0 for the first entry */
    const wchar_t *text; /* EDIT_ADD: the entry; EDIT_FIRST_LINE: the line */
};

enum ListWriteResult {
    LIST_CHANGED,
    LIST_NO_SUCH_ROW,       /* no line of the file gave that row */
    LIST_ROW_OF_FIRST_LINE, /* the row is a piece of the first line, the default's */
    LIST_LINE_TOO_LONG,     /* the line passes what one read takes, or the first line was cut */
    LIST_NO_MEMORY,
    LIST_READS_OTHERWISE /* the new file would not read as it should */
};

/* A file's bytes, allocated (malloc) by ChangeList; the caller frees them. */
struct ListBytes {
    unsigned char *bytes;
    size_t n;
};

/* The list's n bytes after the change, into *out. A file of no bytes is a
   new list: UTF-8 with its mark and CR LF, as Notepad saves one. */
ListWriteResult ChangeList(const unsigned char *bytes, size_t n, const ListChange *change,
                           ListBytes *out);

/* How many rows the line of the row shows: 1, more for a line longer than
   one read, 0 where no line gave that row. */
int RowsOfLine(const unsigned char *bytes, size_t n, int row);

#endif /* RUNVO_LISTWRITE_H */
