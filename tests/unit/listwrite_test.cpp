/*
 * The list file written on the user's command: for each form a list is
 * saved in, the bytes after adding an entry, removing a row's line, and
 * writing a rule into the first line (Always), exactly; and the changes
 * that are not written.
 */
#include "launch/listfile.h"
#include "launch/listwrite.h"
#include "launch/rules.h"
#include "tests/harness.h"

#include <stdlib.h>
#include <wchar.h>

#include <string>

/* The entry added: a path with a blank and an accent (0xE9 in the host's
   code page, as in 1252). */
static const wchar_t NEW_ENTRY[] = L"\"C:\\Caf\xe9 Bar\\app.exe\"";
#define NEW_ANSI "\"C:\\Caf\xe9 Bar\\app.exe\""
#define NEW_UTF8 "\"C:\\Caf\xc3\xa9 Bar\\app.exe\""
#define ALWAYS " | .pdf = C:\\Tools\\reader.exe"
static const std::string REFUSED = "(refused)";

/* UTF-16 LE bytes of text. */
static std::string U16(const std::wstring &text)
{
    std::string b;
    for (wchar_t c : text) {
        b += (char)(c & 0xFF);
        b += (char)((unsigned)c >> 8 & 0xFF);
    }
    return b;
}

/* The bytes after the change, or REFUSED. */
static std::string Changed(const std::string &old, ListEdit edit, int row, const wchar_t *text)
{
    const ListChange change = {edit, row, text};
    ListBytes out;
    ListWriteResult r =
        ChangeList(reinterpret_cast<const unsigned char *>(old.data()), old.size(), &change, &out);
    if (r != LIST_CHANGED)
        return REFUSED;
    std::string bytes(reinterpret_cast<const char *>(out.bytes), out.n);
    free(out.bytes);
    return bytes;
}

/* Always for .pdf: the first line as read, with the rule written into it. */
static std::string WithRule(const std::string &old)
{
    static ListReader reader;
    wchar_t first[PATH_SIZE], line[PATH_SIZE], rest[PATH_SIZE];
    ListReaderInitBytes(&reader, reinterpret_cast<const unsigned char *>(old.data()), old.size());
    bool read = ListReaderNext(&reader, first);
    /* Cut: the read ended short of its line's end, with more than blanks to come. */
    bool cut = read && !reader.lineStart && ListReaderNext(&reader, rest) &&
               (TrimLineEnd(rest), rest[0] != L'\0');
    TrimLineEnd(first);
    if (!read || !LineWithRule(first, cut, L".pdf", L"C:\\Tools\\reader.exe", line, PATH_SIZE))
        return REFUSED;
    return Changed(old, EDIT_FIRST_LINE, 0, line);
}

