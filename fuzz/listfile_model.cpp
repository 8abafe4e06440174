/*
 * The model of the line rules: the bytes up to a Ctrl-Z, CR LF read as LF;
 * reads of up to 259 bytes that end after an LF; in each read, a NUL ends
 * the text and bytes 1 to 32 are trimmed from its end.
 */
#include "fuzz/listfile_model.h"

/* Ends the read in cur: its text up to a NUL, trimmed, becomes a line. */
static void EndRead(std::string_view cur, ModelLines *lines)
{
    cur = cur.substr(0, cur.find('\0'));
    while (!cur.empty() && (unsigned char)cur.back() >= 1 && (unsigned char)cur.back() <= 32)
        cur.remove_suffix(1);
    lines->text += cur;
    lines->start.push_back(lines->text.size());
}

void ReadModelLines(const uint8_t *data, size_t size, ModelLines *lines)
{
    lines->text.clear();
    lines->start.assign(1, 0);
    char cur[259];
    size_t n = 0;
    for (size_t i = 0; i < size && data[i] != 26; i++) {
        if (data[i] == '\r' && i + 1 < size && data[i + 1] == '\n')
            continue;
        cur[n++] = (char)data[i];
        if (data[i] == '\n' || n == sizeof cur) {
            EndRead(std::string_view(cur, n), lines);
            n = 0;
        }
    }
    if (n > 0)
        EndRead(std::string_view(cur, n), lines);
}
