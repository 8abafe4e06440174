/*
 * The model of the line rules. The file is a stream of units: bytes, or
 * pairs of bytes after the UTF-16 LE mark. A Ctrl-Z unit ends it, and CR LF
 * is read as LF. A mark (the bytes EF BB BF, or the unit FEFF) that begins a
 * line is passed over. Reads are taken one after
 * another: each is the units up to and including the next LF, as many as
 * fit in 259 units of UTF-16, never half of a surrogate pair. Bytes are UTF-8 when, taken one
 * character at a time, they are well-formed and hold a character beyond ASCII; otherwise each byte
 * is one unit (ISO 8859-1). In each read a NUL ends the text, and units 1 to 32 are trimmed from
 * its end.
 */
#include "fuzz/listfile_model.h"

#include <algorithm>

enum { MOST = 259 };

/* Ends a read: its text up to a NUL, trimmed, becomes a line. */
static void EndRead(std::wstring_view cur, ModelLines *lines)
{
    cur = cur.substr(0, cur.find(L'\0'));
    while (!cur.empty() && cur.back() >= 1 && cur.back() <= 32)
        cur.remove_suffix(1);
    lines->text += cur;
    lines->start.push_back(lines->text.size());
}

/* The character at s[i]: its code point and length, or length 0 when it is
   not well-formed: decoded by its lead byte's count, then checked for the
   shortest form and the range of code points. */
static size_t Character(const std::vector<unsigned> &s, size_t i, unsigned *cp)
{
    unsigned c = s[i];
    size_t len = 0;
    while (len < 8 && (c & (0x80u >> len)))
        len++;
    if (len == 0) {
        *cp = c;
        return 1;
    }
    if (len == 1 || len > 4 || i + len > s.size())
        return 0;
    unsigned v = c & (0xFFu >> (len + 1));
    for (size_t k = 1; k < len; k++) {
        if ((s[i + k] & 0xC0) != 0x80)
            return 0;
        v = v << 6 | (s[i + k] & 0x3F);
    }
    unsigned shortest = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    if (v < shortest || v > 0x10FFFF || (v >= 0xD800 && v < 0xE000))
        return 0;
    *cp = v;
    return len;
}

/* The read at s[i] of a byte stream: its UTF-16 text, and its length in
   bytes. */
static size_t ByteRead(const std::vector<unsigned> &s, size_t i, std::wstring *out)
{
    std::wstring utf16;
    size_t j = i;
    bool wellFormed = true, beyond = false;
    while (j < s.size() && utf16.size() < MOST) {
        unsigned cp;
        size_t len = Character(s, j, &cp);
        if (len == 0) {
            wellFormed = false;
            break;
        }
        if (cp > 0xFFFF) {
            if (utf16.size() + 2 > MOST)
                break;
            utf16 += (wchar_t)(0xD800 + ((cp - 0x10000) >> 10));
            utf16 += (wchar_t)(0xDC00 + (cp & 0x3FF));
        } else {
            utf16 += (wchar_t)cp;
        }
        beyond = beyond || len > 1;
        j += len;
        if (cp == '\n')
            break;
    }
    if (wellFormed && beyond) {
        *out = utf16;
        return j - i;
    }
    out->clear();
    for (j = i; j < s.size() && out->size() < MOST; j++) {
        *out += (wchar_t)s[j];
        if (s[j] == '\n')
            return j + 1 - i;
    }
    return j - i;
}

void ReadModelLines(const uint8_t *data, size_t size, ModelLines *lines)
{
    lines->text.clear();
    lines->start.assign(1, 0);
    lines->ended.clear();
    bool utf16 = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    size_t i = utf16 ? 2 : 0;
    static std::vector<unsigned> units;
    units.clear();
    for (; utf16 ? i + 1 < size : i < size; i += utf16 ? 2 : 1) {
        unsigned u = utf16 ? data[i] | data[i + 1] << 8 : data[i];
        if (u == 26)
            break;
        if (u == '\n' && !units.empty() && units.back() == '\r')
            units.back() = '\n';
        else
            units.push_back(u);
    }
    std::wstring read;
    bool lineStart = true;
    for (size_t at = 0; at < units.size();) {
        static const unsigned mark8[] = {0xEF, 0xBB, 0xBF}, mark16[] = {0xFEFF};
        size_t m = utf16 ? 1 : 3;
        if (lineStart && at + m <= units.size() &&
            std::equal(units.begin() + at, units.begin() + at + m, utf16 ? mark16 : mark8)) {
            at += m; /* one mark: a second is text */
            lineStart = false;
            continue;
        }
        if (utf16) {
            read.clear();
            while (at < units.size() && read.size() < MOST &&
                   (read.empty() || read.back() != '\n')) {
                bool pair = at + 1 < units.size() && units[at] >= 0xD800 && units[at] < 0xDC00 &&
                            units[at + 1] >= 0xDC00 && units[at + 1] < 0xE000;
                if (pair && read.size() + 2 > MOST)
                    break; /* a character beyond the plane stays whole */
                read += (wchar_t)units[at++];
            }
        } else {
            at += ByteRead(units, at, &read);
        }
        EndRead(read, lines);
        lineStart = read.back() == '\n'; /* a read holds a unit at least */
        lines->ended.push_back(lineStart);
    }
}
