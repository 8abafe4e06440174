/*
 * Reading the program list file. The file is opened in binary mode and the
 * text rules (CR LF, Ctrl-Z) are applied here, so that a file reads the same
 * in every build and with every C runtime. Lines are cut straight from the
 * chunk buffer: a skipped line costs one memchr and no copy.
 */
#include "launch/listfile.h"

#include "launch/text.h"
#include "platform/platform.h"

#include <string.h>

enum { CTRL_Z = 26 };

bool ListFilePath(PathChar *path)
{
    DWORD len = GetModulePath(path, MODULE_PATH_SIZE);
    /* A path that filled the buffer was cut short, and a file named after it
       would be some other file: then there is no list file. */
    if (len < 3 || len >= MODULE_PATH_SIZE)
        return false;
    path[len - 3] = 'D'; /* by position, as "exe" -> "DAT" */
    path[len - 2] = 'A';
    path[len - 1] = 'T';
    return true;
}

void TrimLineEnd(char *line)
{
    size_t n = strlen(line);
    while (n > 0 && IsBlank(line[n - 1]))
        line[--n] = '\0';
}

/* The next chunk of the file, cut at a Ctrl-Z. A CR that ends a chunk is
   held back for the next one, so that a CR LF pair never straddles two. */
static bool Fill(ListReader *r)
{
    while (!r->ended) {
        size_t start = 0;
        if (r->heldCr) {
            r->buf[start++] = '\r';
            r->heldCr = false;
        }
        size_t got = fread(r->buf + start, 1, LIST_CHUNK - start, r->file);
        size_t len = start + got;
        if (got == 0)
            r->ended = true; /* end of file, or a read error: the same */
        const void *z = memchr(r->buf + start, CTRL_Z, got);
        if (z) {
            len = (size_t)((const unsigned char *)z - r->buf);
            r->ended = true;
        }
        if (!r->ended && r->buf[len - 1] == '\r') {
            r->heldCr = true;
            len--;
        }
        r->pos = 0;
        r->len = len;
        if (len > 0)
            return true;
    }
    return false;
}

void ListReaderInit(ListReader *reader, FILE *file)
{
    reader->file = file;
    reader->pos = reader->len = 0;
    reader->heldCr = reader->ended = false;
}

/* Cuts the next read from the chunk. Counts are of the bytes as read, where
   a CR LF pair is one LF. */
bool ListReaderNext(ListReader *r, char *line)
{
    size_t n = 0;
    while (n < LIST_PIECE_MAX) {
        if (r->pos == r->len && !Fill(r))
            break;
        const unsigned char *p = r->buf + r->pos;
        size_t avail = r->len - r->pos, room = LIST_PIECE_MAX - n;
        /* One byte more than there is room for: a CR before the LF is dropped. */
        const unsigned char *lf =
            (const unsigned char *)memchr(p, '\n', avail < room + 1 ? avail : room + 1);
        if (lf) {
            size_t k = (size_t)(lf - p);
            size_t kept = k > 0 && p[k - 1] == '\r' ? k - 1 : k;
            if (kept + 1 <= room) {
                if (line) {
                    memcpy(line + n, p, kept);
                    line[n + kept] = '\n';
                }
                n += kept + 1;
                r->pos += k + 1;
                break;
            }
        }
        /* No line end within the room: none of these bytes is a dropped CR. */
        size_t take = avail < room ? avail : room;
        if (line)
            memcpy(line + n, p, take);
        n += take;
        r->pos += take;
    }
    if (line)
        line[n] = '\0'; /* a NUL inside already ended the text */
    return n > 0;
}

/* The list file, opened for reading with no sharing restriction, or NULL. */
static FILE *OpenListFile(void)
{
    PathChar path[MODULE_PATH_SIZE];
    if (!ListFilePath(path))
        return NULL;
    FILE *file = OpenToRead(path);
    /* The reader buffers by itself, unless its chunk is smaller than the
       runtime's own buffer (as in the fuzzer). */
    if (file && LIST_CHUNK >= BUFSIZ)
        setvbuf(file, NULL, _IONBF, 0);
    return file;
}

bool ReadListLine(int index, char *line)
{
    if (index < 0)
        return false;
    FILE *file = OpenListFile();
    if (!file)
        return false;
    ListReader reader;
    ListReaderInit(&reader, file);
    bool found = false;
    /* Only the line asked for is copied; the ones before it are skipped. */
    for (int left = index; ListReaderNext(&reader, left == 0 ? line : NULL); left--) {
        if (left == 0) {
            found = true;
            break;
        }
    }
    fclose(file);
    if (found)
        TrimLineEnd(line);
    return found;
}

size_t ReadProgramList(char *defaultText, ListEntryFn action, void *context)
{
    defaultText[0] = '\0';
    FILE *file = OpenListFile();
    if (!file)
        return 0;
    ListReader reader;
    ListReaderInit(&reader, file);
    char line[LIST_LINE_SIZE];
    size_t count = 0;
    while (ListReaderNext(&reader, line)) {
        TrimLineEnd(line);
        if (count++ == 0)
            memcpy(defaultText, line, strlen(line) + 1);
        else
            action(context, line);
    }
    fclose(file);
    return count;
}
