/*
 * The program list file: a plain text file beside the executable, with the
 * executable's name and the extension DAT. Its first line (index 0) is the
 * default, the text that preselects an entry; every further line is an entry.
 *
 * The file may be in any encoding that Windows' editors write: UTF-8 with or
 * without its mark (Notepad's default), UTF-16 LE with its mark (PowerShell
 * 5's), or the system code page. A line that is well-formed UTF-8 and holds a
 * character beyond ASCII is read as UTF-8, any other line in the code page,
 * so that a list that was written in the code page reads as it always has.
 * Lines are UTF-16 once read, whatever the file's encoding.
 *
 * The line rules belong to the launcher and are applied here to the raw
 * file, so that every build reads a file the same way. They count units: a
 * byte of a file in the code page, a character of UTF-8 (two for one beyond
 * the Basic Multilingual Plane), a unit of UTF-16:
 *  - CR LF reads as one LF; any other CR stays in the line;
 *  - a Ctrl-Z (26) ends the file;
 *  - a read yields the units up to and including the next LF, but at most
 *    LIST_PIECE_MAX of them, so a longer line comes as several lines;
 *  - a NUL ends the line's text;
 *  - a byte-order mark that begins a line is no text (lists joined with
 *    copy /b keep each one's), as at the start of the file.
 * Memory use does not depend on the file's size.
 */
#ifndef RUNVO_LISTFILE_H
#define RUNVO_LISTFILE_H

#include "launch/sizes.h"
#include "platform/platform.h"

#include <stddef.h>
#include <stdio.h>

/* Bytes taken from the file at a time. The fuzzer makes it tiny, so that
   every rule meets a chunk's end. */
#ifndef RUNVO_LIST_CHUNK
#define RUNVO_LIST_CHUNK 32768
#endif

enum {
    LIST_PIECE_MAX = PATH_SIZE - 1, /* the units of one read */
    LIST_CHUNK = RUNVO_LIST_CHUNK,
    /* Bytes in view when a read is cut: the most that one read takes in
       UTF-8, three bytes a unit, and a CR LF after them. */
    LIST_LOOK = 3 * LIST_PIECE_MAX + 2
};

/* The list file's path, in a buffer of PATH_SIZE PathChars. False when
   there is none: the executable's path is unknown or did not fit. */
bool ListFilePath(PathChar *path);

/* Whether bytes of a list without a mark read as UTF-8: each sequence is
   well-formed, and one at least is beyond ASCII. */
bool ReadsAsUtf8(const unsigned char *bytes, size_t n);

/* Removes units 1 to 32 from the end of the line. */
void TrimLineEnd(wchar_t *line);

/* The cleaned line at index (0 is the first line) into line, which holds
   PATH_SIZE units. False when the file cannot be opened or has no more
   than index lines. *cut (NULL: not asked): the file's line was longer
   than one read, and what the read left holds more than blanks. */
bool ReadListLine(int index, wchar_t *line, bool *cut = NULL);

/* Called with each cleaned entry as soon as it is read, in file order. */
typedef void (*ListEntryFn)(void *context, const wchar_t *entry);

/* Copies the cleaned first line into defaultText (COMMAND_SIZE units),
   hands each further line to action, and returns the number of lines read.
   A file that cannot be opened, or is empty, gives 0 and an empty default.
   *defaultCut (NULL: not asked): the first line was longer than one read,
   as ReadListLine says. */
size_t ReadProgramList(wchar_t *defaultText, ListEntryFn action, void *context,
                       bool *defaultCut = NULL);

/* Reading lines by the rules above from an open stream, or from the bytes
   of a file in memory. */
struct ListReader {
    FILE *file;                /* NULL: the bytes in memory */
    const unsigned char *from; /* the bytes in memory not yet taken, and how many */
    size_t left;
    size_t offset;   /* where buf begins in the file */
    size_t pos, len; /* unread bytes of buf: [pos, len) */
    bool ended;      /* end of file, Ctrl-Z or a read error seen */
    bool utf16;      /* the file is UTF-16 LE: a unit is two bytes */
    bool lineStart;  /* the next read begins a line */
    unsigned char buf[LIST_CHUNK + LIST_LOOK];
};

/* Starts reading, past the file's byte-order mark if it has one. */
void ListReaderInit(ListReader *reader, FILE *file);

/* The same for a file's n bytes in memory. */
void ListReaderInitBytes(ListReader *reader, const unsigned char *bytes, size_t n);

/* Where the next read begins in the file, in bytes. */
inline size_t ListReaderOffset(const ListReader *reader)
{
    return reader->offset + reader->pos;
}

/* The next read into line (PATH_SIZE units), uncleaned; with a NULL
   line the read is skipped. False when nothing is left. */
bool ListReaderNext(ListReader *reader, wchar_t *line);

#endif /* RUNVO_LISTFILE_H */
