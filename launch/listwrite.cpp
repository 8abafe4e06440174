/*
 * Changing the list file's bytes: where its lines begin and end, as the
 * list's own reader cuts them; a line written in the file's form; and the
 * new bytes read back before they are given out.
 */
#include "launch/listwrite.h"

#include "launch/listfile.h"
#include "launch/text.h"
#include "platform/platform.h"

#include <stdlib.h>
#include <string.h>
#include <wchar.h>

enum {
    CTRL_Z = 26,
    /* One read's units as bytes at most: three a unit in UTF-8. */
    LINE_BYTES = 3 * LIST_PIECE_MAX,
    /* What a change adds at most: two lines with their ends, and a mark. */
    ADDED_BYTES = 2 * (LINE_BYTES + 4) + 4 + 3
};

/* The list's form, as far as writing goes. */
struct ListForm {
    bool utf16;   /* UTF-16 LE, after its mark */
    bool utf8;    /* new lines in UTF-8: its mark, or lines of UTF-8 and none in the code page */
    bool crlf;    /* the first line ends in CR LF, or has no end */
    size_t start; /* where the lines begin: past a UTF-16 mark */
    size_t end;   /* where they end: at a Ctrl-Z, or at the last whole unit */
};

/* A line of the file as the reader cuts it: from begin to end (past its
   line feed), and the reads it gave, the first by its index. */
struct LineSpan {
    size_t begin, end;
    int firstRead, reads;
};

/* The reader of the old bytes and of the new: too big for the stack. */
static ListReader s_old, s_new;

/* The unit at byte i. */
static unsigned UnitAt(const unsigned char *b, size_t i, bool utf16)
{
    return utf16 ? b[i] | b[i + 1] << 8 : b[i];
}

/* Where the lines end: the first Ctrl-Z, else the last whole unit. */
static size_t ContentEnd(const unsigned char *b, size_t n, const ListForm *f)
{
    size_t unit = f->utf16 ? 2 : 1, i = f->start;
    for (; i + unit <= n; i += unit)
        if (UnitAt(b, i, f->utf16) == CTRL_Z)
            return i;
    return i;
}

/* Whether some line holds bytes past ASCII of one kind: UTF-8 (utf8) or
   the code page's. */
static bool HoldsBeyondAscii(const unsigned char *b, size_t end, bool utf8)
{
    for (size_t i = 0; i < end;) {
        const unsigned char *lf = static_cast<const unsigned char *>(memchr(b + i, '\n', end - i));
        size_t next = lf ? (size_t)(lf - b) + 1 : end;
        bool high = false;
        for (size_t j = i; j < next; j++)
            high = high || b[j] >= 0x80;
        if (high && ReadsAsUtf8(b + i, next - i) == utf8)
            return true;
        i = next;
    }
    return false;
}

static ListForm FormOf(const unsigned char *b, size_t n)
{
    ListForm f = {};
    f.utf16 = n >= 2 && b[0] == 0xFF && b[1] == 0xFE;
    f.start = f.utf16 ? 2 : 0;
    f.end = ContentEnd(b, n, &f);
    bool mark = n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
    f.utf8 = !f.utf16 && (mark || n == 0 ||
                          (HoldsBeyondAscii(b, f.end, true) && !HoldsBeyondAscii(b, f.end, false)));
    size_t unit = f.utf16 ? 2 : 1;
    f.crlf = true;
    for (size_t i = f.start; i < f.end; i += unit) {
        if (UnitAt(b, i, f.utf16) == '\n') {
            f.crlf = i > f.start && UnitAt(b, i - unit, f.utf16) == '\r';
            break;
        }
    }
    return f;
}

/* The line that gave the read (-1: none), into *span, and how many reads
   the file gives; *ended: the last read ended its line (or there is none),
   so that what follows begins a line. */
static int ScanReads(const unsigned char *b, size_t n, int read, LineSpan *span, bool *ended)
{
    int count = 0;
    bool inLine = false;
    *span = LineSpan{0, 0, -1, 0};
    ListReaderInitBytes(&s_old, b, n);
    for (;;) {
        size_t at = ListReaderOffset(&s_old);
        bool begins = s_old.lineStart;
        if (begins && inLine) {
            span->end = at;
            inLine = false;
        }
        if (!ListReaderNext(&s_old, NULL))
            break;
        if (begins && count <= read) {
            *span = LineSpan{at, 0, count, 0};
            inLine = count <= read;
        }
        span->reads += inLine;
        count++;
    }
    if (inLine)
        span->end = ListReaderOffset(&s_old);
    *ended = s_old.lineStart;
    if (span->firstRead < 0 || read >= count)
        *span = LineSpan{0, 0, -1, 0};
    return count;
}

