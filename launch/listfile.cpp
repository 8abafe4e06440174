/*
 * Reading the program list file. The file is opened in binary mode and the
 * text rules (encodings, CR LF, Ctrl-Z) are applied here, so that a file
 * reads the same in every build and with every C runtime. Reads are cut
 * from a window of the file that always holds the longest read and its line
 * end: a skipped line of ordinary length costs one memchr, no decoding and
 * no copy.
 */
#include "launch/listfile.h"

#include "launch/text.h"
#include "platform/platform.h"

#include <string.h>
#include <wchar.h>

enum { CTRL_Z = 26 };

bool ListFilePath(PathChar *path)
{
    size_t len = GetModulePath(path, PATH_SIZE);
    /* A path that filled the buffer was truncated, and a file named after it
       would be some other file: then there is no list file. */
    if (len < 3 || len >= PATH_SIZE)
        return false;
    path[len - 3] = 'D'; /* by position, as "exe" -> "DAT" */
    path[len - 2] = 'A';
    path[len - 1] = 'T';
    return true;
}

void TrimLineEnd(wchar_t *line)
{
    size_t n = wcslen(line);
    while (n > 0 && IsBlank(line[n - 1]))
        line[--n] = L'\0';
}

/* The well-formed UTF-8 sequence at p, of at most n bytes: its length, and
   its code point in *cp. 0 when there is none (a stray or missing
   continuation byte, an overlong form, a surrogate, or past U+10FFFF). */
