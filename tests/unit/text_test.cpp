/*
 * Text into buffers of a size, unit by unit: formatted, put, and Runvo's
 * own texts with what they insert.
 */
#include "launch/text.h"
#include "launch/texts.h"
#include "tests/harness.h"

#include <wchar.h>

#include <string>

/* A text of Runvo's own by its number: each %N the Nth insert, a %N past
   those given as it stands; whole, or marked cut. */
static void test_own_text(void)
{
    static const wchar_t *const inserts[] = {L"Send To", L"Access is denied.", L"unused"};
    static const struct {
        StringId id;
        size_t count, size;
        const wchar_t *want; /* NULL: cut */
    } rows[] = {
        {IDS_PLACE_FAILED, 2, 64, L"Send To could not be changed. Windows says: Access is denied."},
        {IDS_PLACE_FAILED, 3, 64, L"Send To could not be changed. Windows says: Access is denied."},
        {IDS_PLACE_FAILED, 1, 64, L"Send To could not be changed. Windows says: %2"},
        {IDS_PLACE_FAILED, 0, 64, L"%1 could not be changed. Windows says: %2"},
        {IDS_PLACE_FAILED, 2, 62, L"Send To could not be changed. Windows says: Access is denied."},
        {IDS_PLACE_FAILED, 2, 61, NULL},
        {IDS_ROW_ALWAYS, 1, 64, L"&Always use for Send To files"},
    };
    for (const auto &row : rows) {
        wchar_t *buf = new wchar_t[row.size]; /* exact size: ASan sees any overrun */
        TextBuf t;
        PutOwnText(OutStart(&t, buf, row.size), row.id, inserts, row.count);
        ok(row.want ? !t.truncated && wcscmp(buf, row.want) == 0 : t.truncated,
           "text %d, %lu inserts, in %lu: [%s]", (int)row.id, (unsigned long)row.count,
           (unsigned long)row.size, Shown(buf).c_str());
        delete[] buf;
    }
}

static void test_bounded_text(void)
{
    static const struct {
        const wchar_t *format, *text;
        int number;
        bool whole;
        const wchar_t *want; /* NULL: cut, by the C library's rule */
    } rows[] = {
        {L"%ls-%d", L"ab", 1234, true, L"ab-1234"},
        {L"%ls-%d", L"abc", 1234, false, NULL},
        {L"Error %d running %ls", L"x", -2147483647 - 1, false, NULL},
        {L"%ls", L"\xd83d\xde00", 0, true, L"\xd83d\xde00"},
    };
    for (const auto &row : rows) {
        wchar_t *fit = new wchar_t[8]; /* exact size: ASan sees any overrun */
        bool whole = FormatText(fit, 8, row.format, row.text, row.number);
        ok(whole == row.whole && wcslen(fit) < 8 && (!row.want || wcscmp(fit, row.want) == 0),
           "[%s]: %d [%s]", Shown(row.format).c_str(), whole, Shown(fit).c_str());
        delete[] fit;
    }

    /* Text put into a buffer is whole, or not there and marked cut. */
    wchar_t buf[8];
    TextBuf t;
    PutText(OutStart(&t, buf, 8), L"abc");
    PutText(&t, L"de");
    ok(!t.truncated && wcscmp(buf, L"abcde") == 0, "put: %s", Shown(buf).c_str());
    PutText(&t, L"fghij");
    ok(t.truncated && wcscmp(buf, L"abcde") == 0, "cut: %s", Shown(buf).c_str());
    PutChar(&t, L'x');
    ok(t.truncated && wcscmp(buf, L"abcde") == 0, "after a cut: %s", Shown(buf).c_str());
    PutText(OutStart(&t, buf, 8), L"abcdefg");
    ok(!t.truncated && t.len == 7, "to the last unit: %lu", (unsigned long)t.len);
}

int main()
{
    test_own_text();
    test_bounded_text();
    return TestSummary("text");
}