static void test_forms(void)
{
    const std::string longLine(300, 'x');
    static const struct {
        const char *what;
        std::string old, added;
        int removeRow, rowsOfLine;
        std::string removed, always;
        const wchar_t *entry = NEW_ENTRY; /* the entry added */
    } rows[] = {
        {"ANSI, CR LF", B("reader\r\nnotepad\r\nC:\\Caf\xe9\\old.exe\r\n"),
         B("reader\r\nnotepad\r\nC:\\Caf\xe9\\old.exe\r\n" NEW_ANSI "\r\n"), 0, 1,
         B("reader\r\nC:\\Caf\xe9\\old.exe\r\n"),
         B("reader" ALWAYS "\r\nnotepad\r\nC:\\Caf\xe9\\old.exe\r\n")},
        {"UTF-8, LF", B("reader\nnotepad\ncaf\xc3\xa9.exe\n"),
         B("reader\nnotepad\ncaf\xc3\xa9.exe\n" NEW_UTF8 "\n"), 1, 1, B("reader\nnotepad\n"),
         B("reader" ALWAYS "\nnotepad\ncaf\xc3\xa9.exe\n")},
        {"UTF-8 with its mark", B("\xef\xbb\xbfreader\r\nnotepad\r\n"),
         B("\xef\xbb\xbfreader\r\nnotepad\r\n" NEW_UTF8 "\r\n"), 0, 1, B("\xef\xbb\xbfreader\r\n"),
         B("\xef\xbb\xbfreader" ALWAYS "\r\nnotepad\r\n")},
        {"UTF-16 LE with its mark", B("\xff\xfe") + U16(L"reader\r\nnotepad\r\nwrite\r\n"),
         B("\xff\xfe") + U16(L"reader\r\nnotepad\r\nwrite\r\n" + std::wstring(NEW_ENTRY) + L"\r\n"),
         0, 1, B("\xff\xfe") + U16(L"reader\r\nwrite\r\n"),
         B("\xff\xfe") + U16(L"reader" ALWAYS L"\r\nnotepad\r\nwrite\r\n")},
        {"a last line without a line feed", B("reader\nnotepad"),
         B("reader\nnotepad\n" NEW_ANSI "\n"), 0, 1, B("reader\n"), B("reader" ALWAYS "\nnotepad")},
        {"a first line alone, without a line feed", B("reader"), B("reader\r\n" NEW_ANSI "\r\n"), 0,
         0, REFUSED, B("reader" ALWAYS)},
        {"a Ctrl-Z with bytes after it", B("reader\r\nnotepad\r\n\x1agarbage\r\nmore"),
         B("reader\r\nnotepad\r\n" NEW_ANSI "\r\n\x1agarbage\r\nmore"), 0, 1,
         B("reader\r\n\x1agarbage\r\nmore"),
         B("reader" ALWAYS "\r\nnotepad\r\n\x1agarbage\r\nmore")},
        {"a Ctrl-Z after a line without its feed", B("reader\r\nnotepad\x1a"),
         B("reader\r\nnotepad\r\n" NEW_ANSI "\r\n\x1a"), 0, 1, B("reader\r\n\x1a"),
         B("reader" ALWAYS "\r\nnotepad\x1a")},
        {"a line longer than the read", "reader\r\n" + longLine + "\r\nnotepad\r\n",
         "reader\r\n" + longLine + "\r\nnotepad\r\n" NEW_ANSI "\r\n", 1, 2,
         B("reader\r\nnotepad\r\n"), "reader" ALWAYS "\r\n" + longLine + "\r\nnotepad\r\n"},
        {"a first line longer than the read", longLine + "\r\nnotepad\r\n",
         longLine + "\r\nnotepad\r\n" NEW_ANSI "\r\n", 0, 0, REFUSED, REFUSED},
        {"a rule line", B("reader | .jpg .pdf = viewer\r\nnotepad\r\n"),
         B("reader | .jpg .pdf = viewer\r\nnotepad\r\n" NEW_ANSI "\r\n"), 0, 1,
         B("reader | .jpg .pdf = viewer\r\n"),
         B("reader | .jpg = viewer" ALWAYS "\r\nnotepad\r\n")},
        {"bytes the code page cannot show", B("reader\r\na\x81\x9d b\r\nnotepad\r\n"),
         B("reader\r\na\x81\x9d b\r\nnotepad\r\n" NEW_ANSI "\r\n"), 1, 1,
         B("reader\r\na\x81\x9d b\r\n"), B("reader" ALWAYS "\r\na\x81\x9d b\r\nnotepad\r\n")},
        {"lists joined, a mark at a line's start",
         B("\xef\xbb\xbfreader\r\n\xef\xbb\xbfnotepad\r\n"),
         B("\xef\xbb\xbfreader\r\n\xef\xbb\xbfnotepad\r\n" NEW_UTF8 "\r\n"), 0, 1,
         B("\xef\xbb\xbfreader\r\n"), B("\xef\xbb\xbfreader" ALWAYS "\r\n\xef\xbb\xbfnotepad\r\n")},
        /* U+00C3 U+00A9 are bytes C3 A9 in the code page: UTF-8's é. */
        {"ANSI, an entry whose code page bytes read as UTF-8", B("reader\r\nnotepad\r\n"),
         B("reader\r\nnotepad\r\nC:\\\xc3\x83\xc2\xa9.exe\r\n"), 0, 1, B("reader\r\n"),
         B("reader" ALWAYS "\r\nnotepad\r\n"), L"C:\\\xc3\xa9.exe"},
        {"a new list", "", B("\xef\xbb\xbf" NEW_UTF8 "\r\n" NEW_UTF8 "\r\n"), 0, 0, REFUSED,
         REFUSED},
    };
    for (const auto &row : rows) {
        std::string added = Changed(row.old, EDIT_ADD, 0, row.entry);
        ok(added == row.added, "%s: added [%s]", row.what, Shown(added).c_str());
        std::string removed = Changed(row.old, EDIT_REMOVE, row.removeRow, NULL);
        ok(removed == row.removed, "%s: row %d removed [%s]", row.what, row.removeRow,
           Shown(removed).c_str());
        std::string always = WithRule(row.old);
        ok(always == row.always, "%s: Always [%s]", row.what, Shown(always).c_str());
        int rows = RowsOfLine(reinterpret_cast<const unsigned char *>(row.old.data()),
                              row.old.size(), row.removeRow);
        ok(rows == row.rowsOfLine, "%s: row %d's line shows %d rows", row.what, row.removeRow,
           rows);
    }
}

/* Changes that are not written, and why. */
static void test_not_written(void)
{
    const std::string list = B("reader\r\nnotepad\r\n"), longFirst(300, 'x');
    const std::wstring longEntry(259, L'x'); /* with its line feed, 260 */
    static const struct {
        const char *what;
        std::string old;
        ListChange change;
        ListWriteResult result;
    } rows[] = {
        {"an entry longer than one read",
         list,
         {EDIT_ADD, 0, longEntry.c_str()},
         LIST_LINE_TOO_LONG},
        {"an entry ending in a blank", list, {EDIT_ADD, 0, L"notepad "}, LIST_READS_OTHERWISE},
        {"an entry of two lines", list, {EDIT_ADD, 0, L"a\nb"}, LIST_READS_OTHERWISE},
        {"after a last line that fills a read, without its line feed",
         std::string(259, 'z'),
         {EDIT_ADD, 0, L"notepad"},
         LIST_READS_OTHERWISE},
        {"a row past the last", list, {EDIT_REMOVE, 1, NULL}, LIST_NO_SUCH_ROW},
        {"no row", list, {EDIT_REMOVE, -1, NULL}, LIST_NO_SUCH_ROW},
        {"a piece of the first line",
         longFirst + "\r\nnotepad\r\n",
         {EDIT_REMOVE, 0, NULL},
         LIST_ROW_OF_FIRST_LINE},
        {"a first line the read cut",
         longFirst + "\r\nnotepad\r\n",
         {EDIT_FIRST_LINE, 0, L"reader"},
         LIST_LINE_TOO_LONG},
        {"no first line", "", {EDIT_FIRST_LINE, 0, L"reader"}, LIST_NO_SUCH_ROW},
    };
    for (const auto &row : rows) {
        ListBytes out;
        ListWriteResult r = ChangeList(reinterpret_cast<const unsigned char *>(row.old.data()),
                                       row.old.size(), &row.change, &out);
        ok(r == row.result && out.bytes == NULL, "%s: %d", row.what, r);
        free(out.bytes);
    }
}

int main()
{
    test_forms();
    test_not_written();
    return TestSummary("listwrite");
}