/* Text in UTF-8 into out; its bytes' number. */
static size_t EncodeUtf8(const wchar_t *text, unsigned char *out)
{
    size_t n = 0;
    for (const wchar_t *p = text; *p; p++) {
        unsigned c = (unsigned)*p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + ((unsigned)*++p - 0xDC00);
        int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static const unsigned char lead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out[n++] = (unsigned char)(lead[more] | c >> (6 * more));
        for (int i = more - 1; i >= 0; i--)
            out[n++] = (unsigned char)(0x80 | ((c >> (6 * i)) & 0x3F));
    }
    return n;
}

/* The text as a line of the list in its form, into line (LINE_BYTES): its
   bytes' number; 0 where it does not fit one read with its line end. */
static size_t EncodeLine(const ListForm *f, const wchar_t *text, unsigned char *line)
{
    size_t units = wcslen(text);
    if (units > LIST_LINE_UNITS)
        return 0;
    if (f->utf16) {
        for (size_t i = 0; i < units; i++) {
            line[2 * i] = (unsigned char)(text[i] & 0xFF);
            line[2 * i + 1] = (unsigned char)((unsigned)text[i] >> 8);
        }
        return 2 * units;
    }
    /* In the code page where it holds the text whole, and the bytes would
       not be read as UTF-8 of another text. */
    size_t n = f->utf8 ? 0 : EncodeAnsi(text, units, reinterpret_cast<char *>(line), LINE_BYTES);
    if (n > 0 && n <= LIST_LINE_UNITS && !ReadsAsUtf8(line, n))
        return n;
    return EncodeUtf8(text, line);
}

/* A line end in the file's form, into out; its bytes' number. */
static size_t PutLineEnd(const ListForm *f, unsigned char *out)
{
    const char *end = f->crlf ? "\r\n" : "\n";
    size_t n = 0;
    for (const char *p = end; *p; p++) {
        out[n++] = (unsigned char)*p;
        if (f->utf16)
            out[n++] = 0;
    }
    return n;
}

/* Whether the next reads of both readers give the same texts, count of
   them (the new's until its end, for -1). */
static bool SameReads(int count)
{
    wchar_t a[PATH_SIZE], b[PATH_SIZE];
    for (int i = 0; count < 0 || i < count; i++) {
        bool more = ListReaderNext(&s_new, b);
        if (!more && count < 0)
            return !ListReaderNext(&s_old, a);
        if (!more || !ListReaderNext(&s_old, a))
            return false;
        TrimLineEnd(a);
        TrimLineEnd(b);
        if (wcscmp(a, b) != 0)
            return false;
    }
    return true;
}

/* Whether the new bytes read as the old with the change: the reads before
   at alike; then the old's skip reads left out and the new's want texts
   (wants of them) put in; then the rest alike, to the end of both. */
static bool ReadsAsChanged(const unsigned char *old, size_t oldN, const ListBytes *now, int at,
                           int skip, const wchar_t *want, int wants)
{
    wchar_t line[PATH_SIZE];
    ListReaderInitBytes(&s_old, old, oldN);
    ListReaderInitBytes(&s_new, now->bytes, now->n);
    if (!SameReads(at))
        return false;
    for (int i = 0; i < skip; i++)
        ListReaderNext(&s_old, NULL);
    for (int i = 0; i < wants; i++) {
        if (!ListReaderNext(&s_new, line))
            return false;
        TrimLineEnd(line);
        if (wcscmp(line, want) != 0)
            return false;
    }
    return SameReads(-1);
}

/* The new bytes: old's bytes to cut, then put (n bytes), then old's from
   resume on, into out. */
static bool Splice(const unsigned char *old, size_t oldN, size_t cut, const unsigned char *put,
                   size_t n, size_t resume, ListBytes *out)
{
    out->n = cut + n + (oldN - resume);
    out->bytes = static_cast<unsigned char *>(malloc(out->n ? out->n : 1));
    if (!out->bytes)
        return false;
    memcpy(out->bytes, old, cut);
    memcpy(out->bytes + cut, put, n);
    memcpy(out->bytes + cut + n, old + resume, oldN - resume);
    return true;
}

