/*
 * The program list file: a plain text file beside the executable, with the
 * executable's name and the extension DAT. Its first line (index 0) is the
 * default, the text that preselects an entry; every further line is an entry.
 *
 * The line rules belong to the launcher and are applied here to the raw
 * bytes, so that every build reads a file the same way:
 *  - CR LF reads as one LF, also where the pair straddles two reads; any other
 *    CR stays in the line;
 *  - a Ctrl-Z (byte 26) ends the file;
 *  - a read yields the bytes up to and including the next LF, but at most
 *    LIST_PIECE_MAX of them, so a longer line comes as several lines;
 *  - a NUL byte ends the line's text.
 * Memory use does not depend on the file's size.
 */
#ifndef RUNVO_LISTFILE_H
#define RUNVO_LISTFILE_H

#include "platform/platform.h"

#include <stddef.h>
#include <stdio.h>

/* Bytes taken from the file at a time. The fuzzer makes it tiny, so that
   every rule meets a chunk's end. */
#ifndef RUNVO_LIST_CHUNK
#define RUNVO_LIST_CHUNK 32768
#endif

enum {
    MODULE_PATH_SIZE = 260, /* what GetModulePath is given, in PathChars */
    LIST_LINE_SIZE = 260,   /* one read and its terminator */
    LIST_PIECE_MAX = LIST_LINE_SIZE - 1,
    LIST_DEFAULT_SIZE = 264, /* the caller's buffer for the first line */
    LIST_CHUNK = RUNVO_LIST_CHUNK
};

/* The list file's path, in a buffer of MODULE_PATH_SIZE PathChars. False
   when there is none: the executable's path is unknown or did not fit. */
bool ListFilePath(PathChar *path);

/* Removes bytes 1 to 32 from the end of the line. */
void TrimLineEnd(char *line);

/* The cleaned line at index (0 is the first line) into line, which holds
   LIST_LINE_SIZE bytes. False when the file cannot be opened or has no more
   than index lines. */
bool ReadListLine(int index, char *line);

/* Called with each cleaned entry as soon as it is read, in file order. */
typedef void (*ListEntryFn)(void *context, const char *entry);

/* Copies the cleaned first line into defaultText (LIST_DEFAULT_SIZE bytes),
   hands each further line to action, and returns the number of lines read.
   A file that cannot be opened, or is empty, gives 0 and an empty default. */
size_t ReadProgramList(char *defaultText, ListEntryFn action, void *context);

/* Reading lines by the rules above from an open stream. */
struct ListReader {
    FILE *file;
    size_t pos, len; /* unread bytes of buf: [pos, len) */
    bool heldCr;     /* a CR ended the last chunk; its LF may follow */
    bool ended;      /* end of file, Ctrl-Z or a read error seen */
    unsigned char buf[LIST_CHUNK];
};

void ListReaderInit(ListReader *reader, FILE *file);

/* The next read into line (LIST_LINE_SIZE bytes), uncleaned; with a NULL
   line the read is skipped. False when no bytes are left. */
bool ListReaderNext(ListReader *reader, char *line);

#endif /* RUNVO_LISTFILE_H */