static size_t Utf8Sequence(const unsigned char *p, size_t n, unsigned *cp)
{
    static const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
    unsigned c = p[0];
    size_t len = c < 0x80 ? 1 : c < 0xC0 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF8 ? 4 : 0;
    if (len == 0 || len > n)
        return 0;
    c &= 0xFF >> len; /* the lead byte's bits; all of an ASCII byte's */
    for (size_t i = 1; i < len; i++) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (p[i] & 0x3F);
    }
    if (c < least[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return 0;
    *cp = c;
    return len;
}

bool ReadsAsUtf8(const unsigned char *p, size_t n)
{
    bool beyondAscii = false;
    for (size_t i = 0; i < n;) {
        unsigned cp;
        size_t len = Utf8Sequence(p + i, n - i, &cp);
        if (len == 0)
            return false;
        beyondAscii = beyondAscii || len > 1;
        i += len;
    }
    return beyondAscii;
}

/* How many of the content bytes at p the next read takes when it is UTF-8:
   whole sequences, as many as fit LIST_PIECE_MAX units, and *withLf when
   the line's LF fits after them. 0 when the read is not UTF-8: a sequence
   in it is not well-formed, or none is longer than a byte (the code page's
   reading of ASCII is the same, and of anything else is what it was). */
static size_t Utf8Read(const unsigned char *p, size_t content, bool lf, bool *withLf)
{
    size_t i = 0, units = 0;
    bool beyondAscii = false;
    while (i < content && units < LIST_PIECE_MAX) {
        unsigned cp;
        size_t n = Utf8Sequence(p + i, content - i, &cp);
        if (n == 0)
            return 0;
        size_t u = cp > 0xFFFF ? 2 : 1;
        if (units + u > LIST_PIECE_MAX)
            break;
        units += u;
        i += n;
        beyondAscii = beyondAscii || n > 1;
    }
    *withLf = lf && i == content && units < LIST_PIECE_MAX;
    return beyondAscii ? i : 0;
}

/* Decodes n bytes of well-formed UTF-8 into UTF-16 units; returns their
   number. */
static size_t DecodeUtf8(const unsigned char *p, size_t n, wchar_t *out)
{
    size_t u = 0;
    for (size_t i = 0; i < n;) {
        unsigned cp;
        i += Utf8Sequence(p + i, n - i, &cp);
        if (cp > 0xFFFF) {
            out[u++] = (wchar_t)(0xD800 + ((cp - 0x10000) >> 10));
            cp = 0xDC00 + (cp & 0x3FF);
        }
        out[u++] = (wchar_t)cp;
    }
    return u;
}

/* Cuts the new bytes from 'from' on at a Ctrl-Z; in UTF-16 a Ctrl-Z is a
   whole unit, and a last odd byte of the file is no unit. Units begin at
   even offsets of buf: a read takes whole units, and the mark is two bytes. */
static void CutAtEnd(ListReader *r, size_t from)
{
    if (!r->utf16) {
        const void *z = memchr(r->buf + from, CTRL_Z, r->len - from);
        if (z) {
            r->len = (size_t)((const unsigned char *)z - r->buf);
            r->ended = true;
        }
        return;
    }
    for (size_t i = from - from % 2; i + 1 < r->len; i += 2) {
        if (r->buf[i] == CTRL_Z && r->buf[i + 1] == 0) {
            r->len = i;
            r->ended = true;
            break;
        }
    }
    if (r->ended)
        r->len -= r->len % 2;
}

/* Up to LIST_CHUNK bytes of the file into to: their number. */
static size_t Take(ListReader *r, unsigned char *to)
{
    if (r->file)
        return fread(to, 1, LIST_CHUNK, r->file);
    size_t n = r->left < (size_t)LIST_CHUNK ? r->left : (size_t)LIST_CHUNK;
    memcpy(to, r->from, n);
    r->from += n;
    r->left -= n;
    return n;
}

/* Reads on until LIST_LOOK bytes are unread or the file has ended. */
static void ReadMore(ListReader *r)
{
    while (!r->ended && r->len - r->pos < LIST_LOOK) {
        size_t got = Take(r, r->buf + r->len);
        r->len += got;
        if (got == 0)
            r->ended = true; /* end of file, or a read error: the same */
    }
}

/* Keeps LIST_LOOK bytes in view, moving the unread ones to the front. */
static void Fill(ListReader *r)
{
    if (r->ended || r->len - r->pos >= LIST_LOOK)
        return;
    memmove(r->buf, r->buf + r->pos, r->len - r->pos);
    r->offset += r->pos;
    r->len -= r->pos;
    r->pos = 0;
    size_t from = r->len;
    ReadMore(r);
    CutAtEnd(r, from);
}

void ListReaderInit(ListReader *r, FILE *file)
{
    r->file = file;
    r->offset = r->pos = r->len = 0;
    r->ended = r->utf16 = false;
    r->lineStart = true; /* a UTF-8 mark is passed over as any line's */
    ReadMore(r);
    const unsigned char *b = r->buf;
    if (r->len >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        r->pos = 2;
        r->utf16 = true;
    }
    CutAtEnd(r, r->pos);
}

void ListReaderInitBytes(ListReader *r, const unsigned char *bytes, size_t n)
{
    r->from = bytes;
    r->left = n;
    ListReaderInit(r, NULL);
}

/* Passes over a mark at the start of a line: U+FEFF, in the file's
   encoding. */
static void SkipMark(ListReader *r)
{
    const unsigned char *p = r->buf + r->pos;
    size_t avail = r->len - r->pos;
    bool mark = r->utf16 ? avail >= 2 && p[0] == 0xFF && p[1] == 0xFE
                         : avail >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF;
    if (mark) {
        r->pos += r->utf16 ? 2 : 3;
        Fill(r);
    }
}

/* The unread unit i. */
static unsigned Unit(const ListReader *r, size_t i)
{
    const unsigned char *p = r->buf + r->pos;
    return r->utf16 ? p[2 * i] | p[2 * i + 1] << 8 : p[i];
}

static bool IsSurrogatePair(unsigned high, unsigned low)
{
    return high >= 0xD800 && high <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF;
}

/* Where the next LF is among the first n unread units; n if none is. */
static size_t FindLf(const ListReader *r, size_t n)
{
    if (!r->utf16) {
        const void *lf = memchr(r->buf + r->pos, '\n', n);
        return lf ? (size_t)((const unsigned char *)lf - (r->buf + r->pos)) : n;
    }
    size_t i = 0;
    while (i < n && Unit(r, i) != '\n')
        i++;
    return i;
}

/* The text of a read of take unread units, and its LF, into line. */
static void DecodeRead(const ListReader *r, size_t take, bool utf8, bool withLf, wchar_t *line)
{
    const unsigned char *p = r->buf + r->pos;
    size_t n = take;
    if (r->utf16) {
        for (size_t i = 0; i < take; i++)
            line[i] = (wchar_t)Unit(r, i);
    } else if (utf8) {
        n = DecodeUtf8(p, take, line);
    } else {
        n = DecodeAnsi((const char *)p, take, line, LIST_PIECE_MAX);
    }
    if (withLf)
        line[n++] = L'\n';
    line[n] = L'\0'; /* a NUL inside already ended the text */
}

/* Cuts the next read, counted in the file's units (bytes but in UTF-16),
   and decodes it into line unless it is NULL. */
bool ListReaderNext(ListReader *r, wchar_t *line)
{
    Fill(r);
    if (r->lineStart)
        SkipMark(r);
    size_t unit = r->utf16 ? 2 : 1, avail = (r->len - r->pos) / unit;
    if (avail == 0) {
        if (line)
            line[0] = L'\0';
        return false;
    }
    size_t look = avail < LIST_LOOK / unit ? avail : LIST_LOOK / unit;
    size_t end = FindLf(r, look);
    bool lf = end < look;
    /* A CR before the LF is dropped: the pair reads as one LF. */
    size_t content = lf && end > 0 && Unit(r, end - 1) == '\r' ? end - 1 : end;
    const unsigned char *p = r->buf + r->pos;

    bool withLf = lf, utf8 = false;
    size_t take = content;
    if (content + lf <= LIST_PIECE_MAX) {
        /* The whole line: its bytes are as many units at most. Whether it is
           UTF-8 matters only to its text. */
        bool unused;
        utf8 = line && !r->utf16 && Utf8Read(p, content, lf, &unused) > 0;
    } else if (!r->utf16 && (take = Utf8Read(p, content, lf, &withLf)) > 0) {
        utf8 = true;
    } else {
        /* A character beyond the plane is not split, as in UTF-8. */
        take = LIST_PIECE_MAX;
        withLf = false;
        if (r->utf16 && IsSurrogatePair(Unit(r, take - 1), Unit(r, take)))
            take--;
    }
    if (line)
        DecodeRead(r, take, utf8, withLf, line);
    r->pos += (withLf ? end + 1 : take) * unit;
    r->lineStart = withLf;
    return true;
}

/* The one reader of the list file: too big for a frame of the stack, and
   never used twice at once. */
static ListReader s_reader;

/* The list file, opened for reading with no sharing restriction, or NULL. */
static FILE *OpenListFile(void)
{
    PathChar path[PATH_SIZE];
    if (!ListFilePath(path))
        return NULL;
    FILE *file = OpenToRead(path);
    /* The reader buffers by itself, unless its chunk is smaller than the
       runtime's own buffer (as in the fuzzer). */
    if (file && LIST_CHUNK >= BUFSIZ)
        setvbuf(file, NULL, _IONBF, 0);
    return file;
}

/* Whether the read just made ended short of its line's end with more than
   blanks to come: the line was longer than one read. */
static bool CutShort(ListReader *r)
{
    wchar_t rest[PATH_SIZE];
    if (r->lineStart || !ListReaderNext(r, rest))
        return false;
    TrimLineEnd(rest);
    return rest[0] != L'\0';
}

bool ReadListLine(int index, wchar_t *line, bool *cut)
{
    if (cut)
        *cut = false;
    if (index < 0)
        return false;
    FILE *file = OpenListFile();
    if (!file)
        return false;
    ListReaderInit(&s_reader, file);
    bool found = false;
    /* Only the line asked for is decoded; the ones before it are skipped. */
    for (int left = index; ListReaderNext(&s_reader, left == 0 ? line : NULL); left--) {
        if (left == 0) {
            found = true;
            break;
        }
    }
    if (found && cut)
        *cut = CutShort(&s_reader);
    fclose(file);
    if (found)
        TrimLineEnd(line);
    return found;
}

size_t ReadProgramList(wchar_t *defaultText, ListEntryFn action, void *context, bool *defaultCut)
{
    defaultText[0] = L'\0';
    if (defaultCut)
        *defaultCut = false;
    FILE *file = OpenListFile();
    if (!file)
        return 0;
    ListReaderInit(&s_reader, file);
    wchar_t line[PATH_SIZE];
    size_t count = 0;
    bool firstUnfinished = false; /* the first read ended short of its line's end */
    while (ListReaderNext(&s_reader, line)) {
        TrimLineEnd(line);
        if (count == 0) {
            wmemcpy(defaultText, line, wcslen(line) + 1);
            firstUnfinished = !s_reader.lineStart;
        } else {
            if (count == 1 && firstUnfinished && line[0] && defaultCut)
                *defaultCut = true;
            action(context, line);
        }
        count++;
    }
    fclose(file);
    return count;
}