/* A new last line, before a Ctrl-Z: the last read's line ended first
   where it had no line feed (ended). A list of no lines gets the entry as
   its default too; a file of no bytes, the mark of UTF-8. */
static bool AddLine(const unsigned char *b, size_t n, const ListForm *f, const unsigned char *line,
                    size_t len, int lines, bool ended, ListBytes *out)
{
    unsigned char put[ADDED_BYTES];
    size_t k = 0;
    if (n == 0) {
        memcpy(put, "\xEF\xBB\xBF", 3);
        k = 3;
    }
    if (!ended)
        k += PutLineEnd(f, put + k);
    for (int i = lines > 0 ? 1 : 0; i < 2; i++) {
        memcpy(put + k, line, len);
        k += len;
        k += PutLineEnd(f, put + k);
    }
    return Splice(b, n, f->end, put, k, f->end, out);
}

/* The first line's text anew: its mark and its end kept (after a mark, a
   second is text, as the reader reads it). */
static bool ReplaceFirstLine(const unsigned char *b, size_t n, const ListForm *f,
                             const LineSpan *span, const unsigned char *line, size_t len,
                             ListBytes *out)
{
    size_t unit = f->utf16 ? 2 : 1, begin = span->begin, end = span->end;
    if (f->utf16 ? end - begin >= 2 && UnitAt(b, begin, true) == 0xFEFF
                 : end - begin >= 3 && memcmp(b + begin, "\xEF\xBB\xBF", 3) == 0)
        begin += f->utf16 ? 2 : 3;
    if (end > begin && UnitAt(b, end - unit, f->utf16) == '\n') {
        end -= unit;
        if (end > begin && UnitAt(b, end - unit, f->utf16) == '\r')
            end -= unit;
    }
    return Splice(b, n, begin, line, len, end, out);
}

ListWriteResult ChangeList(const unsigned char *bytes, size_t n, const ListChange *change,
                           ListBytes *out)
{
    *out = ListBytes{NULL, 0};
    ListForm form = FormOf(bytes, n);
    unsigned char line[LINE_BYTES];
    size_t len = 0;
    if (change->edit != EDIT_REMOVE) {
        /* A line feed or a Ctrl-Z would end the line, or the list. */
        if (wcschr(change->text, L'\n') || wcschr(change->text, CTRL_Z))
            return LIST_READS_OTHERWISE;
        if ((len = EncodeLine(&form, change->text, line)) == 0 && change->text[0])
            return LIST_LINE_TOO_LONG;
    }
    int read = change->edit == EDIT_REMOVE ? change->row + 1 : 0;
    LineSpan span;
    bool ended;
    int lines = ScanReads(bytes, n, read, &span, &ended);
    bool made = false;
    switch (change->edit) {
    case EDIT_ADD:
        made = AddLine(bytes, n, &form, line, len, lines, ended, out);
        break;
    case EDIT_REMOVE:
        if (change->row < 0 || span.firstRead < 0)
            return LIST_NO_SUCH_ROW;
        if (span.firstRead == 0)
            return LIST_ROW_OF_FIRST_LINE;
        made = Splice(bytes, n, span.begin, line, 0, span.end, out);
        break;
    case EDIT_FIRST_LINE:
        if (span.firstRead < 0)
            return LIST_NO_SUCH_ROW;
        if (span.reads > 1)
            return LIST_LINE_TOO_LONG;
        made = ReplaceFirstLine(bytes, n, &form, &span, line, len, out);
        break;
    }
    if (!made)
        return LIST_NO_MEMORY;
    bool fresh = change->edit == EDIT_ADD && lines == 0;
    int at = change->edit == EDIT_ADD ? lines : change->edit == EDIT_REMOVE ? span.firstRead : 0;
    int skip = change->edit == EDIT_ADD ? 0 : change->edit == EDIT_REMOVE ? span.reads : 1;
    int wants = change->edit == EDIT_REMOVE ? 0 : fresh ? 2 : 1;
    if (!ReadsAsChanged(bytes, n, out, at, skip, change->text, wants)) {
        free(out->bytes);
        *out = ListBytes{NULL, 0};
        return LIST_READS_OTHERWISE;
    }
    return LIST_CHANGED;
}

int RowsOfLine(const unsigned char *bytes, size_t n, int row)
{
    LineSpan span;
    bool ended;
    ScanReads(bytes, n, row + 1, &span, &ended);
    return row >= 0 && span.firstRead > 0 ? span.reads : 0;
}
