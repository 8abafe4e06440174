/*
 * Reading the program list file. The file is opened in binary mode and the
 * text rules (CR LF, Ctrl-Z) are applied here, so that a file reads the same
 * in every build and with every C runtime.
 */
#include "launch/listfile.h"

#include "launch/text.h"
#include "platform/platform.h"

#include <string.h>

enum { CTRL_Z = 26 };

bool ListFilePath(char *path)
{
    DWORD len = GetModuleFileNameA(NULL, path, MODULE_PATH_SIZE);
    /* A path that filled the buffer was cut short, and a file named after it
       would be some other file: then there is no list file. */
    if (len < 3 || len >= MODULE_PATH_SIZE)
        return false;
    memcpy(path + len - 3, "DAT", 3); /* by position, as "exe" -> "DAT" */
    return true;
}

void TrimLineEnd(char *line)
{
    size_t n = strlen(line);
    while (n > 0 && IsBlank(line[n - 1]))
        line[--n] = '\0';
}

/* Drops, in place, each CR that stands right before an LF. */
static size_t MergeCrLf(unsigned char *buf, size_t len)
{
    unsigned char *end = buf + len;
    unsigned char *out = (unsigned char *)memchr(buf, '\r', len);
    if (!out)
        return len;
    const unsigned char *in = out;
    for (;;) {
        const unsigned char *cr = (const unsigned char *)memchr(in, '\r', end - in);
        size_t run = (size_t)((cr ? cr : end) - in);
        memmove(out, in, run);
        out += run;
        in += run;
        if (!cr)
            break;
        if (in + 1 < end && in[1] == '\n') {
            in++; /* the LF that follows stands for the pair */
            continue;
        }
        *out++ = *in++;
    }
    return (size_t)(out - buf);
}

/* The next chunk of the file, with Ctrl-Z and CR LF applied. A CR that ends a
   chunk is held back until the next byte shows whether an LF follows it. */
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
        r->len = MergeCrLf(r->buf, len);
        if (r->len > 0)
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

bool ListReaderNext(ListReader *r, char *line)
{
    size_t n = 0;
    while (n < LIST_PIECE_MAX) {
        if (r->pos == r->len && !Fill(r))
            break;
        const unsigned char *p = r->buf + r->pos;
        size_t take = r->len - r->pos;
        if (take > LIST_PIECE_MAX - n)
            take = LIST_PIECE_MAX - n;
        const void *lf = memchr(p, '\n', take);
        if (lf)
            take = (size_t)((const unsigned char *)lf - p) + 1;
        if (line)
            memcpy(line + n, p, take);
        n += take;
        r->pos += take;
        if (lf)
            break;
    }
    if (line)
        line[n] = '\0'; /* a NUL inside already ended the text */
    return n > 0;
}

/* The list file, opened for reading with no sharing restriction, or NULL. */
static FILE *OpenListFile(void)
{
    char path[MODULE_PATH_SIZE];
    if (!ListFilePath(path))
        return NULL;
    FILE *file = fopen(path, "rb");
    if (file)
        setvbuf(file, NULL, _IONBF, 0); /* the reader buffers by itself */
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
